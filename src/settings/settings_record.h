// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace zelora {

// What the printer was last told (or what the settings key says it was told),
// plus the custom paper size and the window position. Field order matters: it
// is the order of the settings key values and of the load.
struct SettingsRecord {
  bool reload = false;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t baudrate = 0;
  long double timeout = 0;
  std::int32_t powersave = 0;
  bool autocont = false;
  bool jamrecover = false;
  bool robust = false;
  std::int32_t papersize = 0;
  std::int32_t source = 0;
  long double lpi = 0;
  long double copies = 0;
  bool orientation = false;  // true = portrait
  std::int32_t papertype = 0;
  std::int32_t typeface = 0;
  std::int32_t symbol = 0;
  long double pitch = 0;
  long double point = 0;
  std::int32_t density = 0;
  std::int32_t economode = 0;
  long double width = 0;
  long double height = 0;

  bool operator==(const SettingsRecord&) const = default;
};

// The eighteen printer settings, in the order the Send pass visits them.
enum class Setting {
  Baudrate,
  Timeout,
  Powersave,
  Autocont,
  Jamrecover,
  Robust,
  Papersize,
  Source,
  Lpi,
  Copies,
  Orientation,
  Papertype,
  Typeface,
  Symbol,
  Pitch,
  Point,
  Density,
  Economode,
};
inline constexpr int kSettingCount = 18;

// A setting's value, of its record field's kind: a list index, a checked state
// or a spin value.
using SettingValue = std::variant<std::int32_t, bool, long double>;
using SettingValues = std::array<SettingValue, kSettingCount>;

// The value as the field's kind; a value of another kind is a caller's
// mistake and throws std::invalid_argument naming the stored value.
template <typename T>
T ValueAs(const SettingValue& value, std::string_view name) {
  if (const T* held = std::get_if<T>(&value)) return *held;
  throw std::invalid_argument("a value of the wrong kind for '" + std::string(name) + "'");
}

// The setting's record field as a value, and a value into that field. A value
// of another kind than the field's throws std::invalid_argument.
SettingValue RecordValue(Setting setting, const SettingsRecord& record);
void SetRecordValue(Setting setting, const SettingValue& value, SettingsRecord& record);

// Whether a value differs from the setting's record field: exact inequality,
// floating values at full precision.
bool DiffersFromRecord(Setting setting, const SettingValue& value, const SettingsRecord& record);

// The record the window holds before anything is loaded (x and y are 0;
// reload is false); the factory defaults are made from it.
SettingsRecord LoadDefaults();

// Factory defaults for the twenty fields baudrate .. height; reload, x and y
// keep their values.
void SetFactoryDefaults(SettingsRecord& record);

}  // namespace zelora
