#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks (Release) and runs them all; each prints its figures
# and its ratio against the goal. They report, they never fail.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_deps.sh

# The bench preset of CMakePresets.json.
build_dir=build-bench
cmake --preset bench >/dev/null
cmake --build --preset bench --target zelora_bench_hive_text zelora_bench_demo_stream \
  zelora_bench_send zelora_bench_socket zelora_bench_startup zelora_bench_startup_probe \
  zelora_bench_bare_window zelora
bench="$build_dir/bench"

runtime_dir="$(mktemp -d)"
chmod 700 "$runtime_dir"
trap 'rm -rf "$runtime_dir"' EXIT
startup=("$bench/zelora_bench_startup" "${ZELORA_STARTUP_RUNS:-61}"
  "$PWD/$bench/libzelora_bench_startup_probe.so"
  "$PWD/$build_dir/src/app/zelora" "$PWD/$bench/zelora_bench_bare_window")
# A desktop session has a session bus; without one, the toolkit's
# accessibility bridge has the D-Bus library try (and fail) to start one for
# every program that shows text, a cost no desktop user pays. Both are shown.
echo "== start-up (Xvfb, xcb platform, session bus as on a desktop): the built program against a bare window"
XDG_RUNTIME_DIR="$runtime_dir" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
  dbus-run-session -- "${startup[@]}" 2>&1 | grep -v 'Failed to set fd limit'
echo "== start-up (Xvfb alone, no session bus)"
XDG_RUNTIME_DIR="$runtime_dir" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
  env -u DBUS_SESSION_BUS_ADDRESS "${startup[@]}"

echo "== demonstration stream"
"$bench/zelora_bench_demo_stream" resources/demo/k4xdemo.prn.txt

echo "== Send pass"
"$bench/zelora_bench_send" "$build_dir"

echo "== socket port (loopback test printer)"
"$bench/zelora_bench_socket" resources/demo/k4xdemo.prn.txt

echo "== settings file text"
ZELORA_BENCH_DIR="$build_dir" "$bench/zelora_bench_hive_text" --benchmark_min_time=0.2 |
  grep -E 'BigO|RMS|1048576|FileAtLimit|^Run|^---'
