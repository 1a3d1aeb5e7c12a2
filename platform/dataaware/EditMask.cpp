#include "EditMask.h"

#include <QStringList>

namespace dataaware {

QString storedEditMask(const tables::FieldDef &field)
{
    return field.type == tables::FieldType::Date ? QStringLiteral("!99/99/00;1;_") : QString();
}

QString qtInputMask(const QString &storedMask)
{
    if (storedMask.isEmpty())
        return QString();
    const QStringList parts = storedMask.split(u';');
    QString mask;
    for (int i = 0; i < parts[0].size(); ++i) {
        const QChar c = parts[0][i];
        if (c == u'!')
            continue; // blanks kept in front: Qt keeps every position anyway
        if (c == u'9')
            mask += u'0';
        else if (c == u'0')
            mask += u'9';
        else if (c == u'\\' && i + 1 < parts[0].size())
            mask += u'\\' + QString(parts[0][++i]);
        else
            mask += c;
    }
    // Part 2 (keep the literals) always holds in Qt's text(); part 3 is the blank character.
    const QString blank = parts.size() > 2 && !parts[2].isEmpty() ? parts[2].left(1) : QStringLiteral(" ");
    return mask + u';' + blank;
}

} // namespace dataaware
