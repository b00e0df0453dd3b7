// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "socket_port.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>
#include <tuple>

#include "call_within.h"
#include "demo_page.h"
#include "pjl_job.h"
#include "support/loopback_printer.h"
#include "support/recording_port.h"
#include "utility_jobs.h"

namespace zelora {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using Printer = testing::LoopbackPrinter;

// Every case leaves as many descriptors open as it found, failures included.
class SocketPortTest : public ::testing::TestWithParam<const char*> {
 protected:
  static std::ptrdiff_t Descriptors() {
    using std::filesystem::directory_iterator;
    return std::distance(directory_iterator("/proc/self/fd"), directory_iterator());
  }
  void TearDown() override { EXPECT_EQ(Descriptors(), descriptors_); }
  const std::ptrdiff_t descriptors_ = Descriptors();
};

// The test page, the form feed, Default's two jobs and a Send pass's jobs each
// arrive over a connection of their own, the demonstration page over one.
TEST_P(SocketPortTest, EachJobAndThePageIsOneConnectionByteForByte) {
  Printer printer;
  if (GetParam() == std::string("::1") && !printer.has_ipv6()) GTEST_SKIP() << "no IPv6 here";
  SocketPort port(GetParam(), printer.port());
  testing::RecordingNotifier box;
  SendUtilityJob(ConfigurationPageJob(), port, box);
  SendUtilityJob(FormFeedJob(), port, box);
  SendInitializeJobs(port, box);
  const std::vector<std::string> pass = {SettingJob("COPIES", "2"), PowersaveJob(3),
                                         std::string(kMaxJobLength, '\xff')};
  for (const std::string& job : pass) EXPECT_TRUE(port.WriteJob(job));
  std::string page(100'000, '\0');
  for (std::size_t i = 0; i < page.size(); ++i) page[i] = static_cast<char>(i * 131 % 256);
  std::size_t refused = 0;
  EXPECT_TRUE(StreamDemoPage(port, page, nullptr, [&] { ++refused; }));

  std::vector<std::string> expected = {ConfigurationPageJob(), FormFeedJob(), InitializeJob(),
                                       PaperA4Job()};
  expected.insert(expected.end(), pass.begin(), pass.end());
  expected.push_back(page);
  EXPECT_TRUE(printer.Jobs(expected.size()) == expected);
  EXPECT_EQ(refused, 0u);
  EXPECT_TRUE(box.shown.empty());
}
INSTANTIATE_TEST_SUITE_P(Hosts, SocketPortTest, ::testing::Values("127.0.0.1", "::1", "localhost"));

// A printer that refuses, never answers, drops or resets a job, stops reading
// or hangs up, or a name nobody knows, fails within the bound of the step that
// waits; one that holds the connection open takes a job it acknowledged.
TEST_F(SocketPortTest, UnreachablePrinterFailsWithinTheBound) {
  using enum Printer::Mode;
  const milliseconds bound(300);
  const std::string job = SettingJob("TIMEOUT", "77"), stream(16 << 20, 'x');
  const std::tuple<Printer::Mode, const std::string&, bool> cases[] = {
      {kRefuse, job, false},      {kNeverAccept, job, false},  {kDrop, job, false},
      {kResetAfter5, job, false}, {kNeverRead, stream, false}, {kCloseEarly, stream, false},
      {kNeverRead, job, true}};
  for (const auto& [mode, bytes, written] : cases) {
    Printer printer(mode);
    for (const std::string host : {"127.0.0.1", "printer.invalid"}) {
      SocketPort port(host, printer.port(), {bound, bound, bound, bound});
      const auto start = Clock::now();
      const std::unique_ptr<PortConnection> connection = port.Open();
      const bool taken = connection != nullptr && connection->Write(bytes) && connection->Finish();
      EXPECT_EQ(taken, written && host == "127.0.0.1") << host << " " << static_cast<int>(mode);
      const auto elapsed = Clock::now() - start;
      EXPECT_LT(elapsed, bound * 4) << host << " " << static_cast<int>(mode);
      // Those that accept the connection or the bytes for a while wait for the bound.
      const bool waits = !written && (mode == kNeverAccept || mode == kNeverRead);
      EXPECT_TRUE(host != "127.0.0.1" || !waits || elapsed >= bound) << static_cast<int>(mode);
    }
  }
}

// After the printer hangs up, the page ends at the first refused byte, and no write
// raises SIGPIPE, which would end this program.
TEST_F(SocketPortTest, PrinterHangingUpRefusesTheRestOfThePage) {
  std::signal(SIGPIPE, SIG_DFL);
  Printer printer(Printer::Mode::kCloseEarly);
  SocketPort port("127.0.0.1", printer.port());
  std::size_t refused = 0;
  EXPECT_TRUE(StreamDemoPage(port, std::string(200'000, 'x'), nullptr, [&] { ++refused; }));
  EXPECT_EQ(refused, 1u);
}

// The helper gives up at the time-out; what the late call made is freed once
// it returns.
TEST(CallWithin, GivesUpAtTheTimeOutAndFreesTheLateResult) {
  auto held = std::make_shared<int>(1);
  const std::weak_ptr<int> watch = held;
  const auto start = Clock::now();
  EXPECT_FALSE(CallWithin(milliseconds(100), [held = std::move(held)] {
    std::this_thread::sleep_for(milliseconds(500));
    return held;
  }));
  EXPECT_LT(Clock::now() - start, milliseconds(400));
  while (!watch.expired() && Clock::now() - start < std::chrono::seconds(5)) {
    std::this_thread::sleep_for(milliseconds(10));
  }
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(CallWithin(milliseconds(5000), [] { return 42; }), 42);
}

}  // namespace
}  // namespace zelora
