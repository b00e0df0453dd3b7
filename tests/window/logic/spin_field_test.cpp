// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spin_field.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "spin_field_layout.h"

namespace zelora {
namespace {

SpinField Field(Control control, const std::string& text, char separator = '.') {
  return SpinField(SpinFieldProperties(control), text, separator);
}

SpinField::Properties IntegerRange(long double min, long double max) {
  SpinField::Properties properties;
  properties.value_type = SpinField::ValueType::Integer;
  properties.min_value = min;
  properties.max_value = max;
  return properties;
}

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNan = std::numeric_limits<long double>::quiet_NaN();

void PrintValue(long double value, std::ostream* os) { *os << std::setprecision(21) << value; }

struct SetCase {
  Control control;
  char separator;
  long double value;
  const char* text;
};
void PrintTo(const SetCase& c, std::ostream* os) {
  *os << ControlName(c.control) << " '" << c.separator << "' ";
  PrintValue(c.value, os);
  *os << " -> \"" << c.text << '"';
}

class SetValueTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetValueTest, ShowsTheClampedRoundedValue) {
  const SetCase& c = GetParam();
  SpinField field = Field(c.control, "0", c.separator);
  field.SetValue(c.value);
  EXPECT_EQ(field.Text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SetValueTest,
    ::testing::Values(
        // Integer fields: halves go to the even neighbour.
        SetCase{Control::SpinLpi, '.', 64.5L, "64"}, SetCase{Control::SpinLpi, '.', 65.5L, "66"},
        SetCase{Control::SpinLpi, '.', 64.4999L, "64"},
        SetCase{Control::SpinLpi, '.', 64.5001L, "65"}, SetCase{Control::SpinLpi, '.', 60, "60"},
        SetCase{Control::SpinCopies, '.', 0, "1"}, SetCase{Control::SpinCopies, '.', 100, "99"},
        SetCase{Control::SpinCopies, '.', 99.5L, "99"},
        SetCase{Control::SpinTimeout, '.', 1e30L, "300"},
        SetCase{Control::SpinTimeout, '.', 9.6L, "10"},
        SetCase{Control::RxSpinEdit2, '.', -kInf, "125"},
        SetCase{Control::RxSpinEdit2, '.', kInf, "356"},
        SetCase{Control::RxSpinEdit2, '.', kNan, "125"},
        // Decimal fields: exactly two digits, the user's separator.
        SetCase{Control::SpinPitch, '.', 10, "10.00"},
        SetCase{Control::SpinPitch, ',', 10, "10,00"},
        SetCase{Control::SpinPitch, '.', 0.44L, "0.44"},
        SetCase{Control::SpinPitch, '.', 0.44, "0.44"},  // the double nearest 0.44
        SetCase{Control::SpinPitch, '.', 0, "0.44"},
        SetCase{Control::SpinPitch, '.', 99.994L, "99.99"},
        SetCase{Control::SpinPitch, ',', 16.67L, "16,67"},
        SetCase{Control::SpinPoint, '.', 1000, "999.75"},
        SetCase{Control::SpinPoint, '.', 12.25L, "12.25"},
        SetCase{Control::SpinPoint, '.', kNan, "4.00"}));

TEST(SpinFieldSetValue, IntegerHalvesBelowZeroGoToEven) {
  SpinField field(IntegerRange(-10, 10), "0");
  const std::vector<std::pair<long double, std::string>> cases = {
      {-2.5L, "-2"}, {-3.5L, "-4"}, {-0.4L, "0"}, {-0.5L, "0"}, {0.5L, "0"}, {1.5L, "2"}};
  for (const auto& [value, text] : cases) {
    field.SetValue(value);
    EXPECT_EQ(field.Text(), text) << static_cast<double>(value);
  }
}

TEST(SpinFieldSetValue, WholeNumbersEitherSideOfTheLargestInteger) {
  SpinField field(IntegerRange(0, 0), "");
  const std::vector<std::pair<long double, std::string>> cases = {
      {0x1p63L - 1, "9223372036854775807"},   {0x1p63L, "9223372036854775808"},
      {-0x1p63L + 1, "-9223372036854775807"}, {-0x1p63L - 2, "-9223372036854775810"},
      {0x1p70L, "1180591620717411303424"},    {-0.0L, "0"}};
  for (const auto& [value, text] : cases) {
    field.SetValue(value);
    EXPECT_EQ(field.Text(), text) << static_cast<double>(value);
  }
}

TEST(SpinFieldSetValue, FieldWithoutRangeNeitherClampsNorGroupsDigits) {
  SpinField::Properties properties;
  properties.value_type = SpinField::ValueType::Decimal;
  properties.min_value = properties.max_value = 0;
  SpinField field(properties, "", ',');
  EXPECT_EQ(field.Clamp(-5), -5);
  EXPECT_EQ(field.Clamp(1e20L), 1e20L);
  field.SetValue(1234567.5L);
  EXPECT_EQ(field.Text(), "1234567,50");
  field.SetValue(-0.001L);
  EXPECT_EQ(field.Text(), "0,00");
}

struct ReadCase {
  Control control;
  char separator;
  const char* text;
  long double value;
};
void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << ControlName(c.control) << " '" << c.separator << "' \"" << c.text << "\" -> ";
  PrintValue(c.value, os);
}

class ReadValueTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadValueTest, ReadsTheTextWithoutChangingIt) {
  const ReadCase& c = GetParam();
  const SpinField field = Field(c.control, c.text, c.separator);
  EXPECT_EQ(field.Value(), c.value);
  EXPECT_EQ(field.Text(), c.text);
}

// SpinTimeout reads unreadable texts as 10, SpinPitch as 0.44.
INSTANTIATE_TEST_SUITE_P(
    IntegerField, ReadValueTest,
    ::testing::Values(
        ReadCase{Control::SpinTimeout, '.', "500", 500},
        ReadCase{Control::SpinTimeout, '.', "+7", 7}, ReadCase{Control::SpinTimeout, '.', "-3", -3},
        ReadCase{Control::SpinTimeout, '.', "007", 7},
        ReadCase{Control::SpinTimeout, '.', "2147483647", 2147483647.0L},
        ReadCase{Control::SpinTimeout, '.', "-2147483648", -2147483648.0L},
        ReadCase{Control::SpinTimeout, '.', "2147483648", 10},
        ReadCase{Control::SpinTimeout, '.', "-2147483649", 10},
        ReadCase{Control::SpinTimeout, '.', "99999999999999999999", 10},
        ReadCase{Control::SpinTimeout, '.', "", 10}, ReadCase{Control::SpinTimeout, '.', "-", 10},
        ReadCase{Control::SpinTimeout, '.', "+", 10},
        ReadCase{Control::SpinTimeout, '.', "1-2", 10},
        ReadCase{Control::SpinTimeout, '.', "--5", 10},
        ReadCase{Control::SpinTimeout, '.', "+-5", 10},
        ReadCase{Control::SpinTimeout, '.', " 5", 10},
        ReadCase{Control::SpinTimeout, '.', "5 ", 10},
        ReadCase{Control::SpinTimeout, '.', "1.5", 10},
        ReadCase{Control::SpinTimeout, '.', "1e3", 10},
        ReadCase{Control::SpinTimeout, '.', "1,000", 10},
        ReadCase{Control::SpinTimeout, '.', "0x1A", 10},
        ReadCase{Control::SpinTimeout, '.', "abc", 10}, ReadCase{Control::SpinCopies, '.', "", 1},
        ReadCase{Control::SpinCopies, '.', "0", 0}));

INSTANTIATE_TEST_SUITE_P(DecimalField, ReadValueTest,
                         ::testing::Values(ReadCase{Control::SpinPitch, '.', "12", 12},
                                           ReadCase{Control::SpinPitch, '.', "0.44", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "12.5", 12.5L},
                                           ReadCase{Control::SpinPitch, '.', "+2.5", 2.5L},
                                           ReadCase{Control::SpinPitch, '.', "-1", -1},
                                           ReadCase{Control::SpinPitch, '.', ".5", 0.5L},
                                           ReadCase{Control::SpinPitch, '.', "5.", 5},
                                           ReadCase{Control::SpinPitch, '.', "500", 500},
                                           ReadCase{Control::SpinPitch, '.', "1e2", 100},
                                           ReadCase{Control::SpinPitch, '.', "1.5E-1", 0.15L},
                                           ReadCase{Control::SpinPitch, '.', "2e+1", 20},
                                           ReadCase{Control::SpinPitch, '.', "", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "-", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', ".", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "1-2", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "1.2.3", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "1,5", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "1e", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "e5", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "1e5000", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "inf", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "nan", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "0x10", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', " 1", 0.44L},
                                           ReadCase{Control::SpinPitch, '.', "1 000", 0.44L},
                                           ReadCase{Control::SpinPitch, ',', "0,44", 0.44L},
                                           ReadCase{Control::SpinPitch, ',', "16,67", 16.67L},
                                           ReadCase{Control::SpinPitch, ',', "1,5e1", 15},
                                           ReadCase{Control::SpinPitch, ',', "1.5", 0.44L},
                                           ReadCase{Control::SpinPitch, ',', "1,2,3", 0.44L},
                                           ReadCase{Control::SpinPoint, '.', "abc", 4}));

TEST(SpinFieldReadValue, DecimalTextReadsAtExtendedPrecision) {
  const SpinField field = Field(Control::SpinPitch, "0.44");
  EXPECT_EQ(field.Value(), 0.44L);
  EXPECT_NE(field.Value(), static_cast<long double>(0.44));
}

TEST(SpinFieldReadValue, UnreadableIntegerFieldGivesMinimumCutTowardZero) {
  EXPECT_EQ(SpinField(IntegerRange(2.7L, 9), "x").Value(), 2);
  EXPECT_EQ(SpinField(IntegerRange(-2.7L, 9), "x").Value(), -2);
}

TEST(SpinFieldReadValue, ParseTextReportsUnreadableText) {
  const SpinField field = Field(Control::SpinPoint, "4.00");
  long double value = 123;
  EXPECT_FALSE(field.ParseText("4..0", value));
  EXPECT_EQ(value, 123);
  EXPECT_TRUE(field.ParseText("4.5", value));
  EXPECT_EQ(value, 4.5L);
}

struct EditCase {
  Control control;
  char separator;
  const char* before;
  const char* after;
};
void PrintTo(const EditCase& c, std::ostream* os) {
  *os << ControlName(c.control) << " '" << c.separator << "' \"" << c.before << "\" -> \""
      << c.after << '"';
}

// The field's text after `edit` ran on a field showing `c.before`.
std::string TextAfter(const EditCase& c, void (SpinField::*edit)()) {
  SpinField field = Field(c.control, c.before, c.separator);
  (field.*edit)();
  return field.Text();
}

class StepUpTest : public ::testing::TestWithParam<EditCase> {};
TEST_P(StepUpTest, StepsFromTheReadValue) {
  EXPECT_EQ(TextAfter(GetParam(), &SpinField::StepUp), GetParam().after);
}
INSTANTIATE_TEST_SUITE_P(Fields, StepUpTest,
                         ::testing::Values(EditCase{Control::SpinPitch, '.', "12", "12.01"},
                                           EditCase{Control::SpinPitch, ',', "12", "12,01"},
                                           EditCase{Control::SpinPitch, ',', "0,44", "0,45"},
                                           EditCase{Control::SpinPoint, '.', "999.75", "999.75"},
                                           EditCase{Control::SpinPoint, '.', "4.00", "4.25"},
                                           EditCase{Control::SpinTimeout, '.', "500", "300"},
                                           EditCase{Control::SpinTimeout, '.', "abc", "11"},
                                           EditCase{Control::SpinTimeout, '.', "", "11"},
                                           EditCase{Control::SpinCopies, '.', "0", "1"},
                                           EditCase{Control::SpinPitch, '.', "x", "0.45"}));

class StepDownTest : public ::testing::TestWithParam<EditCase> {};
TEST_P(StepDownTest, StepsFromTheReadValue) {
  EXPECT_EQ(TextAfter(GetParam(), &SpinField::StepDown), GetParam().after);
}
INSTANTIATE_TEST_SUITE_P(Fields, StepDownTest,
                         ::testing::Values(EditCase{Control::SpinPoint, '.', "10", "9.75"},
                                           EditCase{Control::SpinPoint, '.', "4.00", "4.00"},
                                           EditCase{Control::SpinTimeout, '.', "abc", "10"},
                                           EditCase{Control::SpinTimeout, '.', "500", "300"},
                                           EditCase{Control::SpinLpi, '.', "60", "59"}));

TEST(SpinFieldStep, RepeatedStepsDoNotDrift) {
  SpinField field = Field(Control::SpinPitch, "0.44");
  for (int i = 0; i < 1000; ++i) field.StepUp();
  EXPECT_EQ(field.Text(), "10.44");
  for (int i = 0; i < 1000; ++i) field.StepDown();
  EXPECT_EQ(field.Text(), "0.44");
}

class ExitClampTest : public ::testing::TestWithParam<EditCase> {};
TEST_P(ExitClampTest, OnlyOutOfRangeValuesChangeTheText) {
  EXPECT_EQ(TextAfter(GetParam(), &SpinField::ExitClamp), GetParam().after);
}
INSTANTIATE_TEST_SUITE_P(Fields, ExitClampTest,
                         ::testing::Values(EditCase{Control::SpinTimeout, '.', "500", "300"},
                                           EditCase{Control::SpinTimeout, '.', "5", "10"},
                                           EditCase{Control::SpinTimeout, '.', "0", "10"},
                                           EditCase{Control::SpinTimeout, '.', "150", "150"},
                                           EditCase{Control::SpinTimeout, '.', "+50", "+50"},
                                           EditCase{Control::SpinTimeout, '.', "050", "050"},
                                           EditCase{Control::SpinCopies, '.', "", ""},
                                           EditCase{Control::SpinCopies, '.', "abc", "abc"},
                                           EditCase{Control::SpinPitch, '.', "12", "12"},
                                           EditCase{Control::SpinPitch, '.', "1.2e1", "1.2e1"},
                                           EditCase{Control::SpinPitch, '.', "100", "99.99"},
                                           EditCase{Control::SpinPitch, ',', "0,1", "0,44"},
                                           EditCase{Control::SpinPoint, '.', "1e3", "999.75"}));

TEST(SpinFieldTyping, AcceptsDigitsSignsControlCharactersAndTheSeparator) {
  const SpinField integer = Field(Control::SpinLpi, "0");
  const SpinField pitch = Field(Control::SpinPitch, "0.44");
  const SpinField comma_pitch = Field(Control::SpinPitch, "0,44", ',');
  for (char c : std::string("0123456789+-\b\x03\x16\x18\r\x1b")) {
    EXPECT_TRUE(integer.AcceptsChar(c)) << int{c};
    EXPECT_TRUE(pitch.AcceptsChar(c)) << int{c};
  }
  for (char c : std::string("aAeE .,/$x\x7f\xc3")) {
    EXPECT_FALSE(integer.AcceptsChar(c)) << int{c};
  }
  EXPECT_TRUE(pitch.AcceptsChar('.'));
  EXPECT_FALSE(pitch.AcceptsChar(','));
  EXPECT_FALSE(pitch.AcceptsChar('e'));
  EXPECT_TRUE(comma_pitch.AcceptsChar(','));
  EXPECT_FALSE(comma_pitch.AcceptsChar('.'));
}

TEST(SpinFieldLayout, CreationTextsReadWithinTheirFields) {
  // The decimal minima must equal what their own texts read as, or the exit
  // clamp would rewrite an untouched field.
  for (char separator : {'.', ','}) {
    SpinField pitch(SpinFieldProperties(Control::SpinPitch),
                    SpinFieldInitialText(Control::SpinPitch, separator), separator);
    EXPECT_EQ(pitch.Value(), pitch.properties().min_value);
    pitch.ExitClamp();
    EXPECT_EQ(pitch.Text(), separator == '.' ? "0.44" : "0,44");

    SpinField point(SpinFieldProperties(Control::SpinPoint),
                    SpinFieldInitialText(Control::SpinPoint, separator), separator);
    EXPECT_EQ(point.Value(), 4);
  }
}

TEST(SpinFieldLayout, OnlySpinFieldsHaveProperties) {
  EXPECT_NO_THROW(SpinFieldProperties(Control::RxSpinEdit1));
  EXPECT_THROW(SpinFieldProperties(Control::ComPapersize), std::invalid_argument);
  EXPECT_THROW(SpinFieldInitialText(Control::Gauge, '.'), std::invalid_argument);
}

}  // namespace
}  // namespace zelora
