// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "dib_reader.h"
#include "dib_writer.h"
#include "escape_text.h"
#include "expect_line_error.h"
#include "icon_theme.h"
#include "indexed_image.h"
#include "picture_source.h"
#include "png_writer.h"

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

// ---- bitmap and icon encoding ----

IndexedImage Pattern(int width, int height, int bits) {
  IndexedImage image;
  image.width = width;
  image.height = height;
  image.bits_per_pixel = bits;
  int colours = 1 << bits;
  for (int i = 0; i < colours; ++i) {
    image.palette.push_back(Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                static_cast<std::uint8_t>(i * 7)});
  }
  for (int i = 0; i < width * height; ++i) {
    image.pixels.push_back(static_cast<std::uint8_t>((i * 5 + i / width) % colours));
  }
  return image;
}

class BmpRoundTrip : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(BmpRoundTrip, HeadersAndPixelsSurvive) {
  auto [width, height, bits] = GetParam();
  IndexedImage image = Pattern(width, height, bits);
  std::vector<std::uint8_t> file = EncodeBmp(image);

  std::uint32_t palette_bytes = 4u << bits;
  std::uint32_t stride = ((width * bits + 31) / 32) * 4;
  ASSERT_EQ(file.size(), 14 + 40 + palette_bytes + stride * height);

  BmpFile bmp = DecodeBmp(file);
  EXPECT_EQ(bmp.file_size, file.size());
  EXPECT_EQ(bmp.pixel_offset, 14 + 40 + palette_bytes);
  EXPECT_EQ(bmp.image.width, width);
  EXPECT_EQ(bmp.image.stored_height, height);  // positive: bottom-up
  EXPECT_EQ(bmp.image.bits_per_pixel, bits);
  EXPECT_EQ(bmp.image.planes, 1);
  EXPECT_EQ(bmp.image.compression, 0u);
  EXPECT_EQ(bmp.image.palette, image.palette);
  EXPECT_EQ(bmp.image.pixels, image.pixels);
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpRoundTrip,
                         ::testing::Values(std::make_tuple(6, 6, 1), std::make_tuple(33, 3, 1),
                                           std::make_tuple(32, 16, 4), std::make_tuple(5, 2, 4),
                                           std::make_tuple(135, 84, 8), std::make_tuple(3, 5, 8)));

TEST(EncodeBmp, StoresTheBottomRowFirstMostSignificantBitsFirst) {
  IndexedImage image;
  image.width = 3;
  image.height = 2;
  image.bits_per_pixel = 4;
  image.palette = {kBlack, kWhite, kRed};
  image.pixels = {1, 2, 1,   // top row
                  2, 0, 0};  // bottom row
  std::vector<std::uint8_t> file = EncodeBmp(image);
  std::size_t offset = 14 + 40 + 64;
  ASSERT_EQ(file.size(), offset + 8);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + offset, file.end()),
            (std::vector<std::uint8_t>{0x20, 0x00, 0, 0, 0x12, 0x10, 0, 0}));
  // Palette entries are blue, green, red, zero; unused entries black.
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 54 + 8, file.begin() + 54 + 16),
            (std::vector<std::uint8_t>{0, 0, 255, 0, 0, 0, 0, 0}));
}

TEST(EncodeBmp, RefusesWhatABitmapCannotHold) {
  IndexedImage image = Pattern(2, 2, 1);
  image.mask = {0, 1, 0, 0};
  EXPECT_THROW(EncodeBmp(image), std::invalid_argument);
  image = Pattern(2, 2, 1);
  image.pixels[3] = 2;  // outside a two-entry palette
  EXPECT_THROW(EncodeBmp(image), std::invalid_argument);
  image = Pattern(2, 2, 1);
  image.bits_per_pixel = 2;
  EXPECT_THROW(EncodeBmp(image), std::invalid_argument);
}

TEST(EncodeIco, DirectoryImagesAndMasks) {
  IndexedImage mono = Pattern(32, 32, 1);
  mono.mask.assign(32 * 32, 0);
  mono.mask[0] = 1;  // top-left see-through
  IndexedImage colour = Pattern(32, 32, 4);
  std::vector<std::uint8_t> file = EncodeIco({colour, mono});

  std::vector<IcoEntry> entries = DecodeIco(file);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].colour_count, 16);
  EXPECT_EQ(entries[0].bit_count, 4);
  EXPECT_EQ(entries[1].colour_count, 2);
  EXPECT_EQ(entries[1].bit_count, 1);
  EXPECT_EQ(entries[0].offset, 6u + 2 * 16);
  EXPECT_EQ(entries[1].offset, entries[0].offset + entries[0].bytes);
  EXPECT_EQ(entries[1].offset + entries[1].bytes, file.size());
  for (const IcoEntry& e : entries) {
    EXPECT_EQ(e.width, 32);
    EXPECT_EQ(e.height, 32);
    EXPECT_EQ(e.planes, 1);
    EXPECT_EQ(e.image.stored_height, 64);  // colour and mask rows
    EXPECT_EQ(e.image.height, 32);
  }
  EXPECT_EQ(entries[0].image.pixels, colour.pixels);
  EXPECT_EQ(entries[1].image.pixels, mono.pixels);
  EXPECT_EQ(entries[0].image.mask, std::vector<std::uint8_t>(32 * 32, 0));
  EXPECT_EQ(entries[1].image.mask, mono.mask);

  // The mask is the last 4 bytes * 32 rows of the image, bottom row first:
  // the top-left bit is the top bit of the last row's first byte.
  std::size_t mask_top_row = file.size() - 4;
  EXPECT_EQ(file[mask_top_row], 0x80);
}

TEST(Decode, DamagedFilesThrowInsteadOfReadingPastTheEnd) {
  std::vector<std::uint8_t> bmp = EncodeBmp(Pattern(8, 8, 4));
  std::vector<std::uint8_t> cut(bmp.begin(), bmp.end() - 1);
  EXPECT_THROW(DecodeBmp(cut), std::runtime_error);

  std::vector<std::uint8_t> far_pixels = bmp;
  far_pixels[10] = 0xFF;  // pixel offset beyond the end
  EXPECT_THROW(DecodeBmp(far_pixels), std::runtime_error);

  std::vector<std::uint8_t> compressed = bmp;
  compressed[30] = 2;  // BI_RLE4
  EXPECT_THROW(DecodeBmp(compressed), std::runtime_error);

  std::vector<std::uint8_t> flat = bmp;
  for (int i = 22; i < 26; ++i) flat[i] = 0;  // height 0
  EXPECT_THROW(DecodeBmp(flat), std::runtime_error);

  std::vector<std::uint8_t> ico = EncodeIco({Pattern(16, 16, 4)});
  ico[6 + 8] = 0xFF;  // image size beyond the end
  EXPECT_THROW(DecodeIco(ico), std::runtime_error);
  EXPECT_THROW(DecodeIco(bmp), std::runtime_error);
  EXPECT_THROW(DecodeBmp({}), std::runtime_error);
}

// ---- PNG ----

std::uint32_t Be32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
         (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

// Walks the chunks, checks every CRC and inflates the image data back into
// the scanlines.
TEST(Png, ChunksAndImageDataRebuildTheScanlines) {
  const int width = 200;
  const int height = 100;  // over 64 KiB of scanlines
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (std::size_t i = 0; i < rgba.size(); ++i) rgba[i] = static_cast<std::uint8_t>(i * 31 + 7);
  std::vector<std::uint8_t> png = EncodePng(width, height, rgba);

  const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_TRUE(std::equal(std::begin(signature), std::end(signature), png.begin()));
  std::vector<std::string> types;
  std::vector<std::uint8_t> packed;
  for (std::size_t at = 8; at < png.size();) {
    std::uint32_t length = Be32(png, at);
    ASSERT_LE(at + 12 + length, png.size());
    std::string type(png.begin() + at + 4, png.begin() + at + 8);
    types.push_back(type);
    EXPECT_EQ(crc32(0L, png.data() + at + 4, length + 4), Be32(png, at + 8 + length)) << type;
    if (type == "IHDR") {
      EXPECT_EQ(Be32(png, at + 8), std::uint32_t{width});
      EXPECT_EQ(Be32(png, at + 12), std::uint32_t{height});
      EXPECT_EQ(png[at + 16], 8);  // bit depth
      EXPECT_EQ(png[at + 17], 6);  // RGBA
    }
    if (type == "IDAT")
      packed.insert(packed.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
    at += 12 + length;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

  const std::size_t raw_size = static_cast<std::size_t>(height) * (width * 4 + 1);
  EXPECT_LT(packed.size(), raw_size / 4);  // the repeating pattern is really compressed
  // One byte more than expected, so that surplus data would show.
  std::vector<std::uint8_t> raw(raw_size + 1);
  uLongf raw_length = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &raw_length, packed.data(), packed.size()), Z_OK);
  ASSERT_EQ(raw_length, raw_size);
  for (int y = 0; y < height; ++y) {
    std::size_t row = static_cast<std::size_t>(y) * (width * 4 + 1);
    ASSERT_EQ(raw[row], 0) << "filter of row " << y;
    ASSERT_TRUE(std::equal(raw.begin() + row + 1, raw.begin() + row + 1 + width * 4,
                           rgba.begin() + static_cast<std::ptrdiff_t>(y) * width * 4));
  }
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
