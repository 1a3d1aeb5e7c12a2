#include "EmfReader.h"

#include <uemf.h>
#include <uemf_safe.h>

#include <algorithm>
#include <cstring>

namespace metafile {

namespace {

[[noreturn]] void damaged(const QString &what, qint64 offset)
{
    throw MetafileError(
        QStringLiteral("Desenho de página danificado: %1 (posição %2)").arg(what).arg(offset));
}

bool within(quint64 offset, quint64 length, quint64 size)
{
    return offset <= size && length <= size - offset;
}

// libuemf's checker trusts the text's string offset; the string and the spacing array are
// checked here against the record.
void checkText(const EmfRecord &r, qint64 at)
{
    if (r.size < sizeof(U_EMREXTTEXTOUTW))
        damaged(QStringLiteral("registro de texto curto"), at);
    U_EMREXTTEXTOUTW rec;
    std::memcpy(&rec, r.data, sizeof rec);
    const quint64 n = rec.emrtext.nChars;
    const quint64 charSize = r.type == U_EMR_EXTTEXTOUTA ? 1 : 2;
    if (!within(rec.emrtext.offString, n * charSize, r.size))
        damaged(QStringLiteral("texto fora do registro"), at);
    quint32 offDxPos = sizeof(U_EMREXTTEXTOUTW);
    if (!(rec.emrtext.fOptions & U_ETO_NO_RECT))
        offDxPos += sizeof(U_RECTL);
    if (!within(offDxPos, 4, r.size))
        damaged(QStringLiteral("espaçamento ausente"), at);
    quint32 offDx;
    std::memcpy(&offDx, r.data + offDxPos, 4);
    // An offset of 0 means the writer left the spacing out.
    if (n > 0 && offDx != 0 && (offDx < sizeof(U_EMREXTTEXTOUTW) || !within(offDx, n * 4, r.size)))
        damaged(QStringLiteral("espaçamento fora do registro"), at);
}

void checkBitmap(const EmfRecord &r, qint64 at)
{
    if (r.size < sizeof(U_EMRSTRETCHDIBITS))
        damaged(QStringLiteral("registro de imagem curto"), at);
    U_EMRSTRETCHDIBITS rec;
    std::memcpy(&rec, r.data, sizeof rec);
    if (rec.cbBmiSrc && (rec.cbBmiSrc < sizeof(U_BITMAPINFOHEADER)
                         || !within(rec.offBmiSrc, rec.cbBmiSrc, r.size)))
        damaged(QStringLiteral("cabeçalho de imagem fora do registro"), at);
    if (!within(rec.offBitsSrc, rec.cbBitsSrc, r.size))
        damaged(QStringLiteral("imagem fora do registro"), at);
}

bool interpreted(quint32 type)
{
    switch (type) {
    case U_EMR_HEADER: case U_EMR_EOF: case U_EMR_SAVEDC: case U_EMR_RESTOREDC:
    case U_EMR_CREATEPEN: case U_EMR_CREATEBRUSHINDIRECT: case U_EMR_EXTCREATEFONTINDIRECTW:
    case U_EMR_SELECTOBJECT: case U_EMR_DELETEOBJECT: case U_EMR_SETTEXTCOLOR: case U_EMR_SETBKCOLOR:
    case U_EMR_SETBKMODE: case U_EMR_SETTEXTALIGN: case U_EMR_MOVETOEX: case U_EMR_LINETO:
    case U_EMR_RECTANGLE: case U_EMR_ELLIPSE: case U_EMR_INTERSECTCLIPRECT: case U_EMR_EXTTEXTOUTW:
    case U_EMR_EXTTEXTOUTA:
    case U_EMR_STRETCHDIBITS:
        return true;
    default:
        return false;
    }
}

} // namespace

quint32 emfLength(const char *data, qint64 size)
{
    if (size < qint64(sizeof(U_EMRHEADER)) - 20) // the oldest header has no extensions
        return 0;
    U_EMRHEADER h;
    std::memset(&h, 0, sizeof h);
    std::memcpy(&h, data, std::min<size_t>(sizeof h, size_t(size)));
    if (h.emr.iType != U_EMR_HEADER || h.dSignature != U_ENHMETA_SIGNATURE)
        return 0;
    return h.nBytes;
}

void forEachRecord(const QByteArray &emf, const std::function<void(const EmfRecord &)> &visit)
{
    const qint64 size = emf.size();
    const quint32 length = emfLength(emf.constData(), size);
    if (length == 0)
        throw MetafileError(QStringLiteral("Desenho de página danificado: não é um EMF"));
    if (length > quint64(size))
        damaged(QStringLiteral("comprimento declarado maior que os dados"), 0);
    qint64 at = 0;
    int depth = 0; // saved states not yet restored
    while (at < length) {
        if (length - at < 8)
            damaged(QStringLiteral("registro truncado"), at);
        quint32 type, recSize;
        std::memcpy(&type, emf.constData() + at, 4);
        std::memcpy(&recSize, emf.constData() + at + 4, 4);
        if (recSize < 8 || recSize % 4 != 0 || recSize > length - at)
            damaged(QStringLiteral("tamanho de registro inválido"), at);
        const EmfRecord r{type, recSize, emf.constData() + at};
        if (type < U_EMR_MIN || type > U_EMR_MAX)
            damaged(QStringLiteral("registro inválido do tipo %1").arg(type), at);
        // Only the records a player interprets are checked in depth; the rest are skipped.
        if (interpreted(type) && !U_emf_record_safe(r.data))
            damaged(QStringLiteral("registro inválido do tipo %1").arg(type), at);
        if (type == U_EMR_EXTTEXTOUTW || type == U_EMR_EXTTEXTOUTA)
            checkText(r, at);
        else if (type == U_EMR_STRETCHDIBITS)
            checkBitmap(r, at);
        else if (type == U_EMR_EXTCREATEFONTINDIRECTW && recSize < 12 + sizeof(U_LOGFONT))
            damaged(QStringLiteral("registro de fonte curto"), at);
        else if (type == U_EMR_SAVEDC && ++depth > MaxSaveDepth)
            damaged(QStringLiteral("estados salvos aninhados demais"), at);
        else if (type == U_EMR_RESTOREDC && recSize >= 12) {
            qint32 relative;
            std::memcpy(&relative, r.data + 8, 4);
            if (relative < 0)
                depth = std::max<qint64>(0, qint64(depth) + relative);
        }
        visit(r);
        at += recSize;
        if (type == U_EMR_EOF)
            return;
    }
    damaged(QStringLiteral("fim do desenho sem registro EOF"), at);
}

QString textOf(const EmfRecord &r)
{
    U_EMREXTTEXTOUTW rec;
    std::memcpy(&rec, r.data, sizeof rec);
    if (r.type == U_EMR_EXTTEXTOUTA)
        return QString::fromLatin1(r.data + rec.emrtext.offString, qsizetype(rec.emrtext.nChars));
    QString s(int(rec.emrtext.nChars), Qt::Uninitialized);
    std::memcpy(s.data(), r.data + rec.emrtext.offString, size_t(rec.emrtext.nChars) * 2);
    return s;
}

} // namespace metafile
