// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dib_reader.h"

#include <stdexcept>
#include <string>

#include "byte_io.h"
#include "dib_writer.h"

namespace zelora::rescomp {

namespace {

constexpr std::int32_t kMaxSide = 1 << 14;

// Reads BITMAPINFOHEADER and palette at `at`; returns the offset after them.
std::size_t ReadInfoHeader(const ByteReader& in, std::size_t at, DibImage& dib) {
  std::uint32_t header_size = in.U32(at);
  if (header_size < 40) {
    throw std::runtime_error("not a BITMAPINFOHEADER (size " + std::to_string(header_size) + ")");
  }
  dib.width = in.I32(at + 4);
  dib.stored_height = in.I32(at + 8);
  dib.planes = in.U16(at + 12);
  dib.bits_per_pixel = in.U16(at + 14);
  dib.compression = in.U32(at + 16);
  dib.colours_used = in.U32(at + 32);
  if (dib.width <= 0 || dib.width > kMaxSide || dib.stored_height == 0 ||
      dib.stored_height < -kMaxSide || dib.stored_height > kMaxSide) {
    throw std::runtime_error("unreasonable bitmap size");
  }
  if (dib.bits_per_pixel != 1 && dib.bits_per_pixel != 4 && dib.bits_per_pixel != 8) {
    throw std::runtime_error("only palette bitmaps are decoded (bits per pixel " +
                             std::to_string(dib.bits_per_pixel) + ")");
  }
  if (dib.compression != 0) throw std::runtime_error("compressed bitmaps are not decoded");
  std::uint32_t entries = dib.colours_used != 0 ? dib.colours_used : 1u << dib.bits_per_pixel;
  if (entries > (1u << dib.bits_per_pixel)) throw std::runtime_error("palette too large");
  std::size_t pal = at + header_size;
  dib.palette.clear();
  for (std::uint32_t i = 0; i < entries; ++i) {
    std::size_t e = pal + 4 * std::size_t{i};
    dib.palette.push_back(Rgb{in.U8(e + 2), in.U8(e + 1), in.U8(e)});
  }
  return pal + 4 * std::size_t{entries};
}

// Unpacks rows of `bits`-deep values stored at `at`; bottom_up says which
// stored row is the top one. Returns the values top row first.
std::vector<std::uint8_t> ReadPackedRows(const ByteReader& in, std::size_t at, int width,
                                         int height, int bits, bool bottom_up) {
  std::uint32_t stride = DibStride(width, bits);
  std::span<const std::uint8_t> data = in.Slice(at, std::size_t{stride} * height);
  std::vector<std::uint8_t> values(static_cast<std::size_t>(width) * height);
  unsigned mask = (1u << bits) - 1;
  for (int y = 0; y < height; ++y) {
    int stored_row = bottom_up ? height - 1 - y : y;
    const std::uint8_t* row = data.data() + std::size_t{stride} * stored_row;
    for (int x = 0; x < width; ++x) {
      std::size_t bit = static_cast<std::size_t>(x) * bits;
      std::size_t shift = 8 - bits - bit % 8;
      values[static_cast<std::size_t>(y) * width + x] =
          static_cast<std::uint8_t>((row[bit / 8] >> shift) & mask);
    }
  }
  return values;
}

}  // namespace

BmpFile DecodeBmp(std::span<const std::uint8_t> bytes) {
  ByteReader in(bytes);
  if (in.U8(0) != 'B' || in.U8(1) != 'M') throw std::runtime_error("not a bitmap file");
  BmpFile bmp;
  bmp.file_size = in.U32(2);
  bmp.pixel_offset = in.U32(10);
  DibImage& dib = bmp.image;
  ReadInfoHeader(in, 14, dib);
  dib.height = dib.stored_height < 0 ? -dib.stored_height : dib.stored_height;
  dib.pixels = ReadPackedRows(in, bmp.pixel_offset, dib.width, dib.height, dib.bits_per_pixel,
                              dib.stored_height > 0);
  return bmp;
}

std::vector<IcoEntry> DecodeIco(std::span<const std::uint8_t> bytes) {
  ByteReader in(bytes);
  if (in.U16(0) != 0 || in.U16(2) != 1) throw std::runtime_error("not an icon file");
  std::uint16_t count = in.U16(4);
  std::vector<IcoEntry> entries(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    std::size_t e = 6 + 16 * std::size_t{i};
    IcoEntry& entry = entries[i];
    entry.width = in.U8(e);
    entry.height = in.U8(e + 1);
    entry.colour_count = in.U8(e + 2);
    entry.planes = in.U16(e + 4);
    entry.bit_count = in.U16(e + 6);
    entry.bytes = in.U32(e + 8);
    entry.offset = in.U32(e + 12);

    ByteReader image_in(in.Slice(entry.offset, entry.bytes));
    DibImage& dib = entry.image;
    std::size_t at = ReadInfoHeader(image_in, 0, dib);
    if (dib.stored_height <= 0 || dib.stored_height % 2 != 0) {
      throw std::runtime_error("icon image height must be positive and doubled");
    }
    int height = dib.height = dib.stored_height / 2;
    dib.pixels = ReadPackedRows(image_in, at, dib.width, height, dib.bits_per_pixel, true);
    at += std::size_t{DibStride(dib.width, dib.bits_per_pixel)} * height;
    dib.mask = ReadPackedRows(image_in, at, dib.width, height, 1, true);
  }
  return entries;
}

}  // namespace zelora::rescomp
