// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Deliberately wrong: a list entry's caption in the Russian face.
inline constexpr const char* kMediumDensity = "Средняя";
