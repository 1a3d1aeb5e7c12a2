// A register's pending insert or edit lives on a shared cursor that any window may settle. It is
// then stored as the register's own "Gravar" stores it, cascade included, or dropped as
// "Gravar" drops it; never posted without its cascade.
#include "Artista.h"
#include "CD.h"
#include "CatalogueFixture.h"
#include "CatalogueWindows.h"
#include "DBEdit.h"
#include "DBNavigator.h"
#include "barra2.h"

#include <QMdiSubWindow>
#include <QPushButton>

class PendingEdit : public CatalogueFixture {
protected:
    void SetUp() override
    {
        CatalogueFixture::SetUp();
        registerCatalogueWindows(main);
    }

    TArtistaForm *openArtists()
    {
        click(main->BitBtn1);
        return children<TArtistaForm>(main).value(0);
    }
    TCDForm *openCDs()
    {
        click(main->BitBtn2);
        return children<TCDForm>(main).value(0);
    }
    // Editar, a new text in the edit, and no Gravar.
    void startEdit(QPushButton *editar, QLineEdit *edit, const QString &text)
    {
        click(editar);
        edit->selectAll();
        type(edit, text);
    }
    void collection()
    {
        add(DataModule1->Artista, {"Queen"});
        add(DataModule1->Artista, {"Beatles"});
        addCD("Innuendo", "Queen");
        addCD("Help!", "Beatles");
        addSong("Queen", "Innuendo", "Innuendo");
        addSong("Beatles", "Help!", "Yesterday");
    }
};

TEST_F(PendingEdit, TheSongPageReloadsWhenTheFocusComesBackFromARenameInTheArtistRegister)
{
    add(DataModule1->Artista, {"Elis"});
    addCD("Falso Brilhante", "Elis");
    addSong("Elis", "Falso Brilhante", "Como Nossos Pais");
    TCDForm *cds = openCDs();
    cds->PageControl1->setCurrentWidget(cds->TabSheet2);
    settle();
    ASSERT_EQ(cds->t_artista->text(), "Elis");
    TArtistaForm *artists = openArtists();
    ASSERT_TRUE(DataModule1->Artista->findKey({"Elis"}));
    settle();
    startEdit(artists->BitBtn2, artists->DBEdit1, "Elis Regina");
    click(artists->BitBtn7);
    cds->t_musica->setFocus();
    settle();
    EXPECT_EQ(cds->t_artista->text(), "Elis Regina");
    EXPECT_EQ(lines(cds->ListBox1), QStringList{"Como Nossos Pais"});
    type(cds->t_musica, "Atras da Porta");
    enter(cds->t_musica);
    enter(cds->BitBtn8);
    EXPECT_EQ(rows(DataModule1->Musica),
              (QStringList{"Elis Regina|Falso Brilhante|Como Nossos Pais", "Elis Regina|Falso Brilhante|Atras da Porta"}));
    EXPECT_TRUE(boxes.empty()) << messages().join(" / ").toStdString();
}

TEST_F(PendingEdit, ARenamePendingWhenTheCDRegisterOpensIsCarriedIntoCDsAndSongs)
{
    collection();
    TArtistaForm *artists = openArtists();
    ASSERT_TRUE(DataModule1->Artista->findKey({"Queen"}));
    settle();
    startEdit(artists->BitBtn2, artists->DBEdit1, "Queen2");
    TCDForm *cds = openCDs(); // moves the artist table to its first record
    ASSERT_TRUE(cds);
    EXPECT_EQ(rows(DataModule1->Artista), (QStringList{"Queen2", "Beatles"}));
    EXPECT_EQ(rows(DataModule1->CD), (QStringList{"Innuendo||Queen2||N|", "Help!||Beatles||N|"}));
    EXPECT_EQ(rows(DataModule1->Musica), (QStringList{"Queen2|Innuendo|Innuendo", "Beatles|Help!|Yesterday"}));
    EXPECT_EQ(registerStates(artists), "NIEA--"); // the edit is over in the register too
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PendingEdit, ATitlePendingWhenAnArtistIsDeletedIsCarriedIntoItsSongs)
{
    collection();
    TCDForm *cds = openCDs();
    ASSERT_EQ(cds->DBEdit1->text(), "Help!");
    startEdit(cds->BitBtn2, cds->DBEdit1, "Help");
    TArtistaForm *artists = openArtists();
    ASSERT_TRUE(DataModule1->Artista->findKey({"Queen"}));
    settle();
    answers = {true};
    click(artists->BitBtn6);
    EXPECT_EQ(messages(), QStringList{"Confirma exclusão?"});
    EXPECT_EQ(rows(DataModule1->CD), QStringList{"Help||Beatles||N|"});
    EXPECT_EQ(rows(DataModule1->Musica), QStringList{"Beatles|Help|Yesterday"});
    EXPECT_EQ(registerStates(cds), "NIEA--");
}

TEST_F(PendingEdit, AnInvalidPendingRecordIsRefusedAsGravarRefusesIt)
{
    collection();
    TCDForm *cds = openCDs();
    click(cds->BitBtn5);
    type(cds->DBEdit1, "Sem artista");
    TArtistaForm *artists = openArtists();
    ASSERT_TRUE(DataModule1->Artista->findKey({"Beatles"}));
    settle();
    startEdit(artists->BitBtn2, artists->DBEdit1, "The Beatles");
    click(artists->BitBtn7); // the rename scans the CDs
    EXPECT_EQ(messages(), QStringList{"Operação Inválida."});
    EXPECT_EQ(rows(DataModule1->CD), (QStringList{"Innuendo||Queen||N|", "Help!||The Beatles||N|"}));
    EXPECT_EQ(registerStates(cds), "NIEA--");
}

struct ClosePath {
    const char *name;
    bool termina; // "&Termina" destroys the windows without their close handlers
};

class PendingAtTheEnd : public PendingEdit, public ::testing::WithParamInterface<ClosePath> {};

TEST_P(PendingAtTheEnd, ARenameAndATitlePendingAtTheEndAreCarried)
{
    collection();
    TCDForm *cds = openCDs();
    startEdit(cds->BitBtn2, cds->DBEdit1, "Help");
    TArtistaForm *artists = openArtists();
    ASSERT_TRUE(DataModule1->Artista->findKey({"Queen"}));
    settle();
    startEdit(artists->BitBtn2, artists->DBEdit1, "Queen2");
    if (GetParam().termina) {
        main->Termina1Click();
    } else {
        artists->close();
        cds->close();
    }
    settle();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(rows(DataModule1->Artista), (QStringList{"Queen2", "Beatles"}));
    EXPECT_EQ(rows(DataModule1->CD), (QStringList{"Innuendo||Queen2||N|", "Help||Beatles||N|"}));
    EXPECT_EQ(rows(DataModule1->Musica), (QStringList{"Queen2|Innuendo|Innuendo", "Beatles|Help|Yesterday"}));
}

INSTANTIATE_TEST_SUITE_P(End, PendingAtTheEnd,
                         ::testing::Values(ClosePath{"close", false}, ClosePath{"termina", true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(PendingEdit, EditarPressedAgainKeepsTheNamesTheEditStartedFrom)
{
    collection();
    TArtistaForm *artists = openArtists();
    ASSERT_TRUE(DataModule1->Artista->findKey({"Queen"}));
    settle();
    startEdit(artists->BitBtn2, artists->DBEdit1, "Queen2");
    click(artists->BitBtn2);
    click(artists->BitBtn7);
    EXPECT_EQ(rows(DataModule1->CD), (QStringList{"Innuendo||Queen2||N|", "Help!||Beatles||N|"}));
    artists->close();
    settle();

    TCDForm *cds = openCDs();
    startEdit(cds->BitBtn2, cds->DBEdit1, "Help");
    click(cds->BitBtn2);
    click(cds->BitBtn7);
    EXPECT_EQ(rows(DataModule1->Musica), (QStringList{"Queen2|Innuendo|Innuendo", "Beatles|Help|Yesterday"}));
}

TEST_F(PendingEdit, EraseAllWithANewCDAndANewArtistTypedLeavesEveryTableEmpty)
{
    collection();
    TCDForm *cds = openCDs();
    click(cds->BitBtn5);
    type(cds->DBEdit1, "Novo");
    DataModule1->CD->setFieldText("Artista", "Queen"); // as the artist list would
    TArtistaForm *artists = openArtists();
    click(artists->BitBtn5);
    type(artists->DBEdit1, "Nova Banda");
    main->Reinicializar1->trigger();
    QTRY_VERIFY(children<Tbarraform2>(main).isEmpty());
    for (tables::Table *t : {DataModule1->Artista, DataModule1->CD, DataModule1->Retirada, DataModule1->Musica})
        EXPECT_EQ(rows(t), QStringList()) << t->fileName().toStdString();
    EXPECT_EQ(messages(), QStringList{"Esta rotina apaga todos os registros. TODOS OS DADOS SERÃO PERDIDOS. Confirma?"});
    EXPECT_EQ(registerStates(cds), "NIEA--");
    EXPECT_EQ(registerStates(artists), "NIEA--");
    EXPECT_TRUE(main->Reinicializar1->isEnabled());
}
