// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a spin field, as typed or pasted: read the way the field reads
// it and, independently, with the standard library on a normalised copy. Both
// must give the same value or both refuse. The first byte picks the field's
// kind, separator and range; the rest is the text.

#include <cfenv>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>

#include "fuzz_check.h"
#include "spin_field.h"

namespace {

using zelora::SpinField;

enum class Verdict { kRefuse, kRead, kEither };
struct Reading {
  Verdict verdict;
  long double value;
};

// A signed 32-bit decimal integer with an optional sign, the whole text.
// from_chars takes no plus sign, so one before a digit is dropped first.
Reading ReferenceInteger(std::string_view text) {
  if (text.size() >= 2 && text[0] == '+' && text[1] >= '0' && text[1] <= '9') {
    text.remove_prefix(1);
  }
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return Reading{Verdict::kRefuse, 0};
  }
  return Reading{Verdict::kRead, static_cast<long double>(value)};
}

// strtold in the "C" locale reads '.' as the separator and also takes blanks,
// "inf", "nan" and hexadecimal. A text made only of digits, signs, 'e', 'E'
// and the separator can hold none of those, and there strtold's grammar is the
// field's: so any other character is a refusal, and the rest is strtold's,
// which must take the whole text. Numbers that round to infinity, and
// non-zero numbers below the smallest normal long double (where precision
// would be lost), are refused by the field.
Reading ReferenceDecimal(std::string_view text, char separator) {
  std::string copy;
  for (char c : text) {
    if (c == separator) {
      copy += '.';
    } else if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E') {
      copy += c;
    } else {
      return Reading{Verdict::kRefuse, 0};
    }
  }
  if (copy.empty()) return Reading{Verdict::kRefuse, 0};
  char* end = nullptr;
  const long double value = std::strtold(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size()) return Reading{Verdict::kRefuse, 0};
  if (std::isinf(value)) return Reading{Verdict::kRefuse, 0};
  // Whether the exact number lies below the smallest normal value is decided
  // before rounding: read once more rounding toward zero.
  std::fesetround(FE_TOWARDZERO);
  const long double truncated = std::strtold(copy.c_str(), nullptr);
  std::fesetround(FE_TONEAREST);
  if (std::fabs(truncated) < LDBL_MIN) {
    // Zero only when every digit before the exponent is zero.
    const std::string_view mantissa = std::string_view(copy).substr(0, copy.find_first_of("eE"));
    if (mantissa.find_first_of("123456789") != std::string_view::npos) {
      // Within half a step below the smallest normal value the field rounds
      // to 64 bits first and may take the number as that value.
      if (std::fabs(value) == LDBL_MIN) return Reading{Verdict::kEither, value};
      return Reading{Verdict::kRefuse, 0};
    }
  }
  return Reading{Verdict::kRead, value};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  SpinField::Properties properties;
  properties.value_type =
      (mode & 1) != 0 ? SpinField::ValueType::Decimal : SpinField::ValueType::Integer;
  const char separator = (mode & 2) != 0 ? ',' : '.';
  // A field without a range (MinValue equal to MaxValue) does not clamp.
  const bool ranged = (mode & 4) == 0;
  properties.min_value = ranged ? -1000.5L : 7;
  properties.max_value = ranged ? 1000.25L : 7;
  properties.increment = (mode & 8) != 0 ? 0.01L : 1;
  SpinField field(properties, text, separator);

  long double value = 0;
  const bool read = field.ParseText(text, value);
  const Reading expected = properties.value_type == SpinField::ValueType::Integer
                               ? ReferenceInteger(text)
                               : ReferenceDecimal(text, separator);
  if (expected.verdict != Verdict::kEither && read != (expected.verdict == Verdict::kRead)) {
    std::fprintf(stderr, "field %s, standard library %s\n", read ? "reads" : "refuses",
                 read ? "refuses" : "reads");
    FUZZ_CHECK(false);
  }
  if (read) {
    FUZZ_CHECK(value == expected.value);
    FUZZ_CHECK(std::signbit(value) == std::signbit(expected.value) || value != 0);
  }
  // Reading never changes the text, and an unreadable text reads as MinValue.
  const long double shown = field.Value();
  FUZZ_CHECK(field.Text() == text);
  if (!read) FUZZ_CHECK(shown == std::trunc(properties.min_value) || shown == properties.min_value);

  // Whatever a ranged field shows after stepping reads back within its range.
  // (An integer field without a range can step past the 32-bit range, whose
  // text then reads as MinValue.)
  field.StepUp();
  long double after = 0;
  if (ranged) {
    FUZZ_CHECK(field.ParseText(field.Text(), after));
    FUZZ_CHECK(after >= properties.min_value && after <= properties.max_value);
  } else if (properties.value_type == SpinField::ValueType::Decimal) {
    FUZZ_CHECK(field.ParseText(field.Text(), after));
  }
  // Leaving the field puts a readable value in range and leaves anything else.
  field.SetText(text);
  field.ExitClamp();
  if (ranged && read) {
    FUZZ_CHECK(field.Value() >= properties.min_value && field.Value() <= properties.max_value);
  }
  if (!read) FUZZ_CHECK(field.Text() == text);
  return 0;
}
