// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls show the values the logic works on, and pass the
// user's edits back.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QListWidget>
#include <utility>

#include "main_window.h"
#include "radio_group.h"
#include "spin_edit.h"

namespace zelora {
namespace {

// The row of a list box the user has selected; -1 when none.
std::int32_t SelectedRow(const QListWidget& list) {
  QListWidgetItem* item = list.currentItem();
  return item != nullptr && item->isSelected() ? list.row(item) : -1;
}

}  // namespace

QWidget* TZLR::Widget(Control control) const {
  QWidget* widget = controls_.at(static_cast<std::size_t>(control));
  return widget != nullptr ? widget : FindControl(ControlName(control));
}

void TZLR::Show(Control control) {
  QWidget* widget = controls_.at(static_cast<std::size_t>(control));
  if (widget == nullptr) {
    // A control not made yet shows the model once it is made; one left out
    // of a page that is made is made now if it is to be shown.
    const std::optional<std::size_t> page = Locate(ControlName(control)).page;
    if (values_.Visible(control) && page && page_built_.at(*page)) Widget(control);
    return;
  }
  widget->setVisible(values_.Visible(control));
  widget->setEnabled(values_.Enabled(control));
  ShowValue(control, *widget);
}

void TZLR::Click(Control control) {
  if (const Handler handler = HandlerNamed(Locate(ControlName(control)).row->handler)) {
    (this->*handler)();
  }
}

void TZLR::ShowValue(Control control, QWidget& widget) {
  const bool was_showing = std::exchange(showing_, true);
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    combo->setCurrentIndex(values_.ItemIndex(control));
  } else if (auto* list = qobject_cast<QListWidget*>(&widget)) {
    if (const std::int32_t index = values_.ItemIndex(control); index >= 0) {
      list->setCurrentRow(index);
    } else {
      list->clearSelection();
      list->setCurrentItem(nullptr);
    }
  } else if (auto* group = qobject_cast<RadioGroup*>(&widget)) {
    group->SetItemIndex(values_.ItemIndex(control));
  } else if (auto* spin = qobject_cast<SpinEdit*>(&widget)) {
    spin->ShowModelText();
  } else if (auto* button = qobject_cast<QAbstractButton*>(&widget);
             button != nullptr && button->isCheckable()) {
    const bool checked = values_.Checked(control);
    QButtonGroup* exclusive = button->group();
    // An exclusive group refuses to uncheck its checked button.
    if (exclusive != nullptr && !checked) exclusive->setExclusive(false);
    button->setChecked(checked);
    if (exclusive != nullptr && !checked) exclusive->setExclusive(true);
  }
  showing_ = was_showing;
}

void TZLR::TakeEdits(Control control, QWidget& widget) {
  const auto take_index = [this, control](std::int32_t index) {
    if (!showing_) values_.TakeItemIndex(control, index);
  };
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    connect(combo, &QComboBox::currentIndexChanged, this, take_index);
  } else if (auto* list = qobject_cast<QListWidget*>(&widget)) {
    connect(list, &QListWidget::itemSelectionChanged, this,
            [list, take_index] { take_index(SelectedRow(*list)); });
  } else if (auto* group = qobject_cast<RadioGroup*>(&widget)) {
    for (int i = 0; i < group->Count(); ++i) {
      connect(group->Item(i), &QAbstractButton::toggled, this,
              [group, take_index] { take_index(group->ItemIndex()); });
    }
  } else if (auto* button = qobject_cast<QAbstractButton*>(&widget);
             button != nullptr && button->isCheckable()) {
    connect(button, &QAbstractButton::toggled, this, [this, control](bool checked) {
      if (!showing_) values_.TakeChecked(control, checked);
    });
  }
}

}  // namespace zelora
