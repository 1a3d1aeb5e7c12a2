#include "DBNavigator.h"
#include "DataAwareFixture.h"

using dataaware::DBNavigator;

class Navigator : public DataAwareFixture {
protected:
    void SetUp() override
    {
        DataAwareFixture::SetUp();
        nav = new DBNavigator(window.get());
        nav->setDataSource(artistaSource.get());
    }
    // Enabled states of first, prior, next, last as a four-letter text ("--NL").
    QString states() const
    {
        QString s;
        const char letters[] = "FPNL";
        for (int b = DBNavigator::First; b <= DBNavigator::Last; ++b)
            s += nav->button(DBNavigator::Button(b))->isEnabled() ? QChar(letters[b]) : QChar('-');
        return s;
    }
    void click(DBNavigator::Button b) { QTest::mouseClick(nav->button(b), Qt::LeftButton); }

    DBNavigator *nav = nullptr;
};

TEST_F(Navigator, EmptyTableDisablesAllFour)
{
    artista->first();
    EXPECT_EQ(states(), "----");
}

TEST_F(Navigator, ButtonsMoveAndFollowTheEnds)
{
    for (const char *name : {"Chico Buarque", "ABBA", "Elis Regina"})
        add(*artista, {name});
    artista->selectIndex("iartista");
    artista->first();
    show();
    EXPECT_EQ(states(), "--NL");
    click(DBNavigator::Next);
    EXPECT_EQ(artista->fieldText("Artista"), "Chico Buarque");
    EXPECT_EQ(states(), "FPNL");
    click(DBNavigator::Last);
    EXPECT_EQ(artista->fieldText("Artista"), "Elis Regina");
    EXPECT_EQ(states(), "FP--");
    click(DBNavigator::Prior);
    click(DBNavigator::Prior);
    EXPECT_EQ(artista->fieldText("Artista"), "ABBA");
    EXPECT_EQ(states(), "FPNL"); // on the first record, but not yet before it
    click(DBNavigator::Prior);
    EXPECT_EQ(states(), "--NL");
    click(DBNavigator::Last);
    click(DBNavigator::First);
    EXPECT_EQ(artista->fieldText("Artista"), "ABBA");
    EXPECT_EQ(states(), "--NL");
}

TEST_F(Navigator, NextOntoTheEndDisablesNextAndLast)
{
    add(*artista, {"ABBA"});
    add(*artista, {"Beatles"});
    artista->first();
    show();
    click(DBNavigator::Next);
    EXPECT_EQ(states(), "FPNL");
    click(DBNavigator::Next);
    EXPECT_EQ(artista->fieldText("Artista"), "Beatles");
    EXPECT_EQ(states(), "FP--");
}

TEST_F(Navigator, KeysPressTheButtonsWhenFocused)
{
    for (const char *name : {"A", "B", "C"})
        add(*artista, {name});
    artista->first();
    show();
    nav->setFocus();
    QTest::keyClick(nav, Qt::Key_End);
    EXPECT_EQ(artista->fieldText("Artista"), "C");
    QTest::keyClick(nav, Qt::Key_Left);
    EXPECT_EQ(artista->fieldText("Artista"), "B");
    QTest::keyClick(nav, Qt::Key_Home);
    EXPECT_EQ(artista->fieldText("Artista"), "A");
    QTest::keyClick(nav, Qt::Key_Right);
    EXPECT_EQ(artista->fieldText("Artista"), "B");
}

TEST_F(Navigator, AppendAndDeleteUpdateTheStates)
{
    artista->first();
    EXPECT_EQ(states(), "----");
    add(*artista, {"ABBA"});
    EXPECT_NE(states(), "----");
    artista->first();
    artista->deleteRecord();
    EXPECT_EQ(states(), "----");
}
