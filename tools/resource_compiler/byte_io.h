// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelora::rescomp {

// Little-endian appenders for the Windows bitmap and icon headers.
inline void PutU8(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFFu));
}
inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU8(out, v);
  PutU8(out, v >> 8);
}
inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v);
  PutU16(out, v >> 16);
}
inline void PutI32(std::vector<std::uint8_t>& out, std::int32_t v) {
  PutU32(out, static_cast<std::uint32_t>(v));
}

// Bounds-checked little-endian reader; every read past the end throws, so a
// truncated or lying header can never make the decoder read out of range.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }

  std::uint8_t U8(std::size_t at) const {
    Need(at, 1);
    return bytes_[at];
  }
  std::uint16_t U16(std::size_t at) const {
    Need(at, 2);
    return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
  }
  std::uint32_t U32(std::size_t at) const {
    Need(at, 4);
    return static_cast<std::uint32_t>(bytes_[at]) |
           (static_cast<std::uint32_t>(bytes_[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes_[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes_[at + 3]) << 24);
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }

  std::span<const std::uint8_t> Slice(std::size_t at, std::size_t length) const {
    Need(at, length);
    return bytes_.subspan(at, length);
  }

 private:
  void Need(std::size_t at, std::size_t length) const {
    if (at > bytes_.size() || length > bytes_.size() - at) {
      throw std::runtime_error("truncated data: " + std::to_string(length) +
                               " bytes wanted at offset " + std::to_string(at) + " of " +
                               std::to_string(bytes_.size()));
    }
  }

  std::span<const std::uint8_t> bytes_;
};

}  // namespace zelora::rescomp
