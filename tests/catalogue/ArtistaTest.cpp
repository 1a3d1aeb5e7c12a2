#include "Artista.h"
#include "CD.h"
#include "CatalogueFixture.h"
#include "DBEdit.h"
#include "DBNavigator.h"

#include <QPushButton>

class ArtistaRegister : public CatalogueFixture {
protected:
    TArtistaForm *open() { return form = openRegister<TArtistaForm>(); }
    QString states() const { return registerStates(form); }
    void renameCurrent(const QString &newName)
    {
        click(form->BitBtn2);
        form->DBEdit1->selectAll();
        type(form->DBEdit1, newName);
        click(form->BitBtn7);
    }
    void seekArtist(const QString &name)
    {
        tables::Table *a = DataModule1->Artista;
        ASSERT_TRUE(a->findKey({name}));
        settle();
    }

    TArtistaForm *form = nullptr;
};

using ArtistRegisterButtons = ArtistaRegister;
using ArtistEntry = ArtistaRegister;
using ArtistCascades = ArtistaRegister;

TEST_F(ArtistRegisterButtons, ButtonStatesFollowTheStateTable)
{
    add(DataModule1->Artista, {"ABBA"});
    open();
    EXPECT_EQ(states(), "NIEA--");
    EXPECT_EQ(form->DBEdit1->text(), "ABBA");
    click(form->BitBtn5);
    EXPECT_EQ(states(), "-I--GC");
    EXPECT_EQ(focused(), form->DBEdit1);
    click(form->BitBtn1);
    EXPECT_EQ(states(), "NIEA--");
    click(form->BitBtn2);
    EXPECT_EQ(states(), "--E-GC");
    click(form->BitBtn7);
    EXPECT_EQ(states(), "NIEA--");
    EXPECT_EQ(focused(), form->BitBtn5);

    QString whileOpen;
    whileAsking = [&] { whileOpen = states(); };
    answers = {false};
    click(form->BitBtn6);
    EXPECT_EQ(whileOpen, "N--A--");
    EXPECT_EQ(states(), "NIEA--");
    EXPECT_EQ(rows(DataModule1->Artista), QStringList{"ABBA"});
    EXPECT_EQ(messages(), QStringList{"Confirma exclusão?"});
}

TEST_F(ArtistEntry, TypingWithoutInserirOrEditarChangesNothing)
{
    add(DataModule1->Artista, {"ABBA"});
    open();
    form->DBEdit1->setFocus();
    type(form->DBEdit1, "xyz");
    EXPECT_EQ(DataModule1->Artista->state(), tables::TableState::Browse);
    EXPECT_EQ(form->DBEdit1->text(), "ABBA");
}

TEST_F(ArtistEntry, InsertByKeyboardEnterLeadsToGravarWhichSaves)
{
    open();
    click(form->BitBtn5);
    type(form->DBEdit1, "Elis Regina");
    enter(form->DBEdit1);
    EXPECT_EQ(focused(), form->BitBtn7);
    enter(form->BitBtn7);
    EXPECT_EQ(rows(DataModule1->Artista), QStringList{"Elis Regina"});
    EXPECT_EQ(states(), "NIEA--");
    EXPECT_TRUE(boxes.empty());
    // Outside an edit Enter goes on to the next enabled button.
    form->DBEdit1->setFocus();
    enter(form->DBEdit1);
    EXPECT_EQ(focused(), form->BitBtn5);
}

TEST_F(ArtistEntry, SavingAnEmptyNameIsRefusedAndDropsTheRecord)
{
    add(DataModule1->Artista, {"ABBA"});
    open();
    click(form->BitBtn5);
    click(form->BitBtn7);
    EXPECT_EQ(messages(), QStringList{"Operação Inválida"});
    EXPECT_EQ(rows(DataModule1->Artista), QStringList{"ABBA"});
    EXPECT_EQ(DataModule1->Artista->state(), tables::TableState::Browse);
    EXPECT_EQ(states(), "NIEA--");
    EXPECT_EQ(focused(), form->DBEdit1);
}

TEST_F(ArtistCascades, CaseOnlyRenameRewritesEveryCaseOfTheNameAndNoCheckout)
{
    add(DataModule1->Artista, {"abba"});
    add(DataModule1->Artista, {"Beatles"});
    addCD("Arrival", "abba");
    addCD("Waterloo", "Abba");
    addCD("Voulez-Vous", "ABBA");
    addCD("Help!", "Beatles");
    addSong("abba", "Arrival", "Dancing Queen");
    addSong("ABBA", "Voulez-Vous", "Chiquitita");
    addSong("Beatles", "Help!", "Yesterday");
    add(DataModule1->Retirada, {"01/02/26", "Ana", "5555", "10/02/26", "Arrival", "abba"});
    open();
    seekArtist("abba");
    renameCurrent("ABBA");
    EXPECT_EQ(rows(DataModule1->Artista), (QStringList{"ABBA", "Beatles"}));
    EXPECT_EQ(rows(DataModule1->CD), (QStringList{"Arrival||ABBA||N|", "Waterloo||ABBA||N|",
                                                  "Voulez-Vous||ABBA||N|", "Help!||Beatles||N|"}));
    EXPECT_EQ(rows(DataModule1->Musica), (QStringList{"ABBA|Arrival|Dancing Queen",
                                                      "ABBA|Voulez-Vous|Chiquitita",
                                                      "Beatles|Help!|Yesterday"}));
    EXPECT_EQ(rows(DataModule1->Retirada), QStringList{"01/02/26|Ana|5555|10/02/26|Arrival|abba"});
}

TEST_F(ArtistCascades, AccentedCapitalIsNotFolded)
{
    add(DataModule1->Artista, {"ébano"});
    addCD("Um", "ébano");
    addCD("Dois", "Ébano");
    addCD("Três", "éBANO");
    addSong("Ébano", "Dois", "Canção");
    open();
    seekArtist("ébano");
    renameCurrent("Ébano Trio");
    EXPECT_EQ(rows(DataModule1->CD), (QStringList{"Um||Ébano Trio||N|", "Dois||Ébano||N|",
                                                  "Três||Ébano Trio||N|"}));
    EXPECT_EQ(rows(DataModule1->Musica), QStringList{"Ébano|Dois|Canção"});
}

TEST_F(ArtistCascades, SavingANewArtistAfterAnEditRewritesNothing)
{
    add(DataModule1->Artista, {"abba"});
    addCD("Arrival", "abba");
    open();
    click(form->BitBtn2); // remembers "abba"
    click(form->BitBtn1);
    click(form->BitBtn5);
    type(form->DBEdit1, "Queen");
    click(form->BitBtn7);
    EXPECT_EQ(rows(DataModule1->Artista), (QStringList{"abba", "Queen"}));
    EXPECT_EQ(rows(DataModule1->CD), QStringList{"Arrival||abba||N|"});
}

TEST_F(ArtistCascades, DeleteRemovesAdjacentCDsAndAllSongsButNoCheckout)
{
    add(DataModule1->Artista, {"ABBA"});
    add(DataModule1->Artista, {"Beatles"});
    addCD("Help!", "Beatles");
    addCD("Arrival", "ABBA");
    addCD("Voulez-Vous", "abba");
    addCD("Waterloo", "ABBA");
    addCD("Zebra", "Beatles");
    addSong("ABBA", "Arrival", "Dancing Queen");
    addSong("abba", "Waterloo", "Waterloo");
    addSong("Beatles", "Help!", "Yesterday");
    addSong("ABBA", "Voulez-Vous", "Chiquitita");
    add(DataModule1->Retirada, {"01/02/26", "Ana", "5555", "10/02/26", "Arrival", "ABBA"});
    open();
    seekArtist("ABBA");
    answers = {true};
    click(form->BitBtn6);
    EXPECT_EQ(messages(), QStringList{"Confirma exclusão?"});
    EXPECT_EQ(rows(DataModule1->Artista), QStringList{"Beatles"});
    EXPECT_EQ(rows(DataModule1->CD), (QStringList{"Help!||Beatles||N|", "Zebra||Beatles||N|"}));
    EXPECT_EQ(rows(DataModule1->Musica), QStringList{"Beatles|Help!|Yesterday"});
    EXPECT_EQ(rows(DataModule1->Retirada).size(), 1);
    EXPECT_EQ(states(), "NIEA--");
    EXPECT_EQ(focused(), form->DBEdit1);
}

TEST_F(ArtistRegisterButtons, DeleteOnAnEmptyTableIsRefusedAndKeepsTheButtons)
{
    open();
    click(form->BitBtn6);
    EXPECT_EQ(messages(), QStringList{"Operação Inválida"});
    EXPECT_EQ(states(), "NIEA--");
}

struct CloseCase {
    const char *typed;
    QStringList stored;
};

class ArtistClose : public ArtistaRegister, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ArtistClose, ClosingDuringAnInsertStoresOnlyATypedName)
{
    open();
    main->Artista1->setEnabled(false);
    main->BitBtn1->setEnabled(false);
    click(form->BitBtn5);
    type(form->DBEdit1, QString::fromUtf8(GetParam().typed));
    form->close();
    settle();
    EXPECT_EQ(rows(DataModule1->Artista), GetParam().stored);
    EXPECT_TRUE(main->Artista1->isEnabled());
    EXPECT_TRUE(main->BitBtn1->isEnabled());
    EXPECT_TRUE(main->mdiArea->subWindowList().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Close, ArtistClose,
                         ::testing::Values(CloseCase{"Gal Costa", {"Gal Costa"}}, CloseCase{"", {}}));

// An insert whose name was typed and erased again is refused on every path that would store it.
enum class EmptyNamePath { InserirAgain, Close, CDRegisterOpens };

class ArtistEmptyName : public ArtistaRegister, public ::testing::WithParamInterface<EmptyNamePath> {};

TEST_P(ArtistEmptyName, ATypedAndErasedNameIsRefusedAndNothingIsStored)
{
    add(DataModule1->Artista, {"ABBA"});
    open();
    click(form->BitBtn5);
    type(form->DBEdit1, "Q");
    QTest::keyClick(form->DBEdit1, Qt::Key_Backspace);
    settle();
    ASSERT_EQ(form->DBEdit1->text(), "");
    switch (GetParam()) {
    case EmptyNamePath::InserirAgain:
        click(form->BitBtn5);
        break;
    case EmptyNamePath::Close:
        form->close();
        break;
    case EmptyNamePath::CDRegisterOpens: // it goes to the first artist
        new TCDForm(main);
        break;
    }
    settle();
    EXPECT_EQ(messages(), QStringList{"Operação Inválida"});
    EXPECT_EQ(rows(DataModule1->Artista), QStringList{"ABBA"});
}

INSTANTIATE_TEST_SUITE_P(Paths, ArtistEmptyName,
                         ::testing::Values(EmptyNamePath::InserirAgain, EmptyNamePath::Close,
                                           EmptyNamePath::CDRegisterOpens));

// Two artist records of one name (foldAZ) share that name's CDs and songs: deleting or renaming
// one of them leaves those to the other.
TEST_F(ArtistCascades, DeletingOrRenamingOneOfTwoRecordsOfANameLeavesItsCDsToTheOther)
{
    add(DataModule1->Artista, {"Queen"});
    add(DataModule1->Artista, {"queen"});
    add(DataModule1->Artista, {"Beatles"});
    addCD("Innuendo", "Queen");
    addSong("Queen", "Innuendo", "Innuendo");
    open();
    seekArtist("Queen"); // the first of the two
    answers = {true};
    click(form->BitBtn6);
    EXPECT_EQ(rows(DataModule1->Artista), (QStringList{"queen", "Beatles"}));
    EXPECT_EQ(rows(DataModule1->CD), QStringList{"Innuendo||Queen||N|"});
    EXPECT_EQ(rows(DataModule1->Musica), QStringList{"Queen|Innuendo|Innuendo"});

    add(DataModule1->Artista, {"QUEEN"});
    seekArtist("queen");
    renameCurrent("Queen II");
    EXPECT_EQ(rows(DataModule1->Artista), (QStringList{"Queen II", "Beatles", "QUEEN"}));
    EXPECT_EQ(rows(DataModule1->CD), QStringList{"Innuendo||Queen||N|"});

    // The last record of the name takes them with it.
    seekArtist("QUEEN");
    answers = {true};
    click(form->BitBtn6);
    EXPECT_EQ(rows(DataModule1->Artista), (QStringList{"Queen II", "Beatles"}));
    EXPECT_TRUE(rows(DataModule1->CD).isEmpty());
    EXPECT_TRUE(rows(DataModule1->Musica).isEmpty());
}
