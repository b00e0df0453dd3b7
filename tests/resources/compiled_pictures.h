// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the build makes of resources/pictures and where it puts it, shared by
// the test that decodes the files itself and the one that reads them through
// the toolkit. Both define ZELORA_TEST_PICTURE_DIR and ZELORA_TEST_DATA_DIR.

#include <string>

namespace zelora::test {

struct ExpectedBitmap {
  const char* file;
  int width;
  int height;
  int bits;
};

inline constexpr ExpectedBitmap kCompiledBitmaps[] = {
    {"about.bmp", 135, 84, 8},
    {"glyph_BtnApply.bmp", 32, 16, 4},
    {"glyph_BtnDefault.bmp", 32, 16, 4},
    {"glyph_BtnReset.bmp", 32, 16, 4},
    {"glyph_BtnFormfeed.bmp", 32, 16, 4},
    {"glyph_BtnHelp.bmp", 32, 16, 4},
    {"glyph_BtnExit.bmp", 32, 16, 4},
    {"glyph_BtnConfig.bmp", 32, 16, 4},
    {"glyph_BtnTestPrt.bmp", 32, 16, 4},
    {"spin_up.bmp", 6, 6, 1},
    {"spin_down.bmp", 6, 6, 1},
};

// The compiled glyph of a flat picture button.
inline std::string GlyphFile(const std::string& control) { return "glyph_" + control + ".bmp"; }

inline std::string PictureFile(const std::string& name) {
  return std::string(ZELORA_TEST_PICTURE_DIR) + "/" + name;
}
inline std::string DataFile(const std::string& name) {
  return std::string(ZELORA_TEST_DATA_DIR) + "/" + name;
}

}  // namespace zelora::test
