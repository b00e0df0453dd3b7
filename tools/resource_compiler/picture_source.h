// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelora::rescomp {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  auto operator<=>(const Rgb&) const = default;
};

// A mistake in a picture or escape-text source, with the 1-based line it was
// found on (0 when it concerns the whole file).
class SourceError : public std::runtime_error {
 public:
  SourceError(int line, const std::string& message);
  int line() const { return line_; }

 private:
  int line_;
};

enum class PictureFormat { Bmp, Ico };

// One image of a picture source as written: pixel characters, not yet indices.
struct ImageSource {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  std::vector<std::pair<char, Rgb>> colours;  // in the order declared
  std::string transparent;                    // icons only: see-through pixel characters
  bool relief = false;                        // bitmaps only: append the grey relief
  std::vector<std::string> rows;              // top row first
  int line = 0;                               // where the image directive stands

  const Rgb* ColourOf(char c) const;
  bool IsTransparent(char c) const { return transparent.find(c) != std::string::npos; }
};

struct PictureSource {
  PictureFormat format = PictureFormat::Bmp;
  std::vector<ImageSource> images;
};

// Reads the text pixel-map format described in resources/pictures/README.md.
// Throws SourceError on the first mistake.
PictureSource ParsePictureSource(std::string_view text);

}  // namespace zelora::rescomp
