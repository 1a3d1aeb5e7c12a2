#include "DBListBox.h"
#include "DataAwareFixture.h"

using dataaware::DBListBox;
using tables::TableState;

class BoundListBox : public DataAwareFixture {
protected:
    void SetUp() override
    {
        DataAwareFixture::SetUp();
        add(*cd, {"Arrival", "", "ABBA", ""});
        add(*cd, {"Waterloo", "", "ABBA", ""});
        list = new DBListBox(window.get());
        list->setDataSource(cdSource.get());
        list->setDataField("Titulo");
        list->addItems({"Arrival", "Voulez-Vous", "Waterloo"});
    }
    DBListBox *list = nullptr;
};

TEST_F(BoundListBox, SelectsTheLineOfTheFieldOnEachRecord)
{
    cd->first();
    EXPECT_EQ(list->currentRow(), 0);
    cd->next();
    EXPECT_EQ(list->currentRow(), 2);
    cd->append();
    EXPECT_EQ(list->currentRow(), -1);
}

TEST_F(BoundListBox, ChoosingALineWritesItWhenEditing)
{
    cdSource->setAutoEdit(true);
    cd->append();
    show();
    list->setFocus();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(cd->fieldText("Titulo"), "Voulez-Vous");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(cd->fieldText("Titulo"), "Waterloo");
    cd->post();
    EXPECT_EQ(column(*cd, "Titulo"), (QStringList{"Arrival", "Waterloo", "Waterloo"}));
}

TEST_F(BoundListBox, RefillingTheLinesWritesNothing)
{
    cdSource->setAutoEdit(true);
    cd->first();
    list->clear();
    list->addItems({"Super Trouper"});
    EXPECT_EQ(cd->state(), TableState::Browse);
    EXPECT_EQ(cd->fieldText("Titulo"), "Arrival");
}

TEST_F(BoundListBox, ReadOnlyWithoutAutoEdit)
{
    cd->first();
    show();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(cd->state(), TableState::Browse);
    EXPECT_EQ(list->currentRow(), 0);
}
