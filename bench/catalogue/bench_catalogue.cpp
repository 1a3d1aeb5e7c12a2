// Register benchmark on a collection of 10,000 CDs and 100,000 songs, driven as a user drives
// the windows: opening each register, stepping through the CDs with the navigator, and an
// artist rename with 20 CDs from "Gravar" until the program is idle again (the cascade and its
// commit). Each figure is printed beside the same work done directly in SQLite on a plain copy
// of the tables, so that it reads as a ratio. Run it with QT_QPA_PLATFORM=offscreen.
#include "Artista.h"
#include "CD.h"
#include "CollectionFiles.h"
#include "DBEdit.h"
#include "DBNavigator.h"
#include "DataModule.h"
#include "FormPrincipal.h"
#include "IndexNames.h"
#include "MelvoraApplication.h"
#include "Messages.h"
#include "Startup.h"
#include "Transactions.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <sqlite3.h>

namespace {

void figure(const char *what, double engineMs, double referenceMs, double target)
{
    std::printf("%-40s program %9.3f ms   sqlite %9.3f ms   ratio %7.1f   target <= %g ms\n", what,
                engineMs, referenceMs, referenceMs > 0 ? engineMs / referenceMs : 0.0, target);
    std::fflush(stdout);
}

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void idle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void exec(sqlite3 *db, const char *sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", err);
        std::exit(1);
    }
}

// Copies of the artist, CD and song records in one plain SQLite file with NOCASE indexes.
sqlite3 *makeReference(const QString &dir)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(QDir(dir).filePath("reference.sqlite")).constData(), &db);
    for (const char *t : {"artista", "cd", "musica"}) {
        const QByteArray path = QFile::encodeName(QDir(dir).filePath(QString::fromLatin1(t) + ".db"));
        exec(db, ("ATTACH '" + path + "' AS src").constData());
        exec(db, (QByteArray("CREATE TABLE ") + t + " AS SELECT * FROM src.records").constData());
        exec(db, "DETACH src");
    }
    exec(db, "CREATE INDEX a_artista ON artista(c0 COLLATE NOCASE)");
    exec(db, "CREATE INDEX cd_titulo ON cd(c0 COLLATE NOCASE, rid)");
    exec(db, "CREATE INDEX m_musica ON musica(c2 COLLATE NOCASE, rid)");
    return db;
}

double timeSql(sqlite3 *db, const char *sql, int repeat = 1)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < repeat; ++i) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
        }
        sqlite3_finalize(st);
    }
    return ms(t) / repeat;
}

} // namespace

int main(int argc, char **argv)
{
    MelvoraApplication app(argc, argv);
    melvora::setMessageResponder([](const melvora::MessageRequest &r) {
        std::fprintf(stderr, "box: %s\n", qPrintable(r.text));
        return true;
    });
    QTemporaryDir dir;
    std::printf("making 10,000 CDs with 100,000 songs...\n");
    std::fflush(stdout);
    melvora::createEmptyCollection(dir.path());
    melvora::fillSampleCollection(dir.path(), {10000, 10});
    QDir::setCurrent(dir.path());
    sqlite3 *ref = makeReference(dir.path()); // before the program holds the files exclusively

    TFormPrincipal *main = createMainWindowAndData();
    main->showMaximized();
    if (!QTest::qWaitForWindowExposed(main))
        return 1;
    idle();

    // One artist gets ten more CDs (with their songs): twenty in all.
    tables::Table *artista = DataModule1->Artista;
    artista->first();
    const QString renamed = artista->fieldText("Artista");
    for (int i = 0; i < 10; ++i) {
        DataModule1->CD->append();
        DataModule1->CD->setFieldText("Titulo", QStringLiteral("Extra %1").arg(i));
        DataModule1->CD->setFieldText("Artista", renamed);
        DataModule1->CD->post();
        for (int s = 0; s < 10; ++s) {
            DataModule1->Musica->append();
            DataModule1->Musica->setFieldText("Artista", renamed);
            DataModule1->Musica->setFieldText("Titulo", QStringLiteral("Extra %1").arg(i));
            DataModule1->Musica->setFieldText("Musica", QStringLiteral("Faixa %1").arg(s));
            DataModule1->Musica->post();
        }
    }
    tables::commitAll();
    std::printf("%d CDs, %d songs, %d artists\n", DataModule1->CD->recordCount(),
                DataModule1->Musica->recordCount(), artista->recordCount());

    QElapsedTimer t;
    t.start();
    auto *artistForm = new TArtistaForm(main);
    idle();
    const double openArtist = ms(t);
    figure("open the artist register", openArtist,
           timeSql(ref, "SELECT c0 FROM artista ORDER BY c0 COLLATE NOCASE LIMIT 1"), 150);
    artistForm->close();
    idle();

    t.restart();
    auto *cdForm = new TCDForm(main);
    if (!QTest::qWaitForWindowExposed(cdForm))
        return 1;
    idle();
    const double openCD = ms(t);
    figure("open the CD register", openCD,
           timeSql(ref, "SELECT c0 FROM artista")
               + timeSql(ref, "SELECT * FROM cd ORDER BY c0 COLLATE NOCASE, rid LIMIT 1"),
           150);

    const int steps = 500;
    t.restart();
    for (int i = 0; i < steps; ++i) {
        cdForm->DBNavigator1->button(dataaware::DBNavigator::Next)->click();
        idle();
    }
    const double step = ms(t) / steps;
    figure("navigator step through the CDs", step,
           timeSql(ref, "SELECT * FROM cd WHERE (c0, rid) > ('M', 0) ORDER BY c0 COLLATE NOCASE, rid LIMIT 1",
                   200),
           10);
    cdForm->close();
    idle();

    artistForm = new TArtistaForm(main);
    idle();
    artista->findKey({renamed});
    QTest::mouseClick(artistForm->BitBtn2, Qt::LeftButton);
    artistForm->DBEdit1->selectAll();
    const QString newName = QStringLiteral("Artista renomeado");
    QTest::keyClicks(artistForm->DBEdit1, newName);
    t.restart();
    QTest::mouseClick(artistForm->BitBtn7, Qt::LeftButton);
    idle();
    const double rename = ms(t);
    int cds = 0;
    DataModule1->CD->selectIndex(melvora::index::iartista);
    for (bool found = DataModule1->CD->findKey({newName}); found && !DataModule1->CD->eof();
         DataModule1->CD->next()) {
        if (DataModule1->CD->fieldText("Artista") != newName)
            break;
        ++cds;
    }
    t.restart();
    exec(ref, "BEGIN");
    const QByteArray name = renamed.toUtf8();
    exec(ref, ("UPDATE cd SET c2 = 'x' WHERE lower(c2) = lower('" + name + "')").constData());
    exec(ref, ("UPDATE musica SET c0 = 'x' WHERE lower(c0) = lower('" + name + "')").constData());
    exec(ref, "COMMIT");
    figure(qPrintable(QStringLiteral("rename an artist with %1 CDs").arg(cds)), rename, ms(t), 1000);

    sqlite3_close(ref);
    destroyMainWindowAndData();
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
