// Test support for the tables tool: a temporary folder, a small collection made through the
// engine, the tool run as a separate program, and direct SQLite access to damage a file.
#pragma once

#include "CollectionFiles.h"
#include "CollectionTables.h"
#include "ProgramRun.h"
#include "QtPrinting.h"
#include "Transactions.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <sqlite3.h>

// The tables tool run as a separate program, in workingDir when one is given.
inline ProgramRun runTool(const QStringList &args, const QString &workingDir = QString())
{
    ProgramOptions options;
    options.workingDir = workingDir;
    return runProgram(QStringLiteral(MELVORA_TABLES), args, options);
}

// Every file of a folder (not below it) with the hash of its contents.
inline std::map<QString, QByteArray> folderState(const QString &dir)
{
    std::map<QString, QByteArray> state;
    for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(QDir(dir).filePath(name));
        state[name] = f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                                   : QByteArray("(pasta)");
    }
    return state;
}

// Runs SQL on a table file with SQLite itself, as damage from outside the program would come.
inline void runSql(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                              nullptr),
              SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "") << " in " << sql;
    sqlite3_free(error);
    sqlite3_close(db);
}

class ToolFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString folder(const QString &name) const { return dir.filePath(name); }

    // Records of a table, fields in table order, through the engine.
    static void add(melvora::CollectionTables &c, const QString &table, const QStringList &values)
    {
        tables::Table &t = c.table(table);
        t.append();
        for (int i = 0; i < values.size(); ++i)
            t.setFieldText(i, values[i]);
        t.post();
    }

    // Every record of every table as text, in each table's default order.
    static QStringList contents(const QString &folderPath)
    {
        melvora::CollectionTables c(folderPath);
        QStringList rows;
        for (int i = 0; i < 4; ++i) {
            tables::Table &t = c.table(i);
            for (t.first(); !t.eof(); t.next()) {
                QStringList fields;
                for (int f = 0; f < t.fields().size(); ++f)
                    fields << t.fieldText(f);
                rows << melvora::tableDefinitions()[i].name + ": " + fields.join(u'|');
            }
        }
        return rows;
    }

    // A small sound collection: two artists, three CDs with their songs, one CD lent out.
    QString smallCollection(const QString &name)
    {
        const QString path = folder(name);
        EXPECT_TRUE(QDir().mkpath(path));
        melvora::createEmptyCollection(path);
        melvora::CollectionTables c(path);
        add(c, "Artista", {"ABBA"});
        add(c, "Artista", {"Elis Regina"});
        add(c, "CD", {"Arrival", "01/03/94", "ABBA", "Pop", "S", "001"});
        add(c, "CD", {"Waterloo", "15/06/95", "ABBA", "Pop", "N", "002"});
        add(c, "CD", {"Falso Brilhante", "", "Elis Regina", "MPB", "N", "003"});
        add(c, "Retirada", {"02/01/26", "Ana Paula", "5555-0142", "16/01/26", "Arrival", "Abba"});
        add(c, "Musica", {"ABBA", "Arrival", "Dancing Queen"});
        add(c, "Musica", {"ABBA", "Arrival", "Money, Money, Money"});
        add(c, "Musica", {"ABBA", "Waterloo", "Waterloo"});
        add(c, "Musica", {"Elis Regina", "Falso Brilhante", "Como Nossos Pais"});
        add(c, "Musica", {"Elis Regina", "Falso Brilhante", "Fascinação"});
        tables::commitAll();
        return path;
    }

    QTemporaryDir dir;
};
