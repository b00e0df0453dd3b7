// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPalette>
#include <QProxyStyle>

namespace zelora {

// The classic 3D look the window is laid out for, over the toolkit's Windows
// style: grey button faces with a white highlight edge (so that shadowed
// labels show their light edge) and drop-down lists with a narrow arrow
// button, which leaves their closed text room for the longest entry at the
// layout's widths.
class ClassicStyle : public QProxyStyle {
  Q_OBJECT
 public:
  ClassicStyle();

  // Width of a drop-down list's arrow button, inside the two-pixel frame.
  static constexpr int kComboArrowWidth = 12;

  QPalette standardPalette() const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                       SubControl sub_control, const QWidget* widget) const override;
};

}  // namespace zelora
