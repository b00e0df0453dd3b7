#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the package's postinst and postrm against a throw-away root, as dpkg
# does for a --root install (DPKG_ROOT, DPKG_ADMINDIR), under fakeroot so that
# ownership can be set and read back without privileges.
#   check_maintainer_scripts.sh <script dir> <settings dir>
set -euo pipefail
scripts=$1 settings_dir=$2

if [[ -z ${FAKEROOTKEY:-} ]]; then
  exec fakeroot -- "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# A fresh root holding what the case needs: a dpkg database with the given
# statoverride line, and optionally the settings folder with a mode and a
# stored file.
new_root() {
  local overrides=$1 existing_mode=$2
  export DPKG_ROOT=$work/root
  export DPKG_ADMINDIR=$DPKG_ROOT/var/lib/dpkg
  rm -rf "$DPKG_ROOT"
  mkdir -p "$DPKG_ADMINDIR"
  if [[ -n $overrides ]]; then
    echo "$overrides" >"$DPKG_ADMINDIR/statoverride"
  else
    : >"$DPKG_ADMINDIR/statoverride"
  fi
  if [[ -n $existing_mode ]]; then
    mkdir -p "$DPKG_ROOT$settings_dir"
    chown root:root "$DPKG_ROOT$settings_dir"
    chmod "$existing_mode" "$DPKG_ROOT$settings_dir"
    echo stored >"$DPKG_ROOT$settings_dir/HKEY_LOCAL_MACHINE.reg"
    install -m 0664 /dev/null "$DPKG_ROOT$settings_dir/HKEY_LOCAL_MACHINE.reg.lock"
  fi
}

dir_state() { stat -c '%a %U:%G' "$DPKG_ROOT$settings_dir" 2>/dev/null || echo absent; }

# postinst configure, run twice (dpkg runs it again on every upgrade):
#   name | statoverride | folder before | folder after
while IFS='|' read -r name overrides before expected; do
  new_root "$overrides" "$before"
  for run in 1 2; do
    "$scripts/postinst" configure || fail "$name: postinst run $run failed"
    state=$(dir_state)
    [[ $state == "$expected" ]] || fail "$name: run $run left '$state', expected '$expected'"
  done
  if [[ -n $before && ! -f $DPKG_ROOT$settings_dir/HKEY_LOCAL_MACHINE.reg ]]; then
    fail "$name: stored settings lost"
  fi
  lock_mode=$(stat -c %a "$DPKG_ROOT$settings_dir/HKEY_LOCAL_MACHINE.reg.lock" 2>/dev/null || :)
  [[ -z $before || $lock_mode == 660 ]] || fail "$name: the lock is left at $lock_mode"
done <<TABLE
fresh install|||2775 root:lp
folder left by an older install||755|2775 root:lp
administrator's override kept|root root 0700 $settings_dir|700|700 root:root
TABLE

# postrm: remove keeps the stored settings, purge deletes them, and a second
# purge (dpkg may run it after the folder is gone) still succeeds.
new_root "" 2775
"$scripts/postrm" remove || fail "postrm remove failed"
[[ -f $DPKG_ROOT$settings_dir/HKEY_LOCAL_MACHINE.reg ]] || fail "postrm remove deleted the settings"
for run in 1 2; do
  "$scripts/postrm" purge || fail "postrm purge run $run failed"
  [[ $(dir_state) == absent ]] || fail "postrm purge run $run left the settings folder"
done
[[ -d $DPKG_ROOT${settings_dir%/*} ]] || fail "postrm purge deleted the settings folder's parent"

((failures == 0)) || exit 1
echo "maintainer scripts: all checks passed"
