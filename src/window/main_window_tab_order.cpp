// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard navigation through the layout's tab orders.
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <vector>

#include "main_window.h"
#include "qt_text.h"
#include "radio_group.h"

namespace zelora {

namespace wl = window_layout;

// controls of each container in theirs.
void TZLR::SetTabOrders() {
  std::vector<QWidget*> chain;
  CollectTabStops(wl::kWindowName, chain);
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TZLR::CollectTabStops(std::string_view container, std::vector<QWidget*>& chain) const {
  std::vector<const ControlLayout*> stops;
  auto consider = [&](std::span<const ControlLayout> rows) {
    for (const ControlLayout& row : rows) {
      if (row.parent == container && row.tab_order != kNoTabStop) stops.push_back(&row);
    }
  };
  consider(WindowControls());
  for (const PageLayout& page : Pages()) consider(page.controls);
  std::stable_sort(stops.begin(), stops.end(), [](const ControlLayout* a, const ControlLayout* b) {
    return a->tab_order < b->tab_order;
  });

  for (const ControlLayout* row : stops) {
    // Controls of pages not made yet join the chain when they are made.
    QWidget* widget = named_.value(ToQString(row->name), nullptr);
    if (widget == nullptr) continue;
    switch (row->kind) {
      case ControlKind::PageControl:
        chain.push_back(page_control_->tabBar());
        for (const PageLayout& page : Pages()) CollectTabStops(page.name, chain);
        break;
      case ControlKind::GroupBox:
      case ControlKind::Panel:
        CollectTabStops(row->name, chain);
        break;
      case ControlKind::RadioGroup: {
        auto* group = static_cast<RadioGroup*>(widget);
        for (int i = 0; i < group->Count(); ++i) chain.push_back(group->Item(i));
        break;
      }
      default:
        // A spin field goes in whole, its editor with it: ordering the editor
        // alone would leave the field itself at the end of the chain, where
        // Tab would jump back into it.
        chain.push_back(widget);
        break;
    }
  }
}
}  // namespace zelora
