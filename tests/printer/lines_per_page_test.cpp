// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lines_per_page.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "control_transfer.h"
#include "memory_registry.h"
#include "settings_key.h"
#include "support/fake_controls.h"
#include "support/recording_port.h"

namespace zelora {
namespace {

using testing::FakeControls;
using testing::RecordingNotifier;
using testing::RecordingPrinterPort;

constexpr std::int32_t kLetter = 0, kLegal = 1, kA4 = 2, kC5 = 7, kFolio = 9, kC6 = 11,
                       kOthers = 12;

struct LinesCase {
  std::int32_t paper;
  bool portrait;
  long double width;
  long double height;
  std::string lines;
};

void PrintTo(const LinesCase& c, std::ostream* os) {
  *os << "paper " << c.paper << (c.portrait ? " portrait" : " landscape") << " width "
      << static_cast<double>(c.width) << " height " << static_cast<double>(c.height);
}

class ChooseLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(ChooseLinesTest, GivesThePrintersLineCount) {
  const LinesCase& c = GetParam();
  EXPECT_EQ(ChooseLines(c.paper, c.portrait, c.width, c.height), c.lines);
}

// The first, a middle and the last row of the paper table in both
// orientations. The custom size here is 75 x 125, so a table size that fell
// through to the formula would give 11 or 23.
INSTANTIATE_TEST_SUITE_P(PaperTable, ChooseLinesTest,
                         ::testing::Values(LinesCase{kLetter, true, 75, 125, "60"},
                                           LinesCase{kLetter, false, 75, 125, "45"},
                                           LinesCase{kA4, true, 75, 125, "64"},
                                           LinesCase{kA4, false, 75, 125, "43"},
                                           LinesCase{kC6, true, 75, 125, "32"},
                                           LinesCase{kC6, false, 75, 125, "20"}));

// Portrait reads the height only and landscape the width only: the other
// dimension is always one that would give a different count.
INSTANTIATE_TEST_SUITE_P(CustomSize, ChooseLinesTest,
                         ::testing::Values(LinesCase{kOthers, true, 75, 297, "64"},
                                           LinesCase{kOthers, true, 216, 356, "78"},
                                           LinesCase{kOthers, true, 216, 125, "23"},
                                           LinesCase{kOthers, true, 75, 295, "64"},
                                           LinesCase{kOthers, true, 75, 294, "63"},
                                           LinesCase{kOthers, false, 216, 125, "45"},
                                           LinesCase{kOthers, false, 210, 356, "43"},
                                           LinesCase{kOthers, false, 75, 356, "11"}));

// Typed beyond the fields' ranges: limited to SpinLpi's 5..128.
INSTANTIATE_TEST_SUITE_P(Limits, ChooseLinesTest,
                         ::testing::Values(LinesCase{kOthers, true, 216, 31, "5"},
                                           LinesCase{kOthers, true, 216, -40, "5"},
                                           LinesCase{kOthers, false, 40, 356, "5"},
                                           LinesCase{kOthers, false, 561, 125, "127"},
                                           LinesCase{kOthers, false, 563, 125, "128"},
                                           LinesCase{kOthers, false, 570, 125, "128"},
                                           LinesCase{kOthers, true, 75, 9999, "128"}));

INSTANTIATE_TEST_SUITE_P(NoPaperSize, ChooseLinesTest,
                         ::testing::Values(LinesCase{-1, true, 216, 356, ""},
                                           LinesCase{-1, false, 216, 356, ""},
                                           LinesCase{13, true, 216, 356, ""}));

// The window after start-up with the load defaults (Letter, portrait, 60
// lines), the port working.
class LinesRuleTest : public ::testing::Test {
 protected:
  LinesRuleTest() { Push(record, controls); }

  SendOutcome Run() { return RunLinesPerPageRule(controls, record, store, port, notifier); }

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
