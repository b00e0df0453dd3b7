# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the Windows scripts: "source tools/wine_prefix.sh WORK" makes a
# throw-away Wine prefix in WORK/wine and deletes WORK on exit. The prefix's
# server and services are started here, before any build or test: started by
# the first program run under Ninja or CTest, they would inherit its pipes and
# Ninja or CTest would wait for them for ever.
export WINEPREFIX="$1/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
zelora_wine_work="$1"
# Wine finds its server through the prefix directory: stop it before the
# directory goes.
zelora_wine_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$zelora_wine_work"
}
trap zelora_wine_cleanup EXIT
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot -i </dev/null >/dev/null 2>&1
