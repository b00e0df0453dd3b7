// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "port_writer.h"

struct stat;

namespace zelora {

// The printer port as a device node (the first parallel port, or any path that
// stands in for it).
//
// Open: write-only and non-blocking, never creating anything, so a missing node
// fails instead of leaving a regular file that swallows every job, and a FIFO
// without a reader fails at once instead of hanging. The port is then locked
// exclusively without waiting, so a port held by another program fails too.
// What it opened must pass PortFileProblem, or the open fails.
//
// Write: takes the whole job, retrying partial and interrupted writes and
// waiting while the device is busy, until every byte is taken, the device
// reports an error, or write_timeout has passed since the write began.
class DevicePortWriter final : public PrinterPort {
 public:
  static constexpr std::chrono::milliseconds kDefaultWriteTimeout{90'000};

  explicit DevicePortWriter(std::string path,
                            std::chrono::milliseconds write_timeout = kDefaultWriteTimeout);

  std::unique_ptr<PortConnection> Open() override;

 private:
  std::string path_;
  std::chrono::milliseconds write_timeout_;
};

// Why the file `path` with this status cannot be a printer port, in a
// sentence; empty when it can. A port is a character device or a FIFO: a
// regular file, a folder or a link would swallow every job (another user may
// have named the user's own file), and so would the memory devices
// (/dev/null, /dev/zero, /dev/full), which are character devices too.
std::string PortFileProblem(std::string_view path, const struct stat& status);

}  // namespace zelora
