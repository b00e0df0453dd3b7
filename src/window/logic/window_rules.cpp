// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_rules.h"

#include <span>

#include "window_layout.h"

namespace zelora {

void ApplyTypefaceRule(ControlValues& controls) {
  const std::int32_t typeface = controls.ItemIndex(Control::ListTypeface);
  if (typeface < kFirstScalableTypeface) {
    controls.SetEnabled(Control::SpinPoint, false);
    controls.SetEnabled(Control::SpinPitch, true);
  } else {
    controls.SetEnabled(Control::SpinPitch, false);
    controls.SetEnabled(Control::SpinPoint, typeface < kFirstLinePrinterTypeface);
  }
}

void ShowCustomSize(ControlValues& controls) {
  const bool custom = controls.ItemIndex(Control::ComPapersize) == kCustomPaperIndex;
  controls.SetVisible(Control::RxSpinEdit1, custom);
  controls.SetVisible(Control::RxSpinEdit2, custom);
}

int HelpContext(std::string_view page) {
  const std::span<const PageLayout> pages = Pages();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (pages[i].name == page) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace zelora
