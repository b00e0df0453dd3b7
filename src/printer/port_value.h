// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "port_writer.h"

namespace zelora {

// The printer port a settings value Port names:
//   absent or empty          the built-in port (LPT1, or the device node the
//                            build configured)
//   /dev/usb/lp0             a device node: any absolute path (not on Windows)
//   socket://HOST[:PORT]     a printer on the network, raw TCP, port 9100 when
//                            none is given; an IPv6 address in brackets, as
//                            socket://[fe80::1%eth0]:9100 (Linux only)
//   cups://QUEUE             a raw job into a queue of the CUPS server (Linux
//                            only)
//   LPT2, COM1, PRN,         a Windows port or a shared printer, opened as
//   \\server\printer         LPT1 is (Windows only)
// Spaces and tabs around the value are ignored.
enum class PortForm { kDefault, kDevice, kSocket, kCups, kWindowsName, kInvalid };

inline constexpr std::uint16_t kDefaultSocketPort = 9100;

struct PortValue {
  PortForm form = PortForm::kDefault;
  std::string host;        // kSocket: a name or an address, without brackets
  std::uint16_t port = 0;  // kSocket: the TCP port
  std::string queue;       // kCups
  std::string path;        // kDevice: the device node; kWindowsName: the name
  std::string error;       // kInvalid: why, in a sentence for the user

  bool operator==(const PortValue&) const = default;
};

PortValue ParsePortValue(std::string_view value);

// The port as the user sees it: the built-in port's name, the device or
// Windows name, socket://HOST:PORT (an address in brackets) or cups://QUEUE;
// empty for an invalid value.
std::string PortDescription(const PortValue& value);

// The port the value names; for an invalid value, a port that never opens.
std::unique_ptr<PrinterPort> MakePort(const PortValue& value);

// The printer port of the settings value Port, kept as one object that the
// window holds and selects again whenever it loads the settings.
//
// An invalid value selects a port that never opens, so every job fails with
// the transmission error and no setting is stored as sent. Falling back to
// the built-in port instead could hand the jobs to whatever printer is there,
// or to none, and still record them as sent. selected().error says what is
// wrong with the value.
class SelectablePort final : public PrinterPort {
 public:
  SelectablePort();  // the built-in port

  // A connection already open stays with the port it was opened on.
  void Select(std::string_view value);
  // No port at all, while the value cannot be known (it cannot be read):
  // `why` becomes selected().error.
  void SelectNone(std::string why);
  const PortValue& selected() const { return selected_; }

  std::unique_ptr<PortConnection> Open() override { return port_->Open(); }

 private:
  PortValue selected_;
  std::unique_ptr<PrinterPort> port_;
};

}  // namespace zelora
