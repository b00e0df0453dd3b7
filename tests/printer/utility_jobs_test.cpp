// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "utility_jobs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_port.h"

namespace zelora {
namespace {

using testing::RecordingNotifier;
using testing::RecordingPrinterPort;
using namespace std::string_literals;

struct FixedJob {
  const char* name;
  std::string (*build)();
  std::string bytes;
};

TEST(UtilityJobs, FixedJobsByteForByte) {
  const FixedJob jobs[] = {
      {"configuration page", ConfigurationPageJob,
       "\x1B%-12345X@PJL TEST PRINT=CONFIG\r\n\x1B%-12345X"s},
      {"form feed", FormFeedJob, "\x0C"s},
      {"initialise", InitializeJob,
       "\x1B%-12345X@PJL INITIALIZE\r\n\x1B%-12345X\x1B%-12345X@PJL INFO PRINTER=ALL\r\n"
       "\x1B%-12345X"s},
      {"paper A4", PaperA4Job, "\x1B%-12345X@PJL DEFAULT PAPER=A4\r\n\x1B%-12345X"s},
  };
  for (const FixedJob& job : jobs) EXPECT_EQ(job.build(), job.bytes) << job.name;
}

TEST(UtilityJobs, InitializeJobsGoOutAsTwoWritesInOrder) {
  RecordingPrinterPort port;
  RecordingNotifier notifier;
  SendInitializeJobs(port, notifier);
  EXPECT_EQ(port.writes, (std::vector<std::string>{InitializeJob(), PaperA4Job()}));
  EXPECT_EQ(port.opens, 2);
  EXPECT_TRUE(notifier.shown.empty());
}

TEST(UtilityJobs, InitializeJobsWithoutPortShowTwoMultiCommandBoxes) {
  RecordingPrinterPort port;
  port.opens_ok = false;
  RecordingNotifier notifier;
  SendInitializeJobs(port, notifier);
  EXPECT_EQ(port.opens, 2) << "the A4 job is attempted after the first failed";
  EXPECT_EQ(notifier.shown,
            std::vector<TransmissionErrorVariant>(2, TransmissionErrorVariant::MultiCommand));
}

TEST(UtilityJobs, RefusedUtilityJobShowsMultiCommandBox) {
  RecordingPrinterPort port;
  port.accepts_bytes = false;
  RecordingNotifier notifier;
  EXPECT_FALSE(SendUtilityJob(FormFeedJob(), port, notifier));
  EXPECT_EQ(port.writes, std::vector<std::string>{"\f"});
  EXPECT_EQ(notifier.shown,
            std::vector<TransmissionErrorVariant>{TransmissionErrorVariant::MultiCommand});

  port.accepts_bytes = true;
  EXPECT_TRUE(SendUtilityJob(FormFeedJob(), port, notifier));
  EXPECT_EQ(notifier.shown.size(), 1u);
}

}  // namespace
}  // namespace zelora
