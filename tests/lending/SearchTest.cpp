// The search window, used as a person would, then its grid read.
#include "LendingFixture.h"

#include "pesquisa.h"

#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

class Search : public LendingFixture {
protected:
    TPesquisaform *open(TFormPrincipal *w)
    {
        w->Pesquisa1->trigger();
        settle();
        auto forms = children<TPesquisaform>(w);
        EXPECT_EQ(forms.size(), 1);
        return forms.value(0);
    }

    // Types the text, Enter to reach Ok, Enter to press it.
    static void search(TPesquisaform *f, QRadioButton *kind, const QString &text)
    {
        QTest::mouseClick(kind, Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), f->texto);
        f->texto->clear();
        typeText(f->texto, text);
        QTest::keyClick(f->texto, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), f->BitBtn1);
        QTest::keyClick(f->BitBtn1, Qt::Key_Return);
    }

    static QList<QStringList> grid(TPesquisaform *f)
    {
        QList<QStringList> rows;
        for (int r = 0; r < f->dbg->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < f->dbg->columnCount(); ++c)
                row << (f->dbg->item(r, c) ? f->dbg->item(r, c)->text() : QString());
            rows << row;
        }
        return rows;
    }

    // The header row as the grid shows it: it stays at the top while the results scroll.
    static QStringList shownHeaders(TPesquisaform *f)
    {
        QStringList texts;
        if (!f->dbg->horizontalHeader()->isVisible() || !f->dbg->isRowHidden(0))
            return texts;
        for (int c = 0; c < f->dbg->columnCount(); ++c)
            texts << (f->dbg->horizontalHeaderItem(c) ? f->dbg->horizontalHeaderItem(c)->text() : QString());
        return texts;
    }

    static QList<int> widths(TPesquisaform *f)
    {
        QList<int> w;
        for (int c = 0; c < 4; ++c)
            w << f->dbg->columnWidth(c);
        return w;
    }

    TFormPrincipal *startCollection()
    {
        TFormPrincipal *w = startWith({"Caetano Veloso", "Ébano", "Zélia"},
                                      {{"Caetano Veloso", "Transa", "N", "001"}, {"Caetano Veloso", "Livro", "S", "002"},
                                       {"caetano veloso", "Estrangeiro", "N", "003"}, {"Ébano", "Raízes", "N", "010"},
                                       {"Zélia", "Zélia Duncan", "N", "020"}, {"Só em CDs", "Órfão", "N", "030"}});
        auto song = [](const QString &a, const QString &t, const QString &m) {
            put(DataModule1->Musica, {{"artista", a}, {"titulo", t}, {"musica", m}});
        };
        song("Caetano Veloso", "Transa", "Nine Out of Ten");
        song("Caetano Veloso", "Livro", "Nine out of ten");
        song("Caetano Veloso", "Disco Sumido", "Nine Out Of Ten");
        song("Zélia", "Zélia Duncan", "Zzz Última");
        tables::commitAll();
        return w;
    }
};

TEST_F(Search, OpensWithItsHeadersAndOneEmptyRow)
{
    TFormPrincipal *w = startCollection();
    TPesquisaform *f = open(w);
    EXPECT_FALSE(w->Pesquisa1->isEnabled());
    EXPECT_FALSE(w->BitBtn10->isEnabled());
    EXPECT_TRUE(f->chk1->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), f->texto);
    EXPECT_EQ(grid(f), QList<QStringList>({{"Artista", "Título", "Emprestado", "No."}, {"", "", "", ""}}));
    EXPECT_EQ(widths(f), QList<int>({130, 130, 30, 30}));
    EXPECT_EQ(f->dbg->item(0, 0)->background().color(), QColor(255, 255, 255));
    EXPECT_EQ(shownHeaders(f), QStringList({"Artista", "Título", "Emprestado", "No."}));
    EXPECT_EQ(f->dbg->horizontalHeaderItem(0)->background().color(), QColor(255, 255, 255));
    EXPECT_EQ(f->dbg->horizontalHeader()->height(), 16);
    // 40 characters, a character outside the basic plane counted once.
    const QString guitar = QString::fromUcs4(U"\U0001F3B8");
    f->texto->setFocus();
    QTest::keyClicks(f->texto, QString(39, 'a'));
    QTest::sendKeyEvent(QTest::Click, f->texto, Qt::Key_unknown, guitar, Qt::NoModifier);
    QTest::keyClicks(f->texto, "b");
    EXPECT_EQ(f->texto->text(), QString(39, 'a') + guitar);
    f->texto->clear();
    EXPECT_EQ(f->dbg->size(), QSize(345, 105));
}

TEST_F(Search, ArtistSearchListsEachCdWithTheNameInTheFirstRowOnly)
{
    TFormPrincipal *w = startCollection();
    TPesquisaform *f = open(w);
    search(f, f->chk1, "CAETANO VELOSO");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(grid(f), QList<QStringList>({{"Artista", "Título", "Emprest", "No."},
                                           {"Caetano Veloso", "Transa", "N", "001"},
                                           {"", "Livro", "S", "002"},
                                           {"", "Estrangeiro", "N", "003"}}));
    EXPECT_EQ(shownHeaders(f), QStringList({"Artista", "Título", "Emprest", "No."}));
    // a shorter result leaves nothing of the longer one behind
    search(f, f->chk1, "zélia");
    EXPECT_EQ(grid(f), QList<QStringList>({{"Artista", "Título", "Emprest", "No."}, {"Zélia", "Zélia Duncan", "N", "020"}}));
    EXPECT_EQ(DataModule1->Artista->selectedIndex(), "iartista");
    EXPECT_EQ(DataModule1->CD->selectedIndex(), "iartista");
}

TEST_F(Search, OnlyWholeValuesAreFound)
{
    TFormPrincipal *w = startCollection();
    TPesquisaform *f = open(w);
    search(f, f->chk1, "Caetano");
    search(f, f->chk1, "Só em CDs"); // on CDs only, not in the artist table
    EXPECT_EQ(messages(), QStringList({"Não Encontrado", "Não Encontrado"}));
    EXPECT_EQ(QApplication::focusWidget(), f->texto);
    EXPECT_EQ(grid(f), QList<QStringList>({{"Artista", "Título", "Emprest", "No."}, {"", "", "", ""}}));
    search(f, f->chk2, "Órfão");
    EXPECT_EQ(grid(f), QList<QStringList>({{"Título", "Artista", "Emprest", "No."}, {"Órfão", "Só em CDs", "N", "030"}}));
}

TEST_F(Search, AccentedCapitalsMatchAsTheIndexesMatchThem)
{
    TFormPrincipal *w = startCollection();
    put(DataModule1->CD, {{"artista", "Ébano"}, {"titulo", "Sementes"}, {"retirada", "S"}, {"numero", "011"}});
    put(DataModule1->Musica, {{"artista", "Ébano"}, {"titulo", "Raízes"}, {"musica", "Canção Órfã"}});
    put(DataModule1->Musica, {{"artista", "Ébano"}, {"titulo", "Sementes"}, {"musica", "canção órfã"}});
    tables::commitAll();
    TPesquisaform *f = open(w);
    search(f, f->chk1, "ébano");
    EXPECT_EQ(grid(f), QList<QStringList>({{"Artista", "Título", "Emprest", "No."},
                                           {"Ébano", "Raízes", "N", "010"},
                                           {"", "Sementes", "S", "011"}}));
    search(f, f->chk2, "órfão");
    EXPECT_EQ(grid(f), QList<QStringList>({{"Título", "Artista", "Emprest", "No."}, {"Órfão", "Só em CDs", "N", "030"}}));
    search(f, f->chk3, "CANÇÃO ÓRFÃ");
    EXPECT_EQ(grid(f), QList<QStringList>({{"Música", "Título", "Artista", "No."},
                                           {"Canção Órfã", "Raízes", "Ébano", "010"},
                                           {"canção órfã", "Sementes", "Ébano", "011"}}));
    EXPECT_TRUE(boxes.empty()) << messages().join('|').toStdString();
    // Accents themselves still count, as in the indexes.
    search(f, f->chk1, "Ebano");
    EXPECT_EQ(messages(), QStringList({"Não Encontrado"}));
}

TEST_F(Search, SongSearchListsEveryCdOfTheSongWithItsNumber)
{
    TFormPrincipal *w = startCollection();
    TPesquisaform *f = open(w);
    search(f, f->chk3, "nine out of ten");
    EXPECT_EQ(grid(f), QList<QStringList>({{"Música", "Título", "Artista", "No."},
                                           {"Nine Out of Ten", "Transa", "Caetano Veloso", "001"},
                                           {"Nine out of ten", "Livro", "Caetano Veloso", "002"},
                                           {"Nine Out Of Ten", "Disco Sumido", "Caetano Veloso", ""}}));
    EXPECT_EQ(widths(f), QList<int>({130, 130, 35, 35}));
    EXPECT_EQ(shownHeaders(f), QStringList({"Música", "Título", "Artista", "No."}));
    // the last records of the index: exactly as many rows as matches
    search(f, f->chk3, "ZZZ ÚLTIMA");
    EXPECT_EQ(grid(f).size(), 2);
    EXPECT_EQ(grid(f)[1], QStringList({"Zzz Última", "Zélia Duncan", "Zélia", "020"}));
    EXPECT_EQ(DataModule1->Musica->selectedIndex(), "imusica");
    EXPECT_EQ(DataModule1->CD->selectedIndex(), "iartista_titulo");
    // another kind only moves the focus; the result stays
    QTest::mouseClick(f->chk2, Qt::LeftButton);
    EXPECT_EQ(grid(f)[1][0], "Zzz Última");
    f->close();
    settle();
    EXPECT_TRUE(w->Pesquisa1->isEnabled());
    EXPECT_TRUE(w->BitBtn10->isEnabled());
}

TEST_F(Search, TextsStartAtTheLeftOfTheirCellsAndAreClippedNotShortened)
{
    TFormPrincipal *w = startCollection();
    TPesquisaform *f = open(w);
    search(f, f->chk1, "caetano veloso");
    QHeaderView *header = f->dbg->horizontalHeader();
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        const QVariant shown = f->dbg->model()->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole);
        const int alignment = shown.isValid() ? shown.toInt() : int(header->defaultAlignment());
        EXPECT_EQ(alignment & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
    EXPECT_EQ(header->textElideMode(), Qt::ElideNone);
    EXPECT_EQ(f->dbg->textElideMode(), Qt::ElideNone);
    EXPECT_FALSE(f->dbg->wordWrap());
    const QVariant cell = f->dbg->model()->data(f->dbg->model()->index(1, 1), Qt::TextAlignmentRole);
    EXPECT_TRUE(!cell.isValid() || (cell.toInt() & Qt::AlignHorizontal_Mask) == Qt::AlignLeft);
}

TEST_F(Search, CaptionsAreTheWindowsOwnAndLabelsNameTheirControls)
{
    TFormPrincipal *w = startCollection();
    TPesquisaform *f = open(w);
    EXPECT_EQ(f->windowTitle(), "Pesquisa");
    EXPECT_EQ(f->chk1->text(), "Artista");
    EXPECT_EQ(f->chk2->text(), "Título");
    EXPECT_EQ(f->chk3->text(), "Música");
    EXPECT_EQ(f->BitBtn1->text(), "Ok");
    const auto labels = f->findChildren<QLabel *>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->text(), "Texto:");
    EXPECT_EQ(labels[0]->buddy(), f->texto);
}
