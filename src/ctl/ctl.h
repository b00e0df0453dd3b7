// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "port_tool.h"

namespace zelora {

class RegistryBackend;

// Exit statuses of zeloractl, for scripts.
enum CtlStatus : int {
  kCtlOk = 0,
  kCtlDiffers = 1,        // inquire: the printer holds another value
  kCtlRefused = 2,        // the command line or a value is refused; nothing was sent
  kCtlNotAllowed = 3,     // this user may not store settings; nothing was sent
  kCtlSettingsError = 4,  // the settings cannot be read or written
  kCtlUnreachable = 5,    // the printer did not take a job, or did not answer
  kCtlCannotAnswer = 6,   // inquire: the port cannot carry an answer back
  kCtlOutputError = 7,    // the results cannot be written out
};

// What zeloractl takes from its surroundings besides the settings: put behind
// one struct so that tests can point it at their own files and printers.
struct CtlSurroundings {
  PortSurroundings port;
  // The demonstration page when none is named: looked for in the current
  // directory first, as the window does, then here.
  std::string installed_demo_file;
  // Whether the error output is a terminal (the progress bar is drawn there).
  bool progress_on_terminal = false;
  std::chrono::milliseconds inquire_bound{5000};
};

// zeloractl [--port VALUE [--store]] COMMAND ...; returns the exit status.
// Results go to `out`, messages and progress to `err`.
int RunCtl(std::span<const std::string_view> args, RegistryBackend& settings,
           const CtlSurroundings& surroundings, std::ostream& out, std::ostream& err);

}  // namespace zelora
