// Edit masks as the field definitions store them ("!99/99/00;1;_": a 9 is a digit that may be
// left blank, a 0 one that must be typed) and their Qt form, whose digit letters are the other
// way round ("00/00/99;_").
#pragma once

#include "Schema.h"

#include <QString>

namespace dataaware {

// The stored edit mask of a field: the date mask for date fields, none for text.
QString storedEditMask(const tables::FieldDef &field);

// The QLineEdit input mask for a stored mask; empty for an empty mask.
QString qtInputMask(const QString &storedMask);

} // namespace dataaware
