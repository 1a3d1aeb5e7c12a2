// bench_page_store: a full page of text (60 lines of 4 cells) recorded PAGES times, with a
// PDF device and, where a CUPS PDF queue is installed, with the program's system-printer
// device on it; prints the preview's page change at 100 % (painting the page painter), saving
// and loading the report file, and printing to a PDF (pages per second).
//   bench_page_store [PAGES]     (default 4000)
#include "RpPreview.h"
#include "RpPrintJob.h"
#include "PdfQueue.h"
#include "RpPrinter.h"
#include "RpSystemPrinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

// A PDF file as the printer: measured on one QPrinter made once, and a new QPrinter for each
// print job (one per document).
class PdfPrinter : public TRpPrinterDevice {
public:
    explicit PdfPrinter(QString file) : file_(std::move(file)), measured_(make()) {}
    bool installed() const override { return true; }
    TRpPrinterMetrics metrics() override { return printerMetrics(*measured_); }
    void setOrientation(TPrinterOrientation) override {}
    std::unique_ptr<TRpPrintJob> beginJob(const QString &) override
    {
        return std::make_unique<TRpQPrinterJob>(make());
    }

private:
    std::unique_ptr<QPrinter> make() const
    {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(file_);
        return p;
    }
    QString file_;
    std::unique_ptr<QPrinter> measured_;
};

void fullPages(TRpPrinter &store, int count)
{
    store.BeginDoc();
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            store.NewPage();
        metafile::Canvas &c = *store.Canvas();
        metafile::CanvasFont font;
        font.name = QStringLiteral("Arial");
        c.setFont(font);
        for (int line = 0; line < 60; ++line)
            for (int cell = 0; cell < 4; ++cell) {
                const QRect box(20 + cell * 180, 20 + line * 17, 175, 16);
                c.drawText(box.left(), box.top(),
                           QStringLiteral("Página %1 linha %2 célula %3").arg(i).arg(line).arg(cell),
                           metafile::TextAlign::Left, &box, true, QColor());
            }
    }
    store.EndDoc();
}

double msSince(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e6; }

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int pages = argc > 1 ? std::atoi(argv[1]) : 4000;
    QTemporaryDir dir;
    TRpPrinter store;
    store.ShowProgress = false;
    store.setDevice(std::make_unique<PdfPrinter>(dir.filePath("bench.pdf")));
    QElapsedTimer t;
    t.start();
    fullPages(store, pages);
    const double pdfRecording = msSince(t);
    std::printf(
        "record %d pages of 240 text cells, PDF device: %.0f ms, %.0f pages a second (%.0f KB a page)\n",
        pages, pdfRecording, pages / (pdfRecording / 1000), store.Pages()[0].size() / 1024.0);
    const QString queue = pdfQueue();
    if (queue.isEmpty()) {
        std::printf("record with a printer installed: skipped, no CUPS PDF queue installed\n");
    } else {
        TRpPrinter withPrinter;
        withPrinter.ShowProgress = false;
        withPrinter.setDevice(std::make_unique<TRpSystemPrinter>(queue));
        t.restart();
        fullPages(withPrinter, pages);
        const double ms = msSince(t);
        std::printf("record %d pages, printer \"%s\": %.0f ms, %.0f pages a second (PDF device %.0f)\n",
                    pages, qPrintable(queue), ms, pages / (ms / 1000), pages / (pdfRecording / 1000));
    }

    TRpPreview preview(store);
    preview.resize(1000, 1200);
    preview.SetZoom(100);
    QPixmap target(preview.PagePainter()->size());
    const int changes = std::min(pages - 1, 200);
    t.restart();
    for (int i = 2; i <= changes + 1; ++i) {
        preview.SetPageNumber(i);
        preview.PagePainter()->render(&target);
    }
    std::printf("preview page change at 100%%: %.2f ms a page\n", msSince(t) / changes);

    const QString file = dir.filePath("bench.RPP");
    t.restart();
    store.SaveToFile(file);
    std::printf("save %d pages: %.0f ms\n", pages, msSince(t));
    t.restart();
    store.LoadFromFile(file);
    std::printf("load %d pages: %.0f ms\n", store.PageCount, msSince(t));

    const int printed = std::min(pages, 1000);
    store.PrinterAvailable = true;
    store.FromPage = 1;
    store.ToPage = printed;
    t.restart();
    store.Print();
    std::printf("print %d pages to PDF: %.0f pages a second\n", printed, printed / (msSince(t) / 1000));
    return 0;
}
