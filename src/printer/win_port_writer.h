// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "port_writer.h"

namespace zelora {

// A Windows printer port by name (LPT1, LPT2, COM1, \\server\printer), opened
// as the built-in LPT1 is. Windows only.
std::unique_ptr<PrinterPort> MakeWindowsPort(std::string name);

}  // namespace zelora
