// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_controller.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>

#include <filesystem>

#include "hive_file_registry.h"
#include "support/test_files.h"
#include "support/unprivileged.h"
#endif

#include "control_transfer.h"
#include "registry_error.h"
#include "settings_key.h"
#include "support/logic_parts.h"
#include "support/memory_registry.h"
#include "support/pjl_text.h"
#include "support/recording_port.h"

namespace zelora {
namespace {

using testing::DefaultJob;

enum class Port { Working, Off };

// One Send pass: the edits a user made since the stored A4/portrait/64 lines,
// the port, and what must come of it.
struct PassCase {
  const char* name;
  std::function<void(ControlValues&)> edit;
  Port port;
  std::vector<std::string> jobs;
  std::vector<std::string> stored;  // value names written, in order
  int boxes;
  // Checked afterwards, on the controls and the record.
  std::function<void(const ControlValues&, const SettingsRecord&)> check = nullptr;
};

class SendPass : public ::testing::TestWithParam<PassCase>, protected testing::LogicParts {
 protected:
  SendPass() {
    // The printer was last told A4 in portrait with 64 lines.
    registry.PutDword(kSettingsKeyPath, "R_papersize", 2);
    registry.PutDouble(kSettingsKeyPath, "R_lpi", 64.0);
    registry.PutDword(kSettingsKeyPath, "R_orientation", 1);
    // Stored once sent, so the field and the record agree on it.
    registry.PutDouble(kSettingsKeyPath, "R_copies", 1.0);
    Load();
  }

  void Load() {
    LoadIntoWindow(store, record, controls);
    registry.ClearWriteLog();
  }

  std::vector<std::string> Jobs() const { return port.writes; }

  SettingsController controller{controls, record, store, port, notifier};
};

TEST_P(SendPass, SendsStoresAndReportsAsExpected) {
  const PassCase& c = GetParam();
  c.edit(controls);
  port.opens_ok = c.port == Port::Working;

  controller.BtnApplyClick();

  EXPECT_EQ(Jobs(), c.jobs);
  EXPECT_EQ(registry.WriteLog(), c.stored);
  EXPECT_EQ(static_cast<int>(notifier.shown.size()), c.boxes);
  if (c.check) c.check(controls, record);
  EXPECT_EQ(registry.OpenKeyCount(), 0);
}

const PassCase kPasses[] = {
    {"NoEdits",
     [](ControlValues&) {},
     Port::Working,
     {},
     {},
     0,
     [](const ControlValues& controls, const SettingsRecord& record) {
       EXPECT_EQ(record.papersize, 2);
       EXPECT_EQ(controls.SpinValue(Control::SpinLpi), 64.0L);
     }},
    // The typical request: the paper job, the rule's FORMLINES, then the
    // lines field differing from the record sends it once more.
    {"LetterInPortrait",
     [](ControlValues& c) { c.SetItemIndex(Control::ComPapersize, 0); },
     Port::Working,
     {DefaultJob("PAPER=LETTER"), DefaultJob("FORMLINES=60"), DefaultJob("FORMLINES=60")},
     {"R_papersize", "R_lpi", "R_lpi"},
     0,
     [](const ControlValues&, const SettingsRecord& record) {
       EXPECT_EQ(record.papersize, 0);
       EXPECT_EQ(record.lpi, 60.0L);
     }},
    {"LetterWithThePrinterOff",
     [](ControlValues& c) { c.SetItemIndex(Control::ComPapersize, 0); },
     Port::Off,
     {},
     {},
     3,
     // The Pull still ran: the same change is not sent again.
     [](const ControlValues&, const SettingsRecord& record) {
       EXPECT_EQ(record.papersize, 0);
       EXPECT_EQ(record.lpi, 60.0L);
     }},
    // Orientation alone: its job, then the rule once; the lines field was
    // compared before, so no third job.
    {"LandscapeAlone",
     [](ControlValues& c) { c.SetChecked(Control::BtnLandscape, true); },
     Port::Working,
     {DefaultJob("ORIENTATION=LANDSCAPE"), DefaultJob("FORMLINES=43")},
     {"R_orientation", "R_lpi"},
     0,
     [](const ControlValues& controls, const SettingsRecord& record) {
       EXPECT_FALSE(record.orientation);
       EXPECT_TRUE(controls.Checked(Control::BtnLandscape));
       EXPECT_EQ(record.lpi, 43.0L);
     }},
    // The printer switched off during an orientation change: two boxes, the
    // radio buttons back at portrait, the lines field keeping the new number.
    {"LandscapeWithThePrinterOff",
     [](ControlValues& c) { c.SetChecked(Control::BtnLandscape, true); },
     Port::Off,
     {},
     {},
     2,
     [](const ControlValues& controls, const SettingsRecord& record) {
       EXPECT_TRUE(record.orientation);
       EXPECT_TRUE(controls.Checked(Control::BtnPortrait));
       EXPECT_FALSE(controls.Checked(Control::BtnLandscape));
       EXPECT_EQ(controls.SpinValue(Control::SpinLpi), 43.0L);
     }},
    // Neither orientation button checked reads as landscape.
    {"NeitherOrientationChecked",
     [](ControlValues& c) { c.SetChecked(Control::BtnPortrait, false); },
     Port::Working,
     {DefaultJob("ORIENTATION=LANDSCAPE"), DefaultJob("FORMLINES=43")},
     {"R_orientation", "R_lpi"},
     0},
    // "Others(mm)" and a new width in one pass: the paper job and the rule
    // for each, then the lines field once more. Portrait: the height (356
    // stored) decides, 78 lines.
    {"CustomSizeAndWidth",
     [](ControlValues& c) {
       c.SetItemIndex(Control::ComPapersize, 12);
       c.SetSpinValue(Control::RxSpinEdit1, 210);
     },
     Port::Working,
     {DefaultJob("PAPER=OTHERS WIDTH=210 HEIGHT=356"), DefaultJob("FORMLINES=78"),
      DefaultJob("PAPER=OTHERS WIDTH=210 HEIGHT=356"), DefaultJob("FORMLINES=78"),
      DefaultJob("FORMLINES=78")},
     // The record changes only in the Pull, so each paper job stores again.
     {"R_papersize", "R_lpi", "R_papersize", "R_lpi", "R_lpi", "R_width"},
     0},
    // Each dimension is compared on its own, even beside a listed size: the
    // paper job and the rule for A4 in portrait.
    {"CustomHeightAloneBesideA4",
     [](ControlValues& c) { c.SetSpinValue(Control::RxSpinEdit2, 297); },
     Port::Working,
     {DefaultJob("PAPER=A4"), DefaultJob("FORMLINES=64")},
     {"R_height"},
     0},
    // Settings after the paper group go out in their order, typed values as
    // typed.
    {"LaterSettingsInOrder",
     [](ControlValues& c) {
       c.SetItemIndex(Control::GrpEconomode, 1);
       c.SetItemIndex(Control::ListTypeface, 17);
       c.SetSpinValue(Control::SpinCopies, 3);
     },
     Port::Working,
     {DefaultJob("COPIES=3"), DefaultJob("FONTNUMBER=17"), DefaultJob("ECONOMODE=ON")},
     {"R_copies", "R_typeface", "R_economode"},
     0},
};

INSTANTIATE_TEST_SUITE_P(Cases, SendPass, ::testing::ValuesIn(kPasses),
                         [](const auto& info) { return std::string(info.param.name); });

// The other way round: from a stored landscape A4 to portrait, 64 lines.
TEST_F(SendPass, PortraitAloneFromLandscapeSendsSixtyFourLines) {
  registry.PutDword(kSettingsKeyPath, "R_orientation", 0);
  registry.PutDouble(kSettingsKeyPath, "R_lpi", 43.0);
  Load();
  controls.SetChecked(Control::BtnPortrait, true);

  controller.BtnApplyClick();

  EXPECT_EQ(Jobs(), (std::vector<std::string>{DefaultJob("ORIENTATION=PORTRAIT"),
                                              DefaultJob("FORMLINES=64")}));
  EXPECT_TRUE(record.orientation);
  EXPECT_EQ(record.lpi, 64.0L);
}

TEST_F(SendPass, NoPaperSizeStopsTheOrientationChangeAtTheLinesRule) {
  controls.Spin(Control::SpinTimeout).SetText("500");  // put back before the error
  controls.SetItemIndex(Control::ComPapersize, -1);
  controls.SetChecked(Control::BtnLandscape, true);
  controls.SetItemIndex(Control::GrpEconomode, 1);  // after orientation: never sent
  record.papersize = -1;                            // nothing to send for the paper

  try {
    controller.BtnApplyClick();
    FAIL() << "the pass went on without a paper size";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "'' is not a valid floating point value");
  }
  EXPECT_EQ(Jobs(), std::vector<std::string>{DefaultJob("ORIENTATION=LANDSCAPE")});
  // The Pull did not run: the record still holds the economy mode it had.
  EXPECT_EQ(record.economode, 0);
  EXPECT_EQ(controls.SpinValue(Control::SpinLpi), 64.0L);
  EXPECT_EQ(controls.SpinValue(Control::SpinTimeout), record.timeout);
}

TEST_F(SendPass, RefusedRegistryWriteEndsThePassWithoutThePull) {
  controls.SetItemIndex(Control::ComPapersize, 0);
  controls.SetItemIndex(Control::GrpEconomode, 1);
  registry.SetRefuseWrites(true);

  EXPECT_THROW(controller.BtnApplyClick(), RegistryError);
  // The paper job went out; its store failed, so nothing after it was sent.
  EXPECT_EQ(Jobs(), std::vector<std::string>{DefaultJob("PAPER=LETTER")});
  EXPECT_EQ(record.papersize, 2);
  EXPECT_EQ(registry.OpenKeyCount(), 0);
}

TEST_F(SendPass, OutOfRangeTimeoutIsPutBackAndThePassGoesOn) {
  controls.Spin(Control::SpinTimeout).SetText("500");
  controls.SetItemIndex(Control::GrpEconomode, 1);

  controller.BtnApplyClick();

  EXPECT_EQ(Jobs(), std::vector<std::string>{DefaultJob("ECONOMODE=ON")});
  EXPECT_EQ(controls.SpinValue(Control::SpinTimeout), record.timeout);
}

// A custom size outside its field's range is put back like the time-out:
// the paper job carries the stored width, and the width is not stored.
TEST_F(SendPass, OutOfRangeCustomWidthIsPutBackNeitherSentNorStored) {
  controls.SetItemIndex(Control::ComPapersize, 12);
  controls.Spin(Control::RxSpinEdit1).SetText("500");

  controller.BtnApplyClick();

  EXPECT_EQ(controls.SpinValue(Control::RxSpinEdit1), 216.0L);
  EXPECT_EQ(Jobs().front(), DefaultJob("PAPER=OTHERS WIDTH=216 HEIGHT=356"));
  EXPECT_EQ(registry.GetDouble(kSettingsKeyPath, "R_width"), std::nullopt);
}

TEST_F(SendPass, DefaultStoresFactorySettingsThenCopiesFollowOnTheNextSend) {
  controls.SetVisible(Control::RxSpinEdit1, true);
  controls.SetVisible(Control::RxSpinEdit2, true);

  controller.BtnDefaultClick();

  EXPECT_EQ(Jobs(), (std::vector<std::string>{"\x1b%-12345X@PJL INITIALIZE\r\n\x1b%-12345X"
                                              "\x1b%-12345X@PJL INFO PRINTER=ALL\r\n\x1b%-12345X",
                                              DefaultJob("PAPER=A4")}));
  EXPECT_EQ(registry.WriteLog().size(), 18u);
  EXPECT_EQ(registry.GetDword(kSettingsKeyPath, "R_density"), 0);
  EXPECT_FALSE(controls.Visible(Control::RxSpinEdit1));
  EXPECT_FALSE(controls.Enabled(Control::SpinPoint));
  EXPECT_TRUE(controls.Enabled(Control::SpinPitch));
  // The record holds copies 0, the field its minimum 1.
  EXPECT_EQ(record.copies, 0.0L);

  port.writes.clear();
  controller.BtnApplyClick();
  EXPECT_EQ(Jobs(), std::vector<std::string>{DefaultJob("COPIES=1")});
}

TEST_F(SendPass, DefaultWithThePrinterOffStillStoresAndShowsTwoBoxes) {
  port.opens_ok = false;
  controller.BtnDefaultClick();
  EXPECT_EQ(notifier.shown,
            (std::vector<TransmissionErrorVariant>{TransmissionErrorVariant::MultiCommand,
                                                   TransmissionErrorVariant::MultiCommand}));
  EXPECT_EQ(registry.WriteLog().size(), 18u);
}

TEST_F(SendPass, ResetTakesBackAnUnsentEditAndLeavesTheWindowAndCustomFields) {
  controls.SetItemIndex(Control::ComPapersize, 12);
  controls.SetVisible(Control::RxSpinEdit1, true);
  controls.SetVisible(Control::RxSpinEdit2, true);
  controls.SetItemIndex(Control::ListTypeface, 47);
  controls.SetWindowLeft(300);
  registry.PutDword(kSettingsKeyPath, "R_x", 5);

  controller.BtnResetClick();

  EXPECT_TRUE(Jobs().empty());
  EXPECT_EQ(controls.ItemIndex(Control::ComPapersize), 2);
  EXPECT_TRUE(controls.Visible(Control::RxSpinEdit1));
  EXPECT_TRUE(controls.Visible(Control::RxSpinEdit2));
  EXPECT_EQ(controls.WindowLeft(), 300);
  EXPECT_FALSE(record.reload);
  // The typeface rule for the reloaded face 0: pitch on, point off.
  EXPECT_TRUE(controls.Enabled(Control::SpinPitch));
  EXPECT_FALSE(controls.Enabled(Control::SpinPoint));
}

#ifndef _WIN32
// Outside the settings folder's group a user may not store: Send and Default
// each end before their first job, saying so once, and the record keeps what
// was stored. The bytes would otherwise reach a printer that nothing records.
TEST(StoreRefused, SendAndDefaultSendNothingForAUserWhoMayNotStore) {
  const testing::TempDir root("zelora-refused-");
  std::filesystem::permissions(root.path(), std::filesystem::perms(0755));
  const std::filesystem::path folder = root / "zelora";
  ASSERT_EQ(::mkdir(folder.c_str(), 02775), 0);
  const group* lp = ::getgrnam("lp");
  ASSERT_NE(lp, nullptr);
  ASSERT_EQ(::chown(folder.c_str(), 0, lp->gr_gid), 0);
  ASSERT_EQ(::chmod(folder.c_str(), 02775), 0);
  HiveFileRegistry seeded(folder);
  SettingsKey::OpenForWriting(seeded)->WriteFloat("R_timeout", 45);
  testing::RunUnprivileged([&] {
    HiveFileRegistry hive(folder);
    testing::LogicParts parts;
    SettingsStore store(hive);
    LoadIntoWindow(store, parts.record, parts.controls);
    parts.controls.SetSpinValue(Control::SpinTimeout, 77);
    SettingsController controller{parts.controls, parts.record, store, parts.port, parts.notifier};
    for (const auto click :
         {&SettingsController::BtnApplyClick, &SettingsController::BtnDefaultClick}) {
      try {
        (controller.*click)();
        ADD_FAILURE() << "no error";
      } catch (const RegistryError& e) {
        EXPECT_EQ(e.what(), "This user may not store settings in '" + hive.file().string() +
                                "'; members of group 'lp' may");
      }
    }
    EXPECT_TRUE(parts.port.writes.empty());
    EXPECT_EQ(parts.record.timeout, 45.0L);
  });
}
#endif

}  // namespace
}  // namespace zelora
