// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_values.h"

#include <algorithm>
#include <array>

namespace zelora {
namespace {

// In the order of the Control enum.
constexpr std::array<std::string_view, kControlCount> kNames = {
    "ComBaudrate", "ComPowersave", "ComPapersize", "ComSource",   "GrpPapertype",  "ListTypeface",
    "ListSymbol",  "GrpDensity",   "GrpEconomode", "ChkAutocont", "ChkJamrecover", "ChkRobust",
    "BtnPortrait", "BtnLandscape", "SpinTimeout",  "SpinLpi",     "SpinCopies",    "RxSpinEdit1",
    "RxSpinEdit2", "SpinPitch",    "SpinPoint",    "Image2",      "Image3",        "BtnConfig",
    "BtnTestPrt",  "Gauge",
};
// A control added to the enum without its name here would get an empty one.
static_assert(std::ranges::none_of(kNames, &std::string_view::empty));

}  // namespace

std::string_view ControlName(Control control) {
  const auto index = static_cast<std::size_t>(control);
  return index < kNames.size() ? kNames[index] : std::string_view();
}

std::optional<Control> ControlNamed(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) return static_cast<Control>(i);
  }
  return std::nullopt;
}

}  // namespace zelora
