// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flat_button.h"

#include <QEvent>
#include <QIcon>
#include <QPixmap>

#include "glyph_image.h"

namespace zelora {

FlatButton::FlatButton(QWidget* parent) : QToolButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAutoRaise(true);
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  setIconSize({kGlyphSize, kGlyphSize});
}

void FlatButton::SetGlyph(const QImage& bitmap) {
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(GlyphImage(bitmap, GlyphState::Grey)), QIcon::Normal);
  icon.addPixmap(QPixmap::fromImage(GlyphImage(bitmap, GlyphState::Normal)), QIcon::Active);
  icon.addPixmap(QPixmap::fromImage(GlyphImage(bitmap, GlyphState::Disabled)), QIcon::Disabled);
  setIcon(icon);
}

bool FlatButton::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    if (isEnabled()) click();
    return true;
  }
  return QToolButton::event(event);
}

}  // namespace zelora
