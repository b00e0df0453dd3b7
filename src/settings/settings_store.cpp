// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_store.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>

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

StoredValue ValueOf(const SettingPlace& place) { return {place.value_name, place.field}; }

// Reads a value into its field (or the load default when it is missing). The
// field is assigned only after a successful read.
void LoadValue(const SettingsKey& key, const StoredValue& value, const SettingsRecord& defaults,
               SettingsRecord& record) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(record.*member)>;
        if (!key.ValueExists(value.name)) {
          record.*member = defaults.*member;
        } else if constexpr (std::is_same_v<T, bool>) {
          record.*member = key.ReadBool(value.name);
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
          record.*member = key.ReadInteger(value.name);
        } else {
          record.*member = key.ReadFloat(value.name);
        }
      },
      value.field);
}

// The control's current value in the field's kind.
template <typename T>
T ReadControl(const ControlValues& controls, Control control) {
  if constexpr (std::is_same_v<T, bool>) {
    return controls.Checked(control);
  } else if constexpr (std::is_same_v<T, std::int32_t>) {
    return controls.ItemIndex(control);
  } else {
    return controls.SpinValue(control);
  }
}

void WriteValue(SettingsKey& key, std::string_view name, bool value) { key.WriteBool(name, value); }
void WriteValue(SettingsKey& key, std::string_view name, std::int32_t value) {
  key.WriteInteger(name, value);
}
void WriteValue(SettingsKey& key, std::string_view name, long double value) {
  key.WriteFloat(name, value);
}

// Writes the control's value when it differs from the record's field (exact
// comparison, floating values at full precision). True when it wrote.
bool StoreIfChanged(SettingsKey& key, const ControlValues& controls, Control control,
                    const StoredValue& value, const SettingsRecord& record) {
  return std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(record.*member)>;
        const T current = ReadControl<T>(controls, control);
        if (current == record.*member) return false;
        WriteValue(key, value.name, current);
        return true;
      },
      value.field);
}

}  // namespace

void SettingsStore::LoadSettings(SettingsRecord& record, ControlValues& controls,
                                 const PushFn& push) const {
  {
    std::optional<SettingsKey> key = SettingsKey::OpenForReading(backend_);
    if (key) {
      const SettingsRecord defaults = LoadDefaults();
      // The load order: x, y, the eighteen settings, width, height.
      LoadValue(*key, kX, defaults, record);
      LoadValue(*key, kY, defaults, record);
      for (const SettingPlace& place : kSettingPlaces) {
        LoadValue(*key, ValueOf(place), defaults, record);
      }
      LoadValue(*key, kWidth, defaults, record);
      LoadValue(*key, kHeight, defaults, record);
    } else {
      record.x = 0;
      record.y = 0;
      SetFactoryDefaults(record);
    }
  }  // end of the key access before the controls are touched
  push(record, controls);
  if (!record.reload) {
    controls.SetWindowLeft(record.x);
    controls.SetWindowTop(record.y);
  }
}

void SettingsStore::StoreSetting(Setting setting, const ControlValues& controls,
                                 SettingsRecord& record) const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return;
  const SettingPlace& place = PlaceOf(setting);
  const bool wrote = StoreIfChanged(*key, controls, place.control, ValueOf(place), record);
  if (wrote && setting == Setting::Orientation) {
    record.orientation = controls.Checked(Control::BtnPortrait);
  }
}

void SettingsStore::StoreWidth(const ControlValues& controls, const SettingsRecord& record) const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return;
  StoreIfChanged(*key, controls, Control::RxSpinEdit1, kWidth, record);
}

void SettingsStore::StoreHeight(const ControlValues& controls, const SettingsRecord& record) const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return;
  StoreIfChanged(*key, controls, Control::RxSpinEdit2, kHeight, record);
}

void SettingsStore::StoreAllSettings(const ControlValues& controls) const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return;
  for (const SettingPlace& place : kSettingPlaces) {
    const StoredValue value = ValueOf(place);
    std::visit(
        [&](auto member) {
          using T = std::remove_cvref_t<decltype(SettingsRecord{}.*member)>;
          WriteValue(*key, value.name, ReadControl<T>(controls, place.control));
        },
        value.field);
  }
}

void SettingsStore::StoreWindowPosition(const ControlValues& controls,
                                        SettingsRecord& record) const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return;
  record.x = controls.WindowLeft();
  record.y = controls.WindowTop();
  key->WriteInteger(kX.name, record.x);
  key->WriteInteger(kY.name, record.y);
}

void RecordToControl(const SettingPlace& place, const SettingsRecord& record,
                     ControlValues& controls) {
  std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(record.*member)>;
        if constexpr (std::is_same_v<T, bool>) {
          controls.SetChecked(place.control, record.*member);
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
          controls.SetItemIndex(place.control, record.*member);
        } else {
          controls.SetSpinValue(place.control, record.*member);
        }
      },
      place.field);
}

void ControlToRecord(const SettingPlace& place, const ControlValues& controls,
                     SettingsRecord& record) {
  std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(record.*member)>;
        record.*member = ReadControl<T>(controls, place.control);
      },
      place.field);
}

bool ControlDiffers(const SettingPlace& place, const ControlValues& controls,
                    const SettingsRecord& record) {
  return std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(record.*member)>;
        return ReadControl<T>(controls, place.control) != record.*member;
      },
      place.field);
}

std::string SettingsStore::LoadPort() const {
  const std::optional<SettingsKey> key = SettingsKey::OpenForReading(backend_);
  if (!key || !key->ValueExists(kPortValue)) return {};
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
