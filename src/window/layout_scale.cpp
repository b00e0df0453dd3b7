// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout_scale.h"

#include <cstdint>
#include <cstdlib>

namespace zelora {

int MulDiv(int value, int numerator, int denominator) {
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const std::int64_t half = std::llabs(denominator) / 2;
  // Round half away from zero on the product's side, then divide.
  const std::int64_t adjusted =
      (product < 0) != (denominator < 0) ? product - half : product + half;
  return static_cast<int>(adjusted / denominator);
}

int ScaledFontPixelSize(int pixel_size, int dpi) {
  return dpi == kLayoutDpi ? pixel_size : MulDiv(pixel_size, dpi, kLayoutDpi);
}

}  // namespace zelora
