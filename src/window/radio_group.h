// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace zelora {

// Makes the checked button of an exclusive group its only stop of keyboard
// navigation, and keeps it so whenever a button is checked or unchecked. A
// group with nothing checked is skipped by Tab altogether. The others still
// take the focus when clicked. Once per group, after its buttons were added.
void KeepTabStopOnChecked(QButtonGroup& group);

// Puts a radio button into the one exclusive group of the radio buttons that
// share its parent, made on first use and kept to the tab-stop rule above.
void JoinParentGroup(QAbstractButton& button);

// A radio button that reacts to a click anywhere in its rectangle, not only
// on its indicator and text: the layout gives some of them more height than
// their caption needs, and the whole of it is theirs.
class RadioButton : public QRadioButton {
  Q_OBJECT
 public:
  explicit RadioButton(const QString& text, QWidget* parent = nullptr)
      : QRadioButton(text, parent) {}

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A captioned frame holding one column of radio buttons spread evenly over
// its inner height. The checked item is the group's index; -1 is none.
class RadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit RadioGroup(QWidget* parent = nullptr);

  void SetItems(const QStringList& items);
  int Count() const { return static_cast<int>(buttons_.size()); }
  QRadioButton* Item(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

  std::int32_t ItemIndex() const;
  // Checks that item and unchecks the previous one; below -1 counts as -1,
  // past the last item as the last item.
  void SetItemIndex(std::int32_t index);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ArrangeItems();

  QButtonGroup group_;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace zelora
