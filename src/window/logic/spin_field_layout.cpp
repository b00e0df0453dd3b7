// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spin_field_layout.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "paper_sizes.h"
#include "setting_table.h"

namespace zelora {

namespace {

struct SpinFieldRow {
  Control control;
  SpinField::Properties properties;
  const char* initial_text;  // '.' stands for the user's decimal separator
};

using VT = SpinField::ValueType;

// A setting's field takes the setting's range.
SpinField::Properties OfSetting(Setting setting, VT type, long double increment) {
  const ValueRange& range = RowOf(setting).range;
  return {type, range.min, range.max, increment, 2, 0};
}

// A custom dimension's field takes its limits, in whole millimetres.
SpinField::Properties OfLimits(const SizeLimits& limits, std::size_t max_length) {
  return {VT::Integer, limits.min, limits.max, 1, 2, max_length};
}

// Increment 0.01 and 0.25 as extended values, so stepping adds exactly what
// the field would read from "0.01".
const std::array<SpinFieldRow, 7> kRows = {{
    {Control::SpinTimeout, OfSetting(Setting::Timeout, VT::Integer, 1), "0"},
    {Control::SpinLpi, OfSetting(Setting::Lpi, VT::Integer, 1), "0"},
    {Control::SpinCopies, OfSetting(Setting::Copies, VT::Integer, 1), "0"},
    {Control::RxSpinEdit1, OfLimits(kCustomWidthLimits, 3), "75"},
    {Control::RxSpinEdit2, OfLimits(kCustomHeightLimits, 0), "0"},
    {Control::SpinPitch, OfSetting(Setting::Pitch, VT::Decimal, 0.01L), "0.44"},
    {Control::SpinPoint, OfSetting(Setting::Point, VT::Decimal, 0.25L), "4.00"},
}};

const SpinFieldRow& Row(Control control) {
  const auto it = std::find_if(kRows.begin(), kRows.end(), [control](const SpinFieldRow& row) {
    return row.control == control;
  });
  if (it == kRows.end()) {
    throw std::invalid_argument(std::string(ControlName(control)) + " is not a spin field");
  }
  return *it;
}

}  // namespace

SpinField::Properties SpinFieldProperties(Control control) { return Row(control).properties; }

std::string SpinFieldInitialText(Control control, char decimal_separator) {
  std::string text = Row(control).initial_text;
  std::replace(text.begin(), text.end(), '.', decimal_separator);
  return text;
}

}  // namespace zelora
