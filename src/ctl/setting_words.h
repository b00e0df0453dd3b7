// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control_values.h"
#include "setting_table.h"

namespace zelora {

// A value of the command line by its name: one of the eighteen settings or a
// dimension of the custom paper size.
struct NamedValue {
  std::string name;                // the setting's own: the stored name without "R_"
  std::optional<Setting> setting;  // none for the custom width and height
  Control control;                 // the window's control that shows it
};

// Whether two words are the same, case and surrounding spaces ignored.
bool SameWord(std::string_view a, std::string_view b);

// Every name zeloractl knows, in the window's Send order, the custom size
// last.
const std::vector<NamedValue>& NamedValues();

// The value of that name: its own name or the printer's (case ignored), as
// "symbol" or "symset".
const NamedValue* FindNamed(std::string_view name);

// An edit of the command line, checked as the window's control would take
// it. Applies it to the controls as a user would have made it.
struct Edit {
  const NamedValue* named;
  std::string text;
  void ApplyTo(ControlValues& controls) const;
};

// Checks NAME=VALUE: a list value by its printer word or its caption (either
// face, case ignored), a typeface also by its number; on or off by the
// setting's words; a number as the window's field reads it, within its range.
// On refusal, `why` says what is allowed.
std::optional<Edit> ParseEdit(std::string_view assignment, std::string& why);

// The value as the window shows it: a list's English caption with its printer
// word, the words of a check box or the orientation, a field's text.
std::string ShownValue(const NamedValue& named, const ControlValues& controls);
// The printer word alone for a list entry; empty when there is none.
std::string ShownWord(const NamedValue& named, const ControlValues& controls);

}  // namespace zelora
