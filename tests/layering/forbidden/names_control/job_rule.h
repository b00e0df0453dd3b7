// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Deliberately wrong: the lines rule in the window's words, via SpinLpi.
inline constexpr int kMaxLines = 128;
