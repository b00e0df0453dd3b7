// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "port_tool.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "program_version.h"
#include "registry_backend.h"
#include "registry_error.h"
#include "settings_key.h"
#include "settings_store.h"

namespace zelora {
namespace {

// What differs by platform in the help and in `list`: the value forms follow
// what ParsePortValue takes there.
struct ValueForm {
  std::string_view example, meaning;
};
#ifdef _WIN32
constexpr std::string_view kListed = "printer ports present (LPT1 to LPT9, COM1 to COM9)";
constexpr std::string_view kListHeading = "Printer ports:\n";
constexpr ValueForm kValueForms[] = {
    {"LPT2, COM1, PRN", "a port of this computer"},
    {"\\\\server\\printer", "a shared printer"},
};
constexpr std::string_view kRefusedStatus = "1 value refused or not usable,";
constexpr std::string_view kManual = "";  // no manual pages there
#else
constexpr std::string_view kListed = "printer device nodes present and CUPS destinations";
constexpr std::string_view kListHeading = "Printer device nodes:\n";
constexpr ValueForm kValueForms[] = {
    {"/dev/usb/lp0", "a printer device node"},
    {"socket://HOST[:PORT]", "a network printer, raw TCP (port 9100)"},
    {"cups://QUEUE", "a raw job into a CUPS queue"},
};
constexpr std::string_view kRefusedStatus =
    "1 value refused or not usable or CUPS server not reached,";
constexpr std::string_view kManual = "See zelora-port(1).\n";
#endif

void PrintHelp(std::ostream& out) {
  out << "Usage: zelora-port [show]\n"
         "       zelora-port list\n"
         "       zelora-port set VALUE\n"
         "       zelora-port unset\n"
         "\n"
         "Shows or chooses the printer port Zelora writes to, kept as the value Port\n"
         "of its settings.\n"
         "\n"
         "  show        the port in use and where it comes from (the default command)\n"
         "  list        "
      << kListed << "\n  set VALUE   check VALUE and store it; one of\n";
  for (const ValueForm& form : kValueForms) {
    std::string row(16, ' ');
    row.append(form.example).resize(std::max<std::size_t>(row.size() + 1, 39), ' ');
    out << row << form.meaning << "\n";
  }
  out << "  unset       remove the value: the built-in port again\n"
         "  --help      print this help\n"
         "  --version   print the version\n"
         "\n"
         "Exit status: 0 done, "
      << kRefusedStatus
      << "\n"
         "2 wrong command line, 3 settings may not be written by this user, 4 settings\n"
         "cannot be read or written, 5 results cannot be written out.\n"
      << kManual;
}

int Show(const SettingsStore& store, const PortSurroundings& surroundings, std::ostream& out,
         std::ostream& err) {
  if (const std::string reason = surroundings.settings_unreadable(); !reason.empty()) {
    err << "zelora-port: " << reason << "\n";
    return kPortToolSettingsError;
  }
  const std::string stored = store.LoadPort();
  const PortValue value = ParsePortValue(stored);
  const std::string problem =
      value.form == PortForm::kDevice ? surroundings.never_a_port(value.path) : value.error;
  if (!problem.empty()) {
    out << "Port: " << stored << "\nFrom: the Port value in " << surroundings.settings_location
        << "\n";
    err << "zelora-port: the stored value cannot be used: " << problem
        << (problem.ends_with('.') ? " " : ". ")
        << "Every job fails until it is changed with 'zelora-port set' or "
           "'zelora-port unset'.\n";
    return kPortToolRefused;
  }
  out << "Port: " << PortDescription(value) << "\nFrom: ";
  if (value.form == PortForm::kDefault) {
    out << "built in (no Port value in " << surroundings.settings_location << ")\n";
  } else {
    out << "the Port value in " << surroundings.settings_location << "\n";
  }
  return kPortToolOk;
}

int List(const PortSurroundings& surroundings, std::ostream& out, std::ostream& err) {
  out << kListHeading;
  const std::vector<std::string> nodes = surroundings.device_nodes();
  if (nodes.empty()) out << "  none\n";
  for (const std::string& node : nodes) {
    out << "  " << node << "  " << surroundings.node_note(node) << "\n";
  }
  if (!surroundings.cups_destinations) return kPortToolOk;
  const PortSurroundings::CupsDestinations cups = surroundings.cups_destinations();
  if (!cups.unreachable.empty()) {
    err << "zelora-port: " << cups.unreachable << "\n";
    return kPortToolRefused;
  }
  out << "CUPS destinations:\n";
  if (cups.found.empty()) out << "  none\n";
  for (const auto& destination : cups.found) {
    out << "  cups://" << destination.name << "  " << destination.device_uri << "\n";
  }
  return kPortToolOk;
}

// Who may store, as the settings backend knows it (a group, administrators).
int NotAllowed(RegistryBackend& settings, std::ostream& err) {
  err << "zelora-port: " << settings.WriteRefusal(kSettingsKeyPath) << "\n";
  return kPortToolNotAllowed;
}

int Set(const SettingsStore& store, RegistryBackend& settings, std::string_view text,
        const PortSurroundings& surroundings, std::ostream& out, std::ostream& err) {
  const PortValue value = ParsePortValue(text);
  std::string reason = value.form == PortForm::kInvalid ? value.error : std::string();
  if (reason.empty() && value.form != PortForm::kDefault) reason = surroundings.unreachable(value);
  if (!reason.empty()) {
    err << "zelora-port: '" << text << "' refused: " << reason << "\n";
    return kPortToolRefused;
  }
  if (!store.StorePort(text)) return NotAllowed(settings, err);
  out << "Port: " << PortDescription(value) << "\n";
  return kPortToolOk;
}

}  // namespace

int RunPortTool(std::span<const std::string_view> args, RegistryBackend& settings,
                const PortSurroundings& surroundings, std::ostream& out, std::ostream& err) {
  const auto usage = [&](std::string_view problem) {
    err << "zelora-port: " << problem << "\nTry 'zelora-port --help'.\n";
    return kPortToolUsage;
  };
  const std::string_view command = args.empty() ? "show" : args[0];
  const std::size_t operands = command == "set" ? 2 : 1;
  if (command == "--help" || command == "-h") {
    PrintHelp(out);
    return kPortToolOk;
  }
  if (command == "--version") {
    out << VersionText("zelora-port");
    return kPortToolOk;
  }
  if (command != "show" && command != "list" && command != "set" && command != "unset") {
    return usage("unknown command '" + std::string(command) + "'");
  }
  if (std::max<std::size_t>(args.size(), 1) != operands) {
    return usage(command == "set" ? "set takes one value"
                                  : std::string(command) + " takes no value");
  }
  const SettingsStore store(settings);
  try {
    if (command == "show") return Show(store, surroundings, out, err);
    if (command == "list") return List(surroundings, out, err);
    if (command == "set") return Set(store, settings, args[1], surroundings, out, err);
    if (!store.RemovePort()) return NotAllowed(settings, err);
    out << "Port: " << BuiltInPortName() << " (built in)\n";
    return kPortToolOk;
  } catch (const RegistryError& e) {
    err << "zelora-port: " << e.what() << "\n";
    return kPortToolSettingsError;
  }
}

}  // namespace zelora
