// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <iomanip>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#ifndef _WIN32
#include <locale.h>

#include "support/comma_locale.h"
#endif

namespace zelora {
namespace {

struct TextCase {
  long double value;
  char separator;
  const char* text;
};
void PrintTo(const TextCase& c, std::ostream* os) {
  *os << std::setprecision(21) << c.value << " '" << c.separator << "' -> \"" << c.text << '"';
}

class GeneralNumberTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(GeneralNumberTextTest, WritesTheGeneralForm) {
  const TextCase& c = GetParam();
  EXPECT_EQ(GeneralNumberText(c.value, c.separator), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Plain, GeneralNumberTextTest,
    ::testing::Values(
        TextCase{20, '.', "20"}, TextCase{10, '.', "10"}, TextCase{10.5L, '.', "10.5"},
        TextCase{0.44L, '.', "0.44"}, TextCase{0.44, '.', "0.44"}, TextCase{12.25L, '.', "12.25"},
        TextCase{16.67L, '.', "16.67"}, TextCase{999.75L, '.', "999.75"}, TextCase{0, '.', "0"},
        TextCase{-0.0L, '.', "0"}, TextCase{-3.5L, '.', "-3.5"}, TextCase{0.1L + 0.2L, '.', "0.3"},
        TextCase{1.0L / 3, '.', "0.333333333333333"}, TextCase{2.0L / 3, '.', "0.666666666666667"},
        TextCase{123456.789L, '.', "123456.789"}, TextCase{2147483647.0L, '.', "2147483647"}));

INSTANTIATE_TEST_SUITE_P(
    ExponentSwitch, GeneralNumberTextTest,
    ::testing::Values(TextCase{0.0001L, '.', "0.0001"}, TextCase{0.00012L, '.', "0.00012"},
                      TextCase{0.0000999L, '.', "9.99E-5"}, TextCase{0.00001L, '.', "1E-5"},
                      TextCase{-0.00001L, '.', "-1E-5"}, TextCase{1e-300L, '.', "1E-300"},
                      TextCase{999999999999999.0L, '.', "999999999999999"},
                      TextCase{1e15L, '.', "1E15"}, TextCase{1.5e15L, '.', "1.5E15"},
                      TextCase{-1e15L, '.', "-1E15"},
                      TextCase{123456789012345678.0L, '.', "1.23456789012346E17"},
                      // Rounding to 15 digits carries into the next decade.
                      TextCase{999999999999999.9L, '.', "1E15"}, TextCase{1e4000L, '.', "1E4000"}));

INSTANTIATE_TEST_SUITE_P(Comma, GeneralNumberTextTest,
                         ::testing::Values(TextCase{10.5L, ',', "10,5"},
                                           TextCase{0.44L, ',', "0,44"}, TextCase{20, ',', "20"},
                                           TextCase{0.000015L, ',', "1,5E-5"}));

TEST(GeneralNumberText, NonFiniteValuesHaveAText) {
  EXPECT_EQ(GeneralNumberText(std::numeric_limits<long double>::infinity(), '.'), "INF");
  EXPECT_EQ(GeneralNumberText(-std::numeric_limits<long double>::infinity(), '.'), "-INF");
  EXPECT_EQ(GeneralNumberText(std::numeric_limits<long double>::quiet_NaN(), '.'), "NAN");
}

#ifndef _WIN32

// Sets or clears one environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserDecimalSeparator, FallsBackToPointWithoutAUsableLocale) {
  const ScopedEnv numeric("LC_NUMERIC", nullptr);
  {
    const ScopedEnv all("LC_ALL", nullptr);
    const ScopedEnv lang("LANG", nullptr);
    EXPECT_EQ(UserDecimalSeparator(), '.');
  }
  {
    const ScopedEnv all("LC_ALL", "xx_NOWHERE.bogus");
    EXPECT_EQ(UserDecimalSeparator(), '.');
  }
  {
    const ScopedEnv all("LC_ALL", "C");
    EXPECT_EQ(UserDecimalSeparator(), '.');
  }
}

TEST(UserDecimalSeparator, FollowsTheEnvironmentInPrecedenceOrder) {
  const testing::CommaLocale made;
  if (!made) GTEST_SKIP() << "no locale with a decimal comma can be made here";
  const char* comma = "ru_RU.UTF-8";
  const std::string process_locale = std::setlocale(LC_ALL, nullptr);
  {
    const ScopedEnv all("LC_ALL", nullptr);
    const ScopedEnv numeric("LC_NUMERIC", nullptr);
    const ScopedEnv lang("LANG", comma);
    EXPECT_EQ(UserDecimalSeparator(), ',');
  }
  {
    const ScopedEnv all("LC_ALL", nullptr);
    const ScopedEnv numeric("LC_NUMERIC", comma);
    const ScopedEnv lang("LANG", "C");
    EXPECT_EQ(UserDecimalSeparator(), ',');
  }
  {
    const ScopedEnv all("LC_ALL", "C");
    const ScopedEnv numeric("LC_NUMERIC", comma);
    EXPECT_EQ(UserDecimalSeparator(), '.');
  }
  {
    const ScopedEnv all("LC_ALL", comma);
    const ScopedEnv numeric("LC_NUMERIC", "C");
    EXPECT_EQ(UserDecimalSeparator(), ',');
  }
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), process_locale);
}

#endif

}  // namespace
}  // namespace zelora
