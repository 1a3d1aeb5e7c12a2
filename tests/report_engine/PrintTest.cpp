// Printing the pages in range, one or N × N to a sheet, through a job that paints each sheet
// onto an image (96 per inch, the printable area 748 × 1080 of the no-printer page).
#include "ImagePrinter.h"
#include "StorePages.h"
#include "StoreProgress.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

class PrintToImages : public ::testing::Test {
protected:
    void SetUp() override
    {
        store.setDevice(std::make_unique<ImagePrinter>(printout));
        store.ShowProgress = false;
    }
    // Which page's colour a sheet shows at (x, y); 0 for white paper.
    int pageAt(int sheet, int x, int y) const
    {
        const QRgb c = printout.image.pixel(x, y + ImagePrinter::SheetHeight * sheet);
        if (c == qRgb(255, 255, 255))
            return 0;
        for (int i = 1; i <= 16; ++i)
            if (c == pageColor(i).rgb())
                return i;
        return -1;
    }
    void ready(int pages)
    {
        makePages(store, pages);
        store.PrinterAvailable = true; // the image printer prints on the no-printer page
    }
    Printout printout;
    TRpPrinter store;
};

} // namespace

using PrintRanges = PrintToImages;
using PagesPerSheet = PrintToImages;
using PrintJobs = PrintToImages;

TEST_F(PrintRanges, PageRangesOnePerSheet)
{
    struct Case {
        int from, to;
        QList<int> printed;
    };
    const Case cases[] = {
        {2, 3, {2, 3}},
        {0, 0, {1, 2, 3, 4, 5}},
        {4, 0, {1, 2, 3, 4, 5}}, // ToPage 0: every page, whatever FromPage holds
        {5, 9, {5}},
    };
    for (const Case &c : cases) {
        ready(5);
        store.SetCurrentPage(4);
        store.FromPage = c.from;
        store.ToPage = c.to;
        printout.sheets = 0;
        store.Print();
        QList<int> printed;
        for (int s = 0; s < printout.sheets; ++s)
            printed.append(pageAt(s, 374, 540));
        EXPECT_EQ(printed, c.printed) << c.from << c.to;
        EXPECT_TRUE(printout.ended);
        EXPECT_EQ(store.CurrentPage, 4) << "the current page is restored";
    }
}

// A range that holds no page begins no job (a printer would get a blank sheet) and says so.
TEST_F(PrintRanges, ARangeWithoutPagesPrintsNothingAndSaysSo)
{
    struct Case {
        int from, to, perSide;
        const char *message;
    };
    const Case cases[] = {
        {3, 1, 1, "Nenhuma página de 3 a 1: o relatório tem 5 páginas"},
        {99, 99, 1, "Nenhuma página de 99 a 99: o relatório tem 5 páginas"},
        {6, 8, 2, "Nenhuma página de 6 a 8: o relatório tem 5 páginas"},
    };
    for (const Case &c : cases) {
        ready(5);
        store.SetCurrentPage(4);
        store.FromPage = c.from;
        store.ToPage = c.to;
        store.PagesPerSide = c.perSide;
        try {
            store.Print();
            ADD_FAILURE() << c.from << "-" << c.to << ": printed";
        } catch (const TRpError &e) {
            EXPECT_EQ(e.message(), c.message);
        }
        EXPECT_TRUE(printout.titles.isEmpty()) << c.from << "-" << c.to << ": a job was begun";
        EXPECT_EQ(store.CurrentPage, 4);
    }
}

TEST_F(PagesPerSheet, FourPagesToASheetAtNinetyFivePercentOfEachCell)
{
    ready(5);
    store.PagesPerSide = 2;
    store.Print();
    ASSERT_EQ(printout.sheets, 2);
    // Cells of 374 × 540, each page drawn 355 × 513 at the cell's top left.
    struct Probe {
        int sheet, x, y, page;
    };
    const Probe probes[] = {
        {0, 1, 1, 1}, {0, 354, 512, 1}, {0, 356, 10, 0}, {0, 10, 514, 0},
        {0, 375, 1, 2}, {0, 728, 512, 2}, {0, 730, 10, 0},
        {0, 1, 541, 3}, {0, 354, 1052, 3}, {0, 10, 1054, 0},
        {0, 375, 541, 4}, {0, 728, 1052, 4},
        {1, 1, 1, 5}, {1, 375, 1, 0}, {1, 1, 541, 0},
    };
    for (const Probe &p : probes)
        EXPECT_EQ(pageAt(p.sheet, p.x, p.y), p.page) << p.sheet << " " << p.x << "," << p.y;
}

TEST_F(PagesPerSheet, RangeOnASheetOfNine)
{
    ready(12);
    store.PagesPerSide = 3;
    store.FromPage = 3;
    store.ToPage = 11; // nine pages: exactly one sheet, no new page after the last
    store.Print();
    ASSERT_EQ(printout.sheets, 1);
    EXPECT_EQ(pageAt(0, 1, 1), 3);
    EXPECT_EQ(pageAt(0, 250, 360 + 1), 7);
    EXPECT_EQ(pageAt(0, 500, 720 + 1), 11);
}

TEST_F(PrintJobs, CancelAbortsTheJob)
{
    for (int perSide : {1, 2}) {
        ready(8);
        store.PagesPerSide = perSide;
        store.SetCurrentPage(2);
        store.progressFactory = [this] { return std::make_unique<CancellingProgress>(store, 3); };
        printout.sheets = 0;
        store.Print();
        EXPECT_TRUE(printout.aborted) << perSide;
        EXPECT_FALSE(printout.ended) << perSide;
        EXPECT_EQ(store.CurrentPage, 2);
        // Page 3 is drawn (Cancel is pressed while it prints); page 4 is not.
        if (perSide == 1) {
            EXPECT_EQ(printout.sheets, 3);
        } else {
            EXPECT_EQ(pageAt(0, 375, 541), 0);
        }
    }
}

TEST_F(PrintJobs, NothingWithoutPrinterOrPages)
{
    makePages(store, 2); // no printer installed: PrinterAvailable is false
    EXPECT_FALSE(store.PrinterAvailable);
    store.Print();
    EXPECT_TRUE(printout.titles.isEmpty());
    store.DiscardPages();
    store.PrinterAvailable = true;
    store.Print(); // idle
    EXPECT_TRUE(printout.titles.isEmpty());
}

TEST_F(PrintJobs, JobTitleAndProgressText)
{
    ready(3);
    store.Title = "Relação de CDs";
    QString text;
    int maximum = 0;
    class Watch : public TRpProgress {
    public:
        Watch(QString &t, int &m) : t_(t), m_(m) {}
        void SetText(const QString &t) override { t_ = t; }
        void showMaximum(int n) override { m_ = n; }
        QString &t_;
        int &m_;
    };
    store.progressFactory = [&] { return std::make_unique<Watch>(text, maximum); };
    store.Print();
    EXPECT_EQ(printout.titles, QStringList{"Relação de CDs"});
    EXPECT_EQ(text, "Printing report Relação de CDs");
    EXPECT_EQ(maximum, 3);
}
