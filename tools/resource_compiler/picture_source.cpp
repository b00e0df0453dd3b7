// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_source.h"

#include <charconv>

namespace zelora::rescomp {

SourceError::SourceError(int line, const std::string& message)
    : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + message : message),
      line_(line) {}

const Rgb* ImageSource::ColourOf(char c) const {
  for (const auto& [ch, rgb] : colours) {
    if (ch == c) return &rgb;
  }
  return nullptr;
}

namespace {

constexpr int kMaxBitmapSide = 4096;
constexpr int kMaxIconSide = 256;

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

int ParseInt(std::string_view word, int line, int lo, int hi, const char* what) {
  int value = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc{} || end != word.data() + word.size() || value < lo || value > hi) {
    throw SourceError(line, std::string(what) + " must be a whole number from " +
                                std::to_string(lo) + " to " + std::to_string(hi) + ", not '" +
                                std::string(word) + "'");
  }
  return value;
}

bool IsPixelChar(char c) { return c > ' ' && c < 0x7F; }

char ParsePixelChar(std::string_view word, int line) {
  if (word.size() != 1 || !IsPixelChar(word[0])) {
    throw SourceError(
        line, "a pixel character is one printable character, not '" + std::string(word) + "'");
  }
  return word[0];
}

void CheckRowChars(const ImageSource& image, std::string_view row, int line) {
  for (char c : row) {
    if (image.ColourOf(c) == nullptr && !image.IsTransparent(c)) {
      throw SourceError(line, std::string("pixel character '") + c + "' has no colour");
    }
  }
}

class Parser {
 public:
  explicit Parser(std::string_view text) : lines_(SplitLines(text)) {}

  PictureSource Run() {
    while (next_ < lines_.size()) {
      int line = static_cast<int>(next_) + 1;
      std::string_view text = TrimRight(lines_[next_++]);
      std::vector<std::string_view> words = Words(text);
      if (words.empty() || words[0].front() == '#') continue;
      Directive(words, line);
    }
    Finish();
    return std::move(source_);
  }

 private:
  ImageSource& Current(std::string_view directive, int line) {
    if (source_.images.empty()) {
      throw SourceError(line, "'" + std::string(directive) + "' before any 'image'");
    }
    return source_.images.back();
  }

  void Expect(const std::vector<std::string_view>& words, std::size_t count, int line) {
    if (words.size() != count) {
      throw SourceError(line, "'" + std::string(words[0]) + "' takes " + std::to_string(count - 1) +
                                  " argument(s)");
    }
  }

  void Directive(const std::vector<std::string_view>& words, int line) {
    std::string_view d = words[0];
    if (d != "format" && !have_format_) {
      throw SourceError(line, "the file must begin with 'format bmp' or 'format ico'");
    }
    if (d == "format") {
      Expect(words, 2, line);
      if (have_format_) throw SourceError(line, "'format' given twice");
      if (words[1] == "bmp") {
        source_.format = PictureFormat::Bmp;
      } else if (words[1] == "ico") {
        source_.format = PictureFormat::Ico;
      } else {
        throw SourceError(line, "unknown format '" + std::string(words[1]) + "'");
      }
      have_format_ = true;
    } else if (d == "image") {
      Expect(words, 4, line);
      CloseImage(line);
      if (source_.format == PictureFormat::Bmp && !source_.images.empty()) {
        throw SourceError(line, "a bitmap holds exactly one image");
      }
      int max_side = source_.format == PictureFormat::Ico ? kMaxIconSide : kMaxBitmapSide;
      ImageSource image;
      image.width = ParseInt(words[1], line, 1, max_side, "the width");
      image.height = ParseInt(words[2], line, 1, max_side, "the height");
      image.bits_per_pixel = ParseInt(words[3], line, 1, 8, "the bits per pixel");
      if (image.bits_per_pixel != 1 && image.bits_per_pixel != 4 && image.bits_per_pixel != 8) {
        throw SourceError(line, "bits per pixel must be 1, 4 or 8");
      }
      image.line = line;
      source_.images.push_back(std::move(image));
    } else if (d == "colour") {
      ImageSource& image = Current(d, line);
      Expect(words, 5, line);
      NotAfterRows(image, d, line);
      char c = ParsePixelChar(words[1], line);
      if (image.ColourOf(c) != nullptr || image.IsTransparent(c)) {
        throw SourceError(line, std::string("pixel character '") + c + "' declared twice");
      }
      Rgb rgb{static_cast<std::uint8_t>(ParseInt(words[2], line, 0, 255, "red")),
              static_cast<std::uint8_t>(ParseInt(words[3], line, 0, 255, "green")),
              static_cast<std::uint8_t>(ParseInt(words[4], line, 0, 255, "blue"))};
      image.colours.emplace_back(c, rgb);
    } else if (d == "transparent") {
      ImageSource& image = Current(d, line);
      if (words.size() < 2) throw SourceError(line, "'transparent' needs pixel characters");
      NotAfterRows(image, d, line);
      if (source_.format != PictureFormat::Ico) {
        throw SourceError(line,
                          "only icon images have see-through pixels; a bitmap marks "
                          "them by the colour of its bottom-left pixel");
      }
      for (std::size_t i = 1; i < words.size(); ++i) {
        char c = ParsePixelChar(words[i], line);
        if (image.ColourOf(c) != nullptr || image.IsTransparent(c)) {
          throw SourceError(line, std::string("pixel character '") + c + "' declared twice");
        }
        image.transparent.push_back(c);
      }
    } else if (d == "relief") {
      ImageSource& image = Current(d, line);
      Expect(words, 1, line);
      NotAfterRows(image, d, line);
      if (source_.format != PictureFormat::Bmp) {
        throw SourceError(line, "'relief' is for bitmaps");
      }
      if (image.bits_per_pixel == 1) {
        throw SourceError(line, "'relief' needs 4 or 8 bits per pixel");
      }
      if (image.width * 2 > kMaxBitmapSide) throw SourceError(line, "image too wide for 'relief'");
      image.relief = true;
    } else if (d == "rows") {
      ImageSource& image = Current(d, line);
      Expect(words, 1, line);
      NotAfterRows(image, d, line);
      ReadRows(image, line);
    } else if (d == "rows-like") {
      ImageSource& image = Current(d, line);
      Expect(words, 2, line);
      NotAfterRows(image, d, line);
      int count = static_cast<int>(source_.images.size());
      if (count < 2) throw SourceError(line, "'rows-like' needs an earlier image");
      int n = ParseInt(words[1], line, 1, count - 1, "the image number");
      const ImageSource& other = source_.images[n - 1];
      if (other.width != image.width || other.height != image.height) {
        throw SourceError(line, "image " + std::to_string(n) + " has another size");
      }
      for (const std::string& row : other.rows) CheckRowChars(image, row, line);
      image.rows = other.rows;
    } else {
      throw SourceError(line, "unknown directive '" + std::string(d) + "'");
    }
  }

  static void NotAfterRows(const ImageSource& image, std::string_view d, int line) {
    if (!image.rows.empty()) {
      throw SourceError(line, "'" + std::string(d) + "' after the rows of its image");
    }
  }

  void ReadRows(ImageSource& image, int directive_line) {
    for (int y = 0; y < image.height; ++y) {
      if (next_ >= lines_.size()) {
        throw SourceError(directive_line, "the image needs " + std::to_string(image.height) +
                                              " rows, the file ends after " + std::to_string(y));
      }
      int line = static_cast<int>(next_) + 1;
      std::string_view row = TrimRight(lines_[next_++]);
      if (static_cast<int>(row.size()) != image.width) {
        throw SourceError(line, "row " + std::to_string(y + 1) + " has " +
                                    std::to_string(row.size()) + " pixels, the image is " +
                                    std::to_string(image.width) + " wide");
      }
      CheckRowChars(image, row, line);
      image.rows.emplace_back(row);
    }
  }

  void CloseImage(int line) {
    if (!source_.images.empty() && source_.images.back().rows.empty()) {
      throw SourceError(line, "the image begun on line " +
                                  std::to_string(source_.images.back().line) + " has no rows");
    }
  }

  void Finish() {
    int end_line = static_cast<int>(lines_.size());
    if (!have_format_) throw SourceError(0, "empty picture source");
    if (source_.images.empty()) throw SourceError(end_line, "no image");
    CloseImage(end_line);
  }

  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  bool have_format_ = false;
  PictureSource source_;
};

}  // namespace

PictureSource ParsePictureSource(std::string_view text) { return Parser(text).Run(); }

}  // namespace zelora::rescomp
