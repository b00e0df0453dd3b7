// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "picture_source.h"

namespace zelora::rescomp {

// A decoded device-independent bitmap, as its headers describe it. Only
// uncompressed palette images (1, 4 or 8 bits per pixel) are decoded; anything
// else, or a header that points outside the data, throws std::runtime_error.
struct DibImage {
  std::int32_t width = 0;
  std::int32_t stored_height = 0;  // as in the header: positive means bottom-up rows
  std::int32_t height = 0;         // rows decoded (an icon header stores twice as many)
  std::uint16_t planes = 0;
  std::uint16_t bits_per_pixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t colours_used = 0;    // header field; 0 means 1 << bits
  std::vector<Rgb> palette;          // every entry stored
  std::vector<std::uint8_t> pixels;  // indices, top row first
  std::vector<std::uint8_t> mask;    // icons only: 1 = see-through, top row first

  Rgb At(int x, int y) const {
    return palette.at(pixels.at(static_cast<std::size_t>(y) * width + x));
  }
};

struct BmpFile {
  std::uint32_t file_size = 0;  // header field
  std::uint32_t pixel_offset = 0;
  DibImage image;
};

struct IcoEntry {
  std::uint8_t width = 0;  // directory fields, 0 meaning 256
  std::uint8_t height = 0;
  std::uint8_t colour_count = 0;
  std::uint16_t planes = 0;
  std::uint16_t bit_count = 0;
  std::uint32_t bytes = 0;
  std::uint32_t offset = 0;
  DibImage image;  // stored_height is the doubled height of the icon header
};

BmpFile DecodeBmp(std::span<const std::uint8_t> bytes);
std::vector<IcoEntry> DecodeIco(std::span<const std::uint8_t> bytes);

}  // namespace zelora::rescomp
