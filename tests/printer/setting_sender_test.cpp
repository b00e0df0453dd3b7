// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_sender.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/pjl_text.h"
#include "support/recording_port.h"

namespace zelora {
namespace {

using testing::DefaultJob;

using testing::RecordingNotifier;
using testing::RecordingPrinterPort;

class SenderTest : public ::testing::Test {
 protected:
  SettingsRecord record = LoadDefaults();
  RecordingPrinterPort port;
  RecordingNotifier notifier;
  SettingSender sender{record, port, notifier, '.'};
};

// The setting, its value, the custom size and the decimal separator each show
// in the bytes written; a port that refuses the job gets the single-command
// box, once.
TEST_F(SenderTest, WritesTheJobOfTheValueOrReportsTheFailedWrite) {
  SettingSender comma_sender{record, port, notifier, ','};
  EXPECT_EQ(sender.Send(Setting::Papersize, std::int32_t{12}, {210, 297}),
            SendReport{SendOutcome::Written});
  EXPECT_EQ(comma_sender.Send(Setting::Point, 12.25L), SendReport{SendOutcome::Written});
  EXPECT_TRUE(notifier.shown.empty());

  // An index naming no entry fails as a refused job does, without a write.
  EXPECT_EQ(sender.Send(Setting::Baudrate, std::int32_t{9}), SendReport{SendOutcome::WriteFailed});
  port.accepts_bytes = false;
  EXPECT_EQ(sender.Send(Setting::Orientation, false), SendReport{SendOutcome::WriteFailed});
  EXPECT_EQ(port.writes, (std::vector<std::string>{DefaultJob("PAPER=OTHERS WIDTH=210 HEIGHT=297"),
                                                   DefaultJob("PTSIZE=12,25"),
                                                   DefaultJob("ORIENTATION=LANDSCAPE")}));
  EXPECT_EQ(notifier.shown,
            std::vector<TransmissionErrorVariant>(2, TransmissionErrorVariant::SingleCommand));
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
            (std::vector<std::string>{DefaultJob("TIMEOUT=10"), DefaultJob("TIMEOUT=300")}));
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
