// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cups/http.h>

#include <chrono>
#include <memory>
#include <string>

#include "port_writer.h"
#include "socket_port.h"

namespace zelora {

// How long a CUPS port waits, at most: for the server's name and connection
// as a socket port waits for a printer's, and for each answer of the server
// or each write to it.
struct CupsTimeouts {
  std::chrono::milliseconds resolve = SocketTimeouts::kResolve;
  std::chrono::milliseconds connect = SocketTimeouts::kConnect;
  // A connect's time, not a device write's: the server spools the job and
  // answers at once however slow its printer is, so one silent for longer has
  // stopped, and the window would wait out the limit for each setting sent.
  std::chrono::milliseconds server = SocketTimeouts::kConnect;
};

struct HttpCloser {
  void operator()(http_t* http) const { httpClose(http); }
};
using CupsServerConnection = std::unique_ptr<http_t, HttpCloser>;

// A connection to the CUPS server libcups is set to use: its name looked up
// within timeouts.resolve (libcups would take no limit), connected within
// timeouts.connect, and every later answer awaited for timeouts.server at
// most. Null when the server cannot be reached.
CupsServerConnection ConnectToCupsServer(const CupsTimeouts& timeouts = {});

// A queue of a CUPS print server; each connection is one raw job, which the
// server passes to the printer unchanged. The server is the one libcups is set
// to use: CUPS_SERVER, else the client configuration, else the local server.
//
// Open: fails when the queue does not exist, is stopped or does not accept
// jobs (the server would hold the job rather than print it), or when the
// server cannot be reached. Otherwise creates the job and starts its one
// document.
//
// Write: hands the bytes to the server; true when it took them. The server may
// still refuse the job when it is complete: Finish reports that, so WriteJob
// fails then. A connection destroyed without Finish (the demonstration page)
// completes the job all the same; a refusal then goes unreported, as each of
// its bytes was already reported taken.
//
// A job that failed on the way (a write, or its completion) is cancelled, so
// that no part of it prints.
class CupsPort final : public PrinterPort {
 public:
  explicit CupsPort(std::string queue, CupsTimeouts timeouts = {});

  std::unique_ptr<PortConnection> Open() override;

 private:
  std::string queue_;
  CupsTimeouts timeouts_;
};

}  // namespace zelora
