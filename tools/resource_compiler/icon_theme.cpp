// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon_theme.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace zelora::rescomp {
namespace {

struct Tap {
  int source;
  std::uint64_t weight;
};

// For each of `to` new pixels along one axis, the source pixels it covers and
// by how much, in units of 1/to source pixel: the weights of each add up to
// `from`.
std::vector<std::vector<Tap>> Taps(int from, int to) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
  for (int t = 0; t < to; ++t) {
    const std::int64_t begin = std::int64_t{t} * from;
    const std::int64_t end = begin + from;
    for (std::int64_t s = begin / to; s < from && s * to < end; ++s) {
      const std::int64_t overlap = std::min(end, (s + 1) * to) - std::max(begin, s * to);
      if (overlap > 0)
        taps[t].push_back({static_cast<int>(s), static_cast<std::uint64_t>(overlap)});
    }
  }
  return taps;
}

}  // namespace

std::vector<std::uint8_t> ScaleRgba(std::span<const std::uint8_t> rgba, int width, int height,
                                    int to_width, int to_height) {
  if (width <= 0 || height <= 0 || to_width <= 0 || to_height <= 0 ||
      rgba.size() != static_cast<std::size_t>(width) * height * 4) {
    throw std::invalid_argument("scaling: sizes do not match the pixels");
  }
  const auto columns = Taps(width, to_width);
  const auto rows = Taps(height, to_height);
  const std::uint64_t area = std::uint64_t{static_cast<unsigned>(width)} * height;
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(to_width) * to_height * 4);
  for (const auto& row_taps : rows) {
    for (const auto& column_taps : columns) {
      std::uint64_t alpha = 0;
      std::uint64_t colour[3] = {0, 0, 0};
      for (const Tap& y : row_taps) {
        for (const Tap& x : column_taps) {
          const std::uint8_t* p =
              &rgba[(static_cast<std::size_t>(y.source) * width + x.source) * 4];
          const std::uint64_t weight = x.weight * y.weight * p[3];
          alpha += weight;
          for (int c = 0; c < 3; ++c) colour[c] += weight * p[c];
        }
      }
      for (int c = 0; c < 3; ++c) {
        out.push_back(alpha == 0 ? 0 : static_cast<std::uint8_t>((colour[c] + alpha / 2) / alpha));
      }
      out.push_back(static_cast<std::uint8_t>((alpha + area / 2) / area));
    }
  }
  return out;
}

std::string EncodePixelSvg(const IndexedImage& image) {
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(image.width) +
         "\" height=\"" + std::to_string(image.height) + "\" viewBox=\"0 0 " +
         std::to_string(image.width) + " " + std::to_string(image.height) +
         "\" shape-rendering=\"crispEdges\">\n";
  auto see_through = [&](int x, int y) {
    return !image.mask.empty() && image.mask[static_cast<std::size_t>(y) * image.width + x] != 0;
  };
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width;) {
      int end = x + 1;
      while (end < image.width && see_through(end, y) == see_through(x, y) &&
             (see_through(x, y) || image.At(end, y) == image.At(x, y))) {
        ++end;
      }
      if (!see_through(x, y)) {
        const Rgb c = image.At(x, y);
        char fill[8];
        std::snprintf(fill, sizeof fill, "#%02x%02x%02x", c.r, c.g, c.b);
        svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
               std::to_string(end - x) + "\" height=\"1\" fill=\"" + fill + "\"/>\n";
      }
      x = end;
    }
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace zelora::rescomp
