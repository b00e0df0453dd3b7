// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the files the build made from resources/: the compiled pictures and
// the desktop entry.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "compiled_pictures.h"
#include "dib_reader.h"
#include "indexed_image.h"

namespace zelora::rescomp {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot open " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using test::ExpectedBitmap;
using test::GlyphFile;
using test::PictureFile;

constexpr Rgb kDarkYellow{128, 128, 0};
constexpr Rgb kDarkMagenta{128, 0, 128};

// ---- bitmaps ----

class CompiledBitmap : public ::testing::TestWithParam<ExpectedBitmap> {};

TEST_P(CompiledBitmap, SizeDepthPaletteAndLayout) {
  const ExpectedBitmap& want = GetParam();
  std::vector<std::uint8_t> bytes = ReadBytes(PictureFile(want.file));
  BmpFile bmp = DecodeBmp(bytes);
  const DibImage& dib = bmp.image;
  std::size_t entries = std::size_t{1} << want.bits;

  EXPECT_EQ(dib.width, want.width);
  EXPECT_EQ(dib.stored_height, want.height) << "positive height: rows stored bottom-up";
  EXPECT_EQ(dib.bits_per_pixel, want.bits);
  EXPECT_EQ(dib.planes, 1);
  EXPECT_EQ(dib.compression, 0u) << "BI_RGB";
  EXPECT_EQ(dib.palette.size(), entries);
  EXPECT_EQ(bmp.pixel_offset, 14 + 40 + 4 * entries);
  EXPECT_EQ(bmp.file_size, bytes.size());
  std::size_t stride = ((want.width * want.bits + 31) / 32) * 4;
  EXPECT_EQ(bytes.size(), bmp.pixel_offset + stride * want.height);
}

INSTANTIATE_TEST_SUITE_P(Pictures, CompiledBitmap, ::testing::ValuesIn(test::kCompiledBitmaps),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           return name.substr(0, name.find('.'));
                         });

// ---- button glyphs ----

struct ExpectedGlyph {
  const char* control;
  Rgb transparent;
};

class CompiledGlyph : public ::testing::TestWithParam<ExpectedGlyph> {};

TEST_P(CompiledGlyph, TransparentColourAndGreyRelief) {
  const ExpectedGlyph& want = GetParam();
  DibImage dib = DecodeBmp(ReadBytes(PictureFile(GlyphFile(want.control)))).image;
  ASSERT_EQ(dib.width, 32);
  ASSERT_EQ(dib.height, 16);
  EXPECT_EQ(dib.At(0, 15), want.transparent);

  std::vector<Rgb> left;
  std::vector<Rgb> right;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      left.push_back(dib.At(x, y));
      right.push_back(dib.At(16 + x, y));
    }
  }
  // Both images draw something; the disabled one is the grey relief of the
  // normal one.
  auto drawn = [&](const std::vector<Rgb>& half) {
    return std::count_if(half.begin(), half.end(), [&](Rgb c) { return c != want.transparent; });
  };
  EXPECT_GT(drawn(left), 20);
  EXPECT_GT(drawn(right), 10);
  EXPECT_EQ(right, GreyRelief(left, 16, 16));
  for (Rgb c : right) {
    EXPECT_TRUE(c == want.transparent || c == kReliefShadow || c == kReliefHighlight);
  }
}

INSTANTIATE_TEST_SUITE_P(Buttons, CompiledGlyph,
                         ::testing::Values(ExpectedGlyph{"BtnApply", kDarkYellow},
                                           ExpectedGlyph{"BtnDefault", kDarkMagenta},
                                           ExpectedGlyph{"BtnReset", kDarkMagenta},
                                           ExpectedGlyph{"BtnFormfeed", kDarkYellow},
                                           ExpectedGlyph{"BtnHelp", kDarkYellow},
                                           ExpectedGlyph{"BtnExit", kDarkYellow},
                                           ExpectedGlyph{"BtnConfig", kDarkYellow},
                                           ExpectedGlyph{"BtnTestPrt", kDarkYellow}),
                         [](const auto& info) { return std::string(info.param.control); });

// ---- spin arrows ----

TEST(CompiledPictures, SpinArrowsPointUpAndDown) {
  DibImage up = DecodeBmp(ReadBytes(PictureFile("spin_up.bmp"))).image;
  DibImage down = DecodeBmp(ReadBytes(PictureFile("spin_down.bmp"))).image;
  const Rgb black{0, 0, 0};
  std::vector<int> up_widths;
  for (int y = 0; y < 6; ++y) {
    int width = 0;
    for (int x = 0; x < 6; ++x) {
      width += up.At(x, y) == black;
      EXPECT_EQ(down.At(x, 5 - y), up.At(x, y)) << "down is up upside down at " << x << "," << y;
    }
    if (width > 0) up_widths.push_back(width);
  }
  ASSERT_GE(up_widths.size(), 2u);
  EXPECT_TRUE(std::is_sorted(up_widths.begin(), up_widths.end()));
  EXPECT_LT(up_widths.front(), up_widths.back()) << "point at the top, base below";
}

// ---- icons ----

// Width and height of the box around the opaque white pixels (the sheet).
std::pair<int, int> WhiteBox(const DibImage& image) {
  int x0 = image.width, y0 = image.height, x1 = -1, y1 = -1;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.mask[static_cast<std::size_t>(y) * image.width + x] == 0 &&
          image.At(x, y) == Rgb{255, 255, 255}) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
    }
  }
  return {x1 - x0 + 1, y1 - y0 + 1};
}

TEST(CompiledPictures, MainIconIsOne32By32SixteenColourImage) {
  std::vector<IcoEntry> entries = DecodeIco(ReadBytes(PictureFile("mainicon.ico")));
  ASSERT_EQ(entries.size(), 1u);
  const IcoEntry& e = entries[0];
  EXPECT_EQ(e.width, 32);
  EXPECT_EQ(e.height, 32);
  EXPECT_EQ(e.colour_count, 16);
  EXPECT_EQ(e.bit_count, 4);
  EXPECT_EQ(e.image.bits_per_pixel, 4);
  EXPECT_EQ(e.image.width, 32);
  EXPECT_EQ(e.image.stored_height, 64);
  EXPECT_EQ(e.image.palette.size(), 16u);
  EXPECT_EQ(e.image.compression, 0u);
  std::set<std::uint8_t> mask(e.image.mask.begin(), e.image.mask.end());
  EXPECT_EQ(mask, (std::set<std::uint8_t>{0, 1})) << "a shape, not a filled square";
}

class OrientationIcon : public ::testing::TestWithParam<const char*> {};

TEST_P(OrientationIcon, ThreeImagesOneMonoTwoSixteenColourSheetOfTheRightShape) {
  const std::string name = GetParam();
  std::vector<IcoEntry> entries = DecodeIco(ReadBytes(PictureFile(name + ".ico")));
  ASSERT_EQ(entries.size(), 3u);
  std::multiset<int> depths;
  for (const IcoEntry& e : entries) {
    depths.insert(e.bit_count);
    EXPECT_EQ(e.width, 32);
    EXPECT_EQ(e.height, 32);
    EXPECT_EQ(e.image.width, 32);
    EXPECT_EQ(e.image.height, 32);
    EXPECT_EQ(e.image.bits_per_pixel, e.bit_count);
    EXPECT_EQ(e.colour_count, 1 << e.bit_count);
    EXPECT_EQ(e.image.palette.size(), std::size_t{1} << e.bit_count);

    auto [w, h] = WhiteBox(e.image);
    if (name == "portrait") {
      EXPECT_GT(h, w + 6) << "upright sheet, image of " << e.bit_count << " bits";
    } else {
      EXPECT_GT(w, h + 6) << "sheet on its side, image of " << e.bit_count << " bits";
    }
  }
  EXPECT_EQ(depths, (std::multiset<int>{1, 4, 4}));
}

INSTANTIATE_TEST_SUITE_P(Pictures, OrientationIcon, ::testing::Values("portrait", "landscape"));

}  // namespace
}  // namespace zelora::rescomp
