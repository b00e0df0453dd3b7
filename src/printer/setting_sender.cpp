// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_sender.h"

#include "pjl_job.h"
#include "setting_catalogue.h"

namespace zelora {

SendOutcome SettingSender::Send(Setting setting) {
  const CatalogueRow& row = CatalogueRowFor(setting);

  // Checked before anything is built: the printer must never be told a value
  // that the window and the settings key do not hold. The negated test also
  // turns away a value that is not a number.
  if (row.accepted != nullptr) {
    const long double value = controls_.SpinValue(row.control);
    if (!(value >= row.accepted->min && value <= row.accepted->max)) {
      controls_.SetSpinValue(row.control, record_.*(row.accepted->restore_from));
      return SendOutcome::Refused;
    }
  }

  const std::string job = BuildJob(setting, controls_, decimal_separator_);
  if (!port_.WriteJob(job)) {
    notifier_.ShowTransmissionError(TransmissionErrorVariant::SingleCommand);
    return SendOutcome::WriteFailed;
  }
  store_.StoreSetting(setting, controls_, record_);
  return SendOutcome::Written;
}

}  // namespace zelora
