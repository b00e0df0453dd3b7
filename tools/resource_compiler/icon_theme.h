// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "indexed_image.h"

namespace zelora::rescomp {

// Resamples RGBA pixels (4 bytes each, top row first) with a box filter: each
// new pixel is the average of the source area it covers, weighted by overlap
// and by alpha, so see-through pixels lend no colour. Enlarging by a whole
// factor thus repeats pixels exactly, while shrinking keeps one-pixel lines as
// lighter ones instead of dropping every other one.
std::vector<std::uint8_t> ScaleRgba(std::span<const std::uint8_t> rgba, int width, int height,
                                    int to_width, int to_height);

// The image as an SVG on a grid of one unit per pixel: a rectangle for each
// run of one colour in a row, see-through pixels left out. Crisp edges keep
// neighbouring rectangles from showing seams when drawn at other sizes.
std::string EncodePixelSvg(const IndexedImage& image);

}  // namespace zelora::rescomp
