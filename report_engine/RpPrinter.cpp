#include "RpPrinter.h"
#include "Rounding.h"

using rp::roundHalfEven;

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
}

std::unique_ptr<TRpProgress> TRpPrinter::createProgress() const
{
    return progressFactory ? progressFactory() : std::make_unique<TRpProgress>();
}

void TRpPrinter::MeasurePage()
{
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
    MeasurePage();
    pages_.clear();
    openPage();
    status_ = psCollecting;
    CurrentPage = 1;
    PageCount = 1;
    Title.clear();
}

void TRpPrinter::NewPage()
{
    if (status_ != psCollecting)
        return;
    closePage();
    MeasurePage();
    openPage();
    ++PageCount;
}

void TRpPrinter::EndDoc()
{
    if (status_ != psCollecting)
        return;
    closePage();
    status_ = psReady;
    SetCurrentPage(1);
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
    Orientation = o;
    if (device_ && device_->installed())
        device_->setOrientation(o);
}

void TRpPrinter::Preview()
{
    // The standard preview window is the windowing layer's; without a hook nothing is shown.
    if (OnPreview)
        OnPreview();
}
