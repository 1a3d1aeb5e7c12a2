// Export and import of the four tables as CSV: the exact text written, a round trip that gives
// back every value, and import refusing a set of files with any bad row, storing nothing.
#include "ToolFixture.h"

#include "CsvTables.h"

#include "EngineError.h"
#include "Vfs.h"

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(não há)");
}

} // namespace

class Csv : public ToolFixture {
protected:
    // Values that CSV has to quote, or that merely look as if it had to.
    QString trickyCollection(const QString &name)
    {
        const QString path = folder(name);
        EXPECT_TRUE(QDir().mkpath(path));
        melvora::createEmptyCollection(path);
        melvora::CollectionTables c(path);
        const QString longest = QString(40, QChar(0x00E7));      // 40 characters, 80 bytes of UTF-8
        const QString withEmoji = QStringLiteral("\U0001F3B5 Música"); // a character outside the BMP
        for (const QString &a : {QStringLiteral("ABBA"), QString(), QStringLiteral("Beatriz D'Ávila"),
                                 QStringLiteral("Os \"Mutantes\""), QStringLiteral("Ébano; Cia."),
                                 QStringLiteral("  espaços  "), longest, withEmoji})
            add(c, "Artista", {a});
        add(c, "CD", {"Linha 1\nLinha 2", "01/03/94", "ABBA", "Pop", "S", "001"});
        add(c, "CD", {"Vírgula, e \"aspas\"", "", "Ébano; Cia.", "Samba-rock; MPB, etc", "N", "0,1"});
        add(c, "CD", {"CRLF\r\ndentro\rsó CR", "29/02/24", longest, "", "N", ""});
        add(c, "CD", {"\"", "", withEmoji, "", "N", ""});
        add(c, "Retirada", {"02/01/26", "José \"Zé\" Araújo", "", "16/01/26", "Linha 1\nLinha 2", "ABBA"});
        add(c, "Musica", {"ABBA", "Linha 1\nLinha 2", "Só ; ponto e vírgula"});
        add(c, "Musica", {"ABBA", "Linha 1\nLinha 2", "\""});
        add(c, "Musica", {"ABBA", "Linha 1\nLinha 2", ","});
        add(c, "Musica", {"ABBA", "Linha 1\nLinha 2", ""});
        add(c, "Musica", {withEmoji, "\"", "\"\""});
        tables::commitAll();
        return path;
    }
};

TEST_F(Csv, ExportWritesAHeaderAndQuotesOnlyWhatMustBeQuoted)
{
    const QString c = trickyCollection("c");
    const ProgramRun run = runTool({"export", c, "--csv", folder("csv")});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Exportados para " + folder("csv") + ": 8 artistas, 4 CDs, 1 retirada, 5 músicas.\n");
    EXPECT_EQ(QString::fromUtf8(readFile(folder("csv/artista.csv"))),
              "Artista\r\nABBA\r\n\"\"\r\nBeatriz D'Ávila\r\n\"Os \"\"Mutantes\"\"\"\r\nÉbano; Cia.\r\n  espaços  \r\n"
                  + QString(40, QChar(0x00E7)) + "\r\n\U0001F3B5 Música\r\n");
    EXPECT_EQ(QString::fromUtf8(readFile(folder("csv/cd.csv"))),
              "Titulo,Aquisicao,Artista,Estilo,Retirada,Numero\r\n"
              "\"Linha 1\nLinha 2\",01/03/94,ABBA,Pop,S,001\r\n"
              "\"Vírgula, e \"\"aspas\"\"\",,Ébano; Cia.,\"Samba-rock; MPB, etc\",N,\"0,1\"\r\n"
              "\"CRLF\r\ndentro\rsó CR\",29/02/24," + QString(40, QChar(0x00E7)) + ",,N,\r\n"
              "\"\"\"\",,\U0001F3B5 Música,,N,\r\n");
    EXPECT_EQ(QString::fromUtf8(readFile(folder("csv/retirada.csv"))),
              "Data_Retirada,Responsavel,Telefone,Data_Entrega,Titulo,Artista\r\n"
              "02/01/26,\"José \"\"Zé\"\" Araújo\",,16/01/26,\"Linha 1\nLinha 2\",ABBA\r\n");
    EXPECT_EQ(QString::fromUtf8(readFile(folder("csv/musica.csv"))),
              "Artista,Titulo,Musica\r\n"
              "ABBA,\"Linha 1\nLinha 2\",Só ; ponto e vírgula\r\n"
              "ABBA,\"Linha 1\nLinha 2\",\"\"\"\"\r\n"
              "ABBA,\"Linha 1\nLinha 2\",\",\"\r\n"
              "ABBA,\"Linha 1\nLinha 2\",\r\n"
              "\U0001F3B5 Música,\"\"\"\",\"\"\"\"\"\"\r\n");
}

TEST_F(Csv, ARoundTripGivesBackEveryValueAndTheSameFiles)
{
    const QString c = trickyCollection("c");
    ASSERT_EQ(runTool({"export", c, "--csv", folder("csv")}).status, 0);
    ProgramRun run = runTool({"import", folder("nova"), "--csv", folder("csv")});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Importados em " + folder("nova") + ": 8 artistas, 4 CDs, 1 retirada, 5 músicas.\n");
    EXPECT_EQ(contents(folder("nova")), contents(c));
    EXPECT_EQ(runTool({"check", folder("nova")}).status, 0); // indexes built, descriptors there
    ASSERT_EQ(runTool({"export", folder("nova"), "--csv", folder("csv2")}).status, 0);
    for (const char *name : {"artista.csv", "cd.csv", "retirada.csv", "musica.csv"})
        EXPECT_EQ(readFile(folder("csv2/") + name), readFile(folder("csv/") + name)) << name;
}

TEST_F(Csv, ImportReadsWhatSpreadsheetsWriteToo)
{
    // A byte-order mark, LF line ends, field names in other letter case, a blank line, no line
    // end at the very end.
    ASSERT_TRUE(QDir().mkpath(folder("csv")));
    writeFile(folder("csv/artista.csv"), "\xEF\xBB\xBF" "ARTISTA\nABBA\n\nElis Regina");
    writeFile(folder("csv/cd.csv"), "titulo,aquisicao,artista,estilo,retirada,numero\n"
                                    "Arrival, 1/ 3/94,ABBA,Pop,N,001\n");
    writeFile(folder("csv/retirada.csv"), "Data_Retirada,Responsavel,Telefone,Data_Entrega,Titulo,Artista\n");
    writeFile(folder("csv/musica.csv"), "Artista,Titulo,Musica\nABBA,Arrival,\"Dancing\nQueen\"\n");
    const ProgramRun run = runTool({"import", folder("nova"), "--csv", folder("csv")});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(contents(folder("nova")),
              QStringList({"Artista: ABBA", "Artista: Elis Regina", "CD: Arrival|01/03/94|ABBA|Pop|N|001",
                           "Musica: ABBA|Arrival|Dancing\nQueen"}));
}

TEST_F(Csv, ABadRowAnywhereIsListedAndNothingIsStored)
{
    const QString c = smallCollection("c");
    ASSERT_EQ(runTool({"export", c, "--csv", folder("csv")}).status, 0);
    const QStringList before = contents(c);
    const QString tooLong = QString(41, QChar(0x00C9));
    writeFile(folder("csv/artista.csv"), "Artista\r\nNovo artista\r\n" + tooLong.toUtf8() + "\r\n\"aberto\r\n");
    writeFile(folder("csv/cd.csv"),
              "Titulo,Aquisicao,Artista,Estilo\r\n"                            // 1: wrong header
              "Bom,01/01/99,ABBA,Pop,N,010\r\n"                                // 2: fine
              "Curto,01/01/99,ABBA,Pop,N\r\n"                                  // 3: five columns
              "Longo,01/01/99,ABBA,Pop,N,010,extra\r\n"                        // 4: seven
              "Estilo,01/01/99,ABBA,123456789012345678901,N,010\r\n"           // 5: Estilo 21
              "Numero,01/01/99,ABBA,Pop,N,0100\r\n"                            // 6: Numero 4
              "Datas,31/02/24,ABBA,Pop,N,011\r\n"                              // 7: no such day
              "ISO,2024-01-05,ABBA,Pop,N,012\r\n"                              // 8: not dd/mm/yy
              "\"Depois\"das aspas,01/01/99,ABBA,Pop,N,013\r\n"                // 9
              "Meio\"das aspas,01/01/99,ABBA,Pop,N,014\r\n"                    // 10
              "\"Duas\r\nlinhas,erradas\",01/01/99,ABBA,Rock e mais rock e mais,N,015\r\n" // 11-12
              "Fim,01/01/99,ABBA,Pop,N,016\r\n");                              // 13: fine
    writeFile(folder("csv/musica.csv"), "Artista,Titulo,Musica\r\nABBA,Arrival,Caf\xE9\r\nABBA,Arrival,Ok\r\n");
    ASSERT_TRUE(QFile::remove(folder("csv/retirada.csv")));
    const QStringList expected = {
        "artista.csv, linha 3: Artista tem 41 caracteres, e o máximo é 40",
        "artista.csv, linha 4: as aspas abertas na linha 4 não se fecham",
        "cd.csv, linha 1: o cabeçalho deve ser Titulo,Aquisicao,Artista,Estilo,Retirada,Numero",
        "cd.csv, linha 3: 5 colunas, e a tabela CD tem 6",
        "cd.csv, linha 4: 7 colunas, e a tabela CD tem 6",
        "cd.csv, linha 5: Estilo tem 21 caracteres, e o máximo é 20",
        "cd.csv, linha 6: Numero tem 4 caracteres, e o máximo é 3",
        "cd.csv, linha 7: Aquisicao \"31/02/24\" não é uma data dd/mm/aa",
        "cd.csv, linha 8: Aquisicao \"2024-01-05\" não é uma data dd/mm/aa",
        "cd.csv, linha 9: há texto depois das aspas que fecham um campo",
        "cd.csv, linha 10: há aspas no meio de um campo que não começa com aspas",
        "cd.csv, linha 11: Estilo tem 23 caracteres, e o máximo é 20",
        "retirada.csv: o arquivo não pode ser lido em " + folder("csv"),
        "musica.csv, linha 2: o texto não é UTF-8",
    };
    for (const QStringList &target : {QStringList{"import", c, "--csv", folder("csv"), "--force"},
                                      QStringList{"import", folder("nova"), "--csv", folder("csv")}}) {
        const ProgramRun run = runTool(target);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, expected.join(u'\n') + "\nmelvora-tables: 14 problemas nos arquivos CSV; nada foi importado.\n");
    }
    EXPECT_EQ(contents(c), before);
    EXPECT_FALSE(QFileInfo::exists(folder("nova")));
}

TEST_F(Csv, ImportIntoTablesWithRecordsNeedsForceAndThenReplacesThemAll)
{
    const QString c = smallCollection("c");
    const QString other = smallCollection("outra");
    {
        melvora::CollectionTables t(other);
        add(t, "Artista", {"Gal Costa"});
        tables::commitAll();
    }
    ASSERT_EQ(runTool({"export", other, "--csv", folder("csv")}).status, 0);
    const QStringList before = contents(c);
    ProgramRun run = runTool({"import", c, "--csv", folder("csv")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "melvora-tables: As tabelas de " + c + " já têm 11 registros; use --force para substituí-los"
                       " pelos dos arquivos CSV.\n");
    EXPECT_EQ(contents(c), before);
    run = runTool({"import", c, "--csv", folder("csv"), "--force"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Importados em " + c + ": 3 artistas, 3 CDs, 1 retirada, 5 músicas.\n");
    EXPECT_EQ(contents(c), contents(other));
    EXPECT_EQ(runTool({"check", c}).status, 0);
}

TEST_F(Csv, ImportRefusesAFolderWithOnlySomeOfTheTables)
{
    const QString c = smallCollection("c");
    ASSERT_EQ(runTool({"export", c, "--csv", folder("csv")}).status, 0);
    ASSERT_TRUE(QFile::remove(c + "/retirada.db"));
    const ProgramRun run = runTool({"import", c, "--csv", folder("csv"), "--force"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "melvora-tables: Falta em " + c + " a tabela retirada.db; a importação precisa das quatro"
                       " tabelas ou de nenhuma.\n");
    EXPECT_FALSE(QFile::exists(c + "/retirada.db"));
}

TEST_F(Csv, AnImportThatTheDiskStopsMidwayStoresNothing)
{
    const QString source = trickyCollection("origem");
    ASSERT_EQ(runTool({"export", source, "--csv", folder("csv")}).status, 0);
    // How many writes a whole import into new tables makes, then the disk failing (and staying
    // failed) from a point spread across them, into new tables and over existing ones.
    long operations = 0, failAt = 0;
    tables::vfs::setFaultHook([&](tables::vfs::Op, const char *) {
        ++operations;
        return failAt > 0 && operations >= failAt ? SQLITE_FULL : SQLITE_OK;
    });
    melvora::importCsv(folder("contagem"), folder("csv"), false);
    const long total = operations;
    ASSERT_GT(total, 10);
    // Past its commit point the action is stored whole although a later write fails.
    const QStringList imported = contents(folder("contagem"));
    int failures = 0;
    for (const long k : {1L, total / 4, total / 2, 3 * total / 4, total - 1}) {
        SCOPED_TRACE(k);
        const QString fresh = folder(QStringLiteral("nova%1").arg(k));
        const QString existing = smallCollection(QStringLiteral("existente%1").arg(k));
        const QStringList before = contents(existing);
        for (const QString &target : {fresh, existing}) {
            operations = 0;
            failAt = k;
            bool failed = false;
            try {
                melvora::importCsv(target, folder("csv"), true);
            } catch (const tables::EngineError &) {
                failed = true;
            }
            failAt = 0;
            failures += failed;
            if (target == fresh && failed) {
                EXPECT_FALSE(QFileInfo::exists(fresh));
            } else {
                EXPECT_EQ(contents(target), failed ? before : imported);
                EXPECT_EQ(runTool({"check", target}).status, 0);
            }
        }
    }
    EXPECT_GE(failures, 6); // at least the first three points are before the commit
    tables::vfs::setFaultHook({});
}
