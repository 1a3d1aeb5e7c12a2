// The progress window: its layout and its Cancel button.
#include "MemoryDataSet.h"
#include "RpControls.h"
#include "RpProgressForm.h"
#include "RpReport.h"
#include "RpPrinter.h"
#include "RpSystemPrinter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

TEST(ProgressForm, LayoutAndCancel)
{
    TRpProgressForm form(RpPrinter());
    EXPECT_EQ(form.size(), QSize(400, 140));
    EXPECT_EQ(form.windowTitle(), "Report Engine version 1.0");
    EXPECT_EQ(form.ProgressBar1->geometry(), QRect(20, 40, 360, 20));
    EXPECT_EQ(form.CancelBtn->geometry(), QRect(170, 75, 60, 26));
    EXPECT_EQ(form.CancelBtn->text(), "Cancel");
    EXPECT_EQ(form.Label1->pos(), QPoint(20, 10));
    form.Show();
    form.SetText("Preparing report Relação");
    EXPECT_EQ(form.Label1->text(), "Preparing report Relação");
    form.SetMax(200);
    form.Update(30);
    EXPECT_EQ(form.ProgressBar1->value(), 30);
    form.Update(35); // 35 div 10 = 3: no step beyond the last
    EXPECT_EQ(form.ProgressBar1->value(), 30);

    for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return)}) {
        RpPrinter().Cancelled = false;
        QTest::keyClick(&form, Qt::Key(key));
        EXPECT_TRUE(RpPrinter().Cancelled) << key;
    }
    RpPrinter().Cancelled = false;
}

TEST(ProgressForm, InstalledIntoThePageStore)
{
    TRpPrinter store;
    installReportWindowing(store);
    auto progress = store.createProgress();
    EXPECT_NE(dynamic_cast<TRpProgressForm *>(progress.get()), nullptr);
}

TEST(ProgressForm, CancelDuringGenerationStopsTheReport)
{
    installReportWindowing(RpPrinter());
    TRpForm form;
    QStringList names;
    for (int i = 0; i < 5000; ++i)
        names << QString::number(i);
    auto *ds = namesDataSet(names, &form);
    auto *report = form.create<TRpReport>();
    report->setDataSource(ds);
    report->ReportTitle = "Músicas";
    auto *detail = form.create<TRpBand>();
    detail->BandType = rbDetail;
    detail->Height = 10;
    int details = 0;
    QString caption, text;
    report->AfterDetail = [&](TRpReport *r) {
        if (++details == 1) {
            auto *window = static_cast<TRpProgressForm *>(r->run()->progress());
            caption = window->windowTitle();
            text = window->Label1->text();
            EXPECT_TRUE(window->isVisible());
            // The click arrives through the event loop, while the report runs.
            QTimer::singleShot(0, window->CancelBtn, &QPushButton::click);
        }
    };
    bool previewed = false;
    RpPrinter().OnPreview = [&] { previewed = true; };
    report->Preview(RpPrinter());
    RpPrinter().OnPreview = nullptr;
    EXPECT_EQ(caption, "Report Engine version 1.0");
    EXPECT_EQ(text, "Preparing report Músicas");
    EXPECT_LT(details, 5);
    EXPECT_FALSE(previewed);
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle);
    RpPrinter().progressFactory = nullptr;
    RpPrinter().setDevice(nullptr);
}

// A report that does not ask for its record count (SQLCompatible) has a bar without maximum:
// it stands still and empty, not Qt's full, animated busy bar.
TEST(ProgressForm, WithoutAMaximumTheBarStandsStill)
{
    installReportWindowing(RpPrinter());
    TRpForm form;
    auto *ds = namesDataSet({"a", "b", "c"}, &form);
    auto *report = form.create<TRpReport>();
    report->setDataSource(ds);
    report->SQLCompatible = true;
    auto *detail = form.create<TRpBand>();
    detail->BandType = rbDetail;
    detail->Height = 10;
    QList<QList<int>> bars; // minimum, maximum, value after each record
    report->AfterDetail = [&](TRpReport *r) {
        auto *window = static_cast<TRpProgressForm *>(r->run()->progress());
        EXPECT_TRUE(window->isVisible());
        bars << QList<int>{window->ProgressBar1->minimum(), window->ProgressBar1->maximum(),
                           window->ProgressBar1->value()};
    };
    RpPrinter().OnPreview = [] {};
    report->Preview(RpPrinter());
    RpPrinter().OnPreview = nullptr;
    RpPrinter().progressFactory = nullptr;
    RpPrinter().setDevice(nullptr);
    ASSERT_EQ(bars.size(), 3);
    for (const QList<int> &bar : bars)
        EXPECT_EQ(bar, QList<int>({0, 1, 0}));
}
