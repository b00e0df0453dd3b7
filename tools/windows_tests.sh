#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the whole program and its tests for 64-bit Windows with
# MinGW-w64 and Qt for Windows (tools/windows_qt.sh), and runs the tests under
# Wine, in a throw-away Wine prefix: the settings key in that prefix's
# registry, the port writer on its LPT1, the window offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
ZELORA_WITH_WINDOWS=1 tools/install_deps.sh
# Built once, then taken from the cache.
ZELORA_WINDOWS_QT_PREFIX="$(tools/windows_qt.sh)"
export ZELORA_WINDOWS_QT_PREFIX

work="$(mktemp -d)"
log="$work/ctest.log"
lpt_file="$work/lpt1.out"
# The registry tests store text through the ANSI calls, whose code page
# follows the locale: keep it fixed.
export LC_ALL=C.UTF-8
source tools/wine_prefix.sh "$work"

# Qt's libraries and the MinGW runtime they need, for the test programs.
WINEPATH="Z:$ZELORA_WINDOWS_QT_PREFIX/bin;Z:/usr/lib/gcc/x86_64-w64-mingw32/12-posix"
WINEPATH+=";Z:/usr/x86_64-w64-mingw32/lib"
export WINEPATH

# A fresh prefix has no LPT1: map it to a file the port tests read back.
: >"$lpt_file"
ln -sfn "$lpt_file" "$WINEPREFIX/dosdevices/lpt1"
ZELORA_LPT1_FILE="$(winepath -w "$lpt_file" 2>/dev/null)"
export ZELORA_LPT1_FILE
# The prefix goes afterwards, so the tests may use the program's own key.
export ZELORA_THROWAWAY_REGISTRY=1

# The windows preset of CMakePresets.json, in build-windows/.
cmake --preset windows
cmake --build --preset windows

# One at a time: the port tests share the one LPT1 file. A test that fails is
# run once more: very rarely Wine ends a test program at start-up without
# any output, and a real fault fails both times.
ctest --preset windows 2>&1 | tee "$log"
# A test skipped here went untested on Windows: only those that say why they
# cannot run there may be.
last="build-windows/Testing/Temporary/LastTest.log"
unexplained=0
while read -r name; do
  reason="$(awk -v name="$name" '
    /^[0-9]+\/[0-9]+ Test: / && substr($0, index($0, "Test: ") + 6) == name { found = 1 }
    found && /Not on Windows: / { sub(/.*Not on Windows: /, ""); sub(/"$/, ""); print; exit }
    found && /^Test time/ { exit }' "$last")"
  if [[ -n "$reason" ]]; then
    echo "not run on Windows: $name: $reason"
  else
    echo "error: $name was skipped under Wine without a reason" >&2
    unexplained=1
  fi
done < <(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$log")
exit "$unexplained"
