// Table engine benchmark: a collection of 10,000 CDs and 100,000 songs. Each figure is printed
// beside the same work done directly in SQLite (a plain table with NOCASE indexes), so that it
// reads as a ratio.
#include "Cascades.h"
#include "CollectionFiles.h"
#include "IndexNames.h"
#include "Resident.h"
#include "TableDefinitions.h"

#include "Table.h"
#include "Transactions.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace {

double seconds(QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

void figure(const char *what, double engine, double reference, const char *unit, double scale)
{
    std::printf("%-56s engine %10.3f %s   sqlite %10.3f %s   ratio %5.2f\n", what, engine * scale, unit,
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

// The reference: the same four tables as four plain SQLite files on one connection (the same
// multi-file transactions, through SQLite's super-journal), with ordinary NOCASE indexes. The
// schemas are main (artista), c (cd), r (retirada) and m (musica).
sqlite3 *openReference(const QString &dir)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(QDir(dir).filePath("ref_artista.sqlite")).constData(), &db);
    exec(db, "PRAGMA main.locking_mode=EXCLUSIVE");
    for (const char *schema : {"c", "r", "m"}) {
        const QByteArray file =
            QFile::encodeName(QDir(dir).filePath(QStringLiteral("ref_%1.sqlite").arg(schema)));
        exec(db, ("ATTACH '" + file + "' AS " + schema).constData());
        exec(db, (QByteArray("PRAGMA ") + schema + ".locking_mode=EXCLUSIVE").constData());
    }
    return db;
}

void makeReference(const QString &dir)
{
    sqlite3 *db = openReference(dir);
    exec(db, ("ATTACH '" + QFile::encodeName(QDir(dir).filePath("musica.db")) + "' AS sm").constData());
    exec(db, ("ATTACH '" + QFile::encodeName(QDir(dir).filePath("cd.db")) + "' AS sc").constData());
    exec(db, ("ATTACH '" + QFile::encodeName(QDir(dir).filePath("artista.db")) + "' AS sa").constData());
    exec(db, "CREATE TABLE m.musica(rid INTEGER PRIMARY KEY, artista TEXT, titulo TEXT, musica TEXT)");
    exec(db, "INSERT INTO m.musica SELECT rid, c0, c1, c2 FROM sm.records");
    exec(db,
         "CREATE TABLE c.cd(rid INTEGER PRIMARY KEY, titulo, aquisicao, artista, estilo, retirada, numero)");
    exec(db, "INSERT INTO c.cd SELECT rid, c0, c1, c2, c3, c4, c5 FROM sc.records");
    exec(db, "CREATE TABLE main.artista(rid INTEGER PRIMARY KEY, artista)");
    exec(db, "INSERT INTO main.artista SELECT rid, c0 FROM sa.records");
    exec(
        db,
        "CREATE TABLE r.retirada(rid INTEGER PRIMARY KEY, data_retirada, responsavel, telefone, data_entrega, titulo, artista)");
    for (const char *s : {"sm", "sc", "sa"})
        exec(db, (QByteArray("DETACH ") + s).constData());
    sqlite3_close(db);
}

const char *kReferenceIndexes[] = {
    "CREATE INDEX main.a0 ON artista(artista COLLATE NOCASE)",
    "CREATE INDEX c.c0 ON cd(artista COLLATE NOCASE)",
    "CREATE INDEX c.c1 ON cd(artista COLLATE NOCASE, titulo COLLATE NOCASE)",
    "CREATE INDEX c.c2 ON cd(titulo COLLATE NOCASE)",
    "CREATE INDEX c.c3 ON cd(numero COLLATE NOCASE)",
    "CREATE INDEX m.m0 ON musica(artista COLLATE NOCASE, titulo COLLATE NOCASE)",
    "CREATE INDEX m.m1 ON musica(artista COLLATE NOCASE, titulo COLLATE NOCASE, musica COLLATE NOCASE)",
    "CREATE INDEX m.m2 ON musica(musica COLLATE NOCASE)",
    "CREATE INDEX m.m3 ON musica(artista COLLATE NOCASE)",
    "CREATE INDEX r.r0 ON retirada(artista COLLATE NOCASE)",
    "CREATE INDEX r.r1 ON retirada(data_entrega)",
    "CREATE INDEX r.r2 ON retirada(data_retirada)",
    "CREATE INDEX r.r3 ON retirada(responsavel COLLATE NOCASE)",
    "CREATE INDEX r.r4 ON retirada(titulo COLLATE NOCASE)",
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Rows {
    std::vector<std::vector<QByteArray>> artista, cd, musica;
};

std::vector<std::vector<QByteArray>> readRecords(sqlite3 *db, const QString &file, int columns)
{
    exec(db, ("ATTACH '" + QFile::encodeName(file) + "' AS src").constData());
    std::vector<std::vector<QByteArray>> rows;
    QByteArray sql = "SELECT c0";
    for (int c = 1; c < columns; ++c)
        sql += ", c" + QByteArray::number(c);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql + " FROM src.records ORDER BY rid", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<QByteArray> row;
        for (int c = 0; c < columns; ++c)
            row.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(st, c)));
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    exec(db, "DETACH src");
    return rows;
}

// The reference of the sample fill: the same rows, read back beforehand, inserted one statement
// each into four new plain files with their NOCASE indexes, committed as often as the sample
// commits (every 500 CDs), the tables and indexes created first.
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct Cost {
    double wall = 0, cpu = 0;
};

Cost plainFill(const QString &dir, const Rows &rows, int songsPerCd, size_t batch)
{
    const double cpu = cpuSeconds();
    const QString plain = QDir(dir).filePath(QStringLiteral("plain%1").arg(batch));
    QDir().mkpath(plain);
    QElapsedTimer clock;
    clock.start();
    sqlite3 *db = openReference(plain);
    exec(db, "CREATE TABLE main.artista(rid INTEGER PRIMARY KEY, artista)");
    exec(db,
         "CREATE TABLE c.cd(rid INTEGER PRIMARY KEY, titulo, aquisicao, artista, estilo, retirada, numero)");
    exec(
        db,
        "CREATE TABLE r.retirada(rid INTEGER PRIMARY KEY, data_retirada, responsavel, telefone, data_entrega, titulo, artista)");
    exec(db, "CREATE TABLE m.musica(rid INTEGER PRIMARY KEY, artista TEXT, titulo TEXT, musica TEXT)");
    for (const char *sql : kReferenceIndexes)
        exec(db, sql);
    sqlite3_stmt *artista = nullptr, *cd = nullptr, *musica = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO main.artista(artista) VALUES(?1)", -1, &artista, nullptr);
    sqlite3_prepare_v2(
        db,
        "INSERT INTO c.cd(titulo, aquisicao, artista, estilo, retirada, numero) VALUES(?1, ?2, ?3, ?4, ?5, ?6)",
        -1, &cd, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO m.musica(artista, titulo, musica) VALUES(?1, ?2, ?3)", -1, &musica,
                       nullptr);
    auto insert = [](sqlite3_stmt *st, const std::vector<QByteArray> &row) {
        for (size_t c = 0; c < row.size(); ++c)
            sqlite3_bind_text(st, int(c + 1), row[c].constData(), int(row[c].size()), SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_reset(st);
    };
    exec(db, "BEGIN");
    for (const auto &row : rows.artista)
        insert(artista, row);
    size_t song = 0;
    for (size_t i = 0; i < rows.cd.size(); ++i) {
        insert(cd, rows.cd[i]);
        for (int s = 0; s < songsPerCd && song < rows.musica.size(); ++s)
            insert(musica, rows.musica[song++]);
        if (i % batch == batch - 1) {
            exec(db, "COMMIT");
            exec(db, "BEGIN");
        }
    }
    exec(db, "COMMIT");
    for (sqlite3_stmt *st : {artista, cd, musica})
        sqlite3_finalize(st);
    sqlite3_close(db);
    return {seconds(clock), cpuSeconds() - cpu};
}

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
    const double fillCpu = cpuSeconds();
    melvora::createEmptyCollection(dir);
    melvora::fillSampleCollection(dir, {cds, songsPerCd});
    const Cost fill{seconds(clock), cpuSeconds() - fillCpu};
    std::printf("collection of %d CDs and %d songs\n", cds, cds * songsPerCd);
    {
        sqlite3 *db = nullptr;
        sqlite3_open(":memory:", &db);
        Rows rows;
        rows.artista = readRecords(db, QDir(dir).filePath("artista.db"), 1);
        rows.cd = readRecords(db, QDir(dir).filePath("cd.db"), 6);
        rows.musica = readRecords(db, QDir(dir).filePath("musica.db"), 3);
        sqlite3_close(db);
        const Cost plain = plainFill(dir, rows, songsPerCd, 500);
        const Cost one = plainFill(dir, rows, songsPerCd, rows.cd.size());
        std::printf("(the plain fill in one transaction: %.3f s, processor %.3f s)\n", one.wall, one.cpu);
        figure("sample fill (tables made, commit per 500 CDs)", fill.wall, plain.wall, "s ", 1);
        figure("sample fill, processor time", fill.cpu, plain.cpu, "s ", 1);
    }
    // One artist with 20 CDs of 12 songs: the rename that touches them all.
    {
        Collection c(dir);
        tables::Table &a = c.byName("Artista"), &cd = c.byName("CD"), &mu = c.musica();
        a.append();
        a.setFieldText("artista", "Artista Vinte");
        a.post();
        for (int i = 1; i <= 20; ++i) {
            cd.append();
            cd.setFieldText("titulo", QStringLiteral("Vinte %1").arg(i));
            cd.setFieldText("artista", "Artista Vinte");
            cd.setFieldText("retirada", "N");
            cd.post();
            for (int s = 1; s <= 12; ++s) {
                mu.append();
                mu.setFieldText("artista", "Artista Vinte");
                mu.setFieldText("titulo", QStringLiteral("Vinte %1").arg(i));
                mu.setFieldText("musica", QStringLiteral("Faixa %1 de %2").arg(s).arg(i));
                mu.post();
            }
        }
        tables::commitAll();
    }
    makeReference(dir);

    // open the four tables
    double engine = 0, reference = 0;
    {
        clock.restart();
        Collection c(dir);
        engine = seconds(clock);
    }
    {
        clock.restart();
        sqlite3 *db = openReference(dir);
        for (const char *t : {"main.artista", "c.cd", "r.retirada", "m.musica"}) {
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(db, (QByteArray("SELECT count(*), max(rid) FROM ") + t).constData(), -1, &st,
                               nullptr);
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
    sqlite3 *ref = openReference(dir);
    clock.restart();
    for (const char *sql : kReferenceIndexes)
        exec(ref, sql);
    reference = seconds(clock);
    figure("rebuild all 14 indexes", engine, reference, "s ", 1);

    // ordered scan of the songs by imusica, reading the three fields
    tables::Table &m = c.musica();
    m.selectIndex(melvora::index::imusica);
    qint64 chars = 0;
    clock.restart();
    for (m.first(); !m.eof(); m.next())
        chars += m.fieldText(0).size() + m.fieldText(1).size() + m.fieldText(2).size();
    engine = seconds(clock);
    clock.restart();
    {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(
            ref, "SELECT artista, titulo, musica FROM m.musica INDEXED BY m2 ORDER BY musica COLLATE NOCASE",
            -1, &st, nullptr);
        qint64 refChars = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int i = 0; i < 3; ++i)
                refChars +=
                    QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i))).size();
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
        sqlite3_prepare_v2(
            ref,
            "SELECT rid, artista, titulo, musica FROM m.musica WHERE musica = ?1 COLLATE NOCASE"
            " ORDER BY musica COLLATE NOCASE, rid LIMIT 1",
            -1, &st, nullptr);
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
        sqlite3_prepare_v2(ref, "UPDATE m.musica SET artista = ?1 WHERE rid = 1001", -1, &st, nullptr);
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
    figure("commit of that action (one table file)", engineCommit / edits, referenceCommit / edits, "ms",
           1e3);
    figure("one edit + post + commit", engine + engineCommit / edits, reference + referenceCommit / edits,
           "ms", 1e3);

    // The artist register's rename of an artist with 20 CDs and 240 songs: the artist, then the
    // program's own cascades over CDs and songs, in one action over three files. The name goes
    // back and forth nine times; the medians are printed, since one commit's sync varies a lot.
    {
        tables::Table &a = c.byName("Artista");
        a.selectIndex(melvora::index::iartista);
        std::vector<double> engineRuns, referenceRuns;
        for (int run = 0; run < 9; ++run) {
            const QString from = run % 2 ? "Artista Vinte Novo" : "Artista Vinte";
            const QString to = run % 2 ? "Artista Vinte" : "Artista Vinte Novo";
            clock.restart();
            a.findKey({from});
            a.edit();
            a.setFieldText("artista", to);
            a.post();
            catalogue::renameArtist(c.byName("CD"), melvora::index::ititulo, from, to);
            catalogue::renameArtist(c.musica(), melvora::index::imusica, from, to);
            tables::commitAll();
            engineRuns.push_back(seconds(clock));
            const QByteArray f = from.toUtf8(), t = to.toUtf8();
            clock.restart();
            exec(ref, "BEGIN");
            for (const char *table : {"main.artista", "c.cd", "m.musica"})
                exec(ref, ("UPDATE " + QByteArray(table) + " SET artista = '" + t + "' WHERE artista = '" + f
                           + "' COLLATE NOCASE")
                              .constData());
            exec(ref, "COMMIT");
            referenceRuns.push_back(seconds(clock));
        }
        figure("artist rename: 20 CDs, 240 songs (3 files, median of 9)", median(engineRuns),
               median(referenceRuns), "ms", 1e3);
    }

    // A checkout: the checkout record, then the CD's lending flag, in one action over two files.
    {
        tables::Table &r = c.byName("Retirada"), &cd = c.byName("CD");
        const int lends = 50;
        engine = 0;
        for (int i = 1; i <= lends; ++i) {
            clock.restart();
            r.append();
            r.setFieldText("data_retirada", "01/12/26");
            r.setFieldText("responsavel", QStringLiteral("Leitor %1").arg(i));
            r.setFieldText("telefone", "5555-0100");
            r.setFieldText("data_entrega", "15/12/26");
            r.setFieldText("titulo", QStringLiteral("Vinte %1").arg(i % 20 + 1));
            r.setFieldText("artista", "Artista Vinte Novo");
            r.post();
            cd.selectIndex(melvora::index::iartista_titulo);
            cd.findKey({"Artista Vinte Novo", QStringLiteral("Vinte %1").arg(i % 20 + 1)});
            cd.edit();
            cd.setFieldText("retirada", i % 2 ? "S" : "N");
            cd.post();
            tables::commitAll();
            engine += seconds(clock);
        }
        sqlite3_stmt *ins = nullptr, *upd = nullptr;
        sqlite3_prepare_v2(
            ref,
            "INSERT INTO r.retirada(data_retirada, responsavel, telefone, data_entrega, titulo, artista)"
            " VALUES('2026-12-01', ?1, '5555-0100', '2026-12-15', ?2, 'Artista Vinte Novo')",
            -1, &ins, nullptr);
        sqlite3_prepare_v2(ref,
                           "UPDATE c.cd SET retirada = ?2 WHERE rid = (SELECT rid FROM c.cd WHERE artista ="
                           " 'Artista Vinte Novo' COLLATE NOCASE AND titulo = ?1 COLLATE NOCASE LIMIT 1)",
                           -1, &upd, nullptr);
        reference = 0;
        for (int i = 1; i <= lends; ++i) {
            clock.restart();
            exec(ref, "BEGIN");
            const QByteArray who = QStringLiteral("Leitor %1").arg(i).toUtf8();
            const QByteArray title = QStringLiteral("Vinte %1").arg(i % 20 + 1).toUtf8();
            sqlite3_bind_text(ins, 1, who.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(ins, 2, title.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_step(ins);
            sqlite3_reset(ins);
            sqlite3_bind_text(upd, 1, title.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(upd, 2, i % 2 ? "S" : "N", -1, SQLITE_STATIC);
            sqlite3_step(upd);
            sqlite3_reset(upd);
            exec(ref, "COMMIT");
            reference += seconds(clock);
        }
        sqlite3_finalize(ins);
        sqlite3_finalize(upd);
        figure("checkout: record + CD flag (2 files)", engine / lends, reference / lends, "ms", 1e3);
    }

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
        sqlite3_prepare_v2(
            ref,
            "SELECT rid, artista, titulo, musica FROM m.musica INDEXED BY m2 ORDER BY musica COLLATE NOCASE",
            -1, &scan, nullptr);
        sqlite3_prepare_v2(ref, "UPDATE m.musica SET artista = 'Renomeado' WHERE rid = ?1", -1, &upd,
                           nullptr);
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
    const qint64 residentBefore = bench::residentBytes();
    clock.restart();
    int all = 0;
    m.selectIndex(melvora::index::imusica);
    for (m.first(); !m.eof(); m.next()) {
        m.edit();
        m.setFieldText("titulo", m.fieldText("titulo") + "!");
        m.post();
        ++all;
    }
    tables::commitAll();
    engine = seconds(clock);
    std::printf("(resident memory before the rewrite %.0f MB, after its commit %.0f MB)\n",
                residentBefore / 1048576.0, bench::residentBytes() / 1048576.0);
    {
        // The reference walks the same order and rewrites row by row, in one transaction.
        clock.restart();
        exec(ref, "BEGIN");
        sqlite3_stmt *scan = nullptr, *upd = nullptr;
        sqlite3_prepare_v2(ref,
                           "SELECT rid, titulo FROM m.musica INDEXED BY m2 ORDER BY musica COLLATE NOCASE",
                           -1, &scan, nullptr);
        sqlite3_prepare_v2(ref, "UPDATE m.musica SET titulo = ?2 WHERE rid = ?1", -1, &upd, nullptr);
        while (sqlite3_step(scan) == SQLITE_ROW) {
            const QString t =
                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(scan, 1))) + "!";
            const QByteArray u = t.toUtf8();
            sqlite3_bind_int64(upd, 1, sqlite3_column_int64(scan, 0));
            sqlite3_bind_text(upd, 2, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            sqlite3_step(upd);
            sqlite3_reset(upd);
        }
        sqlite3_finalize(scan);
        sqlite3_finalize(upd);
        exec(ref, "COMMIT");
        reference = seconds(clock);
    }
    std::printf("(rewrote %d songs)\n", all);
    figure("rewrite of every song in one action", engine, reference, "s ", 1);
    sqlite3_close(ref);
    return 0;
}
