#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) and
# fuzzes each for a bounded time, starting from its committed corpus. Any
# finding (a crash, a failed property, a leak, an input slower than the time
# limit or one that needs more memory than the cap) fails the script; the
# input is left in the build directory for tests/fuzz/regressions/<target>/.
#   ZELORA_FUZZ_SECONDS  time per target (default 60)
# Arguments: the targets to fuzz (default: all).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_deps.sh

seconds="${ZELORA_FUZZ_SECONDS:-60}"
# The fuzz preset of CMakePresets.json.
build_dir=build-fuzz
targets=("$@")
((${#targets[@]})) || targets=(hive_text spin_field)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# The settings file is at most 1 MiB and a spin field's text is short: inputs
# well beyond the bounds still reach the size checks. Memory per input is
# capped, so that an input that makes a parser grow out of proportion is a
# finding and not just a slow run.
declare -A max_len=([hive_text]=300000 [spin_field]=20000)
for target in "${targets[@]}"; do
  work="$build_dir/fuzz-work/$target"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/findings"
  echo "== fuzzing $target for ${seconds}s"
  # New inputs go to the work copy; the committed ones are only read.
  "$build_dir/tests/fuzz/${target}_fuzz" \
    -max_total_time="$seconds" -max_len="${max_len[$target]}" \
    -rss_limit_mb=1024 -malloc_limit_mb=256 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/findings/" \
    "$work/corpus" "tests/fuzz/corpus/$target" "tests/fuzz/regressions/$target" ||
    { echo "fuzz: $target found a fault; its input is in $work/findings" >&2; exit 1; }
done
echo "fuzz: no findings"
