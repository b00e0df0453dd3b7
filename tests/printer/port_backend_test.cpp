// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the platform's printer port must do, run against each port the
// platform has (see port_fixtures.h).

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "port_fixtures.h"

namespace zelora::testing {
namespace {

const std::string kBaud9600Job = "\x1b%-12345X@PJL DEFAULT BAUDRATE=9600\r\n\x1b%-12345X";

template <typename Fixture>
class PrinterPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string missing = Fixture::Unavailable();
    if (!missing.empty()) GTEST_SKIP() << missing;
    fixture_.emplace();
  }
  Fixture& fixture() { return *fixture_; }
  PrinterPort& port() { return fixture_->port(); }

  std::optional<Fixture> fixture_;
};
TYPED_TEST_SUITE(PrinterPortTest, PortFixtures, PortFixtureNames);

// One open, one write and one close per job: every job arrives as it is, and
// the port is free again as soon as the job has been written.
TYPED_TEST(PrinterPortTest, EachJobArrivesWholeAndLeavesThePortFree) {
  std::string hundred(kMaxJobLength, 'H');
  hundred.front() = '\x1b';
  hundred.back() = 'X';
  const std::vector<std::string> jobs = {kBaud9600Job, "\x0c", hundred,
                                         "\x1b"
                                         "E\xe9\xff\r\n"};
  for (const std::string& job : jobs) {
    SCOPED_TRACE(job.size());
    this->fixture().Clear();
    EXPECT_TRUE(this->port().WriteJob(job));
    EXPECT_EQ(this->fixture().Received(), job);
    EXPECT_TRUE(this->fixture().IsFree()) << "the port was left open";
  }
}

TYPED_TEST(PrinterPortTest, JobOverTheLimitIsRefusedWithoutWriting) {
  EXPECT_FALSE(this->port().WriteJob(std::string(kMaxJobLength + 1, 'H')));
  EXPECT_EQ(this->fixture().Received(), "");
  EXPECT_TRUE(this->fixture().IsFree());
}

TYPED_TEST(PrinterPortTest, PortHeldByAnotherProgramIsRefusedUntilReleased) {
  {
    const auto hold = this->fixture().HoldElsewhere();
    ASSERT_TRUE(hold->held());
    // Refused at once, not after waiting for the other program.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(this->port().WriteJob(kBaud9600Job));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(this->port().Open(), nullptr);
  }
  EXPECT_EQ(this->fixture().Received(), "");
  EXPECT_TRUE(this->port().WriteJob(kBaud9600Job)) << "the port is free again";
  EXPECT_EQ(this->fixture().Received(), kBaud9600Job);
}

// The demonstration page keeps one connection for many one-byte writes; no
// job can get in between, and the port is free once it ends.
TYPED_TEST(PrinterPortTest, ConnectionHoldsThePortUntilDestroyed) {
  const std::string bytes =
      "\x1b"
      "E\x0c";
  {
    const std::unique_ptr<PortConnection> connection = this->port().Open();
    ASSERT_NE(connection, nullptr);
    EXPECT_FALSE(this->fixture().IsFree());
    EXPECT_EQ(this->port().Open(), nullptr);
    EXPECT_FALSE(this->port().WriteJob("\x0c"));
    for (char byte : bytes) EXPECT_TRUE(connection->Write(std::string_view(&byte, 1)));
  }
  EXPECT_EQ(this->fixture().Received(), bytes);
  EXPECT_TRUE(this->fixture().IsFree());
}

}  // namespace
}  // namespace zelora::testing
