// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_sender.h"

#include <string>
#include <variant>

#include "setting_catalogue.h"

namespace zelora {

SendReport SettingSender::Send(Setting setting, const SettingValue& value,
                               const CustomSize& custom) {
  const CatalogueRow& row = CatalogueRowFor(setting);

  // Checked before anything is built: the printer must never be told a value
  // that the window and the settings key do not hold. The negated test also
  // turns away a value that is not a number.
  if (row.accepted != nullptr) {
    const long double number = std::get<long double>(value);
    if (!(number >= row.accepted->min && number <= row.accepted->max)) {
      return {SendOutcome::Refused, record_.*(row.accepted->restore_from)};
    }
  }

  const std::string job = BuildJob(setting, value, custom, decimal_separator_);
  if (!port_.WriteJob(job)) {
    notifier_.ShowTransmissionError(TransmissionErrorVariant::SingleCommand);
    return {SendOutcome::WriteFailed};
  }
  return {SendOutcome::Written};
}

}  // namespace zelora
