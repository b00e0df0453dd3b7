#pragma once

#include <QIcon>
#include <QImage>
#include <string_view>

namespace zelora {

// Simple drawn stand-ins for the window's pictures until the real artwork is
// in the resources. Sizes and make-up match what the artwork will have.

// A 32 x 16 glyph strip for the flat button `button` (normal image left,
// grey relief right); its bottom-left pixel is the transparent colour.
QImage PlaceholderGlyph(std::string_view button);

// A 32 x 32 sheet of paper, upright (portrait) or on its side (landscape).
QImage PlaceholderOrientation(bool portrait);

// The 135 x 84 about picture.
QImage PlaceholderAbout();

// The 32 x 32 window icon.
QIcon PlaceholderWindowIcon();

}  // namespace zelora
