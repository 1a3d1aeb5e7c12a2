// The preview window driven as a user drives it: the report commands open it modally, the
// arrows page and zoom, the fit buttons fit, print prints, the door closes it.
#include "CD.h"
#include "CatalogueWindows.h"
#include "CollectionFixture.h"
#include "Demopre.h"
#include "FormPrincipal.h"
#include "Messages.h"
#include "PreviewGlyphs.h"
#include "R_CD.h"
#include "R_Retirad.h"
#include "R_musica.h"
#include "ReportWindows.h"
#include "ReportsFixture.h"
#include "RpPreview.h"
#include "Startup.h"
#include "UpDown.h"
#include "WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {


// A printer that takes every page into memory.
struct Job : TRpPrintJob {
    explicit Job(int &pages) : pages_(pages), image_(794, 1123, QImage::Format_RGB32), painter_(&image_) { pages_ = 1; }
    TRpPrinterMetrics metrics() const override { return {794, 1123, 96, 96}; }
    QPainter &painter() override { return painter_; }
    void newPage() override { ++pages_; }
    void end() override { painter_.end(); }
    void abort() override { painter_.end(); pages_ = -1; }
    int &pages_;
    QImage image_;
    QPainter painter_;
};
struct MemoryPrinter : TRpPrinterDevice {
    explicit MemoryPrinter(int &pages) : pages_(pages) {}
    bool installed() const override { return true; }
    TRpPrinterMetrics metrics() override { return {794, 1123, 96, 96}; }
    void setOrientation(TPrinterOrientation) override {}
    std::unique_ptr<TRpPrintJob> beginJob(const QString &) override { return std::make_unique<Job>(pages_); }
    int &pages_;
};

} // namespace

class PreviewWindow : public ReportsFixture {
protected:
    void SetUp() override
    {
        ReportsFixture::SetUp();
        createReportHolders();
    }
    void TearDown() override
    {
        destroyReportHolders();
        RpPrinter().setDevice(nullptr);
        ReportsFixture::TearDown();
    }
    void addCDs(int n)
    {
        for (int i = 1; i <= n; ++i)
            addCD(QStringLiteral("Artista %1").arg(i, 3, 10, QChar('0')), QStringLiteral("Título %1").arg(i));
        tables::commitAll();
    }
    static void clickUp() { QTest::mouseClick(PrevForm->UpDown1->upButton(), Qt::LeftButton); }
    static void clickDown() { QTest::mouseClick(PrevForm->UpDown1->downButton(), Qt::LeftButton); }
    static QStringList shownPage()
    {
        return pagerecords::decode(*RpPrinter().CurrentPageDrawing()).strings();
    }
};

TEST_F(PreviewWindow, ShownModallyAndMaximisedOnPageOneAtOneHundredPercent)
{
    addCDs(40);
    bool shown = false;
    whileShown([&] {
        shown = true;
        EXPECT_TRUE(PrevForm->isModal());
        EXPECT_TRUE(PrevForm->isMaximized());
        EXPECT_EQ(PrevForm->windowTitle(), "Relatório");
        EXPECT_EQ(PrevForm->Panel1->height(), 41);
        EXPECT_EQ(PrevForm->Edit1->text(), "1");
        EXPECT_EQ(PrevForm->UpDown1->Min(), 1);
        EXPECT_EQ(PrevForm->UpDown1->Max(), 2);
        EXPECT_EQ(PrevForm->SpinEdit2->value(), 100);
        EXPECT_EQ(PrevForm->RpPreview1->Zoom(), 100);
        EXPECT_EQ(PrevForm->RpPreview1->ZoomMode(), TRpPreview::zmExplicit);
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 1);
        EXPECT_EQ(PrevForm->focusWidget(), PrevForm->BitBtn1);
        EXPECT_EQ(shownPage().value(0), "Relatório de CDs");
        for (QPushButton *b : {PrevForm->BitBtn4, PrevForm->BitBtn3, PrevForm->BitBtn1, PrevForm->BitBtn2})
            EXPECT_EQ(b->accessibleName(), b->toolTip());
        EXPECT_EQ(PrevForm->BitBtn4->toolTip(), "Altera o relatório para a largura da tela");
        EXPECT_EQ(PrevForm->BitBtn3->toolTip(), "Altera o relatório para o tamanho da tela");
        EXPECT_EQ(PrevForm->BitBtn1->toolTip(), "Imprime");
        EXPECT_EQ(PrevForm->BitBtn2->toolTip(), "Termina");
    });
    R_CDForm->Preview();
    EXPECT_TRUE(shown);
    // Closed: hidden, not destroyed, and the pages are gone.
    EXPECT_TRUE(PrevForm->isHidden());
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle);
}

TEST_F(PreviewWindow, ArrowsPageWithinTheReportAndTypingDoesNotPage)
{
    addCDs(70); // three pages
    whileShown([&] {
        clickUp();
        EXPECT_EQ(PrevForm->Edit1->text(), "2");
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 2);
        EXPECT_EQ(RpPrinter().CurrentPage, 2);
        EXPECT_EQ(shownPage().value(7), "Artista 034");
        clickUp();
        clickUp(); // no wrap-around
        EXPECT_EQ(PrevForm->Edit1->text(), "3");
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 3);
        QTest::keyClick(PrevForm->Edit1, Qt::Key_Down);
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 2);
        clickDown();
        clickDown();
        EXPECT_EQ(PrevForm->Edit1->text(), "1");
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 1);
        PrevForm->Edit1->selectAll();
        QTest::keyClicks(PrevForm->Edit1, "3");
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 1);
    });
    R_CDForm->Preview();
}

TEST_F(PreviewWindow, OnePageReportArrowsChangeNothing)
{
    addCDs(1);
    whileShown([&] {
        clickUp();
        EXPECT_EQ(PrevForm->Edit1->text(), "1");
        clickDown();
        EXPECT_EQ(PrevForm->Edit1->text(), "1");
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 1);
    });
    R_CDForm->Preview();
}

TEST_F(PreviewWindow, ZoomBoxStepsByTenBetweenTenAndThreeHundredAndCannotBeTyped)
{
    addCDs(1);
    whileShown([&] {
        QSpinBox *box = PrevForm->SpinEdit2;
        QTest::keyClick(box, Qt::Key_Up);
        EXPECT_EQ(box->value(), 110);
        EXPECT_EQ(PrevForm->RpPreview1->Zoom(), 110);
        EXPECT_EQ(PrevForm->RpPreview1->PagePainter()->width(), 868); // Round(785 × 1.1 = 863.5) + 4
        QTest::keyClicks(box, "5");
        EXPECT_EQ(box->value(), 110);
        box->setValue(290);
        QTest::keyClick(box, Qt::Key_Up);
        QTest::keyClick(box, Qt::Key_Up);
        EXPECT_EQ(box->value(), 300);
        EXPECT_EQ(PrevForm->RpPreview1->Zoom(), 300);
        box->setValue(20);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        EXPECT_EQ(box->value(), 10);
        EXPECT_EQ(PrevForm->RpPreview1->Zoom(), 10);
    });
    R_CDForm->Preview();
}

TEST_F(PreviewWindow, FitsAreLimitedByTheZoomBoxAndThenStayExplicit)
{
    addCDs(1);
    whileShown([&] {
        TRpPreview *preview = PrevForm->RpPreview1;
        // Page width in the maximised window.
        QTest::mouseClick(PrevForm->BitBtn4, Qt::LeftButton);
        const int width = std::clamp(int(std::nearbyint(preview->width() / 785.0 * 98)), 10, 300);
        EXPECT_EQ(PrevForm->SpinEdit2->value(), width);
        EXPECT_EQ(preview->Zoom(), width);
        EXPECT_EQ(preview->ZoomMode(), TRpPreview::zmExplicit);

        // The whole page in a very small window needs less than 10 percent.
        PrevForm->setWindowState(Qt::WindowNoState);
        PrevForm->resize(PrevForm->minimumSizeHint().width(), 50);
        QApplication::processEvents();
        const int zx = int(std::nearbyint(preview->width() / 785.0 * 98));
        const int zy = int(std::nearbyint(preview->height() / 1134.0 * 98));
        ASSERT_LT(std::min(zx, zy), 10);
        QTest::mouseClick(PrevForm->BitBtn3, Qt::LeftButton);
        EXPECT_EQ(PrevForm->SpinEdit2->value(), 10);
        EXPECT_EQ(preview->Zoom(), 10);
        // Again with the box already at 10: the page follows the box, not the raw fit.
        QTest::mouseClick(PrevForm->BitBtn3, Qt::LeftButton);
        EXPECT_EQ(preview->Zoom(), 10);
        EXPECT_EQ(preview->ZoomMode(), TRpPreview::zmExplicit);
        // Explicit: a resize keeps it.
        PrevForm->resize(900, 700);
        QApplication::processEvents();
        EXPECT_EQ(preview->Zoom(), 10);
    });
    R_CDForm->Preview();
}

TEST_F(PreviewWindow, PrintSendsEveryPageAndKeepsPageAndZoom)
{
    int printed = 0;
    RpPrinter().setDevice(std::make_unique<MemoryPrinter>(printed));
    addCDs(70);
    whileShown([&] {
        clickUp();
        QTest::keyClick(PrevForm->SpinEdit2, Qt::Key_Up);
        QTest::mouseClick(PrevForm->BitBtn1, Qt::LeftButton);
        EXPECT_EQ(printed, RpPrinter().PageCount);
        EXPECT_TRUE(PrevForm->isVisible());
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 2);
        EXPECT_EQ(RpPrinter().CurrentPage, 2);
        EXPECT_EQ(PrevForm->Edit1->text(), "2");
        EXPECT_EQ(PrevForm->RpPreview1->Zoom(), 110);
    });
    R_CDForm->Preview();
    EXPECT_GT(printed, 1);
}

TEST_F(PreviewWindow, EnterPrintsOnlyFromThePrintButton)
{
    int printed = 0;
    RpPrinter().setDevice(std::make_unique<MemoryPrinter>(printed));
    addCDs(70);
    whileShown([&] {
        // The page box and the zoom box take Enter for themselves.
        for (QWidget *box : {static_cast<QWidget *>(PrevForm->Edit1), static_cast<QWidget *>(PrevForm->SpinEdit2)}) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Enter);
        }
        EXPECT_EQ(printed, 0);
        EXPECT_TRUE(PrevForm->isVisible());
        // As the window opens, the focus is on the print button: Enter there prints.
        PrevForm->BitBtn1->setFocus();
        QTest::keyClick(PrevForm->BitBtn1, Qt::Key_Return);
        EXPECT_EQ(printed, RpPrinter().PageCount);
        printed = 0;
        PrevForm->Edit1->setFocus();
        QTest::keyClick(PrevForm->Edit1, Qt::Key_Return);
        EXPECT_EQ(printed, 0);
    });
    R_CDForm->Preview();
}

TEST_F(PreviewWindow, EachPreviewRegeneratesAndOpensOnPageOne)
{
    addCDs(40);
    whileShown([&] {
        clickUp();
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 2);
        PrevForm->close(); // the close box
    });
    R_CDForm->Preview();
    addCD("aaa Primeiro", "Novo");
    tables::commitAll();
    whileShown([&] {
        EXPECT_EQ(PrevForm->Edit1->text(), "1");
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 1);
        EXPECT_EQ(RpPrinter().CurrentPage, 1);
        EXPECT_EQ(shownPage().value(7), "aaa Primeiro");
    });
    R_CDForm->Preview();
}

TEST_F(PreviewWindow, EveryReportEndsInThePreviewWindow)
{
    addCDs(1);
    addCheckout("Artista 001", "Título 1", "01/12/26", "Ana", "", "");
    addSong("Artista 001", "Título 1", "Canção");
    tables::commitAll();
    for (TReportForm *form : std::initializer_list<TReportForm *>{R_CDForm, R_RetiradaForm, R_musicaform}) {
        QString first;
        whileShown([&] { first = shownPage().value(0); });
        form->Preview();
        EXPECT_EQ(first, form->Caption);
    }
}

TEST(PreviewGlyphs, FourDistinctPicturesEachWithItsGreyedTwin)
{
    QList<QImage> seen;
    for (PreviewGlyph g : {PreviewGlyph::Page, PreviewGlyph::FramedPage, PreviewGlyph::Printer, PreviewGlyph::Door}) {
        const QImage normal = previewGlyphPixmap(g, false).toImage();
        const QImage greyed = previewGlyphPixmap(g, true).toImage();
        EXPECT_EQ(normal.size(), QSize(16, 16));
        EXPECT_NE(normal, greyed);
        EXPECT_FALSE(seen.contains(normal));
        seen << normal;
        const QIcon icon = previewGlyph(g);
        EXPECT_EQ(icon.pixmap(16, QIcon::Disabled).toImage().convertToFormat(greyed.format()), greyed);
        EXPECT_EQ(icon.pixmap(16, QIcon::Normal).toImage().convertToFormat(normal.format()), normal);
        // The greyed picture has no colour.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QColor c = greyed.pixelColor(x, y);
                if (c.alpha()) {
                    EXPECT_EQ(c.red(), c.blue());
                }
            }
    }
}

// The report commands of the main window, with the program's own start-up order.
class ReportCommands : public CollectionFixture {
protected:
    void SetUp() override
    {
        CollectionFixture::SetUp();
        main = createMainWindowAndData();
        createReportHolders();
        registerReportCommands(main);
        main->show();
    }
    void TearDown() override
    {
        destroyReportHolders();
        CollectionFixture::TearDown();
    }
};

TEST_F(ReportCommands, ButtonsAndMenuItemsPreviewTheirReports)
{
    const struct {
        const char *name;
        std::function<void(TFormPrincipal *)> run;
        QString title;
    } cases[] = {
        {"BitBtn7", [](TFormPrincipal *m) { m->BitBtn7->click(); }, "Relatório de CDs"},
        {"BitBtn8", [](TFormPrincipal *m) { m->BitBtn8->click(); }, "Relatório de Retiradas"},
        {"BitBtn9", [](TFormPrincipal *m) { m->BitBtn9->click(); }, "Relatório de Músicas"},
        {"CD2", [](TFormPrincipal *m) { m->CD2->trigger(); }, "Relatório de CDs"},
        {"Retirada2", [](TFormPrincipal *m) { m->Retirada2->trigger(); }, "Relatório de Retiradas"},
        {"Msica1", [](TFormPrincipal *m) { m->Msica1->trigger(); }, "Relatório de Músicas"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QString first;
        whileShown([&] {
            EXPECT_TRUE(PrevForm->isModal());
            first = pagerecords::decode(*RpPrinter().CurrentPageDrawing()).strings().value(0);
        });
        c.run(main);
        EXPECT_EQ(first, c.title);
        EXPECT_TRUE(main->BitBtn7->isEnabled() && main->CD2->isEnabled());
        EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle);
    }
}

// With the CD register open on its song page: a song entered there is in the next song
// report, the report does not move the register's song list, and the register's CDs follow
// the artist order the CD report leaves on the shared cursor.
TEST_F(ReportCommands, SongReportWhileTheCDRegisterIsOpen)
{
    tables::Table *cd = DataModule1->CD;
    for (const auto &[titulo, artista] :
         {std::pair{"Luz", "Djavan"}, {"Arrival", "ABBA"}, {"Acabou Chorare", "Novos Baianos"}}) {
        DataModule1->Artista->append();
        DataModule1->Artista->setFieldText("Artista", artista);
        DataModule1->Artista->post();
        cd->append();
        for (const auto &[f, v] : {std::pair{"Titulo", titulo}, {"Artista", artista}, {"Retirada", "N"}})
            cd->setFieldText(f, v);
        cd->post();
    }
    DataModule1->Musica->append();
    DataModule1->Musica->setFieldText("Artista", "Djavan");
    DataModule1->Musica->setFieldText("Titulo", "Luz");
    DataModule1->Musica->setFieldText("Musica", "Samurai");
    DataModule1->Musica->post();
    tables::commitAll();

    registerCatalogueWindows(main);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    main->BitBtn2->click();
    auto *form = main->findChild<TCDForm *>();
    ASSERT_TRUE(form);
    settle(); // its first paint shows the first CD in title order: "Acabou Chorare"
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    settle();
    ASSERT_EQ(form->t_titulo->text(), "Acabou Chorare");
    form->t_musica->setText("Sina");
    form->BitBtn8->click();
    settle();
    auto listed = [form] { return lines(form->ListBox1); };
    const QStringList before = listed();
    ASSERT_TRUE(before.contains("Sina"));
    const qint64 songRecord = DataModule1->Musica->recordId();

    QStringList songs;
    whileShown([&] {
        for (const auto &t : pagerecords::decode(*RpPrinter().CurrentPageDrawing()).texts)
            if (t.x == 400)
                songs << t.text;
    });
    main->BitBtn9->click();
    EXPECT_EQ(songs, QStringList({"Samurai", "Sina"})); // Djavan, then Novos Baianos
    settle();
    EXPECT_EQ(listed(), before);
    EXPECT_EQ(DataModule1->Musica->recordId(), songRecord);

    // The CD report leaves the shared CD cursor in artist order, on the last CD it printed.
    whileShown([] {});
    main->BitBtn7->click();
    settle();
    EXPECT_EQ(cd->selectedIndex(), "iartista");
    EXPECT_EQ(cd->fieldText("Titulo"), "Acabou Chorare");
    cd->prior();
    EXPECT_EQ(cd->fieldText("Titulo"), "Luz"); // Djavan; in title order it would be the first
    form->close();
    settle();
}
