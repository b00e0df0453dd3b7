// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Scaling to the screen. Runs in its own process on a screen of 144 logical
// dots per inch that the toolkit does not scale itself (high-DPI scaling off),
// so that the window has to.

#include <gtest/gtest.h>

#include "qt_print.h"

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>

#include "layout_scale.h"
#include "main_window.h"
#include "memory_registry.h"
#include "recording_fakes.h"
#include "settings_store.h"
#include "status_bar.h"
#include "status_bar_pixels.h"
#include "support/test_printer.h"

namespace zelora {
namespace {

TEST(LayoutScaleTest, RoundsHalvesAwayFromZero) {
  struct Case {
    int value, numerator, denominator, expected;
  };
  const Case cases[] = {
      {11, 144, 96, 17},  {11, 120, 96, 14}, {11, 72, 96, 8},
      {439, 20, 13, 675}, {-7, 3, 2, -11},   {7, -3, 2, -11},
      {5, 1, 2, 3},       {4, 1, 3, 1},      {2147483647, 2, 2, 2147483647},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MulDiv(c.value, c.numerator, c.denominator), c.expected)
        << c.value << " * " << c.numerator << " / " << c.denominator;
  }
  EXPECT_EQ(ScaledFontPixelSize(11, 96), 11);
  EXPECT_EQ(ScaledFontPixelSize(11, 144), 17);
  EXPECT_EQ(LayoutScale()(439), 439);
  EXPECT_EQ(LayoutScale(16)(309), 380);  // 309 * 16 / 13 = 380.3
}

TEST(WindowScalingTest, FontFollowsTheDpiAndTheLayoutFollowsTheTextHeight) {
  TZLR::ApplyApplicationLook();
  MemoryRegistry registry;
  SettingsStore store(registry);
  testing::TestPrinter printer(store);
  StrictBoxes boxes;
  TZLR window(store, printer.port(), boxes);
  ASSERT_EQ(window.logicalDpiY(), 144);
  ASSERT_EQ(window.devicePixelRatioF(), 1.0);  // nobody else scales

  EXPECT_EQ(window.font().pixelSize(), 17);
  const int text_height = QFontMetrics(window.font()).height();
  ASSERT_NE(text_height, 13);
  const auto s = [text_height](int pixels) { return MulDiv(pixels, text_height, 13); };

  EXPECT_EQ(window.size(), QSize(s(439), s(309)));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  struct Case {
    const char* name;
    QRect layout;
  };
  const Case cases[] = {
      {"PageControl1", {8, 8, 425, 217}},  {"BtnFormfeed", {216, 234, 105, 41}},
      {"SBar", {0, 285, 439, 24}},         {"SpinTimeout", {96, 40, 57, 21}},
      {"ListSymbol", {256, 24, 139, 113}}, {"GrpEconomode", {240, 24, 121, 145}},
  };
  for (const Case& c : cases) {
    const QRect& l = c.layout;
    EXPECT_EQ(window.FindControl(c.name)->geometry(),
              QRect(s(l.x()), s(l.y()), s(l.width()), s(l.height())))
        << c.name;
  }
  // The second panel's bevel begins where the first panel's scaled width ends.
  auto* bar = window.findChild<StatusBar*>("SBar");
  EXPECT_EQ(testing::EdgeColumns(bar->grab().toImage(), bar->palette().color(QPalette::Dark)),
            (std::vector<int>{0, s(50)}));
  EXPECT_EQ(qobject_cast<QListWidget*>(window.FindControl("ListTypeface"))->sizeHintForRow(0),
            s(13));
}

}  // namespace
}  // namespace zelora

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  qputenv("QT_FONT_DPI", "144");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
