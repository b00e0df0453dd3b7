#include "utility_jobs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_port.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "device_port_writer.h"
#include "support/test_files.h"
#endif

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
  const std::size_t lengths[] = {42, 1, 76, 41};
  for (std::size_t i = 0; i < std::size(jobs); ++i) {
    EXPECT_EQ(jobs[i].build(), jobs[i].bytes) << jobs[i].name;
    EXPECT_EQ(jobs[i].build().size(), lengths[i]) << jobs[i].name;
  }
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

#ifndef _WIN32
// The configuration page through the device port writer into a FIFO whose read
// end is open, as a printer's would be.
TEST(UtilityJobs, ConfigurationPageReachesAFifoReaderExactly) {
  const testing::TempDir dir("zelora-utility-");
  const std::string fifo = (dir / "lp0").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);

  DevicePortWriter port(fifo);
  RecordingNotifier notifier;
  EXPECT_TRUE(SendUtilityJob(ConfigurationPageJob(), port, notifier));

  // The writer has closed its end: read up to the end of the stream.
  std::string received;
  char buffer[256];
  for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;) {
    received.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(reader);
  EXPECT_EQ(received, ConfigurationPageJob());
  EXPECT_EQ(received.size(), 42u);
  EXPECT_TRUE(notifier.shown.empty());
}
#endif

}  // namespace
}  // namespace zelora
