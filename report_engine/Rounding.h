// Every real-to-integer conversion of the report engine rounds half to even (2.5 gives 2,
// 3.5 gives 4), as the stored report layouts were measured with.
#pragma once

#include <cmath>

namespace rp {

inline int roundHalfEven(double value)
{
    return int(std::nearbyint(value)); // the default rounding mode is to nearest, ties to even
}

// Page units per inch: positions and sizes are screen pixels at 96 per inch.
constexpr int PageUnitsPerInch = 96;

} // namespace rp
