// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zelora {

// HKEY_LOCAL_MACHINE in memory, and its text in the registry-export format:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software]
//
//   [HKEY_LOCAL_MACHINE\Software\Quorvan]
//   "R_x"=dword:0000000a
//   "R_timeout"=hex:00,00,00,00,00,00,34,40
//   "R_name"="text with \\ and \""
//   "R_big"=hex(5):00,00,00,0a
//
// Every key level has its own section; every value type round-trips byte for
// byte. Plain C++ so that it can be read and checked on any platform.
namespace hive_text {
inline constexpr std::size_t kMaxTextSize = std::size_t{1} << 20;
inline constexpr std::size_t kMaxValueSize = std::size_t{64} << 10;
// The registry's own bounds on keys: levels below the root, and characters
// of one level's name.
inline constexpr std::size_t kMaxKeyDepth = 512;
inline constexpr std::size_t kMaxKeyNameSize = 255;
}  // namespace hive_text

struct HiveValue {
  std::string name;  // empty for the default value
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

struct HiveKey {
  std::string name;        // this level's own name
  std::size_t parent = 0;  // index of the parent key; the root's children have kRoot
  std::vector<HiveValue> values;

  HiveValue* Find(std::string_view value_name);
  const HiveValue* Find(std::string_view value_name) const;
};

// Keys in file order; a parent always comes before its children. Each level
// is kept by its own name under its parent, so that a deep path costs memory
// in proportion to its length, not to its square.
class Hive {
 public:
  static constexpr std::size_t kRoot = static_cast<std::size_t>(-1);

  const std::vector<HiveKey>& keys() const { return keys_; }
  HiveKey& key(std::size_t index) { return keys_[index]; }

  // The key at a path relative to the root ("Software\\Quorvan"), or null.
  HiveKey* Find(std::string_view path);
  const HiveKey* Find(std::string_view path) const;
  // Creates every missing level of a path; true when something was created.
  bool Ensure(std::string_view path);

  // The child called `name` of key `parent` (kRoot for the top level), added
  // when missing. Returns its index in keys().
  std::size_t Child(std::size_t parent, std::string_view name);

 private:
  std::optional<std::size_t> FindChild(std::size_t parent, std::string_view name) const;
  static std::string IndexKey(std::size_t parent, std::string_view name);

  std::vector<HiveKey> keys_;
  std::unordered_map<std::string, std::size_t> index_;  // IndexKey → position in keys_
};

// The text does not parse. what() reads "damaged at line N: <reason>".
class HiveTextError : public std::runtime_error {
 public:
  HiveTextError(int line, const std::string& reason);
  int line() const { return line_; }

 private:
  int line_;
};

// Why a key path relative to the root cannot be used, or nullopt when it can:
// it needs non-empty levels without control characters, within the bounds.
std::optional<std::string> HiveKeyPathFault(std::string_view path);
inline bool ValidHiveKeyPath(std::string_view path) { return !HiveKeyPathFault(path); }
// A value name without control characters (empty: the default value).
bool ValidHiveValueName(std::string_view name);

// Reads the text form. Strict: whatever it does not understand (a text larger
// than kMaxTextSize included) throws HiveTextError, so that nothing of a file
// is lost by rewriting it. An empty text is a hive without keys.
Hive ParseHiveText(std::string_view text);

// The text form, or nullopt when it would be larger than kMaxTextSize.
std::optional<std::string> WriteHiveText(const Hive& hive);

}  // namespace zelora
