// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_controller.h"

#include <cstddef>

#include "control_transfer.h"
#include "send_pass.h"
#include "setting_table.h"
#include "utility_jobs.h"
#include "window_rules.h"

namespace zelora {

namespace {

// Into the fields that show something else, what the Send pass put back or
// chose. It never changes a checked state, so the orientation stays the
// Pull's.
void ShowPassResult(const WantedSettings& shown, const WantedSettings& ended,
                    ControlValues& controls) {
  for (const SettingRow& row : kSettingTable) {
    const SettingValue& value = ended.settings[static_cast<std::size_t>(row.setting)];
    if (value != shown.settings[static_cast<std::size_t>(row.setting)]) {
      ShowSettingValue(row.setting, value, controls);
    }
  }
  if (ended.custom.width != shown.custom.width) {
    controls.SetSpinValue(kCustomWidthControl, ended.custom.width);
  }
  if (ended.custom.height != shown.custom.height) {
    controls.SetSpinValue(kCustomHeightControl, ended.custom.height);
  }
}

}  // namespace

void SettingsController::BtnApplyClick() {
  const WantedSettings shown{ControlValuesNow(controls_), CustomSizeNow(controls_)};
  WantedSettings wanted = shown;
  try {
    SendChanged(wanted, record_, store_, port_, notifier_);
  } catch (...) {
    ShowPassResult(shown, wanted, controls_);
    throw;
  }
  ShowPassResult(shown, wanted, controls_);
  Pull(controls_, record_);
}

void SettingsController::BtnDefaultClick() {
  const SettingsStore::Hold hold(store_);
  SetFactoryDefaults(record_);
  Push(record_, controls_);
  store_.StoreAllSettings(ControlValuesNow(controls_));
  // The factory typeface takes a pitch and A4 has no custom size: the window
  // rules give exactly that.
  ApplyTypefaceRule(controls_);
  ShowCustomSize(controls_);
  SendInitializeJobs(port_, notifier_);
}

void SettingsController::BtnResetClick() {
  record_.reload = true;
  try {
    LoadIntoWindow(store_, record_, controls_);
  } catch (...) {
    // A load that fails must not leave the flag set for the next load.
    record_.reload = false;
    throw;
  }
  record_.reload = false;
  ApplyTypefaceRule(controls_);
  LoadPortChoice();
}

void SettingsController::LoadPortChoice() {
  if (port_choice_ == nullptr) return;
  // Until the value is read, no port: settings that name a printer but
  // cannot be read must not send the jobs to the built-in one instead.
  port_choice_->SelectNone("the Port value of the settings cannot be read");
  port_choice_->Select(store_.LoadPort());
}

}  // namespace zelora
