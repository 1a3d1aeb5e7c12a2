// The preview control, the standard preview window, and printing to a PDF checked with
// Ghostscript (an independent PDF reader).
#include "PdfPrinter.h"
#include "ProgramRun.h"
#include "StorePages.h"
#include "RpPreview.h"
#include "RpPrintJob.h"
#include "RpProgressForm.h"
#include "RpReportFile.h"
#include "RpStandardPreview.h"
#include "RpSystemPrinter.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// A store whose sheet is 816 × 1056 page units (Letter at 96 per inch).
void letterSheet(TRpPrinter &store)
{
    store.PhysicalWidth = 816;
    store.PhysicalHeight = 1056;
}

} // namespace

TEST(Preview, FitPageAndPageWidth)
{
    TRpPrinter store;
    letterSheet(store);
    TRpPreview preview(store);
    preview.resize(600, 800);
    preview.ZoomToFitPage();
    EXPECT_EQ(preview.Zoom(), 72); // Round(600 / 816 × 98) = 72 against Round(800 / 1056 × 98) = 74
    EXPECT_EQ(preview.ZoomMode(), TRpPreview::zmFitPage);
    preview.ZoomToPageWidth();
    EXPECT_EQ(preview.Zoom(), 72);
    EXPECT_EQ(preview.ZoomMode(), TRpPreview::zmPageWidth);
    EXPECT_EQ(preview.PagePainter()->width(), 592);  // Round(816 × 0.72) + 4
    EXPECT_EQ(preview.PagePainter()->height(), 764); // Round(1056 × 0.72) + 4
    EXPECT_EQ(preview.PagePainter()->x(), 4);        // (600 − 592) div 2
    EXPECT_EQ(preview.PagePainter()->y(), 18);
    EXPECT_EQ(preview.PagePainter()->zoom(), 72);
}

TEST(Preview, ResizeRefitsUnlessTheZoomIsExplicit)
{
    TRpPrinter store;
    letterSheet(store);
    TRpPreview preview(store);
    preview.show();
    preview.resize(600, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.Zoom(), 72) << "a new preview fits the page";
    preview.resize(300, 800);
    EXPECT_EQ(preview.Zoom(), 36); // Round(300 / 816 × 98)
    preview.ZoomToPageWidth();
    preview.resize(900, 400);
    EXPECT_EQ(preview.Zoom(), 108);
    preview.SetZoom(150);
    preview.resize(500, 500);
    EXPECT_EQ(preview.Zoom(), 150);
    EXPECT_EQ(preview.ZoomMode(), TRpPreview::zmExplicit);
    EXPECT_EQ(preview.PagePainter()->size(), QSize(1228, 1588));
    EXPECT_EQ(preview.PagePainter()->pos(), QPoint(0, 0)) << "a painter wider than the control is not centred";
    preview.SetZoom(-10);
    EXPECT_EQ(preview.PagePainter()->size(), QSize(0, 0));
}

TEST(Preview, PageNumberOutsideThePagesChangesNothing)
{
    TRpPrinter store;
    makePages(store, 3);
    TRpPreview preview(store);
    preview.resize(300, 300);
    preview.show();
    preview.SetZoom(200);
    QCoreApplication::processEvents();
    preview.SetPageNumber(2);
    EXPECT_EQ(store.CurrentPage, 2);
    preview.verticalScrollBar()->setValue(120);
    preview.horizontalScrollBar()->setValue(30);
    for (int n : {0, -1, 4, 2}) {
        preview.SetPageNumber(n);
        EXPECT_EQ(preview.PageNumber(), 2) << n;
        EXPECT_EQ(store.CurrentPage, 2) << n;
        EXPECT_EQ(preview.verticalScrollBar()->value(), 120) << n;
        EXPECT_EQ(preview.horizontalScrollBar()->value(), 30) << n;
    }
    preview.SetPageNumber(3);
    EXPECT_EQ(store.CurrentPage, 3);
    EXPECT_EQ(preview.verticalScrollBar()->value(), 0);
    EXPECT_EQ(preview.horizontalScrollBar()->value(), 0);
}

TEST(Preview, PaintsTheSheetWithItsShadowAndThePage)
{
    TRpPrinter store;
    makePages(store, 2);
    TRpPreview preview(store);
    preview.resize(900, 1200);
    preview.SetZoom(100);
    preview.SetPageNumber(2);
    const QImage image = preview.PagePainter()->grab().toImage();
    const int w = image.width(), h = image.height();
    ASSERT_EQ(QSize(w, h), QSize(785 + 4, 1134 + 4));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));           // outline
    EXPECT_EQ(image.pixelColor(w - 3, h / 2), QColor(Qt::black));   // outline, right
    EXPECT_EQ(image.pixelColor(w - 1, h / 2), QColor(Qt::black));   // shadow, right
    EXPECT_EQ(image.pixelColor(w / 2, h - 1), QColor(Qt::black));   // shadow, bottom
    EXPECT_EQ(image.pixelColor(3, 3), QColor(Qt::white));           // paper, inside the offset
    EXPECT_EQ(image.pixel(400, 600), pageColor(2).rgb());            // the page drawing
    EXPECT_EQ(image.pixelColor(760, 600), QColor(Qt::white));       // right of the page
    store.DiscardPages();
    const QImage idle = preview.PagePainter()->grab().toImage();
    EXPECT_NE(idle.pixelColor(3, 3), QColor(Qt::white)) << "a store that is not ready paints nothing";
}

TEST(Preview, SharpAtTwiceTheDensity)
{
    TRpPrinter store;
    makePages(store, 1, false);
    TRpPreview preview(store);
    preview.resize(900, 1200);
    preview.SetZoom(100);
    QPixmap twice(preview.PagePainter()->size() * 2);
    twice.setDevicePixelRatio(2);
    twice.fill(Qt::gray);
    preview.PagePainter()->render(&twice);
    // The text is drawn at the device's pixels: grey levels along its edges at 2× detail,
    // more distinct dark pixels than a 1× rendering scaled up could hold.
    const QImage hi = twice.toImage().copy(2 * 40, 2 * 40, 2 * 100, 2 * 30);
    const QImage lo = preview.PagePainter()->grab(QRect(40, 40, 100, 30)).toImage()
                          .scaled(200, 60, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int differ = 0;
    for (int y = 0; y < hi.height(); ++y)
        for (int x = 0; x < hi.width(); ++x)
            differ += hi.pixelColor(x, y) != lo.pixelColor(x, y);
    EXPECT_GT(differ, 100);
}

namespace {

QToolButton *tool(TRpStandardPreview &w, const char *name) { return w.findChild<QToolButton *>(name); }

} // namespace

TEST(StandardPreview, ControlsFollowTheStoreFlags)
{
    TRpPrinter store;
    makePages(store, 3);
    {
        TRpStandardPreview w(store);
        EXPECT_EQ(w.windowTitle(), "Report Engine version 1.0");
        EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
        for (const char *name : {"BFitPage", "B100", "BPageWidth", "BFirst", "BPrevious", "BNext", "BLast",
                                 "BPrint", "BSave", "BLoad"})
            EXPECT_NE(tool(w, name), nullptr) << name;
        EXPECT_EQ(w.findChild<QComboBox *>("EZoom"), nullptr);
        EXPECT_EQ(w.BFitPage->toolTip(), "Fit in Window");
        EXPECT_EQ(w.BPrint->toolTip(), "Print report");
        EXPECT_EQ(w.BPrint->accessibleName(), "Print report");
        EXPECT_FALSE(w.BPrint->isEnabled()) << "no printer installed";
        EXPECT_EQ(w.BExit->text(), "&Exit");
        EXPECT_EQ(w.BExit->width(), 60);
        EXPECT_EQ(w.EPage->text(), "Page 1 of 3");
    }
    store.ZoomButtons = false;
    store.AllowPrint = store.AllowSave = store.AllowLoad = false;
    store.PreviewCaption = "Prévia";
    TRpStandardPreview w(store);
    EXPECT_EQ(w.windowTitle(), "Prévia");
    for (const char *name : {"BFitPage", "B100", "BPageWidth", "BPrint", "BSave", "BLoad"})
        EXPECT_EQ(tool(w, name), nullptr) << name;
    ASSERT_NE(w.EZoom, nullptr);
    EXPECT_EQ(w.EZoom->currentText(), "100%");
    EXPECT_EQ(w.EZoom->count(), 6);
    w.resize(600, 600);
    struct Choice {
        int index, zoom;
        TRpPreview::TRpZoomMode mode;
    };
    for (const Choice &c : {Choice{0, 50, TRpPreview::zmExplicit}, Choice{3, 150, TRpPreview::zmExplicit},
                            Choice{4, -1, TRpPreview::zmPageWidth}, Choice{5, -1, TRpPreview::zmFitPage}}) {
        w.ZoomListChange(c.index);
        if (c.zoom > 0) {
            EXPECT_EQ(w.Preview->Zoom(), c.zoom) << c.index;
        }
        EXPECT_EQ(w.Preview->ZoomMode(), c.mode) << c.index;
    }
}

TEST(StandardPreview, NavigationButtons)
{
    TRpPrinter store;
    makePages(store, 3);
    TRpStandardPreview w(store);
    w.show();
    struct Step {
        const char *button;
        int page;
        bool backEnabled, forwardEnabled;
    };
    const Step steps[] = {
        {nullptr, 1, false, true}, {"BNext", 2, true, true}, {"BNext", 3, true, false},
        {"BNext", 3, true, false}, {"BPrevious", 2, true, true}, {"BFirst", 1, false, true},
        {"BLast", 3, true, false},
    };
    for (const Step &s : steps) {
        if (s.button) {
            QToolButton *b = tool(w, s.button);
            b->setEnabled(true); // a click on a disabled button would do nothing at all
            QTest::mouseClick(b, Qt::LeftButton);
        }
        w.UpdatePage();
        EXPECT_EQ(w.Preview->PageNumber(), s.page) << s.button;
        EXPECT_EQ(store.CurrentPage, s.page) << s.button;
        EXPECT_EQ(w.EPage->text(), QString("Page %1 of 3").arg(s.page)) << s.button;
        EXPECT_EQ(w.BFirst->isEnabled(), s.backEnabled) << s.button;
        EXPECT_EQ(w.BPrevious->isEnabled(), s.backEnabled) << s.button;
        EXPECT_EQ(w.BNext->isEnabled(), s.forwardEnabled) << s.button;
        EXPECT_EQ(w.BLast->isEnabled(), s.forwardEnabled) << s.button;
    }
    QTest::mouseClick(w.BFitPage, Qt::LeftButton);
    EXPECT_EQ(w.Preview->ZoomMode(), TRpPreview::zmFitPage);
    QTest::mouseClick(w.B100, Qt::LeftButton);
    EXPECT_EQ(w.Preview->Zoom(), 100);
    QTest::mouseClick(w.BPageWidth, Qt::LeftButton);
    EXPECT_EQ(w.Preview->ZoomMode(), TRpPreview::zmPageWidth);
}

TEST(StandardPreview, OnePageDisablesAllNavigation)
{
    TRpPrinter store;
    makePages(store, 1);
    TRpStandardPreview w(store);
    EXPECT_EQ(w.EPage->text(), "Page 1 of 1");
    for (QToolButton *b : {w.BFirst, w.BPrevious, w.BNext, w.BLast})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
}

TEST(StandardPreview, PreviewWithoutHookShowsItAndEscapeCloses)
{
    TRpPrinter store;
    installReportWindowing(store);
    makePages(store, 2);
    store.SetCurrentPage(2);
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *w = qobject_cast<TRpStandardPreview *>(QApplication::activeModalWidget());
        if (!w)
            return;
        shown = w->EPage->text();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    store.Preview();
    EXPECT_EQ(shown, "Page 1 of 2");
}

// The tool panel is 28 high; the page's text lies below it.
TEST(StandardPreview, ToolPanelIsTwentyEightHigh)
{
    TRpPrinter store;
    makePages(store, 3, false);
    store.PrinterAvailable = true;
    TRpStandardPreview w(store);
    w.setWindowState(Qt::WindowNoState);
    w.resize(900, 700);
    w.show();
    QCoreApplication::processEvents();
    const QWidget *panel = w.findChild<QWidget *>("ToolPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->height(), 28);
}

// Printing into a PDF file, read back with Ghostscript.
namespace {

QString ghostscript(const QStringList &args)
{
    ProgramOptions options;
    options.timeoutMs = 30000;
    return runProgram(QStringLiteral("gs"), QStringList{"-q", "-dNOPAUSE", "-dBATCH", "-dNOSAFER"} + args, options).out;
}

// The number of pages of a PDF file, as Ghostscript counts them.
QString pdfPageCount(const QString &pdf)
{
    return ghostscript({"-dNODISPLAY", "-c", QString("(%1) (r) file runpdfbegin pdfpagecount = quit").arg(pdf)}).trimmed();
}

} // namespace

TEST(PrintPdf, PagesAndVectorText)
{
    if (QStandardPaths::findExecutable("gs").isEmpty())
        GTEST_SKIP() << "Ghostscript is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    TRpPrinter store;
    store.setDevice(std::make_unique<PdfPrinter>(pdf));
    store.ShowProgress = false;
    makePages(store, 5, false);
    ASSERT_TRUE(store.PrinterAvailable);
    store.FromPage = 2;
    store.ToPage = 3;
    store.Print();
    const QString count = pdfPageCount(pdf);
    EXPECT_EQ(count, "2");
    const QString text = ghostscript({"-sDEVICE=txtwrite", "-sOutputFile=-", pdf}).simplified();
    EXPECT_TRUE(text.contains("Página 2")) << text.toStdString();
    EXPECT_TRUE(text.contains("Página 3"));
    EXPECT_FALSE(text.contains("Página 1"));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains("/FontFile")) << "the text is embedded as a font";
    EXPECT_FALSE(bytes.contains("/Subtype /Image")) << "no page is a bitmap";

    store.ToPage = 0;
    store.PagesPerSide = 2;
    store.Print();
    const QString sheets = pdfPageCount(pdf);
    EXPECT_EQ(sheets, "2");
}

namespace {

// Answers the next file dialog with a file name.
void answerFileDialog(const QString &name)
{
    QTimer::singleShot(0, [=] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Report files (*.RPP)"});
        dialog->selectFile(name);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, through QDialog
    });
}

// Notes the cursor while the store saves (its progress is shown only from inside SaveToFile).
class CursorWatch : public TRpProgress {
public:
    explicit CursorWatch(bool &hourglass) : hourglass_(hourglass) {}
    void Show() override
    {
        const QCursor *c = QApplication::overrideCursor();
        hourglass_ = c && c->shape() == Qt::WaitCursor;
    }

private:
    bool &hourglass_;
};

} // namespace

TEST(StandardPreview, SaveAndLoadCommands)
{
    QTemporaryDir dir;
    TRpPrinter store;
    makePages(store, 3);
    bool hourglass = false;
    store.progressFactory = [&] { return std::make_unique<CursorWatch>(hourglass); };
    TRpStandardPreview w(store);
    w.show();
    QTest::mouseClick(w.BLast, Qt::LeftButton);
    answerFileDialog(dir.filePath("relatorio")); // the default extension is added
    QTest::mouseClick(w.BSave, Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(dir.filePath("relatorio.RPP")));
    EXPECT_TRUE(hourglass);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    makePages(store, 5);
    w.Preview->SetPageNumber(4);
    answerFileDialog(dir.filePath("relatorio.RPP"));
    QTest::mouseClick(w.BLoad, Qt::LeftButton);
    EXPECT_EQ(store.PageCount, 3);
    EXPECT_EQ(store.CurrentPage, 1);
    EXPECT_EQ(w.Preview->PageNumber(), 1);
    EXPECT_EQ(w.EPage->text(), "Page 1 of 3");
    EXPECT_FALSE(w.BFirst->isEnabled());
    EXPECT_TRUE(w.BNext->isEnabled());
}

// A file of no pages, and a load that fails, leave a store without pages: the window says
// "Page 0 of 0" and offers no page to go to.
TEST(StandardPreview, AFileWithoutPagesOrAFailedLoadOffersNoPage)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("vazio.RPP");
    const QString damaged = dir.filePath("danificado.RPP");
    TRpPrinter store;
    store.ShowProgress = false;
    makePages(store, 3);
    store.SaveToFile(damaged);
    QFile::resize(damaged, 400);
    QFile file(empty);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(rpfile::encodeHeader(rpfile::Header{748, 1080, 96, 0, 0}));
    file.close();
    TRpStandardPreview w(store);
    w.show();
    auto expectNoPage = [&](const char *when) {
        EXPECT_EQ(store.PageCount, 0) << when;
        EXPECT_EQ(store.CurrentPage, 0) << when;
        EXPECT_EQ(w.EPage->text(), "Page 0 of 0") << when;
        for (QToolButton *b : {w.BFirst, w.BPrevious, w.BNext, w.BLast})
            EXPECT_FALSE(b->isEnabled()) << when << " " << b->objectName().toStdString();
    };
    QTest::mouseClick(w.BNext, Qt::LeftButton);
    ASSERT_EQ(w.EPage->text(), "Page 2 of 3");
    answerFileDialog(empty);
    QTest::mouseClick(w.BLoad, Qt::LeftButton);
    EXPECT_EQ(store.Status(), TRpPrinter::psReady);
    expectNoPage("a file of no pages");

    makePages(store, 3);
    w.Preview->SetPageNumber(2);
    w.UpdatePage();
    answerFileDialog(damaged);
    EXPECT_THROW(w.LoadClick(), TRpError); // the program's error box shows it
    EXPECT_EQ(store.Status(), TRpPrinter::psIdle);
    expectNoPage("a failed load");
}

TEST(StandardPreview, PrintButtonPrintsAndIsEnabledAgain)
{
    if (QStandardPaths::findExecutable("gs").isEmpty())
        GTEST_SKIP() << "Ghostscript is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    TRpPrinter store;
    store.setDevice(std::make_unique<PdfPrinter>(pdf));
    store.ShowProgress = false;
    makePages(store, 3, false);
    TRpStandardPreview w(store);
    w.show();
    ASSERT_TRUE(w.BPrint->isEnabled());
    QTest::mouseClick(w.BPrint, Qt::LeftButton);
    EXPECT_TRUE(w.BPrint->isEnabled());
    const QString count = pdfPageCount(pdf);
    EXPECT_EQ(count, "3");
}

// The progress window of printing and saving: its text, and its Cancel pressed between pages.
TEST(ProgressWindow, CancelBetweenPagesOfPrintAndSave)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    TRpPrinter &store = RpPrinter();
    installReportWindowing(store);
    store.setDevice(std::make_unique<PdfPrinter>(pdf));
    store.ShowProgress = true;
    makePages(store, 40, false);
    store.SetCurrentPage(7);
    QStringList texts;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *form = qobject_cast<TRpProgressForm *>(w);
            if (form && form->isVisible() && form->ProgressBar1->value() >= 3) {
                texts << form->Label1->text();
                QTest::mouseClick(form->CancelBtn, Qt::LeftButton);
                watch.stop();
            }
        }
    });
    watch.start();
    store.Print();
    EXPECT_TRUE(store.Cancelled);
    EXPECT_FALSE(QFile::exists(pdf)) << "the cancelled job leaves no document";
    EXPECT_EQ(store.CurrentPage, 7);

    const QString saved = dir.filePath("r.RPP");
    watch.start();
    store.SaveToFile(saved);
    EXPECT_TRUE(store.Cancelled);
    EXPECT_FALSE(QFile::exists(saved));
    EXPECT_EQ(texts, QStringList({"Printing report ", "Saving report"}));
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TRpProgressForm *>(w), nullptr) << "the progress window is freed";
    store.DiscardPages();
    store.setDevice(nullptr);
    store.progressFactory = nullptr;
    store.standardPreview = nullptr;
}
