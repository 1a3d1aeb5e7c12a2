// The three reports over real tables: what each page shows, where, in which font and order.
#include "R_CD.h"
#include "R_Retirad.h"
#include "R_musica.h"
#include "ReportsFixture.h"

#include <uemf.h>

namespace {

struct Printed {
    QString text;
    int x, y, fontHeight;
    QString fontName;
};

struct Rule {
    int x0, y, x1;
};

// Every expected text stands on the page once, at its place and in its font; the rules too.
void expectHeader(const pagerecords::Page &page, const std::vector<Printed> &texts, const std::vector<Rule> &rules)
{
    for (const Printed &e : texts) {
        SCOPED_TRACE(e.text.toStdString());
        const pagerecords::Text *t = page.find(e.text);
        ASSERT_TRUE(t);
        EXPECT_EQ(QPoint(t->x, t->y), QPoint(e.x, e.y));
        EXPECT_EQ(t->fontHeight, e.fontHeight);
        EXPECT_EQ(t->fontName, e.fontName);
    }
    QList<QRect> lines;
    for (const auto &s : page.shapes)
        if (s.type == U_EMR_LINETO)
            lines << s.rect;
    ASSERT_EQ(lines.size(), int(rules.size()));
    for (size_t i = 0; i < rules.size(); ++i)
        EXPECT_EQ(lines[i], QRect(QPoint(rules[i].x0, rules[i].y), QPoint(rules[i].x1, rules[i].y)));
}

} // namespace

// --- CD report ------------------------------------------------------------------------------

class CDReport : public ReportsFixture {
protected:
    void SetUp() override
    {
        ReportsFixture::SetUp();
        form = std::make_unique<TR_CDForm>(dataModule);
        capturePreviews();
    }
    void TearDown() override
    {
        form.reset();
        ReportsFixture::TearDown();
    }
    std::unique_ptr<TR_CDForm> form;
};

// The left margin of 13 mm is Round(13 / 25.4 × 96) = 49 page units.
constexpr int CDMargin = 49;

TEST_F(CDReport, DefinitionAsStored)
{
    TRpReport *r = form->RpReport1;
    EXPECT_EQ(form->Caption, "Relatório de CDs");
    EXPECT_EQ(r->LeftMarginMM(), 13);
    EXPECT_EQ(r->LeftMarginInches(), 5);
    EXPECT_NEAR(r->LeftMargin, 13 / 25.4, 1e-12);
    EXPECT_FALSE(r->ShowProgress);
    EXPECT_EQ(r->Columns(), 1);
    EXPECT_TRUE(r->ReportTitle.isEmpty());
    auto *header = qobject_cast<TRpBand *>(form->findComponent("RpBand1"));
    auto *detail = qobject_cast<TRpBand *>(form->findComponent("RpBand2"));
    ASSERT_TRUE(header && detail);
    EXPECT_EQ(header->BandType, rbPageHeader);
    EXPECT_EQ(header->Height, 65);
    EXPECT_FALSE(header->ParentFont);
    EXPECT_TRUE(header->Font.bold);
    EXPECT_EQ(detail->BandType, rbDetail);
    EXPECT_EQ(detail->Height, 30);
    EXPECT_EQ(header->children().size(), 9);
    EXPECT_EQ(detail->children().size(), 6);
}

TEST_F(CDReport, HeaderAndDetailLineAtTheirPlacesAndFonts)
{
    addCD("Chico Buarque", "Construção", "05/03/98", "MPB", "N", "012");
    form->Preview();
    ASSERT_EQ(pages.size(), 1);
    const int m = CDMargin;
    expectHeader(pages[0],
                 {{"Relatório de CDs", m + 7, 16, 16, "Arial"}, {"Artista", m + 7, 45, 11, "Arial"},
                  {"Título", m + 147, 45, 11, "Arial"}, {"Aquisição", m + 302, 45, 11, "Arial"},
                  {"Estilo", m + 377, 45, 11, "Arial"}, {"No.", m + 466, 43, 11, "Arial"},
                  {"Emprestado", m + 504, 45, 11, "Arial"},
                  {"Chico Buarque", m + 7, 72, 11, "MS Sans Serif"}, {"Construção", m + 155, 72, 11, "MS Sans Serif"},
                  {"05/03/98", m + 302, 72, 11, "MS Sans Serif"}, {"MPB", m + 377, 72, 11, "MS Sans Serif"},
                  {"012", m + 467, 72, 11, "MS Sans Serif"}, {"N", m + 512, 72, 11, "MS Sans Serif"}},
                 {{m + 7, 5, m + 576}, {m + 7, 57, m + 576}});
    EXPECT_EQ(pages[0].texts.size(), 7 + 6);
}

TEST_F(CDReport, ArtistsInCaseInsensitiveOrderWithEachArtistsCDsTogether)
{
    addCD("caetano Veloso", "Transa", "", "", "N");
    addCD("Beatles", "Help", "", "", "S");
    addCD("abba", "Arrival", "", "", "N");
    addCD("Caetano Veloso", "Livro", "", "", "S");
    addCD("beatles", "Abbey Road", "", "", "N");
    form->Preview();
    ASSERT_EQ(pages.size(), 1);
    // Lines at 65, 95, 125 … below the top; the fields 7 further down.
    const QList<QStringList> expected = {
        {"abba", "Arrival", "", "", "", "N"},          {"Beatles", "Help", "", "", "", "S"},
        {"beatles", "Abbey Road", "", "", "", "N"},   {"caetano Veloso", "Transa", "", "", "", "N"},
        {"Caetano Veloso", "Livro", "", "", "", "S"},
    };
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(line(1, 65 + 30 * i + 7), expected[i]) << i;
    EXPECT_EQ(column(1, CDMargin + 512), QStringList({"N", "S", "N", "N", "S"}));
    // The report leaves the shared CD cursor on the artist index.
    EXPECT_EQ(dataModule->CD->selectedIndex(), "iartista");
}

TEST_F(CDReport, ThirtyThreeLinesAPageAndTheHeaderOnEveryPage)
{
    for (int i = 1; i <= 70; ++i)
        addCD(QStringLiteral("Artista %1").arg(i, 3, 10, QChar('0')), QStringLiteral("T%1").arg(i));
    tables::commitAll();
    form->Preview();
    // 65 + 33 × 30 = 1055 fits the page of 1080; the 34th line starts the next page.
    ASSERT_EQ(pages.size(), 3);
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(line(p, 16), QStringList({"Relatório de CDs"})) << p;
    EXPECT_EQ(line(1, 65 + 32 * 30 + 7).value(0), "Artista 033");
    EXPECT_EQ(line(2, 72).value(0), "Artista 034");
    EXPECT_EQ(line(3, 72).value(0), "Artista 067");
    EXPECT_EQ(column(3, CDMargin + 7).size(), 2 + 4); // title, "Artista" and four lines
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle); // discarded once the preview is over
}

// --- Checkout report ------------------------------------------------------------------------

class CheckoutReport : public ReportsFixture {
protected:
    void SetUp() override
    {
        ReportsFixture::SetUp();
        form = std::make_unique<TR_RetiradaForm>(dataModule);
    }
    void TearDown() override
    {
        form.reset();
        ReportsFixture::TearDown();
    }
    std::unique_ptr<TR_RetiradaForm> form;
};

TEST_F(CheckoutReport, CreationInstallsThePreviewHookAndDestructionRemovesIt)
{
    EXPECT_TRUE(bool(RpPrinter().OnPreview));
    EXPECT_EQ(form->Caption, "Relatório de Retiradas");
    form.reset();
    EXPECT_FALSE(bool(RpPrinter().OnPreview));
}

TEST_F(CheckoutReport, HeaderAndLinesAtTheirPlaces)
{
    capturePreviews();
    addCheckout("Gal Costa", "Fa-Tal", "01/12/26", "Ana Lima", "(11)5555-1234", "15/12/26");
    addCheckout("Elis Regina", "Falso Brilhante", "02/12/26", "Bruno", "3333-0000", "");
    form->Preview();
    ASSERT_EQ(pages.size(), 1);
    expectHeader(pages[0],
                 {{"Relatório de Retiradas", 8, 16, 17, "Arial"}, {"Artista", 8, 43, 11, "Arial"},
                  {"Título", 166, 43, 11, "Arial"}, {"Retirada", 320, 43, 11, "Arial"},
                  {"Responsável", 392, 43, 11, "Arial"}, {"Telefone", 504, 43, 11, "Arial"},
                  {"Entrega", 584, 43, 11, "Arial"}, {"Gal Costa", 0, 73, 11, "MS Sans Serif"},
                  {"Fa-Tal", 168, 73, 11, "MS Sans Serif"}, {"01/12/26", 320, 73, 11, "MS Sans Serif"},
                  {"Ana Lima", 392, 73, 11, "MS Sans Serif"}, {"(11)5555-1234", 504, 73, 11, "MS Sans Serif"},
                  {"15/12/26", 584, 73, 11, "MS Sans Serif"}},
                 {{8, 5, 657}, {8, 56, 657}});
    // The default order; a checkout without a return date leaves the "Entrega" cell empty.
    EXPECT_EQ(line(1, 113), QStringList({"Elis Regina", "Falso Brilhante", "02/12/26", "Bruno", "3333-0000", ""}));
}

TEST_F(CheckoutReport, NoCheckoutNoLine)
{
    capturePreviews();
    form->Preview();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].strings(), QStringList({"Relatório de Retiradas", "Artista", "Título", "Retirada",
                                               "Responsável", "Telefone", "Entrega"}));
}

TEST_F(CheckoutReport, DefaultOrderUntilTheArtistIndexIsSelected)
{
    capturePreviews();
    addCheckout("Zé Ramalho", "A Peleja", "01/12/26", "Carla", "", "");
    addCheckout("alceu Valença", "Vivo", "01/12/26", "Davi", "", "");
    addCheckout("Belchior", "Alucinação", "01/12/26", "Eva", "", "");
    form->Preview();
    EXPECT_EQ(column(1, 0), QStringList({"Zé Ramalho", "alceu Valença", "Belchior"}));
    // The return window selects the artist index on the shared cursor when it opens.
    dataModule->Retirada->selectIndex("iartista");
    form->Preview();
    EXPECT_EQ(column(1, 0), QStringList({"alceu Valença", "Belchior", "Zé Ramalho"}));
}

TEST_F(CheckoutReport, AnEntryBeingComposedIsStoredWhenSomethingWasTyped)
{
    capturePreviews();
    dataModule->Retirada->append();
    dataModule->Retirada->setFieldText("Artista", "Nara Leão");
    form->Preview();
    EXPECT_EQ(column(1, 0), QStringList({"Nara Leão"}));
    EXPECT_EQ(dataModule->Retirada->recordCount(), 1);
    // An untouched blank entry is dropped.
    dataModule->Retirada->append();
    form->Preview();
    EXPECT_EQ(column(1, 0), QStringList({"Nara Leão"}));
    EXPECT_EQ(dataModule->Retirada->recordCount(), 1);
}

// --- Song report ----------------------------------------------------------------------------

class SongReport : public ReportsFixture {
protected:
    void SetUp() override
    {
        ReportsFixture::SetUp();
        form = std::make_unique<TR_musicaform>();
        capturePreviews();
    }
    void TearDown() override
    {
        form.reset();
        ReportsFixture::TearDown();
    }
    std::unique_ptr<TR_musicaform> form;
};

TEST_F(SongReport, HeaderAndLinesAtTheirPlacesInArtistOrder)
{
    addSong("Tom Jobim", "Wave", "Wave");
    addSong("Cartola", "Verde Que Te Quero Rosa", "Autonomia");
    addSong("cartola", "Cartola 1976", "O Mundo É Um Moinho");
    addSong("Tom Jobim", "Elis & Tom", "Águas de Março");
    form->Preview();
    ASSERT_EQ(pages.size(), 1);
    expectHeader(pages[0],
                 {{"Relatório de Músicas", 16, 8, 17, "MS Sans Serif"}, {"Artista", 16, 39, 11, "MS Sans Serif"},
                  {"Título", 216, 39, 11, "MS Sans Serif"}, {"Música", 392, 39, 11, "MS Sans Serif"},
                  {"Cartola", 16, 73, 11, "MS Sans Serif"}, {"Verde Que Te Quero Rosa", 216, 73, 11, "MS Sans Serif"},
                  {"Autonomia", 400, 73, 11, "MS Sans Serif"}},
                 {{16, 5, 637}, {16, 54, 637}});
    // Equal artists in the order the index delivers them (insertion), not grouped by title.
    EXPECT_EQ(line(1, 73 + 41), QStringList({"cartola", "Cartola 1976", "O Mundo É Um Moinho"}));
    EXPECT_EQ(column(1, 400), QStringList({"Autonomia", "O Mundo É Um Moinho", "Wave", "Águas de Março"}));
    EXPECT_EQ(form->Table1->selectedIndex(), "iartista");
}

TEST_F(SongReport, OwnCursorLeavesTheDataModulesSongTableWhereItWas)
{
    EXPECT_FALSE(form->DataSource1->autoEdit());
    addSong("Djavan", "Luz", "Sina");
    addSong("Djavan", "Luz", "Samurai");
    addSong("Alceu Valença", "Cavalo de Pau", "Tropicana");
    tables::Table *musica = dataModule->Musica;
    musica->selectIndex("imusica");
    musica->first();
    musica->next(); // "Sina" (imusica: Samurai, Sina, Tropicana)
    const qint64 before = musica->recordId();
    ASSERT_EQ(musica->fieldText("Musica"), "Sina");
    form->Preview();
    EXPECT_EQ(column(1, 400), QStringList({"Tropicana", "Sina", "Samurai"}));
    EXPECT_EQ(musica->selectedIndex(), "imusica");
    EXPECT_EQ(musica->recordId(), before);
    EXPECT_EQ(musica->fieldText("Musica"), "Sina");
}

TEST_F(SongReport, ASongStoredThroughTheDataModuleIsInTheNextRun)
{
    addSong("Djavan", "Luz", "Sina");
    form->Preview();
    EXPECT_EQ(column(1, 400), QStringList({"Sina"}));
    addSong("Djavan", "Luz", "Açaí");
    // Being typed but not stored: not printed.
    dataModule->Musica->append();
    dataModule->Musica->setFieldText("Musica", "Ainda não");
    form->Preview();
    EXPECT_EQ(column(1, 400), QStringList({"Sina", "Açaí"}));
    dataModule->Musica->cancel();
}

TEST_F(SongReport, ClosedSongCursorIsAnEngineError)
{
    form->Table1->close();
    EXPECT_THROW(form->Preview(), tables::EngineError);
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle);
}
