// The page store: the one TRpPrinter of the program. It measures the printer's page, records
// each generated page once as an EMF drawing (kept in memory as its byte stream, ready to be
// replayed onto any painter, printed or saved), and hands the pages to the preview.
//
// Status:  idle --BeginDoc--> collecting --EndDoc--> ready --DiscardPages--> idle
//          NewPage acts only while collecting; SetCurrentPage only while ready; DiscardPages
//          also ends a collection that a failed generation left behind.
//
// The printer itself and the progress window belong to the windowing layer: it installs a
// TRpPrinterDevice and a progress factory. Without them the store measures the no-printer
// page and shows progress nowhere.
#pragma once

#include "EmfCanvas.h"
#include "RpProgress.h"
#include "RpTypes.h"

#include <QByteArray>
#include <QList>
#include <functional>
#include <memory>

// What the system printer reports, in its device pixels.
struct TRpPrinterMetrics {
    int horzRes = 0, vertRes = 0, logPixelsX = 0, logPixelsY = 0;
    bool hasPageEscapes = false; // printing offset and physical page size known
    int offsetX = 0, offsetY = 0, physicalWidth = 0, physicalHeight = 0;
};

class TRpPrinterDevice {
public:
    virtual ~TRpPrinterDevice() = default;
    virtual bool installed() const = 0;             // any printer in the system's list
    virtual TRpPrinterMetrics metrics() = 0;        // throws when the device cannot be measured
    virtual void setOrientation(TPrinterOrientation orientation) = 0;
};

class TRpPrinter {
public:
    enum TRpPrinterStatus { psIdle, psCollecting, psReady };

    TRpPrinter();
    ~TRpPrinter();

    void MeasurePage();
    void BeginDoc();
    void NewPage();
    void EndDoc();
    void DiscardPages();
    void SetCurrentPage(int n);
    void SetOrientation(TPrinterOrientation o);
    void Preview();
    void Cancel() { Cancelled = true; }

    TRpPrinterStatus Status() const { return status_; }
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

private:
    void openPage();
    void closePage();

    TRpPrinterStatus status_ = psIdle;
    QList<QByteArray> pages_;
    std::unique_ptr<metafile::EmfCanvas> canvas_;
    std::unique_ptr<TRpPrinterDevice> device_;
};

// The program's page store.
TRpPrinter &RpPrinter();
