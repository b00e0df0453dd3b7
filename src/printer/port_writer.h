// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace zelora {

// The longest job the port takes; no job this program builds exceeds 76 bytes.
inline constexpr std::size_t kMaxJobLength = 100;

// Writes one job to the printer port: open, write, close. Never throws and
// never shows anything; the caller reports a failure.
class PortWriter {
 public:
  virtual ~PortWriter() = default;
  // True when the port opened and took the whole job.
  virtual bool WriteJob(std::string_view job) = 0;
};

// The printer port held open, exclusively, for a stream of writes (the
// demonstration page writes byte by byte). Destroying it closes the port.
class PortConnection {
 public:
  PortConnection() = default;
  PortConnection(const PortConnection&) = delete;
  PortConnection& operator=(const PortConnection&) = delete;
  virtual ~PortConnection() = default;

  // True when the port took all of `bytes`.
  virtual bool Write(std::string_view bytes) = 0;

  // Ends the transfer after the last Write and says whether the port took it
  // as a whole. A device has taken the bytes for good once each Write
  // succeeded; a printer on a socket may have dropped the connection since;
  // a print server takes a job only when it is complete, and may still refuse
  // it here. Destroying the connection without Finish ends the transfer all
  // the same, unreported.
  virtual bool Finish() { return true; }
};

// The platform's printer port. WriteJob is one Open, one Write and Finish, so
// both ways of reaching the port use the same open parameters.
class PrinterPort : public PortWriter {
 public:
  // nullptr when the port cannot be opened (missing, held by another program,
  // access refused).
  virtual std::unique_ptr<PortConnection> Open() = 0;

  // A job longer than kMaxJobLength is refused without opening the port.
  bool WriteJob(std::string_view job) final;
};

// The port of this platform: LPT1 on Windows, the configured device node
// elsewhere.
std::unique_ptr<PrinterPort> MakePlatformPortWriter();
// Its name, as the user sees it.
std::string_view BuiltInPortName();

}  // namespace zelora
