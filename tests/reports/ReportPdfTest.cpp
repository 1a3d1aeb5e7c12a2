// Reports as PDF files, read back with the poppler tools: one PDF page per stored page, the
// sheet's size, every line of every page with the texts the preview shows, placed where the
// preview places them; and the preview window's print button, which offers a PDF file when
// no printer is installed.
#include "Demopre.h"
#include "PdfReader.h"
#include "R_CD.h"
#include "R_Retirad.h"
#include "R_musica.h"
#include "ReportPdf.h"
#include "ReportWindows.h"
#include "ReportsFixture.h"
#include "RpPreview.h"
#include "UpDown.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QToolButton>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace {

// Answers the next modal file dialog: with a file name, or with Cancel when name is empty.
void answerFileDialog(const QString &name, QString *caption, QStringList *filters)
{
    QTimer::singleShot(0, [=] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no file dialog";
        *caption = dialog->windowTitle();
        *filters = dialog->nameFilters();
        if (name.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(name);
        static_cast<QDialog *>(dialog)->accept();
    });
}

struct Word {
    QRectF box;
    QString text;
};

// The words of one PDF page with their boxes in points (pdftotext -bbox).
QVector<Word> pdfWords(const QString &file, int page)
{
    QString error;
    const QString html = pdfread::run(QStringLiteral(PDFTOTEXT),
                                      {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                       QStringLiteral("-l"), QString::number(page), file, QStringLiteral("-")},
                                      &error);
    QVector<Word> words;
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                      m.captured(5)});
    }
    return words;
}

} // namespace

class ReportPdf : public ReportsFixture {
protected:
    void SetUp() override
    {
        ReportsFixture::SetUp();
        ASSERT_TRUE(out.isValid());
    }
    void TearDown() override
    {
        RpPrinter().setDevice(nullptr);
        ReportsFixture::TearDown();
    }
    void addCDs(int n)
    {
        for (int i = 1; i <= n; ++i)
            addCD(QStringLiteral("Artista %1").arg(i, 3, 10, QChar('0')), QStringLiteral("Título %1").arg(i),
                  QStringLiteral("0%1/03/24").arg(1 + i % 9), QStringLiteral("Rock"), i % 4 ? "N" : "S",
                  QStringLiteral("%1").arg(i, 3, 10, QChar('0')));
        tables::commitAll();
    }
    // Previews form, writing its pages to a PDF file from inside the preview, and keeps the
    // decoded pages.
    QString writePdf(TReportForm &form)
    {
        const QString file = out.filePath(form.Name + QStringLiteral(".pdf"));
        RpPrinter().OnPreview = [&] {
            pages.clear();
            for (const QByteArray &page : RpPrinter().Pages())
                pages.append(pagerecords::decode(page));
            SavePagesAsPdf(RpPrinter(), file, form.Caption);
        };
        form.Preview();
        return file;
    }
    QTemporaryDir out;
};

TEST_F(ReportPdf, EveryReportPageForPageAndLineForLine)
{
    addCDs(70);
    for (int i = 1; i <= 35; ++i)
        addCheckout(QStringLiteral("Artista %1").arg(i * 2, 3, 10, QChar('0')), QStringLiteral("Título %1").arg(i * 2),
                    "01/12/26", QStringLiteral("Leitor %1").arg(i), "555-0100", "15/12/26");
    for (int i = 1; i <= 130; ++i)
        addSong(QStringLiteral("Artista %1").arg(1 + i / 3, 3, 10, QChar('0')), QStringLiteral("Título %1").arg(1 + i / 3),
                QStringLiteral("Canção número %1").arg(i));
    tables::commitAll();
    TR_CDForm cdForm(dataModule);
    TR_RetiradaForm checkoutForm(dataModule);
    TR_musicaform songForm;
    for (TReportForm *form : std::initializer_list<TReportForm *>{&cdForm, &checkoutForm, &songForm}) {
        SCOPED_TRACE(form->Caption.toStdString());
        const pdfread::Document pdf = pdfread::read(writePdf(*form));
        ASSERT_EQ(pdf.error, "");
        ASSERT_GT(pages.size(), 1);
        EXPECT_EQ(pdf.pages, pages.size());
        // The sheet of the no-printer page, 785 × 1134 page units, in points.
        EXPECT_NEAR(pdf.pageSize.width(), 785 * 0.75, 0.5);
        EXPECT_NEAR(pdf.pageSize.height(), 1134 * 0.75, 0.5);
        ASSERT_EQ(pdf.lines.size(), pages.size());
        for (int p = 0; p < pages.size(); ++p) {
            SCOPED_TRACE(p + 1);
            EXPECT_EQ(pdf.lines[p], pdfread::lines(pages[p])) << pdf.lines[p].join('|').toStdString();
        }
        EXPECT_EQ(pdf.lines[0].value(0).left(form->Caption.size()), form->Caption);
    }
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle);
}

TEST_F(ReportPdf, TextsStandWhereThePreviewPutsThem)
{
    addCDs(70);
    TR_CDForm form(dataModule);
    const QString file = writePdf(form);
    const TRpPrinter &store = RpPrinter();
    // At zoom 100 the preview stretches the drawing from the offset, one pixel in, to the
    // printable area's far edge.
    const double left = store.OffsetX + 1, top = store.OffsetY + 1;
    const double sx = (store.PageWidth - left) / store.PageWidth, sy = (store.PageHeight - top) / store.PageHeight;
    for (int p : {1, int(pages.size())}) {
        SCOPED_TRACE(p);
        const QVector<Word> words = pdfWords(file, p);
        ASSERT_FALSE(words.isEmpty());
        // The first and the last text of the page: the first word of each.
        for (const pagerecords::Text *t : {&pages[p - 1].texts.first(), &pages[p - 1].texts.last()}) {
            const QString first = t->text.split(' ', Qt::SkipEmptyParts).value(0);
            SCOPED_TRACE(first.toStdString());
            // Of the words of that text standing at its left edge, the one nearest its line.
            const double x = (left + t->box.left() * sx) * 0.75, y = (top + t->box.top() * sy) * 0.75;
            const Word *w = nullptr;
            for (const Word &candidate : words)
                if (candidate.text == first && std::abs(candidate.box.left() - x) < 1.5
                    && (!w || std::abs(candidate.box.top() - y) < std::abs(w->box.top() - y)))
                    w = &candidate;
            ASSERT_NE(w, nullptr);
            EXPECT_GE(w->box.top(), (top + t->box.top() * sy) * 0.75 - 0.5);
            EXPECT_LE(w->box.bottom(), (top + (t->box.bottom() + 1) * sy) * 0.75 + 1.0);
        }
    }
}

TEST_F(ReportPdf, AFileThatCannotBeWrittenIsAnError)
{
    addCDs(1);
    TR_CDForm form(dataModule);
    QString message;
    RpPrinter().OnPreview = [&] {
        try {
            SavePagesAsPdf(RpPrinter(), out.filePath("nenhuma/pasta.pdf"));
        } catch (const TRpError &e) {
            message = e.message();
        }
    };
    form.Preview();
    EXPECT_TRUE(message.startsWith("Não foi possível criar o arquivo " + out.filePath("nenhuma/pasta.pdf") + ": "))
        << message.toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath("nenhuma/pasta.pdf")));
    // Without pages there is nothing to write.
    try {
        SavePagesAsPdf(RpPrinter(), out.filePath("vazio.pdf"));
        ADD_FAILURE() << "an idle store wrote a file";
    } catch (const TRpError &e) {
        EXPECT_EQ(e.message(), "Não há páginas de relatório para gravar em " + out.filePath("vazio.pdf"));
    }
}

class PrintWithoutPrinter : public ReportPdf {
protected:
    void SetUp() override
    {
        ReportPdf::SetUp();
        createReportHolders();
    }
    void TearDown() override
    {
        destroyReportHolders();
        ReportPdf::TearDown();
    }
};

TEST_F(PrintWithoutPrinter, ThePrintButtonSavesThePagesAsAPdfFile)
{
    addCDs(70);
    const QString file = out.filePath("relatorio de cds");
    QString caption;
    QStringList filters;
    int pageCount = 0;
    whileShown([&] {
        ASSERT_FALSE(RpPrinter().PrinterAvailable);
        pageCount = RpPrinter().PageCount;
        QTest::mouseClick(PrevForm->UpDown1->upButton(), Qt::LeftButton);
        QTest::keyClick(PrevForm->SpinEdit2, Qt::Key_Up);
        answerFileDialog(file, &caption, &filters);
        QTest::mouseClick(PrevForm->BitBtn1, Qt::LeftButton);
        // The preview stays open where it was.
        EXPECT_TRUE(PrevForm->isVisible());
        EXPECT_EQ(PrevForm->RpPreview1->PageNumber(), 2);
        EXPECT_EQ(RpPrinter().CurrentPage, 2);
        EXPECT_EQ(PrevForm->Edit1->text(), "2");
        EXPECT_EQ(PrevForm->RpPreview1->Zoom(), 110);
    });
    R_CDForm->Preview();
    EXPECT_EQ(caption, "Não há impressora instalada: gravar o relatório em PDF");
    EXPECT_EQ(filters, QStringList{"Arquivos PDF (*.pdf)"});
    const pdfread::Document pdf = pdfread::read(file + ".pdf"); // the default extension is added
    ASSERT_EQ(pdf.error, "");
    EXPECT_EQ(pdf.pages, 3);
    EXPECT_EQ(pdf.pages, pageCount);
    EXPECT_EQ(pdf.lines.value(1).value(2), "Artista 034 Título 34 08/03/24 Rock 034 N") << pdf.lines.value(1).join('|').toStdString();
}

TEST_F(PrintWithoutPrinter, CancellingTheDialogWritesNothing)
{
    addCDs(3);
    QString caption;
    QStringList filters;
    whileShown([&] {
        answerFileDialog(QString(), &caption, &filters);
        PrevForm->BitBtn1->click();
        EXPECT_TRUE(PrevForm->isVisible());
    });
    R_CDForm->Preview();
    EXPECT_EQ(caption, "Não há impressora instalada: gravar o relatório em PDF");
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
}
