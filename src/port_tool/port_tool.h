// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "port_value.h"

namespace zelora {

class RegistryBackend;

// What the port tool learns from the system, apart from the settings: put
// behind functions so that the checks can be run on a test's own files.
struct PortSurroundings {
  // Where the settings are, for messages.
  std::string settings_location;
  // Why settings that are there cannot be read by this user, or empty when
  // they can or are absent: such settings would otherwise look like none.
  std::function<std::string()> settings_unreadable;
  // Why the value cannot reach a printer (a device node that is missing or
  // cannot be a port, a CUPS destination the server does not know or a server
  // that cannot be reached, a host name that does not resolve), or empty when
  // it can.
  std::function<std::string(const PortValue&)> unreachable;
  // Why the device node at `path` can never be a port (PortFileProblem), or
  // empty: a node that is missing now may be a printer that is switched off.
  std::function<std::string(const std::string& path)> never_a_port;
  // The printer device nodes (on Windows, the ports) present, each with a
  // note for `list`: whether this user may write it, or the device it stands
  // for.
  std::function<std::vector<std::string>()> device_nodes;
  std::function<std::string(const std::string& node)> node_note;
  struct Destination {
    std::string name;
    std::string device_uri;
  };
  struct CupsDestinations {
    std::vector<Destination> found;
    std::string unreachable;  // why the server could not be asked, or empty
  };
  // Empty where there is no CUPS.
  std::function<CupsDestinations()> cups_destinations;
};

// Exit statuses of zelora-port.
enum PortToolStatus : int {
  kPortToolOk = 0,
  // The value is not one a printer can be reached by, or the CUPS server
  // cannot be asked.
  kPortToolRefused = 1,
  kPortToolUsage = 2,          // the command line is wrong
  kPortToolNotAllowed = 3,     // this user may not store settings
  kPortToolSettingsError = 4,  // the settings cannot be read or written
  kPortToolOutputError = 5     // the results cannot be written out
};

// zelora-port [show | list | set VALUE | unset | --help | --version]; returns
// the exit status. Messages for the user go to `err`, results to `out`.
int RunPortTool(std::span<const std::string_view> args, RegistryBackend& settings,
                const PortSurroundings& surroundings, std::ostream& out, std::ostream& err);

#ifdef _WIN32
// The checks and lists of this Windows system: its LPT and COM ports, the
// settings key in the registry.
PortSurroundings WindowsSurroundings();
#else
// The checks and lists of this system: device nodes under /dev, the CUPS
// server libcups is set to use, the resolver, the settings file at
// `settings_file`.
PortSurroundings SystemSurroundings(std::string settings_file);
#endif

}  // namespace zelora
