#include "CDLookup.h"

#include "IndexNames.h"
#include "NameMatch.h"
#include "Table.h"

namespace lending {

bool findCD(tables::Table &cd, const QString &artist, const QString &title, const QString &flag,
            bool flagRequired)
{
    cd.selectIndex(melvora::index::iartista_titulo);
    // Walks the records of equal keys, which follow each other in the index, to the first that
    // matches; false, past them, when none does.
    auto walkKey = [&](auto matches) {
        if (!cd.findKey({artist, title}))
            return false;
        for (; !cd.eof(); cd.next()) {
            const QString a = cd.fieldText(QStringLiteral("artista"));
            const QString t = cd.fieldText(QStringLiteral("titulo"));
            if (!melvora::sameKey(a, artist) || !melvora::sameKey(t, title))
                break;
            if (cd.fieldText(QStringLiteral("retirada")) == flag && matches(a, t))
                return true;
        }
        return false;
    };
    if (walkKey([&](const QString &a, const QString &t) { return a == artist && t == title; }))
        return true;
    if (flagRequired)
        return false;
    // Otherwise a copy of another spelling with the flag (the names were corrected since the
    // checkout), and only then the first CD the key search finds.
    return walkKey([](const QString &, const QString &) { return true; }) || cd.findKey({artist, title});
}

} // namespace lending
