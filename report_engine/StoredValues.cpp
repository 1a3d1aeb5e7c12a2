#include "StoredValues.h"
#include "Rounding.h"

#include <QHash>
#include <algorithm>

namespace rp {

namespace {

[[noreturn]] void invalid(const QString &property, const QString &value)
{
    throw TRpError(QStringLiteral("Invalid property value: %1 = \"%2\"").arg(property, value));
}

} // namespace

bool toBool(const QString &property, const QString &value)
{
    const QString v = value.trimmed().toLower();
    if (v == "true")
        return true;
    if (v == "false")
        return false;
    invalid(property, value);
}

int toInt(const QString &property, const QString &value)
{
    bool ok = false;
    const int v = value.trimmed().toInt(&ok);
    if (!ok)
        invalid(property, value);
    return v;
}

QColor toColor(const QString &property, const QString &value)
{
    static const QHash<QString, QRgb> named = {
        {"clblack", 0x000000}, {"clwhite", 0xffffff}, {"clred", 0xff0000}, {"cllime", 0x00ff00},
        {"clblue", 0x0000ff}, {"clgray", 0x808080}, {"clsilver", 0xc0c0c0}, {"clmaroon", 0x800000},
        {"clgreen", 0x008000}, {"clnavy", 0x000080}, {"clyellow", 0xffff00}, {"clwindowtext", 0x000000},
        {"clwindow", 0xffffff}, {"clbtnface", 0xc0c0c0}};
    const QString v = value.trimmed();
    const auto it = named.find(v.toLower());
    if (it != named.end())
        return QColor(*it);
    // Stored colours are $00BBGGRR (hexadecimal) or the same number in decimal.
    bool ok = false;
    const uint bgr = v.startsWith('$') ? v.mid(1).toUInt(&ok, 16) : v.toUInt(&ok);
    if (!ok || bgr > 0xffffff)
        invalid(property, value);
    return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}

int toIndex(const QString &property, const QString &value, const char *const *names, int count)
{
    const QString v = value.trimmed();
    for (int i = 0; i < count; ++i)
        if (v == QLatin1String(names[i]))
            return i;
    invalid(property, value);
}

bool setFontProperty(RpFont &font, const QString &name, const QString &value)
{
    if (name == "Font.Name")
        font.name = value;
    else if (name == "Font.Height") // -11: a character height of 11 units
        font.pixelHeight = std::abs(toInt(name, value));
    else if (name == "Font.Size") // points
        font.pixelHeight = roundHalfEven(toInt(name, value) * double(PageUnitsPerInch) / 72);
    else if (name == "Font.Color")
        font.color = toColor(name, value);
    else if (name == "Font.Style") {
        static const struct {
            const char *name;
            bool RpFont::*flag;
        } styles[] = {{"fsBold", &RpFont::bold}, {"fsItalic", &RpFont::italic},
                      {"fsUnderline", &RpFont::underline}, {"fsStrikeOut", &RpFont::strikeOut}};
        QString v = value;
        v.remove('[').remove(']').remove(' ');
        const QStringList stored = v.split(',', Qt::SkipEmptyParts);
        for (const QString &s : stored)
            if (std::none_of(std::begin(styles), std::end(styles),
                             [&s](const auto &style) { return s == QLatin1String(style.name); }))
                invalid(name, value);
        for (const auto &style : styles)
            font.*style.flag = stored.contains(QLatin1String(style.name));
    } else if (name == "Font.Charset" || name == "Font.Pitch")
        ; // the character set and pitch are the platform's; nothing here depends on them
    else
        return false;
    return true;
}

bool setPenProperty(RpPen &pen, const QString &prefix, const QString &name, const QString &value)
{
    if (name == prefix + ".Color")
        pen.color = toColor(name, value);
    else if (name == prefix + ".Width")
        pen.width = toInt(name, value);
    else if (name == prefix + ".Style")
        pen.style = toEnum<metafile::PenStyle>(name, value);
    else
        return false;
    return true;
}

bool setOwnFontProperty(RpFont &font, bool &parentFont, const RpFont &inherited, const QString &name,
                        const QString &value)
{
    if (!name.startsWith("Font."))
        return false;
    if (parentFont) {
        font = inherited;
        parentFont = false;
    }
    return setFontProperty(font, name, value);
}

bool setBrushProperty(RpBrush &brush, const QString &name, const QString &value)
{
    if (name == "Brush.Color")
        brush.color = toColor(name, value);
    else if (name == "Brush.Style") {
        static const char *const styles[] = {"bsSolid", "bsClear"};
        brush.clear = toIndex(name, value, styles, 2) == 1;
    }
    else
        return false;
    return true;
}

} // namespace rp
