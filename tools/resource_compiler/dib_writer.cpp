// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dib_writer.h"

#include <stdexcept>

#include "byte_io.h"

namespace zelora::rescomp {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kIconDirSize = 6;
constexpr std::uint32_t kIconEntrySize = 16;

void CheckImage(const IndexedImage& image) {
  int bpp = image.bits_per_pixel;
  if (bpp != 1 && bpp != 4 && bpp != 8) throw std::invalid_argument("bits per pixel not 1, 4, 8");
  if (image.width <= 0 || image.height <= 0) throw std::invalid_argument("empty image");
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

// BITMAPFILEHEADER of a bitmap whose pixels start at `offset`, with room
// reserved for the rest of the file.
std::vector<std::uint8_t> FileHeader(std::uint32_t offset, std::uint32_t pixels_size) {
  std::vector<std::uint8_t> out;
  out.reserve(offset + pixels_size);
  PutU8(out, 'B');
  PutU8(out, 'M');
  PutU32(out, offset + pixels_size);
  PutU32(out, 0);  // two reserved words
  PutU32(out, offset);
  return out;
}

void PutInfoHeader(std::vector<std::uint8_t>& out, const IndexedImage& image,
                   std::int32_t stored_height, std::uint32_t image_size) {
  PutU32(out, kInfoHeaderSize);
  PutI32(out, image.width);
  PutI32(out, stored_height);
  PutU16(out, 1);  // planes
  PutU16(out, static_cast<std::uint32_t>(image.bits_per_pixel));
  PutU32(out, 0);  // BI_RGB
  PutU32(out, image_size);
  PutI32(out, 0);  // horizontal resolution: unspecified
  PutI32(out, 0);  // vertical resolution: unspecified
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

std::uint32_t IconImageSize(const IndexedImage& image) {
  return kInfoHeaderSize + 4u * (1u << image.bits_per_pixel) +
         (DibStride(image.width, image.bits_per_pixel) + DibStride(image.width, 1)) *
             static_cast<std::uint32_t>(image.height);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const IndexedImage& image) {
  CheckImage(image);
  for (std::uint8_t m : image.mask) {
    if (m != 0) throw std::invalid_argument("a bitmap cannot hold see-through pixels");
  }
  std::uint32_t palette_size = 4u << image.bits_per_pixel;
  std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + palette_size;
  std::uint32_t pixels_size =
      DibStride(image.width, image.bits_per_pixel) * static_cast<std::uint32_t>(image.height);

  std::vector<std::uint8_t> out = FileHeader(offset, pixels_size);
  PutInfoHeader(out, image, image.height, pixels_size);
  PutPalette(out, image);
  PutPackedRows(out, image.pixels, image.width, image.height, image.bits_per_pixel);
  return out;
}

std::vector<std::uint8_t> EncodeArgbBmp(int width, int height, std::span<const std::uint8_t> rgba) {
  if (width <= 0 || height <= 0 || width > (1 << 14) || height > (1 << 14) ||
      rgba.size() != static_cast<std::size_t>(width) * height * 4) {
    throw std::invalid_argument("bitmap size does not match the pixels");
  }
  const std::uint32_t offset = kFileHeaderSize + kV4HeaderSize;
  const auto pixels_size = static_cast<std::uint32_t>(rgba.size());

  std::vector<std::uint8_t> out = FileHeader(offset, pixels_size);
  PutU32(out, kV4HeaderSize);
  PutI32(out, width);
  PutI32(out, height);
  PutU16(out, 1);   // planes
  PutU16(out, 32);  // bits per pixel
  PutU32(out, 3);   // BI_BITFIELDS: the masks below say where each channel is
  PutU32(out, pixels_size);
  PutI32(out, 0);           // horizontal resolution: unspecified
  PutI32(out, 0);           // vertical resolution: unspecified
  PutU32(out, 0);           // colours used: no palette
  PutU32(out, 0);           // important colours: all
  PutU32(out, 0x00FF0000);  // red
  PutU32(out, 0x0000FF00);  // green
  PutU32(out, 0x000000FF);  // blue
  PutU32(out, 0xFF000000);  // alpha
  PutU32(out, 0x73524742);  // colour space 'sRGB'
  out.resize(offset, 0);    // end points and gamma, unused with sRGB
  for (int y = height - 1; y >= 0; --y) {
    const std::size_t row = static_cast<std::size_t>(y) * width * 4;
    for (std::size_t at = row; at < row + static_cast<std::size_t>(width) * 4; at += 4) {
      PutU8(out, rgba[at + 2]);
      PutU8(out, rgba[at + 1]);
      PutU8(out, rgba[at]);
      PutU8(out, rgba[at + 3]);
    }
  }
  return out;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<IndexedImage>& images) {
  if (images.empty() || images.size() > 0xFFFF) throw std::invalid_argument("icon image count");
  for (const IndexedImage& image : images) {
    CheckImage(image);
    if (image.width > 256 || image.height > 256) throw std::invalid_argument("icon side > 256");
  }

  std::vector<std::uint8_t> out;
  PutU16(out, 0);  // reserved
  PutU16(out, 1);  // type: icon
  PutU16(out, static_cast<std::uint32_t>(images.size()));

  std::uint32_t offset = kIconDirSize + kIconEntrySize * static_cast<std::uint32_t>(images.size());
  for (const IndexedImage& image : images) {
    std::uint32_t size = IconImageSize(image);
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
    std::uint32_t xor_size =
        DibStride(image.width, image.bits_per_pixel) * static_cast<std::uint32_t>(image.height);
    std::uint32_t and_size = DibStride(image.width, 1) * static_cast<std::uint32_t>(image.height);
    PutInfoHeader(out, image, image.height * 2, xor_size + and_size);
    PutPalette(out, image);
    PutPackedRows(out, image.pixels, image.width, image.height, image.bits_per_pixel);
    std::vector<std::uint8_t> mask = image.mask;
    mask.resize(image.pixels.size(), 0);
    PutPackedRows(out, mask, image.width, image.height, 1);
  }
  return out;
}

}  // namespace zelora::rescomp
