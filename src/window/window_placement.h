// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <span>

namespace zelora {

// How much of the window's top edge is taken as its title bar: the strip a
// user grabs to move the window.
inline constexpr int kTitleBarHeight = 30;

// Where a window whose frame has its top-left corner at `top_left` and is
// `size` large can be reached: that corner while some of its title-bar strip
// (the top kTitleBarHeight pixels across its width) lies on one of `screens`;
// otherwise, as when the screen it was left on has gone, centred on `primary`
// (at its top-left corner when the window is larger). With no screens at all
// the position stays. Any corner is taken, the stored extremes of a 32-bit
// coordinate among them.
QPoint ReachablePosition(QPoint top_left, QSize size, std::span<const QRect> screens,
                         const QRect& primary);

}  // namespace zelora
