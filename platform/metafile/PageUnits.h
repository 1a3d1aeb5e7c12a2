// Page units and rounding, the one home of both for page drawings and everything above them:
// positions and sizes are screen pixels at 96 per inch, and every real-to-integer conversion
// rounds half to even (2.5 gives 2, 3.5 gives 4), as the stored report layouts were measured.
#pragma once

#include <cmath>

namespace metafile {

// Page units per inch.
constexpr int PageUnitsPerInch = 96;

inline int roundHalfEven(double value)
{
    return int(std::nearbyint(value)); // the default rounding mode is to nearest, ties to even
}

} // namespace metafile
