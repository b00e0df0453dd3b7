// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_placement.h"

#include <algorithm>

namespace zelora {

QPoint ReachablePosition(QPoint top_left, QSize size, std::span<const QRect> screens,
                         const QRect& primary) {
  if (screens.empty() || primary.isEmpty()) return top_left;
  // Edges in 64 bits: a corner stored near the limit of an int would
  // overflow the right or bottom edge (QRect keeps them as ints).
  using Edge = long long;
  const Edge left = top_left.x();
  const Edge top = top_left.y();
  const Edge right = left + std::max(size.width(), 1);
  const Edge bottom = top + kTitleBarHeight;
  for (const QRect& screen : screens) {
    const Edge screen_left = screen.x();
    const Edge screen_top = screen.y();
    if (screen.isEmpty()) continue;
    if (left < screen_left + screen.width() && screen_left < right &&
        top < screen_top + screen.height() && screen_top < bottom) {
      return top_left;
    }
  }
  return {primary.left() + std::max(0, (primary.width() - size.width()) / 2),
          primary.top() + std::max(0, (primary.height() - size.height()) / 2)};
}

}  // namespace zelora
