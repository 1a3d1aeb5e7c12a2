// The report file: the saved pages of a report. A 372-byte little-endian header, then each
// saved page as a complete EMF followed by the 4-byte file position where that EMF starts.
// The reader trusts nothing the file says: every length is checked against the bytes present
// before anything is copied, so a damaged or hostile file fails with a TRpError.
#pragma once

#include <QByteArray>
#include <QDateTime>

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

// Reads a report file held in memory (a mapped file); data must outlive the reader.
class Reader {
public:
    // Throws TRpError when the header is incomplete or impossible for the file's size.
    Reader(const char *data, qint64 size);

    const Header &header() const { return header_; }
    // The next page's EMF, checked record by record; a page stored as a placeable WMF comes
    // back converted to EMF. Throws TRpError for a page that is missing or damaged.
    QByteArray nextPage();

private:
    const char *data_;
    qint64 size_;
    qint64 at_ = HeaderSize;
    int page_ = 0;
    Header header_;
};

} // namespace rpfile
