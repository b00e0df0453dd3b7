#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, unpacks it into a throw-away root and checks that
# the installed program can start from its desktop entry and find its files.
#   check_deb.sh <cpack> <CPackConfig.cmake> <work dir> <maintainer script dir> <app id>
set -euo pipefail
cpack=$1 config=$2 work=$3 scripts=$4 app_id=$5

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

rm -rf "$work"
mkdir -p "$work"
"$cpack" --config "$config" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; exit 1; }
debs=("$work"/out/*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || { echo "FAIL: expected one .deb, got ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}

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
  cmp -s "$scripts/$script" "$work/control/$script" || fail "$script differs from $scripts/$script"
done

root=$work/root
dpkg-deb -x "$deb" "$root"

desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
[[ -f $desktop ]] || { echo "FAIL: no desktop entry $desktop" >&2; exit 1; }
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$metainfo" || fail "metainfo does not validate"

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
png=$root/usr/share/icons/hicolor/32x32/apps/$icon.png
if [[ -f $png ]]; then
  # PNG signature, then IHDR's width and height: 32 x 32.
  header=$(od -An -tx1 -N24 "$png" | tr -d ' \n')
  [[ ${header:0:16} == 89504e470d0a1a0a && ${header:32:16} == 0000002000000020 ]] ||
    fail "$png is not a 32x32 PNG"
else
  fail "Icon=$icon has no 32x32 picture in the hicolor theme"
fi
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $app_id.desktop"

((failures == 0)) || exit 1
echo "$(basename "$deb"): all checks passed"
