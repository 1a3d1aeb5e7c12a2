// For the report benchmarks: the printer they measure with when one prints to PDF files.
#pragma once

#include <QPrinterInfo>
#include <QString>
#include <algorithm>

// A CUPS queue that prints to PDF files (the default printer first); empty when none.
inline QString pdfQueue()
{
    QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    const QString preferred = QPrinterInfo::defaultPrinterName();
    std::stable_partition(printers.begin(), printers.end(),
                          [&](const QPrinterInfo &p) { return p.printerName() == preferred; });
    for (const QPrinterInfo &p : printers)
        if (p.printerName().contains("pdf", Qt::CaseInsensitive)
            || p.makeAndModel().contains("pdf", Qt::CaseInsensitive))
            return p.printerName();
    return QString();
}
