// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The status bar as drawn: where the bevels of its panels run, and where text
// has ink.

#include <QColor>
#include <QImage>
#include <vector>

namespace zelora::testing {

// The columns down which a bevel edge of `colour` runs: in that colour on
// every row between the bevels' top and bottom edges.
inline std::vector<int> EdgeColumns(const QImage& bar, const QColor& colour) {
  std::vector<int> columns;
  for (int x = 0; x < bar.width(); ++x) {
    bool edge = true;
    for (int y = 3; y < bar.height() - 1 && edge; ++y) edge = bar.pixelColor(x, y) == colour;
    if (edge) columns.push_back(x);
  }
  return columns;
}

// The columns from `left` to `right` with a pixel between the bevels' top and
// bottom edges that differs from `ground`.
inline std::vector<int> InkColumns(const QImage& bar, int left, int right, const QColor& ground) {
  std::vector<int> columns;
  for (int x = left; x <= right; ++x) {
    bool ink = false;
    for (int y = 3; y < bar.height() - 1 && !ink; ++y) ink = bar.pixelColor(x, y) != ground;
    if (ink) columns.push_back(x);
  }
  return columns;
}

}  // namespace zelora::testing
