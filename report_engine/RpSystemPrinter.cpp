#include "RpSystemPrinter.h"
#include "RpPrintJob.h"
#include "RpProgressForm.h"
#include "RpStandardPreview.h"

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
    cached_ = printerMetrics(printer);
    return *cached_;
}

void TRpSystemPrinter::setOrientation(TPrinterOrientation orientation)
{
    orientation_ = orientation;
    cached_.reset();
}

std::unique_ptr<TRpPrintJob> TRpSystemPrinter::beginJob(const QString &title)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    // The printer's current settings: no copies set, no dialog shown.
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(title);
    printer->setPageOrientation(orientation_ == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return std::make_unique<TRpQPrinterJob>(std::move(printer));
}

void installReportWindowing(TRpPrinter &store)
{
    store.setDevice(std::make_unique<TRpSystemPrinter>());
    store.progressFactory = [&store] {
        return std::make_unique<TRpProgressForm>(store.ProgressCaption);
    };
    store.standardPreview = [&store] {
        TRpStandardPreview preview(store);
        preview.exec();
    };
}
