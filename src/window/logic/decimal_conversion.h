// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace zelora {

// The long double nearest to digits × 10^exponent10, where `digits` are decimal
// digits read as a whole number; halves go to the even neighbour. The
// platform's own conversion does the rounding where it is exact (the tests
// hold it to that); elsewhere our own does.
// False when the magnitude is too large for a long double, or below its
// smallest normal value, where precision would be lost.
bool DecimalToLongDouble(bool negative, std::string_view digits, std::int64_t exponent10,
                         long double& out);

}  // namespace zelora
