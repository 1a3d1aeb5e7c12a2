#include "SortKey.h"
#include "EngineError.h"

#include <QHash>
#include <unicode/ucol.h>

namespace tables {

namespace {

// One collator for the process; the engine runs on one thread.
UCollator *collator()
{
    static UCollator *coll = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator *c = ucol_open("pt_BR", &status);
        if (U_FAILURE(status))
            throw EngineError(QStringLiteral("Não foi possível carregar as regras de ordenação (ICU): %1")
                                  .arg(QString::fromLatin1(u_errorName(status))));
        ucol_setStrength(c, UCOL_SECONDARY);
        return c;
    }();
    return coll;
}

} // namespace

static QByteArray computeSortKey(const QString &text);

QByteArray textSortKey(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    // Names repeat a great deal (an artist on every song of every CD): remember recent keys.
    static QHash<QString, QByteArray> cache;
    if (auto it = cache.constFind(text); it != cache.constEnd())
        return *it;
    if (cache.size() >= 50000)
        cache.clear();
    return *cache.insert(text, computeSortKey(text));
}

static QByteArray computeSortKey(const QString &text)
{
    const auto *chars = reinterpret_cast<const UChar *>(text.utf16());
    uint8_t local[256];
    int32_t needed = ucol_getSortKey(collator(), chars, int32_t(text.size()), local, sizeof local);
    if (needed <= int32_t(sizeof local))
        return QByteArray(reinterpret_cast<const char *>(local), needed - 1); // drop the final 0
    QByteArray key(needed, Qt::Uninitialized);
    ucol_getSortKey(collator(), chars, int32_t(text.size()), reinterpret_cast<uint8_t *>(key.data()), needed);
    key.chop(1);
    return key;
}

QString collatorVersion()
{
    UVersionInfo v;
    ucol_getVersion(collator(), v);
    return QStringLiteral("icu-pt_BR-%1.%2.%3.%4-secondary").arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3]);
}

} // namespace tables
