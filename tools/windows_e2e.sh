#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/windows_e2e.sh [--screenshots] [setup.exe (default: tools/windows_package.sh's)]
# Installs silently into a throw-away Wine prefix; on Xvfb (ZELORA_E2E_DISPLAY, 91) types
# a time-out into the program, sends it to LPT1 (a FIFO) and checks bytes and settings;
# uninstalls, and the settings stay. --screenshots: docs/windows_window_{en,ru}.png first.
set -euo pipefail
cd "$(dirname "$0")/.."
faces=()
[[ "${1:-}" == --screenshots ]] && { faces=(en_US ru_RU); shift; }
setups=(build-windows-package/zelora-*-win64-setup.exe)
setup="$(realpath -e "${1:-${setups[-1]}}")" || { echo "FAIL: no installer" >&2; exit 1; }
ZELORA_WITH_WINDOWS=1 tools/install_deps.sh
work="$(mktemp -d)"
export WINEPREFIX="$work/wine" WINEARCH=win64 WINEDEBUG=-all HOME="$work/home"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LOCPATH="$work/locale"
export DISPLAY=":${ZELORA_E2E_DISPLAY:-91}"
pids=()
trap 'timeout 20 wineserver -k &>/dev/null; kill "${pids[@]}" &>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; tail -n 15 "$work/wine.log" >&2 2>/dev/null; exit 1; }
wait_for() { # seconds command...
  local end=$((SECONDS + $1)); shift; until "$@"; do ((SECONDS < end)) || return 1; sleep 0.1; done
}
reg_value() { # "TYPE DATA"
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; print substr($0, 2) }'
}
expect_value() { [[ "$(reg_value "$1" "$2")" == "$3" ]] || fail "expected $1 $2 $3, saw '$(reg_value "$1" "$2")'"; }

# Xvfb would give up on a taken display, and the checks would go to another's.
[[ ! -e "/tmp/.X${DISPLAY#:}-lock" ]] || fail "display $DISPLAY is taken: set ZELORA_E2E_DISPLAY"
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp &>/dev/null & pids+=($!)
wait_for 10 xdpyinfo &>/dev/null || fail "expected Xvfb on $DISPLAY within 10 s"
mkdir -p "$WINEPREFIX" "$HOME" "$LOCPATH"
for locale in en_US ru_RU; do # Wine's locale, and so the face, follow LC_ALL
  localedef -c -i $locale -f UTF-8 "$LOCPATH/$locale.UTF-8" &>/dev/null ||
    [[ -d "$LOCPATH/$locale.UTF-8" ]] || fail "expected localedef to make $locale.UTF-8"
done
wineserver -p </dev/null &>/dev/null
timeout 120 wine wineboot -i </dev/null &>"$work/wine.log" || fail "expected wineboot to succeed"
timeout 300 wine "$setup" /S &>>"$work/wine.log" || fail "expected '$setup /S' to succeed"
inst="$WINEPREFIX/drive_c/Program Files/Zelora"
for file in zelora.exe zeloractl.exe Qt6{Core,Gui,Widgets}.dll lib{stdc++-6,gcc_s_seh-1,winpthread-1}.dll \
  qt.conf plugins/{platforms/qwindows,imageformats/qico}.dll translations/qtbase_ru.qm \
  VERAR.HLP ru/VERAR.HLP k4xdemo.prn LICENSE.txt Uninstall.exe; do
  [[ -f "$inst/$file" ]] || fail "expected $file in the install folder, saw: $(find "$inst")"
done
# Of the shortcut's UTF-16 strings, the install folder alone is its working folder.
lnk="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zelora/Zelora.lnk"
strings -el "$lnk" | grep -qxF 'C:\Program Files\Zelora' || fail "expected Zelora.lnk to start there"
# Starts the program in its folder in a locale's face: $pid, $wid, WIDTH, HEIGHT.
start_program() {
  (cd "$inst" && exec env LC_ALL=$1 LANG=$1 wine zelora.exe &>>"$work/wine.log" 3>&-) &
  pid=$!
  wid=$(timeout 60 xdotool search --sync --onlyvisible --pid $pid --name '^Zelora$' | head -n 1)
  [[ -n "$wid" ]] || fail "expected the Zelora window within 60 s ($1)"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
}
close_program() {
  xdotool key --window "$wid" "$1"
  wait_for 30 eval '! kill -0 $pid 2>/dev/null' || fail "expected zelora.exe to end after $1"
}
for face in "${faces[@]}"; do
  start_program $face.UTF-8
  # Wholly on the screen, without a control's hint in the status bar.
  xdotool windowmove "$wid" 20 20 mousemove 1000 700 sleep 1
  timeout 20 import -window "$wid" "docs/windows_window_${face%_*}.png" || fail "expected a picture"
  close_program alt+F4 # the close box stores no place
done
mkfifo "$work/lpt1" && ln -sfn "$work/lpt1" "$WINEPREFIX/dosdevices/lpt1"
exec 3<>"$work/lpt1" # a writer of ours keeps the reader to the end
cat "$work/lpt1" >"$work/received" 3>&- & pids+=($!)
# As the Linux program sends them: the factory record's 0 copies are below the
# field's minimum, so the first Send also sends the 1 the window shows.
printf '\033%%-12345X@PJL DEFAULT %s\r\n\033%%-12345X' TIMEOUT=45 COPIES=1 >"$work/expected"
start_program en_US.UTF-8
# The time-out field left of its arrows in the 439 × 309 client area: page at
# 10,30, its group box at 24,8, the field at 96,40 in that.
xdotool mousemove --window "$wid" $((145 * WIDTH / 439)) $((88 * HEIGHT / 309)) click 1
{ xdotool key ctrl+a && xdotool type 45 && xdotool key ctrl+Return; } 2>/dev/null
wait_for 30 test "$(stat -c %s "$work/received")" -ge "$(stat -c %s "$work/expected")" ||
  fail "expected two jobs at LPT1 within 30 s of Send, saw: $(od -c "$work/received")"
cmp "$work/expected" "$work/received" >&2 ||
  fail "expected at LPT1: $(od -c "$work/expected") saw: $(od -c "$work/received")"
key='HKLM\Software\Quorvan\Zelora'
expect_value "$key" R_timeout 'REG_BINARY 0000000000804640' # 45.0, a little-endian double
expect_value "$key" R_copies 'REG_BINARY 000000000000F03F'  # 1.0
close_program ctrl+q
[[ "$(reg_value "$key" R_x) $(reg_value "$key" R_y)" == "REG_DWORD 0x"*" REG_DWORD 0x"* ]] ||
  fail "expected Exit to store R_x and R_y"
# The command line beside it, on the same LPT1 and key: the same job as the
# window's Send, stored once LPT1 took it; no port answers inquiries here.
sent=$(stat -c %s "$work/received")
printf '\033%%-12345X@PJL DEFAULT TIMEOUT=60\r\n\033%%-12345X' >"$work/expected"
timeout 60 wine "$inst/zeloractl.exe" set timeout=60 &>>"$work/wine.log" || fail "zeloractl set"
wait_for 30 test "$(stat -c %s "$work/received")" -ge $((sent + $(stat -c %s "$work/expected"))) ||
  fail "expected the job of zeloractl at LPT1 within 30 s"
tail -c +$((sent + 1)) "$work/received" | cmp "$work/expected" - >&2 ||
  fail "expected from zeloractl: $(od -c "$work/expected") saw: $(tail -c +$((sent + 1)) "$work/received" | od -c)"
expect_value "$key" R_timeout 'REG_BINARY 0000000000004E40' # 60.0
status=0; timeout 60 wine "$inst/zeloractl.exe" inquire &>>"$work/wine.log" || status=$?
((status == 6)) || fail "expected zeloractl inquire to say LPT1 cannot answer (6), saw $status"
timeout 60 wine 'C:\Program Files\Zelora\Uninstall.exe' /S &>>"$work/wine.log" || fail "uninstaller"
# It goes on from a copy of itself and returns at once.
wait_for 120 test ! -e "$inst" || fail "expected the install folder gone, saw: $(find "$inst")"
[[ ! -e "$lnk" ]] || fail "expected the Start menu's shortcut gone"
expect_value "$key" R_timeout 'REG_BINARY 0000000000004E40'
echo "Windows end-to-end test passed"
