// Table engine benchmark: a collection of 10,000 CDs and 100,000 songs. Each figure is printed
// beside the same work done directly in SQLite (a plain table with NOCASE indexes), so that it
// reads as a ratio.
#include "CollectionFiles.h"
#include "TableDefinitions.h"

#include "Table.h"
#include "Transactions.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <sqlite3.h>

namespace {

double seconds(QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

void figure(const char *what, double engine, double reference, const char *unit, double scale)
{
    std::printf("%-44s engine %10.3f %s   sqlite %10.3f %s   ratio %5.2f\n", what, engine * scale, unit,
                reference * scale, unit, reference > 0 ? engine / reference : 0.0);
    std::fflush(stdout);
}

void exec(sqlite3 *db, const char *sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", err);
        std::exit(1);
    }
}

struct Collection {
    std::unique_ptr<tables::Table> t[4];
    explicit Collection(const QString &dir)
    {
        const auto &defs = melvora::tableDefinitions();
        for (int i = 0; i < 4; ++i) {
            t[i] = std::make_unique<tables::Table>(QDir(dir).filePath(defs[i].fileName));
            t[i]->open(tables::OpenMode::Exclusive);
        }
    }
    tables::Table &byName(const QString &name)
    {
        const auto &defs = melvora::tableDefinitions();
        for (int i = 0; i < 4; ++i)
            if (defs[i].name == name)
                return *t[i];
        return *t[0];
    }
    tables::Table &musica() { return *t[3]; }
};

// The reference: the same songs and CDs in one SQLite file with ordinary NOCASE indexes.
void makeReference(const QString &file, const QString &dir)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(file).constData(), &db);
    exec(db, "PRAGMA locking_mode=EXCLUSIVE");
    const QByteArray musica = QFile::encodeName(QDir(dir).filePath("musica.db"));
    const QByteArray cd = QFile::encodeName(QDir(dir).filePath("cd.db"));
    exec(db, ("ATTACH '" + musica + "' AS m").constData());
    exec(db, ("ATTACH '" + cd + "' AS c").constData());
    exec(db, "CREATE TABLE musica(rid INTEGER PRIMARY KEY, artista TEXT, titulo TEXT, musica TEXT)");
    exec(db, "INSERT INTO musica SELECT rid, c0, c1, c2 FROM m.records");
    exec(db, "CREATE TABLE cd(rid INTEGER PRIMARY KEY, titulo, aquisicao, artista, estilo, retirada, numero)");
    exec(db, "INSERT INTO cd SELECT rid, c0, c1, c2, c3, c4, c5 FROM c.records");
    exec(db, "CREATE TABLE artista(rid INTEGER PRIMARY KEY, artista)");
    exec(db, "CREATE TABLE retirada(rid INTEGER PRIMARY KEY, data_retirada, responsavel, telefone, data_entrega, titulo, artista)");
    exec(db, "DETACH m");
    exec(db, "DETACH c");
    sqlite3_close(db);
}

const char *kReferenceIndexes[] = {
    "CREATE INDEX a0 ON artista(artista COLLATE NOCASE)",
    "CREATE INDEX c0 ON cd(artista COLLATE NOCASE)",
    "CREATE INDEX c1 ON cd(artista COLLATE NOCASE, titulo COLLATE NOCASE)",
    "CREATE INDEX c2 ON cd(titulo COLLATE NOCASE)",
    "CREATE INDEX c3 ON cd(numero COLLATE NOCASE)",
    "CREATE INDEX m0 ON musica(artista COLLATE NOCASE, titulo COLLATE NOCASE)",
    "CREATE INDEX m1 ON musica(artista COLLATE NOCASE, titulo COLLATE NOCASE, musica COLLATE NOCASE)",
    "CREATE INDEX m2 ON musica(musica COLLATE NOCASE)",
    "CREATE INDEX m3 ON musica(artista COLLATE NOCASE)",
    "CREATE INDEX r0 ON retirada(artista COLLATE NOCASE)",
    "CREATE INDEX r1 ON retirada(data_entrega)",
    "CREATE INDEX r2 ON retirada(data_retirada)",
    "CREATE INDEX r3 ON retirada(responsavel COLLATE NOCASE)",
    "CREATE INDEX r4 ON retirada(titulo COLLATE NOCASE)",
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int cds = 10000, songsPerCd = 10;
    if (argc == 3) {
        cds = std::atoi(argv[1]);
        songsPerCd = std::atoi(argv[2]);
    }
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    QElapsedTimer clock;
    clock.start();
    melvora::createEmptyCollection(dir);
    melvora::fillSampleCollection(dir, {cds, songsPerCd});
    std::printf("collection of %d CDs and %d songs made in %.1f s\n", cds, cds * songsPerCd, seconds(clock));
    const QString refFile = QDir(dir).filePath("reference.sqlite");
    makeReference(refFile, dir);

    // open the four tables
    double engine = 0, reference = 0;
    {
        clock.restart();
        Collection c(dir);
        engine = seconds(clock);
    }
    {
        clock.restart();
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(refFile).constData(), &db);
        exec(db, "PRAGMA locking_mode=EXCLUSIVE");
        for (const char *t : {"artista", "cd", "retirada", "musica"}) {
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(db, (QByteArray("SELECT count(*), max(rid) FROM ") + t).constData(), -1, &st, nullptr);
            sqlite3_step(st);
            sqlite3_finalize(st);
        }
        exec(db, "BEGIN EXCLUSIVE; COMMIT");
        reference = seconds(clock);
        sqlite3_close(db);
    }
    figure("open four tables", engine, reference, "ms", 1e3);

    Collection c(dir);
    // rebuild all fourteen indexes
    clock.restart();
    for (const auto &index : melvora::indexDefinitions())
        c.byName(index.table).addIndex(index.name, index.fieldList, true);
    engine = seconds(clock);
    sqlite3 *ref = nullptr;
    sqlite3_open(QFile::encodeName(refFile).constData(), &ref);
    exec(ref, "PRAGMA locking_mode=EXCLUSIVE");
    clock.restart();
    for (const char *sql : kReferenceIndexes)
        exec(ref, sql);
    reference = seconds(clock);
    figure("rebuild all 14 indexes", engine, reference, "s ", 1);

    // ordered scan of the songs by imusica, reading the three fields
    tables::Table &m = c.musica();
    m.selectIndex("imusica");
    qint64 chars = 0;
    clock.restart();
    for (m.first(); !m.eof(); m.next())
        chars += m.fieldText(0).size() + m.fieldText(1).size() + m.fieldText(2).size();
    engine = seconds(clock);
    clock.restart();
    {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(ref, "SELECT artista, titulo, musica FROM musica INDEXED BY m2 ORDER BY musica COLLATE NOCASE",
                           -1, &st, nullptr);
        qint64 refChars = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int i = 0; i < 3; ++i)
                refChars += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i))).size();
        sqlite3_finalize(st);
        if (refChars != chars)
            std::printf("(scan read %lld characters, reference %lld)\n", chars, refChars);
    }
    reference = seconds(clock);
    figure("ordered scan of all songs by imusica", engine, reference, "s ", 1);

    // find key
    const int probes = 2000;
    QStringList keys;
    m.first();
    for (int i = 0; i < probes && !m.eof(); ++i) {
        keys << m.fieldText("musica");
        for (int s = 0; s < 37; ++s)
            m.next();
    }
    clock.restart();
    int found = 0;
    for (const QString &k : keys)
        found += m.findKey({k});
    engine = seconds(clock) / keys.size();
    {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(ref, "SELECT rid, artista, titulo, musica FROM musica WHERE musica = ?1 COLLATE NOCASE"
                                " ORDER BY musica COLLATE NOCASE, rid LIMIT 1", -1, &st, nullptr);
        clock.restart();
        for (const QString &k : keys) {
            const QByteArray u = k.toUtf8();
            sqlite3_bind_text(st, 1, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        reference = seconds(clock) / keys.size();
        sqlite3_finalize(st);
    }
    figure("find key (imusica)", engine, reference, "us", 1e6);
    if (found != keys.size())
        std::printf("(find key found %d of %lld)\n", found, static_cast<long long>(keys.size()));

    // one edit and post of a song (inside the action's transaction), and the commit of an action
    m.first();
    for (int i = 0; i < 1000; ++i)
        m.next();
    const int edits = 200;
    engine = 0;
    double engineCommit = 0, referenceCommit = 0;
    for (int i = 0; i < edits; ++i) {
        clock.restart();
        m.edit();
        m.setFieldText("artista", QStringLiteral("Editado %1").arg(i));
        m.post();
        engine += seconds(clock);
        clock.restart();
        tables::commitAll();
        engineCommit += seconds(clock);
    }
    engine /= edits;
    {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(ref, "UPDATE musica SET artista = ?1 WHERE rid = 1001", -1, &st, nullptr);
        reference = 0;
        for (int i = 0; i < edits; ++i) {
            exec(ref, "BEGIN");
            clock.restart();
            const QByteArray u = QStringLiteral("Editado %1").arg(i).toUtf8();
            sqlite3_bind_text(st, 1, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_reset(st);
            reference += seconds(clock);
            clock.restart();
            exec(ref, "COMMIT");
            referenceCommit += seconds(clock);
        }
        reference /= edits;
        sqlite3_finalize(st);
    }
    figure("one edit + post (in the action)", engine, reference, "us", 1e6);
    figure("commit of that action (table + its changed indexes)", engineCommit / edits, referenceCommit / edits, "ms", 1e3);

    // the artist register's rename scan: every song visited by imusica, the artist's rewritten
    m.first();
    const QString victim = m.fieldText("artista");
    int expected = 0;
    for (m.first(); !m.eof(); m.next())
        expected += m.fieldText("artista") == victim;
    clock.restart();
    int rewritten = 0;
    for (m.first(); !m.eof(); m.next()) {
        if (m.fieldText("artista").compare(victim, Qt::CaseInsensitive) == 0) {
            m.edit();
            m.setFieldText("artista", "Renomeado");
            m.post();
            ++rewritten;
        }
    }
    tables::commitAll();
    engine = seconds(clock);
    {
        clock.restart();
        exec(ref, "BEGIN");
        sqlite3_stmt *scan = nullptr, *upd = nullptr;
        sqlite3_prepare_v2(ref, "SELECT rid, artista, titulo, musica FROM musica INDEXED BY m2 ORDER BY musica COLLATE NOCASE",
                           -1, &scan, nullptr);
        sqlite3_prepare_v2(ref, "UPDATE musica SET artista = 'Renomeado' WHERE rid = ?1", -1, &upd, nullptr);
        const QByteArray v = victim.toUtf8();
        QVector<qint64> hits;
        while (sqlite3_step(scan) == SQLITE_ROW) {
            const QString a = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(scan, 1)));
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(scan, 2)));
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(scan, 3)));
            if (a.compare(victim, Qt::CaseInsensitive) == 0)
                hits << sqlite3_column_int64(scan, 0);
        }
        sqlite3_finalize(scan);
        for (qint64 rid : hits) {
            sqlite3_bind_int64(upd, 1, rid);
            sqlite3_step(upd);
            sqlite3_reset(upd);
        }
        sqlite3_finalize(upd);
        exec(ref, "COMMIT");
        reference = seconds(clock);
    }
    std::printf("(rename scan rewrote %d songs, expected %d)\n", rewritten, expected);
    figure("rename scan (all songs visited)", engine, reference, "s ", 1);

    // rewrite every song in one action
    clock.restart();
    int all = 0;
    m.selectIndex("imusica");
    for (m.first(); !m.eof(); m.next()) {
        m.edit();
        m.setFieldText("titulo", m.fieldText("titulo") + "!");
        m.post();
        ++all;
    }
    tables::commitAll();
    engine = seconds(clock);
    clock.restart();
    exec(ref, "UPDATE musica SET titulo = titulo || '!'");
    reference = seconds(clock);
    std::printf("(rewrote %d songs)\n", all);
    figure("rewrite of every song in one action", engine, reference, "s ", 1);
    sqlite3_close(ref);
    return 0;
}
