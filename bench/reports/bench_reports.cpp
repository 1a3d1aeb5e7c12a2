// bench_reports: the program's reports over a large collection, as the user meets them: from
// the report command to the preview window's first paint of page 1, for the CD report and the
// song report, then paging forward in the preview (page change and its repaint). As the
// reference, the time SQLite takes to read the same rows directly.
//   bench_reports [CDS SONGS_PER_CD]     (default 10000 × 10 = 100,000 songs)
#include "DataModule.h"
#include "Demopre.h"
#include "MelvoraApplication.h"
#include "R_CD.h"
#include "R_musica.h"
#include "ReportWindows.h"
#include "RpPreview.h"
#include "RpPrinter.h"
#include "SampleCollection.h"
#include "SqliteReference.h"
#include "UpDown.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

double ms(qint64 ns) { return ns / 1e6; }

// Notes the first paint of the page painter after the preview window is shown.
class FirstPaint : public QObject {
public:
    QElapsedTimer *clock = nullptr;
    qint64 at = -1;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && at < 0 && PrevForm->isVisible())
            at = clock->nsecsElapsed();
        return QObject::eventFilter(o, e);
    }
};

struct Run {
    double toPreview = 0;    // command to first paint of page 1
    double perPage = 0;      // page change with its repaint
    int pages = 0, paged = 0;
};

// Runs one report; while its preview is up, pages forward through up to 200 pages.
Run run(TReportForm *form)
{
    Run r;
    QElapsedTimer clock;
    FirstPaint paint;
    paint.clock = &clock;
    PrevForm->RpPreview1->PagePainter()->installEventFilter(&paint);
    std::function<void()> whenPainted = [&] {
        if (paint.at < 0) {
            QTimer::singleShot(1, whenPainted);
            return;
        }
        r.toPreview = ms(paint.at);
        r.pages = form->store().PageCount;
        QElapsedTimer paging;
        paging.start();
        for (int i = 2; i <= std::min(r.pages, 201); ++i) {
            PrevForm->UpDown1->click(TUpDown::btNext);
            PrevForm->RpPreview1->PagePainter()->repaint();
            ++r.paged;
        }
        if (r.paged)
            r.perPage = ms(paging.nsecsElapsed()) / r.paged;
        PrevForm->BitBtn2->click();
    };
    QTimer::singleShot(0, whenPainted);
    clock.start();
    form->Preview();
    PrevForm->RpPreview1->PagePainter()->removeEventFilter(&paint);
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    MelvoraApplication app(argc, argv);
    const bench::SampleCollection collection(bench::sampleSize(argc, argv));
    std::printf("collection of %d CDs and %d songs made in %.1f s\n", collection.cds(), collection.songs(),
                collection.secondsToMake());
    std::printf("sqlite reads the CD rows in %.1f ms, the song rows in %.1f ms\n",
                bench::sqliteRead("cd.db", 6).seconds * 1e3, bench::sqliteRead("musica.db", 3).seconds * 1e3);

    new TDataModule1;
    DataModule1->DataModuleCreate();
    createReportHolders();

    const Run cd = run(R_CDForm);
    std::printf("CD report: command to preview      %8.1f ms  (%d pages; target <= 1000)\n", cd.toPreview,
                cd.pages);
    std::printf("CD report: paging                  %8.2f ms per page over %d pages (target <= 15)\n",
                cd.perPage, cd.paged);
    const Run songs = run(R_musicaform);
    std::printf("song report: command to preview    %8.1f ms  (%d pages; target <= 2000)\n", songs.toPreview,
                songs.pages);
    std::printf("song report: paging                %8.2f ms per page over %d pages (target <= 15)\n",
                songs.perPage, songs.paged);

    destroyReportHolders();
    delete DataModule1;
    return 0;
}
