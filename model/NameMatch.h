// The program's own name comparison: lower-case the letters A to Z only, so that names match
// however those letters were typed while accented capitals stay as they are ("Ébano" and
// "ébano" differ here, though the case-insensitive indexes find one from the other).
#pragma once

#include <QString>

namespace melvora {

QString foldAZ(const QString &text);
bool sameNameAZ(const QString &a, const QString &b);

// Equal as the case-insensitive indexes compare keys: letter case ignored, accented capitals
// included; accents themselves still count.
bool sameKey(const QString &a, const QString &b);

} // namespace melvora
