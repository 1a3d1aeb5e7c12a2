#include "StoredValues.h"
#include "Rounding.h"

#include <QHash>

namespace rp {

const QStringList BandTypeNames = {"rbTitle", "rbPageHeader", "rbDetail", "rbPageFooter", "rbSummary",
                                   "rbGroupHeader", "rbGroupFooter", "rbSubDetail", "rbColumnHeader", "rbOverlay"};
const QStringList AlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};

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

int toEnum(const QString &property, const QString &value, const QStringList &names)
{
    const int i = names.indexOf(value.trimmed());
    if (i < 0)
        invalid(property, value);
    return i;
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
        QString v = value;
        v.remove('[').remove(']').remove(' ');
        const QStringList styles = v.split(',', Qt::SkipEmptyParts);
        for (const QString &s : styles)
            if (!QStringList({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}).contains(s))
                throw TRpError(QStringLiteral("Invalid property value: %1 = \"%2\"").arg(name, value));
        font.bold = styles.contains("fsBold");
        font.italic = styles.contains("fsItalic");
        font.underline = styles.contains("fsUnderline");
        font.strikeOut = styles.contains("fsStrikeOut");
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
        pen.style = metafile::PenStyle(toEnum(name, value, {"psSolid", "psDash", "psDot", "psDashDot",
                                                            "psDashDotDot", "psClear"}));
    else
        return false;
    return true;
}

bool setBrushProperty(RpBrush &brush, const QString &name, const QString &value)
{
    if (name == "Brush.Color")
        brush.color = toColor(name, value);
    else if (name == "Brush.Style")
        brush.clear = toEnum(name, value, {"bsSolid", "bsClear"}) == 1;
    else
        return false;
    return true;
}

} // namespace rp
