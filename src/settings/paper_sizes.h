// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace zelora {

// One paper size of the paper-size list: what the printer calls it, and how
// many lines fit a page of it. The line counts are the printer's own figures
// for its printable area, not a formula of the sheet's size. The stored value
// is the list index; the names the list shows are the window's.
struct PaperSize {
  std::string_view pjl_word;         // "@PJL DEFAULT PAPER=<word>"; empty for the custom size
  std::string_view portrait_lines;   // FORMLINES in portrait; empty for the custom size
  std::string_view landscape_lines;  // FORMLINES in landscape; empty for the custom size
};

inline constexpr std::size_t kPaperSizeCount = 13;

// In list order: the list index is the table index. The last entry is the
// custom size, whose job and line count come from the custom width and height.
// clang-format off
inline constexpr std::array<PaperSize, kPaperSizeCount> kPaperSizeTable{{
    {"LETTER",    "60", "45"},
    {"LEGAL",     "78", "45"},
    {"A4",        "64", "43"},
    {"EXECUTIVE", "57", "37"},
    {"COM10",     "51", "18"},
    {"MONARCH",   "39", "17"},
    {"DL",        "45", "19"},
    {"C5",        "39", "32"},
    {"B5",        "53", "35"},
    {"FOLIO",     "71", "48"},
    {"A5",        "43", "28"},
    {"C6",        "32", "20"},
    {"",          "",   ""},  // the custom size
}};
// clang-format on

// The custom size the printer takes, in millimetres; its fields take no other,
// and a size outside is neither sent nor stored.
struct SizeLimits {
  long double min = 0;
  long double max = 0;
};
inline constexpr SizeLimits kCustomWidthLimits{75, 216};
inline constexpr SizeLimits kCustomHeightLimits{125, 356};

}  // namespace zelora
