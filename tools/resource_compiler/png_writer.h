#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zelora::rescomp {

// A minimal PNG of 8-bit RGBA pixels (4 bytes each, top row first). The image
// data goes into stored (uncompressed) deflate blocks, so no compression
// library is needed; for a 32 x 32 icon that costs nothing worth saving.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgba);

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

}  // namespace zelora::rescomp
