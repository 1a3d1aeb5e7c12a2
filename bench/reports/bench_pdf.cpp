// bench_pdf: the song report written as a PDF file, as `melvora --report musica --pdf` writes
// it: the generation of the pages, then the PDF (pages per second and file size). As the
// reference, the same pages replayed onto a screen image at 100 percent, which is what the
// preview does for each page it shows.
//   bench_pdf [CDS SONGS_PER_CD]     (default 10000 × 10 = 100,000 songs)
#include "DataModule.h"
#include "MelvoraApplication.h"
#include "R_musica.h"
#include "ReportPdf.h"
#include "RpPrinter.h"
#include "RpSystemPrinter.h"
#include "SampleCollection.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    MelvoraApplication app(argc, argv);
    const bench::SampleCollection collection(bench::sampleSize(argc, argv));
    auto dataModule = std::make_unique<TDataModule1>();
    dataModule->DataModuleCreate();
    auto form = std::make_unique<TR_musicaform>();
    TRpPrinter &store = form->store();
    store.setDevice(std::make_unique<TRpSystemPrinter>());

    QElapsedTimer clock;
    clock.start();
    form->RpReport1->Prepare(store);
    const double generation = clock.nsecsElapsed() / 1e9;
    const int pages = store.PageCount;
    std::printf("song report of %d songs: %d pages generated in %.2f s (%.0f pages/s)\n", collection.songs(),
                pages, generation, pages / generation);

    const QString file = collection.filePath(QStringLiteral("musicas.pdf"));
    clock.restart();
    SavePagesAsPdf(store, file, form->Caption);
    const double pdf = clock.nsecsElapsed() / 1e9;
    std::printf("PDF file: %d pages written in %.2f s: %.0f pages/s, %.1f KB per page\n", pages, pdf,
                pages / pdf, QFileInfo(file).size() / 1024.0 / pages);

    QImage sheet(store.PhysicalWidth, store.PhysicalHeight, QImage::Format_RGB32);
    clock.restart();
    for (int i = 1; i <= pages; ++i) {
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        store.SetCurrentPage(i);
        store.StretchCurrentPage(painter, QRect(store.OffsetX + 1, store.OffsetY + 1,
                                                store.PageWidth - store.OffsetX - 1,
                                                store.PageHeight - store.OffsetY - 1));
    }
    const double screen = clock.nsecsElapsed() / 1e9;
    std::printf(
        "reference, the same pages replayed onto a screen image: %.0f pages/s (PDF at %.2f of that speed)\n",
        pages / screen, screen / pdf);
    store.DiscardPages();
    return 0;
}
