#include "decimal_conversion.h"

#include <cfloat>
#include <cmath>
#include <string>

#ifdef _WIN32
#include <cerrno>
#include <cstdlib>
#else
#include <charconv>
#include <system_error>
#endif

namespace zelora {

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
#ifdef _WIN32
  // MinGW's std::from_chars for long double drops low mantissa bits; its
  // strtold rounds correctly. The text has no decimal point, so the locale
  // does not matter.
  char* end = nullptr;
  errno = 0;
  value = std::strtold(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return false;
#else
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ptr != text.data() + text.size()) return false;
  if (result.ec != std::errc()) return false;
#endif
  // Too large, or too small to keep full precision (zero from non-zero
  // digits, or subnormal).
  if (!std::isfinite(value) || std::fabs(value) < LDBL_MIN) return false;
  out = value;
  return true;
}

}  // namespace zelora
