// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spin_edit.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QStyle>

#include "pictures.h"
#include "resource_pictures.h"

namespace zelora {
namespace {

// The 6 x 6 arrow picture centred on `centre`: its black pixels in `color`,
// the rest left out.
void DrawArrow(QPainter& painter, QPointF centre, bool up, const QColor& color) {
  static const QImage up_arrow = LoadPicture(pictures::kSpinUp, "BMP");
  static const QImage down_arrow = LoadPicture(pictures::kSpinDown, "BMP");
  const QImage& picture = up ? up_arrow : down_arrow;
  if (picture.isNull()) return;
  QImage arrow(picture.size(), QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      arrow.setPixel(x, y, qGray(picture.pixel(x, y)) < 128 ? color.rgba() : qRgba(0, 0, 0, 0));
    }
  }
  painter.drawImage(static_cast<int>(centre.x()) - arrow.width() / 2,
                    static_cast<int>(centre.y()) - arrow.height() / 2, arrow);
}

}  // namespace

// ---------------------------------------------------------------------------

SpinButton::SpinButton(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(false);  // moves matter only while a half is held
  repeat_.setSingleShot(false);
  connect(&repeat_, &QTimer::timeout, this, &SpinButton::Repeat);
}

SpinButton::Half SpinButton::HalfAt(QPoint point) const {
  if (!rect().contains(point)) return Half::None;
  // Upper-left of the diagonal from (0, h) to (w, 0): x / w + y / h < 1.
  const long long w = width();
  const long long h = height();
  return point.x() * h + point.y() * w < w * h ? Half::Up : Half::Down;
}

void SpinButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || pressed_ != Half::None) {
    event->ignore();
    return;
  }
  const Half half = HalfAt(event->position().toPoint());
  if (half == Half::None) return;
  pressed_ = half;
  over_pressed_ = true;
  emit Pressed();
  emit Step(half == Half::Up);
  repeat_.start(kFirstRepeatMs);
  update();
}

void SpinButton::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_ == Half::None) return;
  const bool over = HalfAt(event->position().toPoint()) == pressed_;
  if (over != over_pressed_) {
    over_pressed_ = over;
    update();
  }
}

void SpinButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || pressed_ == Half::None) return;
  pressed_ = Half::None;
  over_pressed_ = false;
  repeat_.stop();
  update();
}

void SpinButton::Repeat() {
  repeat_.setInterval(kRepeatMs);
  // Off the pressed half the repeating is suspended, not ended.
  if (pressed_ != Half::None && over_pressed_) emit Step(pressed_ == Half::Up);
}

void SpinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& pal = palette();
  const int w = width();
  const int h = height();
  painter.fillRect(rect(), pal.color(QPalette::Button));

  const QPolygon upper({QPoint(0, 0), QPoint(w, 0), QPoint(0, h)});
  const QPolygon lower({QPoint(w, 0), QPoint(w, h), QPoint(0, h)});
  if (pressed_ != Half::None && over_pressed_) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(pal.color(QPalette::Mid));
    painter.drawPolygon(pressed_ == Half::Up ? upper : lower);
  }

  // Relief: light top-left edges, dark bottom-right edges, and the diagonal.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(pal.color(QPalette::Light));
  painter.drawLine(0, 0, w - 1, 0);
  painter.drawLine(0, 0, 0, h - 1);
  painter.setPen(pal.color(QPalette::Dark));
  painter.drawLine(w - 1, 0, w - 1, h - 1);
  painter.drawLine(0, h - 1, w - 1, h - 1);
  painter.drawLine(0, h - 1, w - 1, 0);

  const QColor arrow =
      isEnabled() ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Disabled, QPalette::Text);
  const QPointF shift = pressed_ != Half::None && over_pressed_ ? QPointF(1, 1) : QPointF(0, 0);
  // Each arrow sits around the centre of its triangle.
  DrawArrow(painter, QPointF(w / 3.0, h / 3.0) + (pressed_ == Half::Up ? shift : QPointF()), true,
            arrow);
  DrawArrow(painter,
            QPointF(2.0 * w / 3.0, 2.0 * h / 3.0) + (pressed_ == Half::Down ? shift : QPointF()),
            false, arrow);
}

// ---------------------------------------------------------------------------

SpinEdit::SpinEdit(SpinField& field, QWidget* parent)
    : QFrame(parent), field_(field), editor_(new QLineEdit(this)), button_(new SpinButton(this)) {
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);  // two pixels wide
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);

  editor_->setFrame(false);
  if (const std::size_t length = field_.properties().max_length; length > 0) {
    editor_->setMaxLength(static_cast<int>(length));
  }
  editor_->setText(QString::fromStdString(field_.Text()));
  editor_->installEventFilter(this);
  editor_->setAcceptDrops(false);
  setFocusProxy(editor_);
  setFocusPolicy(editor_->focusPolicy());

  // The model follows every edit, typed, pasted or cut.
  connect(editor_, &QLineEdit::textChanged, this,
          [this](const QString& text) { field_.SetText(text.toStdString()); });
  connect(button_, &SpinButton::Pressed, this, [this] {
    if (editor_->isEnabled() && editor_->focusPolicy() != Qt::NoFocus) {
      editor_->setFocus(Qt::MouseFocusReason);
    }
  });
  connect(button_, &SpinButton::Step, this, [this](bool up) { up ? StepUp() : StepDown(); });
  ArrangeChildren();
}

void SpinEdit::SetValue(long double value) {
  field_.SetValue(value);
  ShowModelText();
}

void SpinEdit::StepUp() {
  field_.StepUp();
  ShowModelText();
}

void SpinEdit::StepDown() {
  field_.StepDown();
  ShowModelText();
}

void SpinEdit::ShowModelText() {
  const QString text = QString::fromStdString(field_.Text());
  if (editor_->text() != text) editor_->setText(text);
}

bool SpinEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched != editor_) return QFrame::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Up:
        StepUp();
        return true;
      case Qt::Key_Down:
        StepDown();
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        // Never reaches the text and never triggers anything else.
        return true;
      default:
        break;
    }
    // A shortcut (Ctrl+V, Ctrl+C, ...) is no typed character, whatever text the
    // platform gives it; Ctrl+Alt is AltGr and types.
    const Qt::KeyboardModifiers mods = key->modifiers();
    if ((mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier)) {
      return false;
    }
    const QString text = key->text();
    if (text.size() == 1) {
      const char16_t c = text.front().unicode();
      // Backspace, Delete, Ctrl+C, Ctrl+V and the like are not typed characters.
      if (c < 32 || c == 127) return false;
      if (Takes(c)) return false;
      QApplication::beep();
      return true;
    }
    if (!text.isEmpty()) {
      QApplication::beep();
      return true;
    }
    return false;
  }
  if (event->type() == QEvent::InputMethod)
    return FilterCommit(*static_cast<QInputMethodEvent*>(event));
  // Dropped text would arrive unfiltered; only typing and pasting put text in.
  if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
      event->type() == QEvent::Drop) {
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Only leaving for another control of the window clamps; switching to
    // another window or opening a menu does not.
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        reason != Qt::MenuBarFocusReason) {
      field_.ExitClamp();
      ShowModelText();
    }
  }
  return QFrame::eventFilter(watched, event);
}

bool SpinEdit::Takes(char16_t c) const {
  return c < 128 && field_.AcceptsChar(static_cast<char>(c));
}

// An input method's committed string is typing too: each character passes the
// same rule as a key, and any refused one beeps once. The editor then gets the
// commit with only the characters taken.
bool SpinEdit::FilterCommit(const QInputMethodEvent& event) {
  const QString commit = event.commitString();
  QString taken;
  for (const QChar c : commit) {
    if (Takes(c.unicode())) taken.append(c);
  }
  if (taken.size() == commit.size()) return false;
  QApplication::beep();
  QInputMethodEvent filtered(event.preeditString(), event.attributes());
  filtered.setCommitString(taken, event.replacementStart(), event.replacementLength());
  QApplication::sendEvent(editor_, &filtered);
  return true;
}

void SpinEdit::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  ArrangeChildren();
}

void SpinEdit::ArrangeChildren() {
  const QRect inner = contentsRect();
  const int side = inner.height();
  // The text ends where the square button begins.
  button_->setGeometry(inner.right() + 1 - side, inner.top(), side, side);
  editor_->setGeometry(inner.left(), inner.top(), inner.width() - side, inner.height());
}

}  // namespace zelora
