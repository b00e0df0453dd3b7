// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo_page.h"
#include "support/fake_window_seams.h"
#include "support/recording_port.h"
#include "support/test_files.h"

namespace zelora {
namespace {

using testing::FakeGauge;
using testing::FakeLockout;
using testing::RecordingBoxes;
using testing::RecordingPrinterPort;
using Box = RecordingBoxes::Box;

class TestPagesTest : public ::testing::Test {
 protected:
  void WriteDemoFile(const std::string& bytes) {
    std::ofstream(dir / "k4xdemo.prn", std::ios::binary) << bytes;
  }

  bool ButtonsEnabled() const {
    return controls.Enabled(Control::BtnConfig) && controls.Enabled(Control::BtnTestPrt);
  }
  bool ButtonsDisabled() const {
    return !controls.Enabled(Control::BtnConfig) && !controls.Enabled(Control::BtnTestPrt);
  }
  bool LockedOut() const { return ButtonsDisabled() && lockout.hourglass && lockout.timer_running; }

  testing::TempDir dir;
  testing::ScopedCurrentDirectory in_dir{dir.path()};
  ControlValues controls;
  RecordingPrinterPort port;
  RecordingBoxes boxes;
  FakeLockout lockout;
  FakeGauge gauge;
  TestPages pages{controls, port, boxes, lockout, gauge};
};

TEST_F(TestPagesTest, ConfigurationPageLocksOutUntilTheTimerFiresOnce) {
  pages.BtnConfigClick();
  EXPECT_EQ(port.writes,
            std::vector<std::string>{"\x1b%-12345X@PJL TEST PRINT=CONFIG\r\n\x1b%-12345X"});
  EXPECT_TRUE(LockedOut());
  // The form feed is usable meanwhile and leaves the lock-out alone.
  pages.BtnFormfeedClick();
  EXPECT_EQ(port.writes.back(), "\x0c");
  EXPECT_TRUE(LockedOut());

  pages.Timer1Timer();
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_FALSE(lockout.hourglass);
  EXPECT_FALSE(lockout.timer_running);
  EXPECT_EQ(lockout.timer_starts, 1);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TestPagesTest, ConfigurationPageWithNoPortShowsOneBoxAndNoLockOut) {
  port.opens_ok = false;
  pages.BtnConfigClick();
  pages.BtnFormfeedClick();
  EXPECT_EQ(boxes.shown, (std::vector<Box>{Box::MultiCommand, Box::MultiCommand}));
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_FALSE(lockout.hourglass);
  EXPECT_FALSE(lockout.timer_running);
}

TEST_F(TestPagesTest, DemonstrationPageStreamsEveryByteAndLocksOut) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += static_cast<char>(i * 7);
  WriteDemoFile(bytes);

  pages.BtnTestPrtClick();

  // One write a byte over one connection is the stream's, tested with it.
  EXPECT_EQ(port.Bytes(), bytes);
  EXPECT_EQ(gauge.maximum, 1000);
  EXPECT_EQ(gauge.progress, 1000);
  EXPECT_EQ(gauge.updates, 1000);
  EXPECT_FALSE(controls.Visible(Control::Gauge));
  EXPECT_TRUE(LockedOut());
}

TEST_F(TestPagesTest, EmptyDemonstrationFileStillOpensThePortAndLocksOut) {
  WriteDemoFile("");
  pages.BtnTestPrtClick();
  EXPECT_EQ(port.opens, 1);
  EXPECT_EQ(port.closes, 1);
  EXPECT_TRUE(port.writes.empty());
  EXPECT_TRUE(LockedOut());
}

TEST_F(TestPagesTest, FirstRefusedByteGetsOneBoxEndsThePageAndTheLockOutBegins) {
  WriteDemoFile("abc");
  port.accepts_bytes = false;
  pages.BtnTestPrtClick();
  EXPECT_EQ(boxes.shown, std::vector<Box>{Box::DemoWriteError});
  EXPECT_EQ(gauge.progress, 0);
  EXPECT_FALSE(controls.Visible(Control::Gauge));
  EXPECT_TRUE(LockedOut());
}

TEST_F(TestPagesTest, PortThatWillNotOpenEndsSilentlyWithTheButtonsBack) {
  WriteDemoFile("abc");
  port.opens_ok = false;
  pages.BtnTestPrtClick();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_FALSE(controls.Visible(Control::Gauge));
  EXPECT_FALSE(lockout.hourglass);
  EXPECT_FALSE(lockout.timer_running);
}

TEST_F(TestPagesTest, MissingDemonstrationFileIsReportedWithTheButtonsBack) {
  try {
    pages.BtnTestPrtClick();
    FAIL() << "no error for a missing file";
  } catch (const DemoFileError& error) {
    EXPECT_STREQ(error.what(), "File not found");
  }
  EXPECT_EQ(port.opens, 0);
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_FALSE(controls.Visible(Control::Gauge));
  EXPECT_FALSE(lockout.timer_running);
}

}  // namespace
}  // namespace zelora
