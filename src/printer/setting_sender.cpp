// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_sender.h"

#include <string>
#include <variant>

#include "setting_table.h"

namespace zelora {

SendReport SettingSender::Send(Setting setting, const SettingValue& value,
                               const CustomSize& custom) {
  const SettingRow& row = RowOf(setting);

  // Checked before anything is built: the printer must never be told a value
  // that the window and the settings key do not hold. The negated test also
  // turns away a value that is not a number.
  if (row.rule == ValueRule::NumberText) {
    const long double number = std::get<long double>(value);
    if (!(number >= row.range.min && number <= row.range.max)) {
      return {SendOutcome::Refused, std::get<long double>(RecordValue(setting, record_))};
    }
  }

  // A value with no job fails as a job the port did not take.
  const std::string job = BuildJob(setting, value, custom);
  if (job.empty() || !port_.WriteJob(job)) {
    notifier_.ShowTransmissionError(TransmissionErrorVariant::SingleCommand);
    return {SendOutcome::WriteFailed};
  }
  return {SendOutcome::Written};
}

}  // namespace zelora
