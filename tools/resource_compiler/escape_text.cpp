// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "escape_text.h"

#include <array>
#include <utility>

#include "picture_source.h"

namespace zelora::rescomp {

namespace {

constexpr std::array<std::pair<std::string_view, char>, 6> kNamedBytes = {{
    {"ESC", '\x1B'},
    {"CR", '\r'},
    {"LF", '\n'},
    {"FF", '\f'},
    {"SP", ' '},
    {"TAB", '\t'},
}};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

char Token(std::string_view word, int line) {
  for (const auto& [name, byte] : kNamedBytes) {
    if (word == name) return byte;
  }
  if (word.size() == 3 && word[0] == 'x' && HexDigit(word[1]) >= 0 && HexDigit(word[2]) >= 0) {
    return static_cast<char>(HexDigit(word[1]) * 16 + HexDigit(word[2]));
  }
  throw SourceError(line, "unknown byte name {" + std::string(word) + "}");
}

}  // namespace

std::string CompileEscapeText(std::string_view source) {
  std::string out;
  int line_number = 0;
  while (!source.empty()) {
    ++line_number;
    std::size_t end = source.find('\n');
    std::string_view line = source.substr(0, end);
    source.remove_prefix(end == std::string_view::npos ? source.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (!line.empty() && line.front() == '#') continue;

    for (std::size_t i = 0; i < line.size(); ++i) {
      char c = line[i];
      if (c == '{') {
        if (i + 1 < line.size() && line[i + 1] == '{') {
          out.push_back('{');
          ++i;
          continue;
        }
        std::size_t close = line.find('}', i);
        if (close == std::string_view::npos) throw SourceError(line_number, "'{' without '}'");
        out.push_back(Token(line.substr(i + 1, close - i - 1), line_number));
        i = close;
      } else if (c < ' ' || c > '~') {
        throw SourceError(line_number, "a byte outside printable ASCII must be written in braces");
      } else {
        out.push_back(c);
      }
    }
  }
  return out;
}

}  // namespace zelora::rescomp
