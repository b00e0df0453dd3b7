// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures as the window loads them: from the Qt resources, through
// QImage, and the glyph states of the flat picture buttons.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <string>
#include <vector>

#include "compiled_pictures.h"
#include "glyph_image.h"
#include "pictures.h"

namespace zelora {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "cannot open " << path.toStdString();
    return {};
  }
  return file.readAll();
}

struct Bundled {
  const char* path;
  std::string file;
};

// Every picture path with the file it should hold.
std::vector<Bundled> AllPictures() {
  std::vector<Bundled> all = {
      {pictures::kMainIcon, "mainicon.ico"}, {pictures::kAbout, "about.bmp"},
      {pictures::kPortrait, "portrait.ico"}, {pictures::kLandscape, "landscape.ico"},
      {pictures::kSpinUp, "spin_up.bmp"},    {pictures::kSpinDown, "spin_down.bmp"},
  };
  for (const pictures::GlyphEntry& glyph : pictures::kGlyphs) {
    all.push_back({glyph.path, test::GlyphFile(std::string(glyph.control))});
  }
  return all;
}

TEST(PictureBundle, EveryPathHoldsTheCompiledFile) {
  for (const Bundled& b : AllPictures()) {
    QByteArray bundled = ReadAll(b.path);
    QByteArray built = ReadAll(QString::fromStdString(test::PictureFile(b.file)));
    EXPECT_FALSE(bundled.isEmpty()) << b.path;
    EXPECT_EQ(bundled, built) << b.path;
  }
}

TEST(PictureBundle, QImageReadsTheBitmapsAtTheirSizesAndDepths) {
  // The bundle holds each compiled file under its own name (checked above).
  for (const test::ExpectedBitmap& want : test::kCompiledBitmaps) {
    const QString path = QStringLiteral(":/pictures/") + want.file;
    QImage image(path);
    ASSERT_FALSE(image.isNull()) << want.file;
    EXPECT_EQ(image.width(), want.width) << want.file;
    EXPECT_EQ(image.height(), want.height) << want.file;
    EXPECT_EQ(image.colorCount(), 1 << want.bits) << want.file;
  }
}

TEST(PictureBundle, QImageReaderReadsEveryIconImage) {
  const std::pair<const char*, int> cases[] = {
      {pictures::kMainIcon, 1}, {pictures::kPortrait, 3}, {pictures::kLandscape, 3}};
  for (const auto& [path, count] : cases) {
    QImageReader reader(path);
    ASSERT_TRUE(reader.canRead()) << path << ": " << reader.errorString().toStdString();
    EXPECT_EQ(reader.imageCount(), count) << path;
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(reader.jumpToImage(i)) << path << " image " << i;
      QImage image = reader.read();
      ASSERT_FALSE(image.isNull()) << path << " image " << i;
      EXPECT_EQ(image.size(), QSize(32, 32)) << path << " image " << i;
      EXPECT_TRUE(image.hasAlphaChannel()) << path << " image " << i;
      EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << path << ": the corner is see-through";
    }
  }
}

// ---- flat picture button glyphs ----

// Each state checked pixel by pixel against the bitmap's colours.
TEST(GlyphImage, EveryStateOfEveryGlyphFollowsTheBitmap) {
  for (const pictures::GlyphEntry& glyph : pictures::kGlyphs) {
    SCOPED_TRACE(std::string(glyph.control));
    QImage bitmap(glyph.path);
    ASSERT_FALSE(bitmap.isNull());
    const QRgb transparent = bitmap.pixel(0, 15);

    for (GlyphState state : {GlyphState::Normal, GlyphState::Grey, GlyphState::Disabled}) {
      QImage image = GlyphImage(bitmap, state);
      ASSERT_EQ(image.size(), QSize(16, 16));
      int x0 = state == GlyphState::Disabled ? 16 : 0;
      int see_through = 0;
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
          const QRgb c = bitmap.pixel(x0 + x, y);
          QRgb got = image.pixel(x, y);
          if (c == transparent) {
            ++see_through;
            ASSERT_EQ(qAlpha(got), 0) << x << "," << y;
            continue;
          }
          ASSERT_EQ(qAlpha(got), 255) << x << "," << y;
          if (state == GlyphState::Grey) {
            int grey = (77 * qRed(c) + 150 * qGreen(c) + 29 * qBlue(c)) / 256;
            ASSERT_EQ(got, qRgb(grey, grey, grey)) << x << "," << y;
          } else {
            ASSERT_EQ(got, c) << x << "," << y;
          }
        }
      }
      EXPECT_GT(see_through, 0);
      EXPECT_LT(see_through, 16 * 16);
    }
  }
}

TEST(GlyphImage, TransparentColourWhateverItsPaletteEntry) {
  QImage bitmap(4, 2, QImage::Format_Indexed8);
  bitmap.setColorTable({qRgb(128, 0, 128), qRgb(0, 0, 0), qRgb(128, 0, 128), qRgb(9, 8, 7)});
  const uchar rows[2][4] = {{2, 1, 3, 0}, {0, 3, 2, 1}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) bitmap.setPixel(x, y, rows[y][x]);
  }
  QImage normal = GlyphImage(bitmap, GlyphState::Normal);
  ASSERT_EQ(normal.size(), QSize(2, 2));
  EXPECT_EQ(qAlpha(normal.pixel(0, 0)), 0) << "second entry of the same colour";
  EXPECT_EQ(normal.pixel(1, 0), qRgb(0, 0, 0));
  EXPECT_EQ(qAlpha(normal.pixel(0, 1)), 0);
  EXPECT_EQ(normal.pixel(1, 1), qRgb(9, 8, 7));
  QImage disabled = GlyphImage(bitmap, GlyphState::Disabled);
  EXPECT_EQ(disabled.pixel(0, 0), qRgb(9, 8, 7));
  EXPECT_EQ(qAlpha(disabled.pixel(1, 0)), 0);
  EXPECT_EQ(qAlpha(disabled.pixel(0, 1)), 0);
  EXPECT_EQ(disabled.pixel(1, 1), qRgb(0, 0, 0));

  EXPECT_TRUE(GlyphImage(QImage(), GlyphState::Normal).isNull());
  EXPECT_TRUE(GlyphImage(QImage(1, 16, QImage::Format_RGB32), GlyphState::Grey).isNull());
}

}  // namespace
}  // namespace zelora
