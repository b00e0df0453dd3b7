// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "loopback_printer.h"

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace zelora::testing {
namespace {

int Socket(int family, bool small_buffer) {
  const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0), one = 1, small = 4096;
  // A printer that never reads stalls the sender sooner.
  if (small_buffer) ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
  if (family == AF_INET6) ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one);
  return fd;
}

}  // namespace

LoopbackPrinter::LoopbackPrinter(Mode mode,
                                 std::optional<std::map<std::string, std::string>> answers)
    : mode_(mode), answers_(std::move(answers)) {
  sockaddr_in v4{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  sockaddr_in6 v6{AF_INET6, 0, 0, in6addr_loopback, 0};
  for (int attempt = 0; attempt < 20; ++attempt) {
    for (const int fd : listeners_) ::close(fd);
    listeners_ = {Socket(AF_INET, mode == Mode::kNeverRead),
                  Socket(AF_INET6, mode == Mode::kNeverRead)};
    socklen_t length = sizeof v4;
    v4.sin_port = 0;
    if (::bind(listeners_[0], reinterpret_cast<sockaddr*>(&v4), length) != 0 ||
        ::getsockname(listeners_[0], reinterpret_cast<sockaddr*>(&v4), &length) != 0) {
      throw std::runtime_error("no loopback port");
    }
    v6.sin6_port = port_ = v4.sin_port;
    if (::bind(listeners_[1], reinterpret_cast<sockaddr*>(&v6), sizeof v6) == 0) break;
    if (errno == EADDRINUSE) continue;  // another program has the port on ::1
    ::close(listeners_[1]);             // no IPv6 here
    listeners_.pop_back();
    break;
  }
  port_ = ntohs(port_);
  if (mode == Mode::kRefuse) return;
  // A full accept queue drops connects, which then retry a second later: ample
  // room, as the sender may run well ahead of this printer.
  for (const int fd : listeners_) ::listen(fd, mode == Mode::kNeverAccept ? 0 : SOMAXCONN);
  if (mode == Mode::kNeverAccept) {  // a backlog of 0 still takes this one connection
    held_.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    ::connect(held_[0], reinterpret_cast<sockaddr*>(&v4), sizeof v4);
    return;
  }
  for (const int fd : listeners_) threads_.emplace_back([this, fd] { Serve(fd); });
}

LoopbackPrinter::~LoopbackPrinter() {
  for (const int fd : listeners_) ::shutdown(fd, SHUT_RDWR);  // ends a waiting accept
  for (std::thread& thread : threads_) thread.join();
  for (const int fd : listeners_) ::close(fd);
  for (const int fd : held_) ::close(fd);
}

std::vector<std::string> LoopbackPrinter::Jobs(std::size_t count,
                                               std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  ended_changed_.wait_for(lock, timeout, [&] { return ended_.size() >= count; });
  return ended_;
}

void LoopbackPrinter::Serve(int listener) {
  for (int client; (client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
    std::string bytes = answers_ ? ServeAnswers(client, *answers_) : "";
    char buffer[65536];
    for (ssize_t n;
         (mode_ == Mode::kRecord || (mode_ == Mode::kCloseEarly && bytes.size() < 1000)) &&
         (n = ::read(client, buffer, sizeof buffer)) > 0;) {
      bytes.append(buffer, static_cast<std::size_t>(n));
    }
    const linger reset{1, 0};  // the close then resets the connection
    if (mode_ == Mode::kResetAfter5 && ::read(client, buffer, 5) >= 0) {
      ::setsockopt(client, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    }
    const std::lock_guard lock(mutex_);
    if (mode_ == Mode::kNeverRead) {
      held_.push_back(client);
      continue;
    }
    ::close(client);
    ended_.push_back(std::move(bytes));
    ended_changed_.notify_all();
  }
}

std::string ServeAnswers(int fd, const std::map<std::string, std::string>& answers) {
  sigset_t sigpipe;  // an asker that hung up fails the write instead
  sigemptyset(&sigpipe);
  sigaddset(&sigpipe, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &sigpipe, nullptr);
  std::string bytes;
  char buffer[4096];
  std::size_t line = 0;
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end; (end = bytes.find('\n', line)) != std::string::npos; line = end + 1) {
      std::string command = bytes.substr(line, end - line);
      if (command.ends_with('\r')) command.pop_back();
      command.erase(0, command.find("@PJL"));  // after the UEL
      for (const std::string verb : {"@PJL DINQUIRE ", "@PJL INQUIRE "}) {
        if (!command.starts_with(verb)) continue;
        const auto value = answers.find(command.substr(verb.size()));
        const std::string answer =
            command + "\r\n" + (value == answers.end() ? "\"?\"" : value->second) + "\r\n\f";
        if (::write(fd, answer.data(), answer.size()) < 0) return bytes;
      }
    }
  }
  return bytes;
}

}  // namespace zelora::testing
