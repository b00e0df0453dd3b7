// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Permission checks as an ordinary user sees them, also when the tests run as
// root (as CI does), who passes every check.

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <functional>

namespace zelora::testing {

// Runs body here when this process is an ordinary user; as root, in a child
// process that has become "nobody". A failure in the child fails the test.
inline void RunUnprivileged(const std::function<void()>& body) {
  if (::geteuid() != 0) {
    body();
    return;
  }
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    constexpr uid_t kNobody = 65534;
    const bool ok = ::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                    ::setresuid(kNobody, kNobody, kNobody) == 0;
    if (!ok) {
      ADD_FAILURE() << "cannot become nobody";
    } else {
      try {
        body();
      } catch (const std::exception& e) {
        ADD_FAILURE() << "exception: " << e.what();
      }
    }
    std::fflush(nullptr);
    ::_exit(ok && !::testing::Test::HasFailure() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the unprivileged part failed (see its output above)";
}

}  // namespace zelora::testing
