// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "control_values.h"
#include "setting_table.h"

namespace zelora {

// ListTypeface: the fixed-pitch faces come first, then the scalable
// proportional faces, then the line-printer faces.
inline constexpr std::int32_t kFirstScalableTypeface = 7;
inline constexpr std::int32_t kFirstLinePrinterTypeface = 45;

// Fixed-pitch faces (and no selection) take a pitch, scalable faces a point
// size, the line-printer faces neither.
void ApplyTypefaceRule(ControlValues& controls);

// Shows the custom width and height fields exactly for "Others(mm)".
void ShowCustomSize(ControlValues& controls);

// The help context of a page: the pages count from 1 in tab order; 0 (the
// contents) for anything else.
int HelpContext(std::string_view page);

// The help file the Help button hands to the help engine.
inline constexpr std::string_view kHelpFile = "VERAR.HLP";

// The page FormCreate shows.
inline constexpr std::string_view kStartPage = "Printer";

}  // namespace zelora
