// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_key.h"

#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace zelora {

static_assert(std::endian::native == std::endian::little,
              "registry data is little-endian and is copied as it is");

std::optional<SettingsKey> SettingsKey::OpenForReading(RegistryBackend& backend) {
  if (auto key = backend.OpenKey(kSettingsKeyPath, KeyAccess::kAllAccess)) {
    return SettingsKey(std::move(key));
  }
  if (auto key = backend.OpenKey(kSettingsKeyPath, KeyAccess::kRead)) {
    return SettingsKey(std::move(key));
  }
  return std::nullopt;
}

std::optional<SettingsKey> SettingsKey::OpenForWriting(RegistryBackend& backend) {
  if (auto key = backend.CreateKey(kSettingsKeyPath)) {
    return SettingsKey(std::move(key));
  }
  return std::nullopt;
}

bool SettingsKey::ValueExists(std::string_view name) const {
  return key_->QueryValue(name, std::nullopt).status == QueryStatus::kSuccess;
}

std::int32_t SettingsKey::ReadInteger(std::string_view name) const {
  QueryResult result = key_->QueryValue(name, sizeof(std::int32_t));
  if (result.status != QueryStatus::kSuccess) {
    throw RegistryError::FailedToGetData(name);
  }
  // A REG_DWORD shorter than four bytes would leave part of the integer
  // undefined, so it counts as the wrong type too.
  if (result.type != reg_type::kDword || result.data.size() != sizeof(std::int32_t)) {
    throw RegistryError::InvalidDataType(name);
  }
  std::int32_t value = 0;
  std::memcpy(&value, result.data.data(), sizeof value);
  return value;
}

bool SettingsKey::ReadBool(std::string_view name) const { return ReadInteger(name) != 0; }

long double SettingsKey::ReadFloat(std::string_view name) const {
  QueryResult result = key_->QueryValue(name, sizeof(double));
  if (result.status != QueryStatus::kSuccess) {
    throw RegistryError::FailedToGetData(name);
  }
  if (result.type != reg_type::kBinary || result.data.size() != sizeof(double)) {
    throw RegistryError::InvalidDataType(name);
  }
  double value = 0;
  std::memcpy(&value, result.data.data(), sizeof value);
  return static_cast<long double>(value);
}

std::string SettingsKey::ReadString(std::string_view name) const {
  QueryResult result = key_->QueryValue(name, kMaxStringSize);
  if (result.status != QueryStatus::kSuccess) {
    throw RegistryError::FailedToGetData(name);
  }
  if (result.type != reg_type::kSz) throw RegistryError::InvalidDataType(name);
  // The text ends at its terminating zero, if it has one.
  std::string text(result.data.begin(), result.data.end());
  if (const std::size_t end = text.find('\0'); end != std::string::npos) text.resize(end);
  return text;
}

void SettingsKey::WriteString(std::string_view name, std::string_view value) {
  std::vector<std::uint8_t> bytes(value.begin(), value.end());
  bytes.push_back(0);
  if (value.find('\0') != std::string_view::npos || bytes.size() > kMaxStringSize ||
      !key_->SetValue(name, reg_type::kSz, bytes)) {
    throw RegistryError::FailedToSetData(name);
  }
}

void SettingsKey::DeleteValue(std::string_view name) {
  if (!key_->DeleteValue(name)) throw RegistryError::FailedToSetData(name);
}

void SettingsKey::WriteInteger(std::string_view name, std::int32_t value) {
  std::array<std::uint8_t, sizeof value> bytes{};
  std::memcpy(bytes.data(), &value, sizeof value);
  if (!key_->SetValue(name, reg_type::kDword, bytes)) {
    throw RegistryError::FailedToSetData(name);
  }
}

void SettingsKey::WriteBool(std::string_view name, bool value) {
  WriteInteger(name, value ? 1 : 0);
}

void SettingsKey::WriteFloat(std::string_view name, long double value) {
  const double rounded = static_cast<double>(value);
  std::array<std::uint8_t, sizeof rounded> bytes{};
  std::memcpy(bytes.data(), &rounded, sizeof rounded);
  if (!key_->SetValue(name, reg_type::kBinary, bytes)) {
    throw RegistryError::FailedToSetData(name);
  }
}

}  // namespace zelora
