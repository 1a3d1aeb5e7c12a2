#include "RpPrinter.h"
#include "EmfPlayer.h"
#include "Rounding.h"
#include "RpReportFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using rp::roundHalfEven;

namespace {

// Opens name for reading only when it is a regular file, and answers its size. The open does
// not wait (a FIFO would block until a writer came) and the type is tested on the opened
// file, so a name replaced meanwhile by a FIFO or a device is refused as well.
qint64 openRegularFile(QFile &file, const QString &name)
{
    const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw TRpError(QStringLiteral("Não foi possível abrir o arquivo %1: %2")
                           .arg(name, QString::fromLocal8Bit(std::strerror(errno))));
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw TRpError(
            QStringLiteral("Não foi possível abrir o arquivo %1: não é um arquivo comum").arg(name));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw TRpError(
            QStringLiteral("Não foi possível abrir o arquivo %1: %2").arg(name, file.errorString()));
    }
    return qint64(st.st_size);
}

} // namespace

TRpPrinter::TRpPrinter() = default;
TRpPrinter::~TRpPrinter() = default;

TRpPrinter &RpPrinter()
{
    static TRpPrinter printer;
    return printer;
}

void TRpPrinter::setDevice(std::unique_ptr<TRpPrinterDevice> device)
{
    device_ = std::move(device);
    setupChanged_ = true;
}

std::unique_ptr<TRpProgress> TRpPrinter::createProgress() const
{
    return progressFactory ? progressFactory() : std::make_unique<TRpProgress>();
}

void TRpPrinter::MeasurePage()
{
    // Asking the printer system costs milliseconds (a request to the print server): while a
    // document is collected the page is measured once, and again only when the printer
    // set-up changed, never for every page.
    if (status_ == psCollecting && !setupChanged_)
        return;
    setupChanged_ = false;
    const double s = rp::PageUnitsPerInch;
    if (!device_ || !device_->installed()) {
        PageHeight = roundHalfEven(s * 6752 / 600);
        PageWidth = roundHalfEven(s * 4672 / 600);
        PhysicalHeight = roundHalfEven(PageHeight * 1.05);
        PhysicalWidth = roundHalfEven(PageWidth * 1.05);
        OffsetX = OffsetY = 5;
        PrinterAvailable = false;
        return;
    }
    try {
        const TRpPrinterMetrics m = device_->metrics();
        if (m.logPixelsX <= 0 || m.logPixelsY <= 0)
            throw TRpError(QStringLiteral("printer resolution unknown"));
        if (m.hasPageEscapes) {
            OffsetX = m.offsetX;
            OffsetY = m.offsetY;
            PhysicalWidth = m.physicalWidth;
            PhysicalHeight = m.physicalHeight;
        } else {
            // No physical size reported: the printable area with no offsets.
            OffsetX = OffsetY = 0;
            PhysicalWidth = m.horzRes;
            PhysicalHeight = m.vertRes;
        }
        PageWidth = roundHalfEven(double(m.horzRes) / m.logPixelsX * s);
        PageHeight = roundHalfEven(double(m.vertRes) / m.logPixelsY * s);
        PhysicalHeight = roundHalfEven(double(PhysicalHeight) / m.logPixelsY * s);
        OffsetY = roundHalfEven(double(OffsetY) / m.logPixelsY * s);
        PhysicalWidth = roundHalfEven(double(PhysicalWidth) / m.logPixelsX * s);
        OffsetX = roundHalfEven(double(OffsetX) / m.logPixelsX * s);
        PrinterAvailable = true;
    } catch (...) {
        PageHeight = roundHalfEven(s * 11.253333333333333);
        PageWidth = roundHalfEven(s * 7.786666666666667);
        PhysicalHeight = roundHalfEven(PageHeight * 1.05);
        PhysicalWidth = roundHalfEven(PageWidth * 1.05);
        OffsetX = OffsetY = 20;
        PrinterAvailable = false;
    }
}

bool TRpPrinter::stateHolds() const
{
    switch (status_) {
    case psIdle:
        return !canvas_ && pages_.isEmpty();
    case psCollecting:
        return canvas_ && pages_.size() == PageCount - 1;
    case psReady:
        return !canvas_ && pages_.size() == PageCount
            && (PageCount == 0 ? CurrentPage == 0 : CurrentPage >= 1 && CurrentPage <= PageCount);
    }
    return false;
}

void TRpPrinter::openPage()
{
    // A new canvas starts with the pen at (0, 0).
    canvas_ = std::make_unique<metafile::EmfCanvas>(PageWidth, PageHeight);
}

void TRpPrinter::closePage()
{
    if (canvas_)
        pages_.append(canvas_->finish());
    canvas_.reset();
}

void TRpPrinter::BeginDoc()
{
    if (status_ != psIdle)
        return;
    MeasurePage(); // idle: the printer is asked afresh for each document
    pages_.clear();
    openPage();
    status_ = psCollecting;
    CurrentPage = 1;
    PageCount = 1;
    Title.clear();
    Q_ASSERT(stateHolds());
}

void TRpPrinter::NewPage()
{
    if (status_ != psCollecting)
        return;
    closePage();
    MeasurePage();
    openPage();
    ++PageCount;
    Q_ASSERT(stateHolds());
}

void TRpPrinter::EndDoc()
{
    if (status_ != psCollecting)
        return;
    closePage();
    status_ = psReady;
    SetCurrentPage(1);
    Q_ASSERT(stateHolds());
}

void TRpPrinter::DiscardPages()
{
    if (status_ == psIdle)
        return;
    canvas_.reset();
    pages_.clear();
    status_ = psIdle;
    FromPage = 0;
    ToPage = 0;
    Q_ASSERT(stateHolds());
}

void TRpPrinter::SetCurrentPage(int n)
{
    if (status_ != psReady || n < 1 || n > PageCount || n > pages_.size())
        return;
    CurrentPage = n;
}

const QByteArray *TRpPrinter::CurrentPageDrawing() const
{
    if (status_ != psReady || CurrentPage < 1 || CurrentPage > pages_.size())
        return nullptr;
    return &pages_[CurrentPage - 1];
}

void TRpPrinter::SetOrientation(TPrinterOrientation o)
{
    // The device only notes the orientation; the next measurement asks the printer.
    if (o != Orientation)
        setupChanged_ = true;
    Orientation = o;
    if (device_)
        device_->setOrientation(o);
}

void TRpPrinter::Preview()
{
    if (OnPreview) {
        OnPreview();
        return;
    }
    SetCurrentPage(1);
    // The standard preview window is the windowing layer's.
    if (standardPreview)
        standardPreview();
}

void TRpPrinter::StretchCurrentPage(QPainter &painter, const QRect &target) const
{
    const QByteArray *drawing = CurrentPageDrawing();
    if (!drawing)
        return;
    const QSize device = metafile::emfDeviceSize(*drawing);
    if (device.width() <= 0 || device.height() <= 0)
        return;
    QTransform t;
    t.translate(target.x(), target.y());
    t.scale(double(target.width()) / device.width(), double(target.height()) / device.height());
    metafile::playEmf(*drawing, painter, t);
}

void TRpPrinter::Print()
{
    if (!PrinterAvailable)
        return;
    std::unique_ptr<TRpProgress> progress = createProgress();
    progress->SetMax(PageCount);
    progress->SetText(QStringLiteral("Printing report ") + Title);
    if (ShowProgress)
        progress->Show();
    if (status_ != psReady || !device_)
        return;
    // No job for a range without pages (3 to 1, or 99 to 99 of 5): a printer would get a
    // blank sheet. The caller shows why nothing was printed.
    bool anyInRange = false;
    for (int i = 1; i <= PageCount && i <= pages_.size() && !anyInRange; ++i)
        anyInRange = InRange(i);
    if (!anyInRange)
        throw TRpError(PageCount == 0
                           ? QStringLiteral("Não há páginas para imprimir")
                           : QStringLiteral("Nenhuma página de %1 a %2: o relatório tem %3 páginas")
                                 .arg(FromPage)
                                 .arg(ToPage)
                                 .arg(PageCount));
    const int remembered = CurrentPage;
    Cancelled = false;
    std::unique_ptr<TRpPrintJob> job = device_->beginJob(Title);
    if (!job) {
        SetCurrentPage(remembered);
        return;
    }
    try {
        printPages(*job, *progress);
    } catch (...) {
        job->abort();
        SetCurrentPage(remembered);
        throw;
    }
    if (Cancelled)
        job->abort();
    else
        job->end();
    SetCurrentPage(remembered);
}

void TRpPrinter::printPages(TRpPrintJob &job, TRpProgress &progress)
{
    const TRpPrinterMetrics device = job.metrics();
    const int lastPage = ToPage == 0 ? PageCount : std::min(ToPage, PageCount);
    QPainter &painter = job.painter();
    const int n = PagesPerSide;
    if (n <= 1) {
        for (int i = 1; i <= PageCount && !Cancelled; ++i) {
            // Window messages are processed before every page, so that the progress window's
            // Cancel works between pages of a long print, not only before the first.
            QCoreApplication::processEvents();
            if (Cancelled || !InRange(i))
                continue;
            progress.Update(i);
            painter.save();
            SetCurrentPage(i);
            StretchCurrentPage(painter, QRect(0, 0, device.horzRes, device.vertRes));
            painter.restore();
            if (i < lastPage && !Cancelled)
                job.newPage();
        }
        return;
    }
    const double s = rp::PageUnitsPerInch;
    painter.save();
    const int cellWidth = roundHalfEven(device.logPixelsX * PageWidth / s / n);
    const int cellHeight = roundHalfEven(device.logPixelsY * PageHeight / s / n);
    const int drawnWidth = roundHalfEven(cellWidth * 0.95);
    const int drawnHeight = roundHalfEven(cellHeight * 0.95);
    int column = 0, row = 0;
    for (int i = 1; i <= PageCount; ++i) {
        QCoreApplication::processEvents();
        if (!InRange(i) || Cancelled)
            continue;
        progress.Update(i);
        SetCurrentPage(i);
        StretchCurrentPage(painter, QRect(column * cellWidth, row * cellHeight, drawnWidth, drawnHeight));
        if (++column > n - 1) {
            column = 0;
            if (++row > n - 1 && i < lastPage) {
                job.newPage();
                row = 0;
            }
        }
    }
    painter.restore();
}

void TRpPrinter::SaveToFile(const QString &name)
{
    if (status_ != psReady)
        return;
    Cancelled = false;
    // The new file replaces an old one only when it is complete (written aside, then renamed).
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        throw TRpError(
            QStringLiteral("Não foi possível criar o arquivo %1: %2").arg(name, file.errorString()));
    std::unique_ptr<TRpProgress> progress = createProgress();
    progress->SetMax(PageCount);
    if (ShowProgress)
        progress->Show();
    progress->SetText(QStringLiteral("Saving report"));
    rpfile::Header header;
    header.pageHeight = PageHeight;
    header.pageWidth = PageWidth;
    header.pixelsPerInch = rp::PageUnitsPerInch;
    // The header counts the pages the file holds: with a page range, only those in range,
    // so that the file loads back.
    int written = 0;
    for (int i = 1; i <= PageCount && i <= pages_.size(); ++i)
        written += InRange(i);
    header.pageCount = written;
    header.savedAt = rpfile::dayCount(QDateTime::currentDateTime());
    file.write(rpfile::encodeHeader(header));
    for (int i = 1; i <= PageCount && i <= pages_.size(); ++i) {
        QCoreApplication::processEvents();
        if (Cancelled)
            break;
        progress->Update(i);
        if (!InRange(i))
            continue;
        const quint32 position = quint32(file.pos());
        file.write(pages_[i - 1]);
        const quint32 le = qToLittleEndian(position);
        file.write(reinterpret_cast<const char *>(&le), 4);
    }
    if (Cancelled) {
        file.cancelWriting(); // the temporary file is removed; an older file stays as it was
        return;
    }
    if (!file.commit())
        throw TRpError(
            QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(name, file.errorString()));
}

void TRpPrinter::LoadFromFile(const QString &name)
{
    if (status_ == psReady)
        DiscardPages();
    Cancelled = false;
    if (status_ != psIdle)
        return;
    // Until the file's pages are in, the store holds none: a failed or cancelled load leaves
    // no count or current page of the pages it discarded.
    PageCount = 0;
    CurrentPage = 0;
    QFile file;
    const qint64 size = openRegularFile(file, name);
    rpfile::Reader reader(file, size);
    std::unique_ptr<TRpProgress> progress = createProgress();
    const int count = reader.header().pageCount;
    progress->SetMax(count);
    if (ShowProgress)
        progress->Show();
    progress->SetText(QStringLiteral("Loading report"));
    QList<QByteArray> pages;
    for (int i = 1; i <= count; ++i) {
        // Cancel works between pages of a load as of a save; a cancelled load leaves the
        // store idle, with no pages, rather than a part of the file.
        QCoreApplication::processEvents();
        if (Cancelled) {
            Q_ASSERT(stateHolds());
            return;
        }
        progress->Update(i);
        pages.append(reader.nextPage());
    }
    pages_ = std::move(pages);
    PageCount = count;
    PageWidth = reader.header().pageWidth;
    PageHeight = reader.header().pageHeight;
    status_ = psReady;
    SetCurrentPage(1); // a file without pages stays on page 0
    Q_ASSERT(stateHolds());
}
