#include "RpSystemPrinter.h"
#include "RpProgressForm.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

bool TRpSystemPrinter::installed() const
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

TRpPrinterMetrics TRpSystemPrinter::metrics()
{
    if (cached_)
        return *cached_;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw TRpError(QStringLiteral("no default printer"));
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageOrientation(orientation_ == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    TRpPrinterMetrics m;
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect full = printer.pageLayout().fullRectPixels(printer.resolution());
    m.horzRes = paint.width();
    m.vertRes = paint.height();
    m.logPixelsX = m.logPixelsY = printer.resolution();
    m.hasPageEscapes = true;
    m.offsetX = paint.left();
    m.offsetY = paint.top();
    m.physicalWidth = full.width();
    m.physicalHeight = full.height();
    cached_ = m;
    return m;
}

void TRpSystemPrinter::setOrientation(TPrinterOrientation orientation)
{
    orientation_ = orientation;
    cached_.reset();
}

void installReportWindowing(TRpPrinter &store)
{
    store.setDevice(std::make_unique<TRpSystemPrinter>());
    store.progressFactory = [&store] {
        return std::make_unique<TRpProgressForm>(store.ProgressCaption);
    };
}
