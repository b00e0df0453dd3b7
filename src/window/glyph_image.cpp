// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyph_image.h"

namespace zelora {

QImage GlyphImage(const QImage& glyph_bitmap, GlyphState state) {
  const int half = glyph_bitmap.width() / 2;
  const int height = glyph_bitmap.height();
  if (glyph_bitmap.isNull() || half < 1) return QImage();

  // Pixels are compared as opaque colours: an indexed bitmap may hold the
  // transparent colour under more than one palette entry.
  const QImage source = glyph_bitmap.convertToFormat(QImage::Format_RGB32);
  const QRgb transparent = source.pixel(0, height - 1) & RGB_MASK;
  const int x0 = state == GlyphState::Disabled ? half : 0;

  QImage out(half, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < half; ++x) {
      const QRgb c = source.pixel(x0 + x, y) & RGB_MASK;
      if (c == transparent) {
        out.setPixel(x, y, qRgba(0, 0, 0, 0));
      } else if (state == GlyphState::Grey) {
        const int grey = (77 * qRed(c) + 150 * qGreen(c) + 29 * qBlue(c)) / 256;
        out.setPixel(x, y, qRgb(grey, grey, grey));
      } else {
        out.setPixel(x, y, c | 0xFF000000u);
      }
    }
  }
  return out;
}

}  // namespace zelora
