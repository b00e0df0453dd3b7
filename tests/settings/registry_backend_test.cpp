// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What every registry backend must do the way the registry does it.

#include <gtest/gtest.h>

#include "backend_fixtures.h"

namespace zelora::testing {
namespace {

constexpr std::string_view kPath = "Software\\Quorvan\\Zelora";

template <typename Fixture>
class RegistryBackendTest : public ::testing::Test {
 protected:
  Fixture fixture_;
};
TYPED_TEST_SUITE(RegistryBackendTest, BackendFixtures, FixtureNames);

TYPED_TEST(RegistryBackendTest, MissingKeyDoesNotOpenAndIsNotCreatedByOpening) {
  RegistryBackend& backend = this->fixture_.backend();
  EXPECT_EQ(backend.OpenKey(kPath, KeyAccess::kAllAccess), nullptr);
  EXPECT_EQ(backend.OpenKey(kPath, KeyAccess::kRead), nullptr);
  EXPECT_EQ(backend.OpenKey(kPath, KeyAccess::kRead), nullptr);
}

TYPED_TEST(RegistryBackendTest, CreateMakesEveryLevel) {
  RegistryBackend& backend = this->fixture_.backend();
  ASSERT_NE(backend.CreateKey(kPath), nullptr);
  RegistryBackend& later = this->fixture_.Reopened();
  for (std::string_view level : {"Software", "Software\\Quorvan", "Software\\Quorvan\\Zelora"}) {
    EXPECT_NE(later.OpenKey(level, KeyAccess::kRead), nullptr) << level;
  }
  EXPECT_EQ(later.OpenKey("Software\\Quorvan\\Other", KeyAccess::kRead), nullptr);
}

// Every type and size comes back byte for byte, wrong ones included.
TYPED_TEST(RegistryBackendTest, EveryTypeRoundTrips) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  const std::vector<Case> cases = {
      {"none", reg_type::kNone, {}},
      {"text", reg_type::kSz, Bytes("a \"quoted\" C:\\path", true)},
      {"empty text", reg_type::kSz, Bytes("", true)},
      {"unterminated", reg_type::kSz, Bytes("abc", false)},
      {"embedded zero", reg_type::kSz, {'a', 0, 'b', 0}},
      {"line break", reg_type::kSz, Bytes("a\nb", true)},
      {"latin1", reg_type::kSz, {0xe9, 't', 0xe9, 0}},
      {"expand", reg_type::kExpandSz, Bytes("%TEMP%", true)},
      {"multi", reg_type::kMultiSz, {'a', 0, 'b', 0, 0}},
      {"dword", reg_type::kDword, {0xff, 0xff, 0xff, 0xff}},
      {"short dword", reg_type::kDword, {1, 2}},
      {"big endian", reg_type::kDwordBigEndian, {0, 0, 0, 10}},
      {"binary", reg_type::kBinary, {0, 0, 0, 0, 0, 0, 0x34, 0x40}},
      {"empty binary", reg_type::kBinary, {}},
      {"qword", reg_type::kQword, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"odd type", 0x12345678, {0xab}},
  };
  for (const Case& c : cases) PutRaw(this->fixture_.backend(), kPath, c.name, c.type, c.data);

  auto key = this->fixture_.Reopened().OpenKey(kPath, KeyAccess::kRead);
  ASSERT_NE(key, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QueryResult result = key->QueryValue(c.name, 1024);
    ASSERT_EQ(result.status, QueryStatus::kSuccess);
    EXPECT_EQ(result.type, c.type);
    EXPECT_EQ(result.data, c.data);
  }
}

TYPED_TEST(RegistryBackendTest, QueryReportsSizeAndTooSmallBuffers) {
  PutRaw(this->fixture_.backend(), kPath, "five", reg_type::kBinary, {1, 2, 3, 4, 5});
  auto key = this->fixture_.backend().OpenKey(kPath, KeyAccess::kRead);
  ASSERT_NE(key, nullptr);

  QueryResult result = key->QueryValue("five", std::nullopt);
  EXPECT_EQ(result.status, QueryStatus::kSuccess);
  EXPECT_EQ(result.size, 5u);
  EXPECT_TRUE(result.data.empty());

  result = key->QueryValue("five", 4);
  EXPECT_EQ(result.status, QueryStatus::kMoreData);
  EXPECT_EQ(result.type, reg_type::kBinary);
  EXPECT_EQ(result.size, 5u);

  result = key->QueryValue("five", 5);
  EXPECT_EQ(result.status, QueryStatus::kSuccess);
  EXPECT_EQ(result.data, (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));

  EXPECT_EQ(key->QueryValue("six", 8).status, QueryStatus::kNotFound);
  EXPECT_EQ(key->QueryValue("six", std::nullopt).status, QueryStatus::kNotFound);
}

TYPED_TEST(RegistryBackendTest, NamesCompareCaseInsensitively) {
  PutRaw(this->fixture_.backend(), kPath, "R_Lpi", reg_type::kDword, {1, 0, 0, 0});
  PutRaw(this->fixture_.backend(), "SOFTWARE\\quorvan\\ZELORA", "r_lpi", reg_type::kDword,
         {2, 0, 0, 0});
  auto key = this->fixture_.Reopened().OpenKey("software\\Quorvan\\Zelora", KeyAccess::kRead);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->QueryValue("R_LPI", 4).data, (std::vector<std::uint8_t>{2, 0, 0, 0}));
}

TYPED_TEST(RegistryBackendTest, ReadOnlyUserReadsButCannotWrite) {
  PutRaw(this->fixture_.backend(), kPath, "R_x", reg_type::kDword, {7, 0, 0, 0});
  this->fixture_.RunAs(UserAccess::kReadOnly, [&] {
    RegistryBackend& backend = this->fixture_.Reopened();
    EXPECT_EQ(backend.OpenKey(kPath, KeyAccess::kAllAccess), nullptr);
    EXPECT_EQ(backend.CreateKey(kPath), nullptr);
    auto key = backend.OpenKey(kPath, KeyAccess::kRead);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->QueryValue("R_x", 4).data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
    const std::uint8_t data[4] = {8, 0, 0, 0};
    EXPECT_FALSE(key->SetValue("R_x", reg_type::kDword, data));
  });
  auto key = this->fixture_.Reopened().OpenKey(kPath, KeyAccess::kRead);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->QueryValue("R_x", 4).data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
}

TYPED_TEST(RegistryBackendTest, UserWithoutAccessOpensNothing) {
  PutRaw(this->fixture_.backend(), kPath, "R_x", reg_type::kDword, {7, 0, 0, 0});
  this->fixture_.RunAs(UserAccess::kNone, [&] {
    RegistryBackend& backend = this->fixture_.Reopened();
    EXPECT_EQ(backend.OpenKey(kPath, KeyAccess::kAllAccess), nullptr);
    EXPECT_EQ(backend.OpenKey(kPath, KeyAccess::kRead), nullptr);
    EXPECT_EQ(backend.CreateKey(kPath), nullptr);
  });
}

TYPED_TEST(RegistryBackendTest, RefusedWriteKeepsTheOldValue) {
  PutRaw(this->fixture_.backend(), kPath, "R_x", reg_type::kDword, {7, 0, 0, 0});
  this->fixture_.RefuseWrites();
  {
    auto key = this->fixture_.backend().CreateKey(kPath);
    ASSERT_NE(key, nullptr);
    const std::uint8_t data[4] = {8, 0, 0, 0};
    EXPECT_FALSE(key->SetValue("R_x", reg_type::kDword, data));
  }
  auto key = this->fixture_.Reopened().OpenKey(kPath, KeyAccess::kRead);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->QueryValue("R_x", 4).data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
}

}  // namespace
}  // namespace zelora::testing
