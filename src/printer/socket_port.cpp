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
#include <cstring>
#include <ctime>
#include <mutex>
#include <utility>
#include <vector>

namespace zelora {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct AddressListDeleter {
  void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddressListDeleter>;

AddressList LookUpAddress(const std::string& host, const std::string& service) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
  addrinfo* list = nullptr;
  if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &list) != 0) return nullptr;
  return AddressList(list);
}

// A name looked up by glibc on a thread of its own (getaddrinfo_a). That
// thread reads the request and writes the result into it until the lookup
// ends, so the request stays where it is until then, even once given up.
class NameLookup {
 public:
  NameLookup(const std::string& host, const std::string& service) : host_(host), service_(service) {
    hints_.ai_family = AF_UNSPEC;
    hints_.ai_socktype = SOCK_STREAM;
    hints_.ai_flags = AI_NUMERICSERV;
    request_.ar_name = host_.c_str();
    request_.ar_service = service_.c_str();
    request_.ar_request = &hints_;
  }
  NameLookup(const NameLookup&) = delete;
  NameLookup& operator=(const NameLookup&) = delete;
  ~NameLookup() {
    if (Status() == 0) ::freeaddrinfo(request_.ar_result);
  }

  bool Start() {
    gaicb* requests[] = {&request_};
    return ::getaddrinfo_a(GAI_NOWAIT, requests, 1, nullptr) == 0;
  }
  int Status() { return ::gai_error(&request_); }
  // Returns when the lookup ends, `wait` has passed or a signal came.
  void Await(std::chrono::nanoseconds wait) const {
    const auto seconds = std::chrono::floor<std::chrono::seconds>(wait);
    const timespec limit{static_cast<std::time_t>(seconds.count()),
                         static_cast<long>((wait - seconds).count())};
    const gaicb* const requests[] = {&request_};
    ::gai_suspend(requests, 1, &limit);
  }
  // True when glibc will not touch the request again.
  bool Cancel() { return ::gai_cancel(&request_) != EAI_NOTCANCELED; }
  AddressList TakeResult() {
    if (Status() != 0) return nullptr;
    return AddressList(std::exchange(request_.ar_result, nullptr));
  }

 private:
  const std::string host_, service_;
  addrinfo hints_{};
  gaicb request_{};
};

// Lookups given up while glibc still runs them; each is freed by a later
// lookup once it has ended. Never destroyed, as one may still run at exit.
class AbandonedLookups {
 public:
  static AbandonedLookups& Instance() {
    static auto* const instance = new AbandonedLookups;
    return *instance;
  }
  void Keep(std::unique_ptr<NameLookup> lookup) {
    const std::lock_guard lock(mutex_);
    lookups_.push_back(std::move(lookup));
  }
  void FreeEnded() {
    const std::lock_guard lock(mutex_);
    std::erase_if(lookups_, [](const auto& lookup) { return lookup->Status() != EAI_INPROGRESS; });
  }

 private:
  std::mutex mutex_;
  std::vector<std::unique_ptr<NameLookup>> lookups_;
};

// getaddrinfo takes no time limit, and a name server that does not answer
// holds it for as long as the resolver's own retries last. An address needs
// no name server and is converted at once; a name is looked up
// asynchronously and given up after `timeout`: cancelled while it waits for
// glibc's lookup threads, left to end on its own once one runs it.
// On failure `why` says what failed, for the user.
AddressList Resolve(const std::string& host, std::uint16_t port, milliseconds timeout,
                    std::string& why) {
  const std::string service = std::to_string(port);
  if (AddressList numeric = LookUpAddress(host, service)) return numeric;
  AbandonedLookups::Instance().FreeEnded();
  auto lookup = std::make_unique<NameLookup>(host, service);
  if (!lookup->Start()) {
    why = "the host " + host + " cannot be looked up now.";
    return nullptr;
  }
  const Clock::time_point deadline = Clock::now() + timeout;
  while (lookup->Status() == EAI_INPROGRESS) {
    const Clock::duration left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) {
      if (!lookup->Cancel()) AbandonedLookups::Instance().Keep(std::move(lookup));
      why = "looking up " + host + " took too long.";
      return nullptr;
    }
    lookup->Await(left);
  }
  if (const int status = lookup->Status(); status != 0) {
    why = "the host " + host + " cannot be found (" + ::gai_strerror(status) + ").";
    return nullptr;
  }
  return lookup->TakeResult();
}

// Waits until the socket is ready for `events`. False on an error, a hang-up
// or when the deadline passes.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  const short came = posix::AwaitEvents(fd, events, deadline);
  return came != 0 && (came & (POLLERR | POLLHUP | POLLNVAL)) == 0;
}

// A non-blocking connect, so that a printer that does not answer is given up
// at the deadline instead of after the system's own retries. On failure
// `error` says why (ETIMEDOUT at the deadline).
posix::UniqueFd Connect(const addrinfo& address, Clock::time_point deadline, int& error) {
  posix::UniqueFd fd(::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                              address.ai_protocol));
  error = errno;
  if (!fd) return fd;
  if (::connect(fd.get(), address.ai_addr, address.ai_addrlen) == 0) return fd;
  error = errno;
  // Interrupted, a non-blocking connect goes on in the background as well.
  if (errno != EINPROGRESS && errno != EINTR) return posix::UniqueFd();
  const bool ready = WaitFor(fd.get(), POLLOUT, deadline);
  socklen_t length = sizeof error;
  if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
  if (error == 0 && !ready) error = ETIMEDOUT;
  return error == 0 ? std::move(fd) : posix::UniqueFd();
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

posix::UniqueFd ConnectToPrinter(const std::string& host, std::uint16_t port,
                                 const SocketTimeouts& timeouts, std::string& why) {
  std::string unresolved;
  const AddressList addresses = Resolve(host, port, timeouts.resolve, unresolved);
  if (!addresses) {
    why = "the name " + host + " could not be looked up";
    return posix::UniqueFd();
  }
  // One deadline for the whole connect. Each address gets an equal share of
  // the time left, so an address that does not answer (often the IPv6 one)
  // leaves time for the others, while a refusal hands its share on at once.
  const Clock::time_point deadline = Clock::now() + timeouts.connect;
  int left = 0, error = 0;
  for (const addrinfo* a = addresses.get(); a != nullptr; a = a->ai_next) ++left;
  for (const addrinfo* a = addresses.get(); a != nullptr; a = a->ai_next, --left) {
    const Clock::time_point share = Clock::now() + (deadline - Clock::now()) / left;
    if (posix::UniqueFd fd = Connect(*a, share, error)) return fd;
  }
  why = std::string("no connection: ") + std::strerror(error);
  return posix::UniqueFd();
}

std::string HostLookupProblem(const std::string& host, std::chrono::milliseconds timeout) {
  std::string why;
  Resolve(host, 0, timeout, why);
  return why;
}

std::unique_ptr<PortConnection> SocketPort::Open() {
  std::string why;
  posix::UniqueFd fd = ConnectToPrinter(host_, port_, timeouts_, why);
  if (!fd) return nullptr;
  return std::make_unique<SocketConnection>(std::move(fd), timeouts_);
}

}  // namespace zelora
