// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, Push and Pull against the real widgets, and the events the window
// binds: which changes fire a handler and which stay silent.

#include <gtest/gtest.h>

#include "qt_print.h"

#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <tuple>
#include <vector>

#include "control_transfer.h"
#include "main_window.h"
#include "memory_registry.h"
#include "radio_group.h"
#include "recording_fakes.h"
#include "settings_key.h"
#include "settings_record.h"
#include "settings_store.h"
#include "spin_edit.h"
#ifndef _WIN32
#include "support/comma_locale.h"
#endif
#include "support/fake_window_seams.h"
#include "support/test_printer.h"

namespace zelora {
namespace {

constexpr std::string_view kKey = kSettingsKeyPath;

// Replaces '.' by the window's decimal separator.
std::string Local(std::string text, char separator) {
  for (char& c : text) {
    if (c == '.') c = separator;
  }
  return text;
}

class MainWindowTransferTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TZLR::ApplyApplicationLook(); }

  // A stored record in which several values lie outside what the controls
  // can show.
  void StoreOddRecord() {
    registry_.PutDword(kKey, "R_x", 40);
    registry_.PutDword(kKey, "R_y", 30);
    registry_.PutDword(kKey, "R_baudrate", 3);
    registry_.PutDouble(kKey, "R_timeout", 500);  // above 300
    registry_.PutDword(kKey, "R_powersave", 9);   // past the 6 entries
    registry_.PutDword(kKey, "R_autocont", 1);
    registry_.PutDword(kKey, "R_jamrecover", 1);
    registry_.PutDword(kKey, "R_robust", 0);
    registry_.PutDword(kKey, "R_papersize", 12);
    registry_.PutDword(kKey, "R_source", -5);
    registry_.PutDouble(kKey, "R_lpi", 64.5);      // halves go to the even neighbour
    registry_.PutDouble(kKey, "R_copies", 0);      // below 1
    registry_.PutDword(kKey, "R_orientation", 0);  // landscape
    registry_.PutDword(kKey, "R_papertype", 7);    // radio group: the last item
    registry_.PutDword(kKey, "R_typeface", 47);
    registry_.PutDword(kKey, "R_symbol", 36);  // one past the last
    registry_.PutDouble(kKey, "R_pitch", 12.345);
    registry_.PutDouble(kKey, "R_point", 1000);
    registry_.PutDword(kKey, "R_density", -3);  // radio group: none
    registry_.PutDword(kKey, "R_economode", 1);
    registry_.PutDouble(kKey, "R_width", 100);
    registry_.PutDouble(kKey, "R_height", 400);
  }

  SpinEdit* Spin(const char* name) { return qobject_cast<SpinEdit*>(window_.FindControl(name)); }
  char Separator() { return Spin("SpinPitch")->Field().decimal_separator(); }

  MemoryRegistry registry_;
  SettingsStore store_{registry_};
  testing::TestPrinter printer_{store_};
  testing::RecordingBoxes boxes_;
  TZLR window_{store_, printer_.port(), boxes_};
};

TEST_F(MainWindowTransferTest, StartUpPushesStoredRecordThroughTheControlsOwnRules) {
  StoreOddRecord();
  window_.FormCreate();
  const char sep = Separator();

  EXPECT_EQ(window_.Values().ItemIndex(Control::ComBaudrate), 3);
  EXPECT_EQ(window_.Values().SpinText(Control::SpinTimeout), "300");
  EXPECT_EQ(window_.Values().ItemIndex(Control::ComPowersave), -1);
  EXPECT_TRUE(window_.Values().Checked(Control::ChkAutocont));
  EXPECT_TRUE(window_.Values().Checked(Control::ChkJamrecover));
  EXPECT_FALSE(window_.Values().Checked(Control::ChkRobust));
  EXPECT_EQ(window_.Values().ItemIndex(Control::ComPapersize), 12);
  EXPECT_EQ(qobject_cast<QComboBox*>(window_.FindControl("ComPapersize"))->currentText(),
            "Others(mm)");
  EXPECT_EQ(window_.Values().ItemIndex(Control::ComSource), -1);
  EXPECT_EQ(window_.Values().SpinText(Control::SpinLpi), "64");
  EXPECT_EQ(window_.Values().SpinText(Control::SpinCopies), "1");
  EXPECT_FALSE(window_.Values().Checked(Control::BtnPortrait));
  EXPECT_TRUE(window_.Values().Checked(Control::BtnLandscape));
  EXPECT_EQ(window_.Values().ItemIndex(Control::GrpPapertype), 1);
  EXPECT_EQ(window_.Values().ItemIndex(Control::ListTypeface), 47);
  EXPECT_EQ(window_.Values().ItemIndex(Control::ListSymbol), -1);
  EXPECT_EQ(window_.Values().SpinText(Control::SpinPitch), Local("12.35", sep));
  EXPECT_EQ(window_.Values().SpinText(Control::SpinPoint), Local("999.75", sep));
  EXPECT_EQ(window_.Values().ItemIndex(Control::GrpDensity), -1);
  EXPECT_EQ(window_.Values().ItemIndex(Control::GrpEconomode), 1);
  EXPECT_EQ(window_.Values().SpinText(Control::RxSpinEdit1), "100");
  EXPECT_EQ(window_.Values().SpinText(Control::RxSpinEdit2), "356");

  // The rest of start-up.
  EXPECT_TRUE(window_.Values().Visible(Control::Image3));
  EXPECT_FALSE(window_.Values().Visible(Control::Image2));
  EXPECT_TRUE(window_.Values().Visible(Control::RxSpinEdit1));
  EXPECT_TRUE(window_.Values().Visible(Control::RxSpinEdit2));
  EXPECT_FALSE(window_.Values().Enabled(Control::SpinPitch));  // line-printer face
  EXPECT_FALSE(window_.Values().Enabled(Control::SpinPoint));
  EXPECT_EQ(window_.findChild<QTabWidget*>("PageControl1")->currentWidget()->objectName(),
            "Printer");
  EXPECT_EQ(window_.pos(), QPoint(40, 30));

  // The window still counts what was stored as sent, not what the controls
  // show: Send finds those controls changed and sends what they show.
  QTest::mouseClick(window_.FindControl("BtnApply"), Qt::LeftButton);
  // Lists that show no entry have no value to send: power save, source,
  // symbol set and density each fail with their box.
  EXPECT_EQ(boxes_.shown, std::vector(4, testing::RecordingBoxes::Box::SingleCommand));
#ifndef _WIN32  // there each job is written over the one before in the file read back
  const std::string sent = printer_.Bytes();
  for (const char* job : {"TIMEOUT=300\r\n", "HEIGHT=356\r\n", "COPIES=1\r\n"}) {
    EXPECT_NE(sent.find(job), std::string::npos) << job;
  }
  EXPECT_EQ(sent.find("POWERSAVE"), std::string::npos);
#endif
}

// The controls of a page are made when it first shows; what start-up gave
// them before that reads back, and reaches them, exactly as if they had been
// there all along.
TEST_F(MainWindowTransferTest, PagesAreMadeAsTheyFirstShowWithWhatStartUpGaveThem) {
  StoreOddRecord();
  window_.Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  for (const char* page : {"Page", "Font", "Quality", "About"}) {
    EXPECT_TRUE(window_.FindControl(page)->findChildren<QWidget*>().isEmpty()) << page;
  }
  // Nor the hidden controls of the page that shows.
  EXPECT_EQ(window_.findChild<QComboBox*>("ComBaudrate"), nullptr);
  std::vector<std::tuple<Control, std::int32_t, bool, bool>> before;
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const auto control = static_cast<Control>(i);
    const bool list = i <= static_cast<std::size_t>(Control::GrpEconomode);
    before.emplace_back(control, list ? window_.Values().ItemIndex(control) : -2,
                        window_.Values().Visible(control), window_.Values().Enabled(control));
  }
  // The user opens the Font page, then every other one.
  QTabBar* tabs = window_.findChild<QTabWidget*>("PageControl1")->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
  auto* typefaces = window_.FindControl("Font")->findChild<QListWidget*>("ListTypeface");
  ASSERT_NE(typefaces, nullptr);
  EXPECT_TRUE(typefaces->isVisible());
  EXPECT_EQ(typefaces->currentRow(), 47);
  for (int tab : {4, 3, 1}) {
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
  }
  // A hidden control the logic shows on a page that shows is made for it.
  window_.Values().SetVisible(Control::Gauge, true);
  const QWidget* gauge = window_.FindControl("About")->findChild<QWidget*>("Gauge");
  ASSERT_NE(gauge, nullptr);
  EXPECT_FALSE(gauge->isHidden());
  window_.Values().SetVisible(Control::Gauge, false);
  for (const auto& entry : before)
    ASSERT_NE(window_.FindControl(ControlName(std::get<0>(entry))), nullptr);
  for (const auto& [control, index, visible, enabled] : before) {
    if (index != -2) {
      EXPECT_EQ(window_.Values().ItemIndex(control), index) << ControlName(control);
    }
    EXPECT_EQ(window_.Values().Visible(control), visible) << ControlName(control);
    EXPECT_EQ(window_.Values().Enabled(control), enabled) << ControlName(control);
  }
  EXPECT_EQ(printer_.Bytes(), "");
}

TEST_F(MainWindowTransferTest, PullReadsTheControlsAsShownAndRestoresTheRecordsOrientation) {
  window_.FormCreate();
  const char sep = Separator();
  // What a user might leave in the controls: a typed value out of range, an
  // unreadable text, and the other orientation.
  Spin("SpinTimeout")->Editor()->setText(QString::fromStdString(std::string("500")));
  Spin("SpinLpi")->Editor()->setText(QString::fromStdString(std::string("")));
  Spin("SpinPitch")->Editor()->setText(QString::fromStdString(std::string(Local("12.5", sep))));
  window_.Values().SetItemIndex(Control::ComPowersave, 5);
  window_.Values().SetItemIndex(Control::ListSymbol, 35);
  window_.Values().SetItemIndex(Control::GrpEconomode, 1);
  window_.Values().SetChecked(Control::ChkJamrecover, true);
  window_.Values().SetChecked(Control::BtnLandscape, true);
  ASSERT_TRUE(window_.Values().Visible(Control::Image3));

  // What the window loaded from the empty settings key.
  SettingsRecord record = LoadDefaults();
  ASSERT_TRUE(record.orientation);
  Pull(window_.Values(), record);

  EXPECT_EQ(record.timeout, 500);  // read, not clamped
  EXPECT_EQ(record.lpi, 5);        // unreadable reads as the minimum
  EXPECT_EQ(record.pitch, 12.5L);
  EXPECT_EQ(record.powersave, 5);
  EXPECT_EQ(record.symbol, 35);
  EXPECT_EQ(record.economode, 1);
  EXPECT_TRUE(record.jamrecover);
  EXPECT_EQ(record.papersize, 2);
  // The orientation the printer was last told comes back on screen.
  EXPECT_TRUE(record.orientation);
  EXPECT_TRUE(window_.Values().Checked(Control::BtnPortrait));
  EXPECT_FALSE(window_.Values().Checked(Control::BtnLandscape));
  EXPECT_TRUE(window_.Values().Visible(Control::Image2));
  EXPECT_FALSE(window_.Values().Visible(Control::Image3));
  // Reading never changes a text.
  EXPECT_EQ(window_.Values().SpinText(Control::SpinTimeout), "500");
  EXPECT_EQ(window_.Values().SpinText(Control::SpinLpi), "");
}

TEST_F(MainWindowTransferTest, ListIndicesOutsideTheEntries) {
  struct Case {
    Control control;
    std::int32_t set;
    std::int32_t read;
  };
  const Case cases[] = {
      {Control::ComPapersize, 13, -1}, {Control::ComPapersize, -2, -1},
      {Control::ComPapersize, 0, 0},   {Control::ComSource, 3, 3},
      {Control::ListTypeface, 51, -1}, {Control::ListTypeface, 50, 50},
      {Control::ListSymbol, -7, -1},   {Control::GrpDensity, 2, 1},
      {Control::GrpDensity, -9, -1},   {Control::GrpEconomode, 0, 0},
      {Control::GrpPapertype, 100, 1},
  };
  for (const Case& c : cases) {
    window_.Values().SetItemIndex(c.control, 0);
    window_.Values().SetItemIndex(c.control, c.set);
    EXPECT_EQ(window_.Values().ItemIndex(c.control), c.read)
        << ControlName(c.control) << " set to " << c.set;
  }
  EXPECT_THROW(window_.Values().ItemIndex(Control::SpinLpi), std::logic_error);
  EXPECT_THROW(window_.Values().SetSpinValue(Control::ComPapersize, 1), std::logic_error);
}

TEST_F(MainWindowTransferTest, CheckingAnOrientationButtonRunsItsClickOnlyOnChange) {
  window_.FormCreate();  // portrait
  window_.Values().SetChecked(Control::BtnLandscape, true);
  EXPECT_FALSE(window_.Values().Checked(Control::BtnPortrait));
  EXPECT_FALSE(window_.Values().Visible(Control::Image2));
  EXPECT_TRUE(window_.Values().Visible(Control::Image3));

  // Checking the checked button again fires nothing: the pictures stay as
  // they were set behind its back.
  window_.Values().SetVisible(Control::Image3, false);
  window_.Values().SetChecked(Control::BtnLandscape, true);
  EXPECT_FALSE(window_.Values().Visible(Control::Image3));

  window_.Values().SetChecked(Control::BtnPortrait, true);
  EXPECT_FALSE(window_.Values().Checked(Control::BtnLandscape));
  EXPECT_TRUE(window_.Values().Visible(Control::Image2));

  // Unchecking in code leaves neither checked and runs nothing.
  window_.Values().SetVisible(Control::Image2, false);
  window_.Values().SetChecked(Control::BtnPortrait, false);
  EXPECT_FALSE(window_.Values().Checked(Control::BtnPortrait));
  EXPECT_FALSE(window_.Values().Checked(Control::BtnLandscape));
  EXPECT_FALSE(window_.Values().Visible(Control::Image2));
  EXPECT_FALSE(window_.Values().Visible(Control::Image3));

  // A click by the user works the same way.
  QTest::mouseClick(qobject_cast<QRadioButton*>(window_.FindControl("BtnLandscape")),
                    Qt::LeftButton);
  EXPECT_TRUE(window_.Values().Checked(Control::BtnLandscape));
  EXPECT_TRUE(window_.Values().Visible(Control::Image3));
  EXPECT_FALSE(window_.Values().Visible(Control::Image2));
}

TEST_F(MainWindowTransferTest, PaperSizeChangeFiresOnlyOnUserChoice) {
  window_.FormCreate();  // A4: custom size hidden
  auto* combo = qobject_cast<QComboBox*>(window_.FindControl("ComPapersize"));
  window_.Values().SetItemIndex(Control::ComPapersize, 12);
  EXPECT_FALSE(window_.Values().Visible(Control::RxSpinEdit1));

  window_.Values().SetItemIndex(Control::ComPapersize, 11);
  QTest::keyClick(combo, Qt::Key_Down);  // the user picks "Others(mm)"
  ASSERT_EQ(window_.Values().ItemIndex(Control::ComPapersize), 12);
  EXPECT_TRUE(window_.Values().Visible(Control::RxSpinEdit1));
  EXPECT_TRUE(window_.Values().Visible(Control::RxSpinEdit2));

  QTest::keyClick(combo, Qt::Key_Up);
  EXPECT_FALSE(window_.Values().Visible(Control::RxSpinEdit1));
  EXPECT_FALSE(window_.Values().Visible(Control::RxSpinEdit2));
}

TEST_F(MainWindowTransferTest, TypefaceRuleFollowsTheUsersSelection) {
  window_.FormCreate();
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  window_.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window_.FindControl("Font"));
  auto* list = qobject_cast<QListWidget*>(window_.FindControl("ListTypeface"));

  struct Case {
    int index;
    bool pitch;
    bool point;
  };
  const Case cases[] = {{1, true, false},   {6, true, false},  {7, false, true},
                        {17, false, true},  {44, false, true}, {45, false, false},
                        {47, false, false}, {50, false, false}};
  for (const Case& c : cases) {
    window_.Values().SetItemIndex(Control::ListTypeface, c.index);
    window_.ListTypefaceClick();
    EXPECT_EQ(window_.Values().Enabled(Control::SpinPitch), c.pitch) << c.index;
    EXPECT_EQ(window_.Values().Enabled(Control::SpinPoint), c.point) << c.index;
  }

  // Selecting in code runs nothing (both fields stay disabled from index 50);
  // a selection by the user, with the keyboard or the mouse, runs the rule.
  window_.Values().SetItemIndex(Control::ListTypeface, 6);
  EXPECT_FALSE(window_.Values().Enabled(Control::SpinPitch));
  window_.ListTypefaceClick();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(window_.Values().ItemIndex(Control::ListTypeface), 7);
  EXPECT_FALSE(window_.Values().Enabled(Control::SpinPitch));
  EXPECT_TRUE(window_.Values().Enabled(Control::SpinPoint));

  window_.Values().SetItemIndex(Control::ListTypeface, 1);
  EXPECT_FALSE(window_.Values().Enabled(Control::SpinPitch));  // code: nothing ran
  list->scrollToItem(list->item(2));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(2)).center());
  EXPECT_EQ(window_.Values().ItemIndex(Control::ListTypeface), 2);
  EXPECT_TRUE(window_.Values().Enabled(Control::SpinPitch));
  EXPECT_FALSE(window_.Values().Enabled(Control::SpinPoint));
}

TEST_F(MainWindowTransferTest, UserCannotTakeTheSelectionAwayFromAListBox) {
  window_.FormCreate();
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  window_.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window_.FindControl("Font"));
  window_.Values().SetItemIndex(Control::ListTypeface, 17);
  window_.ApplyTypefaceRule();
  window_.Values().SetItemIndex(Control::ListSymbol, 3);

  for (const auto& [control, index] :
       {std::pair{Control::ListTypeface, 17}, std::pair{Control::ListSymbol, 3}}) {
    auto* list = qobject_cast<QListWidget*>(window_.FindControl(ControlName(control)));
    ASSERT_NE(list, nullptr);
    list->scrollToItem(list->item(index));
    const QPoint entry = list->visualItemRect(list->item(index)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, entry);
    EXPECT_EQ(window_.Values().ItemIndex(control), index) << ControlName(control) << " Ctrl+click";
    window_.Values().SetItemIndex(control, index);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(window_.Values().ItemIndex(control), index) << ControlName(control) << " Ctrl+Space";
  }
  // The typeface rule still matches the selection.
  EXPECT_FALSE(window_.Values().Enabled(Control::SpinPitch));
  EXPECT_TRUE(window_.Values().Enabled(Control::SpinPoint));
}

TEST_F(MainWindowTransferTest, ControlsCarryValuesWhileHiddenOrDisabled) {
  window_.Values().SetItemIndex(Control::ComBaudrate, 8);
  window_.Values().SetItemIndex(Control::GrpPapertype, 1);
  window_.Values().SetChecked(Control::ChkRobust, true);
  EXPECT_EQ(window_.Values().ItemIndex(Control::ComBaudrate), 8);
  EXPECT_EQ(window_.Values().ItemIndex(Control::GrpPapertype), 1);
  EXPECT_TRUE(window_.Values().Checked(Control::ChkRobust));
  EXPECT_FALSE(window_.Values().Visible(Control::ComBaudrate));
  EXPECT_FALSE(window_.Values().Enabled(Control::ComBaudrate));

  window_.Values().SetVisible(Control::Gauge, true);
  EXPECT_TRUE(window_.Values().Visible(Control::Gauge));
  window_.Values().SetEnabled(Control::BtnConfig, false);
  EXPECT_FALSE(window_.Values().Enabled(Control::BtnConfig));

  window_.Values().SetWindowLeft(300);
  window_.Values().SetWindowTop(-20);
  EXPECT_EQ(window_.Values().WindowLeft(), 300);
  EXPECT_EQ(window_.Values().WindowTop(), -20);
}

#ifndef _WIN32
// In a comma locale the fields show and take commas, but the printer is told
// numbers with a full stop: it reads "16,67" as 16.
TEST(CommaLocale, FieldsTakeCommasAndJobsHaveFullStops) {
  const testing::CommaLocale comma;
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma can be made here";
  MemoryRegistry registry;
  SettingsStore store(registry);
  testing::TestPrinter printer(store);
  testing::RecordingBoxes boxes;
  TZLR window(store, printer.port(), boxes);
  window.Open();
  window.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window.FindControl("Font"));
  auto* pitch = qobject_cast<SpinEdit*>(window.FindControl("SpinPitch"));
  QTest::mouseClick(pitch->Editor(), Qt::LeftButton);
  QTest::keyClick(pitch->Editor(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(pitch->Editor(), "16,67");
  QTest::mouseClick(window.FindControl("BtnApply"), Qt::LeftButton);
  EXPECT_NE(printer.Bytes().find("PITCH=16.67\r\n"), std::string::npos) << printer.Bytes();
  EXPECT_EQ(pitch->Editor()->text(), "16,67");
  EXPECT_TRUE(boxes.shown.empty());
}
#endif

}  // namespace
}  // namespace zelora
