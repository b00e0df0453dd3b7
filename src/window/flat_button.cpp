#include "window/flat_button.h"

#include <qdrawutil.h>
#include <QPainter>

namespace zelora {
namespace {

// The part of the strip at `left`, with the strip's transparent colour made
// transparent.
QImage GlyphPart(const QImage& strip, int left, QRgb transparent) {
  QImage part = strip.copy(left, 0, FlatButton::kGlyphSize, FlatButton::kGlyphSize)
                    .convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < part.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
    for (int x = 0; x < part.width(); ++x) {
      if ((line[x] & RGB_MASK) == (transparent & RGB_MASK)) line[x] = 0;
    }
  }
  return part;
}

}  // namespace

FlatButton::FlatButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void FlatButton::SetGlyph(const QImage& strip) {
  if (strip.width() < 2 * kGlyphSize || strip.height() < kGlyphSize) {
    colour_ = grey_ = disabled_ = QImage();
  } else {
    const QRgb transparent = strip.pixel(0, kGlyphSize - 1);
    colour_ = GlyphPart(strip, 0, transparent);
    disabled_ = GlyphPart(strip, kGlyphSize, transparent);
    grey_ = ToGrey(colour_);
  }
  update();
}

QImage FlatButton::ToGrey(const QImage& image) {
  QImage grey = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < grey.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
    for (int x = 0; x < grey.width(); ++x) {
      if (qAlpha(line[x]) == 0) continue;
      const int level = (77 * qRed(line[x]) + 150 * qGreen(line[x]) + 29 * qBlue(line[x])) / 256;
      line[x] = qRgba(level, level, level, qAlpha(line[x]));
    }
  }
  return grey;
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

  const QImage& glyph = !isEnabled() ? disabled_ : (hot || pressed ? colour_ : grey_);
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
