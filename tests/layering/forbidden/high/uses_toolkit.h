// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Deliberately wrong: the toolkit in a toolkit-free layer.
#include <QString>
