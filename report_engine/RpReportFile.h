// The report file: the saved pages of a report. A 372-byte little-endian header, then each
// saved page as a complete EMF followed by the 4-byte file position where that EMF starts.
// The reader trusts nothing the file says: every length is checked against the bytes present
// before anything is read, so a damaged or hostile file fails with a TRpError.
#pragma once

#include <QByteArray>
#include <QDateTime>

class QIODevice;

namespace rpfile {

constexpr int HeaderSize = 372;

struct Header {
    int pageHeight = 0;
    int pageWidth = 0;
    int pixelsPerInch = 96;
    int pageCount = 0;
    double savedAt = 0; // days since 30 December 1899; the fraction is the time of day
};

// Days since 30 December 1899 (the fraction is the time of day) and back.
double dayCount(const QDateTime &time);
QDateTime fromDayCount(double days);

QByteArray encodeHeader(const Header &header);

// Reads a report file from a device (the opened file, or a buffer) whose size was taken when it
// was opened. The file is read, never mapped: a file that another program shortens meanwhile
// ends in a TRpError, as does a damaged one.
//
// Memory bound: for a file of N bytes the reader allocates at most N bytes of pages read as
// they are, plus at most metafile::WmfExpansion times the bytes of each page stored as a
// placeable WMF (converted to EMF), plus a few kilobytes: every length the file gives is
// checked against the bytes left before anything is allocated.
class Reader {
public:
    // Throws TRpError when the header is incomplete or impossible for size.
    Reader(QIODevice &file, qint64 size);

    const Header &header() const { return header_; }
    // The next page's EMF, checked record by record; a page stored as a placeable WMF comes
    // back converted to EMF. Throws TRpError for a page that is missing, damaged or cut.
    QByteArray nextPage();

private:
    // Exactly n bytes at offset at, or a TRpError naming what is missing.
    QByteArray read(qint64 at, qint64 n, const QString &what);

    QIODevice &file_;
    qint64 size_;
    qint64 at_ = HeaderSize;
    int page_ = 0;
    Header header_;
};

} // namespace rpfile
