// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "indexed_image.h"

namespace zelora::rescomp {

// A Windows bitmap file: BITMAPFILEHEADER, BITMAPINFOHEADER, the full palette
// (1 << bits entries, unused ones black), uncompressed rows stored bottom-up
// (positive height), each padded to four bytes. Images with see-through pixels
// are refused: bitmaps mark them by colour instead.
std::vector<std::uint8_t> EncodeBmp(const IndexedImage& image);

// A Windows icon file holding the images in the given order. Each image is a
// BITMAPINFOHEADER of doubled height, its full palette, the XOR pixels and the
// 1-bit AND mask, both bottom-up. Sides above 256 are refused.
std::vector<std::uint8_t> EncodeIco(const std::vector<IndexedImage>& images);

// A Windows bitmap file of 32-bit pixels with their alpha, from RGBA bytes
// (rows top-down): BITMAPV4HEADER with bit-field masks for the four channels,
// rows stored bottom-up. Qt reads it without a plugin or an image library.
std::vector<std::uint8_t> EncodeArgbBmp(int width, int height, std::span<const std::uint8_t> rgba);

// Bytes per stored row of a bitmap of this width and depth.
inline std::uint32_t DibStride(int width, int bits_per_pixel) {
  return ((static_cast<std::uint32_t>(width) * bits_per_pixel + 31) / 32) * 4;
}

}  // namespace zelora::rescomp
