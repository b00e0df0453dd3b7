#pragma once

#include <QAbstractButton>
#include <QImage>

namespace zelora {

// A frameless picture button that never takes the keyboard focus: a 16 x 16
// glyph centred above its caption. At rest the glyph is grey and there is no
// frame; under the mouse pointer it shows a raised frame and the glyph in
// colour; while pressed, a sunken frame with glyph and caption moved one pixel
// right and down. The click fires on press and release over the button.
class FlatButton : public QAbstractButton {
  Q_OBJECT
 public:
  static constexpr int kGlyphSize = 16;

  explicit FlatButton(QWidget* parent = nullptr);

  // A glyph bitmap of two 16 x 16 images side by side: the left one for
  // normal drawing, the right one for the disabled button. The colour of its
  // bottom-left pixel is transparent wherever it occurs.
  void SetGlyph(const QImage& bitmap);

  // The three ways the glyph is drawn: in colour under the mouse pointer, in
  // grey elsewhere, and the right-hand image while disabled.
  const QImage& ColourGlyph() const { return colour_; }
  const QImage& GreyGlyph() const { return grey_; }
  const QImage& DisabledGlyph() const { return disabled_; }
  // The one drawn in the button's present state.
  const QImage& ShownGlyph() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QImage colour_;
  QImage grey_;
  QImage disabled_;
};

}  // namespace zelora
