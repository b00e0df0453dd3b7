// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "decimal_conversion.h"

#include <cfloat>
#include <cmath>
#include <string>

#ifdef _WIN32
#include <cstddef>
#include <vector>
#else
#include <charconv>
#include <system_error>
#endif

namespace zelora {

#ifdef _WIN32
// MinGW's conversions from text to long double are not exact: from_chars drops
// low mantissa bits and strtold misreads long digit strings (the tests show
// it). So here the rounding is our own, on big integers.
namespace {

static_assert(LDBL_MANT_DIG == 64, "the conversion rounds to a 64-bit mantissa");

// Unsigned big integer, least significant 32-bit limb first.
using BigInt = std::vector<std::uint32_t>;

constexpr std::uint32_t kBillion = 1000000000;

void MulAdd(BigInt& value, std::uint32_t factor, std::uint32_t addend) {
  std::uint64_t carry = addend;
  for (std::uint32_t& limb : value) {
    const std::uint64_t product = std::uint64_t{limb} * factor + carry;
    limb = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) value.push_back(static_cast<std::uint32_t>(carry));
}

// value := value / divisor; returns whether the remainder was non-zero.
bool DivideInexact(BigInt& value, std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (std::size_t i = value.size(); i-- > 0;) {
    const std::uint64_t current = (remainder << 32) | value[i];
    value[i] = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  while (!value.empty() && value.back() == 0) value.pop_back();
  return remainder != 0;
}

void ShiftLeft(BigInt& value, std::int64_t bits) {
  const auto limbs = static_cast<std::size_t>(bits / 32);
  const int rest = static_cast<int>(bits % 32);
  if (rest != 0) {
    std::uint32_t carry = 0;
    for (std::uint32_t& limb : value) {
      const std::uint32_t next = limb >> (32 - rest);
      limb = (limb << rest) | carry;
      carry = next;
    }
    if (carry != 0) value.push_back(carry);
  }
  value.insert(value.begin(), limbs, 0);
}

std::int64_t BitLength(const BigInt& value) {
  if (value.empty()) return 0;
  std::int64_t bits = static_cast<std::int64_t>(value.size() - 1) * 32;
  for (std::uint32_t top = value.back(); top != 0; top >>= 1) ++bits;
  return bits;
}

bool Bit(const BigInt& value, std::int64_t index) {
  const auto limb = static_cast<std::size_t>(index / 32);
  return limb < value.size() && ((value[limb] >> (index % 32)) & 1u) != 0;
}

bool AnyBitBelow(const BigInt& value, std::int64_t index) {
  const auto full_limbs = static_cast<std::size_t>(index / 32);
  for (std::size_t i = 0; i < full_limbs && i < value.size(); ++i) {
    if (value[i] != 0) return true;
  }
  const int rest = static_cast<int>(index % 32);
  return rest != 0 && full_limbs < value.size() &&
         (value[full_limbs] & ((std::uint32_t{1} << rest) - 1)) != 0;
}

std::uint32_t PowerOfTen(int exponent) {
  std::uint32_t power = 1;
  while (exponent-- > 0) power *= 10;
  return power;
}

// More digits than any long double needs to be told apart from the next
// halfway point; further non-zero digits only act as a sticky bit.
constexpr std::size_t kMaxDigits = 12000;

}  // namespace

bool DecimalToLongDouble(bool negative, std::string_view digits, std::int64_t exponent10,
                         long double& out) {
  while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
  while (!digits.empty() && digits.back() == '0') {
    digits.remove_suffix(1);
    ++exponent10;
  }
  if (digits.empty()) {
    out = negative ? -0.0L : 0.0L;
    return true;
  }
  bool sticky = false;
  if (digits.size() > kMaxDigits) {
    exponent10 += static_cast<std::int64_t>(digits.size() - kMaxDigits);
    digits = digits.substr(0, kMaxDigits);
    sticky = true;  // the cut-off part holds a non-zero digit (trailing zeros are gone)
  }
  // The value lies in [10^(magnitude-1), 10^magnitude).
  const std::int64_t magnitude = static_cast<std::int64_t>(digits.size()) + exponent10;
  if (magnitude > LDBL_MAX_10_EXP + 1) return false;
  if (magnitude < LDBL_MIN_10_EXP - 1) return false;

  BigInt value;
  for (std::size_t i = 0; i < digits.size(); i += 9) {
    const std::string_view chunk = digits.substr(i, 9);
    std::uint32_t chunk_value = 0;
    for (char c : chunk) chunk_value = chunk_value * 10 + static_cast<std::uint32_t>(c - '0');
    MulAdd(value, PowerOfTen(static_cast<int>(chunk.size())), chunk_value);
  }

  // value × 2^binary_exponent (+ a sticky fraction) is the number.
  std::int64_t binary_exponent = 0;
  if (exponent10 >= 0) {
    for (std::int64_t left = exponent10; left > 0; left -= 9) {
      MulAdd(value, PowerOfTen(static_cast<int>(left < 9 ? left : 9)), 0);
    }
  } else {
    // Enough extra bits that the quotient keeps 64 bits, a guard bit and more.
    const std::int64_t divisor_bits = (-exponent10 * 33219281) / 10000000 + 1;
    std::int64_t shift = divisor_bits + 64 + 4 - BitLength(value);
    if (shift < 0) shift = 0;
    ShiftLeft(value, shift);
    binary_exponent = -shift;
    for (std::int64_t left = -exponent10; left > 0; left -= 9) {
      const int step = static_cast<int>(left < 9 ? left : 9);
      if (DivideInexact(value, step == 9 ? kBillion : PowerOfTen(step))) sticky = true;
    }
  }

  const std::int64_t length = BitLength(value);
  std::uint64_t mantissa = 0;
  std::int64_t low_bit = 0;  // exponent of the mantissa's lowest bit
  if (length <= 64) {
    for (std::int64_t i = length; i-- > 0;) mantissa = (mantissa << 1) | (Bit(value, i) ? 1 : 0);
    low_bit = binary_exponent;
    // An inexact quotient always keeps more than 64 bits, so nothing is lost here.
  } else {
    const std::int64_t cut = length - 64;
    for (std::int64_t i = length; i-- > cut;) mantissa = (mantissa << 1) | (Bit(value, i) ? 1 : 0);
    const bool guard = Bit(value, cut - 1);
    const bool rest = sticky || AnyBitBelow(value, cut - 1);
    low_bit = binary_exponent + cut;
    if (guard && (rest || (mantissa & 1) != 0)) {
      ++mantissa;
      if (mantissa == 0) {  // carried out of 64 bits
        mantissa = std::uint64_t{1} << 63;
        ++low_bit;
      }
    }
  }
  // Exponent of the leading bit, as frexp would give it minus one.
  std::int64_t lead = low_bit;
  for (std::uint64_t m = mantissa; m > 1; m >>= 1) ++lead;
  if (lead >= LDBL_MAX_EXP) return false;
  if (lead < LDBL_MIN_EXP - 1) return false;

  const long double result =
      std::ldexp(static_cast<long double>(mantissa), static_cast<int>(low_bit));
  out = negative ? -result : result;
  return true;
}

#else

bool DecimalToLongDouble(bool negative, std::string_view digits, std::int64_t exponent10,
                         long double& out) {
  if (digits.find_first_not_of('0') == std::string_view::npos) {
    out = negative ? -0.0L : 0.0L;
    return true;
  }
  std::string text;
  text.reserve(digits.size() + 24);
  if (negative) text += '-';
  text.append(digits);
  text += 'e';
  text += std::to_string(exponent10);

  long double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ptr != text.data() + text.size() || result.ec != std::errc()) return false;
  // Too large, or too small to keep full precision (zero from non-zero
  // digits, or subnormal).
  if (!std::isfinite(value) || std::fabs(value) < LDBL_MIN) return false;
  out = value;
  return true;
}

#endif

}  // namespace zelora
