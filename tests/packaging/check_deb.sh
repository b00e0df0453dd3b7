#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a Release build, lints it, unpacks it into a
# throw-away root and checks that the installed program can start from its
# desktop entry and find its files, and that its papers agree with each other.
#   check_deb.sh <cmake> <cpack> <source dir> <work dir> <app id> <cmake arguments...>
set -euo pipefail
cmake=$1 cpack=$2 source=$3 work=$4 app_id=$5
shift 5

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The build is kept between runs, so that a second run only rebuilds changes.
build=$work/build
rm -rf "$work/out" "$work/root" "$work/control"
mkdir -p "$work"
{
  "$cmake" -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "$@" &&
    "$cmake" --build "$build" --parallel 2 &&
    (cd "$build" && "$cpack" -G DEB -B "$work/out")
} >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }
debs=("$work"/out/*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || { echo "FAIL: expected one .deb, got ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}

# Any error or warning fails; the overrides the package ships are explained in it.
lintian --allow-root --fail-on error,warning --info "$deb" || fail "lintian"

# Control file: dependencies worked out from the program's libraries.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6; do
  [[ $depends =~ (^|[ ,])$lib([ ,]|$) ]] || fail "Depends does not name $lib"
done

# Maintainer scripts: shipped executable, as configured.
dpkg-deb -e "$deb" "$work/control"
for script in postinst postrm; do
  [[ -x $work/control/$script ]] || fail "$script missing or not executable"
  cmp -s "$build/packaging/$script" "$work/control/$script" || fail "$script differs from the build's"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/zelora

# Control-flow protection is not asked for: Debian 12's start-up files lack it.
hardening-check --nocfprotection "$program" || fail "hardening-check"

# --help and --version are answered without a display.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
help=$("${no_display[@]}" "$program" --help) && [[ $help == Usage:*--version* ]] || fail "zelora --help"
program_version=$("${no_display[@]}" "$program" --version) || fail "zelora --version"
program_version=${program_version%%$'\n'*}

# One version and one maintainer throughout.
doc=$root/usr/share/doc/zelora
zcat "$doc/changelog.Debian.gz" >"$work/changelog"
deb_version=$(dpkg-deb -f "$deb" Version)
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$root/usr/share/metainfo/$app_id.metainfo.xml")
[[ $(dpkg-parsechangelog -l "$work/changelog" -S Version) == "$deb_version" ]] ||
  fail "the changelog's version is not the package's $deb_version"
[[ $release == "${deb_version%-*}" && $program_version == "zelora $release" ]] ||
  fail "package $deb_version, metainfo release $release, program '$program_version' disagree"
maintainer=$(dpkg-deb -f "$deb" Maintainer)
[[ $(dpkg-parsechangelog -l "$work/changelog" -S Maintainer) == "$maintainer" ]] ||
  fail "the changelog is not signed by $maintainer"
grep -qxF "Upstream-Contact: $maintainer" "$doc/copyright" || fail "copyright does not name $maintainer"
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$doc/copyright" ||
  fail "copyright is not in the machine-readable format"

desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
[[ -f $desktop ]] || { echo "FAIL: no desktop entry $desktop" >&2; exit 1; }
# Both validators print nothing but the id's capitals, which are kept because
# the desktop knows the program by this id.
[[ -z $(desktop-file-validate "$desktop" 2>&1) ]] || fail "desktop entry does not validate cleanly"
appstreamcli validate --pedantic --no-net --no-color "$metainfo" >"$work/appstream.log" 2>&1 ||
  fail "metainfo does not validate"
if grep -E '^[EWIP]: ' "$work/appstream.log" | grep -v ': cid-contains-uppercase-letter '; then
  fail "metainfo validates with remarks"
fi

key() { sed -n "s/^$1=//p" "$desktop"; }
exec_name=$(key Exec)
exec_name=${exec_name%% *}
data_dir=$(key Path)
icon=$(key Icon)

# The desktop entry finds the program on the default PATH, starts it where it
# looks for the demonstration page, and names an icon of the theme.
[[ -x $root/usr/bin/$exec_name && -f $root/usr/bin/$exec_name ]] ||
  fail "Exec=$exec_name is not an executable in /usr/bin"
[[ $data_dir == /* && -f $root$data_dir/k4xdemo.prn ]] ||
  fail "Path=$data_dir does not hold k4xdemo.prn"
# The help file is looked for in <data dir>/zelora of the default data dirs.
[[ -f $root/usr/share/zelora/VERAR.HLP ]] || fail "no /usr/share/zelora/VERAR.HLP"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $app_id.desktop"

# The icon at every size, drawn from the 32-pixel picture: whole enlargements
# repeat its pixels, and the SVG draws exactly them.
theme=$root/usr/share/icons/hicolor
for size in 16 22 24 32 48 64 128 256; do
  [[ $(identify -format '%m %wx%h' "$theme/${size}x$size/apps/$icon.png" 2>&1) == "PNG ${size}x$size" ]] ||
    fail "Icon=$icon has no ${size}x$size PNG in the hicolor theme"
done
same_pixels() { compare -metric AE "$1" "$2" null: 2>/dev/null; }
base=$theme/32x32/apps/$icon.png
convert "$base" -sample 400% "$work/sampled.png"
same_pixels "$work/sampled.png" "$theme/128x128/apps/$icon.png" || fail "128 px icon is not the 32 px one enlarged"
rsvg-convert "$theme/scalable/apps/$icon.svg" -o "$work/svg.png"
same_pixels "$work/svg.png" "$base" || fail "the SVG icon does not draw the 32 px icon's pixels"

((failures == 0)) || exit 1
echo "$(basename "$deb"): all checks passed"
