// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings_record.h"

namespace zelora {

// Universal Exit Language: frames every PJL job on both sides.
inline constexpr std::string_view kUel = "\033%-12345X";

// A complete setting job: UEL "@PJL DEFAULT <variable>=<value>" CR LF UEL.
std::string SettingJob(std::string_view variable, std::string_view value_text);

// Power saving: index 0 switches it off; any other index switches it on with
// the time of that index (an empty time outside 1..5).
std::string PowersaveJob(std::int32_t index);

// "Others(mm)": PAPER=OTHERS with the custom width and height texts.
std::string CustomPaperJob(std::string_view width_text, std::string_view height_text);

// The custom paper size in millimetres, which the paper-size job carries for
// "Others(mm)".
struct CustomSize {
  long double width = 0;
  long double height = 0;
};

// The value text the setting's job carries for a value of the setting's kind
// (std::bad_variant_access for another kind). Empty for an index outside a
// table. The power-saving and custom-paper jobs carry more than one value and
// are built by BuildJob only. Numbers always have a full stop, whatever the
// fields show: the printer reads "16,67" as 16.
std::string ValueText(Setting setting, const SettingValue& value);

// The whole job for one setting and its value; the custom size is read only by
// the paper-size job. Empty, so no job, for a list index outside its list
// (from the custom size on, the paper size's indices all name it). Pure.
std::string BuildJob(Setting setting, const SettingValue& value, const CustomSize& custom);

}  // namespace zelora
