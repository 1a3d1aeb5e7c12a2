#include "RpReportFile.h"
#include "EmfReader.h"
#include "RpTypes.h"
#include "WmfReader.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace rpfile {

namespace {

const QDate DayZero(1899, 12, 30);

// The smallest page: a placeable WMF with only its headers (22 + 18 bytes) and its EOF
// record (6), then the page's position (4). An EMF page is larger.
constexpr qint64 SmallestPage = 22 + 18 + 6 + 4;

[[noreturn]] void damaged(const QString &what)
{
    throw TRpError(QStringLiteral("Arquivo de relatório danificado: %1").arg(what));
}

qint32 int32At(const char *p) { return qFromLittleEndian<qint32>(p); }

} // namespace

double dayCount(const QDateTime &time)
{
    return double(DayZero.daysTo(time.date())) + time.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime fromDayCount(double days)
{
    const qint64 whole = qint64(std::floor(days));
    const int msecs = int(std::llround((days - whole) * 86400000.0));
    return QDateTime(DayZero.addDays(whole), QTime(0, 0)).addMSecs(msecs);
}

QByteArray encodeHeader(const Header &h)
{
    QByteArray b(HeaderSize, '\0');
    char *p = b.data();
    qToLittleEndian<quint16>(1, p);
    qToLittleEndian<quint16>(95, p + 2);
    qToLittleEndian<qint32>(h.pageHeight, p + 4);
    qToLittleEndian<qint32>(h.pageWidth, p + 8);
    qToLittleEndian<qint32>(h.pixelsPerInch, p + 12);
    qToLittleEndian<qint32>(h.pageCount, p + 16);
    qToLittleEndian<double>(h.savedAt, p + 104);
    return b;
}

Reader::Reader(QIODevice &file, qint64 size) : file_(file), size_(size)
{
    if (size < HeaderSize)
        damaged(QStringLiteral("cabeçalho incompleto"));
    const QByteArray head = read(0, HeaderSize, QStringLiteral("cabeçalho incompleto"));
    const char *data = head.constData();
    header_.pageHeight = int32At(data + 4);
    header_.pageWidth = int32At(data + 8);
    header_.pixelsPerInch = int32At(data + 12);
    header_.pageCount = int32At(data + 16);
    header_.savedAt = qFromLittleEndian<double>(data + 104);
    if (header_.pageCount < 0)
        damaged(QStringLiteral("número de páginas negativo"));
    if (header_.pageCount > (size - HeaderSize) / SmallestPage)
        damaged(QStringLiteral("o arquivo tem menos páginas do que anuncia (%1)").arg(header_.pageCount));
    // A page of more than 100,000 units on a side (over 26 metres) is no page.
    if (header_.pageCount > 0
        && (header_.pageWidth <= 0 || header_.pageHeight <= 0 || header_.pageWidth > 100000
            || header_.pageHeight > 100000))
        damaged(QStringLiteral("tamanho de página inválido (%1 × %2)")
                    .arg(header_.pageWidth)
                    .arg(header_.pageHeight));
}

QByteArray Reader::read(qint64 at, qint64 n, const QString &what)
{
    // n never exceeds what the file held when it was opened; fewer bytes now means it was cut.
    if (n < 0 || n > size_ - at)
        damaged(what);
    QByteArray bytes;
    if (!file_.seek(at))
        damaged(QStringLiteral("o arquivo foi encurtado durante a leitura (%1)").arg(file_.errorString()));
    bytes = file_.read(n);
    if (bytes.size() != n)
        damaged(QStringLiteral("o arquivo foi encurtado durante a leitura"));
    return bytes;
}

QByteArray Reader::nextPage()
{
    ++page_;
    if (page_ > header_.pageCount)
        damaged(QStringLiteral("página %1 além das anunciadas").arg(page_));
    const qint64 left = size_ - at_;
    const QString beyond = QStringLiteral("a página %1 continua além do fim do arquivo").arg(page_);
    // The page's headers first (an EMF header, or a placeable WMF's two headers), to learn
    // its length; then the rest of it.
    const QByteArray head = read(at_, std::min<qint64>(left, metafile::HeadBytes), beyond);
    QByteArray page;
    if (const quint32 length = metafile::emfLength(head.constData(), head.size())) {
        if (length > quint64(left))
            damaged(beyond);
        page = length <= quint64(head.size()) ? head.left(qsizetype(length))
                                               : head + read(at_ + head.size(), length - head.size(), beyond);
        try {
            metafile::forEachRecord(page, [](const metafile::EmfRecord &) {});
        } catch (const metafile::MetafileError &e) {
            damaged(QStringLiteral("página %1: %2").arg(page_).arg(e.message()));
        }
        at_ += length;
    } else {
        // A placeable WMF page: its own header gives its length.
        try {
            const qint64 length = metafile::wmfLength(head.constData(), left);
            if (length == 0)
                damaged(QStringLiteral("a página %1 não é um desenho").arg(page_));
            const QByteArray wmf = length <= head.size()
                                       ? head.left(qsizetype(length))
                                       : head + read(at_ + head.size(), length - head.size(), beyond);
            page = metafile::wmfToEmf(wmf, header_.pageWidth, header_.pageHeight);
            at_ += length;
        } catch (const metafile::MetafileError &e) {
            damaged(QStringLiteral("página %1: %2").arg(page_).arg(e.message()));
        }
    }
    if (size_ - at_ < 4)
        damaged(QStringLiteral("falta a posição da página %1").arg(page_));
    at_ += 4; // the page's position is not needed to read the file in order
    return page;
}

} // namespace rpfile
