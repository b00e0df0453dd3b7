// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spin_field_layout.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "lines_per_page.h"
#include "setting_catalogue.h"

namespace zelora {

namespace {

struct SpinFieldRow {
  Control control;
  SpinField::Properties properties;
  const char* initial_text;  // '.' stands for the user's decimal separator
};

using VT = SpinField::ValueType;

// Increment 0.01 and 0.25 as extended values, so stepping adds exactly what
// the field would read from "0.01".
const std::array<SpinFieldRow, 7> kRows = {{
    {Control::SpinTimeout, {VT::Integer, kTimeoutRange.min, kTimeoutRange.max, 1, 2, 0}, "0"},
    {Control::SpinLpi, {VT::Integer, kMinLines, kMaxLines, 1, 2, 0}, "0"},
    {Control::SpinCopies, {VT::Integer, 1, 99, 1, 2, 0}, "0"},
    {Control::RxSpinEdit1, {VT::Integer, 75, 216, 1, 2, 3}, "75"},
    {Control::RxSpinEdit2, {VT::Integer, 125, 356, 1, 2, 0}, "0"},
    {Control::SpinPitch, {VT::Decimal, 0.44L, 99.99L, 0.01L, 2, 0}, "0.44"},
    {Control::SpinPoint, {VT::Decimal, 4, 999.75L, 0.25L, 2, 0}, "4.00"},
}};

const SpinFieldRow& Row(Control control) {
  const auto it = std::find_if(kRows.begin(), kRows.end(), [control](const SpinFieldRow& row) {
    return row.control == control;
  });
  if (it == kRows.end()) {
    // ControlName() lives in the settings library, which this one does not use.
    throw std::invalid_argument("control " + std::to_string(static_cast<int>(control)) +
                                " is not a spin field");
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
