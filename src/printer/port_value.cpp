// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "port_value.h"

#include <algorithm>
#include <optional>
#include <utility>

#ifdef _WIN32
#include "win_port_writer.h"
#else
#include <arpa/inet.h>

#include "cups_port.h"
#include "device_port_writer.h"
#include "socket_port.h"
#endif

namespace zelora {

namespace {

constexpr std::string_view kSocketScheme = "socket://";
constexpr std::string_view kCupsScheme = "cups://";
#ifdef _WIN32
constexpr std::string_view kForms = "use LPT1 to LPT9, COM1 to COM9, PRN or \\\\server\\printer";
#else
constexpr std::string_view kForms =
    "use a device path such as /dev/usb/lp0, socket://HOST[:PORT] or cups://QUEUE";
#endif

// Character classes of the ASCII forms, whatever the locale says.
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '-' || c == '_' || c == '.'; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return a == b || (IsLetter(a) && IsLetter(b) && (a | 0x20) == (b | 0x20));
         });
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '\'');
  quoted.append(text).push_back('\'');
  return quoted;
}

PortValue Invalid(std::string error) {
  PortValue value;
  value.form = PortForm::kInvalid;
  value.error = std::move(error);
  return value;
}

// "ipp://", "lpd://" and the like: a letter, then letters, digits, '+', '-' or
// '.', before "://".
bool HasScheme(std::string_view value) {
  const std::size_t end = value.find("://");
  return end != std::string_view::npos && end > 0 && IsLetter(value.front()) &&
         std::all_of(value.begin(), value.begin() + static_cast<std::ptrdiff_t>(end),
                     [](char c) { return IsNameChar(c) || c == '+'; });
}

#ifndef _WIN32
// CUPS refuses longer queue names, DNS longer host names and labels.
constexpr std::size_t kMaxQueueName = 127;
constexpr std::size_t kMaxHostName = 253;
constexpr std::size_t kMaxHostLabel = 63;

// Digits only, 1 to 65535.
std::optional<std::uint16_t> ParsePortNumber(std::string_view text) {
  if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), IsDigit)) {
    return std::nullopt;
  }
  unsigned number = 0;
  for (const char c : text) number = number * 10 + static_cast<unsigned>(c - '0');
  if (number == 0 || number > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(number);
}

// A host name in ASCII (a name in another script in its xn-- form) or an
// IPv4 address: labels of letters, digits, '-' and '_' between dots, none of
// them empty or starting or ending with '-'; a final dot is allowed.
bool IsHostName(std::string_view host) {
  if (!host.empty() && host.back() == '.') host.remove_suffix(1);
  if (host.empty() || host.size() > kMaxHostName) return false;
  for (std::size_t start = 0; start <= host.size();) {
    const std::size_t end = std::min(host.find('.', start), host.size());
    const std::string_view label = host.substr(start, end - start);
    if (label.empty() || label.size() > kMaxHostLabel || label.front() == '-' ||
        label.back() == '-' || !std::all_of(label.begin(), label.end(), IsNameChar)) {
      return false;
    }
    start = end + 1;
  }
  return true;
}

// An IPv6 address, perhaps with '%' and the zone (the network interface) of a
// link-local address.
bool IsIpv6Address(std::string_view address) {
  const std::size_t percent = address.find('%');
  if (percent != std::string_view::npos) {
    const std::string_view zone = address.substr(percent + 1);
    if (zone.empty() || !std::all_of(zone.begin(), zone.end(), IsNameChar)) return false;
    address = address.substr(0, percent);
  }
  in6_addr parsed{};
  return ::inet_pton(AF_INET6, std::string(address).c_str(), &parsed) == 1;
}

// What follows "socket://": HOST, HOST:PORT, [IPV6] or [IPV6]:PORT.
PortValue ParseSocket(std::string_view rest) {
  std::string_view host = rest;
  std::optional<std::string_view> port_text;
  if (!rest.empty() && rest.front() == '[') {
    const std::size_t close = rest.find(']');
    if (close == std::string_view::npos) return Invalid("']' is missing in " + Quoted(rest));
    host = rest.substr(1, close - 1);
    const std::string_view after = rest.substr(close + 1);
    if (!after.empty() && after.front() != ':') {
      return Invalid("only ':' and a port number may follow ']' in " + Quoted(rest));
    }
    if (!after.empty()) port_text = after.substr(1);
    if (!IsIpv6Address(host)) return Invalid(Quoted(host) + " is not an IPv6 address");
  } else {
    const std::size_t colon = rest.find(':');
    if (colon != std::string_view::npos) {
      if (rest.find(':', colon + 1) != std::string_view::npos) {
        return Invalid("an IPv6 address goes in brackets, as in socket://[::1]:9100");
      }
      host = rest.substr(0, colon);
      port_text = rest.substr(colon + 1);
    }
    if (host.empty()) return Invalid("no printer host after socket://");
    if (!IsHostName(host)) return Invalid(Quoted(host) + " is not a host name or address");
  }
  PortValue value;
  value.form = PortForm::kSocket;
  value.host = host;
  value.port = kDefaultSocketPort;
  if (port_text) {
    const std::optional<std::uint16_t> port = ParsePortNumber(*port_text);
    if (!port) {
      return Invalid(port_text->empty()
                         ? "no port number after ':'"
                         : Quoted(*port_text) + " is not a port number (1 to 65535)");
    }
    value.port = *port;
  }
  return value;
}

// The names CUPS gives queues: printable, no space, '/', '\', '?', quote or
// '#' (other UTF-8 is fine).
PortValue ParseCups(std::string_view queue) {
  if (queue.empty()) return Invalid("no queue name after cups://");
  const bool valid =
      queue.size() <= kMaxQueueName && std::none_of(queue.begin(), queue.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7f ||
               std::string_view("/\\?'\"#").find(c) != std::string_view::npos;
      });
  if (!valid) {
    return Invalid(
        Quoted(queue) +
        " is not a CUPS queue name (at most 127 characters, no spaces, / \\ ? ' \" or #)");
  }
  PortValue value;
  value.form = PortForm::kCups;
  value.queue = queue;
  return value;
}

#else
// The names the port is opened by as a device: LPT1 to LPT9, COM1 to COM9,
// PRN, and shared printers \\server\printer. Nothing else: the open would make
// a file of any other name and every job would vanish into it.
bool IsWindowsPortName(std::string_view name) {
  if (name.size() == 4 && (StartsWithNoCase(name, "LPT") || StartsWithNoCase(name, "COM"))) {
    return name[3] >= '1' && name[3] <= '9';
  }
  if (name.size() == 3) return StartsWithNoCase(name, "PRN");
  if (name.substr(0, 2) != "\\\\") return false;
  const std::string_view share = name.substr(2);
  const std::size_t separator = share.find('\\');
  return separator != std::string_view::npos && separator > 0 && separator + 1 < share.size() &&
         share.find_first_of("\\/", separator + 1) == std::string_view::npos &&
         share.substr(0, separator).find('/') == std::string_view::npos;
}
#endif

// A port that never opens, for a value that names none.
class NoPort final : public PrinterPort {
 public:
  std::unique_ptr<PortConnection> Open() override { return nullptr; }
};

}  // namespace

PortValue ParsePortValue(std::string_view value) {
  const std::size_t first = value.find_first_not_of(" \t");
  if (first == std::string_view::npos) return PortValue{};
  value = value.substr(first, value.find_last_not_of(" \t") - first + 1);
  if (value.find('\0') != std::string_view::npos) return Invalid("the port holds a NUL character");

  if (StartsWithNoCase(value, kSocketScheme) || StartsWithNoCase(value, kCupsScheme)) {
#ifdef _WIN32
    const std::string_view why = StartsWithNoCase(value, kCupsScheme)
                                     ? "there is no CUPS on Windows; "
                                     : "socket:// ports are available on Linux only; ";
    return Invalid(std::string(why) + std::string(kForms));
#else
    return StartsWithNoCase(value, kSocketScheme) ? ParseSocket(value.substr(kSocketScheme.size()))
                                                  : ParseCups(value.substr(kCupsScheme.size()));
#endif
  }
  if (HasScheme(value)) {
    return Invalid(Quoted(value.substr(0, value.find("://") + 3)) + " ports are not supported; " +
                   std::string(kForms));
  }
  PortValue parsed;
#ifdef _WIN32
  if (!IsWindowsPortName(value)) {
    return Invalid(Quoted(value) + " is not a printer port; " + std::string(kForms));
  }
  parsed.form = PortForm::kWindowsName;
#else
  if (value.front() != '/') {
    return Invalid(Quoted(value) + " is not a printer port: a device path starts with '/'; " +
                   std::string(kForms));
  }
  parsed.form = PortForm::kDevice;
#endif
  parsed.path = value;
  return parsed;
}

std::unique_ptr<PrinterPort> MakePort(const PortValue& value) {
  switch (value.form) {
    case PortForm::kDefault:
      return MakePlatformPortWriter();
#ifdef _WIN32
    case PortForm::kWindowsName:
      return MakeWindowsPort(value.path);
#else
    case PortForm::kDevice:
      return std::make_unique<DevicePortWriter>(value.path);
    case PortForm::kSocket:
      return std::make_unique<SocketPort>(value.host, value.port);
    case PortForm::kCups:
      return std::make_unique<CupsPort>(value.queue);
#endif
    default:
      return std::make_unique<NoPort>();
  }
}

SelectablePort::SelectablePort() : port_(MakePort(selected_)) {}

void SelectablePort::Select(std::string_view value) {
  // Both made before either changes, so that a failure leaves the old choice.
  PortValue parsed = ParsePortValue(value);
  std::unique_ptr<PrinterPort> port = MakePort(parsed);
  selected_ = std::move(parsed);
  port_ = std::move(port);
}

void SelectablePort::SelectNone(std::string why) {
  auto port = std::make_unique<NoPort>();
  selected_ = Invalid(std::move(why));
  port_ = std::move(port);
}

std::string PortDescription(const PortValue& value) {
  switch (value.form) {
    case PortForm::kDefault:
      return std::string(BuiltInPortName());
    case PortForm::kDevice:
    case PortForm::kWindowsName:
      return value.path;
    case PortForm::kSocket:
      return "socket://" +
             (value.host.find(':') != std::string::npos ? "[" + value.host + "]" : value.host) +
             ":" + std::to_string(value.port);
    case PortForm::kCups:
      return "cups://" + value.queue;
    case PortForm::kInvalid:
      break;
  }
  return {};
}

}  // namespace zelora
