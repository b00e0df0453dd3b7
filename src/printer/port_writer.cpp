// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "port_writer.h"

namespace zelora {

bool PrinterPort::WriteJob(std::string_view job) {
  if (job.size() > kMaxJobLength) return false;
  try {
    const std::unique_ptr<PortConnection> connection = Open();
    return connection != nullptr && connection->Write(job) && connection->Finish();
  } catch (...) {
    // Out of memory while opening: the job did not reach the printer.
    return false;
  }
}

}  // namespace zelora
