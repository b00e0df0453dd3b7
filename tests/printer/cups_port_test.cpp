// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cups_port.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "demo_page.h"
#include "pjl_job.h"
#include "support/loopback_printer.h"
#include "support/test_files.h"
#include "utility_jobs.h"

namespace zelora {
namespace {

using Jobs = std::vector<std::string>;

// The private server of the cups_server fixture (cups_server.sh). Each case
// adds a raw queue of its own whose device is a loopback printer.
class CupsPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path dir = ZELORA_CUPS_SERVER_DIR;
    const std::string unavailable = testing::ReadFile(dir / "unavailable");
    if (!unavailable.empty()) GTEST_SKIP() << "no CUPS server here: " << unavailable;
    const std::string server = testing::ReadFile(dir / "server");
    ASSERT_FALSE(server.empty()) << "the cups_server fixture started no server";
    ::setenv("CUPS_SERVER", server.substr(0, server.find('\n')).c_str(), 1);
    added_ = Admin("lpadmin -p", "-E -v socket://127.0.0.1:" + std::to_string(printer_.port()));
    ASSERT_TRUE(added_);
  }
  void TearDown() override {
    if (added_) Admin("lpadmin -x");
  }
  // A CUPS command on the test's queue.
  bool Admin(const std::string& command, const std::string& options = "") {
    return std::system(
               ("PATH=$PATH:/usr/sbin " + command + " " + queue_ + " " + options).c_str()) == 0;
  }

  testing::LoopbackPrinter printer_;
  const std::string queue_ = "zelora-test-" + std::to_string(::getpid());
  bool added_ = false;
};

#if defined(ZELORA_LAZY_CUPS)
// libcups is not loaded until a CUPS queue is used; the job still arrives.
// First, so that no other case of the run has loaded it.
TEST_F(CupsPortTest, LibraryLoadsOnFirstUse) {
  const auto loaded = [] {
    void* const library = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (library != nullptr) ::dlclose(library);
    return library != nullptr;
  };
  EXPECT_FALSE(loaded());
  EXPECT_TRUE(CupsPort(queue_).WriteJob(FormFeedJob()));
  EXPECT_TRUE(loaded());
  EXPECT_TRUE(printer_.Jobs(1, std::chrono::seconds(60)) == Jobs{FormFeedJob()});
}
#endif

TEST_F(CupsPortTest, EachJobAndThePageIsOneJobByteForByte) {
  CupsPort port(queue_);
  std::string page;
  for (int i = 0; i < 20'000; ++i) page += static_cast<char>(i * 131 % 256);
  std::size_t refused = 0;
  for (const std::string& job : {ConfigurationPageJob(), PaperA4Job(), FormFeedJob()}) {
    EXPECT_TRUE(port.WriteJob(job));
  }
  EXPECT_TRUE(StreamDemoPage(port, page, nullptr, [&] { ++refused; }));
  EXPECT_EQ(refused, 0u);
  const Jobs expected = {ConfigurationPageJob(), PaperA4Job(), FormFeedJob(), page};
  EXPECT_TRUE(printer_.Jobs(expected.size(), std::chrono::seconds(60)) == expected);
}

// A stopped queue, one that takes no jobs and a missing one do not open, and
// leave nothing open; a job refused at its end (its queue went away) fails.
TEST_F(CupsPortTest, QueueThatTakesNoJobsFails) {
  const auto descriptors = [] {
    using std::filesystem::directory_iterator;
    return std::distance(directory_iterator("/proc/self/fd"), directory_iterator());
  };
  const auto before = descriptors();
  for (const auto& [stop, start] :
       {std::pair{"cupsdisable", "cupsenable"}, {"cupsreject", "cupsaccept"}}) {
    ASSERT_TRUE(Admin(stop));
    EXPECT_EQ(CupsPort(queue_).Open(), nullptr) << stop;
    ASSERT_TRUE(Admin(start));
  }
  EXPECT_EQ(CupsPort("zelora-no-such-queue").Open(), nullptr);
  EXPECT_EQ(descriptors(), before);
  const std::unique_ptr<PortConnection> connection = CupsPort(queue_).Open();
  ASSERT_NE(connection, nullptr);
  EXPECT_TRUE(connection->Write(FormFeedJob()));
  ASSERT_TRUE(Admin("lpadmin -x"));
  added_ = false;
  EXPECT_FALSE(connection->Finish());
  EXPECT_EQ(printer_.Jobs(1, std::chrono::seconds(1)), Jobs{});
}

// A server that takes the connection and then never answers fails the job
// within seconds under the default time-outs, as a dead network printer does.
TEST(CupsPortServer, SilentServerFailsWithinSeconds) {
  testing::LoopbackPrinter server(testing::LoopbackPrinter::Mode::kNeverRead);
  ::setenv("CUPS_SERVER", ("127.0.0.1:" + std::to_string(server.port())).c_str(), 1);
  const auto start = std::chrono::steady_clock::now();
  bool written = true;
  // libcups keeps the server per thread: a new thread reads CUPS_SERVER.
  std::thread([&] { written = CupsPort("zelora-silent").WriteJob(FormFeedJob()); }).join();
  EXPECT_FALSE(written);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
}

}  // namespace
}  // namespace zelora
