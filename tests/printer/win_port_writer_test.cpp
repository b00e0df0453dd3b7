// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// LPT1 on Windows (or under Wine), mapped to a file whose path is in
// ZELORA_LPT1_FILE. The cases every port shares are in port_backend_test.cpp.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "port_fixtures.h"
#include "support/win_handles.h"

namespace zelora::testing {
namespace {

class Lpt1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string missing = Lpt1PortFixture::Unavailable();
    if (!missing.empty()) GTEST_SKIP() << missing;
    fixture_.emplace();
  }
  std::optional<Lpt1PortFixture> fixture_;
};

// The handle of every job is closed, whether the port opened or not.
TEST_F(Lpt1Test, JobsLeaveNoHandleOpen) {
  const HANDLE sample = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(sample, INVALID_HANDLE_VALUE);
  const USHORT file_type = HandleType(sample);
  CloseHandle(sample);
  PrinterPort& port = fixture_->port();
  ASSERT_TRUE(port.WriteJob("\x0c"));  // anything the first write sets up stays out of the count
  const std::size_t before = OpenHandleCount(file_type);

  int failures = 0;
  for (int i = 0; i < 500; ++i) failures += port.WriteJob("\x0c") ? 0 : 1;
  EXPECT_EQ(failures, 0);
  {
    const auto hold = fixture_->HoldElsewhere();
    ASSERT_TRUE(hold->held());
    for (int i = 0; i < 100; ++i) EXPECT_FALSE(port.WriteJob("\x0c"));
  }
  EXPECT_EQ(OpenHandleCount(file_type), before);
}

}  // namespace
}  // namespace zelora::testing
