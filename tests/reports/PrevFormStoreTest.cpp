// The preview window shows and pages the store it is given; the program's store, which the
// report holders generate into, stays as it was.
#include "Demopre.h"
#include "RpPreview.h"
#include "RpPrinter.h"
#include "UpDown.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

TEST(PreviewWindowOfAStore, ShowsAndPagesItsOwnStore)
{
    TRpPrinter store;
    store.BeginDoc();
    store.NewPage();
    store.NewPage();
    store.EndDoc();
    const int programPages = RpPrinter().PageCount, programPage = RpPrinter().CurrentPage;

    TPrevForm window(store);
    EXPECT_EQ(&window.RpPreview1->store(), &store);
    window.show();
    EXPECT_EQ(window.UpDown1->Min(), 1);
    EXPECT_EQ(window.UpDown1->Max(), 3);
    window.UpDown1->click(TUpDown::btNext);
    EXPECT_EQ(window.Edit1->text(), "2");
    EXPECT_EQ(window.RpPreview1->PageNumber(), 2);
    EXPECT_EQ(store.CurrentPage, 2);
    EXPECT_EQ(RpPrinter().PageCount, programPages);
    EXPECT_EQ(RpPrinter().CurrentPage, programPage);
    window.BitBtn2->click();
    EXPECT_TRUE(window.isHidden());
}
