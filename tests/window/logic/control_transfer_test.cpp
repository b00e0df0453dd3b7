// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_transfer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_registry.h"
#include "registry_error.h"
#include "settings_key.h"
#include "support/fake_controls.h"

namespace zelora {
namespace {

using testing::FakeControls;

SettingsRecord SampleRecord() {
  SettingsRecord record;
  record.baudrate = 5;
  record.timeout = 15;
  record.powersave = 2;
  record.autocont = true;
  record.jamrecover = false;
  record.robust = true;
  record.papersize = 2;
  record.source = 1;
  record.lpi = 64;
  record.copies = 3;
  record.orientation = true;
  record.papertype = 1;
  record.typeface = 7;
  record.symbol = 12;
  record.pitch = 10.5L;
  record.point = 12.25L;
  record.density = 1;
  record.economode = 0;
  record.width = 210;
  record.height = 297;
  return record;
}

// Both orientation buttons and both pictures show `portrait` (or landscape).
void ExpectOrientation(const ControlValues& controls, bool portrait) {
  SCOPED_TRACE(portrait ? "portrait" : "landscape");
  EXPECT_EQ(controls.Checked(Control::BtnPortrait), portrait);
  EXPECT_EQ(controls.Checked(Control::BtnLandscape), !portrait);
  EXPECT_EQ(controls.Visible(Control::Image2), portrait);
  EXPECT_EQ(controls.Visible(Control::Image3), !portrait);
}

TEST(Push, OrientationCheckedTwiceClicksOnce) {
  FakeControls controls;
  SettingsRecord record = SampleRecord();
  record.orientation = false;
  Push(record, controls);
  Push(record, controls);
  ExpectOrientation(controls, false);
  EXPECT_EQ(controls.landscape_clicks, 1);
  EXPECT_EQ(controls.portrait_clicks, 0);
}

TEST(Push, PicturesFollowTheRecordEvenWithoutAClick) {
  // The button is already checked, so no click runs; the pictures must still
  // show the record's orientation.
  FakeControls controls;
  controls.SetChecked(Control::BtnPortrait, true);
  controls.SetVisible(Control::Image2, false);
  controls.SetVisible(Control::Image3, true);
  Push(SampleRecord(), controls);
  EXPECT_EQ(controls.portrait_clicks, 1);
  EXPECT_TRUE(controls.Visible(Control::Image2));
  EXPECT_FALSE(controls.Visible(Control::Image3));
}

// Each control read once, in order, into a record that keeps its position and
// reload flag; the orientation buttons are not read but set from the record,
// between copies and paper type.
TEST(Pull, ReadsEveryControlInOrder) {
  FakeControls controls;
  const SettingsRecord sample = SampleRecord();
  Push(sample, controls);
  controls.log.clear();
  SettingsRecord record;
  record.orientation = true;
  record.reload = true;
  record.x = 11;
  record.y = 22;
  Pull(controls, record);
  SettingsRecord expected = sample;
  expected.reload = true;
  expected.x = 11;
  expected.y = 22;
  EXPECT_EQ(record, expected);
  const std::vector<std::string> reads = {
      "ItemIndex ComBaudrate",  "SpinValue SpinTimeout",    "ItemIndex ComPowersave",
      "Checked ChkAutocont",    "Checked ChkJamrecover",    "Checked ChkRobust",
      "ItemIndex ComPapersize", "ItemIndex ComSource",      "SpinValue SpinLpi",
      "SpinValue SpinCopies",   "SetChecked BtnPortrait 1", "SetVisible Image2 1",
      "SetVisible Image3 0",    "ItemIndex GrpPapertype",   "ItemIndex ListTypeface",
      "ItemIndex ListSymbol",   "SpinValue SpinPitch",      "SpinValue SpinPoint",
      "ItemIndex GrpDensity",   "ItemIndex GrpEconomode",   "SpinValue RxSpinEdit1",
      "SpinValue RxSpinEdit2",
  };
  EXPECT_EQ(controls.log, reads);
}

TEST(Pull, ReadsTypedValuesUnclamped) {
  FakeControls controls;
  Push(SampleRecord(), controls);
  controls.Spin(Control::SpinTimeout).SetText("500");
  controls.Spin(Control::SpinPitch).SetText("12");
  controls.Spin(Control::SpinCopies).SetText("");
  controls.Spin(Control::RxSpinEdit1).SetText("250");
  SettingsRecord record = SampleRecord();
  Pull(controls, record);
  EXPECT_EQ(record.timeout, 500);
  EXPECT_EQ(record.pitch, 12);
  EXPECT_EQ(record.copies, 1);
  EXPECT_EQ(record.width, 250);
  // Reading leaves the texts as typed.
  EXPECT_EQ(controls.SpinText(Control::SpinTimeout), "500");
  EXPECT_EQ(controls.SpinText(Control::SpinCopies), "");
}

TEST(Pull, FailedOrientationSendReturnsToTheRecordedOrientation) {
  FakeControls controls;
  SettingsRecord record = SampleRecord();  // portrait, as the printer has it
  Push(record, controls);
  // The user picks landscape; the send fails, so the record stays portrait.
  controls.SetChecked(Control::BtnLandscape, true);
  ASSERT_TRUE(controls.Visible(Control::Image3));
  Pull(controls, record);
  EXPECT_TRUE(record.orientation);
  ExpectOrientation(controls, true);
  EXPECT_EQ(controls.portrait_clicks, 2);
}

TEST(Pull, SuccessfulOrientationSendKeepsTheNewOrientation) {
  FakeControls controls;
  SettingsRecord record = SampleRecord();
  Push(record, controls);
  controls.SetChecked(Control::BtnLandscape, true);
  record.orientation = false;  // what storing the sent setting does
  Pull(controls, record);
  EXPECT_FALSE(record.orientation);
  EXPECT_TRUE(controls.Checked(Control::BtnLandscape));
  EXPECT_TRUE(controls.Visible(Control::Image3));
  EXPECT_FALSE(controls.Visible(Control::Image2));
  EXPECT_EQ(controls.landscape_clicks, 1);
}

TEST(PushPull, RoundTripKeepsExtendedPrecisionValues) {
  FakeControls controls(',');
  SettingsRecord record = SampleRecord();
  record.pitch = 0.44L;
  record.point = 999.75L;
  Push(record, controls);
  EXPECT_EQ(controls.SpinText(Control::SpinPitch), "0,44");
  SettingsRecord pulled = record;
  Pull(controls, pulled);
  EXPECT_EQ(pulled.pitch, 0.44L);
  EXPECT_NE(pulled.pitch, static_cast<long double>(0.44));
  EXPECT_EQ(pulled.point, 999.75L);
}

// ------------------------------------------------------------ load and show

// A first start: the factory settings shown (copies at the field's minimum
// while the record keeps 0) and the window at 0, 0.
TEST(LoadIntoWindow, FirstStartShowsFactorySettingsAtTheOrigin) {
  MemoryRegistry registry;
  SettingsRecord record = SampleRecord();
  FakeControls controls;
  controls.SetWindowLeft(300);
  controls.SetWindowTop(200);
  LoadIntoWindow(SettingsStore(registry), record, controls);
  EXPECT_EQ(record.copies, 0.0L);
  EXPECT_EQ(controls.SpinText(Control::SpinCopies), "1");
  EXPECT_EQ(controls.SpinValue(Control::SpinCopies), 1.0L);
  EXPECT_EQ(controls.ItemIndex(Control::ComPapersize), 2);
  EXPECT_EQ(controls.WindowLeft(), 0);
  EXPECT_EQ(controls.WindowTop(), 0);
}

// The stored place moves the window, after the push; a reload pushes the same
// but leaves the window where it is.
TEST(LoadIntoWindow, MovesAfterThePushUnlessReloading) {
  MemoryRegistry registry;
  ASSERT_NE(registry.CreateKey(kSettingsKeyPath), nullptr);
  registry.PutDword(kSettingsKeyPath, "R_x", 11);
  registry.PutDword(kSettingsKeyPath, "R_papersize", 12);
  SettingsRecord record;
  FakeControls controls;
  LoadIntoWindow(SettingsStore(registry), record, controls);
  ASSERT_GE(controls.log.size(), 2u);
  EXPECT_EQ(controls.log[controls.log.size() - 2], "SetWindowLeft 11");
  EXPECT_EQ(controls.log.back(), "SetWindowTop 0");
  EXPECT_EQ(controls.ItemIndex(Control::ComPapersize), 12);

  controls.SetWindowLeft(500);
  controls.SetItemIndex(Control::ComPapersize, 0);
  record.reload = true;
  LoadIntoWindow(SettingsStore(registry), record, controls);
  EXPECT_EQ(controls.ItemIndex(Control::ComPapersize), 12);
  EXPECT_EQ(controls.WindowLeft(), 500);
}

// A value of the wrong type ends the load before any control is touched.
TEST(LoadIntoWindow, FailedLoadTouchesNoControl) {
  MemoryRegistry registry;
  ASSERT_NE(registry.CreateKey(kSettingsKeyPath), nullptr);
  registry.PutDword(kSettingsKeyPath, "R_timeout", 20);
  SettingsRecord record;
  FakeControls controls;
  EXPECT_THROW(LoadIntoWindow(SettingsStore(registry), record, controls), RegistryError);
  EXPECT_TRUE(controls.log.empty());
}

// The values the logic hands on are the controls' own, of each setting's
// kind, read without clamping.
TEST(ControlValuesNow, ReadsEverySettingsControlInItsKind) {
  FakeControls controls;
  Push(SampleRecord(), controls);
  controls.Spin(Control::SpinTimeout).SetText("500");
  const SettingValues values = ControlValuesNow(controls);
  EXPECT_EQ(values[static_cast<std::size_t>(Setting::Timeout)], SettingValue(500.0L));
  EXPECT_EQ(values[static_cast<std::size_t>(Setting::Symbol)], SettingValue(std::int32_t{12}));
  EXPECT_EQ(values[static_cast<std::size_t>(Setting::Orientation)], SettingValue(true));
  EXPECT_EQ(values[static_cast<std::size_t>(Setting::Point)], SettingValue(12.25L));
  const CustomSize custom = CustomSizeNow(controls);
  EXPECT_EQ(custom.width, 210);
  EXPECT_EQ(custom.height, 297);
}

}  // namespace
}  // namespace zelora
