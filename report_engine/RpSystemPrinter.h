// The system printer as the page store sees it (measured through Qt's printer information),
// and the installation of the windowing parts into the page store: the system printer and the
// progress window and the standard preview window. The program calls installReportWindowing
// once at start-up.
#pragma once

#include "RpPrinter.h"

#include <optional>

class TRpSystemPrinter : public TRpPrinterDevice {
public:
    bool installed() const override;
    TRpPrinterMetrics metrics() override;
    void setOrientation(TPrinterOrientation orientation) override;
    std::unique_ptr<TRpPrintJob> beginJob(const QString &title) override;

private:
    TPrinterOrientation orientation_ = poPortrait;
    // Asking the printer system costs milliseconds and the store measures at every new page:
    // the answer is kept until the orientation is set again, which every report does first.
    std::optional<TRpPrinterMetrics> cached_;
};

void installReportWindowing(TRpPrinter &store);
