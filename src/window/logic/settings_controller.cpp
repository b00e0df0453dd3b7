// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_controller.h"

#include "control_transfer.h"
#include "lines_per_page.h"
#include "setting_catalogue.h"
#include "setting_sender.h"
#include "utility_jobs.h"
#include "window_rules.h"

namespace zelora {

void SettingsController::BtnApplyClick() {
  SettingSender sender(controls_, record_, store_, port_, notifier_, decimal_separator_);
  // Sends the setting when its control differs from the record now.
  auto send_changed = [&](Setting setting) {
    if (!ControlDiffers(PlaceOf(setting), controls_, record_)) return false;
    sender.Send(setting);
    return true;
  };
  auto lines_rule = [&] { RunLinesPerPageRule(controls_, record_, store_, port_, notifier_); };
  // The custom size travels in the paper-size job; either dimension changed
  // sends it again, with the lines that fit it.
  auto custom_dimension_changed = [&](Control field, long double SettingsRecord::*stored) {
    if (controls_.SpinValue(field) == record_.*stored) return;
    sender.Send(Setting::Papersize);
    lines_rule();
  };

  for (Setting setting : {Setting::Baudrate, Setting::Timeout, Setting::Powersave,
                          Setting::Autocont, Setting::Jamrecover, Setting::Robust}) {
    send_changed(setting);
  }
  if (send_changed(Setting::Papersize)) lines_rule();
  custom_dimension_changed(kCustomWidthControl, &SettingsRecord::width);
  custom_dimension_changed(kCustomHeightControl, &SettingsRecord::height);
  send_changed(Setting::Source);
  // After the paper rules, so a number they chose that differs from the
  // record is sent once more.
  send_changed(Setting::Lpi);
  send_changed(Setting::Copies);
  if (send_changed(Setting::Orientation)) lines_rule();
  for (Setting setting : {Setting::Papertype, Setting::Typeface, Setting::Symbol, Setting::Pitch,
                          Setting::Point, Setting::Density, Setting::Economode}) {
    send_changed(setting);
  }
  store_.StoreWidth(controls_, record_);
  store_.StoreHeight(controls_, record_);
  Pull(controls_, record_);
}

void SettingsController::BtnDefaultClick() {
  SetFactoryDefaults(record_);
  Push(record_, controls_);
  store_.StoreAllSettings(controls_);
  // The factory typeface takes a pitch and A4 has no custom size: the window
  // rules give exactly that.
  ApplyTypefaceRule(controls_);
  ShowCustomSize(controls_);
  SendInitializeJobs(port_, notifier_);
}

void SettingsController::BtnResetClick() {
  const auto push = [](const SettingsRecord& record, ControlValues& controls) {
    Push(record, controls);
  };
  record_.reload = true;
  try {
    store_.LoadSettings(record_, controls_, push);
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
  port_choice_->Select({});
  port_choice_->Select(store_.LoadPort());
}

}  // namespace zelora
