// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "printer_inquiry.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <thread>
#include <tuple>

#include "support/loopback_printer.h"

namespace zelora {
namespace {

using Clock = std::chrono::steady_clock;
using Printer = testing::LoopbackPrinter;
using Values = std::vector<std::optional<std::string>>;
using enum InquiryOutcome;

// Each port answers as it can, within the bound, in the order asked; both
// printers take the job byte for byte and the parallel ports are never opened.
TEST(PrinterInquiryTest, EachPortAnswersAsItCan) {
  const std::map<std::string, std::string> defaults = {{"COPIES", "1"}, {"TIMEOUT", "15"}};
  const std::vector<std::string> asked = {"TIMEOUT", "FORMLINES", "COPIES"};
  const std::string job =
      "\x1b%-12345X@PJL\r\n@PJL DINQUIRE TIMEOUT\r\n@PJL DINQUIRE FORMLINES\r\n"
      "@PJL DINQUIRE COPIES\r\n\x1b%-12345X";
  const std::chrono::milliseconds bound(200);
  Printer answering(Printer::Mode::kRecord, defaults), silent, refusing(Printer::Mode::kRefuse);
  // A raw pseudo-terminal stands in for a USB printer's node; its master
  // answers until the node is closed.
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios raw{};
  ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0 &&
              ::tcgetattr(master, &raw) == 0);
  ::cfmakeraw(&raw);
  ::tcsetattr(master, TCSANOW, &raw);
  const std::string node = ::ptsname(master);
  std::string node_received;
  std::thread node_printer([&] { node_received = testing::ServeAnswers(master, defaults); });
  const auto at = [](const Printer& p) { return "socket://127.0.0.1:" + std::to_string(p.port()); };
  const Values answered = {"15", "\"?\"", "1"}, none(3);
  const std::tuple<std::string, InquiryOutcome, Values> cases[] = {
      {at(answering), kAnswered, answered}, {node, kAnswered, answered},
      {at(silent), kNoAnswer, none},        {at(refusing), kUnreachable, {}},
      {"cups://Office", kCannotAnswer, {}}, {"/dev/lp0", kCannotAnswer, {}},
      {"/dev/parport1", kCannotAnswer, {}}};
  for (const auto& [port, outcome, values] : cases) {
    const auto start = Clock::now();
    const InquiryResult result = InquireDefaults(port, asked, bound);
    const auto took = Clock::now() - start;
    EXPECT_EQ(result.outcome, outcome) << port;
    std::vector<std::string> names;
    Values got;
    for (const InquiryAnswer& answer : result.answers) {
      names.push_back(answer.variable);
      got.push_back(answer.value);
    }
    EXPECT_EQ(got, values) << port;
    EXPECT_EQ(names, values.empty() ? std::vector<std::string>{} : asked) << port;
    EXPECT_EQ(result.reason.empty(), outcome == kAnswered) << port << ": " << result.reason;
    EXPECT_LT(took, bound * 5) << port;
    if (outcome == kNoAnswer) {
      EXPECT_GE(took, bound) << port;
    }
  }
  EXPECT_EQ(answering.Jobs(1), std::vector{job});
  EXPECT_EQ(silent.Jobs(1), std::vector{job});
  ::close(::open(node.c_str(), O_RDWR | O_NOCTTY));  // ends the master's reading if never opened
  node_printer.join();
  ::close(master);
  EXPECT_EQ(node_received, job);
}

}  // namespace
}  // namespace zelora
