// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A locale whose numbers have a decimal comma (ru_RU.UTF-8), compiled into a
// folder of its own and made this process's locale through LOCPATH and
// LC_ALL while the object lives, so that no system locale need be installed.
// POSIX only; needs localedef and the locale sources (Debian: locales).

#include <cstdlib>
#include <filesystem>
#include <string>

#include "test_files.h"

namespace zelora::testing {

class CommaLocale {
 public:
  CommaLocale() : dir_("zelora-locale-") {
    const std::filesystem::path locale = dir_ / "ru_RU.UTF-8";
    // -c: a warning about the sources must not cost the test its locale.
    const std::string command =
        "localedef -c -i ru_RU -f UTF-8 '" + locale.string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1 || !std::filesystem::exists(locale / "LC_NUMERIC")) {
      return;
    }
    ::setenv("LOCPATH", dir_.path().c_str(), 1);
    ::setenv("LC_ALL", "ru_RU.UTF-8", 1);
    made_ = true;
  }
  ~CommaLocale() {
    if (!made_) return;
    ::unsetenv("LOCPATH");
    ::unsetenv("LC_ALL");
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  explicit operator bool() const { return made_; }

 private:
  TempDir dir_;
  bool made_ = false;
};

}  // namespace zelora::testing
