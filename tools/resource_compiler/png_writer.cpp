#include "png_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

namespace zelora::rescomp {

namespace {

std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type,
              std::span<const std::uint8_t> data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  std::size_t type_at = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, Crc32(std::span(out).subspan(type_at)));
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  static const std::array<std::uint32_t, 256> table = MakeCrcTable();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::uint8_t b : bytes) c = table[(c ^ b) & 0xFFu] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t v : bytes) {
    a = (a + v) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgba) {
  if (width <= 0 || height <= 0 || width > (1 << 14) || height > (1 << 14) ||
      rgba.size() != static_cast<std::size_t>(width) * height * 4) {
    throw std::invalid_argument("PNG size does not match the pixels");
  }

  // Filter type 0 (none) before every scanline.
  std::vector<std::uint8_t> raw;
  std::size_t row_bytes = static_cast<std::size_t>(width) * 4;
  raw.reserve((row_bytes + 1) * height);
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    auto row = rgba.subspan(row_bytes * y, row_bytes);
    raw.insert(raw.end(), row.begin(), row.end());
  }

  std::vector<std::uint8_t> zlib = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
  std::size_t pos = 0;
  do {
    std::size_t len = std::min<std::size_t>(raw.size() - pos, 0xFFFF);
    bool last = pos + len == raw.size();
    zlib.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
    zlib.push_back(static_cast<std::uint8_t>(len & 0xFF));
    zlib.push_back(static_cast<std::uint8_t>(len >> 8));
    zlib.push_back(static_cast<std::uint8_t>(~len & 0xFF));
    zlib.push_back(static_cast<std::uint8_t>((~len >> 8) & 0xFF));
    zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                raw.begin() + static_cast<std::ptrdiff_t>(pos + len));
    pos += len;
  } while (pos < raw.size());
  PutBe32(zlib, Adler32(raw));

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> ihdr;
  PutBe32(ihdr, static_cast<std::uint32_t>(width));
  PutBe32(ihdr, static_cast<std::uint32_t>(height));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter set, no interlace
  PutChunk(out, "IHDR", ihdr);
  PutChunk(out, "IDAT", zlib);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace zelora::rescomp
