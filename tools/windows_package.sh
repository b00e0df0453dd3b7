#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows program (Release, with its window, no tests) with
# MinGW-w64 against Qt for Windows from tools/windows_qt.sh, in
# build-windows-package/, and packs it as a ZIP archive and as an installer
# (cmake/ZeloraWindowsPackaging.cmake). Prints the two packages' paths last.
set -euo pipefail
cd "$(dirname "$0")/.."
ZELORA_WITH_WINDOWS=1 ZELORA_WITH_WINDOWS_QT=1 tools/install_deps.sh >&2
qt="$(tools/windows_qt.sh | tail -n 1)"
build="$PWD/build-windows-package"

# The build runs its resource tools under Wine.
source tools/wine_prefix.sh "$(mktemp -d)"

# The windows-package workflow of CMakePresets.json: configure, build, then
# the ZIP archive and the installer.
rm -f "$build"/zelora-*-win64.zip "$build"/zelora-*-win64-setup.exe
export ZELORA_WINDOWS_QT_PREFIX="$qt"
nice -n 10 cmake --workflow --preset windows-package >&2
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
packages=("$build/zelora-$version-win64.zip" "$build/zelora-$version-win64-setup.exe")
for package in "${packages[@]}"; do
  [[ -f "$package" ]] || { echo "error: cpack made no $package" >&2; exit 1; }
done
printf '%s\n' "${packages[@]}"
