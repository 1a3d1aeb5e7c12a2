#include "NameMatch.h"

#include "SortKey.h"

namespace melvora {

QString foldAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return out;
}

bool sameNameAZ(const QString &a, const QString &b)
{
    return a.size() == b.size() && foldAZ(a) == foldAZ(b);
}

bool sameKey(const QString &a, const QString &b)
{
    return a == b || tables::textSortKey(a) == tables::textSortKey(b);
}

} // namespace melvora
