// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zelora {

// The general text of a floating value: at most 15 significant digits, no
// trailing zeros, no point for a whole number, and exponent form ("1E15",
// "1E-5") only for magnitudes of 1e15 and more or below 0.0001.
std::string GeneralNumberText(long double value, char decimal_separator);

// The decimal separator of the user's locale settings, '.' or ','; anything
// else, or no readable locale, gives '.'. The process locale is left alone.
char UserDecimalSeparator();

}  // namespace zelora
