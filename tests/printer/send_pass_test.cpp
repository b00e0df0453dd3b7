// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "send_pass.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "lines_per_page.h"
#include "memory_registry.h"
#include "setting_table.h"
#include "support/pjl_text.h"
#include "support/recording_port.h"

namespace zelora {
namespace {

// The printer was told the factory settings (A4, portrait, 64 lines), and the
// user wants them again but for what a test changes.
struct Parts {
  Parts() {
    SetFactoryDefaults(record);
    for (const SettingRow& row : kSettingTable) At(row.setting) = RecordValue(row.setting, record);
    wanted.custom = {record.width, record.height};
  }
  SettingValue& At(Setting setting) { return wanted.settings[static_cast<std::size_t>(setting)]; }
  void Run() { SendChanged(wanted, record, store, port, notifier); }

  SettingsRecord record;
  WantedSettings wanted;
  MemoryRegistry registry;
  SettingsStore store{registry};
  testing::RecordingPrinterPort port;
  testing::RecordingNotifier notifier;
};

// Each row changed alone (next list entry, other state, other end of its
// range) sends its own job and stores its own value, then, where the row says
// so, the lines that fit, stored; the Lpi row, when later, sends them once
// more. A row added to the table is covered without a change here.
TEST(SendPassTable, EachSettingChangedAloneIsSentAndStoredWithWhatFollowsIt) {
  for (const SettingRow& row : kSettingTable) {
    SCOPED_TRACE(row.value_name);
    Parts p;
    SettingValue& value = p.At(row.setting);
    if (auto* checked = std::get_if<bool>(&value)) {
      *checked = !*checked;
    } else if (auto* index = std::get_if<std::int32_t>(&value)) {
      ASSERT_FALSE(row.items.empty());
      *index = (*index + 1) % static_cast<std::int32_t>(row.items.size());
    } else {
      value = std::get<long double>(value) == row.range.min ? row.range.max : row.range.min;
    }
    std::vector<std::string> jobs{BuildJob(row.setting, value, p.wanted.custom)};
    std::vector<std::string> stores{std::string(row.value_name)};
    p.Run();
    if (row.fits_lines) {
      const int lines =
          LinesPerPage(std::get<std::int32_t>(p.At(Setting::Papersize)),
                       std::get<bool>(p.At(Setting::Orientation)), p.record.width, p.record.height);
      ASSERT_NE(lines, p.record.lpi);
      EXPECT_EQ(p.At(Setting::Lpi), SettingValue(static_cast<long double>(lines)));
      jobs.resize(row.setting < Setting::Lpi ? 3 : 2,
                  testing::DefaultJob("FORMLINES=" + std::to_string(lines)));
      stores.resize(jobs.size(), "R_lpi");
    }
    EXPECT_EQ(p.port.writes, jobs);
    EXPECT_EQ(p.registry.WriteLog(), stores);
  }
}

// A refused time-out becomes the record's 45, not its bound; a custom width
// outside its limits the record's, kept within them when the stored one is
// not. Both stay so when no paper size ends the pass at the lines rule.
TEST(SendPassValues, ValuesNotSentBecomeTheRecordsAlsoWhenThePassEnds) {
  Parts p;
  p.record.timeout = 45;
  p.record.width = 0;
  p.At(Setting::Timeout) = 500.0L;
  p.wanted.custom.width = 500;
  p.At(Setting::Papersize) = std::int32_t{-1};
  EXPECT_THROW(p.Run(), LinesTextError);
  EXPECT_EQ(p.At(Setting::Timeout), SettingValue(45.0L));
  EXPECT_EQ(p.wanted.custom.width, 75);
  EXPECT_TRUE(p.port.writes.empty());
}

}  // namespace
}  // namespace zelora
