// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the pictures the build made from resources/pictures: decoded by Qt,
// each holds its source's pixels; and what the sources draw.

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "compiled_pictures.h"
#include "indexed_image.h"
#include "picture_source.h"

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

// The images of resources/pictures/<picture>.pxm as the compiler builds them.
std::vector<IndexedImage> Source(const std::string& picture) {
  std::vector<std::uint8_t> text = ReadBytes(ZELORA_TEST_PICTURE_SOURCE_DIR "/" + picture + ".pxm");
  return BuildImages(ParsePictureSource(std::string(text.begin(), text.end())));
}

// Image `index` of a compiled picture as Qt decodes it, as RGBA bytes.
std::vector<std::uint8_t> Decoded(const std::string& path, int index) {
  QImageReader reader(QString::fromStdString(path));
  EXPECT_TRUE(index == 0 || reader.jumpToImage(index)) << path << " image " << index;
  const QImage image = reader.read().convertToFormat(QImage::Format_RGBA8888);
  return {image.constBits(), image.constBits() + image.sizeInBytes()};
}

TEST(CompiledPictures, DecodeToTheirSourcesPixels) {
  std::vector<std::pair<std::string, std::string>> files = {
      {PictureFile("mainicon.ico"), "mainicon.ico"},
      {PictureFile("mainicon_image.xpm"), "mainicon.ico"},
      {test::DataFile("zelora.png"), "mainicon.ico"},
      {PictureFile("portrait.ico"), "portrait.ico"},
      {PictureFile("landscape.ico"), "landscape.ico"}};
  for (const ExpectedBitmap& b : test::kCompiledBitmaps)
    files.push_back({PictureFile(b.file), b.file});
  for (const auto& [file, source] : files) {
    const std::vector<IndexedImage> images = Source(source);
    for (std::size_t i = 0; i < images.size(); ++i) {
      EXPECT_EQ(Decoded(file, static_cast<int>(i)), ToRgba(images[i])) << file << " image " << i;
    }
  }
}

// ---- button glyphs ----

struct ExpectedGlyph {
  const char* control;
  Rgb transparent;
};

class CompiledGlyph : public ::testing::TestWithParam<ExpectedGlyph> {};

TEST_P(CompiledGlyph, TransparentColourAndGreyRelief) {
  const ExpectedGlyph& want = GetParam();
  IndexedImage dib = Source(GlyphFile(want.control)).at(0);
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
  IndexedImage up = Source("spin_up.bmp").at(0);
  IndexedImage down = Source("spin_down.bmp").at(0);
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
std::pair<int, int> WhiteBox(const IndexedImage& image) {
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

class OrientationIcon : public ::testing::TestWithParam<const char*> {};

TEST_P(OrientationIcon, ThreeImagesOneMonoTwoSixteenColourSheetOfTheRightShape) {
  const std::string name = GetParam();
  std::vector<IndexedImage> entries = Source(name + ".ico");
  ASSERT_EQ(entries.size(), 3u);
  std::multiset<int> depths;
  for (const IndexedImage& e : entries) {
    depths.insert(e.bits_per_pixel);
    EXPECT_EQ(e.width, 32);
    EXPECT_EQ(e.height, 32);

    auto [w, h] = WhiteBox(e);
    if (name == "portrait") {
      EXPECT_GT(h, w + 6) << "upright sheet, image of " << e.bits_per_pixel << " bits";
    } else {
      EXPECT_GT(w, h + 6) << "sheet on its side, image of " << e.bits_per_pixel << " bits";
    }
  }
  EXPECT_EQ(depths, (std::multiset<int>{1, 4, 4}));
}

INSTANTIATE_TEST_SUITE_P(Pictures, OrientationIcon, ::testing::Values("portrait", "landscape"));

}  // namespace
}  // namespace zelora::rescomp
