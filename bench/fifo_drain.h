// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A FIFO in a fresh directory, drained by a thread as fast as it can read, so
// that writers into it measure their own cost.

#include <atomic>
#include <cstddef>
#include <string>
#include <thread>

namespace zelora::bench {

class FifoDrain {
 public:
  FifoDrain();
  ~FifoDrain();
  FifoDrain(const FifoDrain&) = delete;
  FifoDrain& operator=(const FifoDrain&) = delete;

  const std::string& path() const { return path_; }
  std::size_t drained() const { return drained_.load(); }

 private:
  std::string dir_;
  std::string path_;
  int read_fd_ = -1;
  int keep_fd_ = -1;  // a writer of our own, so that the reader never sees the end
  std::atomic<bool> stop_{false};
  std::atomic<std::size_t> drained_{0};
  std::thread reader_;
};

}  // namespace zelora::bench
