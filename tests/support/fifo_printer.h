// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A FIFO standing in for a printer's device node: a thread takes every byte
// written into it, whoever writes, and keeps them. POSIX only.

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "test_files.h"

namespace zelora::testing {

class FifoPrinter {
 public:
  // The FIFO "lp0" in a fresh temporary folder of its own.
  FifoPrinter() : FifoPrinter(std::make_unique<TempDir>("zelora-fifo-")) {}
  explicit FifoPrinter(std::string path) : path_(std::move(path)) {
    if (::mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("cannot make " + path_);
    read_fd_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    // A writer of its own, so that the reader never sees an end between jobs.
    keep_fd_ = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (read_fd_ < 0 || keep_fd_ < 0) throw std::runtime_error("cannot open " + path_);
    reader_ = std::thread([this] {
      pollfd entry{read_fd_, POLLIN, 0};
      while (!stop_) {
        if (::poll(&entry, 1, 20) <= 0) continue;
        std::lock_guard lock(mutex_);
        Drain();
      }
    });
  }
  // Removes the FIFO: the printer is gone.
  ~FifoPrinter() {
    stop_ = true;
    reader_.join();
    ::close(keep_fd_);
    ::close(read_fd_);
    ::unlink(path_.c_str());
  }

  const std::string& path() const { return path_; }

  // Every byte written so far.
  std::string Received() {
    std::lock_guard lock(mutex_);
    Drain();
    return received_;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    Drain();
    received_.clear();
  }

 private:
  explicit FifoPrinter(std::unique_ptr<TempDir> dir) : FifoPrinter((*dir / "lp0").string()) {
    dir_ = std::move(dir);
  }

  // With the mutex held: whatever the FIFO holds, kept.
  void Drain() {
    char buffer[4096];
    for (ssize_t n; (n = ::read(read_fd_, buffer, sizeof buffer)) > 0;) {
      received_.append(buffer, static_cast<std::size_t>(n));
    }
  }

  std::unique_ptr<TempDir> dir_;  // destroyed last, after the FIFO is gone
  std::string path_;
  int read_fd_ = -1, keep_fd_ = -1;
  std::mutex mutex_;
  std::string received_;
  std::atomic<bool> stop_{false};
  std::thread reader_;
};

}  // namespace zelora::testing
