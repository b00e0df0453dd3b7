// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "dib_writer.h"
#include "escape_text.h"
#include "expect_line_error.h"
#include "icon_theme.h"
#include "indexed_image.h"
#include "picture_source.h"

namespace zelora::rescomp {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kOlive{128, 128, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kYellow{255, 255, 0};

// ---- picture source reader ----

struct BadSource {
  const char* name;
  std::string text;
  int line;
  const char* message_part;
};

// Keeps test listings readable: the case's name, not a byte dump.
void PrintTo(const BadSource& bad, std::ostream* out) { *out << bad.name; }

class PictureSourceErrors : public ::testing::TestWithParam<BadSource> {};

TEST_P(PictureSourceErrors, ReportLineAndReason) {
  const BadSource& bad = GetParam();
  test::ExpectLineError<SourceError>([&] { ParsePictureSource(bad.text); }, bad.name, bad.line,
                                     bad.message_part);
}

const std::string kHead = "format bmp\nimage 2 2 4\ncolour a 1 2 3\n";

INSTANTIATE_TEST_SUITE_P(
    Table, PictureSourceErrors,
    ::testing::Values(
        BadSource{"no format first", "image 2 2 4\n", 1, "must begin with 'format"},
        BadSource{"unknown format", "format gif\n", 1, "unknown format"},
        BadSource{"bits 3", "format bmp\nimage 2 2 3\n", 2, "1, 4 or 8"},
        BadSource{"colour before image", "format bmp\ncolour a 1 2 3\n", 2, "before any"},
        BadSource{"colour 256", "format bmp\nimage 2 2 4\ncolour a 1 256 3\n", 3, "green"},
        BadSource{"colour twice", kHead + "colour a 4 5 6\n", 4, "declared twice"},
        BadSource{"short row", kHead + "rows\naa\na\n", 6, "row 2 has 1 pixels"},
        BadSource{"unknown pixel", kHead + "rows\nab\naa\n", 5, "'b' has no colour"},
        BadSource{"rows missing", kHead + "rows\naa\n", 4, "file ends after 1"},
        BadSource{"image without rows", kHead, 3, "has no rows"},
        BadSource{"two bitmap images", kHead + "rows\naa\naa\nimage 2 2 4\n", 7,
                  "exactly one image"},
        BadSource{"transparent in bitmap", kHead + "transparent .\n", 4, "only icon images"},
        BadSource{"relief in icon", "format ico\nimage 2 2 4\nrelief\n", 3, "for bitmaps"},
        BadSource{"rows-like other size",
                  "format ico\nimage 2 2 4\ncolour a 1 2 3\nrows\naa\naa\n"
                  "image 3 2 4\ncolour a 1 2 3\nrows-like 1\n",
                  9, "another size"},
        BadSource{"rows-like undeclared pixel",
                  "format ico\nimage 2 2 4\ncolour a 1 2 3\ncolour b 1 2 3\nrows\nab\naa\n"
                  "image 2 2 1\ncolour a 0 0 0\nrows-like 1\n",
                  10, "'b' has no colour"},
        BadSource{"unknown directive", kHead + "colours a\n", 4, "unknown directive"}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST(PictureSource, AcceptsCommentsBlankLinesTrailingBlanksAndCrLf) {
  PictureSource source = ParsePictureSource(
      "# heading comment\r\n"
      "format ico\r\n"
      "\r\n"
      "image 3 2 4   \r\n"
      "  # indented comment\r\n"
      "transparent . -\r\n"
      "colour # 10 20 30\r\n"
      "rows\r\n"
      "#.#  \r\n"
      "-#.\r\n"
      "image 3 2 1\n"
      "transparent .\n"
      "colour # 0 0 0\n"
      "colour - 255 255 255\n"
      "rows-like 1\n");
  ASSERT_EQ(source.format, PictureFormat::Ico);
  ASSERT_EQ(source.images.size(), 2u);
  const ImageSource& first = source.images[0];
  EXPECT_EQ(first.width, 3);
  EXPECT_EQ(first.height, 2);
  EXPECT_EQ(first.bits_per_pixel, 4);
  EXPECT_EQ(first.transparent, ".-");
  EXPECT_EQ(first.rows, (std::vector<std::string>{"#.#", "-#."}));
  ASSERT_NE(first.ColourOf('#'), nullptr);
  EXPECT_EQ(*first.ColourOf('#'), (Rgb{10, 20, 30}));
  EXPECT_EQ(source.images[1].rows, first.rows);
  EXPECT_EQ(source.images[1].bits_per_pixel, 1);
}

// ---- palette building and the grey relief ----

TEST(BuildImages, PaletteInDeclarationOrderWithSharedColours) {
  PictureSource source = ParsePictureSource(
      "format bmp\nimage 4 1 4\n"
      "colour r 255 0 0\ncolour k 0 0 0\ncolour R 255 0 0\ncolour w 255 255 255\n"
      "rows\nwRkr\n");
  std::vector<IndexedImage> images = BuildImages(source);
  ASSERT_EQ(images.size(), 1u);
  const IndexedImage& image = images[0];
  EXPECT_EQ(image.palette, (std::vector<Rgb>{kRed, kBlack, kWhite}));
  EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{2, 0, 1, 0}));
  EXPECT_TRUE(image.mask.empty());
}

TEST(BuildImages, IconPutsBlackFirstAndMasksSeeThroughPixels) {
  PictureSource source = ParsePictureSource(
      "format ico\nimage 3 1 4\ntransparent .\n"
      "colour w 255 255 255\ncolour k 0 0 0\nrows\n.wk\n");
  IndexedImage image = BuildImages(source).at(0);
  EXPECT_EQ(image.palette, (std::vector<Rgb>{kBlack, kWhite}));
  EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{0, 1, 0}));
  EXPECT_EQ(image.mask, (std::vector<std::uint8_t>{1, 0, 0}));
}

TEST(BuildImages, TooManyColoursForTheDepth) {
  std::string text = "format ico\nimage 17 1 4\n";
  std::string row;
  for (int i = 0; i < 16; ++i) {
    char c = static_cast<char>('a' + i);
    text += std::string("colour ") + c + " " + std::to_string(i + 1) + " 0 0\n";
    row += c;
  }
  // Sixteen colours fit a bitmap, but an icon also needs black.
  std::string bitmap = "format bmp" + text.substr(10);
  EXPECT_NO_THROW(BuildImages(ParsePictureSource(bitmap + "rows\n" + row.substr(0, 16) + "a\n")));
  test::ExpectLineError<SourceError>(
      [&] { BuildImages(ParsePictureSource(text + "rows\n" + row + "a\n")); },
      "17 colours at 4 bits", 2, "black included");
}

TEST(GreyRelief, InkIsShiftedWhiteThenGrey) {
  const Rgb T = kOlive;
  const Rgb K = kBlack;
  const Rgb W = kWhite;
  const Rgb R = kRed;
  const Rgb Y = kYellow;
  const Rgb G = kGrey;
  // Black and red are ink, white and yellow are not; the olive of the
  // bottom-left pixel is the transparent colour. Ink at the right edge casts
  // no highlight outside the image.
  std::vector<Rgb> picture = {
      K, W, T, K,  //
      T, R, T, T,  //
      T, T, Y, T,  //
      T, T, T, T,  //
  };
  std::vector<Rgb> expected = {
      G, T, T, G,  //
      T, G, T, T,  //
      T, T, W, T,  //
      T, T, T, T,  //
  };
  EXPECT_EQ(GreyRelief(picture, 4, 4), expected);
}

TEST(GreyRelief, InkThresholdAndTransparentColourOfTheBottomLeftPixel) {
  struct Case {
    Rgb colour;
    bool ink;
  };
  // Grey levels: 159 and 160 straddle the threshold; (0,255,0) is 149,
  // cyan (0,255,255) 178, silver 192.
  const Case cases[] = {
      {{159, 159, 159}, true}, {{160, 160, 160}, false}, {{0, 255, 0}, true},
      {{0, 255, 255}, false},  {{192, 192, 192}, false}, {{128, 0, 128}, true},
  };
  for (const Case& c : cases) {
    const Rgb T{1, 2, 3};
    std::vector<Rgb> picture = {c.colour, T, T, T};
    std::vector<Rgb> relief = GreyRelief(picture, 2, 2);
    EXPECT_EQ(relief[0], c.ink ? kGrey : T) << int(c.colour.r) << "," << int(c.colour.g);
    EXPECT_EQ(relief[3], c.ink ? kWhite : T);
  }
  // Dark magenta is the transparent colour when the bottom-left pixel has it.
  const Rgb M{128, 0, 128};
  EXPECT_EQ(GreyRelief({M, kBlack, M, M}, 2, 2), (std::vector<Rgb>{M, kGrey, M, M}));
  EXPECT_TRUE(GreyRelief({kBlack}, 2, 2).empty());
}

TEST(BuildImages, ReliefDoublesTheWidthAndAddsGreyAndWhite) {
  PictureSource source = ParsePictureSource(
      "format bmp\nimage 2 2 4\nrelief\ncolour . 128 128 0\ncolour k 0 0 0\nrows\nk.\n..\n");
  IndexedImage image = BuildImages(source).at(0);
  ASSERT_EQ(image.width, 4);
  EXPECT_EQ(image.palette, (std::vector<Rgb>{kOlive, kBlack, kGrey, kWhite}));
  std::vector<Rgb> rows;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) rows.push_back(image.At(x, y));
  }
  EXPECT_EQ(rows, (std::vector<Rgb>{kBlack, kOlive, kGrey, kOlive,  //
                                    kOlive, kOlive, kOlive, kWhite}));
}

// ---- icon encoding ----

// The directory: each image's size, colours and depth, by which the window
// picks one, and where it lies (the pixels are checked decoded, on the
// compiled icons).
TEST(EncodeIco, DirectoryNamesSizeColoursDepthAndPlaceOfEachImage) {
  const IndexedImage colour{3, 2, 4, {kRed}, std::vector<std::uint8_t>(6, 0), {}};
  const IndexedImage mono{2, 1, 1, {kBlack, kWhite}, {0, 1}, {1, 0}};
  const std::vector<std::uint8_t> file = EncodeIco({colour, mono});
  // Image: 40-byte header, full palette, rows of pixels and of the mask.
  ASSERT_EQ(file.size(), 6u + 2 * 16 + (40 + 64 + 8 + 8) + (40 + 8 + 4 + 4));
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 38),
            (std::vector<std::uint8_t>{0, 0, 1,  0, 2, 0,                                    //
                                       3, 2, 16, 0, 1, 0, 4, 0, 120, 0, 0, 0, 38,  0, 0, 0,  //
                                       2, 1, 2,  0, 1, 0, 1, 0, 56,  0, 0, 0, 158, 0, 0, 0}));
}

// Each new pixel averages the source area it covers, colours weighted by alpha
// so that a see-through pixel lends none.
TEST(ScaleRgba, AveragesTheCoveredAreaByOverlapAndAlpha) {
  const std::vector<std::uint8_t> red_beside_clear_white = {255, 0, 0, 255, 255, 255, 255, 0};
  EXPECT_EQ(ScaleRgba(red_beside_clear_white, 2, 1, 1, 1),
            (std::vector<std::uint8_t>{255, 0, 0, 128}));
  // Three to two: each new pixel is two thirds of an end pixel, one of the middle.
  const std::vector<std::uint8_t> greys = {0, 0, 0, 255, 90, 90, 90, 255, 180, 180, 180, 255};
  EXPECT_EQ(ScaleRgba(greys, 3, 1, 2, 1),
            (std::vector<std::uint8_t>{30, 30, 30, 255, 150, 150, 150, 255}));
}

// ---- escape text ----

struct EscapeCase {
  std::string source;
  std::string bytes;
};

TEST(EscapeText, CompilesTheNotation) {
  const EscapeCase cases[] = {
      {"{ESC}E",
       "\x1B"
       "E"},
      {"{ESC}%-12345X@PJL{CR}{LF}", "\x1B%-12345X@PJL\r\n"},
      {"A\nB\n", "AB"},
      {"A  \t\nB", "AB"},
      {"  indented", "  indented"},
      {"# comment\nX", "X"},
      {" # not a comment", " # not a comment"},
      {"\n\n\nX\n\n", "X"},
      {"A\r\nB\r\n", "AB"},
      {"{FF}{SP}{TAB}", "\f \t"},
      {"{x00}{x7f}{xFF}", std::string("\0\x7F\xFF", 3)},
      {"{{}", "{}"},
      {"a}b", "a}b"},
      {"", ""},
  };
  for (const EscapeCase& c : cases) {
    EXPECT_EQ(CompileEscapeText(c.source), c.bytes) << c.source;
  }
}

TEST(EscapeText, MistakesNameTheirLine) {
  const std::pair<std::string, int> cases[] = {
      {"ok\n{BEL}", 2}, {"{ESC", 1},         {"# c\n\n{x0g}", 3}, {"{x1}", 1},
      {"tab\there", 1}, {"ok\n\xC3\xA9", 2}, {"{}", 1},           {"{esc}", 1},
  };
  for (const auto& [source, line] : cases) {
    test::ExpectLineError<SourceError>([&] { CompileEscapeText(source); }, source, line);
  }
}

}  // namespace
}  // namespace zelora::rescomp
