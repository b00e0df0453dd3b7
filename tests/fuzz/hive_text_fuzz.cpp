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

// The full path of a key, built from its parents.
std::string PathOf(const Hive& hive, std::size_t index) {
  std::string path = hive.keys()[index].name;
  for (std::size_t p = hive.keys()[index].parent; p != Hive::kRoot; p = hive.keys()[p].parent) {
    path = hive.keys()[p].name + '\\' + path;
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
  for (std::size_t i = 0; i < hive->keys().size(); ++i) {
    const HiveKey& key = hive->keys()[i];
    // Parents come first, so that the writer can build paths in one pass.
    FUZZ_CHECK(key.parent == Hive::kRoot || key.parent < i);
    FUZZ_CHECK(zelora::ValidHiveKeyPath(PathOf(*hive, i)));
    FUZZ_CHECK(hive->Find(PathOf(*hive, i)) == &key);
    for (const HiveValue& value : key.values) {
      FUZZ_CHECK(value.data.size() <= zelora::hive_text::kMaxValueSize);
      FUZZ_CHECK(zelora::ValidHiveValueName(value.name));
    }
  }

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
