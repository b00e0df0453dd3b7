// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_transfer.h"

#include "setting_catalogue.h"
#include "settings_store.h"

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

}  // namespace

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
  for (const SettingPlace& place : kSettingPlaces) {
    if (place.setting == Setting::Orientation) {
      ApplyOrientation(record.orientation, controls);
    } else {
      RecordToControl(place, record, controls);
    }
  }
  for (const CustomField& custom : kCustomSize) {
    controls.SetSpinValue(custom.control, record.*custom.field);
  }
}

void Pull(ControlValues& controls, SettingsRecord& record) {
  for (const SettingPlace& place : kSettingPlaces) {
    if (place.setting == Setting::Orientation) {
      // The record's orientation is what the printer was last told.
      ApplyOrientation(record.orientation, controls);
    } else {
      ControlToRecord(place, controls, record);
    }
  }
  for (const CustomField& custom : kCustomSize) {
    record.*custom.field = controls.SpinValue(custom.control);
  }
}

}  // namespace zelora
