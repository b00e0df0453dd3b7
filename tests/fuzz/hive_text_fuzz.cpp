// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings-file text from outside: whatever parses must stay within the
// size limits, be written back, and read again as the same keys and values.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "hive_text.h"

namespace {

using zelora::Hive;
using zelora::HiveKey;
using zelora::HiveValue;

bool SameHive(const Hive& a, const Hive& b) {
  if (a.keys().size() != b.keys().size()) return false;
  for (std::size_t i = 0; i < a.keys().size(); ++i) {
    const HiveKey& x = a.keys()[i];
    const HiveKey& y = b.keys()[i];
    if (x.name != y.name || x.parent != y.parent || x.values.size() != y.values.size()) {
      return false;
    }
    for (std::size_t v = 0; v < x.values.size(); ++v) {
      const HiveValue& p = x.values[v];
      const HiveValue& q = y.values[v];
      if (p.name != q.name || p.type != q.type || p.data != q.data) return false;
    }
  }
  return true;
}

// The full path of a key, its levels gathered first and joined once, so that
// it costs the path's length.
std::string PathOf(const Hive& hive, std::size_t index) {
  std::vector<const std::string*> levels;
  for (std::size_t k = index; k != Hive::kRoot; k = hive.keys()[k].parent) {
    levels.push_back(&hive.keys()[k].name);
  }
  std::string path;
  for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
    if (!path.empty()) path += '\\';
    path += **level;
  }
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<Hive> hive;
  try {
    hive = zelora::ParseHiveText(text);
  } catch (const zelora::HiveTextError& e) {
    FUZZ_CHECK(e.line() >= 1);
    return 0;
  }
  FUZZ_CHECK(size <= zelora::hive_text::kMaxTextSize);
  // Checked level by level, so that a deep key costs its length and not its
  // square: each key is its own level under its parent, the parents come
  // first (so that the writer can build paths in one pass), and looking a
  // level up by its parent and name finds that very key.
  Hive lookup = *hive;
  std::vector<std::size_t> depth(hive->keys().size());
  std::vector<std::size_t> path_size(hive->keys().size());
  // Whole paths are looked up as well, as long as that costs no more than a
  // few times the text.
  std::size_t path_budget = 8 * size + 4096;
  for (std::size_t i = 0; i < hive->keys().size(); ++i) {
    const HiveKey& key = hive->keys()[i];
    const bool top = key.parent == Hive::kRoot;
    FUZZ_CHECK(top || key.parent < i);
    FUZZ_CHECK(key.name.find('\\') == std::string::npos);
    FUZZ_CHECK(zelora::ValidHiveKeyPath(key.name));
    depth[i] = top ? 1 : depth[key.parent] + 1;
    path_size[i] = top ? key.name.size() : path_size[key.parent] + 1 + key.name.size();
    FUZZ_CHECK(depth[i] <= zelora::hive_text::kMaxKeyDepth);
    FUZZ_CHECK(lookup.Child(key.parent, key.name) == i);
    if (path_size[i] <= path_budget) {
      path_budget -= path_size[i];
      FUZZ_CHECK(hive->Find(PathOf(*hive, i)) == &key);
    }
    for (const HiveValue& value : key.values) {
      FUZZ_CHECK(value.data.size() <= zelora::hive_text::kMaxValueSize);
      FUZZ_CHECK(zelora::ValidHiveValueName(value.name));
    }
  }
  FUZZ_CHECK(lookup.keys().size() == hive->keys().size());

  const std::optional<std::string> written = zelora::WriteHiveText(*hive);
  // Every level gets a section of its own with its full path, so a deep key
  // can outgrow the limit when written: refused, never written in part.
  if (!written) return 0;
  FUZZ_CHECK(written->size() <= zelora::hive_text::kMaxTextSize);
  Hive again;
  try {
    again = zelora::ParseHiveText(*written);
  } catch (const zelora::HiveTextError& e) {
    std::fprintf(stderr, "the written text does not parse: %s\n", e.what());
    FUZZ_CHECK(false);
  }
  FUZZ_CHECK(SameHive(*hive, again));
  // Writing is a fixed point after one round.
  FUZZ_CHECK(zelora::WriteHiveText(again) == written);
  return 0;
}
