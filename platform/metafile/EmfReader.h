// Walking the records of an EMF byte stream that may be damaged. Every record's length and
// every offset it carries are checked against the buffer before a visitor sees it, so a
// visitor may read a record's fixed part and its text, spacing and bitmap without checks.
#pragma once

#include "UserError.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace metafile {

class MetafileError : public melvora::UserError {
public:
    using UserError::UserError;
};

// Bytes enough to hold an EMF header or a placeable WMF's two headers: what a reader looks at
// to learn a page's kind and length.
constexpr qint64 HeadBytes = 108;

// Saved drawing states (SAVEDC) a page may hold at once. No page of ours saves any and real
// pages nest a few; the bound keeps a hostile page from costing a painter state per record.
constexpr int MaxSaveDepth = 256;

// One checked record: its type, its whole size and its bytes (inside the walked buffer).
struct EmfRecord {
    quint32 type;
    quint32 size;
    const char *data;
};

// Calls visit for each record up to and including EOF. Throws MetafileError when the stream
// has no EMF header, a record runs past the end, a record's contents are inconsistent, or the
// saved states nest deeper than MaxSaveDepth.
void forEachRecord(const QByteArray &emf, const std::function<void(const EmfRecord &)> &visit);

// The total length an EMF header claims (nBytes), after checking that it is an EMF header and
// that it fits in size bytes; 0 when data does not start with an EMF header.
quint32 emfLength(const char *data, qint64 size);

// The string of an EXTTEXTOUTW or EXTTEXTOUTA record (already checked by forEachRecord).
QString textOf(const EmfRecord &r);

} // namespace metafile
