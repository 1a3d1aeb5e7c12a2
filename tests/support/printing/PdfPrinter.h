// A printer that prints into a PDF file on A4 through the same job as the system printer, so
// that what a print produced can be read back by an independent PDF reader.
#pragma once

#include "RpPrinter.h"

#include <QString>
#include <memory>

class QPrinter;

class PdfPrinter : public TRpPrinterDevice {
public:
    explicit PdfPrinter(QString file) : file_(std::move(file)) {}
    bool installed() const override { return true; }
    TRpPrinterMetrics metrics() override;
    void setOrientation(TPrinterOrientation) override {}
    std::unique_ptr<TRpPrintJob> beginJob(const QString &title) override;

private:
    std::unique_ptr<QPrinter> make() const;
    QString file_;
};
