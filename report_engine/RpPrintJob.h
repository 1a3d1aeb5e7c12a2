// A print job on a QPrinter: the system printer's, or a PDF file's in tests. The painter works
// in the printer's device pixels with its origin at the printable area's top left.
#pragma once

#include "RpPrinter.h"

#include <QPainter>
#include <QPrinter>

// HORZRES, VERTRES, LOGPIXELS, the printing offset and the physical sheet of a printer.
TRpPrinterMetrics printerMetrics(const QPrinter &printer);

class TRpQPrinterJob : public TRpPrintJob {
public:
    // Begins the job on printer; throws TRpError when the printer refuses it.
    explicit TRpQPrinterJob(std::unique_ptr<QPrinter> printer);
    ~TRpQPrinterJob() override;

    TRpPrinterMetrics metrics() const override { return printerMetrics(*printer_); }
    QPainter &painter() override { return painter_; }
    void newPage() override;
    void end() override;
    void abort() override;

private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
};
