// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "port_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_port.h"

namespace zelora {
namespace {

using testing::RecordingPrinterPort;

const std::string kBaud9600Job = "\x1b%-12345X@PJL DEFAULT BAUDRATE=9600\r\n\x1b%-12345X";

// ------------------------------------------------- the port writer's own rules

TEST(PrinterPort, JobAtTheLimitIsOneWriteAndOneByteMoreIsRefusedWithoutOpening) {
  RecordingPrinterPort port;
  const std::string job(kMaxJobLength, 'A');
  EXPECT_TRUE(port.WriteJob(job));
  EXPECT_EQ(port.opens, 1);
  EXPECT_EQ(port.closes, 1);
  EXPECT_EQ(port.writes, std::vector<std::string>{job});

  EXPECT_FALSE(port.WriteJob(job + 'A'));
  EXPECT_EQ(port.opens, 1);
}

TEST(PrinterPort, FailedWriteStillClosesAndNextJobOpensAgain) {
  RecordingPrinterPort port;
  port.accepts_bytes = false;
  EXPECT_FALSE(port.WriteJob(kBaud9600Job));
  EXPECT_EQ(port.closes, 1);
  port.accepts_bytes = true;
  EXPECT_TRUE(port.WriteJob(kBaud9600Job));
  EXPECT_EQ(port.opens, 2);
  EXPECT_EQ(port.closes, 2);
}

}  // namespace
}  // namespace zelora
