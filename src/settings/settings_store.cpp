// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_store.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "registry_error.h"
#include "settings_key.h"

namespace zelora {
namespace {

struct StoredValue {
  std::string_view name;
  RecordField field;
};

constexpr StoredValue kX{"R_x", &SettingsRecord::x};
constexpr StoredValue kY{"R_y", &SettingsRecord::y};
constexpr StoredValue kWidth{"R_width", &SettingsRecord::width};
constexpr StoredValue kHeight{"R_height", &SettingsRecord::height};

StoredValue ValueOf(const SettingRow& row) { return {row.value_name, row.field}; }

// Reads a value into its field when the key has it. The field is assigned
// only after a successful read.
void LoadValue(const SettingsKey& key, const StoredValue& value, SettingsRecord& record) {
  if (!key.ValueExists(value.name)) return;
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(record.*member)>;
        if constexpr (std::is_same_v<T, bool>) {
          record.*member = key.ReadBool(value.name);
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
          record.*member = key.ReadInteger(value.name);
        } else {
          record.*member = key.ReadFloat(value.name);
        }
      },
      value.field);
}

void WriteValue(SettingsKey& key, std::string_view name, bool value) { key.WriteBool(name, value); }
void WriteValue(SettingsKey& key, std::string_view name, std::int32_t value) {
  key.WriteInteger(name, value);
}
void WriteValue(SettingsKey& key, std::string_view name, long double value) {
  key.WriteFloat(name, value);
}

void CheckKind(const SettingRow& row, const SettingValue& value) {
  std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(SettingsRecord{}.*member)>;
        ValueAs<T>(value, row.value_name);
      },
      row.field);
}

// Writes the value when it differs from the record's field (exact comparison,
// floating values at full precision). True when it wrote.
bool StoreIfChanged(SettingsKey& key, const SettingValue& value, const StoredValue& stored,
                    const SettingsRecord& record) {
  return std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(record.*member)>;
        const T current = ValueAs<T>(value, stored.name);
        if (current == record.*member) return false;
        WriteValue(key, stored.name, current);
        return true;
      },
      stored.field);
}

}  // namespace

SettingsStore::Hold::Hold(const SettingsStore& store) : store_(store) {
  if (store_.held_ != nullptr) return;
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(store_.backend_);
  if (!key) throw RegistryError(store_.backend_.WriteRefusal(kSettingsKeyPath));
  key_ = std::make_unique<SettingsKey>(std::move(*key));
  store_.held_ = key_.get();
}

SettingsStore::Hold::~Hold() {
  if (key_) store_.held_ = nullptr;
}

template <typename Store>
void SettingsStore::WithWritableKey(Store&& store) const {
  if (held_ != nullptr) {
    store(*held_);
    return;
  }
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (key) store(*key);
}

void SettingsStore::LoadSettings(SettingsRecord& record) const {
  // A value the key lacks (or that a bad value before it kept from being
  // read) was never sent: it reads as what the window shows before any key
  // exists, the factory setting, not as a value the printer was never told.
  record.x = 0;
  record.y = 0;
  SetFactoryDefaults(record);
  std::optional<SettingsKey> key = SettingsKey::OpenForReading(backend_);
  if (!key) return;
  // The load order: x, y, the eighteen settings, width, height.
  LoadValue(*key, kX, record);
  LoadValue(*key, kY, record);
  for (const SettingRow& row : kSettingTable) LoadValue(*key, ValueOf(row), record);
  LoadValue(*key, kWidth, record);
  LoadValue(*key, kHeight, record);
}

void SettingsStore::StoreSetting(Setting setting, const SettingValue& value,
                                 SettingsRecord& record) const {
  const SettingRow& row = RowOf(setting);
  // Checked before the key opens, so that a wrong kind writes nothing.
  CheckKind(row, value);
  WithWritableKey([&](SettingsKey& key) {
    const bool wrote = StoreIfChanged(key, value, ValueOf(row), record);
    if (wrote && setting == Setting::Orientation) {
      record.orientation = ValueAs<bool>(value, row.value_name);
    }
  });
}

void SettingsStore::StoreWidth(long double width, const SettingsRecord& record) const {
  WithWritableKey([&](SettingsKey& key) { StoreIfChanged(key, width, kWidth, record); });
}

void SettingsStore::StoreHeight(long double height, const SettingsRecord& record) const {
  WithWritableKey([&](SettingsKey& key) { StoreIfChanged(key, height, kHeight, record); });
}

void SettingsStore::StoreAllSettings(const SettingValues& values) const {
  // Every kind checked before the key opens, so that a wrong one writes nothing.
  for (const SettingRow& row : kSettingTable) {
    CheckKind(row, values[static_cast<std::size_t>(row.setting)]);
  }
  WithWritableKey([&](SettingsKey& key) {
    for (const SettingRow& row : kSettingTable) {
      std::visit([&](auto held) { WriteValue(key, row.value_name, held); },
                 values[static_cast<std::size_t>(row.setting)]);
    }
  });
}

void SettingsStore::StoreWindowPosition(std::int32_t x, std::int32_t y,
                                        SettingsRecord& record) const {
  WithWritableKey([&](SettingsKey& key) {
    record.x = x;
    record.y = y;
    key.WriteInteger(kX.name, record.x);
    key.WriteInteger(kY.name, record.y);
  });
}

std::string SettingsStore::LoadPort() const {
  const std::optional<SettingsKey> key = SettingsKey::OpenForReading(backend_);
  if (!key) {
    // Settings this user may not read are not settings without a port.
    if (std::string why = backend_.ReadRefusal(kSettingsKeyPath); !why.empty()) {
      throw RegistryError(why);
    }
    return {};
  }
  if (!key->ValueExists(kPortValue)) return {};
  return key->ReadString(kPortValue);
}

bool SettingsStore::StorePort(std::string_view value) const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return false;
  key->WriteString(kPortValue, value);
  return true;
}

bool SettingsStore::RemovePort() const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return false;
  key->DeleteValue(kPortValue);
  return true;
}

}  // namespace zelora
