// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A printer on 127.0.0.1 and, where there is IPv6, ::1, both on one free port,
// that keeps what each connection sent. POSIX only.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace zelora::testing {

class LoopbackPrinter {
 public:
  // kRecord reads each connection to its end; kRefuse has the port but does
  // not listen; kNeverAccept lets connects go unanswered (its accept queue is
  // full); kNeverRead accepts and never reads; kCloseEarly closes each
  // connection after its first 1000 bytes, kDrop before any; kResetAfter5
  // resets it after its first 5 bytes. Given `answers`, kRecord also answers
  // inquiries from them as ServeAnswers does.
  enum class Mode { kRecord, kRefuse, kNeverAccept, kNeverRead, kCloseEarly, kDrop, kResetAfter5 };
  explicit LoopbackPrinter(Mode mode = Mode::kRecord,
                           std::optional<std::map<std::string, std::string>> answers = {});
  ~LoopbackPrinter();

  std::uint16_t port() const { return port_; }
  bool has_ipv6() const { return listeners_.size() == 2; }
  // Each ended connection's bytes, once `count` have ended or the time is up.
  std::vector<std::string> Jobs(std::size_t count,
                                std::chrono::milliseconds timeout = std::chrono::seconds(10));

 private:
  void Serve(int listener);

  Mode mode_;
  std::optional<std::map<std::string, std::string>> answers_;
  std::uint16_t port_ = 0;
  std::vector<int> listeners_, held_;
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable ended_changed_;
  std::vector<std::string> ended_;
};

// Reads `fd` to its end (or an error) and returns every byte; answers each
// "@PJL DINQUIRE X" and "@PJL INQUIRE X" line as a printer does, with the
// command, CR LF, the value `answers` holds for X or "?" in quotes, CR LF and
// a form feed.
std::string ServeAnswers(int fd, const std::map<std::string, std::string>& answers);

}  // namespace zelora::testing
