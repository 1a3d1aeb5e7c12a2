// Secondary indexes: case-insensitive order and keys, rebuilds, and index files that go missing.
#include "Verify.h"
#include "TableFixture.h"

#include <QFile>

using tables::EngineError;

class Index : public TableFixture {};

TEST_F(Index, OrderIsPortugueseDictionaryOrderIgnoringCase)
{
    auto &t = makeTable("musica.db", songSchema(), {"imusica=musica"});
    for (const char *s : {"Eco", "Ébano", "açúcar", "ebano", "abba", "Ábaco", "ABBA"})
        add(t, {"A", "T", QString::fromUtf8(s)});
    t.selectIndex("imusica");
    // equal keys ("abba", "ABBA") keep their order of insertion
    EXPECT_EQ(column(t, "musica"),
              QStringList({"Ábaco", "abba", "ABBA", "açúcar", "ebano", "Ébano", "Eco"}));
}

TEST_F(Index, KeysIgnoreCaseButNotAccents)
{
    auto &cd = makeTable("cd.db", songSchema(), {"iartista_titulo=artista;titulo"});
    add(cd, {"ABBA", "Arrival", ""});
    add(cd, {"Abba", "arrival", "x"});
    add(cd, {"ébano", "Raízes", ""});
    cd.selectIndex("iartista_titulo");
    ASSERT_TRUE(cd.findKey({"abba", "ARRIVAL"}));
    EXPECT_EQ(cd.fieldText("artista"), "ABBA"); // first match in index order
    cd.next();
    EXPECT_EQ(cd.fieldText("artista"), "Abba");
    EXPECT_TRUE(cd.findKey({"Ébano"})); // one value of a two-field index
    EXPECT_EQ(cd.fieldText("artista"), "ébano");
    EXPECT_FALSE(cd.findKey({"Ebano"})); // the accent counts; on failure the cursor stays
    EXPECT_EQ(cd.fieldText("artista"), "ébano");
    EXPECT_FALSE(cd.findKey({"ABB"}));
    EXPECT_THROW(cd.findKey({"a", "b", "c"}), EngineError);
    cd.selectIndex(QString());
    EXPECT_THROW(cd.findKey({"abba"}), EngineError);
}

TEST_F(Index, IndexesSurviveReopenAndFollowEveryWrite)
{
    {
        auto &t = makeTable("musica.db", songSchema(), {"iartista=artista", "imusica=musica"});
        add(t, {"b", "T", "2"});
        add(t, {"a", "T", "3"});
        add(t, {"c", "T", "1"});
        t.first();
        t.edit();
        t.setFieldText("artista", "d"); // b -> d
        t.post();
        closeAll();
    }
    auto &t = open("musica.db");
    EXPECT_EQ(t.indexNames(), QStringList({"iartista", "imusica"}));
    t.selectIndex("iartista");
    EXPECT_EQ(column(t, "artista"), QStringList({"a", "c", "d"}));
    t.selectIndex("imusica");
    EXPECT_EQ(column(t, "musica"), QStringList({"1", "2", "3"}));
    for (const char *f : {"musica.XG0", "musica.YG0", "musica.XG1", "musica.YG1"})
        EXPECT_TRUE(QFile::exists(path(f))) << f;
}

TEST_F(Index, AddIndexOfAnExistingNameRebuildsIt)
{
    auto &t = makeTable("musica.db", songSchema(), {"ix=artista"});
    add(t, {"b", "1", "z"});
    add(t, {"a", "2", "y"});
    t.addIndex("IX", "musica", true); // same name: rebuilt over the new field list
    t.selectIndex("ix");
    EXPECT_EQ(column(t, "musica"), QStringList({"y", "z"}));
    EXPECT_EQ(t.indexNames(), QStringList({"IX"}));
    EXPECT_THROW(t.addIndex("iy", "naoexiste", true), EngineError);
    EXPECT_THROW(t.addIndex("iy", "", true), EngineError);
}

TEST_F(Index, MissingIndexFileDropsThatIndexUntilItIsAddedAgain)
{
    {
        auto &t = makeTable("cd.db", songSchema(), {"i0=artista", "i1=titulo", "i2=musica"});
        add(t, {"b", "x", "m2"});
        add(t, {"a", "y", "m1"});
        closeAll();
    }
    ASSERT_TRUE(QFile::remove(path("cd.YG1")));
    auto &t = open("cd.db");
    EXPECT_FALSE(QFile::exists(path("cd.XG1"))); // half a pair is removed: the start-up check sees it
    EXPECT_EQ(t.indexNames(), QStringList({"i0", "i2"}));
    EXPECT_THROW(t.selectIndex("i1"), EngineError);
    add(t, {"c", "w", "m0"}); // the remaining indexes stay in step
    t.addIndex("i1", "titulo", true); // takes the free slot 1 again
    EXPECT_TRUE(QFile::exists(path("cd.XG1")));
    EXPECT_TRUE(QFile::exists(path("cd.YG1")));
    t.selectIndex("i1");
    EXPECT_EQ(column(t, "titulo"), QStringList({"w", "x", "y"}));
    t.selectIndex("i2");
    EXPECT_EQ(column(t, "musica"), QStringList({"m0", "m1", "m2"}));
}

TEST_F(Index, TableFileOfAnotherCollectionIsNotTrustedWithThisFoldersIndexes)
{
    // Two collections with the same history: one table file each, one index, one commit.
    QTemporaryDir other;
    for (const QString &folder : {dir.path(), other.path()}) {
        tables::createTableFile(folder + "/cd.db", songSchema());
        tables::Table t(folder + "/cd.db");
        t.open();
        t.addIndex("iartista", "artista", true);
        t.append();
        t.setFieldText("artista", folder == dir.path() ? "aqui" : "outra");
        t.post();
        tables::commitAll();
    }
    // The other collection's table copied in; this folder's descriptors stay.
    ASSERT_TRUE(QFile::remove(path("cd.db")));
    ASSERT_TRUE(QFile::copy(other.filePath("cd.db"), path("cd.db")));
    auto &t = open("cd.db");
    EXPECT_TRUE(t.indexNames().isEmpty());
    EXPECT_FALSE(QFile::exists(path("cd.XG0")));
    EXPECT_FALSE(QFile::exists(path("cd.YG0")));
    t.addIndex("iartista", "artista", true);
    t.selectIndex("iartista");
    EXPECT_TRUE(t.findKey({"OUTRA"}));
    closeAll();
    EXPECT_EQ(tables::verifyTableFile(path("cd.db")), QStringList());
}

TEST_F(Index, DescriptorOfAnOlderBuildIsNotTrusted)
{
    {
        auto &t = makeTable("cd.db", songSchema(), {"i0=artista"});
        add(t, {"a", "", ""});
        closeAll();
    }
    ASSERT_TRUE(QFile::copy(path("cd.XG0"), path("old.XG0")));
    {
        auto &t = open("cd.db");
        t.addIndex("i0", "titulo", true); // a new build under the same number
        add(t, {"b", "t", ""});
        closeAll();
    }
    QFile::remove(path("cd.XG0"));
    ASSERT_TRUE(QFile::copy(path("old.XG0"), path("cd.XG0")));
    auto &t = open("cd.db");
    EXPECT_TRUE(t.indexNames().isEmpty());
    EXPECT_FALSE(QFile::exists(path("cd.XG0")));
    EXPECT_FALSE(QFile::exists(path("cd.YG0")));
}
