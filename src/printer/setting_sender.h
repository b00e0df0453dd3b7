// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pjl_job.h"
#include "port_writer.h"
#include "settings_record.h"
#include "transmission_notifier.h"

namespace zelora {

enum class SendOutcome {
  Written,      // the printer port took the job; the value may now be stored
  WriteFailed,  // the port did not take it; the error box was shown
  Refused,      // the value is outside its accepted range; nothing was sent
};

// What became of one setting sent. A refused value is to be replaced by
// put_back, the value the record holds, so that the window shows what the
// printer was last told.
struct SendReport {
  SendOutcome outcome;
  long double put_back = 0;

  bool operator==(const SendReport&) const = default;
};

// Sends one printer setting: checks its value against the accepted range,
// builds its job and writes it to the port, showing the error box when the
// port does not take it. Every setting goes through the same steps, driven by
// its catalogue row. Storing the value is the caller's, once it was written.
class SettingSender {
 public:
  SettingSender(const SettingsRecord& record, PortWriter& port, Notifier& notifier)
      : record_(record), port_(port), notifier_(notifier) {}

  // value is of the setting's kind; custom is read by the paper-size job only.
  SendReport Send(Setting setting, const SettingValue& value, const CustomSize& custom = {});

 private:
  const SettingsRecord& record_;
  PortWriter& port_;
  Notifier& notifier_;
};

}  // namespace zelora
