// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Checks shared by the tests of the resource readers: a source with a mistake
// must be refused with the line of that mistake.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zelora::test {

// Runs `read`, which must throw Error (a reader error with a line()) naming
// `line` and, unless `message_part` is empty, saying `message_part`. `name`
// identifies the case in failure messages.
template <typename Error, typename Read>
void ExpectLineError(Read&& read, std::string_view name, int line,
                     std::string_view message_part = {}) {
  try {
    read();
    ADD_FAILURE() << "accepted: " << name;
  } catch (const Error& e) {
    EXPECT_EQ(e.line(), line) << name << ": " << e.what();
    if (!message_part.empty()) {
      EXPECT_NE(std::string_view(e.what()).find(message_part), std::string_view::npos)
          << name << ": " << e.what();
    }
  }
}

}  // namespace zelora::test
