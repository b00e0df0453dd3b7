// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "picture_source.h"

namespace zelora::rescomp {

// A palette image ready to be encoded.
struct IndexedImage {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  std::vector<Rgb> palette;          // at most 1 << bits_per_pixel entries
  std::vector<std::uint8_t> pixels;  // palette indices, width * height, top row first
  std::vector<std::uint8_t> mask;    // icons: 1 = see-through; empty when nothing is

  Rgb At(int x, int y) const { return palette[pixels[static_cast<std::size_t>(y) * width + x]]; }
};

// Brightness of a colour as the flat picture buttons grey it.
inline int GreyLevel(Rgb c) { return (77 * c.r + 150 * c.g + 29 * c.b) / 256; }

// Pixels darker than this are the "ink" that the grey relief keeps.
inline constexpr int kReliefInkBelow = 160;
inline constexpr Rgb kReliefShadow{128, 128, 128};
inline constexpr Rgb kReliefHighlight{255, 255, 255};

// The disabled look of a glyph, from its normal picture (width * height
// colours, top row first). Every pixel starts as the transparent colour (that
// of the bottom-left pixel). Each ink pixel (not transparent and of grey level
// below kReliefInkBelow) puts a white highlight one pixel right and one down;
// then every ink pixel itself becomes mid-grey, so the shape looks pressed
// into the button face.
std::vector<Rgb> GreyRelief(const std::vector<Rgb>& picture, int width, int height);

// Turns parsed sources into palette images. The palette holds the declared
// colours in declaration order, each distinct colour once; an icon image has
// black first (its see-through pixels use index 0 so the screen shows through
// the XOR image), a relief image gets grey and white appended when missing.
// Throws SourceError when the colours do not fit the bits per pixel.
std::vector<IndexedImage> BuildImages(const PictureSource& source);

// The pixels as RGBA bytes (4 per pixel), see-through pixels fully transparent.
std::vector<std::uint8_t> ToRgba(const IndexedImage& image);

}  // namespace zelora::rescomp
