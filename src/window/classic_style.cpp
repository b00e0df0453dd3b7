// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classic_style.h"

#include <QStyleFactory>
#include <QStyleOptionComboBox>

namespace zelora {

ClassicStyle::ClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

QPalette ClassicStyle::standardPalette() const {
  const QColor face(0xC0, 0xC0, 0xC0);
  const QColor shadow(0x80, 0x80, 0x80);
  QPalette palette(Qt::black, face, Qt::white, shadow, shadow, Qt::black, Qt::white, Qt::white,
                   face);
  palette.setColor(QPalette::Midlight, face);
  palette.setColor(QPalette::Shadow, QColor(0x40, 0x40, 0x40));
  palette.setColor(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, shadow);
  }
  palette.setColor(QPalette::Disabled, QPalette::Base, face);
  return palette;
}

QRect ClassicStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                   SubControl sub_control, const QWidget* widget) const {
  const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
  if (control != CC_ComboBox || combo == nullptr ||
      (sub_control != SC_ComboBoxArrow && sub_control != SC_ComboBoxEditField)) {
    return QProxyStyle::subControlRect(control, option, sub_control, widget);
  }
  const int frame = combo->frame ? 2 : 0;
  const QRect inner = combo->rect.adjusted(frame, frame, -frame, -frame);
  QRect rect;
  if (sub_control == SC_ComboBoxArrow) {
    rect =
        QRect(inner.right() + 1 - kComboArrowWidth, inner.top(), kComboArrowWidth, inner.height());
  } else {
    rect = QRect(inner.left(), inner.top(), inner.width() - kComboArrowWidth, inner.height());
  }
  return visualRect(combo->direction, combo->rect, rect);
}

}  // namespace zelora
