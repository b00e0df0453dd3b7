// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace zelora {

// A label whose text is drawn first one pixel up and left in the light 3D
// highlight colour, then in place, which gives it a light edge at its upper
// left.
class ShadowedLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zelora
