// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

#include "window_layout.h"

class QWidget;

namespace zelora {

// What a screen reader hears of the window's controls, in the face showing.

// The label of the layout that names `control`: among the labels of its
// container, the nearest one on its left whose line overlaps it, else the
// nearest one just above it whose column overlaps it. nullptr when none does.
const ControlLayout* LabelFor(std::span<const ControlLayout> container,
                              const ControlLayout& control);

// Gives the widget of `layout` its accessible name (its caption, else its
// label's text, else its hint, else what it shows or belongs to) and its
// accessible description (the hint the hint line shows for it); a spin
// field's editor gets the same. `siblings` is the layout table holding it,
// `page` the caption of its page (empty on the window itself).
void SetAccessibleTexts(QWidget& widget, const ControlLayout& layout,
                        std::span<const ControlLayout> siblings, const LayoutText& page);

// Teaches the accessibility framework the window's own kinds of control: a
// spin field is a spin box with a value, the gauge a progress bar, the
// status bar a status bar. Safe to call more than once.
void InstallAccessibleKinds();

}  // namespace zelora
