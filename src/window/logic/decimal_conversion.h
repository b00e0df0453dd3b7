#pragma once

#include <cstdint>
#include <string_view>

namespace zelora {

// The long double nearest to digits × 10^exponent10, where `digits` are decimal
// digits read as a whole number; halves go to the even neighbour. Written by
// hand because not every standard library converts text to long double at full
// precision. False when the magnitude is too large for a long double, or below
// its smallest normal value, where precision would be lost.
bool DecimalToLongDouble(bool negative, std::string_view digits, std::int64_t exponent10,
                         long double& out);

}  // namespace zelora
