// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Qt resource paths of the program's pictures (compiled from pictures/*.pxm).
namespace zelora::pictures {

// Window icon, 32 x 32, 16 colours; also the program's main icon.
inline constexpr char kMainIcon[] = ":/pictures/mainicon.ico";
// Its one image, the same pixels, as an XPM with its see-through pixels: Qt
// reads that itself, while an icon file needs a plugin loaded and its mask
// colour-converted, and a PNG the image library paged in. (Qt's bitmap writer
// leaves alpha out.)
inline constexpr char kMainIconImage[] = ":/pictures/mainicon_image.xpm";

// About picture: 135 x 84, 8 bits per pixel, 256-entry palette, bottom-up.
inline constexpr char kAbout[] = ":/pictures/about.bmp";
inline constexpr int kAboutBitmapId = 100;

// Orientation pictures: three 32 x 32 images each (2, 16 and 16 colours).
inline constexpr char kPortrait[] = ":/pictures/portrait.ico";
inline constexpr char kLandscape[] = ":/pictures/landscape.ico";

// Spin-button arrows: 6 x 6, monochrome, black arrow on white.
inline constexpr char kSpinUp[] = ":/pictures/spin_up.bmp";
inline constexpr char kSpinDown[] = ":/pictures/spin_down.bmp";

struct GlyphEntry {
  std::string_view control;
  const char* path;
};

// Every flat picture button with its glyph: 32 x 16, 4 bits per pixel; normal
// image left, disabled right.
inline constexpr GlyphEntry kGlyphs[] = {
    {"BtnApply", ":/pictures/glyph_BtnApply.bmp"},
    {"BtnDefault", ":/pictures/glyph_BtnDefault.bmp"},
    {"BtnReset", ":/pictures/glyph_BtnReset.bmp"},
    {"BtnFormfeed", ":/pictures/glyph_BtnFormfeed.bmp"},
    {"BtnHelp", ":/pictures/glyph_BtnHelp.bmp"},
    {"BtnExit", ":/pictures/glyph_BtnExit.bmp"},
    {"BtnConfig", ":/pictures/glyph_BtnConfig.bmp"},
    {"BtnTestPrt", ":/pictures/glyph_BtnTestPrt.bmp"},
};

// The glyph of the flat picture button with this control name, or nullptr.
constexpr const char* GlyphPath(std::string_view control) {
  for (const GlyphEntry& entry : kGlyphs) {
    if (entry.control == control) return entry.path;
  }
  return nullptr;
}

// The program's bitmap resource with this integer identifier, or nullptr when
// it has none (only the about picture, 100, is a numbered bitmap).
constexpr const char* BitmapResourcePath(int id) { return id == kAboutBitmapId ? kAbout : nullptr; }

}  // namespace zelora::pictures
