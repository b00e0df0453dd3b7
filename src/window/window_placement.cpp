// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_placement.h"

#include <algorithm>

namespace zelora {

QPoint ReachablePosition(const QRect& frame, std::span<const QRect> screens, const QRect& primary) {
  if (screens.empty() || primary.isEmpty()) return frame.topLeft();
  const QRect title_bar(frame.left(), frame.top(), std::max(frame.width(), 1), kTitleBarHeight);
  for (const QRect& screen : screens) {
    if (screen.intersects(title_bar)) return frame.topLeft();
  }
  return {primary.left() + std::max(0, (primary.width() - frame.width()) / 2),
          primary.top() + std::max(0, (primary.height() - frame.height()) / 2)};
}

}  // namespace zelora
