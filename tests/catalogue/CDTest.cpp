#include "CD.h"
#include "CatalogueFixture.h"
#include "DBEdit.h"
#include "DBLookupComboBox.h"
#include "DBNavigator.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

class CDRegister : public CatalogueFixture {
protected:
    TCDForm *open() { return form = openRegister<TCDForm>(); }
    QString states() const { return registerStates(form); }
    void seekTitle(const QString &title)
    {
        ASSERT_TRUE(DataModule1->CD->findKey({title}));
        settle();
    }
    void retitle(const QString &title)
    {
        click(form->BitBtn2);
        form->DBEdit1->selectAll();
        type(form->DBEdit1, title);
        click(form->BitBtn7);
    }

    TCDForm *form = nullptr;
};

using CDRegisterButtons = CDRegister;
using CDEntry = CDRegister;
using CDCascades = CDRegister;

TEST_F(CDRegisterButtons, OpensOnTheFirstTitleWithTheStateTable)
{
    addCD("Waterloo", "ABBA");
    addCD("Arrival", "ABBA");
    open();
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(form->DBEdit1->text(), "Arrival");
    EXPECT_EQ(focused(), form->DBEdit1);
    EXPECT_EQ(states(), "NIEA--");
    click(form->BitBtn5);
    EXPECT_EQ(states(), "-I--GC");
    click(form->BitBtn1);
    EXPECT_EQ(states(), "NIEA--");
    click(form->BitBtn2);
    EXPECT_EQ(states(), "--E-GC");
    click(form->BitBtn1);
    answers = {false};
    click(form->BitBtn6);
    EXPECT_EQ(states(), "NIEA--");
    EXPECT_EQ(messages(), QStringList{"Confirma exclusão?"});
    EXPECT_EQ(rows(DataModule1->CD).size(), 2);
}

TEST_F(CDEntry, NewCDShowsTheGreyedFlagN)
{
    open();
    click(form->BitBtn5);
    EXPECT_EQ(form->DBEdit3->text(), "N");
    EXPECT_FALSE(form->DBEdit3->isEnabled());
}

TEST_F(CDEntry, EditOnAnEmptyTableStartsACDOnTheShelf)
{
    add(DataModule1->Artista, {"ABBA"});
    open();
    click(form->BitBtn2);
    EXPECT_EQ(form->DBEdit3->text(), "N");
    type(form->DBEdit1, "Arrival");
    QTest::keyClick(form->DBLookupComboBox1, Qt::Key_Down);
    click(form->BitBtn7);
    EXPECT_TRUE(boxes.empty()) << messages().join(" / ").toStdString();
    EXPECT_EQ(rows(DataModule1->CD), QStringList{"Arrival||ABBA||N|"});
}

TEST_F(CDEntry, NewCDTypedFieldByFieldWithEnter)
{
    add(DataModule1->Artista, {"Chico Buarque"});
    add(DataModule1->Artista, {"ABBA"});
    open();
    click(form->BitBtn5);
    type(form->DBEdit1, "Arrival");
    enter(form->DBEdit1);
    EXPECT_EQ(focused(), form->DBEdit5);
    type(form->DBEdit5, "0071");
    enter(form->DBEdit5);
    EXPECT_EQ(focused(), form->DBEdit2);
    form->DBEdit2->setCursorPosition(0);
    type(form->DBEdit2, "110176");
    enter(form->DBEdit2);
    EXPECT_EQ(focused(), form->DBLookupComboBox1);
    QTest::keyClick(form->DBLookupComboBox1, Qt::Key_Down); // the artist table's own order
    QTest::keyClick(form->DBLookupComboBox1, Qt::Key_Down);
    enter(form->DBLookupComboBox1);
    EXPECT_EQ(focused(), form->DBEdit4);
    type(form->DBEdit4, "Pop");
    enter(form->DBEdit4);
    EXPECT_EQ(focused(), form->BitBtn7);
    enter(form->BitBtn7);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(rows(DataModule1->CD), QStringList{"Arrival|11/01/76|ABBA|Pop|N|007"});
    EXPECT_EQ(focused(), form->BitBtn5);
}

TEST_F(CDEntry, EnterInAnEmptyDateIsRefusedAndTabLeavesSilently)
{
    open();
    click(form->BitBtn5);
    form->DBEdit2->setFocus();
    enter(form->DBEdit2);
    EXPECT_EQ(messages(), QStringList{"Data Inválida"});
    EXPECT_EQ(focused(), form->DBEdit2);
    QTest::keyClick(form->DBEdit2, Qt::Key_Tab);
    settle();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(focused(), form->DBLookupComboBox1);
}

TEST_F(CDEntry, SavingWithoutArtistIsRefusedAndDropsTheNewCD)
{
    open();
    click(form->BitBtn5);
    type(form->DBEdit1, "Sem dono");
    click(form->BitBtn7);
    EXPECT_EQ(messages(), QStringList{"Operação Inválida."});
    EXPECT_TRUE(rows(DataModule1->CD).isEmpty());
    EXPECT_EQ(states(), "NIEA--");
    EXPECT_EQ(focused(), form->DBEdit1);
}

TEST_F(CDCascades, TitleCorrectionRewritesTheSongsWhateverTheirCaseAndKeepsTheirArtist)
{
    add(DataModule1->Artista, {"ABBA"});
    add(DataModule1->Artista, {"Queen"});
    addCD("Arival", "ABBA");
    addCD("Arival", "Queen");
    addSong("ABBA", "Arival", "Dancing Queen");
    addSong("abba", "ARIVAL", "Knowing Me");
    addSong("Queen", "Arival", "Other CD");
    open();
    ASSERT_TRUE(DataModule1->CD->findKey({"Arival"}));
    settle();
    ASSERT_EQ(DataModule1->CD->fieldText("Artista"), "ABBA");
    click(form->BitBtn2);
    form->DBEdit1->selectAll();
    type(form->DBEdit1, "Arrival");
    form->DBLookupComboBox1->setFocus();
    QTest::keyClick(form->DBLookupComboBox1, Qt::Key_Down); // the CD now says Queen
    click(form->BitBtn7);
    EXPECT_EQ(rows(DataModule1->CD), (QStringList{"Arrival||Queen||N|", "Arival||Queen||N|"}));
    EXPECT_EQ(rows(DataModule1->Musica), (QStringList{"ABBA|Arrival|Dancing Queen",
                                                      "abba|Arrival|Knowing Me",
                                                      "Queen|Arival|Other CD"}));
}

TEST_F(CDCascades, SavingANewCDRewritesNoSong)
{
    addCD("Arrival", "ABBA");
    addSong("ABBA", "Arrival", "Dancing Queen");
    open();
    click(form->BitBtn2); // remembers ABBA / Arrival
    click(form->BitBtn1);
    click(form->BitBtn5);
    type(form->DBEdit1, "Outro");
    DataModule1->CD->setFieldText("Artista", "ABBA");
    click(form->BitBtn7);
    EXPECT_EQ(rows(DataModule1->Musica), QStringList{"ABBA|Arrival|Dancing Queen"});
}

TEST_F(CDCascades, DeleteRemovesOnlyTheCD)
{
    addCD("Arrival", "ABBA");
    addSong("ABBA", "Arrival", "Dancing Queen");
    add(DataModule1->Retirada, {"01/02/26", "Ana", "5555", "10/02/26", "Arrival", "ABBA"});
    open();
    click(form->BitBtn6);
    EXPECT_TRUE(rows(DataModule1->CD).isEmpty());
    EXPECT_EQ(rows(DataModule1->Musica).size(), 1);
    EXPECT_EQ(rows(DataModule1->Retirada).size(), 1);
    EXPECT_EQ(focused(), form->DBEdit1);
    click(form->BitBtn6);
    EXPECT_EQ(messages(), (QStringList{"Confirma exclusão?", "Operação Inválida."}));
}

TEST_F(CDEntry, ClosingStoresAChangedEditWithoutChecksAndDropsAnUntouchedInsert)
{
    addCD("Arrival", "ABBA");
    open();
    click(form->BitBtn2);
    form->DBEdit4->setFocus();
    type(form->DBEdit4, "Disco");
    form->close();
    settle();
    EXPECT_EQ(rows(DataModule1->CD), QStringList{"Arrival||ABBA|Disco|N|"});
    EXPECT_TRUE(main->CD1->isEnabled());
    EXPECT_TRUE(main->BitBtn2->isEnabled());

    open();
    click(form->BitBtn5);
    form->close();
    settle();
    EXPECT_EQ(rows(DataModule1->CD).size(), 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CDEntry, ClosingWithATypedCDGravarWouldRefuseKeepsTheWindowAndTheCD)
{
    add(DataModule1->Artista, {"ABBA"});
    open();
    click(form->BitBtn5);
    type(form->DBEdit1, "Arrival");
    form->DBEdit4->setFocus();
    type(form->DBEdit4, "Pop");
    form->close();
    settle();
    EXPECT_EQ(messages(), QStringList{"Operação Inválida."});
    ASSERT_EQ(children<TCDForm>(main).size(), 1);
    EXPECT_EQ(focused(), form->DBLookupComboBox1);
    EXPECT_TRUE(rows(DataModule1->CD).isEmpty());
    QTest::keyClick(form->DBLookupComboBox1, Qt::Key_Down);
    form->close();
    settle();
    EXPECT_TRUE(children<TCDForm>(main).isEmpty());
    EXPECT_EQ(rows(DataModule1->CD), QStringList{"Arrival||ABBA|Pop|N|"});
}

TEST_F(CDEntry, ClosingFromTheSongsPageWithAHalfTypedDateSaysSo)
{
    add(DataModule1->Artista, {"ABBA"});
    open();
    click(form->BitBtn5);
    type(form->DBEdit1, "Arrival");
    form->DBEdit2->setFocus();
    form->DBEdit2->setCursorPosition(0);
    type(form->DBEdit2, "1203");
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    settle();
    boxes.clear();
    form->close();
    settle();
    EXPECT_EQ(messages(), QStringList{"Data Inválida"});
    ASSERT_EQ(children<TCDForm>(main).size(), 1);
    EXPECT_TRUE(rows(DataModule1->CD).isEmpty());
}

TEST_F(CDEntry, SwitchingToTheSongsAndBackPutsTheFocusOnTheTitle)
{
    addCD("Arrival", "ABBA");
    open();
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    settle();
    EXPECT_EQ(focused(), form->t_musica);
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    settle();
    EXPECT_EQ(focused(), form->DBEdit1);
}

// A date the field refuses keeps the focus and the record waits for a date or a blank.
class CDRefusedDate : public CDRegister, public ::testing::WithParamInterface<const char *> {
protected:
    void newCDWithDate()
    {
        add(DataModule1->Artista, {"ABBA"});
        open();
        click(form->BitBtn5);
        type(form->DBEdit1, "Arrival");
        form->DBLookupComboBox1->setFocus();
        QTest::keyClick(form->DBLookupComboBox1, Qt::Key_Down);
        form->DBEdit2->setFocus();
        form->DBEdit2->setCursorPosition(0);
        type(form->DBEdit2, QString::fromLatin1(GetParam()));
        typed = form->DBEdit2->text();
    }
    QString refusal() const
    {
        return QStringLiteral("'%1' não é uma data válida para o campo Aquisicao.").arg(typed);
    }
    QString typed;
};

TEST_P(CDRefusedDate, GravarStoresNothingUntilTheDateIsOneOrCleared)
{
    newCDWithDate();
    click(form->BitBtn7);
    EXPECT_EQ(messages(), QStringList{refusal()});
    EXPECT_TRUE(rows(DataModule1->CD).isEmpty());
    EXPECT_EQ(focused(), form->DBEdit2);
    EXPECT_EQ(form->DBEdit2->text(), typed);
    EXPECT_EQ(states(), "-I--GC");
    form->DBEdit2->selectAll();
    QTest::keyClick(form->DBEdit2, Qt::Key_Delete);
    click(form->BitBtn7);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(rows(DataModule1->CD), QStringList{"Arrival||ABBA||N|"});
    EXPECT_EQ(states(), "NIEA--");
}

TEST_P(CDRefusedDate, ClosingWaitsForTheDateAndAnotherWindowsSettleDropsTheCD)
{
    newCDWithDate();
    form->close();
    settle();
    EXPECT_EQ(messages(), QStringList{"Data Inválida"});
    ASSERT_EQ(main->mdiArea->subWindowList().size(), 1);
    EXPECT_EQ(focused(), form->DBEdit2);
    EXPECT_TRUE(rows(DataModule1->CD).isEmpty());
    DataModule1->CD->selectIndex("iartista"); // as the search window does
    EXPECT_EQ(messages(), (QStringList{"Data Inválida", "Data Inválida"}));
    EXPECT_TRUE(rows(DataModule1->CD).isEmpty());
    EXPECT_EQ(states(), "NIEA--");
}

TEST_P(CDRefusedDate, EnterShowsOneBoxEvenWhenTheBoxTakesTheFocus)
{
    newCDWithDate();
    modalBoxes = true;
    enter(form->DBEdit2);
    EXPECT_EQ(messages(), QStringList{"Data Inválida"});
    EXPECT_EQ(focused(), form->DBEdit2);
    EXPECT_EQ(form->DBEdit2->text(), typed);
}

INSTANTIATE_TEST_SUITE_P(Dates, CDRefusedDate, ::testing::Values("310299", "000000", "999999", "1512"));
