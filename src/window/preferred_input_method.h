// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace zelora {

// Names the Korean (Hangul) input method as the preferred one of an entry
// control. On Windows, where the focus decides the thread's keyboard layout,
// the Korean layout is switched on while the control has the focus, when it is
// installed and is not the system's default (the default one when it is not
// installed), and the default layout comes back when the focus leaves. Other
// systems have no call to switch the input method for one control; there the
// preference has no effect.
void PreferKoreanInputMethod(QWidget& control);

}  // namespace zelora
