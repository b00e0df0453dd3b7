// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QToolButton>

namespace zelora {

// A frameless picture button that never takes the keyboard focus: a 16 x 16
// glyph above its caption. At rest the glyph is grey and there is no frame;
// under the mouse pointer a raised frame and the glyph in colour; while
// pressed a sunken frame with glyph and caption moved by the style's shift.
// The toolkit's auto-raise tool button does all of that; the three glyph
// images are its icon's Normal, Active and Disabled modes. Its shortcut, if
// any, is its command's key.
class FlatButton : public QToolButton {
  Q_OBJECT
 public:
  static constexpr int kGlyphSize = 16;

  explicit FlatButton(QWidget* parent = nullptr);

  // A glyph bitmap of two 16 x 16 images side by side: the left one for
  // normal drawing, the right one for the disabled button. The colour of its
  // bottom-left pixel is transparent wherever it occurs.
  void SetGlyph(const QImage& bitmap);

 protected:
  // The button's shortcut clicks it at once and leaves the focus where it
  // is; the toolkit's own would move the focus and click on a timer.
  bool event(QEvent* event) override;
};

}  // namespace zelora
