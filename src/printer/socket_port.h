// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "device_port_writer.h"
#include "port_writer.h"
#include "posix_file.h"

namespace zelora {

// How long a socket port waits, at most, for each step. A name server that
// does not answer would hold the lookup for half a minute or more, and an
// unplugged printer the connect for two minutes; the user waits for either.
struct SocketTimeouts {
  static constexpr std::chrono::milliseconds kResolve{5'000};
  static constexpr std::chrono::milliseconds kConnect{5'000};
  static constexpr std::chrono::milliseconds kAcknowledge{5'000};

  std::chrono::milliseconds resolve = kResolve;
  // For all of the host's addresses together.
  std::chrono::milliseconds connect = kConnect;
  // For each Write, as on a device.
  std::chrono::milliseconds write = DevicePortWriter::kDefaultWriteTimeout;
  // For the printer to acknowledge the whole job once it is sent (Finish).
  // A printer that answers at all does so within a round trip or its delayed
  // acknowledgement; one that does not must not keep the user waiting.
  std::chrono::milliseconds acknowledge = kAcknowledge;
};

// A printer on the network, reached through a raw TCP connection (the printer's
// print port, 9100 on most printers). Nothing is ever read from it.
//
// Open: looks the host up (a name or an IPv4 or IPv6 address), then connects
// to each of its addresses in turn until one takes the connection. Each Open
// is a connection of its own, so each job through WriteJob is one connection
// and the demonstration page streams over one.
//
// Write: sends every byte, waiting while the printer's buffers are full, until
// all are sent, the connection fails or the write time-out has passed. A
// printer that went away fails the write; it never raises SIGPIPE.
//
// Finish says that nothing more comes (the printer sees the end of the job)
// and waits, up to the acknowledge time-out, until the printer has
// acknowledged every byte and that end. Only then is a job written: bytes in
// this system's send buffer are not yet the printer's, and a printer that
// closes without reading or resets the connection part-way does so after
// the last send returned. A reset fails the job. Destroying the connection
// without Finish ends the job at once and waits for nothing.
class SocketPort final : public PrinterPort {
 public:
  SocketPort(std::string host, std::uint16_t port, SocketTimeouts timeouts = {});

  std::unique_ptr<PortConnection> Open() override;

 private:
  std::string host_;
  std::uint16_t port_;
  SocketTimeouts timeouts_;
};

// Open's first step, for a caller that also reads the printer's answers: looks
// the host up and connects within the time-outs. The socket is non-blocking;
// on failure it is empty and `why` says what failed, for the user.
posix::UniqueFd ConnectToPrinter(const std::string& host, std::uint16_t port,
                                 const SocketTimeouts& timeouts, std::string& why);

// Looks the host up as Open does, given up after `timeout`: empty when it
// resolves, otherwise why not, for the user.
std::string HostLookupProblem(const std::string& host, std::chrono::milliseconds timeout);

}  // namespace zelora
