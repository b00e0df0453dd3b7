// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zelora::rescomp {

// A minimal PNG of 8-bit RGBA pixels (4 bytes each, top row first): one IDAT
// chunk compressed with zlib, no filtering.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgba);

}  // namespace zelora::rescomp
