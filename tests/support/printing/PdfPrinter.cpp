#include "PdfPrinter.h"

#include "RpPrintJob.h"

#include <QPageSize>
#include <QPrinter>

TRpPrinterMetrics PdfPrinter::metrics()
{
    return printerMetrics(*make());
}

std::unique_ptr<TRpPrintJob> PdfPrinter::beginJob(const QString &)
{
    return std::make_unique<TRpQPrinterJob>(make());
}

std::unique_ptr<QPrinter> PdfPrinter::make() const
{
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(file_);
    p->setPageSize(QPageSize(QPageSize::A4));
    return p;
}
