// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace zelora {

enum class GlyphState {
  Normal,    // the left image in colour (mouse over the button)
  Grey,      // the left image in shades of grey (mouse elsewhere)
  Disabled,  // the right image, the grey relief (button disabled)
};

// One 16 x 16 image of a flat picture button's glyph bitmap (two images side
// by side), as Format_ARGB32. The colour of the bitmap's bottom-left pixel is
// transparent wherever it occurs in the returned half. Grey turns every other
// pixel into the grey of brightness (77 * red + 150 * green + 29 * blue) / 256.
// A null or narrower-than-2 bitmap gives a null image.
QImage GlyphImage(const QImage& glyph_bitmap, GlyphState state);

}  // namespace zelora
