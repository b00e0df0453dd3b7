// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control_values.h"
#include "port_value.h"
#include "port_writer.h"
#include "setting_sender.h"
#include "settings_record.h"
#include "settings_store.h"
#include "transmission_notifier.h"

namespace zelora {

// Sends one setting from its control. A refused value is put back in its field;
// a written one is stored as the control shows it once the port took it.
// Store errors (RegistryError) pass through.
SendOutcome SendFromControl(Setting setting, ControlValues& controls, SettingsRecord& record,
                            const SettingsStore& store, SettingSender& sender);

// Fits the printer's lines per page to the paper the controls show: puts the
// number into SpinLpi, sends it and, once the port took it, stores it under
// R_lpi when it differs from record.lpi. A failed write shows the
// single-command box; SpinLpi keeps the new number all the same.
//
// Throws LinesTextError, before anything is sent or changed, when no paper size
// is selected. Store errors (RegistryError) pass through. Returns Written or
// WriteFailed.
SendOutcome FitLinesPerPage(ControlValues& controls, const SettingsRecord& record,
                            const SettingsStore& store, PortWriter& port, Notifier& notifier);

// The logic of Send, Default and Reset. It moves values between the controls
// and the settings record only through Push and Pull, and detects changes
// always as control against record, never against the settings key.
class SettingsController {
 public:
  SettingsController(ControlValues& controls, SettingsRecord& record, const SettingsStore& store,
                     PortWriter& port, Notifier& notifier, SelectablePort* port_choice = nullptr)
      : controls_(controls),
        record_(record),
        store_(store),
        port_(port),
        notifier_(notifier),
        port_choice_(port_choice) {}

  // Send: every setting whose control differs from the record goes to the
  // printer in the fixed order, the settings key held for storing throughout
  // (a user who may not store gets its RegistryError and nothing is sent); a
  // new paper size, custom width or height and a new orientation each bring
  // the lines-per-page rule after them. A number outside its field's range is
  // put back, not sent. A failed write does not stop the pass; an exception
  // (a registry error, no paper size for the lines rule) ends it where it is
  // raised, without the Pull.
  void BtnApplyClick();

  // Default: the factory settings into the record and the controls, stored,
  // then the printer told to reinitialise; nothing at all when this user may
  // not store.
  void BtnDefaultClick();

  // Reset: the stored settings loaded again, the window left where it is,
  // and the printer port chosen in them.
  void BtnResetClick();

  // Chooses the printer port the settings name (at start-up and by Reset):
  // the built-in one when they name none. When the value cannot be read (of
  // the wrong type, too long, settings damaged or unreadable) no port is
  // chosen, so every job fails, and the RegistryError passes on. Nothing to
  // do without a port to choose.
  void LoadPortChoice();

 private:
  ControlValues& controls_;
  SettingsRecord& record_;
  const SettingsStore& store_;
  PortWriter& port_;
  Notifier& notifier_;
  SelectablePort* port_choice_;
};

}  // namespace zelora
