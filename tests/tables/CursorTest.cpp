// The cursor's moves, flags and states on real table files.
#include "TableFixture.h"

using tables::EngineError;
using tables::TableState;

class Cursor : public TableFixture {};

TEST_F(Cursor, EmptyTableHasBothFlagsAndRefusesDelete)
{
    auto &t = makeTable("musica.db", songSchema(), {"imusica=musica"});
    EXPECT_TRUE(t.bof());
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recordCount(), 0);
    t.first();
    t.next();
    t.prior();
    EXPECT_TRUE(t.bof() && t.eof());
    EXPECT_THROW(t.deleteRecord(), EngineError);
    // edit on an empty table starts a new record
    t.edit();
    EXPECT_EQ(t.state(), TableState::Insert);
    t.setFieldText("musica", "Única");
    t.post();
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_FALSE(t.eof());
}

TEST_F(Cursor, MovesSetTheFlagsAsStated)
{
    auto &t = makeTable("musica.db", songSchema());
    for (const char *s : {"a", "b", "c"})
        add(t, {"X", "Y", s});
    t.first();
    EXPECT_TRUE(t.bof());
    EXPECT_FALSE(t.eof());
    EXPECT_EQ(t.fieldText("Musica"), "a");
    t.prior(); // before the first: stays, beginning-of-table
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.fieldText("Musica"), "a");
    t.next();
    EXPECT_FALSE(t.bof());
    EXPECT_EQ(t.fieldText("Musica"), "b");
    t.next();
    t.next(); // past the last: stays, end-of-table
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.fieldText("Musica"), "c");
    t.prior();
    EXPECT_FALSE(t.eof());
    EXPECT_EQ(t.fieldText("Musica"), "b");
    t.last();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.fieldText("Musica"), "c");
}

TEST_F(Cursor, SelectIndexKeepsTheCurrentRecordAndCountIgnoresIt)
{
    auto &t = makeTable("musica.db", songSchema(), {"imusica=musica"});
    for (const char *s : {"Zebra", "alfa", "Meio"})
        add(t, {"X", "Y", s});
    EXPECT_EQ(column(t, "musica"), QStringList({"Zebra", "alfa", "Meio"}));
    t.first();
    t.next(); // alfa
    t.selectIndex("IMUSICA");
    EXPECT_EQ(t.fieldText("musica"), "alfa");
    t.next();
    EXPECT_EQ(t.fieldText("musica"), "Meio");
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(column(t, "musica"), QStringList({"alfa", "Meio", "Zebra"}));
    EXPECT_THROW(t.selectIndex("naoexiste"), EngineError);
    t.selectIndex(QString());
    EXPECT_EQ(column(t, "musica"), QStringList({"Zebra", "alfa", "Meio"}));
}

TEST_F(Cursor, DeleteMakesTheNextCurrentOrTheNewLast)
{
    auto &t = makeTable("musica.db", songSchema(), {"imusica=musica"});
    for (const char *s : {"d", "b", "a", "c"})
        add(t, {"X", "Y", s});
    t.selectIndex("imusica");
    t.first();
    t.next(); // b
    t.deleteRecord();
    EXPECT_EQ(t.fieldText("musica"), "c");
    t.last();
    t.deleteRecord(); // d was the last: c is the new last
    EXPECT_EQ(t.fieldText("musica"), "c");
    EXPECT_EQ(t.recordCount(), 2);
    t.deleteRecord();
    t.deleteRecord();
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_TRUE(t.bof() && t.eof());
}

TEST_F(Cursor, DeleteInInsertStateOnlyCancels)
{
    auto &t = makeTable("musica.db", songSchema());
    add(t, {"X", "Y", "fica"});
    t.append();
    t.setFieldText("musica", "nova");
    t.deleteRecord();
    EXPECT_EQ(t.state(), TableState::Browse);
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.fieldText("musica"), "fica");
}

TEST_F(Cursor, SettlePostsOnlyWhenAFieldChanged)
{
    auto &t = makeTable("musica.db", songSchema());
    add(t, {"X", "Y", "um"});
    t.append();
    t.next(); // a move settles: no field written, so the new record is dropped
    EXPECT_EQ(t.recordCount(), 1);
    t.edit();
    t.setFieldText("MUSICA", "dois");
    t.first(); // moving off an edited record stores it
    EXPECT_EQ(t.state(), TableState::Browse);
    EXPECT_EQ(t.fieldText("musica"), "dois");
    t.edit();
    t.setFieldText("musica", "tres");
    t.cancel();
    EXPECT_EQ(t.fieldText("musica"), "dois");
    t.enterKeyState();
    EXPECT_EQ(t.state(), TableState::Key);
    t.post();
    EXPECT_EQ(t.state(), TableState::Browse);
}

TEST_F(Cursor, WritingNeedsEditOrInsertAndKnownFields)
{
    auto &t = makeTable("musica.db", songSchema());
    add(t, {"X", "Y", "um"});
    EXPECT_THROW(t.setFieldText("musica", "x"), EngineError);
    t.edit();
    EXPECT_THROW(t.setFieldText("naoexiste", "x"), EngineError);
    EXPECT_THROW(t.fieldText("naoexiste"), EngineError);
}

TEST_F(Cursor, OverlongTextIsRefusedAndNothingStored)
{
    auto &t = makeTable("musica.db", songSchema());
    add(t, {"X", "Y", "curta"});
    t.edit();
    EXPECT_NO_THROW(t.setFieldText("musica", QString(40, u'ç')));
    try {
        t.setFieldText("musica", QString(41, u'a'));
        FAIL() << "41 characters were accepted";
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().contains("Musica")) << e.message().toStdString();
    }
    t.cancel();
    closeAll();
    auto &again = open("musica.db");
    EXPECT_EQ(again.fieldText("musica"), "curta");
}

TEST_F(Cursor, DatesAreShownAndReadInTheShortFormat)
{
    tables::Schema schema = {{"Data_Retirada", tables::FieldType::Date, 0}, {"Nome", tables::FieldType::Text, 10}};
    auto &t = makeTable("retirada.db", schema, {"idata=data_retirada"});
    add(t, {"05/03/99", "b"});
    add(t, {"01/01/01", "c"});
    add(t, {"  /  /  ", "a"});
    t.selectIndex("idata");
    EXPECT_EQ(column(t, "Nome"), QStringList({"a", "b", "c"})); // empty, 1999, 2001
    EXPECT_EQ(column(t, "data_retirada"), QStringList({"", "05/03/99", "01/01/01"}));
    EXPECT_TRUE(t.findKey({"5/3/99"}));
    EXPECT_EQ(t.fieldText("Nome"), "b");
    t.edit();
    for (const char *bad : {"31/02/99", "ab/cd/ef", "1/1/", "32/01/20"})
        EXPECT_THROW(t.setFieldText("data_retirada", bad), EngineError) << bad;
    t.cancel();
    EXPECT_EQ(t.displayText("data_retirada"), "05/03/99");
}

TEST_F(Cursor, TextsWithAccentsAndQuotesSurvive)
{
    auto &t = makeTable("musica.db", songSchema(), {"imusica=musica"});
    const QStringList names = {"Beatriz D'Ávila", "\"Aspas\" e 'apóstrofos'", "x'); DROP TABLE records; --", "Ñandú ção"};
    for (const QString &n : names)
        add(t, {"A", "B", n});
    closeAll();
    auto &again = open("musica.db");
    EXPECT_EQ(column(again, "musica"), names);
    again.selectIndex("imusica");
    EXPECT_TRUE(again.findKey({"beatriz d'ávila"}));
    EXPECT_EQ(again.fieldText("musica"), "Beatriz D'Ávila");
}

TEST_F(Cursor, SharedCursorHasItsOwnIndexAndPositionAndSeesChanges)
{
    auto &a = makeTable("musica.db", songSchema(), {"imusica=musica", "iartista=artista"});
    add(a, {"Zé", "T", "b"});
    add(a, {"Ana", "T", "c"});
    add(a, {"Mário", "T", "a"});
    auto &b = open("musica.db", tables::OpenMode::Shared);
    a.selectIndex("imusica");
    b.selectIndex("iartista");
    EXPECT_EQ(column(a, "musica"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(column(b, "artista"), QStringList({"Ana", "Mário", "Zé"}));
    b.first();
    EXPECT_EQ(a.selectedIndex(), "imusica");
    a.first(); // "a" by Mário
    a.deleteRecord();
    EXPECT_EQ(b.recordCount(), 2);
    EXPECT_EQ(column(b, "artista"), QStringList({"Ana", "Zé"}));
    // b's current record is deleted through a: b moves on to the next
    b.first(); // Ana
    a.selectIndex("iartista");
    a.first();
    a.deleteRecord();
    EXPECT_EQ(b.fieldText("artista"), "Zé");
}

TEST_F(Cursor, LongScanFollowsEditsOfTheKeyItWalks)
{
    auto &t = makeTable("musica.db", songSchema(), {"imusica=musica"});
    for (int i = 0; i < 50; ++i)
        add(t, {"A", "T", QString::asprintf("m%02d", i)});
    t.selectIndex("imusica");
    int visited = 0;
    // Rename every tenth while walking: the walk still visits each record once.
    for (t.first(); !t.eof(); t.next()) {
        ++visited;
        const QString m = t.fieldText("musica");
        if (m.endsWith('0') && !m.startsWith("n")) {
            t.edit();
            t.setFieldText("artista", "B");
            t.post();
        }
    }
    EXPECT_EQ(visited, 50);
    int renamed = 0;
    for (t.first(); !t.eof(); t.next())
        renamed += t.fieldText("artista") == "B";
    EXPECT_EQ(renamed, 5);
}

TEST_F(Cursor, ListenersHearEveryChangeOfTheFlags)
{
    auto &t = makeTable("musica.db", songSchema());
    add(t, {"X", "Y", "so"});
    int heard = 0;
    QObject::connect(&t, &tables::Table::recordChanged, [&] { ++heard; });
    t.first();
    heard = 0;
    t.next(); // stays on the only record, but now at the end
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(heard, 1);
    t.prior();
    t.prior(); // back at the beginning
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(heard, 2);
}
