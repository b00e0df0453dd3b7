// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The control values the toolkit-free logic reads and writes, on the widgets.
#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
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

}  // namespace

QWidget* TZLR::Widget(Control control) const {
  return controls_.at(static_cast<std::size_t>(control));
}

SpinEdit& TZLR::Spin(Control control) const {
  auto* spin = qobject_cast<SpinEdit*>(Widget(control));
  if (spin == nullptr) WrongKind(control, "a spin-field accessor");
  return *spin;
}

std::int32_t TZLR::ItemIndex(Control control) const {
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
  QWidget* widget = Widget(control);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    // An index that names no entry leaves the list without a selection.
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    return;
  }
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    setting_list_ = true;
    if (index >= 0 && index < list->count()) {
      list->setCurrentRow(index);
    } else {
      list->clearSelection();
      list->setCurrentItem(nullptr);
    }
    setting_list_ = false;
    return;
  }
  if (auto* group = qobject_cast<RadioGroup*>(widget)) {
    group->SetItemIndex(index);
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

void TZLR::SetSpinValue(Control control, long double value) { Spin(control).SetValue(value); }

std::string TZLR::SpinText(Control control) const { return Spin(control).Text(); }

bool TZLR::Visible(Control control) const { return !Widget(control)->isHidden(); }

void TZLR::SetVisible(Control control, bool visible) { Widget(control)->setVisible(visible); }

bool TZLR::Enabled(Control control) const {
  QWidget* widget = Widget(control);
  return widget->isEnabledTo(widget->parentWidget());
}

void TZLR::SetEnabled(Control control, bool enabled) { Widget(control)->setEnabled(enabled); }

std::int32_t TZLR::WindowLeft() const { return x(); }

std::int32_t TZLR::WindowTop() const { return y(); }

void TZLR::SetWindowLeft(std::int32_t left) { move(left, y()); }

void TZLR::SetWindowTop(std::int32_t top) { move(x(), top); }

}  // namespace zelora
