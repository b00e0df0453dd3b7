// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "registry_backend.h"
#include "registry_error.h"

namespace zelora {

// Relative to HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kSettingsKeyPath = "Software\\Quorvan\\Zelora";

// One access to the settings key, from open to close. Integers and booleans
// are REG_DWORD, floating values 8-byte REG_BINARY doubles. Reads and writes
// throw RegistryError with the value name in the text.
class SettingsKey {
 public:
  // Full access, else read access; never creates the key. nullopt when
  // neither opens.
  static std::optional<SettingsKey> OpenForReading(RegistryBackend& backend);
  // Full access, creating every missing level; no fall-back.
  static std::optional<SettingsKey> OpenForWriting(RegistryBackend& backend);

  // Whether the value exists, whatever its type and size.
  bool ValueExists(std::string_view name) const;

  std::int32_t ReadInteger(std::string_view name) const;
  bool ReadBool(std::string_view name) const;
  // The stored double, widened exactly.
  long double ReadFloat(std::string_view name) const;

  void WriteInteger(std::string_view name, std::int32_t value);
  void WriteBool(std::string_view name, bool value);
  // Rounded to the nearest double.
  void WriteFloat(std::string_view name, long double value);

  // A REG_SZ text, without its terminating zero; at most kMaxStringSize
  // bytes of data.
  static constexpr std::uint32_t kMaxStringSize = 4096;
  std::string ReadString(std::string_view name) const;
  void WriteString(std::string_view name, std::string_view value);
  // Removes the value; nothing to do when there is none.
  void DeleteValue(std::string_view name);

 private:
  explicit SettingsKey(std::unique_ptr<RegistryKey> key) : key_(std::move(key)) {}

  std::unique_ptr<RegistryKey> key_;
};

}  // namespace zelora
