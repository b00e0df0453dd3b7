// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What zelora-port checks and lists on this system.
#include <cups/cups.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <regex>
#include <system_error>

#include "cups_port.h"
#include "device_port_writer.h"
#include "port_tool.h"
#include "socket_port.h"

namespace zelora {
namespace {

// Parallel-port and USB printer nodes, as the kernel names them.
std::vector<std::string> PrinterDeviceNodes() {
  std::vector<std::string> nodes;
  const std::regex printer("lp[0-9]+");
  for (const char* folder : {"/dev", "/dev/usb"}) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      if (std::regex_match(entry.path().filename().string(), printer)) {
        nodes.push_back(entry.path().string());
      }
    }
  }
  std::sort(nodes.begin(), nodes.end());
  return nodes;
}

// The device port writer's own rule; a missing node is a problem only when
// `missing_counts`.
std::string DeviceProblem(const std::string& path, bool missing_counts) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    return missing_counts ? path + ": " + std::strerror(errno) + "." : std::string();
  }
  return PortFileProblem(path, status);
}

std::string HostProblem(const std::string& host) {
  return HostLookupProblem(host, SocketTimeouts::kResolve);
}

// The CUPS server libcups is set to use, as messages name it.
std::string CupsServerName() {
  const std::string server = cupsServer();
  return server.starts_with('/') ? server : server + ":" + std::to_string(ippPort());
}

// A connection to the CUPS server within the port's own time-outs, or null
// and why not. libcups's own calls would answer for a server they cannot
// reach as for one without destinations.
CupsServerConnection ConnectToCups(std::string& unreachable) {
  CupsServerConnection http = ConnectToCupsServer();
  if (!http) unreachable = "the CUPS server " + CupsServerName() + " cannot be reached.";
  return http;
}

std::string QueueProblem(const std::string& queue) {
  std::string unreachable;
  const CupsServerConnection http = ConnectToCups(unreachable);
  if (!http) return unreachable;
  cups_dest_t* destination = cupsGetNamedDest(http.get(), queue.c_str(), nullptr);
  if (destination == nullptr) {
    return "the CUPS server " + CupsServerName() + " has no destination " + queue + ".";
  }
  cupsFreeDests(1, destination);
  return {};
}

PortSurroundings::CupsDestinations CupsDestinations() {
  PortSurroundings::CupsDestinations result;
  const CupsServerConnection http = ConnectToCups(result.unreachable);
  if (!http) return result;
  cups_dest_t* destinations = nullptr;
  const int count = cupsGetDests2(http.get(), &destinations);
  for (int i = 0; i < count; ++i) {
    const cups_dest_t& destination = destinations[i];
    if (destination.instance != nullptr) continue;  // the same queue again
    const char* uri = cupsGetOption("device-uri", destination.num_options, destination.options);
    result.found.push_back({destination.name, uri != nullptr ? uri : "(device not shown)"});
  }
  cupsFreeDests(count, destinations);
  return result;
}

}  // namespace

PortSurroundings SystemSurroundings(std::string settings_file) {
  PortSurroundings surroundings;
  surroundings.settings_unreadable = [settings_file]() -> std::string {
    if (::faccessat(AT_FDCWD, settings_file.c_str(), R_OK, AT_EACCESS) == 0 || errno == ENOENT) {
      return {};
    }
    return "cannot read " + settings_file + ": " + std::strerror(errno) + ".";
  };
  surroundings.settings_location = std::move(settings_file);
  surroundings.unreachable = [](const PortValue& value) -> std::string {
    switch (value.form) {
      case PortForm::kDevice:
        return DeviceProblem(value.path, /*missing_counts=*/true);
      case PortForm::kSocket:
        return HostProblem(value.host);
      case PortForm::kCups:
        return QueueProblem(value.queue);
      default:
        return {};
    }
  };
  surroundings.never_a_port = [](const std::string& path) {
    return DeviceProblem(path, /*missing_counts=*/false);
  };
  surroundings.device_nodes = PrinterDeviceNodes;
  surroundings.node_note = [](const std::string& path) -> std::string {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? "writable"
                                                                      : "not writable by this user";
  };
  surroundings.cups_destinations = CupsDestinations;
  return surroundings;
}

}  // namespace zelora
