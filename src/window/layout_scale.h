// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zelora {

// The window layout holds for a screen of 96 dots per inch on which the
// window's font has a text height of 13 pixels. On other screens the font's
// pixel height follows the dots per inch first; then, if the text height is
// no longer 13, every position and size follows the text height.
//
// The toolkit's own high-DPI scaling already turns a screen's dots per inch
// into device pixels per layout pixel; the dots per inch it still reports to
// the window (its logical dots per inch) are what is left to scale by here.
inline constexpr int kLayoutDpi = 96;
inline constexpr int kLayoutTextHeight = 13;

// value * numerator / denominator, rounded to the nearest whole number with
// halves away from zero; the intermediate product does not overflow.
int MulDiv(int value, int numerator, int denominator);

// The font's pixel height on a screen of `dpi` logical dots per inch.
int ScaledFontPixelSize(int pixel_size, int dpi);

// Positions and sizes of the layout for a font of the given text height.
class LayoutScale {
 public:
  explicit LayoutScale(int text_height = kLayoutTextHeight) : text_height_(text_height) {}

  int operator()(int layout_pixels) const {
    return text_height_ == kLayoutTextHeight
               ? layout_pixels
               : MulDiv(layout_pixels, text_height_, kLayoutTextHeight);
  }
  int TextHeight() const { return text_height_; }

 private:
  int text_height_;
};

}  // namespace zelora
