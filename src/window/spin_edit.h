// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QTimer>
#include <string>

#include "spin_field.h"

class QInputMethodEvent;

namespace zelora {

// The spin button at the right end of a spin field: a square split by the
// diagonal from its lower-left to its upper-right corner; the upper-left half
// steps up, the lower-right half steps down. Holding a half repeats the step.
class SpinButton : public QWidget {
  Q_OBJECT
 public:
  enum class Half { None, Up, Down };

  explicit SpinButton(QWidget* parent = nullptr);

  // Which half a point of the button lies in.
  Half HalfAt(QPoint point) const;

  static constexpr int kFirstRepeatMs = 400;
  static constexpr int kRepeatMs = 100;

 signals:
  void Pressed();  // before the first step, so the field can take the focus
  void Step(bool up);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Repeat();

  Half pressed_ = Half::None;
  bool over_pressed_ = false;  // the pointer is on the pressed half
  QTimer repeat_{this};
};

// A one-line numeric field over a SpinField model it does not own (the
// window's values hold it): the model's text is the editor's text, so the
// value is always worked out from what is shown.
class SpinEdit : public QFrame {
  Q_OBJECT
 public:
  explicit SpinEdit(SpinField& field, QWidget* parent = nullptr);

  // Not clamped; an unreadable text reads as the minimum.
  long double Value() const { return field_.Value(); }
  // Clamps and formats through the model.
  void SetValue(long double value);

  void StepUp();
  void StepDown();

  const SpinField& Field() const { return field_; }
  // Shows the model's text after code changed the model.
  void ShowModelText();
  QLineEdit* Editor() const { return editor_; }
  SpinButton* Button() const { return button_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ArrangeChildren();
  // Whether a typed character other than a control character is taken.
  bool Takes(char16_t c) const;
  // Filters an input method's commit; true when the event was replaced.
  bool FilterCommit(const QInputMethodEvent& event);

  SpinField& field_;
  QLineEdit* editor_;
  SpinButton* button_;
};

}  // namespace zelora
