// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the start-up probe reports to the start-up benchmark, one line each on
// file descriptor kStampFd: a stage's name and the monotonic clock in
// nanoseconds, then, once the first top-level paint has been flushed, the
// window's size and the peak resident memory (VmHWM) in kB. The program ends
// there.

#include <unistd.h>

#include <cstdio>
#include <ctime>

namespace zelora::bench {

// The benchmark hands the probe this descriptor; the program under test
// never writes to it.
inline constexpr int kStampFd = 3;

inline long long MonotonicNs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// One line in a single write, so that nothing buffers it past an _Exit.
inline void Report(const char* name, long long value) {
  char line[96];
  const int length = std::snprintf(line, sizeof line, "%s %lld\n", name, value);
  if (length > 0 && static_cast<size_t>(length) < sizeof line) {
    [[maybe_unused]] const ssize_t written = ::write(kStampFd, line, static_cast<size_t>(length));
  }
}

inline void Stamp(const char* stage) { Report(stage, MonotonicNs()); }

}  // namespace zelora::bench
