// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Permission checks as an ordinary user sees them, also when the tests run as
// root (as CI does), who passes every check.

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <functional>

namespace zelora::testing {

// An ordinary user for RunAsUser: her own user and group id, one
// supplementary group and the umask she works under.
struct OrdinaryUser {
  uid_t uid;
  gid_t supplementary_group;
  mode_t umask = 022;
};

// Runs body in a child process that has become that user. Needs root.
inline void RunAsUser(const OrdinaryUser& user, const std::function<void()>& body) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    const bool ok = ::setgroups(1, &user.supplementary_group) == 0 &&
                    ::setresgid(user.uid, user.uid, user.uid) == 0 &&
                    ::setresuid(user.uid, user.uid, user.uid) == 0;
    ::umask(user.umask);
    if (!ok) {
      ADD_FAILURE() << "cannot become user " << user.uid;
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
      << "the part run as user " << user.uid << " failed (see its output above)";
}

// Runs body here when this process is an ordinary user; as root, as "nobody"
// (in no group of interest).
inline void RunUnprivileged(const std::function<void()>& body) {
  if (::geteuid() != 0) {
    body();
    return;
  }
  constexpr uid_t kNobody = 65534;
  RunAsUser({kNobody, kNobody}, body);
}

}  // namespace zelora::testing
