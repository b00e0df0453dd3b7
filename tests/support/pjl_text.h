// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zelora::testing {

// One "@PJL DEFAULT" assignment inside a UEL pair, written out independently
// of the code under test.
inline std::string DefaultJob(const std::string& assignment) {
  return "\x1b%-12345X@PJL DEFAULT " + assignment + "\r\n\x1b%-12345X";
}

}  // namespace zelora::testing
