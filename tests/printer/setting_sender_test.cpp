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
  SettingSender sender{record, port, notifier};
};

// The setting, its value and the custom size each show
// in the bytes written; a port that refuses the job gets the single-command
// box, once.
TEST_F(SenderTest, WritesTheJobOfTheValueOrReportsTheFailedWrite) {
  EXPECT_EQ(sender.Send(Setting::Papersize, std::int32_t{12}, {210, 297}),
            SendReport{SendOutcome::Written});
  EXPECT_EQ(sender.Send(Setting::Point, 12.25L), SendReport{SendOutcome::Written});
  EXPECT_TRUE(notifier.shown.empty());

  // An index naming no entry fails as a refused job does, without a write.
  EXPECT_EQ(sender.Send(Setting::Baudrate, std::int32_t{9}), SendReport{SendOutcome::WriteFailed});
  port.accepts_bytes = false;
  EXPECT_EQ(sender.Send(Setting::Orientation, false), SendReport{SendOutcome::WriteFailed});
  EXPECT_EQ(port.writes, (std::vector<std::string>{DefaultJob("PAPER=OTHERS WIDTH=210 HEIGHT=297"),
                                                   DefaultJob("PTSIZE=12.25"),
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

// Every spin setting is held to its field's range as the time-out is: just
// outside either end is refused with the record's value, the ends are sent.
TEST_F(SenderTest, EverySpinSettingIsRangeChecked) {
  record.copies = 3;
  const struct {
    Setting setting;
    long double below, min, max, above;
  } cases[] = {{Setting::Lpi, 4, 5, 128, 129},
               {Setting::Copies, 0, 1, 99, 500},
               {Setting::Pitch, 0.43L, 0.44L, 99.99L, 100},
               {Setting::Point, 3.75L, 4, 999.75L, 1000}};
  for (const auto& c : cases) {
    const long double stored = std::get<long double>(RecordValue(c.setting, record));
    for (const long double refused : {c.below, c.above}) {
      EXPECT_EQ(sender.Send(c.setting, refused), (SendReport{SendOutcome::Refused, stored}));
    }
    for (const long double accepted : {c.min, c.max}) {
      EXPECT_EQ(sender.Send(c.setting, accepted).outcome, SendOutcome::Written);
    }
  }
  EXPECT_EQ(port.writes.size(), 8u);
  EXPECT_EQ(port.writes[3], DefaultJob("COPIES=99"));
}

}  // namespace
}  // namespace zelora
