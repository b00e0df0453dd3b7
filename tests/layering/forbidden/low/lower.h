// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Deliberately wrong: a lower layer reaching up.
#include "upper.h"
