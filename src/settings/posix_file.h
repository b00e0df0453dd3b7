// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// File descriptors for the POSIX backends (the hive file here, the printer
// device above): built on every system but Windows.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>

namespace zelora::posix {

// Owns one file descriptor and closes it when destroyed.
class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept;
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Reset(); }

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // Closes now; false when close reported an error.
  bool Reset();

 private:
  int fd_;
};

// open(2), tried again when a signal interrupts it.
UniqueFd Open(const std::filesystem::path& path, int flags, mode_t mode = 0);

// Waits until `fd` is ready for one of `events` (poll(2)), going on after
// interrupts: the events that came, which may include POLLERR, POLLHUP or
// POLLNVAL; 0 once `deadline` has passed; POLLERR when poll itself fails.
short AwaitEvents(int fd, short events, std::chrono::steady_clock::time_point deadline);

// Writes every byte, going on after partial and interrupted writes. When the
// descriptor is non-blocking and takes nothing, waits until it can take more,
// but never longer than `timeout` from the start. False when the descriptor
// reports an error (errno tells which) or the time is up.
bool WriteAll(int fd, std::string_view bytes, std::chrono::milliseconds timeout);

// Replaces `file` with `text`: a fresh temporary file "<file>.tmp" in the
// same directory (any old one removed, never opened through a link), written,
// synced and renamed over `file`; then the directory is synced so that the
// rename survives a crash. The temporary file gets `mode` when given, else
// 0644 less the umask. True once `file` holds the text: a failed sync of the
// directory after the rename does not undo that. The caller makes sure that
// only one writer at a time replaces the file.
bool ReplaceFile(const std::filesystem::path& file, std::string_view text,
                 std::optional<mode_t> mode);

}  // namespace zelora::posix
