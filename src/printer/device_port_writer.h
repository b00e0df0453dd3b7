// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "port_writer.h"

namespace zelora {

// The printer port as a device node (the first parallel port, or any path that
// stands in for it).
//
// Open: write-only and non-blocking, never creating anything, so a missing node
// fails instead of leaving a regular file that swallows every job, and a FIFO
// without a reader fails at once instead of hanging. The port is then locked
// exclusively without waiting, so a port held by another program fails too.
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

}  // namespace zelora
