// The standard exception box: its text, its look, and the guard that routes
// every error leaving a handler to it.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "qt_print.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <stdexcept>

#include "exception_box.h"
#include "recording_fakes.h"

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

TEST(MessageBoxReporter, StopIconCaptionAndOkOnly) {
  const std::unique_ptr<QMessageBox> box =
      MessageBoxReporter::MakeBox(QStringLiteral("Failed to set data for 'R_x'"), nullptr);
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->windowTitle(), "Zelora");
  EXPECT_EQ(box->text(), "Failed to set data for 'R_x'");
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  ASSERT_EQ(box->buttons().size(), 1);
  EXPECT_FALSE(box->isVisible());
}

TEST(Guard, ReportsTheErrorAndGoesOn) {
  RecordingReporter reporter;
  int after = 0;
  EXPECT_FALSE(Guard([&] {
    throw std::runtime_error("Demonstration file not found");
    ++after;
  }));
  EXPECT_EQ(after, 0);
  EXPECT_FALSE(Guard([] { throw 42; }));
  EXPECT_TRUE(Guard([&] { ++after; }));
  EXPECT_EQ(after, 1);
  ASSERT_EQ(reporter.texts.size(), 2u);
  EXPECT_EQ(reporter.texts[0], "Demonstration file not found.");
  EXPECT_EQ(reporter.texts[1], "Unexpected error.");
}

// The test runner stands in for the box: a test that does not expect an error
// fails instead of waiting for a click that never comes.
TEST(Guard, UnexpectedErrorFailsTheTestInsteadOfWaitingOnABox) {
  EXPECT_NONFATAL_FAILURE(Guard([] { throw std::runtime_error("Disk full"); }),
                          "exception box shown: Disk full.");
}

}  // namespace
}  // namespace zelora
