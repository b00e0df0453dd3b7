// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control_values.h"
#include "settings_record.h"

namespace zelora {

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

}  // namespace zelora
