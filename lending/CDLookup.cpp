#include "CDLookup.h"

#include "IndexNames.h"
#include "NameMatch.h"
#include "Table.h"

namespace lending {

bool findCD(tables::Table &cd, const QString &artist, const QString &title, const QString &flag,
            bool flagRequired)
{
    cd.selectIndex(melvora::index::iartista_titulo);
    if (!cd.findKey({artist, title}))
        return false;
    // Records of equal keys follow each other in the index.
    for (; !cd.eof(); cd.next()) {
        const QString a = cd.fieldText(QStringLiteral("artista"));
        const QString t = cd.fieldText(QStringLiteral("titulo"));
        if (!melvora::sameKey(a, artist) || !melvora::sameKey(t, title))
            break;
        if (a == artist && t == title && cd.fieldText(QStringLiteral("retirada")) == flag)
            return true;
    }
    if (flagRequired)
        return false;
    // Otherwise a copy of another spelling with the flag (the names were corrected since the
    // checkout), and only then the first CD the key search finds.
    if (cd.findKey({artist, title}))
        for (; !cd.eof(); cd.next()) {
            if (!melvora::sameKey(cd.fieldText(QStringLiteral("artista")), artist)
                || !melvora::sameKey(cd.fieldText(QStringLiteral("titulo")), title))
                break;
            if (cd.fieldText(QStringLiteral("retirada")) == flag)
                return true;
        }
    return cd.findKey({artist, title});
}

} // namespace lending
