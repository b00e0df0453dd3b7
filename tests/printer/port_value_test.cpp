// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "port_value.h"

#include <gtest/gtest.h>

#include "port_fixtures.h"
#ifndef _WIN32
#include "support/loopback_printer.h"
#endif

namespace zelora {
namespace {

// The text, then what it parses to: the form with host, queue or path and the
// port number, or, for kInvalid, a part of the reason.
TEST(ParsePortValue, ReadsEachFormAndSaysWhyAValueIsNone) {
  constexpr auto kInvalid = PortForm::kInvalid;
  const std::tuple<std::string, PortForm, std::string, int> rows[] = {
      {" \t", PortForm::kDefault, "", 0},
      {"/dev/lp0" + std::string(1, '\0'), kInvalid, "NUL", 0},
      {"ipp://host/laser", kInvalid, "'ipp://' ports are not", 0},
#ifndef _WIN32
      {" /dev/usb/lp0\t", PortForm::kDevice, "/dev/usb/lp0", 0},
      {"lp0", kInvalid, "starts with '/'", 0},
      {"SOCKET://office-2.lan.", PortForm::kSocket, "office-2.lan.", 9100},
      {"socket://10.0.0.5:65535", PortForm::kSocket, "10.0.0.5", 65535},
      {"socket://[fe80::1%eth0]:1", PortForm::kSocket, "fe80::1%eth0", 1},
      {"socket://:9100", kInvalid, "no printer host", 0},
      {"socket://printer:", kInvalid, "no port number", 0},
      {"socket://printer:65536", kInvalid, "'65536' is not a port", 0},
      {"socket://printer:+91", kInvalid, "not a port", 0},
      {"socket://printer/queue", kInvalid, "not a host name", 0},
      {"socket://office..lan", kInvalid, "not a host name", 0},
      {"socket://-office", kInvalid, "not a host name", 0},
      {"socket://::1", kInvalid, "in brackets", 0},
      {"socket://[::1", kInvalid, "']' is missing", 0},
      {"socket://[::1]9100", kInvalid, "may follow ']'", 0},
      {"socket://[1::2::3]", kInvalid, "not an IPv6", 0},
      {"cups://Лазер_2", PortForm::kCups, "Лазер_2", 0},
      {"cups://", kInvalid, "no queue name", 0},
      {"cups://office laser", kInvalid, "not a CUPS queue", 0},
      {"cups://" + std::string(128, 'q'), kInvalid, "not a CUPS queue", 0},
#else
      {" com1 ", PortForm::kWindowsName, "com1", 0},
      {"\\\\server\\Laser", PortForm::kWindowsName, "\\\\server\\Laser", 0},
      {"LPT0", kInvalid, "not a printer port", 0},
      {"C:\\out.prn", kInvalid, "not a printer port", 0},
      {"\\\\server\\a\\b", kInvalid, "not a printer port", 0},
      {"socket://printer", kInvalid, "Linux only", 0},
#endif
  };
  for (const auto& [text, form, part, port] : rows) {
    const PortValue value = ParsePortValue(text);
    EXPECT_EQ(value.form, form) << text;
    const std::string got = form == kInvalid ? value.error : value.host + value.queue + value.path;
    EXPECT_TRUE(form == kInvalid ? got.find(part) != std::string::npos : got == part)
        << text << ": " << got;
    EXPECT_EQ(value.port, port) << text;
  }
}

#ifndef _WIN32
// Each job goes to the port of the last value; an invalid value neither falls
// back to another port nor keeps the previous one.
TEST(SelectablePort, FollowsTheLastValue) {
  testing::TempDir dir;
  const std::string device = (dir / "lp0").string();
  testing::FifoPrinter device_printer(device);
  testing::LoopbackPrinter printer;
  SelectablePort port;
  EXPECT_EQ(port.selected().form, PortForm::kDefault);
  for (const auto& [value, job, taken] :
       {std::tuple{device, "A", true},
        {"socket://127.0.0.1:" + std::to_string(printer.port()), "B", true},
        {"socket://[::1]:0", "C", false},
        {"lp0", "D", false},
        {device, "E", true}}) {
    port.Select(value);
    EXPECT_EQ(port.WriteJob(job), taken) << value;
    EXPECT_EQ(port.selected().error.empty(), taken) << value;
  }
  EXPECT_EQ(device_printer.Received(), "AE");
  EXPECT_EQ(printer.Jobs(1), std::vector<std::string>{"B"});
}
#endif

}  // namespace
}  // namespace zelora
