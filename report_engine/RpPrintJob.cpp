#include "RpPrintJob.h"

#include <QFile>

TRpPrinterMetrics printerMetrics(const QPrinter &printer)
{
    TRpPrinterMetrics m;
    const int dpi = printer.resolution();
    const QRect paint = printer.pageLayout().paintRectPixels(dpi);
    const QRect full = printer.pageLayout().fullRectPixels(dpi);
    m.horzRes = paint.width();
    m.vertRes = paint.height();
    m.logPixelsX = m.logPixelsY = dpi;
    m.hasPageEscapes = true;
    m.offsetX = paint.left();
    m.offsetY = paint.top();
    m.physicalWidth = full.width();
    m.physicalHeight = full.height();
    return m;
}

TRpQPrinterJob::TRpQPrinterJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer))
{
    if (!painter_.begin(printer_.get()))
        throw TRpError(QStringLiteral("A impressora não aceitou o trabalho de impressão"));
}

TRpQPrinterJob::~TRpQPrinterJob()
{
    if (painter_.isActive())
        abort();
}

void TRpQPrinterJob::newPage()
{
    if (!printer_->newPage())
        throw TRpError(QStringLiteral("A impressora não aceitou uma nova página"));
}

void TRpQPrinterJob::end()
{
    if (!painter_.end())
        throw TRpError(QStringLiteral("A impressão não pôde ser concluída"));
}

void TRpQPrinterJob::abort()
{
    const bool aborted = printer_->abort();
    if (painter_.isActive())
        painter_.end();
    // A PDF (or a printer engine that cannot abort) has written the pages: drop them.
    if (!aborted && !printer_->outputFileName().isEmpty())
        QFile::remove(printer_->outputFileName());
}
