// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control_values.h"
#include "port_value.h"
#include "port_writer.h"
#include "settings_record.h"
#include "settings_store.h"
#include "transmission_notifier.h"

namespace zelora {

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

  // Send: the Send pass (SendChanged) on what the controls show; the fields
  // then show what it put back or chose, also when an exception (a registry
  // error, no paper size for the lines rule) ends it, and the controls go
  // into the record by the Pull, which such an exception skips.
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
