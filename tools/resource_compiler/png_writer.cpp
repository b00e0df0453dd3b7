// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "png_writer.h"

#include <zlib.h>

#include <stdexcept>
#include <string_view>

namespace zelora::rescomp {

namespace {

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type,
              std::span<const std::uint8_t> data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t type_at = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  // The chunk CRC covers the type and the data.
  const uLong crc = crc32(0L, out.data() + type_at, static_cast<uInt>(out.size() - type_at));
  PutBe32(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgba) {
  if (width <= 0 || height <= 0 || width > (1 << 14) || height > (1 << 14) ||
      rgba.size() != static_cast<std::size_t>(width) * height * 4) {
    throw std::invalid_argument("PNG size does not match the pixels");
  }

  // Filter type 0 (none) before every scanline.
  std::vector<std::uint8_t> raw;
  const std::size_t row_bytes = static_cast<std::size_t>(width) * 4;
  raw.reserve((row_bytes + 1) * height);
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    auto row = rgba.subspan(row_bytes * y, row_bytes);
    raw.insert(raw.end(), row.begin(), row.end());
  }

  // IDAT holds exactly a zlib stream: header, deflate data, Adler-32.
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> packed(packed_size);
  if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("PNG image data could not be compressed");
  }
  packed.resize(packed_size);

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> ihdr;
  PutBe32(ihdr, static_cast<std::uint32_t>(width));
  PutBe32(ihdr, static_cast<std::uint32_t>(height));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter set, no interlace
  PutChunk(out, "IHDR", ihdr);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace zelora::rescomp
