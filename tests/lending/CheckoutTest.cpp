// The checkout window, used as a person would, then the tables read.
#include "LendingFixture.h"

#include "Retirada.h"
#include "retorno.h"

#include <QLabel>

class Checkout : public LendingFixture {
protected:
    TRetiradaForm *open(TFormPrincipal *w)
    {
        w->Retirada1->trigger();
        settle();
        auto forms = children<TRetiradaForm>(w);
        EXPECT_EQ(forms.size(), 1);
        return forms.value(0);
    }

    // Types into an edit and presses Enter.
    static void typeAndEnter(QWidget *edit, const QString &text)
    {
        edit->setFocus();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

TEST_F(Checkout, OpensOnABlankEntryAndOffersOnlyTheArtistsCdsOnTheShelf)
{
    TFormPrincipal *w = startWith({"Elis Regina", "Gal Costa", "Nara Leão"},
                                  {{"Elis Regina", "Falso Brilhante", "N"}, {"Elis Regina", "Elis & Tom", "N"},
                                   {"Elis Regina", "Essa Mulher", "S"}, {"Elis Regina", "Transversal", ""},
                                   {"Elis Regina", "Minúscula", "n"}, {"elis regina", "Outra Grafia", "N"},
                                   {"Gal Costa", "Fa-Tal", "S"}});
    TRetiradaForm *f = open(w);
    ASSERT_TRUE(f);
    EXPECT_FALSE(w->Retirada1->isEnabled());
    EXPECT_FALSE(w->BitBtn3->isEnabled());
    EXPECT_EQ(f->DBLookupComboBox1->currentText(), "");
    EXPECT_EQ(f->combo_titulo->count(), 0);
    EXPECT_EQ(f->DBEdit1->text().trimmed(), "//");
    EXPECT_EQ(f->entry().state(), tables::TableState::Insert);
    // Typing stops at the fields' sizes.
    f->DBEdit2->setFocus();
    QTest::keyClicks(f->DBEdit2, QString(45, 'r'));
    EXPECT_EQ(f->DBEdit2->text(), QString(40, 'r'));
    f->DBEdit3->setFocus();
    QTest::keyClicks(f->DBEdit3, "(11)5555-01429");
    EXPECT_EQ(f->DBEdit3->text(), "(11)5555-0142");

    chooseInLookup(f->DBLookupComboBox1, "Elis Regina");
    // title order; only exactly "N"; only the artist spelled exactly so
    EXPECT_EQ(lines(f->combo_titulo), QStringList({"Elis & Tom", "Falso Brilhante"}));
    chooseInLookup(f->DBLookupComboBox1, "Gal Costa"); // all lent
    EXPECT_EQ(f->combo_titulo->count(), 0);
    chooseInLookup(f->DBLookupComboBox1, "Nara Leão"); // no CD at all
    EXPECT_EQ(f->combo_titulo->count(), 0);
    EXPECT_EQ(DataModule1->CD->selectedIndex(), "ititulo");
}

TEST_F(Checkout, EnterWalksTheFieldsAndOkLendsTheCd)
{
    TFormPrincipal *w = startWith({"Chico Buarque"}, {{"Chico Buarque", "Construção", "N"}, {"Chico Buarque", "Vida", "N"}});
    TRetiradaForm *f = open(w);
    chooseInLookup(f->DBLookupComboBox1, "Chico Buarque");
    QTest::keyClick(f->DBLookupComboBox1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f->combo_titulo);
    clickLine(f->combo_titulo, "Vida");
    QTest::keyClick(f->combo_titulo, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f->DBEdit1);
    QTest::keyClicks(f->DBEdit1, "010299");
    QTest::keyClick(f->DBEdit1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f->DBEdit2);
    QTest::keyClicks(f->DBEdit2, "Ana D'Avila");
    QTest::keyClick(f->DBEdit2, Qt::Key_Return);
    QTest::keyClicks(f->DBEdit3, "(11)5555-0142");
    QTest::keyClick(f->DBEdit3, Qt::Key_Return);
    QTest::keyClicks(f->DBEdit4, "150299");
    QTest::keyClick(f->DBEdit4, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f->BitBtn1);
    QTest::keyClick(f->BitBtn1, Qt::Key_Return);
    settle();
    EXPECT_TRUE(boxes.empty()) << messages().join('|').toStdString();
    EXPECT_FALSE(tables::hasPendingWrites());

    tables::Table *r = DataModule1->Retirada;
    ASSERT_EQ(r->recordCount(), 1);
    r->first();
    EXPECT_EQ(r->fieldText("artista"), "Chico Buarque");
    EXPECT_EQ(r->fieldText("titulo"), "Vida");
    EXPECT_EQ(r->fieldText("data_retirada"), "01/02/99");
    EXPECT_EQ(r->fieldText("responsavel"), "Ana D'Avila");
    EXPECT_EQ(r->fieldText("telefone"), "(11)5555-0142");
    EXPECT_EQ(r->fieldText("data_entrega"), "15/02/99");
    EXPECT_EQ(flagOf("Chico Buarque", "Vida"), "S");
    EXPECT_EQ(flagOf("Chico Buarque", "Construção"), "N");
    // a fresh blank entry, the artist box blank and the list empty
    EXPECT_EQ(f->entry().state(), tables::TableState::Insert);
    EXPECT_EQ(f->DBLookupComboBox1->currentText(), "");
    EXPECT_EQ(f->combo_titulo->count(), 0);
    EXPECT_EQ(QApplication::focusWidget(), f->DBLookupComboBox1);
    chooseInLookup(f->DBLookupComboBox1, "Chico Buarque");
    EXPECT_EQ(lines(f->combo_titulo), QStringList({"Construção"}));
}

TEST_F(Checkout, TheTitleTheFocusMadeCurrentIsChosenByAClickOrAKey)
{
    TFormPrincipal *w = startWith({"Chico Buarque", "Gal Costa"},
                                  {{"Chico Buarque", "Construção", "N"}, {"Chico Buarque", "Vida", "N"},
                                   {"Gal Costa", "Fa-Tal", "N"}});
    TRetiradaForm *f = open(w);
    chooseInLookup(f->DBLookupComboBox1, "Chico Buarque");
    QTest::keyClick(f->DBLookupComboBox1, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), f->combo_titulo);
    // The keyboard's focus made the first line current; a click on it chooses it.
    clickLine(f->combo_titulo, "Construção");
    EXPECT_EQ(f->entry().fieldText("titulo"), "Construção");
    // The only title of an artist is chosen from the keyboard.
    chooseInLookup(f->DBLookupComboBox1, "Gal Costa");
    QTest::keyClick(f->DBLookupComboBox1, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), f->combo_titulo);
    QTest::keyClick(f->combo_titulo, Qt::Key_Space);
    EXPECT_EQ(f->entry().fieldText("titulo"), "Fa-Tal");
    QTest::keyClick(f->combo_titulo, Qt::Key_Return);
    QTest::keyClicks(f->DBEdit1, "010226");
    QTest::keyClick(f->DBEdit1, Qt::Key_Return);
    QTest::keyClicks(f->DBEdit2, "Ana");
    click(f->BitBtn1);
    EXPECT_TRUE(boxes.empty()) << messages().join('|').toStdString();
    EXPECT_EQ(flagOf("Gal Costa", "Fa-Tal"), "S");
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 1);
}

TEST_F(Checkout, OkWithoutArtistOrTitleWritesNothing)
{
    TFormPrincipal *w = startWith({"Djavan"}, {{"Djavan", "Luz", "N"}});
    TRetiradaForm *f = open(w);
    typeAndEnter(f->DBEdit2, "Alguem");
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    chooseInLookup(f->DBLookupComboBox1, "Djavan"); // artist but no title
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_EQ(messages(), QStringList({"Operação Inválida", "Operação Inválida"}));
    EXPECT_EQ(boxes[0].caption, "Melvora");
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 0);
    EXPECT_EQ(flagOf("Djavan", "Luz"), "N");
    EXPECT_EQ(f->entry().state(), tables::TableState::Insert);
    EXPECT_EQ(f->DBEdit2->text(), "");
}

TEST_F(Checkout, ChoosingAnotherArtistClearsTheTitleSoNoStaleTitleIsLent)
{
    // B has a CD of A's title, lent already; B has none of A's other title.
    TFormPrincipal *w = startWith({"Artista A", "Artista B"}, {{"Artista A", "Só de A", "N"}, {"Artista A", "Comum", "N"},
                                                               {"Artista B", "De B", "N"}, {"Artista B", "Comum", "S"}});
    TRetiradaForm *f = open(w);
    for (const char *title : {"Comum", "Só de A"}) {
        chooseInLookup(f->DBLookupComboBox1, "Artista A");
        clickLine(f->combo_titulo, QString::fromUtf8(title));
        chooseInLookup(f->DBLookupComboBox1, "Artista B"); // the list refills and the title goes
        EXPECT_EQ(lines(f->combo_titulo), QStringList({"De B"}));
        EXPECT_EQ(f->entry().fieldText("titulo"), "");
        EXPECT_TRUE(f->combo_titulo->selectedItems().isEmpty());
        QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
        settle();
    }
    EXPECT_EQ(messages(), QStringList({"Operação Inválida", "Operação Inválida"}));
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 0);
    EXPECT_EQ(cdFlags(), QStringList({"Artista A|Só de A|N", "Artista A|Comum|N", "Artista B|De B|N", "Artista B|Comum|S"}));
    // The same artist chosen again keeps a title that is still in the list.
    chooseInLookup(f->DBLookupComboBox1, "Artista A");
    clickLine(f->combo_titulo, "Comum");
    chooseInLookup(f->DBLookupComboBox1, "Artista B");
    chooseInLookup(f->DBLookupComboBox1, "Artista A");
    clickLine(f->combo_titulo, "Comum");
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_EQ(messages().size(), 2);
    EXPECT_EQ(cdFlags(), QStringList({"Artista A|Só de A|N", "Artista A|Comum|S", "Artista B|De B|N", "Artista B|Comum|S"}));
}

TEST_F(Checkout, ACheckoutWhoseCdIsGoneStoresNothingAndKeepsTheEntry)
{
    TFormPrincipal *w = startWith({"Djavan"}, {{"Djavan", "Luz", "N"}});
    TRetiradaForm *f = open(w);
    chooseInLookup(f->DBLookupComboBox1, "Djavan");
    clickLine(f->combo_titulo, "Luz");
    typeAndEnter(f->DBEdit2, "Pedro");
    // Meanwhile the CD register deletes the CD.
    DataModule1->CD->selectIndex("ititulo");
    ASSERT_TRUE(DataModule1->CD->findKey({"Luz"}));
    DataModule1->CD->deleteRecord();
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_EQ(messages(), QStringList({"Houve um problema no seu Banco de Dados.Dados não encontrados"}));
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 0);
    EXPECT_EQ(f->entry().state(), tables::TableState::Insert);
    EXPECT_EQ(f->entry().fieldText("responsavel"), "Pedro");
    EXPECT_EQ(f->combo_titulo->count(), 0);
}

TEST_F(Checkout, TheCdLentIsTheOneOfExactlyTheChosenNames)
{
    // The key search ignores letter case and would find the lent "abba" CD first.
    TFormPrincipal *w = startWith({"ABBA"}, {{"abba", "Gold", "S"}, {"ABBA", "Gold", "N"}});
    TRetiradaForm *f = open(w);
    chooseInLookup(f->DBLookupComboBox1, "ABBA");
    clickLine(f->combo_titulo, "Gold");
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_TRUE(boxes.empty()) << messages().join('|').toStdString();
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 1);
    EXPECT_EQ(cdFlags(), QStringList({"abba|Gold|S", "ABBA|Gold|S"}));
}

TEST_F(Checkout, EnterOnABadDateSaysSoAndKeepsTheFocus)
{
    TFormPrincipal *w = startWith({}, {});
    TRetiradaForm *f = open(w);
    for (auto *edit : {f->DBEdit1, f->DBEdit4}) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return); // empty
        QTest::keyClicks(edit, "310299");      // 31/02/99
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), edit);
        edit->clear();
    }
    EXPECT_EQ(messages(), QStringList(4, "Data Inválida"));
}

TEST_F(Checkout, AnEntryInProgressIsNeitherStoredNorLostByOtherWindows)
{
    TFormPrincipal *w = startWith({"Tim Maia"}, {{"Tim Maia", "Racional", "N"}});
    TRetiradaForm *f = open(w);
    chooseInLookup(f->DBLookupComboBox1, "Tim Maia");
    clickLine(f->combo_titulo, "Racional");
    typeAndEnter(f->DBEdit2, "Pedro");
    // The return window moves the shared checkout table meanwhile.
    w->Retorno1->trigger();
    settle();
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 0);
    EXPECT_EQ(f->entry().fieldText("responsavel"), "Pedro");
    EXPECT_EQ(f->entry().state(), tables::TableState::Insert);
    // Closing the window with the entry half done stores nothing.
    f->close();
    settle();
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 0);
    EXPECT_EQ(flagOf("Tim Maia", "Racional"), "N");
    EXPECT_TRUE(w->Retirada1->isEnabled());
    EXPECT_TRUE(w->BitBtn3->isEnabled());
    EXPECT_TRUE(children<TRetiradaForm>(w).isEmpty());
}

TEST_F(Checkout, LabelsAreTheWindowsOwnAndNameTheirControls)
{
    TFormPrincipal *w = startWith({}, {});
    TRetiradaForm *f = open(w);
    EXPECT_EQ(f->windowTitle(), "Retirada");
    EXPECT_EQ(f->widget()->size(), QSize(328, 263));
    QMap<QString, QWidget *> byLabel;
    for (QLabel *l : f->findChildren<QLabel *>())
        byLabel.insert(l->text(), l->buddy());
    EXPECT_EQ(byLabel.value("Artista"), f->DBLookupComboBox1);
    EXPECT_EQ(byLabel.value("Título"), f->combo_titulo);
    EXPECT_EQ(byLabel.value("Data Retirada"), f->DBEdit1);
    EXPECT_EQ(byLabel.value("Responsável"), f->DBEdit2);
    EXPECT_EQ(byLabel.value("Telefone"), f->DBEdit3);
    EXPECT_EQ(byLabel.value("Data Entrega"), f->DBEdit4);
    EXPECT_EQ(f->BitBtn1->toolTip(), "Efetua a retirada do Título Atual");
}

// A date the field refuses keeps the focus, and Ok stores nothing until it is a date or blank.
class CheckoutRefusedDate : public Checkout, public ::testing::WithParamInterface<std::pair<const char *, int>> {};

TEST_P(CheckoutRefusedDate, OkStoresNothingUntilTheDateIsOneOrCleared)
{
    TFormPrincipal *w = startWith({"Djavan"}, {{"Djavan", "Luz", "N"}});
    TRetiradaForm *f = open(w);
    chooseInLookup(f->DBLookupComboBox1, "Djavan");
    clickLine(f->combo_titulo, "Luz");
    dataaware::DBEdit *date = GetParam().second == 1 ? f->DBEdit1 : f->DBEdit4;
    date->setFocus();
    date->setCursorPosition(0);
    QTest::keyClicks(date, GetParam().first);
    const QString typed = date->text();
    const QString field = GetParam().second == 1 ? "Data_Retirada" : "Data_Entrega";
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("'%1' não é uma data válida para o campo %2.").arg(typed, field)});
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 0);
    EXPECT_EQ(flagOf("Djavan", "Luz"), "N");
    EXPECT_EQ(QApplication::focusWidget(), date);
    EXPECT_EQ(date->text(), typed);
    // Enter says so once, also when the box takes the focus.
    modalBoxes = true;
    QTest::keyClick(date, Qt::Key_Return);
    settle();
    EXPECT_EQ(messages().mid(1), QStringList{"Data Inválida"});
    EXPECT_EQ(QApplication::focusWidget(), date);
    modalBoxes = false;
    date->selectAll();
    QTest::keyClicks(date, "150299");
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_EQ(messages().size(), 2);
    tables::Table *r = DataModule1->Retirada;
    ASSERT_EQ(r->recordCount(), 1);
    r->first();
    EXPECT_EQ(r->fieldText(field), "15/02/99");
    EXPECT_EQ(flagOf("Djavan", "Luz"), "S");
}

INSTANTIATE_TEST_SUITE_P(Dates, CheckoutRefusedDate,
                         ::testing::Values(std::pair{"310299", 1}, std::pair{"000000", 4}, std::pair{"999999", 1},
                                           std::pair{"1512", 4}));
