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
#include "support/logic_parts.h"
#include "support/pjl_text.h"
#include "support/recording_port.h"

namespace zelora {
namespace {

constexpr std::int32_t kA4 = 2, kFolio = 9, kOthers = 12;

// The window after start-up with the load defaults (Letter, portrait, 60
// lines), the port working.
class LinesRuleTest : public ::testing::Test, protected testing::LogicParts {
 protected:
  LinesRuleTest() { Push(record, controls); }

  SendOutcome Run() { return FitLinesPerPage(controls, record, store, port, notifier); }

  static std::string FormlinesJob(const std::string& lines) {
    return testing::DefaultJob("FORMLINES=" + lines);
  }
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

// The field shows 60 both times: the count is stored when it differs from the
// record, not from what the field showed before.
TEST_F(LinesRuleTest, CountIsStoredOnlyWhenItDiffersFromTheRecord) {
  ASSERT_EQ(record.lpi, 60);
  EXPECT_EQ(Run(), SendOutcome::Written);
  EXPECT_TRUE(registry.WriteLog().empty());

  record.lpi = 64;
  EXPECT_EQ(Run(), SendOutcome::Written);
  EXPECT_EQ(registry.WriteLog(), std::vector<std::string>{"R_lpi"});
  EXPECT_EQ(registry.GetDouble(kSettingsKeyPath, "R_lpi"), 60.0);
  EXPECT_EQ(port.writes, std::vector<std::string>(2, FormlinesJob("60")));
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

TEST_F(LinesRuleTest, NeitherOrientationCheckedCountsAsLandscape) {
  controls.SetChecked(Control::BtnPortrait, false);
  ASSERT_FALSE(controls.Checked(Control::BtnLandscape));
  controls.SetItemIndex(Control::ComPapersize, kA4);
  EXPECT_EQ(Run(), SendOutcome::Written);
  EXPECT_EQ(port.writes, std::vector<std::string>{FormlinesJob("43")});
}

// Landscape reads the custom width, here an empty text that reads as 75; the
// height field's 356 would give 78 lines.
TEST_F(LinesRuleTest, LandscapeCustomSizeReadsTheWidthField) {
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
