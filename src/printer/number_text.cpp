// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace zelora {

std::string GeneralNumberText(long double value, char decimal_separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";  // also for -0

  // Same rule as printf's %.15g: exponent form when the decimal exponent is
  // below -4 or at least 15, trailing zeros dropped.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (result.ec != std::errc()) return {};
  const std::string raw(buffer, result.ptr);

  std::string text;
  const std::size_t e = raw.find('e');
  const std::string mantissa = raw.substr(0, e);
  for (char c : mantissa) text += c == '.' ? decimal_separator : c;
  if (e != std::string::npos) {
    // "1e+15" -> "1E15", "1.5e-05" -> "1.5E-5"
    std::size_t i = e + 1;
    text += 'E';
    if (i < raw.size() && (raw[i] == '+' || raw[i] == '-')) {
      if (raw[i] == '-') text += '-';
      ++i;
    }
    while (i + 1 < raw.size() && raw[i] == '0') ++i;
    text.append(raw, i, std::string::npos);
  }
  return text;
}

namespace {

// Only a one-character '.' or ',' is taken; the fields and the printer jobs
// cannot carry anything else.
char UsableSeparator(const char* text) {
  if (text == nullptr || text[0] == '\0' || text[1] != '\0') return '.';
  return text[0] == ',' ? ',' : '.';
}

#ifndef _WIN32
// Owns a locale object made with newlocale().
class LocaleHandle {
 public:
  explicit LocaleHandle(const char* name) : handle_(newlocale(LC_NUMERIC_MASK, name, locale_t{})) {}
  ~LocaleHandle() {
    if (handle_ != locale_t{}) freelocale(handle_);
  }
  LocaleHandle(const LocaleHandle&) = delete;
  LocaleHandle& operator=(const LocaleHandle&) = delete;

  locale_t get() const { return handle_; }

 private:
  locale_t handle_;
};

const char* NumericLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}
#endif

}  // namespace

char UserDecimalSeparator() {
#ifdef _WIN32
  char buffer[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) <= 0) return '.';
  return UsableSeparator(buffer);
#else
  const LocaleHandle locale(NumericLocaleName());
  if (locale.get() == locale_t{}) return '.';
  return UsableSeparator(nl_langinfo_l(RADIXCHAR, locale.get()));
#endif
}

}  // namespace zelora
