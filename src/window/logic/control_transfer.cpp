// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_transfer.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>

#include "window_layout.h"

namespace zelora {
namespace {

// The custom size travels with the settings but is no printer setting of its
// own; it follows them in both directions.
struct CustomField {
  Control control;
  long double SettingsRecord::*field;
};
constexpr CustomField kCustomSize[] = {
    {kCustomWidthControl, &SettingsRecord::width},
    {kCustomHeightControl, &SettingsRecord::height},
};

// Setting -> control, from the layout rows that show a setting.
std::array<Control, kSettingCount> ControlsOfSettings() {
  std::array<std::optional<Control>, kSettingCount> found;
  const auto take = [&](std::span<const ControlLayout> rows) {
    for (const ControlLayout& row : rows) {
      if (row.shows) found[static_cast<std::size_t>(*row.shows)] = ControlNamed(row.name);
    }
  };
  take(WindowControls());
  for (const PageLayout& page : Pages()) take(page.controls);
  std::array<Control, kSettingCount> controls{};
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (!found[i]) throw std::logic_error("no control shows setting " + std::to_string(i));
    controls[i] = *found[i];
  }
  return controls;
}

}  // namespace

Control ControlOf(Setting setting) {
  static const std::array<Control, kSettingCount> controls = ControlsOfSettings();
  return controls[static_cast<std::size_t>(setting)];
}

void ShowSettingValue(Setting setting, const SettingValue& value, ControlValues& controls) {
  const Control control = ControlOf(setting);
  std::visit(
      [&](auto held) {
        using T = decltype(held);
        if constexpr (std::is_same_v<T, bool>) {
          controls.SetChecked(control, held);
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
          controls.SetItemIndex(control, held);
        } else {
          controls.SetSpinValue(control, held);
        }
      },
      value);
}

SettingValue ControlValue(Setting setting, const ControlValues& controls) {
  const Control control = ControlOf(setting);
  // The record's own value only tells the kind.
  return std::visit(
      [&](auto kind) -> SettingValue {
        using T = decltype(kind);
        if constexpr (std::is_same_v<T, bool>) {
          return controls.Checked(control);
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
          return controls.ItemIndex(control);
        } else {
          return controls.SpinValue(control);
        }
      },
      RecordValue(setting, SettingsRecord{}));
}

SettingValues ControlValuesNow(const ControlValues& controls) {
  SettingValues values;
  for (const SettingRow& setting_row : kSettingTable) {
    values[static_cast<std::size_t>(setting_row.setting)] =
        ControlValue(setting_row.setting, controls);
  }
  return values;
}

CustomSize CustomSizeNow(const ControlValues& controls) {
  return {controls.SpinValue(kCustomWidthControl), controls.SpinValue(kCustomHeightControl)};
}

void ApplyOrientation(bool portrait, ControlValues& controls) {
  // Checking a radio button runs its click, which sets the same pictures; they
  // are set here too so the result does not depend on the click having run
  // (checking an already checked button runs nothing).
  if (portrait) {
    controls.SetChecked(Control::BtnPortrait, true);
    controls.SetVisible(Control::Image2, true);
    controls.SetVisible(Control::Image3, false);
  } else {
    controls.SetChecked(Control::BtnLandscape, true);
    controls.SetVisible(Control::Image2, false);
    controls.SetVisible(Control::Image3, true);
  }
}

void Push(const SettingsRecord& record, ControlValues& controls) {
  for (const SettingRow& setting_row : kSettingTable) {
    if (setting_row.setting == Setting::Orientation) {
      ApplyOrientation(record.orientation, controls);
    } else {
      ShowSettingValue(setting_row.setting, RecordValue(setting_row.setting, record), controls);
    }
  }
  for (const CustomField& custom : kCustomSize) {
    controls.SetSpinValue(custom.control, record.*custom.field);
  }
}

void Pull(ControlValues& controls, SettingsRecord& record) {
  for (const SettingRow& setting_row : kSettingTable) {
    if (setting_row.setting == Setting::Orientation) {
      // The record's orientation is what the printer was last told.
      ApplyOrientation(record.orientation, controls);
    } else {
      SetRecordValue(setting_row.setting, ControlValue(setting_row.setting, controls), record);
    }
  }
  for (const CustomField& custom : kCustomSize) {
    record.*custom.field = controls.SpinValue(custom.control);
  }
}

void LoadIntoWindow(const SettingsStore& store, SettingsRecord& record, ControlValues& controls) {
  store.LoadSettings(record);
  Push(record, controls);
  if (!record.reload) {
    controls.SetWindowLeft(record.x);
    controls.SetWindowTop(record.y);
  }
}

}  // namespace zelora
