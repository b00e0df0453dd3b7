// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "control_values.h"
#include "spin_field.h"

namespace zelora {

// Range, value type, increment and length limit of a spin field of the window.
// Throws std::invalid_argument for a control that is not a spin field.
SpinField::Properties SpinFieldProperties(Control control);

// What the field shows when the window has just been created, before any
// stored settings reach it. Throws std::invalid_argument like the above.
std::string SpinFieldInitialText(Control control, char decimal_separator);

}  // namespace zelora
