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
    // Otherwise the first CD the key search finds, whatever its spelling and flag.
    return !flagRequired && cd.findKey({artist, title});
}

} // namespace lending
