// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shadowed_label.h"

#include <QPainter>

namespace zelora {

void ShadowedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = contentsRect();
  const int flags = static_cast<int>(alignment()) | Qt::TextSingleLine;
  painter.setPen(palette().color(QPalette::Light));
  painter.drawText(area.translated(-1, -1), flags, text());
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(area, flags, text());
}

}  // namespace zelora
