// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "printer_inquiry.h"

#include <algorithm>
#include <utility>

#include "pjl_job.h"
#include "port_value.h"
#include "port_writer.h"

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "device_port_writer.h"
#include "posix_file.h"
#include "socket_port.h"
#endif

namespace zelora {

namespace {

using std::chrono::milliseconds;

InquiryResult Failed(InquiryOutcome outcome, std::string reason) {
  return {outcome, {}, std::move(reason)};
}

InquiryResult CannotAnswer(const std::string& port) {
  return Failed(InquiryOutcome::kCannotAnswer,
                port +
                    " cannot answer: only a network printer (socket://HOST) or a device node "
                    "that reads back, such as /dev/usb/lp0, can.");
}

// One command line each: printable ASCII, no spaces at either end.
bool IsVariableName(std::string_view name) {
  return !name.empty() && name.front() != ' ' && name.back() != ' ' &&
         std::all_of(name.begin(), name.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

#ifndef _WIN32
using Clock = std::chrono::steady_clock;

constexpr std::string_view kInquire = "@PJL DINQUIRE ";

// Upper case, without spaces: a printer may echo a command in its own
// spelling ("LPARM : PCL" for "LPARM:PCL", upper case for lower).
std::string Folded(std::string_view text) {
  std::string folded;
  for (const char c : text) {
    if (c == ' ' || c == '\t') continue;
    folded.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  return folded;
}

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// UEL, "@PJL", one DINQUIRE line per variable, UEL: the form of the printers'
// own inquiry examples.
std::string InquiryJob(std::span<const std::string> variables) {
  std::string job(kUel);
  job.append("@PJL\r\n");
  for (const std::string& variable : variables) {
    job.append(kInquire).append(variable).append("\r\n");
  }
  return job.append(kUel);
}

// Each answer is a block ended by a form feed: the command as echoed, CR LF,
// the value, CR LF. Takes the complete blocks from `from` on, gives each
// DINQUIRE answer to the first variable asked that it names and has none yet,
// skips any other block (unsolicited status, an echo), and returns how many
// variables it answered; `from` moves past the blocks taken.
std::size_t TakeAnswers(std::string_view received, std::size_t& from,
                        std::vector<InquiryAnswer>& answers) {
  std::size_t taken = 0;
  for (std::size_t end; (end = received.find('\f', from)) != std::string_view::npos;
       from = end + 1) {
    const std::string_view block = Trimmed(received.substr(from, end - from));
    const std::size_t line_end = std::min(block.find('\n'), block.size());
    const std::string command = Folded(Trimmed(block.substr(0, line_end)));
    for (InquiryAnswer& answer : answers) {
      if (!answer.value && command == Folded(std::string(kInquire) + answer.variable)) {
        answer.value = Trimmed(block.substr(line_end));
        ++taken;
        break;
      }
    }
  }
  return taken;
}

// Linux's majors of the parallel port printer and port drivers.
constexpr unsigned kParallelPrinterMajor = 6;
constexpr unsigned kParallelPortMajor = 99;

bool IsParallelPortName(std::string_view path) {
  for (const std::string_view prefix : {"/dev/lp", "/dev/parport"}) {
    if (path.starts_with(prefix) && path.size() > prefix.size() &&
        std::all_of(path.begin() + static_cast<std::ptrdiff_t>(prefix.size()), path.end(),
                    [](char c) { return c >= '0' && c <= '9'; })) {
      return true;
    }
  }
  return false;
}

// Why the node with this status cannot answer; nullopt when it may. A FIFO
// would hand the job back as the answer.
std::optional<InquiryResult> NodeProblem(const std::string& path, const struct stat& status) {
  if (S_ISFIFO(status.st_mode)) {
    return Failed(InquiryOutcome::kCannotAnswer,
                  path + " is a FIFO, which carries bytes one way only.");
  }
  if (std::string problem = PortFileProblem(path, status); !problem.empty()) {
    return Failed(InquiryOutcome::kCannotAnswer, std::move(problem));
  }
  const unsigned major_number = major(status.st_rdev);
  if (major_number == kParallelPrinterMajor || major_number == kParallelPortMajor) {
    return CannotAnswer(path);
  }
  return std::nullopt;
}

std::string Count(std::size_t answered, std::size_t asked) {
  return std::to_string(answered) + " of " + std::to_string(asked) + " answers";
}

// Sends the job over the open port `fd` and collects the answers until all
// have come, the port ends or the deadline passes.
InquiryResult Exchange(int fd, bool is_socket, const std::string& port,
                       std::span<const std::string> variables, milliseconds bound) {
  const Clock::time_point deadline = Clock::now() + bound;
  const std::string job = InquiryJob(variables);
  for (std::string_view rest = job; !rest.empty();) {
    // MSG_NOSIGNAL: a printer that hung up fails the send instead of raising
    // SIGPIPE.
    const ssize_t sent = is_socket ? ::send(fd, rest.data(), rest.size(), MSG_NOSIGNAL)
                                   : ::write(fd, rest.data(), rest.size());
    if (sent > 0) {
      rest.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      return Failed(InquiryOutcome::kUnreachable,
                    port + " did not take the inquiry: " + std::strerror(errno) + ".");
    }
    if (Clock::now() >= deadline || posix::AwaitEvents(fd, POLLOUT, deadline) == 0) {
      return Failed(InquiryOutcome::kUnreachable, port + " did not take the inquiry within " +
                                                      std::to_string(bound.count()) + " ms.");
    }
  }

  InquiryResult result{InquiryOutcome::kNoAnswer, {}, {}};
  for (const std::string& variable : variables) result.answers.push_back({variable, std::nullopt});
  std::string received;
  std::size_t parsed = 0, answered = 0;
  std::string ended;
  while (answered < variables.size() && ended.empty()) {
    if (posix::AwaitEvents(fd, POLLIN, deadline) == 0) break;
    char buffer[4096];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      received.append(buffer, static_cast<std::size_t>(got));
      answered += TakeAnswers(received, parsed, result.answers);
    } else if (got == 0) {
      ended = " ended the connection";
    } else if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
      ended = std::string(" could not be read: ") + std::strerror(errno) + ",";
    }
  }
  if (answered == variables.size()) {
    result.outcome = InquiryOutcome::kAnswered;
  } else if (!ended.empty()) {
    result.reason = port + ended + " after " + Count(answered, variables.size()) + ".";
  } else {
    result.reason = port + " gave " + Count(answered, variables.size()) + " within " +
                    std::to_string(bound.count()) + " ms.";
  }
  return result;
}

InquiryResult InquireSocket(const PortValue& value, const std::string& port,
                            std::span<const std::string> variables, milliseconds bound) {
  std::string why;
  const posix::UniqueFd fd = ConnectToPrinter(value.host, value.port, SocketTimeouts{}, why);
  if (!fd) return Failed(InquiryOutcome::kUnreachable, port + ": " + why + ".");
  return Exchange(fd.get(), true, port, variables, bound);
}

// Opened as a job would open it: never created, never waiting, locked against
// other programs, and checked on what was opened. Whatever the node held
// before is dropped: answers to an inquiry given up earlier would pass for
// this one's.
InquiryResult InquireNode(const std::string& path, std::span<const std::string> variables,
                          milliseconds bound) {
  if (IsParallelPortName(path)) return CannotAnswer(path);
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    return Failed(InquiryOutcome::kUnreachable, path + ": " + std::strerror(errno) + ".");
  }
  if (auto problem = NodeProblem(path, status)) return std::move(*problem);
  const posix::UniqueFd fd = posix::Open(path, O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (!fd) {
    return Failed(InquiryOutcome::kUnreachable,
                  "cannot open " + path + ": " + std::strerror(errno) + ".");
  }
  int locked = -1;
  do {
    locked = ::flock(fd.get(), LOCK_EX | LOCK_NB);
  } while (locked < 0 && errno == EINTR);
  if (locked < 0) {
    return Failed(InquiryOutcome::kUnreachable, path + " is in use by another program.");
  }
  if (::fstat(fd.get(), &status) != 0) {
    return Failed(InquiryOutcome::kUnreachable, path + ": " + std::strerror(errno) + ".");
  }
  if (auto problem = NodeProblem(path, status)) return std::move(*problem);
  char stale[4096];
  for (int i = 0; i < 16 && ::read(fd.get(), stale, sizeof stale) > 0; ++i) {
  }
  return Exchange(fd.get(), false, path, variables, bound);
}
#endif

}  // namespace

InquiryResult InquireDefaults(std::string_view port_value, std::span<const std::string> variables,
                              [[maybe_unused]] milliseconds bound) {
  if (variables.empty()) return {InquiryOutcome::kAnswered, {}, {}};
  const PortValue value = ParsePortValue(port_value);
  if (value.form == PortForm::kInvalid) return Failed(InquiryOutcome::kCannotAnswer, value.error);
  for (const std::string& variable : variables) {
    if (!IsVariableName(variable)) {
      return Failed(InquiryOutcome::kCannotAnswer, "'" + variable + "' is not a PJL variable.");
    }
  }
  const std::string port = PortDescription(value);
#ifndef _WIN32
  if (value.form == PortForm::kSocket) return InquireSocket(value, port, variables, bound);
  if (value.form == PortForm::kDevice || value.form == PortForm::kDefault) {
    return InquireNode(port, variables, bound);
  }
#endif
  return CannotAnswer(port);
}

bool IsUnknownVariableAnswer(std::string_view value) { return value == "?" || value == "\"?\""; }

}  // namespace zelora
