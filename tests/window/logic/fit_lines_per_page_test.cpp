// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The lines-per-page rule on the window's controls: what the field shows, what
// the printer is sent and what is stored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_transfer.h"
#include "lines_per_page.h"
#include "memory_registry.h"
#include "settings_controller.h"
#include "settings_key.h"
#include "support/fake_controls.h"
#include "support/recording_port.h"

namespace zelora {
namespace {

using testing::FakeControls;
using testing::RecordingNotifier;
using testing::RecordingPrinterPort;

constexpr std::int32_t kLegal = 1, kA4 = 2, kC5 = 7, kFolio = 9, kOthers = 12;

// The window after start-up with the load defaults (Letter, portrait, 60
// lines), the port working.
class LinesRuleTest : public ::testing::Test {
 protected:
  LinesRuleTest() { Push(record, controls); }

  SendOutcome Run() { return FitLinesPerPage(controls, record, store, port, notifier); }

  static std::string FormlinesJob(const std::string& lines) {
    return "\033%-12345X@PJL DEFAULT FORMLINES=" + lines + "\r\n\033%-12345X";
  }

  FakeControls controls;
  SettingsRecord record = LoadDefaults();
  MemoryRegistry registry;
  SettingsStore store{registry};
  RecordingPrinterPort port;
  RecordingNotifier notifier;
};

TEST_F(LinesRuleTest, NewCountIsShownSentAndStored) {
  controls.SetItemIndex(Control::ComPapersize, kA4);
  const SettingsRecord before = record;

  EXPECT_EQ(Run(), SendOutcome::Written);
  EXPECT_EQ(controls.SpinValue(Control::SpinLpi), 64);
  EXPECT_EQ(port.writes, std::vector<std::string>{FormlinesJob("64")});
  EXPECT_EQ(registry.WriteLog(), std::vector<std::string>{"R_lpi"});
  EXPECT_EQ(registry.GetDouble(kSettingsKeyPath, "R_lpi"), 64.0);
  EXPECT_TRUE(notifier.shown.empty());
  EXPECT_EQ(record, before) << "the record follows at the end of the Send pass";
}

// The field already shows 60, but the record says 64: the count is compared
// with the record, so it is stored.
TEST_F(LinesRuleTest, CountTheFieldShowsButTheRecordLacksIsStored) {
  record.lpi = 64;
  EXPECT_EQ(Run(), SendOutcome::Written);
  ASSERT_EQ(port.writes.size(), 1u);
  EXPECT_EQ(port.writes[0], FormlinesJob("60"));
  EXPECT_EQ(registry.GetDouble(kSettingsKeyPath, "R_lpi"), 60.0);
}

TEST_F(LinesRuleTest, UnchangedCountIsSentButNotStored) {
  ASSERT_EQ(record.lpi, 60);
  EXPECT_EQ(Run(), SendOutcome::Written);
  EXPECT_EQ(port.writes, std::vector<std::string>{FormlinesJob("60")});
  EXPECT_TRUE(registry.WriteLog().empty());
}

TEST_F(LinesRuleTest, FailedWriteShowsSingleCommandBoxAndKeepsTheNewCountShown) {
  controls.SetItemIndex(Control::ComPapersize, kFolio);
  port.accepts_bytes = false;

  EXPECT_EQ(Run(), SendOutcome::WriteFailed);
  EXPECT_EQ(controls.SpinValue(Control::SpinLpi), 71);
  EXPECT_EQ(port.writes, std::vector<std::string>{FormlinesJob("71")});
  EXPECT_EQ(notifier.shown,
            std::vector<TransmissionErrorVariant>{TransmissionErrorVariant::SingleCommand});
  EXPECT_TRUE(registry.WriteLog().empty());
  EXPECT_FALSE(registry.KeyExists(kSettingsKeyPath));
}

// Rows whose orientation picks the other column than its neighbours': what
// the field shows and the printer is sent.
TEST_F(LinesRuleTest, TableRowsReachTheFieldAndThePrinter) {
  struct Row {
    std::int32_t paper;
    bool portrait;
    std::string lines;
  };
  const Row rows[] = {{kLegal, false, "45"}, {kC5, true, "39"}, {kFolio, false, "48"}};
  for (const Row& row : rows) {
    port.writes.clear();
    controls.SetChecked(row.portrait ? Control::BtnPortrait : Control::BtnLandscape, true);
    controls.SetChecked(row.portrait ? Control::BtnLandscape : Control::BtnPortrait, false);
    controls.SetItemIndex(Control::ComPapersize, row.paper);
    EXPECT_EQ(Run(), SendOutcome::Written) << row.paper;
    EXPECT_EQ(controls.SpinText(Control::SpinLpi), row.lines) << row.paper;
    EXPECT_EQ(port.writes, std::vector<std::string>{FormlinesJob(row.lines)}) << row.paper;
  }
}

TEST_F(LinesRuleTest, NeitherOrientationCheckedCountsAsLandscape) {
  controls.SetChecked(Control::BtnPortrait, false);
  ASSERT_FALSE(controls.Checked(Control::BtnLandscape));
  controls.SetItemIndex(Control::ComPapersize, kA4);
  EXPECT_EQ(Run(), SendOutcome::Written);
  EXPECT_EQ(port.writes, std::vector<std::string>{FormlinesJob("43")});
}

TEST_F(LinesRuleTest, CustomWidthWithEmptyTextCountsAsItsMinimum) {
  controls.SetChecked(Control::BtnLandscape, true);
  controls.SetItemIndex(Control::ComPapersize, kOthers);
  controls.Spin(Control::RxSpinEdit1).SetText("");
  EXPECT_EQ(Run(), SendOutcome::Written);
  EXPECT_EQ(port.writes, std::vector<std::string>{FormlinesJob("11")});
  EXPECT_EQ(controls.SpinValue(Control::SpinLpi), 11);
}

TEST_F(LinesRuleTest, NoPaperSizeRaisesBeforeAnythingIsSentOrChanged) {
  controls.SetItemIndex(Control::ComPapersize, -1);
  const std::string lpi_text = controls.SpinText(Control::SpinLpi);
  try {
    Run();
    FAIL() << "no exception";
  } catch (const LinesTextError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
  }
  EXPECT_EQ(port.opens, 0);
  EXPECT_TRUE(notifier.shown.empty());
  EXPECT_EQ(controls.SpinText(Control::SpinLpi), lpi_text);
  EXPECT_TRUE(registry.WriteLog().empty());
}

}  // namespace
}  // namespace zelora
