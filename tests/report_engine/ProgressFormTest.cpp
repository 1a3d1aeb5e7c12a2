// The progress window: its layout and its Cancel button.
#include "RpProgressForm.h"
#include "RpPrinter.h"
#include "RpSystemPrinter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

TEST(ProgressForm, LayoutAndCancel)
{
    TRpProgressForm form("Report Engine version 1.0");
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

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
