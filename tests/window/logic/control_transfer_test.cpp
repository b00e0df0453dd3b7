// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_transfer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "memory_registry.h"
#include "registry_error.h"
#include "settings_key.h"

namespace zelora {
namespace {

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

TEST(Push, OrientationShowsItsButtonAndPicture) {
  ControlValues controls;
  SettingsRecord record = SampleRecord();
  record.orientation = false;
  Push(record, controls);
  ExpectOrientation(controls, false);
  // The button is already checked, so no click would run; the pictures must
  // still follow the record.
  controls.SetVisible(Control::Image2, true);
  controls.SetVisible(Control::Image3, false);
  Push(record, controls);
  ExpectOrientation(controls, false);
}

// Every control read into a record that keeps its position and reload flag;
// the orientation buttons are not read but set from the record.
TEST(Pull, ReadsEveryControl) {
  ControlValues controls;
  const SettingsRecord sample = SampleRecord();
  Push(sample, controls);
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
}

TEST(Pull, ReadsTypedValuesUnclamped) {
  ControlValues controls;
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
  ControlValues controls;
  SettingsRecord record = SampleRecord();  // portrait, as the printer has it
  Push(record, controls);
  // The user picks landscape; the send fails, so the record stays portrait.
  ApplyOrientation(false, controls);
  Pull(controls, record);
  EXPECT_TRUE(record.orientation);
  ExpectOrientation(controls, true);
}

TEST(Pull, SuccessfulOrientationSendKeepsTheNewOrientation) {
  ControlValues controls;
  SettingsRecord record = SampleRecord();
  Push(record, controls);
  controls.SetChecked(Control::BtnLandscape, true);
  record.orientation = false;  // what storing the sent setting does
  Pull(controls, record);
  EXPECT_FALSE(record.orientation);
  EXPECT_TRUE(controls.Checked(Control::BtnLandscape));
  EXPECT_TRUE(controls.Visible(Control::Image3));
  EXPECT_FALSE(controls.Visible(Control::Image2));
}

TEST(PushPull, RoundTripKeepsExtendedPrecisionValues) {
  ControlValues controls(',');
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
  ControlValues controls;
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
  ControlValues controls;
  LoadIntoWindow(SettingsStore(registry), record, controls);
  EXPECT_EQ(controls.WindowLeft(), 11);
  EXPECT_EQ(controls.WindowTop(), 0);
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
  ControlValues controls;
  controls.SetItemIndex(Control::ComPapersize, 3);
  EXPECT_THROW(LoadIntoWindow(SettingsStore(registry), record, controls), RegistryError);
  EXPECT_EQ(controls.ItemIndex(Control::ComPapersize), 3);
  EXPECT_EQ(controls.SpinText(Control::SpinTimeout), "0");
  EXPECT_EQ(controls.WindowLeft(), 180);
}

// The values the logic hands on are the controls' own, of each setting's
// kind, read without clamping.
TEST(ControlValuesNow, ReadsEverySettingsControlInItsKind) {
  ControlValues controls;
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

// ------------------------------------------------------------ the model's rules

// What a view is told: each control whose widget must show the model anew.
struct RecordingView final : ControlValues::View {
  void Show(Control control) override { shown.push_back(control); }
  void Click(Control control) override { clicks.push_back(control); }
  std::int32_t WindowLeft() const override { return 7; }
  std::int32_t WindowTop() const override { return 8; }
  void MoveWindow(std::int32_t left, std::int32_t top) override { moves.push_back({left, top}); }
  std::vector<Control> shown;
  std::vector<Control> clicks;
  std::vector<std::pair<std::int32_t, std::int32_t>> moves;
};

// As the widgets have it: the radio buttons of one parent exclude each other
// while check boxes do not, a spin field clamps. (The lists' bounds are tried
// on the window.)
TEST(ControlValuesModel, KeepsTheWidgetsRules) {
  ControlValues controls;
  RecordingView view;
  controls.SetView(&view);
  controls.SetChecked(Control::ChkAutocont, true);
  controls.SetChecked(Control::ChkRobust, true);
  controls.SetChecked(Control::BtnPortrait, true);
  view.shown.clear();
  controls.SetChecked(Control::BtnLandscape, true);
  EXPECT_TRUE(controls.Checked(Control::ChkAutocont));
  EXPECT_FALSE(controls.Checked(Control::BtnPortrait));
  EXPECT_EQ(view.shown, (std::vector{Control::BtnPortrait, Control::BtnLandscape}));
  // A radio button's click runs when code checks it, once.
  controls.SetChecked(Control::BtnLandscape, true);
  EXPECT_EQ(view.clicks, (std::vector{Control::BtnPortrait, Control::BtnLandscape}));

  controls.SetSpinValue(Control::SpinTimeout, 500);
  EXPECT_EQ(controls.SpinText(Control::SpinTimeout), "300");
  EXPECT_EQ(view.shown.back(), Control::SpinTimeout);
  EXPECT_THROW(controls.ItemIndex(Control::ChkAutocont), std::logic_error);

  // The window's place is the view's.
  controls.SetWindowTop(40);
  EXPECT_EQ(controls.WindowLeft(), 7);
  EXPECT_EQ(view.moves.back(), (std::pair<std::int32_t, std::int32_t>{7, 40}));
}

// What the user does in a widget comes back without being shown again.
TEST(ControlValuesModel, TakesTheUsersEditsSilently) {
  ControlValues controls;
  RecordingView view;
  controls.SetView(&view);
  controls.SetChecked(Control::BtnPortrait, true);
  view.shown.clear();
  controls.TakeChecked(Control::BtnLandscape, true);
  controls.TakeItemIndex(Control::ListSymbol, 3);
  EXPECT_FALSE(controls.Checked(Control::BtnPortrait));
  EXPECT_EQ(controls.ItemIndex(Control::ListSymbol), 3);
  EXPECT_TRUE(view.shown.empty());
}

}  // namespace
}  // namespace zelora
