// Reading the values of a stored report definition: booleans, integers, colours, enumeration
// names, and the font, pen and brush sub-properties ("Font.Height", "Pen.Width"). A value that
// cannot be read is a TRpError naming the property.
#pragma once

#include "RpTypes.h"

#include <QStringList>

namespace rp {

bool toBool(const QString &property, const QString &value);
int toInt(const QString &property, const QString &value);
QColor toColor(const QString &property, const QString &value);
// The position of value in names (the enumeration's stored names, in order).
int toEnum(const QString &property, const QString &value, const QStringList &names);

// Each answers false when name is not one of its sub-properties.
bool setFontProperty(RpFont &font, const QString &name, const QString &value);
bool setPenProperty(RpPen &pen, const QString &prefix, const QString &name, const QString &value);
bool setBrushProperty(RpBrush &brush, const QString &name, const QString &value);

extern const QStringList BandTypeNames;
extern const QStringList AlignmentNames;

} // namespace rp
