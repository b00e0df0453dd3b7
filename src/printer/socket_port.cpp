// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "socket_port.h"

#include <linux/sockios.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>

#include "call_within.h"
#include "posix_file.h"

namespace zelora {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct AddressListDeleter {
  void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddressListDeleter>;

AddressList Lookup(const std::string& host, const std::string& service, int flags) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = flags | AI_NUMERICSERV;
  addrinfo* list = nullptr;
  if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &list) != 0) return nullptr;
  return AddressList(list);
}

// getaddrinfo takes no time limit, and a name server that does not answer
// holds it for as long as the resolver's own retries last. An address needs
// no name server and is converted at once; a name is looked up on a helper
// thread that is given up after `timeout` (see CallWithin).
AddressList Resolve(const std::string& host, std::uint16_t port, milliseconds timeout) {
  const std::string service = std::to_string(port);
  if (AddressList numeric = Lookup(host, service, AI_NUMERICHOST)) return numeric;
  std::optional<AddressList> found =
      CallWithin(timeout, [host, service] { return Lookup(host, service, 0); });
  return found ? std::move(*found) : nullptr;
}

// Waits until the socket is ready for `events`. False on an error, a hang-up
// or when the deadline passes.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const auto remaining = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
    if (remaining <= 0) return false;
    pollfd entry{fd, events, 0};
    const int ready =
        ::poll(&entry, 1, static_cast<int>(std::min<decltype(remaining)>(remaining, INT_MAX)));
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    return (entry.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0;
  }
}

// A non-blocking connect, so that a printer that does not answer is given up
// at the deadline instead of after the system's own retries.
posix::UniqueFd Connect(const addrinfo& address, Clock::time_point deadline) {
  posix::UniqueFd fd(::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                              address.ai_protocol));
  if (!fd) return fd;
  if (::connect(fd.get(), address.ai_addr, address.ai_addrlen) == 0) return fd;
  // Interrupted, a non-blocking connect goes on in the background as well.
  if (errno != EINPROGRESS && errno != EINTR) return posix::UniqueFd();
  int error = 0;
  socklen_t length = sizeof error;
  if (!WaitFor(fd.get(), POLLOUT, deadline) ||
      ::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
    return posix::UniqueFd();
  }
  return fd;
}

class SocketConnection final : public PortConnection {
 public:
  SocketConnection(posix::UniqueFd fd, const SocketTimeouts& timeouts)
      : fd_(std::move(fd)), timeouts_(timeouts) {}
  ~SocketConnection() override {
    if (!finished_) ::shutdown(fd_.get(), SHUT_WR);
  }

  // MSG_NOSIGNAL: a printer that closed the connection fails the send with
  // EPIPE instead of raising SIGPIPE, at no cost per call (the device port has
  // to block the signal for that).
  bool Write(std::string_view bytes) override {
    // From the second write on, full segments only: the demonstration page
    // comes one byte per write, and without this each segment after the first
    // would wait for the printer's (often delayed) acknowledgement. Finish and
    // the close send what is left at once. A job, one write, needs no hold.
    if (writes_++ == 1) {
      const int on = 1;
      ::setsockopt(fd_.get(), IPPROTO_TCP, TCP_CORK, &on, sizeof on);
    }
    const Clock::time_point deadline = Clock::now() + timeouts_.write;
    while (!bytes.empty()) {
      const ssize_t sent = ::send(fd_.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (sent > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(sent));
        continue;
      }
      if (sent < 0 && errno == EINTR) continue;
      if (sent == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) return false;
      if (!WaitFor(fd_.get(), POLLOUT, deadline)) return false;
    }
    return true;
  }

  // The printer sees the end of the job; true once it has acknowledged all of
  // it, end included. Its system acknowledges bytes as they arrive, read or
  // not, but the end only when the printer closes after reading to it, or a
  // moment later if it holds the connection open; a printer that drops the job
  // resets the connection instead.
  bool Finish() override {
    finished_ = true;
    if (::shutdown(fd_.get(), SHUT_WR) != 0) return false;
    const Clock::time_point deadline = Clock::now() + timeouts_.acknowledge;
    bool hung_up = false;
    for (;;) {
      int error = 0, unacknowledged = 0;
      socklen_t length = sizeof error;
      if (::getsockopt(fd_.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0 ||
          ::ioctl(fd_.get(), SIOCOUTQ, &unacknowledged) != 0) {
        return false;
      }
      if (unacknowledged == 0) return true;
      const auto remaining = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
      if (remaining <= 0) return false;
      // The printer's end or a reset wakes the poll, an acknowledgement alone
      // does not: hence the short step. Once the printer's end has come the
      // socket stays ready, so the wait is the step alone.
      pollfd entry{fd_.get(), POLLRDHUP, 0};
      const auto step = static_cast<int>(std::min<decltype(remaining)>(remaining, 5));
      if (::poll(&entry, hung_up ? 0 : 1, step) > 0) hung_up = true;
    }
  }

 private:
  posix::UniqueFd fd_;
  SocketTimeouts timeouts_;
  std::size_t writes_ = 0;
  bool finished_ = false;
};

}  // namespace

SocketPort::SocketPort(std::string host, std::uint16_t port, SocketTimeouts timeouts)
    : host_(std::move(host)), port_(port), timeouts_(timeouts) {}

std::unique_ptr<PortConnection> SocketPort::Open() {
  const AddressList addresses = Resolve(host_, port_, timeouts_.resolve);
  // One deadline for the whole connect. Each address gets an equal share of
  // the time left, so an address that does not answer (often the IPv6 one)
  // leaves time for the others, while a refusal hands its share on at once.
  const Clock::time_point deadline = Clock::now() + timeouts_.connect;
  int left = 0;
  for (const addrinfo* a = addresses.get(); a != nullptr; a = a->ai_next) ++left;
  for (const addrinfo* a = addresses.get(); a != nullptr; a = a->ai_next, --left) {
    const Clock::time_point share = Clock::now() + (deadline - Clock::now()) / left;
    if (posix::UniqueFd fd = Connect(*a, share)) {
      return std::make_unique<SocketConnection>(std::move(fd), timeouts_);
    }
  }
  return nullptr;
}

}  // namespace zelora
