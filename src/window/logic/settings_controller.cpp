// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_controller.h"

#include <utility>

#include "control_transfer.h"
#include "lines_per_page.h"
#include "setting_sender.h"
#include "spin_field_layout.h"
#include "utility_jobs.h"
#include "window_rules.h"

namespace zelora {

SendOutcome SendFromControl(Setting setting, ControlValues& controls, SettingsRecord& record,
                            const SettingsStore& store, SettingSender& sender) {
  const SendReport report =
      sender.Send(setting, ControlValue(setting, controls), CustomSizeNow(controls));
  if (report.outcome == SendOutcome::Refused) {
    controls.SetSpinValue(ControlOf(setting), report.put_back);
  } else if (report.outcome == SendOutcome::Written) {
    store.StoreSetting(setting, ControlValue(setting, controls), record);
  }
  return report.outcome;
}

SendOutcome FitLinesPerPage(ControlValues& controls, const SettingsRecord& record,
                            const SettingsStore& store, PortWriter& port, Notifier& notifier) {
  const int lines = LinesPerPage(
      controls.ItemIndex(Control::ComPapersize), controls.Checked(Control::BtnPortrait),
      controls.SpinValue(kCustomWidthControl), controls.SpinValue(kCustomHeightControl));
  // Before the write: a failed write still leaves the new number in the field.
  controls.SetSpinValue(Control::SpinLpi, lines);
  const SendOutcome outcome = SendLinesPerPage(lines, port, notifier);
  if (outcome != SendOutcome::Written) return outcome;
  // Storing the lines per page never changes the record (only orientation
  // does), so a copy keeps the caller's record untouched.
  SettingsRecord unchanged = record;
  store.StoreSetting(Setting::Lpi, ControlValue(Setting::Lpi, controls), unchanged);
  return outcome;
}

void SettingsController::BtnApplyClick() {
  const SettingsStore::Hold hold(store_);
  // A custom size outside its field's range is neither sent nor stored: the
  // field shows the stored one again, as a refused setting's field does.
  for (const auto& [field, stored] : {std::pair{kCustomWidthControl, &SettingsRecord::width},
                                      std::pair{kCustomHeightControl, &SettingsRecord::height}}) {
    const SpinField::Properties range = SpinFieldProperties(field);
    const long double shown = controls_.SpinValue(field);
    if (!(shown >= range.min_value && shown <= range.max_value)) {
      controls_.SetSpinValue(field, record_.*stored);
    }
  }
  SettingSender sender(record_, port_, notifier_);
  auto send = [&](Setting setting) {
    SendFromControl(setting, controls_, record_, store_, sender);
  };
  // Sends the setting when its control differs from the record now.
  auto send_changed = [&](Setting setting) {
    if (!DiffersFromRecord(setting, ControlValue(setting, controls_), record_)) return false;
    send(setting);
    return true;
  };
  auto lines_rule = [&] { FitLinesPerPage(controls_, record_, store_, port_, notifier_); };
  // The custom size travels in the paper-size job; either dimension changed
  // sends it again, with the lines that fit it.
  auto custom_dimension_changed = [&](Control field, long double SettingsRecord::*stored) {
    if (controls_.SpinValue(field) == record_.*stored) return;
    send(Setting::Papersize);
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
  store_.StoreWidth(controls_.SpinValue(kCustomWidthControl), record_);
  store_.StoreHeight(controls_.SpinValue(kCustomHeightControl), record_);
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
