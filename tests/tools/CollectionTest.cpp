// The data model on disk: the tool that makes the four tables, the data module that opens them,
// and the program's own name matching.
#include "CollectionFiles.h"
#include "DataModule.h"
#include "NameMatch.h"
#include "TableDefinitions.h"

#include "ToolFixture.h"
#include "Transactions.h"
#include "WorkingFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using tables::EngineError;

class Collection : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    WorkingFolder dir;
};

TEST_F(Collection, CreateMakesFourTablesAndTheTwentyEightIndexFiles)
{
    melvora::createEmptyCollection(dir.path());
    for (const auto &def : melvora::tableDefinitions())
        EXPECT_TRUE(QFile::exists(dir.filePath(def.fileName))) << def.fileName.toStdString();
    for (const QString &f : melvora::indexFileNames())
        EXPECT_TRUE(QFile::exists(dir.filePath(f))) << f.toStdString();
    TDataModule1 dm;
    dm.DataModuleCreate();
    EXPECT_EQ(dm.CD->indexNames(), QStringList({"iartista", "iartista_titulo", "ititulo", "inumero"}));
    EXPECT_EQ(dm.Musica->indexNames(),
              QStringList({"iartistatitulo", "iartistatitulomusica", "imusica", "iartista"}));
    EXPECT_EQ(dm.Retirada->indexNames(),
              QStringList({"iartista", "idata_entrega", "idata_retirada", "iresponsavel", "ititulo"}));
    const auto &cd = dm.CD->fields();
    ASSERT_EQ(cd.size(), 6);
    EXPECT_EQ(cd[3].name, "Estilo");
    EXPECT_EQ(cd[3].size, 20);
    EXPECT_EQ(cd[5].size, 3);
    EXPECT_EQ(dm.Retirada->fields()[2].size, 13);
    EXPECT_FALSE(dm.ArtistaSource->autoEdit());
    EXPECT_FALSE(dm.CDSource->autoEdit());
    EXPECT_TRUE(dm.RetiradaSource->autoEdit());
    EXPECT_TRUE(dm.MusicaSource->autoEdit());
}

TEST_F(Collection, CreateRefusesToOverwriteAnExistingTable)
{
    melvora::createEmptyCollection(dir.path());
    {
        TDataModule1 dm;
        dm.DataModuleCreate();
        dm.Artista->append();
        dm.Artista->setFieldText("artista", "Fica");
        dm.Artista->post();
        tables::commitAll();
    }
    EXPECT_THROW(melvora::createEmptyCollection(dir.path()), EngineError);
    TDataModule1 dm;
    dm.DataModuleCreate();
    EXPECT_EQ(dm.Artista->recordCount(), 1);
}

TEST_F(Collection, OpeningStopsAtTheFirstTableThatCannotBeOpened)
{
    melvora::createEmptyCollection(dir.path());
    ASSERT_TRUE(QFile::remove(dir.filePath("retirada.db")));
    TDataModule1 dm;
    try {
        dm.DataModuleCreate();
        FAIL() << "opened without retirada.db";
    } catch (const EngineError &e) {
        EXPECT_EQ(e.message(), "A tabela retirada.db não foi encontrada");
    }
    EXPECT_TRUE(dm.Artista->isOpen());
    EXPECT_TRUE(dm.CD->isOpen());
    EXPECT_FALSE(dm.Retirada->isOpen());
    EXPECT_FALSE(dm.Musica->isOpen());
}

TEST_F(Collection, SampleIsARealisticCollectionWithCheckoutsMarked)
{
    melvora::createEmptyCollection(dir.path());
    melvora::fillSampleCollection(dir.path(), {});
    TDataModule1 dm;
    dm.DataModuleCreate();
    EXPECT_GE(dm.CD->recordCount(), 140);
    EXPECT_GE(dm.Musica->recordCount(), 1500);
    EXPECT_EQ(dm.Retirada->recordCount(), 5);
    // every checkout's CD is marked "S", and only those
    int lent = 0;
    for (dm.CD->first(); !dm.CD->eof(); dm.CD->next())
        lent += dm.CD->fieldText("retirada") == "S";
    EXPECT_EQ(lent, 5);
    dm.CD->selectIndex("iartista_titulo");
    for (dm.Retirada->first(); !dm.Retirada->eof(); dm.Retirada->next()) {
        ASSERT_TRUE(dm.CD->findKey({dm.Retirada->fieldText("artista"), dm.Retirada->fieldText("titulo")}));
        EXPECT_EQ(dm.CD->fieldText("retirada"), "S");
    }
    // each CD's songs are found by the song list's index
    dm.Musica->selectIndex("iartistatitulo");
    dm.CD->first();
    EXPECT_TRUE(dm.Musica->findKey({dm.CD->fieldText("artista"), dm.CD->fieldText("titulo")}));
}

TEST_F(Collection, CaseIsIgnoredByKeysButNamesFoldOnlyAToZ)
{
    melvora::createEmptyCollection(dir.path());
    TDataModule1 dm;
    dm.DataModuleCreate();
    dm.CD->append();
    dm.CD->setFieldText("artista", "ABBA");
    dm.CD->setFieldText("titulo", "Arrival");
    dm.CD->post();
    for (const char *artist : {"Abba", "abba"}) {
        dm.Musica->append();
        dm.Musica->setFieldText("artista", artist);
        dm.Musica->setFieldText("titulo", "ARRIVAL");
        dm.Musica->setFieldText("musica", "Dancing Queen");
        dm.Musica->post();
    }
    dm.CD->selectIndex("iartista_titulo");
    ASSERT_TRUE(dm.CD->findKey({"abba", "arrival"}));
    dm.Musica->selectIndex("iartistatitulo");
    ASSERT_TRUE(dm.Musica->findKey({dm.CD->fieldText("artista"), dm.CD->fieldText("titulo")}));
    int together = 0;
    for (; !dm.Musica->eof() && melvora::sameNameAZ(dm.Musica->fieldText("artista"), "ABBA"); dm.Musica->next())
        ++together;
    EXPECT_EQ(together, 2);

    EXPECT_EQ(melvora::foldAZ("ÉBANO Abba"), "Ébano abba");
    EXPECT_TRUE(melvora::sameNameAZ("ABBA", "abba"));
    EXPECT_FALSE(melvora::sameNameAZ("Ébano", "ébano"));
    EXPECT_FALSE(melvora::sameNameAZ("Ebano", "Ébano"));
}

TEST_F(Collection, ToolRefusesBadArgumentsAndExistingTables)
{
    auto run = [](const QStringList &args) { return runTool(args).status; };
    EXPECT_EQ(run({"create", dir.filePath("nova")}), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("nova/musica.YG3")));
    EXPECT_EQ(run({"create", dir.filePath("nova")}), 1);
    EXPECT_EQ(run({"sample"}), 2);
    EXPECT_EQ(run({"sample", dir.filePath("x"), "--cds", "dez"}), 2);
    EXPECT_EQ(run({"remove", dir.filePath("nova")}), 2);
    for (const QStringList &wrong : {QStringList{"check"}, QStringList{"check", "a", "b"}, QStringList{"check", "a", "--force"},
                                     QStringList{"export", "a"}, QStringList{"export", "a", "--csv"},
                                     QStringList{"export", "a", "--csv", "b", "--force"},
                                     QStringList{"import", "a", "--csv", "b", "--csv", "c"}, QStringList{"backup", "a"},
                                     QStringList{"restore", "a", "b", "--repair"}, QStringList{"create", "a", "--force"}})
        EXPECT_EQ(run(wrong), 2) << wrong.join(u' ').toStdString();
    EXPECT_EQ(run({"sample", dir.filePath("grande"), "--cds", "30", "--songs-per-cd", "4"}), 0);
    TDataModule1 dm;
    QDir::setCurrent(dir.filePath("grande"));
    dm.DataModuleCreate();
    EXPECT_EQ(dm.CD->recordCount(), 30);
    EXPECT_EQ(dm.Musica->recordCount(), 120);
}
