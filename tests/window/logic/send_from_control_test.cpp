// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Sending one setting from its control: what reaches the port, what is put
// back and what is stored.
#include "settings_controller.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "control_transfer.h"
#include "memory_registry.h"
#include "pjl_job.h"
#include "registry_error.h"
#include "setting_sender.h"
#include "setting_table.h"
#include "settings_key.h"
#include "settings_store.h"
#include "spin_field_layout.h"
#include "support/fake_controls.h"
#include "support/recording_port.h"

namespace zelora {

// Test names and messages show the setting's value name.
void PrintTo(Setting setting, std::ostream* os) { *os << RowOf(setting).value_name; }

namespace {

using testing::FakeControls;
using testing::RecordingNotifier;
using testing::RecordingPrinterPort;

// The window after start-up: the record shown in the controls.
class SenderTest : public ::testing::Test {
 protected:
  SenderTest() {
    record.copies = 1;  // in the field's range, so the controls equal the record
    Push(record, controls);
  }

  // Moves the setting's control away from the record's value, within the
  // control's range.
  void Change(Setting setting) {
    const Control control = ControlOf(setting);
    if (setting == Setting::Orientation) {
      controls.SetChecked(record.orientation ? Control::BtnLandscape : Control::BtnPortrait, true);
    } else if (std::holds_alternative<long double>(RecordValue(setting, record))) {
      controls.SetSpinValue(control, controls.SpinValue(control) + 1);
    } else if (RowOf(setting).rule == ValueRule::CheckedWord) {
      controls.SetChecked(control, !controls.Checked(control));
    } else {
      controls.SetItemIndex(control, controls.ItemIndex(control) == 0 ? 1 : 0);
    }
  }

  FakeControls controls;
  SettingsRecord record = LoadDefaults();
  MemoryRegistry registry;
  SettingsStore store{registry};
  RecordingPrinterPort port;
  RecordingNotifier notifier;
  SettingSender sender{record, port, notifier, '.'};

  SendOutcome Send(Setting setting) {
    return SendFromControl(setting, controls, record, store, sender);
  }
};

class EverySetting : public SenderTest, public ::testing::WithParamInterface<Setting> {};

TEST_P(EverySetting, ChangedValueIsSentAndStoredUnderItsName) {
  const Setting setting = GetParam();
  Change(setting);
  const std::string expected_job =
      BuildJob(setting, ControlValue(setting, controls), CustomSizeNow(controls), '.');

  EXPECT_EQ(Send(setting), SendOutcome::Written);
  EXPECT_EQ(port.writes, std::vector<std::string>{expected_job});
  EXPECT_TRUE(notifier.shown.empty());
  EXPECT_EQ(registry.WriteLog(), std::vector<std::string>{std::string(RowOf(setting).value_name)});
  EXPECT_EQ(registry.OpenKeyCount(), 0);
}

TEST_P(EverySetting, FailedWriteShowsSingleCommandBoxAndStoresNothing) {
  const Setting setting = GetParam();
  Change(setting);
  const SettingsRecord before = record;
  port.accepts_bytes = false;

  EXPECT_EQ(Send(setting), SendOutcome::WriteFailed);
  EXPECT_EQ(port.writes.size(), 1u);
  EXPECT_EQ(notifier.shown,
            std::vector<TransmissionErrorVariant>{TransmissionErrorVariant::SingleCommand});
  EXPECT_TRUE(registry.WriteLog().empty());
  EXPECT_FALSE(registry.KeyExists(kSettingsKeyPath));
  EXPECT_EQ(record, before);
}

TEST_P(EverySetting, UnchangedValueIsSentButNotStored) {
  const Setting setting = GetParam();
  EXPECT_EQ(Send(setting), SendOutcome::Written);
  EXPECT_EQ(port.writes.size(), 1u);
  EXPECT_TRUE(registry.WriteLog().empty());
  EXPECT_TRUE(notifier.shown.empty());
}

std::vector<Setting> AllSettings() {
  std::vector<Setting> settings;
  for (int i = 0; i < kSettingCount; ++i) settings.push_back(static_cast<Setting>(i));
  return settings;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EverySetting, ::testing::ValuesIn(AllSettings()),
                         [](const auto& info) {
                           return std::string(RowOf(info.param).value_name);
                         });

TEST_F(SenderTest, StoredValueIsTheControlsValue) {
  controls.SetSpinValue(Control::SpinPitch, 16.67L);
  controls.SetItemIndex(Control::ComBaudrate, 8);
  EXPECT_EQ(Send(Setting::Pitch), SendOutcome::Written);
  EXPECT_EQ(Send(Setting::Baudrate), SendOutcome::Written);
  EXPECT_EQ(registry.GetDouble(kSettingsKeyPath, "R_pitch"), 16.67);
  EXPECT_EQ(registry.GetDword(kSettingsKeyPath, "R_baudrate"), 8);
  EXPECT_EQ(port.writes.front(), SettingJob("PITCH", "16.67"));
}

TEST_F(SenderTest, CommaLocaleSendsCommaDecimals) {
  FakeControls comma_controls(',');
  Push(record, comma_controls);
  SettingSender comma_sender{record, port, notifier, ','};
  comma_controls.SetSpinValue(Control::SpinPoint, 12.25L);
  EXPECT_EQ(SendFromControl(Setting::Point, comma_controls, record, store, comma_sender),
            SendOutcome::Written);
  EXPECT_EQ(port.writes, std::vector<std::string>{SettingJob("PTSIZE", "12,25")});
  EXPECT_EQ(registry.GetDouble(kSettingsKeyPath, "R_point"), 12.25);
}

TEST_F(SenderTest, KeyThatCannotBeOpenedStoresNothingSilently) {
  registry.SetAccess(MemoryRegistry::Access::kNone);
  Change(Setting::Copies);
  EXPECT_EQ(Send(Setting::Copies), SendOutcome::Written);
  EXPECT_EQ(port.writes.size(), 1u);
  EXPECT_TRUE(registry.WriteLog().empty());
  EXPECT_TRUE(notifier.shown.empty());
}

TEST_F(SenderTest, RefusedRegistryWriteRaisesAfterTheJobWasSent) {
  registry.SetRefuseWrites(true);
  Change(Setting::Symbol);
  try {
    Send(Setting::Symbol);
    FAIL() << "no RegistryError";
  } catch (const RegistryError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'R_symbol'");
  }
  EXPECT_EQ(port.writes.size(), 1u);
  EXPECT_EQ(registry.OpenKeyCount(), 0);
}

// ------------------------------------------------------------- job time-out

struct TimeoutCase {
  const char* typed;
  SendOutcome outcome;
  const char* sent_value;  // nullptr: nothing sent
};

void PrintTo(const TimeoutCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }

class TimeoutRange : public SenderTest, public ::testing::WithParamInterface<TimeoutCase> {};

TEST_P(TimeoutRange, OnlyValuesInRangeReachThePrinter) {
  const TimeoutCase& c = GetParam();
  controls.Spin(Control::SpinTimeout).SetText(c.typed);
  EXPECT_EQ(Send(Setting::Timeout), c.outcome);
  EXPECT_TRUE(notifier.shown.empty());
  if (c.sent_value == nullptr) {
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(registry.WriteLog().empty());
    // Back to what the printer was last told.
    EXPECT_EQ(controls.SpinValue(Control::SpinTimeout), record.timeout);
    EXPECT_EQ(controls.SpinText(Control::SpinTimeout), "20");
  } else {
    EXPECT_EQ(port.writes, std::vector<std::string>{SettingJob("TIMEOUT", c.sent_value)});
    EXPECT_EQ(registry.GetDouble(kSettingsKeyPath, "R_timeout"), std::stod(c.sent_value));
  }
  EXPECT_EQ(record.timeout, 20);
}

INSTANTIATE_TEST_SUITE_P(Typed, TimeoutRange,
                         ::testing::Values(TimeoutCase{"500", SendOutcome::Refused, nullptr},
                                           TimeoutCase{"5", SendOutcome::Refused, nullptr},
                                           TimeoutCase{"301", SendOutcome::Refused, nullptr},
                                           TimeoutCase{"9", SendOutcome::Refused, nullptr},
                                           TimeoutCase{"-20", SendOutcome::Refused, nullptr},
                                           TimeoutCase{"10", SendOutcome::Written, "10"},
                                           TimeoutCase{"300", SendOutcome::Written, "300"},
                                           // An unreadable text reads as the field's minimum.
                                           TimeoutCase{"", SendOutcome::Written, "10"}),
                         [](const auto& info) {
                           const std::string typed = info.param.typed;
                           if (typed.empty()) return std::string("Empty");
                           return typed[0] == '-' ? "TypedMinus" + typed.substr(1)
                                                  : "Typed" + typed;
                         });

}  // namespace
}  // namespace zelora
