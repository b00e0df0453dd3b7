// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Deliberately wrong: a list entry tied to the window's English caption table.
struct Entry {
  const char* word;
  int english_id;
};
