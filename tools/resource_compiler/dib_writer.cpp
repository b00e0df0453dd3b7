// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dib_writer.h"

#include <stdexcept>

namespace zelora::rescomp {

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kIconDirSize = 6;
constexpr std::uint32_t kIconEntrySize = 16;

// Little-endian appenders for the icon's headers.
void PutU8(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFFu));
}
void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU8(out, v);
  PutU8(out, v >> 8);
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v);
  PutU16(out, v >> 16);
}

// Bytes per stored row of a bitmap of this width and depth.
std::uint32_t DibStride(int width, int bits_per_pixel) {
  return ((static_cast<std::uint32_t>(width) * bits_per_pixel + 31) / 32) * 4;
}

void CheckImage(const IndexedImage& image) {
  int bpp = image.bits_per_pixel;
  if (bpp != 1 && bpp != 4 && bpp != 8) throw std::invalid_argument("bits per pixel not 1, 4, 8");
  if (image.width <= 0 || image.height <= 0) throw std::invalid_argument("empty image");
  if (image.width > 256 || image.height > 256) throw std::invalid_argument("icon side > 256");
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
    throw std::invalid_argument("pixel count does not match the size");
  }
  if (!image.mask.empty() && image.mask.size() != image.pixels.size()) {
    throw std::invalid_argument("mask size does not match the size");
  }
  if (image.palette.size() > (std::size_t{1} << bpp)) {
    throw std::invalid_argument("palette larger than the bits per pixel allow");
  }
  for (std::uint8_t p : image.pixels) {
    if (p >= image.palette.size()) throw std::invalid_argument("pixel index outside the palette");
  }
}

void PutInfoHeader(std::vector<std::uint8_t>& out, const IndexedImage& image,
                   std::uint32_t image_size) {
  PutU32(out, kInfoHeaderSize);
  PutU32(out, static_cast<std::uint32_t>(image.width));
  PutU32(out, static_cast<std::uint32_t>(image.height) * 2);  // XOR and AND rows
  PutU16(out, 1);                                             // planes
  PutU16(out, static_cast<std::uint32_t>(image.bits_per_pixel));
  PutU32(out, 0);  // BI_RGB
  PutU32(out, image_size);
  PutU32(out, 0);  // horizontal resolution: unspecified
  PutU32(out, 0);  // vertical resolution: unspecified
  PutU32(out, 0);  // colours used: all 1 << bits
  PutU32(out, 0);  // important colours: all
}

void PutPalette(std::vector<std::uint8_t>& out, const IndexedImage& image) {
  std::size_t entries = std::size_t{1} << image.bits_per_pixel;
  for (std::size_t i = 0; i < entries; ++i) {
    Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
    PutU8(out, c.b);
    PutU8(out, c.g);
    PutU8(out, c.r);
    PutU8(out, 0);
  }
}

// Packs one value per pixel (palette index or mask bit) at the given depth,
// rows bottom-up, most significant bits first, rows padded to four bytes.
void PutPackedRows(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& values,
                   int width, int height, int bits) {
  std::uint32_t stride = DibStride(width, bits);
  for (int y = height - 1; y >= 0; --y) {
    std::size_t row_start = out.size();
    out.resize(row_start + stride, 0);
    for (int x = 0; x < width; ++x) {
      std::uint32_t v = values[static_cast<std::size_t>(y) * width + x];
      std::size_t bit = static_cast<std::size_t>(x) * bits;
      std::size_t shift = 8 - bits - bit % 8;
      out[row_start + bit / 8] |= static_cast<std::uint8_t>(v << shift);
    }
  }
}

std::uint32_t PixelsSize(const IndexedImage& image) {
  return (DibStride(image.width, image.bits_per_pixel) + DibStride(image.width, 1)) *
         static_cast<std::uint32_t>(image.height);
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(const std::vector<IndexedImage>& images) {
  if (images.empty() || images.size() > 0xFFFF) throw std::invalid_argument("icon image count");
  for (const IndexedImage& image : images) CheckImage(image);

  std::vector<std::uint8_t> out;
  PutU16(out, 0);  // reserved
  PutU16(out, 1);  // type: icon
  PutU16(out, static_cast<std::uint32_t>(images.size()));

  std::uint32_t offset = kIconDirSize + kIconEntrySize * static_cast<std::uint32_t>(images.size());
  for (const IndexedImage& image : images) {
    std::uint32_t size = kInfoHeaderSize + (4u << image.bits_per_pixel) + PixelsSize(image);
    PutU8(out, image.width == 256 ? 0 : image.width);
    PutU8(out, image.height == 256 ? 0 : image.height);
    PutU8(out, image.bits_per_pixel >= 8 ? 0 : 1u << image.bits_per_pixel);
    PutU8(out, 0);   // reserved
    PutU16(out, 1);  // planes
    PutU16(out, static_cast<std::uint32_t>(image.bits_per_pixel));
    PutU32(out, size);
    PutU32(out, offset);
    offset += size;
  }

  for (const IndexedImage& image : images) {
    PutInfoHeader(out, image, PixelsSize(image));
    PutPalette(out, image);
    PutPackedRows(out, image.pixels, image.width, image.height, image.bits_per_pixel);
    std::vector<std::uint8_t> mask = image.mask;
    mask.resize(image.pixels.size(), 0);
    PutPackedRows(out, mask, image.width, image.height, 1);
  }
  return out;
}

}  // namespace zelora::rescomp
