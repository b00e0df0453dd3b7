// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Sending one setting from its control. The jobs, the range and the failed
// write's box are the sender's and are tested with it; here is what the window
// logic adds: the value read from the control, the refused time-out put back
// in its field, and the store only after the port took the job.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_transfer.h"
#include "memory_registry.h"
#include "registry_error.h"
#include "setting_sender.h"
#include "settings_controller.h"
#include "settings_key.h"
#include "settings_store.h"
#include "support/fake_controls.h"
#include "support/logic_parts.h"
#include "support/pjl_text.h"
#include "support/recording_port.h"

namespace zelora {
namespace {

using testing::DefaultJob;

// The window after start-up: the record shown in the controls.
class SendFromControlTest : public ::testing::Test, protected testing::LogicParts {
 protected:
  SendFromControlTest() { Push(record, controls); }

  SendOutcome Send(Setting setting) {
    return SendFromControl(setting, controls, record, store, sender);
  }

  SettingSender sender{record, port, notifier};
};

// A value of each kind: the job carries what the control shows, the store
// writes the same, and storing the orientation moves the caller's record.
TEST_F(SendFromControlTest, ControlsValueIsSentThenStored) {
  controls.SetSpinValue(Control::SpinPitch, 16.67L);
  controls.SetItemIndex(Control::ListSymbol, 35);
  controls.SetChecked(Control::BtnLandscape, true);

  EXPECT_EQ(Send(Setting::Pitch), SendOutcome::Written);
  EXPECT_EQ(Send(Setting::Symbol), SendOutcome::Written);
  EXPECT_EQ(Send(Setting::Orientation), SendOutcome::Written);

  EXPECT_EQ(port.writes,
            (std::vector<std::string>{DefaultJob("PITCH=16.67"), DefaultJob("SYMSET=PCCYRILLIC"),
                                      DefaultJob("ORIENTATION=LANDSCAPE")}));
  EXPECT_EQ(registry.WriteLog(),
            (std::vector<std::string>{"R_pitch", "R_symbol", "R_orientation"}));
  EXPECT_EQ(registry.GetDouble(kSettingsKeyPath, "R_pitch"), 16.67);
  EXPECT_EQ(registry.GetDword(kSettingsKeyPath, "R_symbol"), 35);
  EXPECT_FALSE(record.orientation);
  EXPECT_TRUE(notifier.shown.empty());
}

// Nothing the port did not take is stored, and the control keeps what the
// user chose: taking it back is the Send pass's.
TEST_F(SendFromControlTest, FailedWriteStoresNothing) {
  controls.SetItemIndex(Control::ListSymbol, 35);
  controls.SetChecked(Control::BtnLandscape, true);
  const SettingsRecord before = record;
  port.accepts_bytes = false;

  EXPECT_EQ(Send(Setting::Symbol), SendOutcome::WriteFailed);
  EXPECT_EQ(Send(Setting::Orientation), SendOutcome::WriteFailed);

  EXPECT_EQ(port.writes.size(), 2u);
  EXPECT_FALSE(registry.KeyExists(kSettingsKeyPath));
  EXPECT_EQ(record, before);
  EXPECT_EQ(controls.ItemIndex(Control::ListSymbol), 35);
  EXPECT_TRUE(controls.Checked(Control::BtnLandscape));
}

// The record's 45, not the field's bound or the factory 20, goes back into
// the field; nothing is sent or stored.
TEST_F(SendFromControlTest, RefusedTimeoutIsPutBackInItsField) {
  record.timeout = 45;
  controls.Spin(Control::SpinTimeout).SetText("500");

  EXPECT_EQ(Send(Setting::Timeout), SendOutcome::Refused);

  EXPECT_EQ(controls.SpinText(Control::SpinTimeout), "45");
  EXPECT_TRUE(port.writes.empty());
  EXPECT_FALSE(registry.KeyExists(kSettingsKeyPath));
  EXPECT_EQ(record.timeout, 45);
}

// The store follows the write: a key that refuses the value raises when the
// printer already has the job.
TEST_F(SendFromControlTest, RefusedStoreRaisesAfterTheJobWasWritten) {
  registry.SetRefuseWrites(true);
  controls.SetItemIndex(Control::ListSymbol, 35);
  EXPECT_THROW(Send(Setting::Symbol), RegistryError);
  EXPECT_EQ(port.writes, std::vector<std::string>{DefaultJob("SYMSET=PCCYRILLIC")});
}

}  // namespace
}  // namespace zelora
