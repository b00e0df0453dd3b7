// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_record.h"

#include <type_traits>

#include "setting_table.h"

namespace zelora {

SettingsRecord LoadDefaults() {
  SettingsRecord r;
  r.x = 0;
  r.y = 0;
  r.baudrate = 5;  // 9600
  r.timeout = 20.0L;
  r.powersave = 3;  // 30 minutes
  r.autocont = false;
  r.jamrecover = false;
  r.robust = false;
  r.papersize = 0;  // Letter
  r.source = 0;
  r.lpi = 60.0L;
  r.copies = 0.0L;  // below the field's minimum on purpose: the field shows 1
  r.orientation = true;
  r.papertype = 0;
  r.typeface = 0;
  r.symbol = 0;
  r.pitch = 10.0L;
  r.point = 12.0L;
  r.density = 1;  // darker
  r.economode = 0;
  r.width = 216.0L;
  r.height = 356.0L;
  return r;
}

void SetFactoryDefaults(SettingsRecord& r) {
  const SettingsRecord keep = r;
  r = LoadDefaults();
  r.reload = keep.reload;
  r.x = keep.x;
  r.y = keep.y;
  // The factory set differs from the load defaults in just these three.
  r.papersize = 2;  // A4
  r.lpi = 64.0L;
  r.density = 0;  // medium
}

SettingValue RecordValue(Setting setting, const SettingsRecord& record) {
  return std::visit([&](auto member) { return SettingValue(record.*member); },
                    RowOf(setting).field);
}

void SetRecordValue(Setting setting, const SettingValue& value, SettingsRecord& record) {
  const SettingRow& row = RowOf(setting);
  std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(record.*member)>;
        record.*member = ValueAs<T>(value, row.value_name);
      },
      row.field);
}

bool DiffersFromRecord(Setting setting, const SettingValue& value, const SettingsRecord& record) {
  const SettingRow& row = RowOf(setting);
  return std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(record.*member)>;
        return ValueAs<T>(value, row.value_name) != record.*member;
      },
      row.field);
}

}  // namespace zelora
