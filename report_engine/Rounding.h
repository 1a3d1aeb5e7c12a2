// The report engine's names for the page units and the rounding of page drawings (PageUnits.h):
// every real-to-integer conversion of the engine rounds half to even.
#pragma once

#include "PageUnits.h"

namespace rp {

using metafile::PageUnitsPerInch;
using metafile::roundHalfEven;

} // namespace rp
