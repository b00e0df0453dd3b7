// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The control values the toolkit-free logic reads and writes, on the widgets.
#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "main_window.h"
#include "radio_group.h"
#include "spin_edit.h"

namespace zelora {
namespace {

[[noreturn]] void WrongKind(Control control, const char* accessor) {
  throw std::logic_error(std::string(accessor) + " used on " + std::string(ControlName(control)));
}

// The index a list holds once given `index`: a drop-down list or list box
// takes none that names no entry; a radio group stays within its buttons.
std::int32_t HeldIndex(ControlKind kind, std::int32_t index, std::int32_t count) {
  if (kind == ControlKind::RadioGroup) return std::clamp(index, -1, count - 1);
  return index >= 0 && index < count ? index : -1;
}

}  // namespace

bool TZLR::Holds(ControlKind kind, Kept what) {
  using enum ControlKind;
  switch (what) {
    case Kept::kItemIndex:
      return kind == PickList || kind == EditableList || kind == ListBox || kind == RadioGroup;
    case Kept::kChecked:
      return kind == CheckBox || kind == RadioButton;
    case Kept::kSpinValue:
      return kind == SpinField;
    case Kept::kVisible:
    case Kept::kEnabled:
      return true;
  }
  return false;
}

QWidget* TZLR::Widget(Control control) const {
  QWidget* widget = controls_.at(static_cast<std::size_t>(control));
  return widget != nullptr ? widget : FindControl(ControlName(control));
}

bool TZLR::Keep(Control control, Kept what, long double value) {
  if (controls_.at(static_cast<std::size_t>(control)) != nullptr) return false;
  const auto [row, page] = Locate(ControlName(control));
  // A control left out of a page that shows is made to be shown.
  if (what == Kept::kVisible && value != 0 && page && page_built_[*page]) return false;
  if (!Holds(row->kind, what)) WrongKind(control, "a setter");
  if (what == Kept::kItemIndex) {
    value = HeldIndex(row->kind, static_cast<std::int32_t>(value),
                      static_cast<std::int32_t>(row->items.size()));
  }
  // Only the last value of each counts; the rest keep their order.
  std::erase_if(kept_, [&](const KeptValue& k) { return k.control == control && k.what == what; });
  kept_.push_back({control, what, value});
  return true;
}

std::optional<long double> TZLR::KeptFor(Control control, Kept what) const {
  if (!Holds(Locate(ControlName(control)).row->kind, what)) WrongKind(control, "a getter");
  for (auto it = kept_.rbegin(); it != kept_.rend(); ++it) {
    if (it->control == control && it->what == what) return it->value;
  }
  return std::nullopt;
}

bool TZLR::KeptOrStored(Control control, Kept what, unsigned off_state) const {
  const std::optional<long double> kept = KeptFor(control, what);
  return kept ? *kept != 0 : !(Locate(ControlName(control)).row->state & off_state);
}

SpinEdit& TZLR::Spin(Control control) const {
  auto* spin = qobject_cast<SpinEdit*>(Widget(control));
  if (spin == nullptr) WrongKind(control, "a spin-field accessor");
  return *spin;
}

std::int32_t TZLR::ItemIndex(Control control) const {
  if (controls_.at(static_cast<std::size_t>(control)) == nullptr) {
    // Every list is made without a selection.
    return static_cast<std::int32_t>(KeptFor(control, Kept::kItemIndex).value_or(-1));
  }
  QWidget* widget = Widget(control);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentIndex();
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    QListWidgetItem* item = list->currentItem();
    return item != nullptr && item->isSelected() ? list->row(item) : -1;
  }
  if (auto* group = qobject_cast<RadioGroup*>(widget)) return group->ItemIndex();
  WrongKind(control, "ItemIndex");
}

void TZLR::SetItemIndex(Control control, std::int32_t index) {
  if (Keep(control, Kept::kItemIndex, index)) return;
  QWidget* widget = Widget(control);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->setCurrentIndex(HeldIndex(ControlKind::PickList, index, combo->count()));
    return;
  }
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    setting_list_ = true;
    if (const std::int32_t held = HeldIndex(ControlKind::ListBox, index, list->count());
        held >= 0) {
      list->setCurrentRow(held);
    } else {
      list->clearSelection();
      list->setCurrentItem(nullptr);
    }
    setting_list_ = false;
    return;
  }
  if (auto* group = qobject_cast<RadioGroup*>(widget)) {
    group->SetItemIndex(HeldIndex(ControlKind::RadioGroup, index, group->Count()));
    return;
  }
  WrongKind(control, "SetItemIndex");
}

bool TZLR::Checked(Control control) const {
  auto* button = qobject_cast<QAbstractButton*>(Widget(control));
  if (button == nullptr || !button->isCheckable()) WrongKind(control, "Checked");
  return button->isChecked();
}

void TZLR::SetChecked(Control control, bool checked) {
  if (Keep(control, Kept::kChecked, checked)) return;
  auto* button = qobject_cast<QAbstractButton*>(Widget(control));
  if (button == nullptr || !button->isCheckable()) WrongKind(control, "SetChecked");
  if (button->group() != &orientation_) {
    button->setChecked(checked);
    return;
  }
  if (button->isChecked() == checked) return;
  if (checked) {
    // The group unchecks the other button, then the click runs.
    button->setChecked(true);
  } else {
    orientation_.setExclusive(false);
    button->setChecked(false);
    orientation_.setExclusive(true);
  }
}

long double TZLR::SpinValue(Control control) const { return Spin(control).Value(); }

void TZLR::SetSpinValue(Control control, long double value) {
  if (Keep(control, Kept::kSpinValue, value)) return;
  Spin(control).SetValue(value);
}

std::string TZLR::SpinText(Control control) const { return Spin(control).Text(); }

bool TZLR::Visible(Control control) const {
  if (controls_.at(static_cast<std::size_t>(control)) == nullptr) {
    return KeptOrStored(control, Kept::kVisible, kHidden);
  }
  return !Widget(control)->isHidden();
}

void TZLR::SetVisible(Control control, bool visible) {
  if (Keep(control, Kept::kVisible, visible)) return;
  Widget(control)->setVisible(visible);
}

bool TZLR::Enabled(Control control) const {
  if (controls_.at(static_cast<std::size_t>(control)) == nullptr) {
    return KeptOrStored(control, Kept::kEnabled, kDisabled);
  }
  QWidget* widget = Widget(control);
  return widget->isEnabledTo(widget->parentWidget());
}

void TZLR::SetEnabled(Control control, bool enabled) {
  if (Keep(control, Kept::kEnabled, enabled)) return;
  Widget(control)->setEnabled(enabled);
}

std::int32_t TZLR::WindowLeft() const { return x(); }

std::int32_t TZLR::WindowTop() const { return y(); }

void TZLR::SetWindowLeft(std::int32_t left) { move(left, y()); }

void TZLR::SetWindowTop(std::int32_t top) { move(x(), top); }

}  // namespace zelora
