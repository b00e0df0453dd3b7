#include "flat_button.h"

#include <qdrawutil.h>
#include <QPainter>

#include "glyph_image.h"

namespace zelora {

FlatButton::FlatButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void FlatButton::SetGlyph(const QImage& bitmap) {
  colour_ = GlyphImage(bitmap, GlyphState::Normal);
  grey_ = GlyphImage(bitmap, GlyphState::Grey);
  disabled_ = GlyphImage(bitmap, GlyphState::Disabled);
  update();
}

const QImage& FlatButton::ShownGlyph() const {
  if (!isEnabled()) return disabled_;
  return underMouse() || isDown() ? colour_ : grey_;
}

QSize FlatButton::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  return {qMax(kGlyphSize, metrics.horizontalAdvance(text())) + 8,
          kGlyphSize + 1 + metrics.height() + 8};
}

void FlatButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool hot = isEnabled() && underMouse();
  const bool pressed = isEnabled() && isDown();
  if (pressed) {
    qDrawShadePanel(&painter, rect(), palette(), true, 1);
  } else if (hot) {
    qDrawShadePanel(&painter, rect(), palette(), false, 1);
  }

  const QImage& glyph = ShownGlyph();
  const int text_height = fontMetrics().height();
  const int block = kGlyphSize + 1 + text_height;
  const int shift = pressed ? 1 : 0;
  const int top = (height() - block) / 2 + shift;
  const int left = (width() - kGlyphSize) / 2 + shift;
  if (!glyph.isNull()) painter.drawImage(left, top, glyph);

  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  const QRect caption(shift, top + kGlyphSize + 1, width(), text_height);
  painter.drawText(caption, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text());
}

void FlatButton::enterEvent(QEnterEvent* event) {
  QAbstractButton::enterEvent(event);
  update();
}

void FlatButton::leaveEvent(QEvent* event) {
  QAbstractButton::leaveEvent(event);
  update();
}

}  // namespace zelora
