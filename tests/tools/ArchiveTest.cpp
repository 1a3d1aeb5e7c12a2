// Backup and restore: one archive of the four tables, checked on restore; a restore that never
// replaces tables unasked and that leaves the folder as it was whenever it fails.
#include "ToolFixture.h"

#include <QRegularExpression>
#include <functional>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The entries of an archive as SQLite's archive layout lists them: name and size.
QStringList entries(const QString &archive)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(archive).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *st = nullptr;
    QStringList out;
    if (sqlite3_prepare_v2(db, "SELECT name, sz, mode FROM sqlar ORDER BY rowid", -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            out << QStringLiteral("%1 %2 %3")
                       .arg(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)))
                       .arg(sqlite3_column_int64(st, 1))
                       .arg(sqlite3_column_int64(st, 2), 0, 8);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

// Replaces one entry's data in an archive, and its recorded sum when asked to.
void replaceEntry(const QString &archive, const char *name, const QByteArray &data, bool fixSum)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(archive).constData(), &db), SQLITE_OK);
    sqlite3_stmt *st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "UPDATE sqlar SET data = ?1, sz = ?2 WHERE name = ?3", -1, &st, nullptr), SQLITE_OK);
    sqlite3_bind_blob(st, 1, data.constData(), int(data.size()), SQLITE_STATIC);
    sqlite3_bind_int64(st, 2, data.size());
    sqlite3_bind_text(st, 3, name, -1, SQLITE_STATIC);
    EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
    sqlite3_finalize(st);
    if (fixSum) {
        ASSERT_EQ(sqlite3_prepare_v2(db, "UPDATE melvora_sha256 SET sha256 = ?1 WHERE name = ?2", -1, &st, nullptr),
                  SQLITE_OK);
        const QByteArray sum = QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
        sqlite3_bind_text(st, 1, sum.constData(), -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 2, name, -1, SQLITE_STATIC);
        EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
}

QByteArray entryData(const QString &archive, const char *name)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(archive).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *st = nullptr;
    QByteArray data;
    sqlite3_prepare_v2(db, "SELECT data FROM sqlar WHERE name = ?1", -1, &st, nullptr);
    sqlite3_bind_text(st, 1, name, -1, SQLITE_STATIC);
    if (sqlite3_step(st) == SQLITE_ROW)
        data = QByteArray(static_cast<const char *>(sqlite3_column_blob(st, 0)), sqlite3_column_bytes(st, 0));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return data;
}

} // namespace

class Archive : public ToolFixture {};

TEST_F(Archive, ABackupRestoresTheWholeCollectionWithIndexesTheProgramTrusts)
{
    const QString c = smallCollection("c");
    const QString file = folder("copia.melvora");
    ProgramRun run = runTool({"backup", c, file});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Cópia das tabelas de " + c + " gravada em " + file + ": 2 artistas, 3 CDs, 1 retirada, 5 músicas.\n");
    QStringList names;
    for (const QString &e : entries(file))
        names << e.section(u' ', 0, 0) + " " + e.section(u' ', 2, 2);
    EXPECT_EQ(names, QStringList({"artista.db 100644", "cd.db 100644", "retirada.db 100644", "musica.db 100644"}));
    EXPECT_EQ(entryData(file, "cd.db"), readFile(c + "/cd.db")); // the file as it lies, no journal pending

    run = runTool({"restore", file, folder("nova/pasta")});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Tabelas da cópia " + file + " restauradas em " + folder("nova/pasta")
                           + ": 2 artistas, 3 CDs, 1 retirada, 5 músicas.\n");
    EXPECT_EQ(contents(folder("nova/pasta")), contents(c));
    EXPECT_EQ(runTool({"check", folder("nova/pasta")}).status, 0);
    QStringList expected = melvora::indexFileNames();
    for (const auto &def : melvora::tableDefinitions())
        expected << def.fileName;
    expected.sort();
    EXPECT_EQ(QDir(folder("nova/pasta")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              expected); // nothing of the restore's own is left
    melvora::CollectionTables restored(folder("nova/pasta"));
    restored.table("Musica").selectIndex("iartistatitulo");
    ASSERT_TRUE(restored.table("Musica").findKey({"Elis Regina", "Falso Brilhante"}));
    EXPECT_EQ(restored.table("Musica").fieldText("Musica"), "Como Nossos Pais");
}

TEST_F(Archive, BackupReplacesAnExistingFileOnlyWithForce)
{
    const QString c = smallCollection("c");
    const QString file = folder("copia.melvora");
    writeFile(file, "antigo");
    ProgramRun run = runTool({"backup", c, file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "melvora-tables: O arquivo " + file + " já existe; use --force para substituí-lo.\n");
    EXPECT_EQ(readFile(file), "antigo");
    run = runTool({"backup", c, file, "--force"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(entries(file).size(), 4);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"copia.melvora"})); // no partial file left
    // Not even with force over a file of the collection itself.
    const QByteArray table = readFile(c + "/cd.db");
    run = runTool({"backup", c, c + "/cd.db", "--force"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.toStdString(), "melvora-tables: A cópia não pode ser gravada sobre " + c.toStdString()
                                         + "/cd.db, que é da coleção.\n");
    EXPECT_EQ(readFile(c + "/cd.db"), table);
}

TEST_F(Archive, RestoreReplacesExistingTablesOnlyWithForce)
{
    const QString c = smallCollection("c");
    const QString file = folder("copia.melvora");
    ASSERT_EQ(runTool({"backup", c, file}).status, 0);
    const QString other = smallCollection("outra");
    {
        melvora::CollectionTables t(other);
        add(t, "Artista", {"Gal Costa"});
        tables::commitAll();
    }
    const auto before = folderState(other);
    ProgramRun run = runTool({"restore", file, other});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "melvora-tables: Em " + other + " já há tabelas (artista.db, cd.db, retirada.db, musica.db);"
                       " use --force para substituí-las pelas da cópia.\n");
    EXPECT_EQ(folderState(other), before);

    // A single table is enough to refuse, and other files of the folder are never touched.
    const QString partial = folder("parcial");
    ASSERT_TRUE(QDir().mkpath(partial));
    QFile::copy(other + "/musica.db", partial + "/musica.db");
    writeFile(partial + "/notas.txt", "minhas notas");
    EXPECT_EQ(runTool({"restore", file, partial}).status, 1);

    for (const QString &target : {other, partial}) {
        run = runTool({"restore", file, target, "--force"});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(contents(target), contents(c));
        EXPECT_EQ(runTool({"check", target}).status, 0);
        EXPECT_EQ(QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                  32 + (target == partial ? 1 : 0));
    }
    EXPECT_EQ(readFile(partial + "/notas.txt"), "minhas notas");
}

TEST_F(Archive, RestoreWithForceMendsAFolderWhoseTablesAreDamaged)
{
    const QString c = smallCollection("c");
    const QString file = folder("copia.melvora");
    ASSERT_EQ(runTool({"backup", c, file}).status, 0);
    writeFile(c + "/cd.db", QByteArray(8192, '\x5a'));
    writeFile(c + "/musica.db-journal", QByteArray(512, '\x11')); // left by a crash, not SQLite's
    ASSERT_EQ(runTool({"check", c}).status, 1);
    const ProgramRun run = runTool({"restore", file, c, "--force"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(runTool({"check", c}).status, 0);
    EXPECT_FALSE(QFile::exists(c + "/musica.db-journal"));
    EXPECT_EQ(contents(c).size(), 11);
}

TEST_F(Archive, ADamagedOrForeignArchiveIsRefusedAndTheFolderStaysAsItWas)
{
    const QString c = smallCollection("c");
    const QString good = folder("boa.melvora");
    ASSERT_EQ(runTool({"backup", c, good}).status, 0);
    const QByteArray bytes = readFile(good);
    const QString file = folder("copia.melvora");
    const QString shown = file;
    const QString damaged = "melvora-tables: A cópia " + shown + " está danificada (";
    struct Case {
        const char *name;
        std::function<void()> make;
        QString error; // exact, or the start of it when it ends with "("
    };
    const Case cases[] = {
        {"cut in half", [&] { writeFile(file, bytes.left(bytes.size() / 2)); }, damaged},
        {"empty", [&] { writeFile(file, QByteArray()); },
         "melvora-tables: O arquivo " + shown + " não é uma cópia de tabelas do Melvora.\n"},
        {"a text file", [&] { writeFile(file, "Artista\r\nABBA\r\n"); },
         "melvora-tables: O arquivo " + shown + " não é uma cópia de tabelas do Melvora.\n"},
        {"a table file", [&] { writeFile(file, readFile(c + "/cd.db")); },
         "melvora-tables: O arquivo " + shown + " não é uma cópia de tabelas do Melvora.\n"},
        {"a byte of a table changed",
         [&] {
             writeFile(file, bytes);
             QByteArray data = entryData(file, "musica.db");
             data[data.size() / 2] = char(data[data.size() / 2] ^ 0x40);
             replaceEntry(file, "musica.db", data, false);
         },
         damaged + "o conteúdo de musica.db não confere com a soma SHA-256 gravada).\n"},
        {"a table left out",
         [&] {
             writeFile(file, bytes);
             runSql(file, "DELETE FROM sqlar WHERE name = 'retirada.db'");
         },
         damaged + "falta a tabela retirada.db).\n"},
        {"the sums left out",
         [&] {
             writeFile(file, bytes);
             runSql(file, "DROP TABLE melvora_sha256");
         },
         damaged + "faltam as somas SHA-256).\n"},
        {"bytes overwritten in the middle",
         [&] {
             QByteArray b = bytes;
             b.replace(b.size() / 2, 600, QByteArray(600, '\xff'));
             writeFile(file, b);
         },
         damaged},
        // Sums that agree with files that are not the collection's tables.
        {"a database that is not a table, with its sum",
         [&] {
             writeFile(file, bytes);
             const QString foreign = folder("outro.db");
             QFile::remove(foreign);
             runSql(foreign, "CREATE TABLE t(x); INSERT INTO t VALUES(1)");
             replaceEntry(file, "cd.db", readFile(foreign), true);
         },
         "melvora-tables: A cópia " + shown + " não pôde ser restaurada: O arquivo cd.db não é uma tabela.\n"},
        {"a table of other fields, with its sum",
         [&] {
             writeFile(file, bytes);
             replaceEntry(file, "artista.db", readFile(c + "/musica.db"), true);
         },
         "melvora-tables: A cópia " + shown + " não pôde ser restaurada: a tabela artista.db tem os campos "
         "Artista (40), Titulo (40), Musica (40), e não os da tabela Artista do Melvora (Artista (40)).\n"},
    };
    const QString existing = smallCollection("existente");
    const auto before = folderState(existing);
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        k.make();
        for (const QStringList &args : {QStringList{"restore", file, folder("nova")},
                                        QStringList{"restore", file, existing, "--force"}}) {
            const ProgramRun run = runTool(args);
            EXPECT_EQ(run.status, 1);
            if (k.error.endsWith(u'('))
                EXPECT_TRUE(run.err.startsWith(k.error)) << run.err.toStdString();
            else
                EXPECT_EQ(run.err.toStdString(), k.error.toStdString());
            EXPECT_EQ(run.out, "");
        }
        EXPECT_FALSE(QFileInfo::exists(folder("nova")));
        EXPECT_EQ(folderState(existing), before);
    }
}
