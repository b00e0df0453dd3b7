#include "settings/settings_store.h"

#include <cstddef>
#include <optional>
#include <type_traits>
#include <variant>

#include "settings/settings_key.h"

namespace zelora {
namespace {

using Field = std::variant<std::int32_t SettingsRecord::*, bool SettingsRecord::*,
                           long double SettingsRecord::*>;

struct StoredValue {
  const char* name;
  Field field;
};

// The load order of the key's values.
constexpr StoredValue kLoadOrder[] = {
    {"R_x", &SettingsRecord::x},
    {"R_y", &SettingsRecord::y},
    {"R_baudrate", &SettingsRecord::baudrate},
    {"R_timeout", &SettingsRecord::timeout},
    {"R_powersave", &SettingsRecord::powersave},
    {"R_autocont", &SettingsRecord::autocont},
    {"R_jamrecover", &SettingsRecord::jamrecover},
    {"R_robust", &SettingsRecord::robust},
    {"R_papersize", &SettingsRecord::papersize},
    {"R_source", &SettingsRecord::source},
    {"R_lpi", &SettingsRecord::lpi},
    {"R_copies", &SettingsRecord::copies},
    {"R_orientation", &SettingsRecord::orientation},
    {"R_papertype", &SettingsRecord::papertype},
    {"R_typeface", &SettingsRecord::typeface},
    {"R_symbol", &SettingsRecord::symbol},
    {"R_pitch", &SettingsRecord::pitch},
    {"R_point", &SettingsRecord::point},
    {"R_density", &SettingsRecord::density},
    {"R_economode", &SettingsRecord::economode},
    {"R_width", &SettingsRecord::width},
    {"R_height", &SettingsRecord::height},
};

struct StoredSetting {
  Setting setting;
  Control control;  // read by index, checked state or spin value, after the field's kind
  StoredValue value;
};

// The eighteen settings in their order; also the order of Store all settings.
constexpr StoredSetting kSettings[] = {
    {Setting::Baudrate, Control::ComBaudrate, {"R_baudrate", &SettingsRecord::baudrate}},
    {Setting::Timeout, Control::SpinTimeout, {"R_timeout", &SettingsRecord::timeout}},
    {Setting::Powersave, Control::ComPowersave, {"R_powersave", &SettingsRecord::powersave}},
    {Setting::Autocont, Control::ChkAutocont, {"R_autocont", &SettingsRecord::autocont}},
    {Setting::Jamrecover, Control::ChkJamrecover, {"R_jamrecover", &SettingsRecord::jamrecover}},
    {Setting::Robust, Control::ChkRobust, {"R_robust", &SettingsRecord::robust}},
    {Setting::Papersize, Control::ComPapersize, {"R_papersize", &SettingsRecord::papersize}},
    {Setting::Source, Control::ComSource, {"R_source", &SettingsRecord::source}},
    {Setting::Lpi, Control::SpinLpi, {"R_lpi", &SettingsRecord::lpi}},
    {Setting::Copies, Control::SpinCopies, {"R_copies", &SettingsRecord::copies}},
    {Setting::Orientation, Control::BtnPortrait, {"R_orientation", &SettingsRecord::orientation}},
    {Setting::Papertype, Control::GrpPapertype, {"R_papertype", &SettingsRecord::papertype}},
    {Setting::Typeface, Control::ListTypeface, {"R_typeface", &SettingsRecord::typeface}},
    {Setting::Symbol, Control::ListSymbol, {"R_symbol", &SettingsRecord::symbol}},
    {Setting::Pitch, Control::SpinPitch, {"R_pitch", &SettingsRecord::pitch}},
    {Setting::Point, Control::SpinPoint, {"R_point", &SettingsRecord::point}},
    {Setting::Density, Control::GrpDensity, {"R_density", &SettingsRecord::density}},
    {Setting::Economode, Control::GrpEconomode, {"R_economode", &SettingsRecord::economode}},
};
static_assert(std::size(kSettings) == kSettingCount);

constexpr bool InSettingOrder() {
  for (std::size_t i = 0; i < std::size(kSettings); ++i) {
    if (kSettings[i].setting != static_cast<Setting>(i)) return false;
  }
  return true;
}
static_assert(InSettingOrder(), "kSettings is indexed by Setting");

const StoredSetting& Find(Setting setting) { return kSettings[static_cast<std::size_t>(setting)]; }

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

void WriteValue(SettingsKey& key, const char* name, bool value) { key.WriteBool(name, value); }
void WriteValue(SettingsKey& key, const char* name, std::int32_t value) {
  key.WriteInteger(name, value);
}
void WriteValue(SettingsKey& key, const char* name, long double value) {
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
      for (const StoredValue& value : kLoadOrder) {
        LoadValue(*key, value, defaults, record);
      }
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
  const StoredSetting& entry = Find(setting);
  const bool wrote = StoreIfChanged(*key, controls, entry.control, entry.value, record);
  if (wrote && setting == Setting::Orientation) {
    record.orientation = controls.Checked(Control::BtnPortrait);
  }
}

void SettingsStore::StoreWidth(const ControlValues& controls, const SettingsRecord& record) const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return;
  StoreIfChanged(*key, controls, Control::RxSpinEdit1, {"R_width", &SettingsRecord::width}, record);
}

void SettingsStore::StoreHeight(const ControlValues& controls, const SettingsRecord& record) const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return;
  StoreIfChanged(*key, controls, Control::RxSpinEdit2, {"R_height", &SettingsRecord::height},
                 record);
}

void SettingsStore::StoreAllSettings(const ControlValues& controls) const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return;
  for (const StoredSetting& entry : kSettings) {
    std::visit(
        [&](auto member) {
          using T = std::remove_cvref_t<decltype(SettingsRecord{}.*member)>;
          WriteValue(*key, entry.value.name, ReadControl<T>(controls, entry.control));
        },
        entry.value.field);
  }
}

void SettingsStore::StoreWindowPosition(const ControlValues& controls,
                                        SettingsRecord& record) const {
  std::optional<SettingsKey> key = SettingsKey::OpenForWriting(backend_);
  if (!key) return;
  record.x = controls.WindowLeft();
  record.y = controls.WindowTop();
  key->WriteInteger("R_x", record.x);
  key->WriteInteger("R_y", record.y);
}

}  // namespace zelora
