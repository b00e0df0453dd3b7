// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings key's reads, writes and checks, on every backend.

#include "settings_key.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "backend_fixtures.h"

namespace zelora::testing {
namespace {

std::vector<std::uint8_t> DoubleBytes(double value) {
  std::vector<std::uint8_t> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

template <typename Fixture>
class SettingsKeyTest : public ::testing::Test {
 protected:
  void Put(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data) {
    PutRaw(fixture_.backend(), kSettingsKeyPath, name, type, std::move(data));
  }
  QueryResult Raw(std::string_view name) {
    auto key = fixture_.Reopened().OpenKey(kSettingsKeyPath, KeyAccess::kRead);
    if (!key) return {};
    return key->QueryValue(name, 1024);
  }
  SettingsKey ForReading() {
    auto key = SettingsKey::OpenForReading(fixture_.backend());
    if (!key) throw std::runtime_error("the settings key did not open");
    return std::move(*key);
  }
  SettingsKey ForWriting() {
    auto key = SettingsKey::OpenForWriting(fixture_.backend());
    if (!key) throw std::runtime_error("the settings key did not open");
    return std::move(*key);
  }

  Fixture fixture_;
};
TYPED_TEST_SUITE(SettingsKeyTest, BackendFixtures, FixtureNames);

// Which reads fail, and how: the data must fit the 4- or 8-byte buffer, and
// then have the right type (and size, for floating values).
TYPED_TEST(SettingsKeyTest, WrongTypeOrSizeNamesTheValue) {
  enum Read { kInteger, kBool, kFloat };
  struct Case {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    Read read;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"R_x", reg_type::kSz, Bytes("abc", true), kInteger, "Invalid data type for 'R_x'"},
      {"R_y", reg_type::kSz, Bytes("abcd", true), kInteger, "Failed to get data for 'R_y'"},
      {"R_papersize", reg_type::kSz, Bytes("", true), kInteger,
       "Invalid data type for 'R_papersize'"},
      {"R_baudrate",
       reg_type::kDwordBigEndian,
       {0, 0, 0, 5},
       kInteger,
       "Invalid data type for 'R_baudrate'"},
      {"R_source", reg_type::kBinary, {1, 0, 0, 0}, kInteger, "Invalid data type for 'R_source'"},
      {"R_symbol",
       reg_type::kBinary,
       {1, 0, 0, 0, 0, 0, 0, 0},
       kInteger,
       "Failed to get data for 'R_symbol'"},
      {"R_density", reg_type::kDword, {1, 0}, kInteger, "Invalid data type for 'R_density'"},
      {"R_robust", reg_type::kSz, Bytes("yes", true), kBool, "Invalid data type for 'R_robust'"},
      {"R_timeout", reg_type::kDword, {20, 0, 0, 0}, kFloat, "Invalid data type for 'R_timeout'"},
      {"R_copies",
       reg_type::kBinary,
       {0, 0, 0x80, 0x3f},
       kFloat,
       "Invalid data type for 'R_copies'"},
      {"R_pitch", reg_type::kBinary, std::vector<std::uint8_t>(10), kFloat,
       "Failed to get data for 'R_pitch'"},
      {"R_point", reg_type::kQword, DoubleBytes(12.0), kFloat, "Invalid data type for 'R_point'"},
      {"R_lpi", reg_type::kSz, Bytes("60.0000", true), kFloat, "Invalid data type for 'R_lpi'"},
  };
  for (const Case& c : cases) this->Put(c.name, c.type, c.data);
  SettingsKey key = this->ForReading();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(key.ValueExists(c.name));
    try {
      switch (c.read) {
        case kInteger:
          key.ReadInteger(c.name);
          break;
        case kBool:
          key.ReadBool(c.name);
          break;
        case kFloat:
          key.ReadFloat(c.name);
          break;
      }
      ADD_FAILURE() << "no error";
    } catch (const RegistryError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  EXPECT_FALSE(key.ValueExists("R_width"));
  try {
    key.ReadFloat("R_width");
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to get data for 'R_width'");
  }
}

TYPED_TEST(SettingsKeyTest, IntegersAreLittleEndianDwords) {
  const std::vector<std::pair<std::int32_t, std::vector<std::uint8_t>>> cases = {
      {0, {0, 0, 0, 0}},
      {10, {10, 0, 0, 0}},
      {-1, {0xff, 0xff, 0xff, 0xff}},
      {std::numeric_limits<std::int32_t>::min(), {0, 0, 0, 0x80}},
      {0x12345678, {0x78, 0x56, 0x34, 0x12}},
  };
  for (const auto& [value, bytes] : cases) {
    SCOPED_TRACE(value);
    this->ForWriting().WriteInteger("R_typeface", value);
    const QueryResult raw = this->Raw("R_typeface");
    EXPECT_EQ(raw.type, reg_type::kDword);
    EXPECT_EQ(raw.data, bytes);
    EXPECT_EQ(this->ForReading().ReadInteger("R_typeface"), value);
  }
}

TYPED_TEST(SettingsKeyTest, BooleansAreZeroOrOneAndAnyNonZeroReadsTrue) {
  {
    SettingsKey key = this->ForWriting();
    key.WriteBool("R_autocont", true);
    key.WriteBool("R_robust", false);
  }
  EXPECT_EQ(this->Raw("R_autocont").data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(this->Raw("R_robust").data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
  this->Put("R_orientation", reg_type::kDword, {7, 0, 0, 0});
  this->Put("R_jamrecover", reg_type::kDword, {0, 0, 0, 0x80});
  SettingsKey key = this->ForReading();
  EXPECT_TRUE(key.ReadBool("R_orientation"));
  EXPECT_TRUE(key.ReadBool("R_jamrecover"));
  EXPECT_FALSE(key.ReadBool("R_robust"));
}

// Floating values are held as extended precision and stored as doubles.
TYPED_TEST(SettingsKeyTest, FloatingValuesAreRoundedToDoublesAndWidenedBack) {
  const long double between = 1.0L + std::ldexp(1.0L, -60);  // not a double
  {
    SettingsKey key = this->ForWriting();
    key.WriteFloat("R_pitch", 0.44L);
    key.WriteFloat("R_point", 12.25L);
    key.WriteFloat("R_lpi", between);
  }
  const QueryResult raw = this->Raw("R_pitch");
  EXPECT_EQ(raw.type, reg_type::kBinary);
  EXPECT_EQ(raw.data, DoubleBytes(0.44));
  EXPECT_EQ(this->Raw("R_timeout").status, QueryStatus::kNotFound);

  SettingsKey key = this->ForReading();
  EXPECT_EQ(key.ReadFloat("R_pitch"), static_cast<long double>(0.44));
  EXPECT_NE(key.ReadFloat("R_pitch"), 0.44L);
  EXPECT_EQ(key.ReadFloat("R_point"), 12.25L);
  EXPECT_EQ(key.ReadFloat("R_lpi"), 1.0L);
}

TYPED_TEST(SettingsKeyTest, RefusedWriteNamesTheValue) {
  this->Put("R_lpi", reg_type::kBinary, DoubleBytes(60.0));
  this->fixture_.RefuseWrites();
  SettingsKey key = this->ForWriting();
  try {
    key.WriteFloat("R_lpi", 64.0L);
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'R_lpi'");
  }
  EXPECT_EQ(this->Raw("R_lpi").data, DoubleBytes(60.0));
}

}  // namespace
}  // namespace zelora::testing
