// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the settings-file text near its size limit, and how the
// cost grows with the size of the text; and the file itself read and stored
// at the limit.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "hive_file_registry.h"
#include "hive_text.h"
#include "settings_key.h"

namespace {

using zelora::hive_text::kMaxTextSize;

// A text of about `size` bytes in one of three shapes: many small values in
// one key, one section per key, or long hexadecimal values.
std::string Text(std::size_t size, int shape) {
  std::string text = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quorvan\\Zelora]\n";
  for (int i = 0; text.size() < size; ++i) {
    std::string line;
    if (shape == 0) {
      line = "\"R_" + std::to_string(i) + "\"=dword:0000000" + std::to_string(i % 10) + "\n";
    } else if (shape == 1) {
      line = "[HKEY_LOCAL_MACHINE\\Software\\k" + std::to_string(i) + "]\n";
    } else {
      line = "\"v" + std::to_string(i) + "\"=hex:";
      for (int b = 0; b < 1000; ++b) line += b ? ",ab" : "ab";
      line += "\n";
    }
    if (text.size() + line.size() > size) break;
    text += line;
  }
  return text;
}

void BM_Parse(benchmark::State& state, int shape) {
  const std::string text = Text(static_cast<std::size_t>(state.range(0)), shape);
  for (auto _ : state) benchmark::DoNotOptimize(zelora::ParseHiveText(text));
  state.SetComplexityN(static_cast<std::int64_t>(text.size()));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_Write(benchmark::State& state, int shape) {
  const std::string text = Text(static_cast<std::size_t>(state.range(0)), shape);
  const zelora::Hive hive = zelora::ParseHiveText(text);
  for (auto _ : state) benchmark::DoNotOptimize(zelora::WriteHiveText(hive));
  state.SetComplexityN(static_cast<std::int64_t>(text.size()));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

// Each shape on its own, so that each gets its own fit: 32 KiB to the limit.
#define ZELORA_SIZES(family, name, shape)                        \
  BENCHMARK_CAPTURE(family, name, shape)                         \
      ->RangeMultiplier(2)                                       \
      ->Range(32 << 10, static_cast<std::int64_t>(kMaxTextSize)) \
      ->Complexity(benchmark::oN)                                \
      ->Unit(benchmark::kMillisecond)
ZELORA_SIZES(BM_Parse, values, 0);
ZELORA_SIZES(BM_Parse, keys, 1);
ZELORA_SIZES(BM_Parse, long_values, 2);
ZELORA_SIZES(BM_Write, values, 0);
ZELORA_SIZES(BM_Write, keys, 1);
ZELORA_SIZES(BM_Write, long_values, 2);

// One load and one store of a value on a file at the limit, in the
// directory given by ZELORA_BENCH_DIR (default: the temporary directory).
void BM_FileAtLimit(benchmark::State& state) {
  const char* base = std::getenv("ZELORA_BENCH_DIR");
  const std::filesystem::path dir =
      std::filesystem::path(base ? base : std::filesystem::temp_directory_path().string()) /
      "zelora-bench-hive";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "HKEY_LOCAL_MACHINE.reg", std::ios::binary) << Text(kMaxTextSize - 200, 0);
  zelora::HiveFileRegistry registry(dir);
  for (auto _ : state) {
    if (state.range(0) == 0) {
      auto key = zelora::SettingsKey::OpenForReading(registry);
      benchmark::DoNotOptimize(key->ReadInteger("R_1"));
    } else {
      auto key = zelora::SettingsKey::OpenForWriting(registry);
      key->WriteInteger("R_1", static_cast<std::int32_t>(state.iterations()));
    }
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_FileAtLimit)->Arg(0)->Arg(1)->ArgNames({"store"})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
