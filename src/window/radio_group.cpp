// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio_group.h"

#include <QAbstractButton>
#include <QEvent>

namespace zelora {

namespace {

void UpdateTabStop(const QButtonGroup& group) {
  const QList<QAbstractButton*> buttons = group.buttons();
  const QAbstractButton* stop = group.checkedButton();
  for (QAbstractButton* button : buttons) {
    button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

}  // namespace

void KeepTabStopOnChecked(QButtonGroup& group) {
  UpdateTabStop(group);
  QObject::connect(&group, &QButtonGroup::buttonToggled, &group,
                   [&group](QAbstractButton*, bool) { UpdateTabStop(group); });
}

void JoinParentGroup(QAbstractButton& button) {
  QWidget* parent = button.parentWidget();
  auto* group = parent->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
  if (group == nullptr) {
    group = new QButtonGroup(parent);
    group->setExclusive(true);
    KeepTabStopOnChecked(*group);
  }
  group->addButton(&button);
  UpdateTabStop(*group);
}

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent) {
  group_.setExclusive(true);
  KeepTabStopOnChecked(group_);
}

void RadioGroup::SetItems(const QStringList& items) {
  for (QRadioButton* button : buttons_) {
    group_.removeButton(button);
    delete button;
  }
  buttons_.clear();
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new RadioButton(items[i], this);
    group_.addButton(button, i);
    buttons_.push_back(button);
  }
  UpdateTabStop(group_);
  ArrangeItems();
}

std::int32_t RadioGroup::ItemIndex() const { return group_.checkedId(); }

void RadioGroup::SetItemIndex(std::int32_t index) {
  if (index < -1) index = -1;
  if (index >= Count()) index = Count() - 1;
  if (index == ItemIndex()) return;
  if (index >= 0) {
    buttons_[static_cast<std::size_t>(index)]->setChecked(true);
    return;
  }
  // An exclusive group refuses to uncheck its last checked button.
  group_.setExclusive(false);
  for (QRadioButton* button : buttons_) button->setChecked(false);
  group_.setExclusive(true);
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  ArrangeItems();
}

void RadioGroup::changeEvent(QEvent* event) {
  QGroupBox::changeEvent(event);
  if (event->type() == QEvent::FontChange) ArrangeItems();
}

void RadioGroup::ArrangeItems() {
  if (buttons_.empty()) return;
  // Rows of equal height below the caption; what does not divide evenly is
  // shared out above and below the column.
  const int count = Count();
  const int caption = fontMetrics().height();
  const int usable = height() - caption - 5;
  const int row = qMax(1, usable / count);
  const int top = caption + 1 + (usable - row * count) / 2;
  for (int i = 0; i < count; ++i) {
    buttons_[static_cast<std::size_t>(i)]->setGeometry(8, top + i * row, width() - 16, row);
  }
}

}  // namespace zelora
