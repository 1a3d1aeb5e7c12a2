// Reading the values of a stored report definition: booleans, integers, colours, enumeration
// names, and the font, pen and brush sub-properties ("Font.Height", "Pen.Width"). A value that
// cannot be read is a TRpError naming the property.
#pragma once

#include "RpTypes.h"

#include <QStringList>
#include <iterator>

inline constexpr const char *RpPenStyleNames[] = {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot",
                                                  "psClear"};
static_assert(std::size(RpPenStyleNames) == int(metafile::PenStyle::Clear) + 1);
constexpr const auto &storedNames(metafile::PenStyle) { return RpPenStyleNames; }

namespace rp {

bool toBool(const QString &property, const QString &value);
int toInt(const QString &property, const QString &value);
QColor toColor(const QString &property, const QString &value);
// The position of value among count names.
int toIndex(const QString &property, const QString &value, const char *const *names, int count);
// The value of E that value names (storedNames(E())).
template <typename E> E toEnum(const QString &property, const QString &value)
{
    const auto &names = storedNames(E());
    return E(toIndex(property, value, names, int(std::size(names))));
}

// Each answers false when name is not one of its sub-properties.
bool setFontProperty(RpFont &font, const QString &name, const QString &value);
bool setPenProperty(RpPen &pen, const QString &prefix, const QString &name, const QString &value);
bool setBrushProperty(RpBrush &brush, const QString &name, const QString &value);
// A font sub-property of a component that may inherit its font: a font of its own starts
// from the inherited one.
bool setOwnFontProperty(RpFont &font, bool &parentFont, const RpFont &inherited, const QString &name,
                        const QString &value);

} // namespace rp
