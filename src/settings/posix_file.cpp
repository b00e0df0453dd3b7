// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "posix_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <thread>
#include <utility>

namespace zelora::posix {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Some device drivers report a port as writable while they still refuse bytes;
// this pause keeps such a descriptor from spinning the processor until the
// deadline.
constexpr milliseconds kBusyPause{10};

int PollMilliseconds(Clock::duration remaining) {
  const auto ms = std::chrono::ceil<milliseconds>(remaining).count();
  return static_cast<int>(std::clamp<decltype(ms)>(ms, 0, INT_MAX));
}

// Waits until the descriptor can take bytes. False on an error, a hang-up
// (the reader of a FIFO went away) or when the deadline passes.
bool WaitWritable(int fd, Clock::time_point deadline) {
  const short events = AwaitEvents(fd, POLLOUT, deadline);
  return (events & (POLLERR | POLLHUP | POLLNVAL)) == 0 && (events & POLLOUT) != 0;
}

}  // namespace

short AwaitEvents(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const auto remaining = deadline - Clock::now();
    if (remaining <= Clock::duration::zero()) return 0;
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, PollMilliseconds(remaining));
    if (ready > 0) return entry.revents;
    if (ready < 0 && errno != EINTR) return POLLERR;
  }
}

UniqueFd::UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    Reset();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

bool UniqueFd::Reset() {
  const int fd = std::exchange(fd_, -1);
  return fd < 0 || ::close(fd) == 0;
}

UniqueFd Open(const std::filesystem::path& path, int flags, mode_t mode) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), flags, mode);
  } while (fd < 0 && errno == EINTR);
  return UniqueFd(fd);
}

bool WriteAll(int fd, std::string_view bytes, milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  bool refused_since_last_progress = false;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
      refused_since_last_progress = false;
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
    // Nothing taken this time: wait for the descriptor, never past the deadline.
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

bool ReplaceFile(const std::filesystem::path& file, std::string_view text,
                 std::optional<mode_t> mode) {
  // A regular file never asks to wait; the bound only guards against a
  // file system that does.
  constexpr milliseconds kWriteTimeout{10'000};
  std::filesystem::path temp = file;
  temp += ".tmp";
  // A file of that name is a leftover of a killed writer (or planted);
  // unlinking never follows a link, and O_EXCL | O_NOFOLLOW make sure the
  // file written is a new one.
  ::unlink(temp.c_str());
  UniqueFd fd = Open(temp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (!fd) return false;
  bool ok = WriteAll(fd.get(), text, kWriteTimeout);
  if (ok && mode) ok = ::fchmod(fd.get(), *mode) == 0;
  ok = ok && ::fsync(fd.get()) == 0;
  ok = fd.Reset() && ok;
  if (!ok || ::rename(temp.c_str(), file.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  if (UniqueFd dir = Open(file.parent_path(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    ::fsync(dir.get());
  }
  return true;
}

}  // namespace zelora::posix
