// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The standard exception box: its text, its look, and the guard that routes
// every error leaving a handler to it.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "qt_print.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <stdexcept>

#include "exception_box.h"
#include "support/fake_window_seams.h"

namespace zelora {
namespace {

TEST(ExceptionBoxText, FullStopOnlyAfterACharacterThatSortsAfterIt) {
  struct Case {
    const char* message;
    const char* shown;
  };
  const Case cases[] = {
      // The closing quote sorts before the full stop.
      {"Invalid data type for 'R_timeout'", "Invalid data type for 'R_timeout'"},
      {"Disk full", "Disk full."},
      {"Error 5", "Error 5."},
      {"path /tmp/", "path /tmp/."},  // '/' sorts after '.'
      {"Done.", "Done."},
      {"Stop!", "Stop!"},
      {"trailing blank ", "trailing blank "},
      {"(in brackets)", "(in brackets)"},  // ')' sorts before '.'
      {"dash-", "dash-"},
      {"comma,", "comma,"},
      {"", ""},
      // A letter outside ASCII ends in a byte above '.' as well.
      {"Файл не найден", "Файл не найден."},
  };
  for (const Case& c : cases) EXPECT_EQ(ExceptionBoxText(c.message), c.shown) << c.message;
}

TEST(ExceptionBox, StopIconCaptionAndOkOnly) {
  const std::unique_ptr<QMessageBox> box =
      MakeExceptionBox(QStringLiteral("Failed to set data for 'R_x'"), nullptr);
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->windowTitle(), "Zelora");
  EXPECT_EQ(box->text(), "Failed to set data for 'R_x'");
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  ASSERT_EQ(box->buttons().size(), 1);
  EXPECT_FALSE(box->isVisible());
}

TEST(Guard, ShowsTheErrorAndGoesOn) {
  testing::RecordingBoxes boxes;
  int after = 0;
  EXPECT_FALSE(Guard(boxes, [&] {
    throw std::runtime_error("Demonstration file not found");
    ++after;
  }));
  EXPECT_EQ(after, 0);
  EXPECT_FALSE(Guard(boxes, [] { throw 42; }));
  EXPECT_TRUE(Guard(boxes, [&] { ++after; }));
  EXPECT_EQ(after, 1);
  EXPECT_EQ(boxes.errors,
            (std::vector<std::string>{"Demonstration file not found.", "Unexpected error."}));
}

}  // namespace
}  // namespace zelora
