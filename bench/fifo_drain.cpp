// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fifo_drain.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace zelora::bench {

FifoDrain::FifoDrain() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelora-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
  dir_ = pattern;
  path_ = dir_ + "/lp0";
  if (::mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("mkfifo");
  read_fd_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  keep_fd_ = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (read_fd_ < 0 || keep_fd_ < 0) throw std::runtime_error("open fifo");
  reader_ = std::thread([this] {
    char buffer[1 << 16];
    pollfd p{read_fd_, POLLIN, 0};
    while (!stop_) {
      if (::poll(&p, 1, 50) <= 0) continue;
      for (;;) {
        const ssize_t n = ::read(read_fd_, buffer, sizeof buffer);
        if (n <= 0) break;
        drained_ += static_cast<std::size_t>(n);
      }
    }
  });
}

FifoDrain::~FifoDrain() {
  stop_ = true;
  reader_.join();
  ::close(keep_fd_);
  ::close(read_fd_);
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

}  // namespace zelora::bench
