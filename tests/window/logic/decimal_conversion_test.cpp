// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "decimal_conversion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <system_error>

namespace zelora {
namespace {

TEST(DecimalToLongDouble, FractionsAreCorrectlyRounded) {
  long double value = 0;
  ASSERT_TRUE(DecimalToLongDouble(false, "44", -2, value));
  EXPECT_EQ(value, 0.44L);
  ASSERT_TRUE(DecimalToLongDouble(true, "1667", -2, value));
  EXPECT_EQ(value, -16.67L);
  ASSERT_TRUE(DecimalToLongDouble(false, "000100", -3, value));
  EXPECT_EQ(value, 0.1L);
  ASSERT_TRUE(DecimalToLongDouble(false, "0000", 7, value));
  EXPECT_EQ(value, 0);
}

TEST(DecimalToLongDouble, RefusesWhatALongDoubleCannotHold) {
  long double value = 7;
  EXPECT_FALSE(DecimalToLongDouble(false, "12", 4932, value));
  EXPECT_FALSE(DecimalToLongDouble(false, "1", 1000000000, value));
  EXPECT_FALSE(DecimalToLongDouble(false, "1", -4940, value));
  EXPECT_FALSE(DecimalToLongDouble(false, "1", -1000000000, value));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(DecimalToLongDouble(false, "1", 4932, value));
  EXPECT_EQ(value, 1e4932L);
  EXPECT_TRUE(DecimalToLongDouble(false, "34", -4933, value));
  EXPECT_EQ(value, 3.4e-4932L);
}

TEST(DecimalToLongDouble, VeryLongDigitStringsStillRound) {
  // 0.5 followed by 20000 zeros and a 1: just above one half of 10^-k steps.
  std::string digits = "5" + std::string(20000, '0') + "1";
  long double value = 0;
  ASSERT_TRUE(DecimalToLongDouble(false, digits, -20002, value));
  EXPECT_EQ(value, 0.5L);
}

// GCC's 128-bit integer makes exact halfway points easy to write out.
__extension__ typedef unsigned __int128 U128;

std::string ToDecimal(U128 value) {
  std::string text;
  do {
    text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
    value /= 10;
  } while (value != 0);
  return text;
}

TEST(DecimalToLongDouble, RoundsExactHalfwayPointsToEvenAndNeighboursAway) {
  // Between m × 2^e and (m + 1) × 2^e lies (2m + 1) × 2^(e - 1). For e < 1 it is
  // (2m + 1) × 5^(1 - e) × 10^(e - 1), an exact decimal as well.
  std::mt19937_64 random(7);
  std::uniform_int_distribution<std::uint64_t> any;
  std::uniform_int_distribution<int> exponents(-25, 60);
  for (int i = 0; i < 5000; ++i) {
    const std::uint64_t m = any(random) | (std::uint64_t{1} << 63);
    const int e = exponents(random);
    U128 digits = (static_cast<U128>(m) << 1) | 1;
    std::int64_t exponent10 = 0;
    if (e >= 1) {
      digits <<= (e - 1);
    } else {
      for (int j = 0; j < 1 - e; ++j) digits *= 5;
      exponent10 = e - 1;
    }
    const long double below = std::ldexp(static_cast<long double>(m), e);
    const long double above = std::nextafter(below, LDBL_MAX);
    const long double even = (m & 1) == 0 ? below : above;

    long double value = 0;
    ASSERT_TRUE(DecimalToLongDouble(false, ToDecimal(digits), exponent10, value));
    EXPECT_EQ(value, even) << ToDecimal(digits) << "e" << exponent10;
    ASSERT_TRUE(DecimalToLongDouble(true, ToDecimal(digits) + "1", exponent10 - 1, value));
    EXPECT_EQ(value, -above) << ToDecimal(digits) << "1e" << exponent10 - 1;
    ASSERT_TRUE(DecimalToLongDouble(false, ToDecimal(digits - 1) + "9", exponent10 - 1, value));
    EXPECT_EQ(value, below) << ToDecimal(digits - 1) << "9e" << exponent10 - 1;
  }
}

#ifdef _WIN32
// Why this platform keeps a conversion of its own: its library reads a long
// digit string wrongly. When this starts to fail, the library has become exact
// and the own conversion can go.
TEST(DecimalToLongDouble, PlatformLibraryIsNotExactHere) {
  const std::string text = "5" + std::string(20000, '0') + "1e-20002";
  EXPECT_NE(std::strtold(text.c_str(), nullptr), 0.5L);
}
#endif

}  // namespace
}  // namespace zelora
