// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_port_writer.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <utility>

#include "posix_file.h"

#ifndef ZELORA_PORT_DEVICE
#define ZELORA_PORT_DEVICE "/dev/lp0"
#endif

namespace zelora {

namespace {

using std::chrono::milliseconds;

// A write to a pipe whose reader has gone raises SIGPIPE, which would end the
// program. Block it while the connection is open and discard one that its
// writes raised, so a write fails with EPIPE instead. Once per connection, not
// per write: the demonstration page writes byte by byte, and four extra system
// calls a byte would slow it down by a third.
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

class DeviceConnection final : public PortConnection {
 public:
  DeviceConnection(posix::UniqueFd fd, milliseconds write_timeout)
      : fd_(std::move(fd)), write_timeout_(write_timeout) {}

  bool Write(std::string_view bytes) override {
    return posix::WriteAll(fd_.get(), bytes, write_timeout_);
  }

 private:
  ScopedSigpipeBlock no_sigpipe_;
  posix::UniqueFd fd_;  // closing it also drops the lock
  milliseconds write_timeout_;
};

}  // namespace

DevicePortWriter::DevicePortWriter(std::string path, milliseconds write_timeout)
    : path_(std::move(path)), write_timeout_(write_timeout) {}

std::unique_ptr<PortConnection> DevicePortWriter::Open() {
  // No O_CREAT: a missing device must fail. O_NONBLOCK: a FIFO without a
  // reader fails with ENXIO instead of waiting for one. O_APPEND: a file that
  // stands in for the port collects the jobs one after the other.
  posix::UniqueFd fd = posix::Open(path_, O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_APPEND);
  if (!fd) return nullptr;

  // Nobody else may use the port while we write to it; never wait for it.
  int locked = -1;
  do {
    locked = ::flock(fd.get(), LOCK_EX | LOCK_NB);
  } while (locked < 0 && errno == EINTR);
  if (locked < 0) return nullptr;

  // Checked on what was opened, not on the name, so that nothing can be put
  // in the node's place between the check and the writes.
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0 || !PortFileProblem(path_, status).empty()) return nullptr;

  return std::make_unique<DeviceConnection>(std::move(fd), write_timeout_);
}

std::string PortFileProblem(std::string_view path, const struct stat& status) {
  // Linux gives the memory devices major number 1.
  constexpr unsigned kMemoryDevices = 1;
  if (S_ISFIFO(status.st_mode)) return {};
  if (!S_ISCHR(status.st_mode)) {
    return std::string(path) + " is neither a character device nor a FIFO.";
  }
  if (major(status.st_rdev) == kMemoryDevices) {
    return std::string(path) + " is a memory device, which takes every job and prints none.";
  }
  return {};
}

std::unique_ptr<PrinterPort> MakePlatformPortWriter() {
  return std::make_unique<DevicePortWriter>(std::string(BuiltInPortName()));
}

std::string_view BuiltInPortName() { return ZELORA_PORT_DEVICE; }

}  // namespace zelora
