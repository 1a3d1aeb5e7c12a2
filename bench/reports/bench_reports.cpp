// bench_reports: the program's reports over a large collection, as the user meets them: from
// the report command to the preview window's first paint of page 1, for the CD report and the
// song report, then paging forward in the preview (page change and its repaint). As the
// reference, the time SQLite takes to read the same rows directly.
//   bench_reports [CDS SONGS_PER_CD]     (default 10000 × 10 = 100,000 songs)
#include "CollectionFiles.h"
#include "DataModule.h"
#include "Demopre.h"
#include "MelvoraApplication.h"
#include "R_CD.h"
#include "R_musica.h"
#include "ReportWindows.h"
#include "RpPreview.h"
#include "RpPrinter.h"
#include "UpDown.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <sqlite3.h>

namespace {

double ms(qint64 ns) { return ns / 1e6; }

double sqliteRead(const char *file, int columns)
{
    sqlite3 *db = nullptr;
    sqlite3_open(file, &db);
    QElapsedTimer clock;
    clock.start();
    const QByteArray sql = "SELECT " + QByteArray(columns == 6 ? "c0, c1, c2, c3, c4, c5" : "c0, c1, c2")
                           + " FROM records ORDER BY rowid";
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    qint64 chars = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < columns; ++i)
            chars += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i))).size();
    sqlite3_finalize(st);
    const double t = ms(clock.nsecsElapsed());
    sqlite3_close(db);
    return t;
}

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
        r.pages = RpPrinter().PageCount;
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
    int cds = 10000, songsPerCd = 10;
    if (argc == 3) {
        cds = std::atoi(argv[1]);
        songsPerCd = std::atoi(argv[2]);
    }
    QTemporaryDir tmp;
    QElapsedTimer clock;
    clock.start();
    melvora::createEmptyCollection(tmp.path());
    melvora::fillSampleCollection(tmp.path(), {cds, songsPerCd});
    std::printf("collection of %d CDs and %d songs made in %.1f s\n", cds, cds * songsPerCd, clock.elapsed() / 1e3);
    QDir::setCurrent(tmp.path());
    std::printf("sqlite reads the CD rows in %.1f ms, the song rows in %.1f ms\n", sqliteRead("cd.db", 6),
                sqliteRead("musica.db", 3));

    new TDataModule1;
    DataModule1->DataModuleCreate();
    createReportHolders();

    const Run cd = run(R_CDForm);
    std::printf("CD report: command to preview      %8.1f ms  (%d pages; target <= 1000)\n", cd.toPreview, cd.pages);
    std::printf("CD report: paging                  %8.2f ms per page over %d pages (target <= 15)\n", cd.perPage, cd.paged);
    const Run songs = run(R_musicaform);
    std::printf("song report: command to preview    %8.1f ms  (%d pages; target <= 2000)\n", songs.toPreview, songs.pages);
    std::printf("song report: paging                %8.2f ms per page over %d pages (target <= 15)\n", songs.perPage,
                songs.paged);

    destroyReportHolders();
    delete DataModule1;
    return 0;
}
