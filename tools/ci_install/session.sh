#!/bin/bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs inside the installed root as the ordinary user, under xvfb-run: starts
# the program the way its desktop entry does, sets the time-out with the
# keyboard, clicks Send, waits for the file that the port's bytes are copied
# into to take the expected number, then clicks Exit and waits for the
# program to end.
#   session.sh <desktop entry> <new time-out> <port copy> <bytes expected>
#              <client width> <client height> <Send x> <Send y> <Exit x> <Exit y>
# Positions are layout pixels (the window scales them with its font).
set -uo pipefail
entry=$1 timeout_value=$2 port_copy=$3 bytes=$4 client_w=$5 client_h=$6
send_x=$7 send_y=$8 exit_x=$9 exit_y=${10}

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR

fail() {
  echo "session: $*" >&2
  [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null
  exit 1
}

# Exec= (without field codes: no files are passed) and Path= of the
# installed entry's main group, as a desktop would start it.
entry_key() { sed -n "/^\[Desktop Entry\]/,/^\[/ s/^$1=//p" "$entry"; }
exec_line=$(entry_key Exec | sed 's/ %[A-Za-z]//g')
work_dir=$(entry_key Path)
[[ -n "$exec_line" ]] || fail "expected an Exec= line in $entry, saw none"
cd "${work_dir:-$HOME}" || fail "expected the entry's Path= folder '$work_dir', it is missing"
# shellcheck disable=SC2086 # Exec= holds a command line
$exec_line &
pid=$!

wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zelora$' | head -n 1)
[[ -n "$wid" ]] || fail "expected a window named Zelora within 30 s, saw none"
eval "$(xdotool getwindowgeometry --shell "$wid")" # WIDTH, HEIGHT
click() {
  xdotool mousemove --window "$wid" $(($1 * WIDTH / client_w)) $(($2 * HEIGHT / client_h)) \
    click 1
}

# No window manager: give the window the keyboard focus ourselves. It opens
# with the focus on the tab bar; Tab goes on to the time-out field.
xdotool windowfocus --sync "$wid"
xdotool key Tab ctrl+a
xdotool type "$timeout_value"
click "$send_x" "$send_y"

for _ in $(seq 100); do
  (($(stat -c %s "$port_copy") >= bytes)) && break
  sleep 0.1
done

click "$exit_x" "$exit_y"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null &&
  fail "expected the program to end within 10 s of Exit, it is still running (a message box open?)"
wait "$pid"
status=$?
((status == 0)) || fail "expected the program to end with status 0, saw $status"
