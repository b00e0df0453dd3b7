#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine for the build and CTest, its output passed
# on through files. A program's first window starts Wine's desktop process,
# which inherits the program's output and lingers for seconds after it ends:
# with pipes, CTest would wait for it after every window test.
out="$(mktemp)" && err="$(mktemp)" || exit 125
wine "$@" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit "$status"
