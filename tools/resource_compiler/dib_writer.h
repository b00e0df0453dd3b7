// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "indexed_image.h"

namespace zelora::rescomp {

// A Windows icon file holding the images in the given order. Each image is a
// BITMAPINFOHEADER of doubled height, its full palette (1 << bits entries,
// unused ones black), the XOR pixels and the 1-bit AND mask, both bottom-up,
// rows padded to four bytes. Sides above 256 are refused.
//
// Written here rather than by Qt's icon writer, which stores every image at
// 32 bits without a colour count: the window picks its orientation pictures by
// the directory's colour count (the 16-colour image of each), and the
// 2-colour images would no longer be 2-colour ones.
std::vector<std::uint8_t> EncodeIco(const std::vector<IndexedImage>& images);

}  // namespace zelora::rescomp
