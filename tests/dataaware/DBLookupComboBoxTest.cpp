#include "DBLookupComboBox.h"
#include "DataAwareFixture.h"

using dataaware::DBLookupComboBox;
using tables::TableState;

class LookupList : public DataAwareFixture {
protected:
    void SetUp() override
    {
        DataAwareFixture::SetUp();
        for (const char *name : {"Chico Buarque", "ABBA", "Elis Regina"})
            add(*artista, {name});
        add(*cd, {"Arrival", "", "ABBA", ""});
        add(*cd, {"Construção", "", "Chico Buarque", ""});
        add(*cd, {"Sem artista", "", "", ""});
        combo = new DBLookupComboBox(window.get());
        combo->setListSource(artistaSource.get());
        combo->setKeyField("Artista");
        combo->setListField("Artista");
        combo->setDataSource(cdSource.get());
        combo->setDataField("Artista");
    }
    DBLookupComboBox *combo = nullptr;
};

TEST_F(LookupList, ListFollowsTheListTablesCurrentOrder)
{
    EXPECT_EQ(combo->listEntries(), (QStringList{"Chico Buarque", "ABBA", "Elis Regina"}));
    artista->selectIndex("iartista");
    EXPECT_EQ(combo->listEntries(), (QStringList{"ABBA", "Chico Buarque", "Elis Regina"}));
}

TEST_F(LookupList, ShowsTheEntryOfTheBoundKeyAndBlankWithoutOne)
{
    cd->first();
    EXPECT_EQ(combo->currentText(), "ABBA");
    cd->next();
    EXPECT_EQ(combo->currentText(), "Chico Buarque");
    cd->next();
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), "");
}

TEST_F(LookupList, ChoosingWritesTheKeyIntoTheBoundField)
{
    cd->first();
    cd->edit();
    show();
    combo->setFocus();
    // The list is in the artist table's own order: Chico Buarque, ABBA, Elis Regina.
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(cd->fieldText("Artista").toStdString(), "Elis Regina");
    QTest::keyClick(combo, Qt::Key_Up);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(cd->fieldText("Artista").toStdString(), "Chico Buarque");
    cd->post();
    EXPECT_EQ(column(*cd, "Artista"), (QStringList{"Chico Buarque", "Chico Buarque", ""}));
}

TEST_F(LookupList, ReadOnlyWithoutAutoEditAndWritesWithIt)
{
    cd->first();
    show();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(cd->state(), TableState::Browse);
    EXPECT_EQ(combo->currentText(), "ABBA");

    cdSource->setAutoEdit(true);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(cd->state(), TableState::Edit);
    EXPECT_EQ(cd->fieldText("Artista"), "Elis Regina");
}

TEST_F(LookupList, ReadsTheListOnceAcrossMovesAndAgainAfterAChange)
{
    artista->first();
    artista->next(); // the shared artist cursor keeps its place while the list is read
    const int reads = combo->listReads();
    for (int i = 0; i < 50; ++i) {
        cd->first();
        cd->next();
    }
    EXPECT_EQ(combo->listReads(), reads);
    EXPECT_EQ(artista->fieldText("Artista"), "ABBA");

    add(*artista, {"Beatles"});
    add(*artista, {"Caetano Veloso"});
    QApplication::processEvents();
    EXPECT_EQ(combo->listReads(), reads + 1);
    EXPECT_EQ(combo->listEntries().size(), 5);
}

TEST_F(LookupList, PendingArtistInsertIsNotOffered)
{
    artista->append();
    artista->setFieldText("Artista", "Unsaved");
    artista->selectIndex("iartista"); // settles: the insert is stored
    EXPECT_EQ(combo->listEntries(), (QStringList{"ABBA", "Chico Buarque", "Elis Regina", "Unsaved"}));
    artista->append();
    artista->setFieldText("Artista", "Pending");
    EXPECT_FALSE(combo->listEntries().contains("Pending"));
}
