// The return window, used as a person would, then the tables read.
#include "LendingFixture.h"

#include "DBNavigator.h"
#include "Retirada.h"
#include "retorno.h"

class Return : public LendingFixture {
protected:
    TRetornoform *open(TFormPrincipal *w)
    {
        w->BitBtn4->click();
        settle();
        auto forms = children<TRetornoform>(w);
        EXPECT_EQ(forms.size(), 1);
        return forms.value(0);
    }
    void lend(const QString &artist, const QString &title, const QString &who)
    {
        put(DataModule1->Retirada, {{"artista", artist}, {"titulo", title}, {"responsavel", who}});
        DataModule1->CD->selectIndex("iartista_titulo");
        if (DataModule1->CD->findKey({artist, title})) {
            DataModule1->CD->edit();
            DataModule1->CD->setFieldText("retirada", "S");
            DataModule1->CD->post();
        }
        tables::commitAll();
    }
};

TEST_F(Return, WithNoCheckoutsOkIsRefused)
{
    TFormPrincipal *w = startWith({}, {});
    TRetornoform *f = open(w);
    EXPECT_FALSE(w->Retorno1->isEnabled());
    EXPECT_EQ(f->DBEdit6->text(), "");
    EXPECT_FALSE(f->DBEdit6->isEnabled());
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList({"Operação Inválida"}));
}

TEST_F(Return, WalksInArtistOrderAndPutsTheCdBackOnTheShelf)
{
    TFormPrincipal *w = startWith({"Zeca", "Alceu"}, {{"Zeca", "Z1", "N"}, {"Alceu", "A1", "N"}, {"Alceu", "A2", "N"}});
    lend("Zeca", "Z1", "Primeiro");
    lend("Alceu", "A2", "Segundo");
    TRetornoform *f = open(w);
    // shown on the first record of the table's default order, then artist order
    EXPECT_EQ(f->DBEdit6->text(), "Zeca");
    QTest::mouseClick(f->DBNavigator1->button(dataaware::DBNavigator::First), Qt::LeftButton);
    EXPECT_EQ(f->DBEdit6->text(), "Alceu");
    EXPECT_EQ(f->DBEdit2->text(), "Segundo");
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 1);
    EXPECT_EQ(f->DBEdit6->text(), "Zeca");
    EXPECT_EQ(flagOf("Alceu", "A2"), "N");
    EXPECT_EQ(flagOf("Zeca", "Z1"), "S");
    // the returned CD is offered again for checkout
    w->Retirada1->trigger();
    settle();
    auto *checkout = children<TRetiradaForm>(w).value(0);
    ASSERT_TRUE(checkout);
    chooseInLookup(checkout->DBLookupComboBox1, "Alceu");
    EXPECT_EQ(lines(checkout->combo_titulo), QStringList({"A1", "A2"}));
    // returning the last one leaves the edits blank; a further Ok is refused
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 0);
    EXPECT_EQ(f->DBEdit6->text(), "");
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList({"Operação Inválida"}));
    f->close();
    settle();
    EXPECT_TRUE(w->Retorno1->isEnabled());
    EXPECT_TRUE(w->BitBtn4->isEnabled());
    EXPECT_EQ(DataModule1->Retirada->selectedIndex(), "iartista");
}

TEST_F(Return, ACheckoutWhoseCdIsGoneIsRemovedAndReported)
{
    TFormPrincipal *w = startWith({"X"}, {{"X", "Fica", "S"}});
    put(DataModule1->Retirada, {{"artista", "X"}, {"titulo", "Apagado"}});
    tables::commitAll();
    TRetornoform *f = open(w);
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_EQ(messages(), QStringList({"Houve um problema no seu Banco de Dados.Dados não encontrados"}));
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 0);
    EXPECT_EQ(flagOf("X", "Fica"), "S");
}

TEST_F(Return, TheCdPutBackIsTheLentOneOfExactlyTheCheckoutsNames)
{
    TFormPrincipal *w = startWith({"ABBA"}, {{"abba", "Gold", "N"}, {"ABBA", "Gold", "N"}, {"Abba", "Arrival", "S"}});
    put(DataModule1->Retirada, {{"artista", "ABBA"}, {"titulo", "Gold"}, {"responsavel", "Ana"}});
    DataModule1->CD->selectIndex("iartista_titulo");
    ASSERT_TRUE(DataModule1->CD->findKey({"ABBA", "Gold"}));
    DataModule1->CD->next(); // ABBA's own Gold
    DataModule1->CD->edit();
    DataModule1->CD->setFieldText("retirada", "S");
    DataModule1->CD->post();
    // A checkout made before its artist was renamed from ABBA to Abba.
    put(DataModule1->Retirada, {{"artista", "ABBA"}, {"titulo", "Arrival"}, {"responsavel", "Rui"}});
    tables::commitAll();
    TRetornoform *f = open(w);
    ASSERT_EQ(f->DBEdit5->text(), "Gold");
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_EQ(cdFlags(), QStringList({"abba|Gold|N", "ABBA|Gold|N", "Abba|Arrival|S"}));
    ASSERT_EQ(f->DBEdit5->text(), "Arrival");
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_TRUE(boxes.empty()) << messages().join('|').toStdString();
    EXPECT_EQ(cdFlags(), QStringList({"abba|Gold|N", "ABBA|Gold|N", "Abba|Arrival|N"}));
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 0);
}

TEST_F(Return, OfTwoCopiesRenamedSinceTheCheckoutTheLentOneGoesBack)
{
    // Two copies of Gold, the second lent; then the artist's name was corrected to Abba.
    TFormPrincipal *w = startWith({"Abba"}, {{"Abba", "Gold", "N", "001"}, {"Abba", "Gold", "S", "002"}});
    put(DataModule1->Retirada, {{"artista", "ABBA"}, {"titulo", "Gold"}, {"responsavel", "Ana"}});
    tables::commitAll();
    TRetornoform *f = open(w);
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    settle();
    EXPECT_TRUE(boxes.empty()) << messages().join('|').toStdString();
    EXPECT_EQ(cdFlags(), QStringList({"Abba|Gold|N", "Abba|Gold|N"}));
    EXPECT_EQ(DataModule1->Retirada->recordCount(), 0);
}
