#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, testing and running need, when
# any of them is missing. Safe to run again: it does nothing when all are there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libcups2-dev cups libfontconfig-dev
  libgtest-dev libgmock-dev googletest
  fonts-dejavu-core locales
  xvfb xauth xdotool x11-utils imagemagick
  dpkg-dev fakeroot desktop-file-utils appstream lintian devscripts librsvg2-bin reuse
  clang libclang-rt-14-dev libbenchmark-dev dbus-daemon
)
if [[ "${ZELORA_WITH_WINDOWS:-0}" == 1 ]]; then
  packages+=(g++-mingw-w64-x86-64-posix wine wine64)
fi
# Building Qt for Windows from Debian's source (tools/windows_qt.sh): apt
# checks the source index against the archive keyring; the tarballs are
# xz-compressed; Debian's security patches go in with patch; moc, rcc and uic
# for the cross build are the build machine's. The Windows installer is made
# with makensis (tools/windows_package.sh).
if [[ "${ZELORA_WITH_WINDOWS_QT:-0}" == 1 ]]; then
  packages+=(debian-archive-keyring xz-utils patch qt6-base-dev-tools nsis)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
((${#missing[@]} == 0)) && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
