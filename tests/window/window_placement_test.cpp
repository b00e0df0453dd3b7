// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the window goes when its stored position would hide its title bar.

#include <gtest/gtest.h>

#include "qt_print.h"

#include <climits>
#include <vector>

#include "window_placement.h"

namespace zelora {
namespace {

const QRect kPrimary(0, 0, 1024, 768);
// A second screen to the left of the primary one.
const QRect kLeftScreen(-1280, 0, 1280, 1024);
constexpr QSize kWindow(445, 340);

TEST(ReachablePosition, KeepsAPositionWhoseTitleBarShowsAnywhere) {
  const std::vector<QRect> screens{kPrimary, kLeftScreen};
  const QPoint kept[] = {
      {0, 0},          {180, 97}, {-600, 500},  // on the second screen
      {1000, 700},      // mostly off to the right, the title bar's left end shows
      {-440, -29},      // a single row of the title bar at the top
      {1023, 767},      // one pixel of the corner
      {-1280 - 444, 0}  // one pixel at the far left edge
  };
  for (const QPoint& at : kept) {
    EXPECT_EQ(ReachablePosition(at, kWindow, screens, kPrimary), at) << at.x() << "," << at.y();
  }
}

TEST(ReachablePosition, MovesAWindowWhoseTitleBarIsOffEveryScreenOntoThePrimaryOne) {
  const std::vector<QRect> screens{kPrimary};
  const QPoint centred((1024 - 445) / 2, (768 - 340) / 2);
  const QPoint lost[] = {
      {-600, 500},   // the screen on the left has gone
      {1024, 0},     // just right of the screen
      {0, 768},      // just below it
      {0, -30},      // the title bar just above it, though the rest shows
      {-445, -100},  // above and to the left
      {5000, 5000},
      {INT_MAX, INT_MAX - 255},  // stored extremes: no edge may overflow
      {INT_MAX - 255, INT_MAX},
      {INT_MIN, INT_MIN},
  };
  for (const QPoint& at : lost) {
    EXPECT_EQ(ReachablePosition(at, kWindow, screens, kPrimary), centred)
        << at.x() << "," << at.y();
  }
}

TEST(ReachablePosition, PrimaryScreenAnywhereAndSmallerThanTheWindow) {
  const QRect primary(1920, 40, 1280, 984);  // below a top panel, right of another screen
  const std::vector<QRect> screens{QRect(0, 0, 1920, 1080), primary};
  EXPECT_EQ(ReachablePosition(QPoint(-3000, 0), kWindow, screens, primary),
            QPoint(1920 + (1280 - 445) / 2, 40 + (984 - 340) / 2));

  const QRect tiny(100, 50, 400, 300);
  EXPECT_EQ(ReachablePosition(QPoint(-3000, 0), kWindow, std::vector<QRect>{tiny}, tiny),
            QPoint(100, 50));
}

TEST(ReachablePosition, NoScreensLeavesThePositionAlone) {
  EXPECT_EQ(ReachablePosition(QPoint(-3000, 9), kWindow, {}, QRect()), QPoint(-3000, 9));
}

}  // namespace
}  // namespace zelora
