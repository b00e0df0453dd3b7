// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>

#include "control_values.h"
#include "settings_record.h"

namespace zelora {

class RegistryBackend;

// The settings-key value that names the printer port.
inline constexpr std::string_view kPortValue = "Port";

// A field of the settings record, of one of its three kinds.
using RecordField = std::variant<std::int32_t SettingsRecord::*, bool SettingsRecord::*,
                                 long double SettingsRecord::*>;

// Where a setting lives: the control its value is read from (by index, checked
// state or spin value, after the record field's kind), its settings-key value
// and its record field.
struct SettingPlace {
  Setting setting;
  Control control;
  std::string_view value_name;
  RecordField field;
};

// The eighteen settings in their order; also the order of Store all settings.
inline constexpr std::array<SettingPlace, kSettingCount> kSettingPlaces{{
    {Setting::Baudrate, Control::ComBaudrate, "R_baudrate", &SettingsRecord::baudrate},
    {Setting::Timeout, Control::SpinTimeout, "R_timeout", &SettingsRecord::timeout},
    {Setting::Powersave, Control::ComPowersave, "R_powersave", &SettingsRecord::powersave},
    {Setting::Autocont, Control::ChkAutocont, "R_autocont", &SettingsRecord::autocont},
    {Setting::Jamrecover, Control::ChkJamrecover, "R_jamrecover", &SettingsRecord::jamrecover},
    {Setting::Robust, Control::ChkRobust, "R_robust", &SettingsRecord::robust},
    {Setting::Papersize, Control::ComPapersize, "R_papersize", &SettingsRecord::papersize},
    {Setting::Source, Control::ComSource, "R_source", &SettingsRecord::source},
    {Setting::Lpi, Control::SpinLpi, "R_lpi", &SettingsRecord::lpi},
    {Setting::Copies, Control::SpinCopies, "R_copies", &SettingsRecord::copies},
    {Setting::Orientation, Control::BtnPortrait, "R_orientation", &SettingsRecord::orientation},
    {Setting::Papertype, Control::GrpPapertype, "R_papertype", &SettingsRecord::papertype},
    {Setting::Typeface, Control::ListTypeface, "R_typeface", &SettingsRecord::typeface},
    {Setting::Symbol, Control::ListSymbol, "R_symbol", &SettingsRecord::symbol},
    {Setting::Pitch, Control::SpinPitch, "R_pitch", &SettingsRecord::pitch},
    {Setting::Point, Control::SpinPoint, "R_point", &SettingsRecord::point},
    {Setting::Density, Control::GrpDensity, "R_density", &SettingsRecord::density},
    {Setting::Economode, Control::GrpEconomode, "R_economode", &SettingsRecord::economode},
}};

constexpr const SettingPlace& PlaceOf(Setting setting) {
  return kSettingPlaces[static_cast<std::size_t>(setting)];
}

static_assert(
    [] {
      for (std::size_t i = 0; i < kSettingPlaces.size(); ++i) {
        if (kSettingPlaces[i].setting != static_cast<Setting>(i)) return false;
      }
      return true;
    }(),
    "kSettingPlaces is indexed by Setting");

// Whether the setting's control differs from its record field: exact
// inequality, floating values at full precision.
bool ControlDiffers(const SettingPlace& place, const ControlValues& controls,
                    const SettingsRecord& record);

// One setting between its record field and its control, by the field's kind:
// checked state, list index or spin value.
void RecordToControl(const SettingPlace& place, const SettingsRecord& record,
                     ControlValues& controls);
void ControlToRecord(const SettingPlace& place, const ControlValues& controls,
                     SettingsRecord& record);

// The operations that move values between the settings record, the controls
// and the settings key HKEY_LOCAL_MACHINE\Software\Quorvan\Zelora. Each one
// makes its own key access and ends it before returning, also when a
// RegistryError passes through.
class SettingsStore {
 public:
  explicit SettingsStore(RegistryBackend& backend) : backend_(backend) {}

  // Pushes a record into the controls (the control transfer).
  using PushFn = std::function<void(const SettingsRecord&, ControlValues&)>;

  // Reads the key into the record (load defaults for missing values, factory
  // defaults and x = y = 0 when the key does not open), then pushes and, unless
  // record.reload is set, moves the window. Throws RegistryError on a value of
  // the wrong type or size; the record keeps what was read before it.
  void LoadSettings(SettingsRecord& record, ControlValues& controls, const PushFn& push) const;

  // After a successful port write: writes the control's current value when it
  // differs from the record. Silently does nothing when the key cannot be
  // opened for writing. Orientation also updates record.orientation.
  void StoreSetting(Setting setting, const ControlValues& controls, SettingsRecord& record) const;

  void StoreWidth(const ControlValues& controls, const SettingsRecord& record) const;
  void StoreHeight(const ControlValues& controls, const SettingsRecord& record) const;

  // Writes the eighteen settings from the controls, unconditionally.
  void StoreAllSettings(const ControlValues& controls) const;

  // x, y := the window's left and top edges; writes R_x and R_y.
  void StoreWindowPosition(const ControlValues& controls, SettingsRecord& record) const;

  // The printer port chosen in the settings key (the text value kPortValue),
  // empty for the built-in one: no key, no value or an empty one. Throws
  // RegistryError for a value that is not a text. The window never writes it.
  std::string LoadPort() const;
  // For the port tool: stores or removes the value. False when the key
  // cannot be opened for writing; throws RegistryError on a refused write.
  bool StorePort(std::string_view value) const;
  bool RemovePort() const;

 private:
  RegistryBackend& backend_;
};

}  // namespace zelora
