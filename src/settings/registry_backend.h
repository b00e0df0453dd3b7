// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelora {

// Value types, with the registry's own numbers so that every backend stores
// and reports exactly what the registry would.
namespace reg_type {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSz = 1;
inline constexpr std::uint32_t kExpandSz = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
inline constexpr std::uint32_t kDwordBigEndian = 5;
inline constexpr std::uint32_t kLink = 6;
inline constexpr std::uint32_t kMultiSz = 7;
inline constexpr std::uint32_t kQword = 11;
}  // namespace reg_type

// Access rights asked for when a key is opened (the registry's numbers).
enum class KeyAccess : std::uint32_t {
  kAllAccess = 0xF003F,
  kRead = 0x20019,
};

enum class QueryStatus {
  kSuccess,
  kNotFound,
  kMoreData,  // the value is larger than the buffer given
  kError,
};

struct QueryResult {
  QueryStatus status = QueryStatus::kError;
  std::uint32_t type = reg_type::kNone;
  // Size of the value's data in bytes, also when it did not fit the buffer.
  std::uint32_t size = 0;
  // The data, only on success with a buffer.
  std::vector<std::uint8_t> data;
};

// An open key below HKEY_LOCAL_MACHINE. Destroying it closes it.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  RegistryKey() = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Queries a value. Without a buffer (nullopt) only its type and size are
  // asked for; with one, data larger than buffer_size gives kMoreData.
  virtual QueryResult QueryValue(std::string_view name,
                                 std::optional<std::uint32_t> buffer_size) = 0;

  // Creates or replaces a value. False when the write was refused.
  virtual bool SetValue(std::string_view name, std::uint32_t type,
                        std::span<const std::uint8_t> data) = 0;

  // Removes a value. True when it is gone, also when there was none; false
  // when the removal was refused.
  virtual bool DeleteValue(std::string_view name) = 0;
};

// The few registry calls the program makes, on keys given relative to
// HKEY_LOCAL_MACHINE ("Software\\Quorvan\\Zelora"). A backend may throw
// RegistryError when its own store is unusable (a damaged file, say).
class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  // Opens an existing key; nullptr when it does not exist or the access
  // asked for is not granted.
  virtual std::unique_ptr<RegistryKey> OpenKey(std::string_view path, KeyAccess access) = 0;

  // Opens the key with full access, creating every missing level; nullptr
  // when that is not possible.
  virtual std::unique_ptr<RegistryKey> CreateKey(std::string_view path) = 0;

  // Why the key at `path` exists but this user may not read it, in a
  // sentence; empty when it can be read or is not there. Such a key would
  // otherwise look like none.
  virtual std::string ReadRefusal(std::string_view path);
  // Why CreateKey(path) gave nullptr, in a sentence naming the store and who
  // may write it.
  virtual std::string WriteRefusal(std::string_view path);
};

// Key and value names compare case-insensitively (ASCII), as in the registry.
inline bool SameRegistryName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The registry on Windows, the hive file in ZELORA_HIVE_DIR elsewhere.
std::unique_ptr<RegistryBackend> MakePlatformRegistry();

}  // namespace zelora
