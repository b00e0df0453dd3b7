// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control_values.h"
#include "port_writer.h"
#include "settings_record.h"
#include "settings_store.h"
#include "transmission_notifier.h"

namespace zelora {

enum class SendOutcome {
  Written,      // the printer port took the job; the value was stored if it changed
  WriteFailed,  // the port did not take it; the error box was shown, nothing stored
  Refused,      // the value is outside its accepted range; the field was put back
};

// Sends one printer setting: builds its job from the control, writes it to the
// port and, once the port took it, stores the value in the settings key. Every
// setting goes through the same steps, driven by its catalogue row.
class SettingSender {
 public:
  SettingSender(ControlValues& controls, SettingsRecord& record, const SettingsStore& store,
                PortWriter& port, Notifier& notifier, char decimal_separator)
      : controls_(controls),
        record_(record),
        store_(store),
        port_(port),
        notifier_(notifier),
        decimal_separator_(decimal_separator) {}

  // Store errors (RegistryError) pass through to the caller.
  SendOutcome Send(Setting setting);

 private:
  ControlValues& controls_;
  SettingsRecord& record_;
  const SettingsStore& store_;
  PortWriter& port_;
  Notifier& notifier_;
  char decimal_separator_;
};

}  // namespace zelora
