#include "device_port_writer.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <thread>
#include <utility>

#ifndef ZELORA_PORT_DEVICE
#define ZELORA_PORT_DEVICE "/dev/lp0"
#endif

namespace zelora {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Some device drivers report a port as writable while they still refuse bytes;
// this pause keeps such a port from spinning the processor until the deadline.
constexpr milliseconds kBusyPause{10};

class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&&) = delete;
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);  // closing also drops the lock
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// A write to a pipe whose reader has gone raises SIGPIPE, which would end the
// program. Block it around the write and discard one that this write raised,
// so the write fails with EPIPE instead.
class ScopedSigpipeBlock {
 public:
  ScopedSigpipeBlock() {
    sigemptyset(&sigpipe_);
    sigaddset(&sigpipe_, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &sigpipe_, &previous_mask_);
    was_pending_ = IsPending();
  }
  ScopedSigpipeBlock(const ScopedSigpipeBlock&) = delete;
  ScopedSigpipeBlock& operator=(const ScopedSigpipeBlock&) = delete;
  ~ScopedSigpipeBlock() {
    if (!was_pending_ && IsPending()) {
      const timespec no_wait{};
      while (sigtimedwait(&sigpipe_, nullptr, &no_wait) < 0 && errno == EINTR) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &previous_mask_, nullptr);
  }

 private:
  static bool IsPending() {
    sigset_t pending;
    sigemptyset(&pending);
    return sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
  }

  sigset_t sigpipe_{};
  sigset_t previous_mask_{};
  bool was_pending_ = false;
};

int PollMilliseconds(Clock::duration remaining) {
  const auto ms = std::chrono::ceil<milliseconds>(remaining).count();
  return static_cast<int>(std::clamp<decltype(ms)>(ms, 0, INT_MAX));
}

// Waits until the device can take bytes. False on a device error, a hang-up
// (the reader of a FIFO went away) or when the deadline passes.
bool WaitWritable(int fd, Clock::time_point deadline) {
  for (;;) {
    const auto remaining = deadline - Clock::now();
    if (remaining <= Clock::duration::zero()) return false;
    pollfd entry{fd, POLLOUT, 0};
    const int ready = ::poll(&entry, 1, PollMilliseconds(remaining));
    if (ready < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (ready == 0) continue;  // the deadline check above ends it
    if ((entry.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return false;
    if ((entry.revents & POLLOUT) != 0) return true;
  }
}

bool WriteAll(int fd, std::string_view bytes, milliseconds timeout) {
  const ScopedSigpipeBlock no_sigpipe;
  const Clock::time_point deadline = Clock::now() + timeout;
  std::size_t done = 0;
  bool refused_since_last_progress = false;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      refused_since_last_progress = false;
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
    // The device took nothing this time: wait for it, but never past the deadline.
    if (refused_since_last_progress) {
      const auto remaining = deadline - Clock::now();
      if (remaining <= Clock::duration::zero()) return false;
      std::this_thread::sleep_for(std::min<Clock::duration>(remaining, kBusyPause));
    }
    refused_since_last_progress = true;
    if (!WaitWritable(fd, deadline)) return false;
  }
  return true;
}

class DeviceConnection final : public PortConnection {
 public:
  DeviceConnection(UniqueFd fd, milliseconds write_timeout)
      : fd_(std::move(fd)), write_timeout_(write_timeout) {}

  bool Write(std::string_view bytes) override { return WriteAll(fd_.get(), bytes, write_timeout_); }

 private:
  UniqueFd fd_;
  milliseconds write_timeout_;
};

}  // namespace

DevicePortWriter::DevicePortWriter(std::string path, milliseconds write_timeout)
    : path_(std::move(path)), write_timeout_(write_timeout) {}

std::unique_ptr<PortConnection> DevicePortWriter::Open() {
  // No O_CREAT: a missing device must fail. O_NONBLOCK: a FIFO without a
  // reader fails with ENXIO instead of waiting for one. O_APPEND: a file that
  // stands in for the port collects the jobs one after the other.
  int raw = -1;
  do {
    raw = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_APPEND);
  } while (raw < 0 && errno == EINTR);
  if (raw < 0) return nullptr;
  UniqueFd fd(raw);

  // Nobody else may use the port while we write to it; never wait for it.
  int locked = -1;
  do {
    locked = ::flock(fd.get(), LOCK_EX | LOCK_NB);
  } while (locked < 0 && errno == EINTR);
  if (locked < 0) return nullptr;

  return std::make_unique<DeviceConnection>(std::move(fd), write_timeout_);
}

std::unique_ptr<PrinterPort> MakePlatformPortWriter() {
  return std::make_unique<DevicePortWriter>(ZELORA_PORT_DEVICE);
}

}  // namespace zelora
