// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spin_field.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>
#include <utility>

#include "decimal_conversion.h"

namespace zelora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Nearest whole number, a half going to the even neighbour. Independent of the
// floating-point rounding mode.
long double RoundHalfEven(long double x) {
  const long double lower = std::floor(x);
  const long double fraction = x - lower;
  if (fraction > 0.5L) return lower + 1;
  if (fraction < 0.5L) return lower;
  return std::fmod(lower, 2.0L) == 0 ? lower : lower + 1;
}

// A text made of an optional minus sign followed only by zeros and the
// separator is written without the sign: "-0.00" shows as "0.00".
void DropSignOfZero(std::string& text) {
  if (text.empty() || text.front() != '-') return;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (IsDigit(text[i]) && text[i] != '0') return;
  }
  text.erase(0, 1);
}

std::string FormatFixed(long double x, int digits) {
  char buffer[std::numeric_limits<long double>::max_exponent10 + 64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, digits);
  if (result.ec != std::errc()) return {};
  return std::string(buffer, result.ptr);
}

// A whole number in the range of a 64-bit integer is written by the integer
// conversion, which needs none of the floating-point formatting code paged in.
std::string FormatWhole(long double x) {
  constexpr long double kLimit = 0x1p63L;
  if (!(x > -kLimit && x < kLimit)) return FormatFixed(x, 0);
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(x));
  return std::string(buffer, result.ptr);
}

// [sign] digits; the whole text, within the signed 32-bit range.
bool ParseInteger(const std::string& text, long double& out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return false;
  std::int64_t magnitude = 0;
  const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                      : std::int64_t{std::numeric_limits<std::int32_t>::max()};
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > limit) return false;
  }
  out = static_cast<long double>(negative ? -magnitude : magnitude);
  return true;
}

// [sign] (digits [sep digits] | sep digits) [(e|E) [sign] digits], the whole
// text, nothing else: no blanks, no grouping, no "inf", "nan" or hexadecimal.
bool ParseDecimal(const std::string& text, char separator, long double& out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string digits;
  std::int64_t exponent10 = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) digits += text[i];
  if (i < text.size() && text[i] == separator) {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) {
      digits += text[i];
      --exponent10;
    }
  }
  if (digits.empty()) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool exponent_negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    if (i == text.size()) return false;
    // Saturates far beyond any long double exponent.
    constexpr std::int64_t kExponentLimit = 1000000000;
    std::int64_t exponent = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      if (exponent < kExponentLimit) exponent = exponent * 10 + (text[i] - '0');
    }
    exponent10 += exponent_negative ? -exponent : exponent;
  }
  if (i != text.size()) return false;
  // Too large for the type, or too small to keep full precision: not a number.
  return DecimalToLongDouble(negative, digits, exponent10, out);
}

}  // namespace

SpinField::SpinField(const Properties& properties, std::string text, char decimal_separator)
    : properties_(properties), text_(std::move(text)), separator_(decimal_separator) {}

long double SpinField::Clamp(long double x) const {
  if (properties_.min_value == properties_.max_value) return x;
  if (x < properties_.min_value) return properties_.min_value;
  if (x > properties_.max_value) return properties_.max_value;
  return x;
}

void SpinField::SetValue(long double x) {
  long double value = Clamp(x);
  // Not a number has no nearer bound; infinity survives only in a field
  // without a range. Neither has a text, so the field shows its minimum.
  if (!std::isfinite(value)) value = properties_.min_value;
  std::string text;
  if (properties_.value_type == ValueType::Integer) {
    text = FormatWhole(RoundHalfEven(value));
  } else {
    const int digits =
        properties_.decimal < 0 ? 0 : (properties_.decimal > 30 ? 30 : properties_.decimal);
    // A whole number (the factory pitch and point size) is its integer text
    // and zeros: start-up formats it without the floating-point code.
    text = value == std::trunc(value) && std::fabs(value) < 0x1p63L
               ? FormatWhole(value) +
                     (digits > 0 ? "." + std::string(static_cast<std::size_t>(digits), '0') : "")
               : FormatFixed(value, digits);
    for (char& c : text) {
      if (c == '.') c = separator_;
    }
  }
  DropSignOfZero(text);
  text_ = std::move(text);
}

bool SpinField::ParseText(const std::string& text, long double& out) const {
  if (properties_.value_type == ValueType::Integer) return ParseInteger(text, out);
  return ParseDecimal(text, separator_, out);
}

long double SpinField::Value() const {
  long double value = 0;
  if (ParseText(text_, value)) return value;
  if (properties_.value_type == ValueType::Integer) return std::trunc(properties_.min_value);
  return properties_.min_value;
}

void SpinField::StepUp() { SetValue(Value() + properties_.increment); }

void SpinField::StepDown() { SetValue(Value() - properties_.increment); }

void SpinField::ExitClamp() {
  const long double value = Value();
  if (Clamp(value) != value) SetValue(value);
}

bool SpinField::AcceptsChar(char c) const {
  const auto code = static_cast<unsigned char>(c);
  if (code < 32) return true;
  if (IsDigit(c) || c == '+' || c == '-') return true;
  return properties_.value_type == ValueType::Decimal && c == separator_;
}

}  // namespace zelora
