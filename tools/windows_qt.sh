#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for 64-bit Windows (MinGW-w64, shared) from Debian's own qt6-base
# source: Core, Gui, Widgets, Test, the Windows and offscreen platform plugins.
# Installs it into a cache folder outside the tree, named by Qt's version and a
# hash of the options, and reuses a complete install found there. Progress and
# each phase's duration go to standard error; the last line on standard output
# is the install prefix, for other scripts to take.
#
# ZELORA_QT_JOBS sets Ninja's parallel jobs (default: the number of cores);
# ZELORA_QT_KEEP_WORK=1 keeps the unpacked source and build folder afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$PWD"
ZELORA_WITH_WINDOWS=1 ZELORA_WITH_WINDOWS_QT=1 tools/install_deps.sh >&2

qt_version=6.4.2
# Bookworm's source package; its orig tarball keeps the bundled zlib, PCRE2,
# HarfBuzz, FreeType and libpng the cross build uses.
src_package=qt6-base
src_upstream="${qt_version}+dfsg"
src_dir_name="qtbase-everywhere-src-${qt_version}"

options=(
  -G Ninja
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  # moc, rcc, uic and the rest come from the build machine's Qt of the same
  # version (qt6-base-dev-tools).
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_opengl=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_jpeg=OFF
  -DFEATURE_vulkan=OFF
  # The dfsg source lacks wintab.h, which the platform plugin's tablet
  # support includes.
  -DFEATURE_tabletevent=OFF
  # Without OpenGL the platform plugin's dynamic-GL code does not compile.
  -DFEATURE_dynamicgl=OFF
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_png=OFF
)
# The options above cover what does not build for Windows. Of Debian's own
# patch series only its security fixes are applied (the cve-* patches): the
# orig tarball predates them, and the rest adapt Qt to Debian itself.

toolchain="$repo/cmake/mingw-w64.cmake"
options_hash="$({
  printf '%s\n' "$src_package=$src_upstream" "${options[@]}" "patches: cve-*"
  cat "$toolchain"
} | sha256sum | cut -c1-12)"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/zelora"
name="qt-${qt_version}-mingw64-${options_hash}"
prefix="$cache/$name"
marker="$prefix/.zelora-qt-complete"

log() { printf '[windows_qt] %s\n' "$*" >&2; }

if [[ -f "$marker" ]]; then
  log "reusing the complete install in $prefix"
  echo "$prefix"
  exit 0
fi

work="$cache/work"
build_work="$work/$name"
mkdir -p "$work/downloads" "$build_work"

phase_name=""
phase_start=0
phase_log=""
begin() {
  phase_name="$1"
  phase_start=$SECONDS
  phase_log="$build_work/$1.log"
  log "$1 ... (output in $phase_log)"
}
end() { log "$phase_name took $((SECONDS - phase_start)) s"; }
# The last lines of the phase's own output say why it failed.
on_error() {
  [[ -n "$phase_log" && -f "$phase_log" ]] && tail -n 40 "$phase_log" >&2
  log "failed in $phase_name after $((SECONDS - phase_start)) s"
}
trap on_error ERR

# Fetch: a deb-src entry of this script's own, so the machine's apt
# configuration stays as it is. apt checks the signed index and, through it,
# the checksums of every file the .dsc names.
begin fetch
apt_dir="$work/apt"
mkdir -p "$apt_dir/lists/partial"
archive_uri=""
for f in /etc/apt/sources.list.d/*.sources; do
  [[ -f "$f" ]] || continue
  archive_uri="$(awk '/^URIs:/ { for (i = 2; i <= NF; i++) if ($i ~ /\/debian\/?$/) { print $i; exit } }' "$f")"
  [[ -n "$archive_uri" ]] && break
done
if [[ -z "$archive_uri" ]]; then
  archive_uri="$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
    | awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\/.*\/debian\/?$/) { print $i; exit } }')"
fi
if [[ -z "$archive_uri" ]]; then
  log "no Debian archive in /etc/apt/sources.list or /etc/apt/sources.list.d"
  exit 1
fi
cat >"$apt_dir/zelora-qt-source.sources" <<EOF
Types: deb-src
URIs: $archive_uri
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir"
             -o "Dir::State::Lists=$apt_dir/lists")
# As root, apt's download sandbox user could not write into this folder.
[[ $(id -u) -eq 0 ]] && apt_options+=(-o APT::Sandbox::User=root)
{
  apt-get "${apt_options[@]}" update
  (cd "$work/downloads" && apt-get "${apt_options[@]}" source --download-only "$src_package")
} >"$phase_log" 2>&1
orig="$work/downloads/${src_package}_${src_upstream}.orig.tar.xz"
if [[ ! -f "$orig" ]]; then
  log "no $orig: the archive's $src_package is not $src_upstream (see $phase_log)"
  exit 1
fi
end

# Unpack once; an interrupted build resumes on the same tree.
begin unpack
src="$build_work/$src_dir_name"
if [[ ! -f "$build_work/.unpacked" ]]; then
  rm -rf "$src" "$build_work/debian"
  {
    tar -xJf "$orig" -C "$build_work"
    tar -xJf "$work/downloads/${src_package}_${src_upstream}"-*.debian.tar.xz -C "$build_work"
    for patch_name in $(grep '^cve-' "$build_work/debian/patches/series"); do
      echo "applying $patch_name"
      patch -d "$src" -p1 --forward --quiet <"$build_work/debian/patches/$patch_name"
    done
  } >"$phase_log" 2>&1
  touch "$build_work/.unpacked"
fi
log "security patches applied: $(grep -c '^applying' "$phase_log")"
end

begin configure
build="$build_work/build"
mkdir -p "$build"
nice -n 19 cmake -S "$src" -B "$build" "${options[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" >"$phase_log" 2>&1
end

begin build
jobs="${ZELORA_QT_JOBS:-$(nproc)}"
nice -n 19 cmake --build "$build" --parallel "$jobs" >"$phase_log" 2>&1
end

# The marker is written only after everything is in place, so a partial
# install is never taken for a complete one.
begin install
rm -rf "$prefix"
cmake --install "$build" >"$phase_log" 2>&1
touch "$marker"
end
trap - ERR

if [[ "${ZELORA_QT_KEEP_WORK:-0}" != 1 ]]; then
  rm -rf "$build_work"
fi
log "installed: $(du -sh "$prefix" | cut -f1) in $prefix"
echo "$prefix"
