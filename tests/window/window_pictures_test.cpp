// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures as the window shows them: loaded from the program's resources,
// the right image of each icon, and the flat buttons' three glyph states.

#include <gtest/gtest.h>

#include "qt_print.h"

#include <QLabel>
#include <QTest>
#include <cstdint>
#include <vector>

#include "flat_button.h"
#include "glyph_image.h"
#include "main_window.h"
#include "memory_registry.h"
#include "pictures.h"
#include "recording_fakes.h"
#include "resource_pictures.h"
#include "settings_store.h"
#include "spin_edit.h"
#include "support/test_printer.h"

namespace zelora {
namespace {

// An icon directory (no image data) with entries of the given width, height,
// colour count and bit count.
std::vector<std::uint8_t> IconDirectory(
    std::initializer_list<std::array<std::uint8_t, 4>> entries) {
  std::vector<std::uint8_t> bytes{0, 0, 1, 0, static_cast<std::uint8_t>(entries.size()), 0};
  for (const auto& [w, h, colours, bits] : entries) {
    const std::uint8_t entry[16] = {w, h, colours, 0, 1, 0, bits, 0};
    bytes.insert(bytes.end(), entry, entry + 16);
  }
  return bytes;
}

TEST(IconImageIndex, PicksTheFirstImageOfTheSizeAndColours) {
  const auto icon =
      IconDirectory({{32, 32, 2, 1}, {16, 16, 16, 4}, {32, 32, 16, 4}, {32, 32, 16, 4}});
  EXPECT_EQ(IconImageIndex(icon, 32, 32, 16), 2);
  EXPECT_EQ(IconImageIndex(icon, 32, 32, 2), 0);
  EXPECT_EQ(IconImageIndex(icon, 16, 16, 16), 1);
  EXPECT_EQ(IconImageIndex(icon, 48, 48, 16), -1);
  EXPECT_EQ(IconImageIndex(icon, 32, 32, 256), -1);

  // A colour count of 0 leaves it to the bit count; a size of 0 means 256.
  EXPECT_EQ(IconImageIndex(IconDirectory({{32, 32, 0, 8}, {32, 32, 0, 4}}), 32, 32, 16), 1);
  EXPECT_EQ(IconImageIndex(IconDirectory({{0, 0, 0, 32}}), 256, 256, 0), 0);
}

TEST(IconImageIndex, RejectsWhatIsNoIcon) {
  auto icon = IconDirectory({{32, 32, 16, 4}});
  EXPECT_EQ(IconImageIndex({}, 32, 32, 16), -1);
  EXPECT_EQ(IconImageIndex(std::span(icon).first(10), 32, 32, 16), -1);  // cut short
  icon[2] = 2;                                                           // a cursor file
  EXPECT_EQ(IconImageIndex(icon, 32, 32, 16), -1);
}

TEST(LoadBitmapResource, TheAboutPictureIsBitmap100AndThereIsNoOther) {
  const QImage about = LoadBitmapResource(100);
  EXPECT_EQ(about.size(), QSize(135, 84));
  EXPECT_EQ(about.colorCount(), 256);
  try {
    LoadBitmapResource(101);
    ADD_FAILURE() << "bitmap 101 loaded";
  } catch (const ResourceError& error) {
    EXPECT_STREQ(error.what(), "Bitmap resource 101 not found");
  }
}

class WindowPicturesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TZLR::ApplyApplicationLook(); }
  QLabel* Picture(const char* name) { return qobject_cast<QLabel*>(window_.FindControl(name)); }

  MemoryRegistry registry_;
  SettingsStore store_{registry_};
  testing::TestPrinter printer_{store_};
  StrictBoxes boxes_;
  TZLR window_{store_, printer_.port(), boxes_};
};

// True when the image has a pixel that is neither black, white nor see-through:
// a 2-colour image has none.
bool HasColour(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb p = argb.pixel(x, y);
      if (qAlpha(p) != 0 && (p & RGB_MASK) != 0 && (p & RGB_MASK) != 0xFFFFFF) return true;
    }
  }
  return false;
}

TEST_F(WindowPicturesTest, OrientationPicturesAreTheSixteenColourIconImagesUnscaled) {
  for (const char* name : {"Image2", "Image3"}) {
    QLabel* picture = Picture(name);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixmap().size(), QSize(32, 32)) << name;
    EXPECT_FALSE(picture->hasScaledContents()) << name;
    EXPECT_EQ(picture->alignment(), Qt::AlignLeft | Qt::AlignTop) << name;
    EXPECT_TRUE(HasColour(picture->pixmap().toImage())) << name;
    EXPECT_EQ(qAlpha(picture->pixmap().toImage().pixel(0, 0)), 0) << name;
  }
  EXPECT_NE(Picture("Image2")->pixmap().toImage(), Picture("Image3")->pixmap().toImage());
}

TEST_F(WindowPicturesTest, AboutPictureIsStretchedOverImage1) {
  window_.FormCreate();
  QLabel* image1 = Picture("Image1");
  EXPECT_TRUE(image1->hasScaledContents());
  EXPECT_EQ(image1->size(), QSize(138, 90));
  EXPECT_EQ(image1->pixmap().size(), QSize(135, 84));
  // Drawn, it fills the label: the corners show the picture's corners.
  const QImage drawn = image1->grab().toImage();
  const QImage about(pictures::kAbout);
  EXPECT_EQ(drawn.pixel(0, 0), about.pixel(0, 0));
  EXPECT_EQ(drawn.pixel(137, 89), about.pixel(134, 83));
}

TEST_F(WindowPicturesTest, WindowIconIsTheMainIcon) {
  const QImage icon = window_.windowIcon().pixmap(32, 32).toImage();
  EXPECT_EQ(icon.size(), QSize(32, 32));
  EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32),
            QImage(pictures::kMainIcon).convertToFormat(QImage::Format_ARGB32));
}

TEST_F(WindowPicturesTest, FlatButtonsCarryTheirGlyphsInEveryState) {
  for (const pictures::GlyphEntry& entry : pictures::kGlyphs) {
    auto* button = qobject_cast<FlatButton*>(window_.FindControl(entry.control));
    ASSERT_NE(button, nullptr) << entry.control;
    const QImage bitmap(entry.path);
    const auto shown = [&](QIcon::Mode mode) {
      return button->icon().pixmap(16, mode).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const auto expected = [&](GlyphState state) {
      return GlyphImage(bitmap, state).convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_EQ(shown(QIcon::Active), expected(GlyphState::Normal)) << entry.control;
    EXPECT_EQ(shown(QIcon::Normal), expected(GlyphState::Grey)) << entry.control;
    EXPECT_EQ(shown(QIcon::Disabled), expected(GlyphState::Disabled)) << entry.control;
    EXPECT_FALSE(shown(QIcon::Active).isNull()) << entry.control;
  }
}

TEST_F(WindowPicturesTest, FlatButtonGlyphIsGreyUntilThePointerIsOverIt) {
  window_.FormCreate();
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  auto* help = qobject_cast<FlatButton*>(window_.FindControl("BtnHelp"));
  auto* exit = window_.FindControl("BtnExit");

  // What is drawn: the red of the question mark shows only in colour, under
  // the pointer and while enabled.
  const auto shows_red = [help] {
    const QImage drawn = help->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < drawn.height(); ++y) {
      for (int x = 0; x < drawn.width(); ++x) {
        if (drawn.pixel(x, y) == qRgb(255, 0, 0)) return true;
      }
    }
    return false;
  };
  QTest::mouseMove(exit);
  QTest::qWait(20);
  EXPECT_FALSE(shows_red());
  QTest::mouseMove(help);
  QTest::qWait(20);
  EXPECT_TRUE(shows_red());
  help->setEnabled(false);
  EXPECT_FALSE(shows_red());
  help->setEnabled(true);
  QTest::mouseMove(exit);
  QTest::qWait(20);
  EXPECT_FALSE(shows_red());
}

TEST_F(WindowPicturesTest, SpinButtonsDrawTheArrowPictures) {
  auto* spin = qobject_cast<SpinEdit*>(window_.FindControl("SpinTimeout"));
  ASSERT_NE(spin, nullptr);
  QWidget* button = spin->Button();
  const QImage drawn = button->grab().toImage();
  // The up-arrow picture's widest row, black, somewhere in the upper-left half.
  const QImage up(pictures::kSpinUp);
  ASSERT_EQ(up.size(), QSize(6, 6));
  int black_rows = 0;
  for (int y = 0; y < drawn.height() / 2; ++y) {
    int run = 0;
    int best = 0;
    for (int x = 0; x < drawn.width() / 2 + 3; ++x) {
      run = (drawn.pixel(x, y) & RGB_MASK) == 0 ? run + 1 : 0;
      best = std::max(best, run);
    }
    if (best == 6) ++black_rows;
  }
  EXPECT_EQ(black_rows, 1);
}

}  // namespace
}  // namespace zelora
