#include "CD.h"
#include "CatalogueFixture.h"
#include "DBEdit.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

class SongPage : public CatalogueFixture {
protected:
    TCDForm *open() { return form = openRegister<TCDForm>(); }
    void toSongs()
    {
        form->PageControl1->setCurrentWidget(form->TabSheet2);
        settle();
    }
    void toCD()
    {
        form->PageControl1->setCurrentWidget(form->TabSheet1);
        settle();
    }
    QStringList lines() const
    {
        return ::lines(form->ListBox1);
    }
    void addByKeyboard(const QString &song)
    {
        type(form->t_musica, song);
        enter(form->t_musica);
        ASSERT_EQ(focused(), form->BitBtn8);
        enter(form->BitBtn8);
    }
    void selectLine(int row)
    {
        QListWidget *l = form->ListBox1;
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
        settle();
    }

    TCDForm *form = nullptr;
};

using SongList = SongPage;
using SongEntry = SongPage;

TEST_F(SongList, ListsEverySongOfTheCDInEntryOrderWhateverTheCaseOfItsNames)
{
    addCD("Arrival", "ABBA");
    addCD("Waterloo", "ABBA");
    addSong("ABBA", "Arrival", "Money, Money, Money");
    addSong("abba", "arrival", "Case differs");
    addSong("ABBA", "Waterloo", "Waterloo");
    addSong("ABBA", "Arrival", "Dancing Queen");
    open();
    toSongs();
    EXPECT_EQ(form->t_artista->text(), "ABBA");
    EXPECT_EQ(form->t_titulo->text(), "Arrival");
    EXPECT_EQ(lines(), (QStringList{"Money, Money, Money", "Case differs", "Dancing Queen"}));
    EXPECT_EQ(focused(), form->t_musica);
    addByKeyboard("Tiger");
    toCD();
    DataModule1->CD->next();
    toSongs();
    EXPECT_EQ(lines(), QStringList{"Waterloo"});
    toCD();
    DataModule1->CD->prior();
    toSongs();
    EXPECT_EQ(lines(), (QStringList{"Money, Money, Money", "Case differs", "Dancing Queen", "Tiger"}));
}

TEST_F(SongList, ASongOfAnotherAccentedCapitalIsSkippedAndTheListGoesOn)
{
    // "ébano" and "Ébano" are one key of the index, but not one name to the program.
    addCD("Raízes", "Ébano");
    addSong("ébano", "Raízes", "De outro artista");
    addSong("ébano", "Raízes", "terra");
    addSong("Ébano", "Raízes", "Terra");
    open();
    toSongs();
    EXPECT_EQ(lines(), QStringList{"Terra"});
    // Apagar deletes the line's own song, not the other artist's one of an equal key.
    selectLine(0);
    click(form->BitBtn3);
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(rows(DataModule1->Musica), (QStringList{"ébano|Raízes|De outro artista", "ébano|Raízes|terra"}));
}

TEST_F(SongList, CDWithoutSongsShowsAnEmptyList)
{
    addCD("Arrival", "ABBA");
    addSong("ABBA", "Waterloo", "Waterloo");
    open();
    toSongs();
    EXPECT_TRUE(lines().isEmpty());
}

TEST_F(SongEntry, AddingByKeyboardStoresAndListsAndSelectsTheText)
{
    addCD("Arrival", "ABBA");
    open();
    toSongs();
    addByKeyboard("Dancing Queen");
    EXPECT_EQ(rows(DataModule1->Musica), QStringList{"ABBA|Arrival|Dancing Queen"});
    EXPECT_EQ(lines(), QStringList{"Dancing Queen"});
    EXPECT_EQ(focused(), form->t_musica);
    EXPECT_EQ(form->t_musica->selectedText(), "Dancing Queen");
    addByKeyboard("Tiger"); // typing replaces the selected name
    EXPECT_EQ(lines(), (QStringList{"Dancing Queen", "Tiger"}));
}

TEST_F(SongEntry, SameNameTwiceThenApagarDeletesOne)
{
    addCD("Arrival", "ABBA");
    open();
    toSongs();
    addByKeyboard("Tiger");
    form->t_musica->selectAll();
    addByKeyboard("Tiger");
    EXPECT_EQ(lines(), (QStringList{"Tiger", "Tiger"}));
    click(form->BitBtn3); // no line selected yet: nothing happens
    EXPECT_EQ(rows(DataModule1->Musica).size(), 2);
    selectLine(1);
    click(form->BitBtn3);
    EXPECT_EQ(lines(), QStringList{"Tiger"});
    EXPECT_EQ(rows(DataModule1->Musica), QStringList{"ABBA|Arrival|Tiger"});
    EXPECT_EQ(focused(), form->t_musica);
}

TEST_F(SongEntry, AfterApagarNoLineIsSelectedSoFurtherClicksDeleteNothing)
{
    addCD("Arrival", "ABBA");
    for (const char *s : {"Um", "Dois", "Tres"})
        addSong("ABBA", "Arrival", s);
    open();
    toSongs();
    selectLine(0);
    // A double click: two clicks in a row.
    QTest::mouseClick(form->BitBtn3, Qt::LeftButton);
    QTest::mouseClick(form->BitBtn3, Qt::LeftButton);
    settle();
    EXPECT_EQ(lines(), (QStringList{"Dois", "Tres"}));
    EXPECT_TRUE(form->ListBox1->selectedItems().isEmpty());
    click(form->BitBtn3);
    EXPECT_EQ(rows(DataModule1->Musica), (QStringList{"ABBA|Arrival|Dois", "ABBA|Arrival|Tres"}));
    selectLine(1);
    click(form->BitBtn3);
    EXPECT_EQ(rows(DataModule1->Musica), QStringList{"ABBA|Arrival|Dois"});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SongEntry, SongsOfAnUnsavedCDAreStoredUnderTheTypedNamesEvenIfCancelled)
{
    add(DataModule1->Artista, {"ABBA"});
    open();
    click(form->BitBtn5);
    type(form->DBEdit1, "Novo");
    DataModule1->CD->setFieldText("Artista", "ABBA");
    toSongs();
    EXPECT_EQ(form->t_titulo->text(), "Novo");
    addByKeyboard("Primeira");
    toCD();
    click(form->BitBtn1);
    EXPECT_TRUE(rows(DataModule1->CD).isEmpty());
    EXPECT_EQ(rows(DataModule1->Musica), QStringList{"ABBA|Novo|Primeira"});
}

struct MissingCase {
    const char *titulo;
    const char *artista;
    const char *song;
    const char *message;
};

class SongMissingFields : public SongPage, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(SongMissingFields, InserirNeedsSongArtistAndTitle)
{
    addCD(QString::fromUtf8(GetParam().titulo), QString::fromUtf8(GetParam().artista));
    open();
    toSongs();
    type(form->t_musica, QString::fromUtf8(GetParam().song));
    click(form->BitBtn8);
    EXPECT_EQ(messages(), QStringList{QString::fromUtf8(GetParam().message)});
    EXPECT_TRUE(rows(DataModule1->Musica).isEmpty());
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(focused(), form->t_musica);
}

INSTANTIATE_TEST_SUITE_P(Missing, SongMissingFields,
                         ::testing::Values(MissingCase{"Arrival", "ABBA", "", "Campo MÚSICA deve estar preenchido"},
                                           MissingCase{"Arrival", "", "Tiger", "Campo ARTISTA deve estar preenchido"},
                                           MissingCase{"", "ABBA", "Tiger", "Campo TÍTULO deve estar preenchido"}));

TEST_F(SongList, AlfabeticaSortsAndPlacesNewSongsNormalRebuildsInIndexOrder)
{
    addCD("Arrival", "ABBA");
    for (const char *s : {"Tiger", "dancing Queen", "Águas", "Money"})
        addSong("ABBA", "Arrival", QString::fromUtf8(s));
    open();
    toSongs();
    EXPECT_EQ(lines(), (QStringList{"Tiger", "dancing Queen", "Águas", "Money"}));
    click(form->RadioButton2);
    EXPECT_EQ(lines(), (QStringList{"Águas", "dancing Queen", "Money", "Tiger"}));
    addByKeyboard("Fernando");
    EXPECT_EQ(lines(), (QStringList{"Águas", "dancing Queen", "Fernando", "Money", "Tiger"}));
    click(form->RadioButton1);
    EXPECT_EQ(lines(), (QStringList{"Tiger", "dancing Queen", "Águas", "Money", "Fernando"}));
}

TEST_F(SongList, LeavingAndReenteringEmptiesTheEditAndReloads)
{
    addCD("Arrival", "ABBA");
    open();
    toSongs();
    type(form->t_musica, "meio digitado");
    toCD();
    addSong("ABBA", "Arrival", "Tiger");
    toSongs();
    EXPECT_EQ(form->t_musica->text(), "");
    EXPECT_EQ(lines(), QStringList{"Tiger"});
}


TEST_F(SongEntry, TabReachesApagarAndTheSongsStillLoad)
{
    addCD("Arrival", "ABBA");
    addSong("ABBA", "Arrival", "Tiger");
    open();
    toSongs();
    form->RadioButton1->setFocus();
    QTest::keyClick(form->RadioButton1, Qt::Key_Tab); // from the page's last control to the tabs
    settle();
    ASSERT_EQ(focused(), form->PageControl1->tabBar());
    addSong("ABBA", "Arrival", "Fernando");
    QTest::keyClick(form->PageControl1->tabBar(), Qt::Key_Tab);
    settle();
    EXPECT_EQ(focused(), form->BitBtn3);
    EXPECT_EQ(lines(), (QStringList{"Tiger", "Fernando"}));
    selectLine(1);
    form->BitBtn3->setFocus();
    QTest::keyClick(form->BitBtn3, Qt::Key_Space);
    settle();
    EXPECT_EQ(rows(DataModule1->Musica), QStringList{"ABBA|Arrival|Tiger"});
}

// Wherever the page puts the focus on the song edit, its text is selected and typing replaces it.
enum class SongEditPath { Alfabetica, Normal, Apagar, Missing };

class SongEditSelected : public SongPage, public ::testing::WithParamInterface<SongEditPath> {};

TEST_P(SongEditSelected, TypingReplacesTheOldName)
{
    addCD("Arrival", "ABBA");
    open();
    toSongs();
    addByKeyboard("Tiger");
    form->BitBtn8->setFocus();
    switch (GetParam()) {
    case SongEditPath::Alfabetica:
        click(form->RadioButton2);
        break;
    case SongEditPath::Normal:
        click(form->RadioButton1);
        break;
    case SongEditPath::Apagar:
        selectLine(0);
        click(form->BitBtn3);
        break;
    case SongEditPath::Missing: // the CD lost its title on the first page meanwhile
        form->t_titulo->clear();
        click(form->BitBtn8);
        break;
    }
    EXPECT_EQ(focused(), form->t_musica);
    EXPECT_EQ(form->t_musica->selectedText(), "Tiger");
    type(form->t_musica, "Fernando");
    EXPECT_EQ(form->t_musica->text(), "Fernando");
}

INSTANTIATE_TEST_SUITE_P(Paths, SongEditSelected,
                         ::testing::Values(SongEditPath::Alfabetica, SongEditPath::Normal, SongEditPath::Apagar,
                                           SongEditPath::Missing));
