// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

#include "control_values.h"
#include "pjl_job.h"
#include "settings_record.h"
#include "settings_store.h"

namespace zelora {

// The control that shows the setting, as its layout row names it.
// Orientation is read from the portrait button.
Control ControlOf(Setting setting);

// The custom paper size's fields.
inline constexpr Control kCustomWidthControl = Control::RxSpinEdit1;
inline constexpr Control kCustomHeightControl = Control::RxSpinEdit2;

// The setting's control's value now, of the setting's kind: list index,
// checked state or spin value (read, not clamped).
SettingValue ControlValue(Setting setting, const ControlValues& controls);
// Shows the value, of the setting's kind, in the setting's control (Push does
// this for each; the orientation's pictures are ApplyOrientation's).
void ShowSettingValue(Setting setting, const SettingValue& value, ControlValues& controls);
// The eighteen settings' control values, in Setting order.
SettingValues ControlValuesNow(const ControlValues& controls);
// The custom width and height the fields show now.
CustomSize CustomSizeNow(const ControlValues& controls);

// Record -> controls. Spin fields clamp and format through their own rules, so
// the record may keep a value the field cannot show. Leaves the visibility of
// the custom-size fields and the enabling of pitch and point size alone.
void Push(const SettingsRecord& record, ControlValues& controls);

// Controls -> record. The orientation is not read: the record's orientation is
// applied to the radio buttons and pictures instead, so an orientation the
// printer never received is taken back on screen.
void Pull(ControlValues& controls, SettingsRecord& record);

// Checks the radio button of the orientation (true = portrait) and shows its
// picture, hiding the other one.
void ApplyOrientation(bool portrait, ControlValues& controls);

// Loads the stored settings into the record, then pushes them into the
// controls and, unless record.reload is set, moves the window to the stored
// place. A RegistryError from the load passes on before any control is
// touched.
void LoadIntoWindow(const SettingsStore& store, SettingsRecord& record, ControlValues& controls);

}  // namespace zelora
