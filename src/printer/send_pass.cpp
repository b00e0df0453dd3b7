// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "send_pass.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "lines_per_page.h"
#include "paper_sizes.h"
#include "setting_sender.h"
#include "setting_table.h"

namespace zelora {

void SendChanged(WantedSettings& wanted, SettingsRecord& record, const SettingsStore& store,
                 PortWriter& port, Notifier& notifier) {
  const SettingsStore::Hold hold(store);
  // A custom size outside its limits is neither sent nor stored: the record's
  // comes back, as a refused setting's does, kept within the limits as the
  // window's field keeps it, so a damaged stored size is not sent either.
  auto keep_within = [](long double& size, long double stored, const SizeLimits& limits) {
    if (!(size >= limits.min && size <= limits.max)) {
      size = std::clamp(stored, limits.min, limits.max);
    }
  };
  keep_within(wanted.custom.width, record.width, kCustomWidthLimits);
  keep_within(wanted.custom.height, record.height, kCustomHeightLimits);

  auto value = [&](Setting setting) -> SettingValue& {
    return wanted.settings[static_cast<std::size_t>(setting)];
  };
  SettingSender sender(record, port, notifier);
  auto send = [&](Setting setting) {
    const SendReport report = sender.Send(setting, value(setting), wanted.custom);
    if (report.outcome == SendOutcome::Refused) {
      value(setting) = report.put_back;
    } else if (report.outcome == SendOutcome::Written) {
      store.StoreSetting(setting, value(setting), record);
    }
  };
  // Throws LinesTextError, before anything changes, for no paper size.
  auto fit_lines = [&] {
    const int lines = LinesPerPage(
        ValueAs<std::int32_t>(value(Setting::Papersize), RowOf(Setting::Papersize).value_name),
        ValueAs<bool>(value(Setting::Orientation), RowOf(Setting::Orientation).value_name),
        wanted.custom.width, wanted.custom.height);
    // Before the write: a failed write still leaves the new number wanted.
    value(Setting::Lpi) = static_cast<long double>(lines);
    if (SendLinesPerPage(lines, port, notifier) != SendOutcome::Written) return;
    // Stored without moving the record's lpi, so that the Lpi row, after the
    // paper's, sends the number once more when it differs from the record.
    SettingsRecord unchanged = record;
    store.StoreSetting(Setting::Lpi, value(Setting::Lpi), unchanged);
  };

  for (const SettingRow& row : kSettingTable) {
    if (DiffersFromRecord(row.setting, value(row.setting), record)) {
      send(row.setting);
      if (row.fits_lines) fit_lines();
    }
    if (!row.carries_custom_size) continue;
    // Each dimension on its own, whether the paper size changed or not.
    for (const bool changed :
         {wanted.custom.width != record.width, wanted.custom.height != record.height}) {
      if (!changed) continue;
      send(row.setting);
      fit_lines();
    }
  }
  store.StoreWidth(wanted.custom.width, record);
  store.StoreHeight(wanted.custom.height, record);
}

}  // namespace zelora
