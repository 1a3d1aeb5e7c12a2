#include "RpSystemPrinter.h"
#include "RpPrintJob.h"
#include "RpProgressForm.h"
#include "RpStandardPreview.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

bool TRpSystemPrinter::installed() const
{
    const QStringList names = QPrinterInfo::availablePrinterNames();
    return printerName_.isEmpty() ? !names.isEmpty() : names.contains(printerName_);
}

QPrinterInfo TRpSystemPrinter::printer() const
{
    return printerName_.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName_);
}

TRpPrinterMetrics TRpSystemPrinter::metrics()
{
    const QPrinterInfo info = printer();
    if (info.isNull())
        throw TRpError(QStringLiteral("no default printer"));
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageOrientation(orientation_ == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return printerMetrics(printer);
}

void TRpSystemPrinter::setOrientation(TPrinterOrientation orientation)
{
    orientation_ = orientation;
}

std::unique_ptr<TRpPrintJob> TRpSystemPrinter::beginJob(const QString &title)
{
    const QPrinterInfo info = printer();
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
    store.progressFactory = [&store] { return std::make_unique<TRpProgressForm>(store); };
    store.standardPreview = [&store] {
        TRpStandardPreview preview(store);
        preview.exec();
    };
}
