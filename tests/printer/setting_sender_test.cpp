// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_sender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "pjl_job.h"
#include "support/recording_port.h"

namespace zelora {
namespace {

using testing::RecordingNotifier;
using testing::RecordingPrinterPort;

class SenderTest : public ::testing::Test {
 protected:
  SettingsRecord record = LoadDefaults();
  RecordingPrinterPort port;
  RecordingNotifier notifier;
  SettingSender sender{record, port, notifier, '.'};
};

// Every setting's job reaches the port as BuildJob makes it; the same job
// through a port that refuses it shows the single-command box, once.
TEST_F(SenderTest, EverySettingIsWrittenOrReportsTheFailedWrite) {
  const CustomSize custom{210, 297};
  for (int i = 0; i < kSettingCount; ++i) {
    const auto setting = static_cast<Setting>(i);
    SCOPED_TRACE(i);
    const SettingValue value = RecordValue(setting, record);
    port.writes.clear();
    port.accepts_bytes = true;
    EXPECT_EQ(sender.Send(setting, value, custom), SendReport{SendOutcome::Written});
    EXPECT_EQ(port.writes, std::vector<std::string>{BuildJob(setting, value, custom, '.')});
    EXPECT_TRUE(notifier.shown.empty());

    port.accepts_bytes = false;
    EXPECT_EQ(sender.Send(setting, value, custom), SendReport{SendOutcome::WriteFailed});
    EXPECT_EQ(notifier.shown,
              std::vector<TransmissionErrorVariant>{TransmissionErrorVariant::SingleCommand});
    notifier.shown.clear();
  }
}

TEST_F(SenderTest, CommaLocaleSendsCommaDecimals) {
  SettingSender comma_sender{record, port, notifier, ','};
  EXPECT_EQ(comma_sender.Send(Setting::Point, 12.25L).outcome, SendOutcome::Written);
  EXPECT_EQ(port.writes, std::vector<std::string>{SettingJob("PTSIZE", "12,25")});
}

// A time-out outside 10..300, or no number at all, never reaches the printer:
// the report hands back the record's value to show instead.
TEST_F(SenderTest, OnlyTimeoutsInRangeReachThePrinter) {
  record.timeout = 45;
  for (const long double refused : {9.0L, 301.0L, 500.0L, -20.0L, 9.999L, 300.001L,
                                    std::numeric_limits<long double>::quiet_NaN()}) {
    SCOPED_TRACE(static_cast<double>(refused));
    EXPECT_EQ(sender.Send(Setting::Timeout, refused), (SendReport{SendOutcome::Refused, 45}));
  }
  EXPECT_TRUE(port.writes.empty());
  EXPECT_TRUE(notifier.shown.empty());
  for (const long double accepted : {10.0L, 300.0L}) {
    EXPECT_EQ(sender.Send(Setting::Timeout, accepted).outcome, SendOutcome::Written);
  }
  EXPECT_EQ(port.writes,
            (std::vector<std::string>{SettingJob("TIMEOUT", "10"), SettingJob("TIMEOUT", "300")}));
  EXPECT_EQ(record.timeout, 45);
}

// No other number is held back: a spin value far outside any field's range
// still reaches the printer.
TEST_F(SenderTest, OnlyTheTimeoutIsRangeChecked) {
  for (const Setting setting : {Setting::Lpi, Setting::Copies, Setting::Pitch, Setting::Point}) {
    EXPECT_EQ(sender.Send(setting, 100000.0L).outcome, SendOutcome::Written);
    EXPECT_EQ(sender.Send(setting, -1.0L).outcome, SendOutcome::Written);
  }
  EXPECT_EQ(port.writes.size(), 8u);
}

}  // namespace
}  // namespace zelora
