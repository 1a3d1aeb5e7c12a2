// The system printer as the page store sees it (measured through Qt's printer information),
// and the installation of the windowing parts into the page store: the system printer and the
// progress window and the standard preview window. The program calls installReportWindowing
// once at start-up.
#pragma once

#include "RpPrinter.h"

#include <QPrinterInfo>

class TRpSystemPrinter : public TRpPrinterDevice {
public:
    // The system's default printer, or the installed printer of that name (benchmarks).
    explicit TRpSystemPrinter(QString printerName = QString()) : printerName_(std::move(printerName)) {}

    bool installed() const override;
    TRpPrinterMetrics metrics() override;
    void setOrientation(TPrinterOrientation orientation) override;
    std::unique_ptr<TRpPrintJob> beginJob(const QString &title) override;

private:
    QPrinterInfo printer() const;

    QString printerName_;
    TPrinterOrientation orientation_ = poPortrait;
};

void installReportWindowing(TRpPrinter &store);
