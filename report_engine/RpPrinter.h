// The page store: it measures the printer's page, records each generated page once as an EMF
// drawing (kept in memory as its byte stream, ready to be replayed onto any painter, printed or
// saved), and hands the pages to the preview.
//
// Status:  idle --BeginDoc--> collecting --EndDoc--> ready --DiscardPages--> idle
//                      idle --LoadFromFile--> ready
//          NewPage acts only while collecting; SetCurrentPage only while ready; DiscardPages
//          also ends a collection that a failed generation left behind.
// Each state keeps (stateHolds(), asserted after every change of the pages in debug builds):
//          idle        no canvas, no pages
//          collecting  the canvas of page PageCount, PageCount - 1 finished pages
//          ready       no canvas, PageCount pages, CurrentPage one of them (0 when there is none)
//
// The printer itself, the progress window and the standard preview window belong to the
// windowing layer: it installs a TRpPrinterDevice, a progress factory and the standard preview.
// Without them the store measures the no-printer page, prints nothing and shows progress
// nowhere.
//
// Report file (SaveToFile, LoadFromFile; little-endian): a 372-byte header (1, 95, page height,
// page width, pixels per inch, page count, the saving time as days since 30 December 1899 at
// offset 104), then for each saved page its complete EMF followed by the EMF's 4-byte position.
// The page count is that of the pages saved: with a page range, those in range.
#pragma once

#include "EmfCanvas.h"
#include "RpProgress.h"
#include "RpTypes.h"

#include <QByteArray>
#include <QList>
#include <QRect>
#include <functional>
#include <memory>

// What the system printer reports, in its device pixels.
struct TRpPrinterMetrics {
    int horzRes = 0, vertRes = 0, logPixelsX = 0, logPixelsY = 0;
    bool hasPageEscapes = false; // printing offset and physical page size known
    int offsetX = 0, offsetY = 0, physicalWidth = 0, physicalHeight = 0;
};

class QPainter;

// One print job: a painter on the device's printable area (origin at its top left), pages,
// and its end (the spooler receives the job) or abort.
class TRpPrintJob {
public:
    virtual ~TRpPrintJob() = default;
    // HORZRES, VERTRES and LOGPIXELS of the job's device.
    virtual TRpPrinterMetrics metrics() const = 0;
    virtual QPainter &painter() = 0;
    virtual void newPage() = 0;
    virtual void end() = 0;
    virtual void abort() = 0;
};

class TRpPrinterDevice {
public:
    virtual ~TRpPrinterDevice() = default;
    // The two questions cost a request to the print server: the page store asks them once
    // per document (and after a change of orientation).
    virtual bool installed() const = 0;             // any printer in the system's list
    virtual TRpPrinterMetrics metrics() = 0;        // throws when the device cannot be measured
    // Notes the orientation for the next measurement and job; asks the printer nothing.
    virtual void setOrientation(TPrinterOrientation orientation) = 0;
    // Begins a job with that title; throws when the printer refuses. None: nothing printable.
    virtual std::unique_ptr<TRpPrintJob> beginJob(const QString &title) { (void)title; return nullptr; }
};

class TRpPrinter {
public:
    enum TRpPrinterStatus { psIdle, psCollecting, psReady };

    TRpPrinter();
    ~TRpPrinter();

    // Asks the printer for its page. While collecting, only the first call of the document
    // and the first after a change of the printer set-up (orientation, device) ask it.
    void MeasurePage();
    void BeginDoc();
    void NewPage();
    void EndDoc();
    void DiscardPages();
    void SetCurrentPage(int n);
    void SetOrientation(TPrinterOrientation o);
    void Preview();
    void Cancel() { Cancelled = true; }

    // The pages in range on the system printer, PagesPerSide x PagesPerSide on a sheet; only
    // when ready and a printer is available. The current page is kept. A range without pages
    // begins no job and throws TRpError saying so.
    void Print();
    // Only when ready. Replaces a file of that name only once the new one is complete; a
    // cancelled save leaves no file behind (and any earlier file as it was). Throws TRpError.
    void SaveToFile(const QString &name);
    // Discards ready pages and loads the file's pages, leaving the store ready on page 1 (on
    // page 0 for a file of none). Only a regular file is read, and read rather than mapped:
    // a FIFO, a folder or a device, a damaged file and one that another program shortens
    // while it loads throw TRpError and leave the store idle, without pages; nothing the file
    // says makes the reader allocate beyond the bound rpfile::Reader states. Cancel leaves
    // it idle as well.
    void LoadFromFile(const QString &name);
    // Replays the current page's drawing stretched over target (device coordinates).
    void StretchCurrentPage(QPainter &painter, const QRect &target) const;
    bool InRange(int page) const { return ToPage == 0 || (FromPage <= page && page <= ToPage); }

    TRpPrinterStatus Status() const { return status_; }
    // What the current state keeps holds (see the drawing above).
    bool stateHolds() const;
    // The canvas of the page being collected (none unless collecting).
    metafile::Canvas *Canvas() { return canvas_.get(); }
    // Finished pages in order: page n is entry n - 1.
    const QList<QByteArray> &Pages() const { return pages_; }
    const QByteArray *CurrentPageDrawing() const;

    int PageCount = 0;
    int CurrentPage = 0;
    int PageWidth = 0, PageHeight = 0;
    int PhysicalWidth = 0, PhysicalHeight = 0;
    int OffsetX = 0, OffsetY = 0;
    TPrinterOrientation Orientation = poPortrait;
    QString Title;
    bool Cancelled = false;
    bool ShowProgress = true;
    bool PrinterAvailable = true;
    bool AllowPrint = true, AllowSave = true, AllowLoad = true;
    bool ZoomButtons = true;
    int PagesPerSide = 1;
    int FromPage = 0, ToPage = 0;
    QString PreviewCaption = QStringLiteral("Report Engine version 1.0");
    QString ProgressCaption = QStringLiteral("Report Engine version 1.0");

    // Replaces the standard preview window.
    std::function<void()> OnPreview;

    // Installed by the windowing layer (or a test).
    void setDevice(std::unique_ptr<TRpPrinterDevice> device);
    std::function<std::unique_ptr<TRpProgress>()> progressFactory;
    std::unique_ptr<TRpProgress> createProgress() const;
    // Shows the standard preview window modally; Preview calls it when no OnPreview is set.
    std::function<void()> standardPreview;

private:
    void openPage();
    void closePage();
    void printPages(TRpPrintJob &job, TRpProgress &progress);

    TRpPrinterStatus status_ = psIdle;
    QList<QByteArray> pages_;
    std::unique_ptr<metafile::EmfCanvas> canvas_;
    std::unique_ptr<TRpPrinterDevice> device_;
    bool setupChanged_ = true; // the printer set-up changed since the page was last measured
};

// The program's page store: the one its start-up gives the windowing parts, its command line
// writes from, and its report holders and preview window show. The engine itself works on the
// store it is given.
TRpPrinter &RpPrinter();
