// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>

namespace zelora {

// Runs `work` on a thread of its own and waits at most `timeout` for its
// result. For calls that take no time limit of their own, such as name
// resolution: when the time is up the caller goes on without a result, and
// the thread finishes on its own later and destroys its result then, so
// nothing the work holds leaks. nullopt on time-out, when the work threw, or
// when no thread could be started.
template <typename Work>
auto CallWithin(std::chrono::milliseconds timeout, Work work)
    -> std::optional<std::invoke_result_t<Work&>> {
  using Result = std::invoke_result_t<Work&>;
  // Shared by the caller and the thread; whoever lets go last frees it.
  struct Exchange {
    std::mutex mutex;
    std::condition_variable done_changed;
    bool done = false;
    std::optional<Result> result;
  };
  const auto exchange = std::make_shared<Exchange>();
  try {
    std::thread([exchange, work = std::move(work)]() mutable {
      std::optional<Result> result;
      try {
        result.emplace(work());
      } catch (...) {
        // Reported as no result.
      }
      const std::lock_guard lock(exchange->mutex);
      exchange->result = std::move(result);
      exchange->done = true;
      exchange->done_changed.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return std::nullopt;
  }
  std::unique_lock lock(exchange->mutex);
  if (!exchange->done_changed.wait_for(lock, timeout, [&] { return exchange->done; })) {
    return std::nullopt;
  }
  return std::move(exchange->result);
}

}  // namespace zelora
