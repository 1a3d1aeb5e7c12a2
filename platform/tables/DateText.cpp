#include "DateText.h"

#include <QStringList>

namespace tables {

QString dateToText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yy")) : QString();
}

static std::optional<int> readNumber(const QString &part, int minDigits, int maxDigits)
{
    const QString t = part.trimmed();
    if (t.size() < minDigits || t.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

std::optional<QDate> dateFromText(const QString &text, int currentYear)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    const auto day = readNumber(parts[0], 1, 2);
    const auto month = readNumber(parts[1], 1, 2);
    const auto yy = readNumber(parts[2], 2, 2);
    if (!day || !month || !yy)
        return std::nullopt;
    int year = currentYear - currentYear % 100 + *yy;
    if (year > currentYear + 20)
        year -= 100;
    else if (year < currentYear - 79)
        year += 100;
    const QDate date(year, *month, *day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QDate> dateFromText(const QString &text)
{
    return dateFromText(text, QDate::currentDate().year());
}

bool isBlankDateText(const QString &text)
{
    for (QChar c : text)
        if (c != u' ' && c != u'/' && c != u'_')
            return false;
    return true;
}

} // namespace tables
