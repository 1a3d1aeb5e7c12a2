// Files that are damaged or held by another program, and a writer killed at random instants.
#include "ProgramRun.h"
#include "TableFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include "Verify.h"
#include "Vfs.h"
#include <QFileInfo>
#include <sqlite3.h>

#include <csignal>

using tables::EngineError;

#ifndef TABLE_PROBE
#error "TABLE_PROBE must name the probe program"
#endif

namespace {

QByteArray digest(const QString &file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString probe(const QStringList &args, int *exitCode)
{
    ProgramOptions options;
    options.timeoutMs = 10000;
    const ProgramRun run = runProgram(QStringLiteral(TABLE_PROBE), args, options);
    *exitCode = run.status;
    return run.out.trimmed();
}

// Checks a table file with SQLite itself: integrity, and one index row per record with the
// record's own keys, for every index the file holds; and that each descriptor pair is there.
void expectConsistent(const QString &table, const QStringList &descriptors)
{
    EXPECT_EQ(tables::verifyTableFile(table), QStringList());
    for (const QString &d : descriptors)
        EXPECT_TRUE(QFile::exists(d)) << d.toStdString();
}

} // namespace

class FileSafety : public TableFixture {};

TEST_F(FileSafety, SecondProgramIsRefusedAtOnceAndTheFirstGoesOn)
{
    auto &t = makeTable("musica.db", songSchema(), {"imusica=musica"});
    add(t, {"a", "b", "c"});
    tables::commitAll();
    int code = 0;
    QElapsedTimer clock;
    clock.start();
    const QString out = probe({"open", path("musica.db")}, &code);
    EXPECT_EQ(code, 1) << out.toStdString();
    EXPECT_EQ(out, "A tabela musica.db está em uso por outro programa");
    EXPECT_LT(clock.elapsed(), 5000);
    add(t, {"d", "e", "f"});
    tables::commitAll();
    EXPECT_EQ(t.recordCount(), 2);
    closeAll();
    EXPECT_EQ(probe({"open", path("musica.db")}, &code), "opened 2");
}

// The tables of a folder share one connection; each file is still held on its own, from its
// open to its close, and opening writes nothing (a full disk can still open the collection).
TEST_F(FileSafety, EveryTableOfTheFolderIsHeldAndOpeningWritesNothing)
{
    for (const char *name : {"artista.db", "cd.db", "musica.db"}) {
        tables::createTableFile(path(name), songSchema());
    }
    QStringList written;
    tables::vfs::setFaultHook([&](tables::vfs::Op, const char *file) {
        written << QFileInfo(QString::fromLocal8Bit(file)).fileName();
        return SQLITE_OK;
    });
    std::vector<std::unique_ptr<tables::Table>> held;
    for (const char *name : {"artista.db", "cd.db", "musica.db"}) {
        held.push_back(std::make_unique<tables::Table>(path(name)));
        held.back()->open();
    }
    tables::vfs::setFaultHook({});
    EXPECT_EQ(written, QStringList());
    for (const char *name : {"artista.db", "cd.db", "musica.db"}) {
        int code = 0;
        EXPECT_EQ(probe({"open", path(name)}, &code), QStringLiteral("A tabela %1 está em uso por outro programa").arg(name));
        EXPECT_EQ(code, 1);
    }
    held[1].reset(); // cd.db closes: another program may have it now
    int code = 0;
    EXPECT_EQ(probe({"open", path("cd.db")}, &code), "opened 0");
    EXPECT_EQ(probe({"open", path("musica.db")}, &code), "A tabela musica.db está em uso por outro programa");
}

TEST_F(FileSafety, FilesThatAreNotTablesGiveAnErrorAndStayUntouched)
{
    tables::createTableFile(path("good.db"), songSchema());
    {
        auto &t = open("good.db");
        for (int i = 0; i < 400; ++i)
            add(t, {"artista", "titulo", QString("musica %1").arg(i)});
        closeAll();
    }
    QFile good(path("good.db"));
    good.open(QIODevice::ReadOnly);
    const QByteArray bytes = good.readAll();
    struct Case {
        const char *name;
        QByteArray content;
    };
    QByteArray garbage(8192, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char(QRandomGenerator::global()->bounded(256));
    const Case cases[] = {
        {"garbage.db", garbage},
        {"zero.db", QByteArray()},
        {"truncated.db", bytes.left(bytes.size() / 2)},
        {"header.db", bytes.left(100)},
        {"text.db", "Artista;Titulo;Musica\nABBA;Arrival;Dancing Queen\n"},
    };
    for (const Case &c : cases) {
        QFile f(path(c.name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.content);
        f.close();
        const QByteArray before = digest(path(c.name));
        tables::Table t(path(c.name));
        try {
            t.open();
            // Damage that is only found while reading must still be an engine error.
            for (t.first(); !t.eof(); t.next())
                ;
            ADD_FAILURE() << c.name << " opened and read";
        } catch (const EngineError &e) {
            EXPECT_TRUE(e.message().contains(c.name)) << e.message().toStdString();
        }
        EXPECT_FALSE(t.isOpen());
        EXPECT_EQ(digest(path(c.name)), before) << c.name;
    }
    // Another program's database: readable, but without a field list.
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(path("other.db").toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_exec(db, "CREATE TABLE clientes(nome TEXT); INSERT INTO clientes VALUES('Ana')", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        const QByteArray before = digest(path("other.db"));
        tables::Table t(path("other.db"));
        try {
            t.open();
            ADD_FAILURE() << "other.db opened";
        } catch (const EngineError &e) {
            EXPECT_EQ(e.message(), QStringLiteral("O arquivo other.db não é uma tabela"));
        }
        EXPECT_EQ(digest(path("other.db")), before);
    }
    tables::Table missing(path("missing.db"));
    EXPECT_THROW(missing.open(), EngineError);
    EXPECT_FALSE(QFile::exists(path("missing.db")));
}

TEST_F(FileSafety, DamagedIndexFileIsTreatedAsMissing)
{
    {
        auto &t = makeTable("musica.db", songSchema(), {"i0=artista", "i1=musica"});
        add(t, {"a", "b", "c"});
        closeAll();
    }
    QFile f(path("musica.XG1"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(4096, 'x'));
    f.close();
    auto &t = open("musica.db");
    EXPECT_EQ(t.indexNames(), QStringList({"i0"}));
    EXPECT_FALSE(QFile::exists(path("musica.XG1")));
    EXPECT_EQ(t.recordCount(), 1);
}

TEST_F(FileSafety, KilledWriterNeverLeavesHalfAnActionOrIndexesOutOfStep)
{
    {
        auto &t = makeTable("musica.db", songSchema(),
                            {"iartista=artista", "iartistatitulo=artista;titulo", "imusica=musica"});
        Q_UNUSED(t);
        closeAll();
    }
    const QStringList indexes = {path("musica.XG0"), path("musica.XG1"), path("musica.XG2")};
    QRandomGenerator rng(42);
    for (int kill = 0; kill < 50; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(TABLE_PROBE), {"writer", path("musica.db")});
        ASSERT_TRUE(writer.waitForReadyRead(10000)) << "writer did not start";
        QThread::usleep(rng.bounded(2000, 40000));
        ::kill(pid_t(writer.processId()), SIGKILL);
        writer.waitForFinished(10000);
        // The hot journal is rolled back by the next open; then everything must agree.
        {
            tables::Table t(path("musica.db"));
            t.open();
            ASSERT_EQ(t.indexNames().size(), 3) << "an index fell out of step at kill " << kill;
            t.selectIndex("iartista");
            QMap<QString, int> perAction;
            int walked = 0;
            for (t.first(); !t.eof(); t.next()) {
                ++perAction[t.fieldText("artista")];
                ++walked;
            }
            EXPECT_EQ(walked, t.recordCount());
            for (auto it = perAction.begin(); it != perAction.end(); ++it)
                ASSERT_EQ(it.value(), 3) << "action " << it.key().toStdString() << " half stored at kill " << kill;
        }
        expectConsistent(path("musica.db"), indexes);
        if (HasFailure())
            return;
    }
}
