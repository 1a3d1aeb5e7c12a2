// The progress window's Cancel stops the work of the store whose progress it shows: a
// generation, a print, a save or a load of a store other than the program's, which stays as
// it was.
#include "ImagePrinter.h"
#include "MemoryDataSet.h"
#include "RpPrinter.h"
#include "RpProgressForm.h"
#include "RpReport.h"
#include "RpSystemPrinter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Presses Cancel on the first progress window that shows, as a user would; only while it lives.
class CancelWhenShown {
public:
    CancelWhenShown()
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *window = qobject_cast<TRpProgressForm *>(w);
                if (window && window->isVisible()) {
                    timer_.stop();
                    ++presses;
                    window->CancelBtn->click();
                    return;
                }
            }
        });
        timer_.start();
    }
    int presses = 0;

private:
    QTimer timer_;
};

class ProgressOfAStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        RpPrinter().Cancelled = false;
        installReportWindowing(store);
        store.ProgressCaption = QStringLiteral("Relatórios da coleção");
    }
    void TearDown() override
    {
        EXPECT_FALSE(RpPrinter().Cancelled) << "the program's store was cancelled";
    }

    // The store ready with that many pages, each carrying its number.
    void readyWith(int pages)
    {
        store.setDevice(std::make_unique<ImagePrinter>(printout, 1));
        store.BeginDoc();
        for (int i = 1; i <= pages; ++i) {
            if (i > 1)
                store.NewPage();
            store.Canvas()->drawText(40, 40, QString::number(i), metafile::TextAlign::Left, nullptr, false, QColor());
        }
        store.EndDoc();
    }

    TRpPrinter store;
    Printout printout;
};

} // namespace

TEST_F(ProgressOfAStore, WindowNamedAfterItsStoreCancelsItByButtonAndKeys)
{
    TRpProgressForm window(store);
    EXPECT_EQ(window.windowTitle(), "Relatórios da coleção");
    window.Show();
    window.CancelBtn->click();
    EXPECT_TRUE(store.Cancelled);
    for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return)}) {
        store.Cancelled = false;
        QTest::keyClick(&window, Qt::Key(key));
        EXPECT_TRUE(store.Cancelled) << key;
    }
}

TEST_F(ProgressOfAStore, CancelStopsAGeneration)
{
    store.setDevice(nullptr);
    TRpForm form;
    QStringList names;
    for (int i = 0; i < 5000; ++i)
        names << QString::number(i);
    auto *report = form.create<TRpReport>();
    report->setDataSource(namesDataSet(names, &form));
    auto *detail = form.create<TRpBand>();
    detail->BandType = rbDetail;
    detail->Height = 10;
    int details = 0;
    report->AfterDetail = [&](TRpReport *) { ++details; };
    bool previewed = false;
    store.OnPreview = [&] { previewed = true; };

    CancelWhenShown user;
    report->Preview(store);
    EXPECT_EQ(user.presses, 1);
    EXPECT_LT(details, 5);
    EXPECT_FALSE(previewed);
    EXPECT_TRUE(store.Cancelled);
    EXPECT_EQ(store.Status(), TRpPrinter::psIdle);
}

TEST_F(ProgressOfAStore, CancelStopsAPrint)
{
    readyWith(30);
    store.PrinterAvailable = true; // the sheet printer prints on the no-printer page
    CancelWhenShown user;
    store.Print();
    EXPECT_EQ(user.presses, 1);
    EXPECT_TRUE(printout.aborted);
    EXPECT_FALSE(printout.ended);
    EXPECT_LT(printout.sheets, 30);
    EXPECT_EQ(store.Status(), TRpPrinter::psReady);
}

TEST_F(ProgressOfAStore, CancelStopsASaveAndALoad)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath("relatorio.rp");
    readyWith(30);
    {
        CancelWhenShown user;
        store.SaveToFile(name);
        EXPECT_EQ(user.presses, 1);
    }
    EXPECT_FALSE(QFile::exists(name)) << "a cancelled save leaves no file";

    store.SaveToFile(name); // nobody cancels
    ASSERT_TRUE(QFile::exists(name));
    store.DiscardPages();
    {
        CancelWhenShown user;
        store.LoadFromFile(name);
        EXPECT_EQ(user.presses, 1);
    }
    EXPECT_EQ(store.Status(), TRpPrinter::psIdle);
    EXPECT_EQ(store.PageCount, 0);
}
