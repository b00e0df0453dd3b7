// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What zelora-port checks and lists on Windows.
#include <windows.h>

#include <string>
#include <vector>

#include "port_tool.h"
#include "settings_key.h"

namespace zelora {
namespace {

// The device the DOS name stands for (its first target, the one in use), or
// empty when Windows knows no such name.
std::string DosDeviceTarget(const std::string& name) {
  std::vector<char> target(32768);  // the longest path the object manager takes
  if (QueryDosDeviceA(name.c_str(), target.data(), static_cast<DWORD>(target.size())) == 0) {
    return {};
  }
  return target.data();
}

// The ports ParsePortValue takes by number, those Windows knows now.
std::vector<std::string> PortsPresent() {
  std::vector<std::string> ports;
  for (const char* kind : {"LPT", "COM"}) {
    for (char number = '1'; number <= '9'; ++number) {
      const std::string name = kind + std::string(1, number);
      if (!DosDeviceTarget(name).empty()) ports.push_back(name);
    }
  }
  return ports;
}

}  // namespace

PortSurroundings WindowsSurroundings() {
  PortSurroundings surroundings;
  surroundings.settings_location = "HKEY_LOCAL_MACHINE\\" + std::string(kSettingsKeyPath);
  // The registry backend's ReadRefusal already makes such a key an error.
  surroundings.settings_unreadable = [] { return std::string(); };
  // A name of a port's form is all that is checked. Opening the port to see
  // would raise a serial port's control lines or could start an empty job on
  // a shared printer, and a port that is not there now may be mapped later
  // (net use LPT2 ...); Wine maps its ports where QueryDosDevice does not see
  // them.
  surroundings.unreachable = [](const PortValue&) { return std::string(); };
  surroundings.never_a_port = [](const std::string&) { return std::string(); };
  surroundings.device_nodes = PortsPresent;
  surroundings.node_note = DosDeviceTarget;
  return surroundings;
}

}  // namespace zelora
