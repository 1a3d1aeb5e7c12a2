// The check command: faults of the files, of the indexes and of the links between the tables,
// each found and named; --repair mending what an index rebuild mends and naming the rest.
#include "ToolFixture.h"

#include <functional>

namespace {

QString summary(int faults, const QString &dir)
{
    return faults == 1 ? QStringLiteral("1 problema encontrado nas tabelas de %1.\n").arg(dir)
                       : QStringLiteral("%1 problemas encontrados nas tabelas de %2.\n").arg(faults).arg(dir);
}

// Puts t on the CD of that title (the titles of the small collection are distinct).
void toCd(tables::Table &t, const QString &title)
{
    t.selectIndex("ititulo");
    ASSERT_TRUE(t.findKey({title})) << title.toStdString();
}

void setField(tables::Table &t, const QString &field, const QString &value)
{
    t.edit();
    t.setFieldText(field, value);
    t.post();
}

} // namespace

class Check : public ToolFixture {};

TEST_F(Check, ASoundCollectionPassesAndRepairLeavesItAlone)
{
    const QString c = smallCollection("c");
    ProgramRun run = runTool({"check", c});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Nenhum problema encontrado nas tabelas de " + c + ".\n");
    EXPECT_EQ(run.err, "");
    const auto before = folderState(c);
    run = runTool({"check", c, "--repair"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Nenhum problema encontrado nas tabelas de " + c + "; nada a corrigir.\n");
    EXPECT_EQ(folderState(c), before);
}

TEST_F(Check, BrokenLinksBetweenTheTablesAreNamedOneByOne)
{
    using Change = std::function<void(melvora::CollectionTables &)>;
    struct Case {
        const char *name;
        Change change;
        QStringList expected;
    };
    const Case cases[] = {
        {"a CD marked S without a checkout",
         [](auto &c) { toCd(c.table("CD"), "Waterloo"); setField(c.table("CD"), "Retirada", "S"); },
         {"cd.db: o CD \"Waterloo\" de ABBA está marcado \"S\" (emprestado), mas sem retirada em retirada.db"}},
        {"a checkout whose CD is gone (and the CD's songs with it)",
         [](auto &c) { toCd(c.table("CD"), "Arrival"); c.table("CD").deleteRecord(); },
         {"retirada.db: a retirada de \"Arrival\" de Abba por Ana Paula é de um CD que não existe em cd.db",
          "musica.db: 2 músicas de \"Arrival\" de ABBA são de um CD que não existe em cd.db"}},
        {"a checkout of a CD on the shelf",
         [](auto &c) { toCd(c.table("CD"), "Arrival"); setField(c.table("CD"), "Retirada", "N"); },
         {"retirada.db: a retirada de \"Arrival\" de Abba por Ana Paula é de um CD que não está marcado \"S\" em cd.db"}},
        {"songs whose CD is gone",
         [](auto &c) { toCd(c.table("CD"), "Falso Brilhante"); c.table("CD").deleteRecord(); },
         {"musica.db: 2 músicas de \"Falso Brilhante\" de Elis Regina são de um CD que não existe em cd.db"}},
        {"a song under a title no CD has",
         [](auto &c) {
             tables::Table &m = c.table("Musica");
             m.selectIndex("imusica");
             ASSERT_TRUE(m.findKey({"Waterloo"}));
             setField(m, "Titulo", "Waterlo");
         },
         {"musica.db: 1 música de \"Waterlo\" de ABBA é de um CD que não existe em cd.db"}},
        {"a second checkout of one lent CD",
         [](auto &c) { add(c, "Retirada", {"03/01/26", "Rui", "", "17/01/26", "Arrival", "ABBA"}); },
         {"retirada.db: há 2 retiradas de \"Arrival\" de Abba, mas só 1 CD marcado \"S\" em cd.db"}},
        {"a flag that is neither N nor S",
         [](auto &c) { toCd(c.table("CD"), "Arrival"); setField(c.table("CD"), "Retirada", "s"); },
         {"cd.db: o CD \"Arrival\" de ABBA tem a marca de empréstimo \"s\", que não é \"N\" nem \"S\"",
          "retirada.db: a retirada de \"Arrival\" de Abba por Ana Paula é de um CD que não está marcado \"S\" em cd.db"}},
        // Names are linked as the indexes compare them: letter case ignored, accents not.
        {"a song whose artist differs in letter case only",
         [](auto &c) {
             tables::Table &m = c.table("Musica");
             m.selectIndex("imusica");
             ASSERT_TRUE(m.findKey({"Waterloo"}));
             setField(m, "Artista", "aBBa");
         },
         {}},
        {"a song whose artist differs by an accent",
         [](auto &c) {
             tables::Table &m = c.table("Musica");
             m.selectIndex("imusica");
             ASSERT_TRUE(m.findKey({"Waterloo"}));
             setField(m, "Artista", "ÁBBA");
         },
         {"musica.db: 1 música de \"Waterloo\" de ÁBBA é de um CD que não existe em cd.db"}},
    };
    int n = 0;
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        const QString c = smallCollection(QStringLiteral("c%1").arg(n++));
        {
            melvora::CollectionTables tables(c);
            k.change(tables);
            tables::commitAll();
        }
        const ProgramRun run = runTool({"check", c});
        EXPECT_EQ(run.status, k.expected.isEmpty() ? 0 : 1);
        const QString lines = k.expected.isEmpty() ? QString() : k.expected.join(u'\n') + u'\n';
        EXPECT_EQ(run.out, k.expected.isEmpty() ? "Nenhum problema encontrado nas tabelas de " + c + ".\n"
                                                : lines + summary(int(k.expected.size()), c));
    }
}

TEST_F(Check, RepairRebuildsTheIndexesButLeavesTheLinksToTheUser)
{
    const QString c = smallCollection("c");
    {
        melvora::CollectionTables tables(c);
        toCd(tables.table("CD"), "Waterloo");
        setField(tables.table("CD"), "Retirada", "S");
        tables::commitAll();
    }
    const QStringList before = contents(c);
    const QString fault = "cd.db: o CD \"Waterloo\" de ABBA está marcado \"S\" (emprestado), mas sem retirada em retirada.db";
    const ProgramRun run = runTool({"check", c, "--repair"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, fault + "\nOs índices foram reconstruídos.\nNão foi possível corrigir:\n" + fault + "\n");
    EXPECT_EQ(contents(c), before);
}

TEST_F(Check, ADamagedIndexIsFoundAndRepairMendsIt)
{
    const QString c = smallCollection("c");
    // One key of the title index made wrong, one song's entry in its CD's index removed.
    runSql(c + "/cd.db", "UPDATE idx2 SET k1 = x'00' WHERE rid = 2");
    runSql(c + "/musica.db", "DELETE FROM idx0 WHERE rid = 1");
    const QStringList faults = {
        "cd.db: o índice ititulo não concorda com a tabela (1 entradas sem registro, 1 registros sem entrada, 3 entradas)",
        "musica.db: o índice iartistatitulo não concorda com a tabela (0 entradas sem registro, 1 registros sem entrada,"
        " 4 entradas)"};
    {
        // What the program would see: the CD is not found by its title.
        melvora::CollectionTables tables(c);
        tables.table("CD").selectIndex("ititulo");
        EXPECT_FALSE(tables.table("CD").findKey({"Waterloo"}));
    }
    ProgramRun run = runTool({"check", c});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, faults.join(u'\n') + u'\n' + summary(2, c));

    run = runTool({"check", c, "--repair"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, faults.join(u'\n') + "\nOs índices foram reconstruídos.\nTudo foi corrigido.\n");
    EXPECT_EQ(runTool({"check", c}).status, 0);
    melvora::CollectionTables tables(c);
    tables.table("CD").selectIndex("ititulo");
    EXPECT_TRUE(tables.table("CD").findKey({"Waterloo"}));
    tables.table("Musica").selectIndex("iartistatitulo");
    ASSERT_TRUE(tables.table("Musica").findKey({"ABBA", "Arrival"}));
    EXPECT_EQ(tables.table("Musica").fieldText("Musica"), "Dancing Queen");
}

TEST_F(Check, IndexesTheDescriptorsNoLongerVouchForAreFoundAndRebuilt)
{
    const QString other = smallCollection("outra");
    struct Case {
        const char *name;
        std::function<void(const QString &)> damage;
        QString expected;
    };
    const Case cases[] = {
        {"a descriptor file removed", [](const QString &c) { QFile::remove(c + "/cd.YG2"); },
         "cd.db: falta cd.YG2 do índice ititulo"},
        {"both files of a pair removed",
         [](const QString &c) { QFile::remove(c + "/retirada.XG4"), QFile::remove(c + "/retirada.YG4"); },
         "retirada.db: falta retirada.XG4 e retirada.YG4 do índice ititulo"},
        {"the pair of another collection's build",
         [&](const QString &c) {
             for (const char *f : {"/cd.XG1", "/cd.YG1"}) {
                 QFile::remove(c + f);
                 QFile::copy(other + f, c + f);
             }
         },
         "cd.db: o índice iartista_titulo não pode ser usado: falta na tabela ou não é o que cd.XG1 e cd.YG1 indicam"},
    };
    int n = 0;
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        const QString c = smallCollection(QStringLiteral("c%1").arg(n++));
        k.damage(c);
        ProgramRun run = runTool({"check", c, "--repair"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, k.expected + "\nOs índices foram reconstruídos.\nTudo foi corrigido.\n");
        for (const QString &f : melvora::indexFileNames())
            EXPECT_TRUE(QFile::exists(c + "/" + f)) << f.toStdString();
        EXPECT_EQ(runTool({"check", c}).status, 0);
    }
}

TEST_F(Check, ATableThatIsNotATableOrIsMissingIsReportedAndTheOthersAreStillRepaired)
{
    const QString c = smallCollection("c");
    {
        QFile f(c + "/retirada.db");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
    }
    ASSERT_TRUE(QFile::remove(c + "/musica.db"));
    runSql(c + "/cd.db", "DELETE FROM idx0 WHERE rid = 3");
    const QString cdFault = "cd.db: o índice iartista não concorda com a tabela (0 entradas sem registro, 1 registros sem"
                            " entrada, 2 entradas)";
    const QStringList unmendable = {"falta a tabela musica.db",
                                    "O arquivo retirada.db está danificado ou não é uma tabela"};
    ProgramRun run = runTool({"check", c});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "O arquivo retirada.db está danificado ou não é uma tabela\nfalta a tabela musica.db\n" + cdFault
                           + "\n" + summary(3, c));
    run = runTool({"check", c, "--repair"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.endsWith("Os índices foram reconstruídos.\nNão foi possível corrigir:\n"
                                 "O arquivo retirada.db está danificado ou não é uma tabela\nfalta a tabela musica.db\n"))
        << run.out.toStdString();
}
