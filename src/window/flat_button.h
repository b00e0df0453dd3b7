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

  // A strip of two 16 x 16 images side by side: the left one for normal
  // drawing, the right one for the disabled button. The colour of its
  // bottom-left pixel is transparent wherever it occurs.
  void SetGlyph(const QImage& strip);

  const QImage& ColourGlyph() const { return colour_; }
  const QImage& GreyGlyph() const { return grey_; }
  const QImage& DisabledGlyph() const { return disabled_; }

  // Every pixel that is not transparent becomes the grey of brightness
  // (77 R + 150 G + 29 B) / 256.
  static QImage ToGrey(const QImage& image);

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
