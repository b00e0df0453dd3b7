// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexed_image.h"

#include <algorithm>
#include <string>

namespace zelora::rescomp {

std::vector<Rgb> GreyRelief(const std::vector<Rgb>& picture, int width, int height) {
  if (width <= 0 || height <= 0 || picture.size() != static_cast<std::size_t>(width) * height) {
    return {};
  }
  auto at = [width](int x, int y) { return static_cast<std::size_t>(y) * width + x; };
  const Rgb transparent = picture[at(0, height - 1)];
  auto ink = [&](int x, int y) {
    Rgb c = picture[at(x, y)];
    return c != transparent && GreyLevel(c) < kReliefInkBelow;
  };

  std::vector<Rgb> relief(picture.size(), transparent);
  for (int y = 0; y + 1 < height; ++y) {
    for (int x = 0; x + 1 < width; ++x) {
      if (ink(x, y)) relief[at(x + 1, y + 1)] = kReliefHighlight;
    }
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (ink(x, y)) relief[at(x, y)] = kReliefShadow;
    }
  }
  return relief;
}

namespace {

int IndexOf(const std::vector<Rgb>& palette, Rgb c) {
  auto it = std::find(palette.begin(), palette.end(), c);
  return it == palette.end() ? -1 : static_cast<int>(it - palette.begin());
}

void AddColour(std::vector<Rgb>& palette, Rgb c) {
  if (IndexOf(palette, c) < 0) palette.push_back(c);
}

IndexedImage Build(const ImageSource& src, PictureFormat format) {
  IndexedImage out;
  out.bits_per_pixel = src.bits_per_pixel;
  out.height = src.height;
  out.width = src.relief ? src.width * 2 : src.width;

  if (format == PictureFormat::Ico) out.palette.push_back(Rgb{0, 0, 0});
  for (const auto& [ch, rgb] : src.colours) AddColour(out.palette, rgb);

  // Colours first, top row first; see-through pixels stay black under the mask.
  std::vector<Rgb> left;
  left.reserve(static_cast<std::size_t>(src.width) * src.height);
  bool any_transparent = false;
  for (const std::string& row : src.rows) {
    for (char c : row) {
      const Rgb* rgb = src.ColourOf(c);
      any_transparent = any_transparent || rgb == nullptr;
      left.push_back(rgb != nullptr ? *rgb : Rgb{0, 0, 0});
    }
  }

  std::vector<Rgb> colours;
  if (src.relief) {
    AddColour(out.palette, kReliefShadow);
    AddColour(out.palette, kReliefHighlight);
    std::vector<Rgb> right = GreyRelief(left, src.width, src.height);
    colours.reserve(left.size() * 2);
    for (int y = 0; y < src.height; ++y) {
      auto row = static_cast<std::ptrdiff_t>(y) * src.width;
      colours.insert(colours.end(), left.begin() + row, left.begin() + row + src.width);
      colours.insert(colours.end(), right.begin() + row, right.begin() + row + src.width);
    }
  } else {
    colours = std::move(left);
  }

  std::size_t limit = std::size_t{1} << src.bits_per_pixel;
  if (out.palette.size() > limit) {
    throw SourceError(src.line, std::to_string(out.palette.size()) + " colours" +
                                    (format == PictureFormat::Ico ? " (black included)" : "") +
                                    (src.relief ? " (relief grey and white included)" : "") +
                                    " do not fit " + std::to_string(src.bits_per_pixel) +
                                    " bits per pixel");
  }

  out.pixels.reserve(colours.size());
  for (Rgb c : colours) out.pixels.push_back(static_cast<std::uint8_t>(IndexOf(out.palette, c)));

  if (any_transparent) {
    out.mask.reserve(out.pixels.size());
    for (const std::string& row : src.rows) {
      for (char c : row) out.mask.push_back(src.IsTransparent(c) ? 1 : 0);
    }
  }
  return out;
}

}  // namespace

std::vector<IndexedImage> BuildImages(const PictureSource& source) {
  std::vector<IndexedImage> images;
  images.reserve(source.images.size());
  for (const ImageSource& src : source.images) images.push_back(Build(src, source.format));
  return images;
}

std::vector<std::uint8_t> ToRgba(const IndexedImage& image) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(image.pixels.size() * 4);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    Rgb c = image.palette[image.pixels[i]];
    bool clear = !image.mask.empty() && image.mask[i] != 0;
    rgba.insert(rgba.end(), {c.r, c.g, c.b, static_cast<std::uint8_t>(clear ? 0 : 255)});
  }
  return rgba;
}

}  // namespace zelora::rescomp
