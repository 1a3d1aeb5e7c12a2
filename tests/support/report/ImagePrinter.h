// A printer without a print server: each job paints its sheets one below the other on one
// image (748 × 1080 each at 96 per inch, the printable area of the no-printer page), as many as
// the image holds, and what became of the jobs stays readable after they are gone.
#pragma once

#include "RpPrinter.h"

#include <QImage>
#include <QStringList>

struct Printout {
    QImage image;                        // the sheets kept, on white paper
    int sheets = 0;                      // sheets the last job began
    bool ended = false, aborted = false; // how the last job ended
    QStringList titles;                  // of every job begun, in order
};

class ImagePrinter : public TRpPrinterDevice {
public:
    static constexpr int SheetWidth = 748, SheetHeight = 1080;

    // sheetsKept: how many sheets the image holds; later ones are painted past its end.
    explicit ImagePrinter(Printout &printout, int sheetsKept = 12) : printout_(printout), kept_(sheetsKept) {}
    bool installed() const override { return false; } // the no-printer page sizes
    TRpPrinterMetrics metrics() override { return {}; }
    void setOrientation(TPrinterOrientation) override {}
    std::unique_ptr<TRpPrintJob> beginJob(const QString &title) override;

private:
    Printout &printout_;
    int kept_;
};
