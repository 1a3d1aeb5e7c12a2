// Number pictures for printed totals: "#,##0.00", "0.0E+00", "'R$ '#,##0.00;('R$ '#,##0.00);zero".
// Elements: 0 (digit, always shown), # (digit, shown when significant), the decimal point and
// the thousands separator (written with the system's characters), E+ E- e+ e- (exponent),
// quoted literal text, any other character as itself, and up to three sections separated by
// ';' for positive, negative and zero values. An empty picture gives the general form with up
// to 15 significant digits.
#pragma once

#include <QString>

namespace rp {

// Throws TRpError "Format string too long" for a picture longer than 224 characters.
QString formatFloat(const QString &picture, double value);

} // namespace rp
