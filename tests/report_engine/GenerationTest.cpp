// Generation: where bands land on which page, in what order, and what the events see.
#include "ReportFixture.h"

namespace {

QStringList numbered(int n)
{
    QStringList s;
    for (int i = 1; i <= n; ++i)
        s << QStringLiteral("r%1").arg(i);
    return s;
}

} // namespace

// Each suite is one behaviour of generation, tried on reports built in code.
using PageMeasurement = ReportFixture;
using PageBreaks = ReportFixture;
using BandOrder = ReportFixture;
using Columns = ReportFixture;
using RecordSupply = ReportFixture;
using GroupBreaks = ReportFixture;
using BandHeights = ReportFixture;
using CalcTotals = ReportFixture;
using StoreOfARun = ReportFixture;
using CancelAndProgress = ReportFixture;

TEST_F(PageMeasurement, FallbackPageOfTheNoPrinterCase)
{
    RpPrinter().MeasurePage();
    EXPECT_EQ(RpPrinter().PageHeight, 1080);
    EXPECT_EQ(RpPrinter().PageWidth, 748);
    EXPECT_EQ(RpPrinter().PhysicalHeight, 1134);
    EXPECT_EQ(RpPrinter().PhysicalWidth, 785);
    EXPECT_EQ(RpPrinter().OffsetX, 5);
    EXPECT_EQ(RpPrinter().OffsetY, 5);
    EXPECT_FALSE(RpPrinter().PrinterAvailable);
}

TEST_F(PageBreaks, DetailsStackBelowThePageHeaderAndTheFirstThatReachesThePageEndStartsPageTwo)
{
    auto *ds = namesDataSet(numbered(40), &form);
    report->setDataSource(ds);
    label(band(rbPageHeader, 65), "Cabeçalho");
    field(band(rbDetail, 30), ds, "Nome");
    preview();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(report->run()->PageCount, 2);
    EXPECT_EQ(where("Cabeçalho"), QStringList({"p1:0", "p2:0"}));
    EXPECT_EQ(where("r1"), QStringList({"p1:65"}));
    EXPECT_EQ(where("r2"), QStringList({"p1:95"}));
    // 1025 + 30 < 1080: the 33rd fits; the 34th would end at 1085.
    EXPECT_EQ(where("r33"), QStringList({"p1:1025"}));
    EXPECT_EQ(where("r34"), QStringList({"p2:65"}));
    EXPECT_EQ(where("r40"), QStringList({"p2:245"}));
    // The store was discarded after the preview.
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle);
    EXPECT_EQ(previews, 1);
}

// A report given a page store of its own generates into that store and previews through its
// hook; the program's store stays idle and its hook sees nothing.
TEST_F(StoreOfARun, AReportDrawsIntoThePageStoreItIsGiven)
{
    auto *ds = namesDataSet(numbered(40), &form);
    report->setDataSource(ds);
    label(band(rbPageHeader, 65), "Cabeçalho");
    field(band(rbDetail, 30), ds, "Nome");
    TRpPrinter store;
    report->Prepare(store);
    EXPECT_EQ(store.Status(), TRpPrinter::psReady);
    ASSERT_EQ(store.Pages().size(), 2);
    EXPECT_EQ(pagerecords::decode(store.Pages()[1]).strings().mid(0, 2), QStringList({"Cabeçalho", "r34"}));
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle);
    EXPECT_TRUE(RpPrinter().Pages().isEmpty());

    TRpPrinter other;
    int shown = 0;
    other.OnPreview = [&] { shown = int(other.Pages().size()); };
    report->Preview(other);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(other.Status(), TRpPrinter::psIdle);
    EXPECT_EQ(previews, 0);
}

TEST_F(PageBreaks, ABandEndingExactlyAtTheFooterGoesToTheNextPage)
{
    auto *ds = namesDataSet(numbered(20), &form);
    report->setDataSource(ds);
    band(rbPageHeader, 65);
    field(band(rbDetail, 50), ds, "Nome");
    label(band(rbPageFooter, 15), "Rodapé");
    preview();
    ASSERT_EQ(pages.size(), 2);
    // The 20th would end at 65 + 20 × 50 = 1065 = 1080 - 15.
    EXPECT_EQ(where("r19"), QStringList({"p1:965"}));
    EXPECT_EQ(where("r20"), QStringList({"p2:65"}));
    EXPECT_EQ(where("Rodapé"), QStringList({"p1:1065", "p2:1065"}));
}

TEST_F(BandOrder, TitleBeforeOrAfterThePageHeaderOnThFirstPageOnly)
{
    auto *ds = namesDataSet(numbered(40), &form);
    report->setDataSource(ds);
    label(band(rbTitle, 20), "Título");
    label(band(rbPageHeader, 65), "Cabeçalho");
    field(band(rbDetail, 30), ds, "Nome");
    struct Case {
        bool titleBeforeHeader;
        QStringList title, header, first;
    } cases[] = {
        {false, {"p1:65"}, {"p1:0", "p2:0"}, {"p1:85"}},
        {true, {"p1:0"}, {"p1:20", "p2:0"}, {"p1:85"}},
    };
    for (const Case &c : cases) {
        report->TitleBeforeHeader = c.titleBeforeHeader;
        preview();
        EXPECT_EQ(where("Título"), c.title) << c.titleBeforeHeader;
        EXPECT_EQ(where("Cabeçalho"), c.header) << c.titleBeforeHeader;
        EXPECT_EQ(where("r1"), c.first) << c.titleBeforeHeader;
    }
}

// A title that does not fit below the page header opens page 2 under that page's header: the
// band that starts a page stands at its top whatever its kind.
TEST_F(PageBreaks, ATitleTallerThanTheFirstPageOpensTheSecond)
{
    label(band(rbPageHeader, 65), "Cabeçalho");
    band(rbColumnHeader, 15);
    label(band(rbTitle, 1020), "Título"); // 65 + 1020 reaches past 1080
    preview();
    EXPECT_EQ(where("Cabeçalho").mid(0, 2), QStringList({"p1:0", "p2:0"}));
    EXPECT_EQ(where("Título"), QStringList({"p2:80"})); // below the column header
    EXPECT_TRUE(report->run()->bandsInOrder());
}

TEST_F(PageBreaks, ForceNewPageKeepsTheFirstDetailOfEachPage)
{
    auto *ds = namesDataSet(numbered(3), &form);
    report->setDataSource(ds);
    label(band(rbTitle, 20), "Título");
    auto *detail = band(rbDetail, 30);
    detail->ForceNewPage = true;
    field(detail, ds, "Nome");
    preview();
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(where("r1"), QStringList({"p1:20"}));
    EXPECT_EQ(where("r2"), QStringList({"p2:0"}));
    EXPECT_EQ(where("r3"), QStringList({"p3:0"}));
}

TEST_F(Columns, TwoColumnsFillLeftThenRightWithColumnHeaders)
{
    auto *ds = namesDataSet(numbered(70), &form);
    report->setDataSource(ds);
    report->setColumns(2);
    report->setColumnMarginInches(1); // 9.6 units: a gap of 10
    band(rbPageHeader, 65);
    label(band(rbColumnHeader, 20), "Coluna");
    field(band(rbDetail, 30), ds, "Nome");
    preview();
    // Each column holds (1080 - 85) / 30 rounded down to whole bands: 85 + 32 × 30 = 1045 < 1080.
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(report->run()->ColumnWidth, 369); // (748 - 10) / 2
    const auto *r1 = pages[0].find("r1");
    const auto *r33 = pages[0].find("r33");
    const auto *r34 = pages[0].find("r34");
    ASSERT_TRUE(r1 && r33 && r34);
    EXPECT_EQ(QPoint(r1->x, r1->y), QPoint(0, 85));
    EXPECT_EQ(QPoint(r33->x, r33->y), QPoint(0, 1045));
    EXPECT_EQ(QPoint(r34->x, r34->y), QPoint(379, 85)); // 369 + 10 to the right, at ColumnTop
    const auto *r67 = pages[1].find("r67");
    ASSERT_TRUE(r67);
    EXPECT_EQ(QPoint(r67->x, r67->y), QPoint(0, 85));
    QStringList headers;
    for (int p = 0; p < pages.size(); ++p)
        for (const auto &t : pages[p].texts)
            if (t.text == "Coluna")
                headers << QStringLiteral("p%1:%2,%3").arg(p + 1).arg(t.x).arg(t.y);
    EXPECT_EQ(headers, QStringList({"p1:0,65", "p1:379,65", "p2:0,65"}));
}

TEST_F(RecordSupply, DataPassesWithoutDataEmptyDataAndAFilterRejectingAll)
{
    label(band(rbTitle, 20), "Título");
    label(band(rbDetail, 30), "Detalhe");
    label(band(rbSummary, 20), "Resumo");
    label(band(rbPageFooter, 20), "Rodapé");

    // No data source and no OnNeedData: exactly one detail pass.
    preview();
    EXPECT_EQ(where("Detalhe"), QStringList({"p1:20"}));
    EXPECT_EQ(where("Resumo"), QStringList({"p1:50"}));

    // An open but empty data set: no detail; title, summary and footer still appear.
    auto *empty = namesDataSet({}, &form);
    report->setDataSource(empty);
    preview();
    EXPECT_EQ(texts(0), QStringList({"Título", "Resumo", "Rodapé"}));

    // A filter rejecting every record.
    report->setDataSource(namesDataSet(numbered(5), &form));
    int asked = 0;
    report->OnFilter = [&](TRpController *, bool &print) { ++asked; print = false; };
    preview();
    EXPECT_EQ(texts(0), QStringList({"Título", "Resumo", "Rodapé"}));
    EXPECT_GE(asked, 5);
}

TEST_F(RecordSupply, OnNeedDataSuppliesRecordsWithoutADataSet)
{
    int supplied = 0;
    report->OnNeedData = [&](TRpController *, bool &more) { more = supplied < 3; ++supplied; };
    auto *l = label(band(rbDetail, 30), "x");
    int n = 0;
    l->OnPrint = [&](TRpCustomControl *, QString &value) { value = QString::number(++n); };
    preview();
    EXPECT_EQ(texts(0), QStringList({"1", "2", "3"}));
}

TEST_F(GroupBreaks, GroupFootersShowTheLastRecordOfTheirGroup)
{
    auto *ds = new MemoryDataSet({{"Artista", TRpFieldKind::Text}, {"Titulo", TRpFieldKind::Text}},
                                 {{"A", "a1"}, {"A", "a2"}, {"A", "a3"}, {"B", "b1"}, {"B", "b2"}});
    ds->setParent(&form);
    report->setDataSource(ds);
    auto *group = form.create<TRpGroup>();
    group->setDataSource(ds);
    group->DataField = "Artista";
    auto *header = band(rbTitle, 20);
    field(header, ds, "Artista")->OnPrint = [](TRpCustomControl *, QString &v) { v = "H " + v; };
    auto *footer = band(rbTitle, 20);
    field(footer, ds, "Titulo")->OnPrint = [](TRpCustomControl *, QString &v) { v = "F " + v; };
    group->setHeaderBand(header);
    group->setFooterBand(footer);
    EXPECT_EQ(header->BandType, rbGroupHeader);
    EXPECT_EQ(footer->BandType, rbGroupFooter);
    field(band(rbDetail, 20), ds, "Titulo");
    preview();
    EXPECT_EQ(texts(0), QStringList({"H A", "a1", "a2", "a3", "F a3", "H B", "b1", "b2", "F b2"}));
    const auto *f = pages[0].find("F a3");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->y, 80);
}

// Whatever record an earlier run left current, the title, the break values and the first
// group header are read on the first record: a second preview shows what the first showed.
TEST_F(GroupBreaks, EveryPreviewStartsItsGroupsOnTheFirstRecord)
{
    auto *ds = new MemoryDataSet({{"Artista", TRpFieldKind::Text}, {"Titulo", TRpFieldKind::Text}},
                                 {{"A", "a1"}, {"A", "a2"}, {"B", "b1"}});
    ds->setParent(&form);
    report->setDataSource(ds);
    field(band(rbTitle, 20), ds, "Titulo")->OnPrint = [](TRpCustomControl *, QString &v) { v = "T " + v; };
    auto *group = form.create<TRpGroup>();
    group->setDataSource(ds);
    group->DataField = "Artista";
    auto *header = band(rbTitle, 20);
    field(header, ds, "Artista")->OnPrint = [](TRpCustomControl *, QString &v) { v = "H " + v; };
    auto *footer = band(rbTitle, 20);
    field(footer, ds, "Titulo")->OnPrint = [](TRpCustomControl *, QString &v) { v = "F " + v; };
    group->setHeaderBand(header);
    group->setFooterBand(footer);
    field(band(rbDetail, 20), ds, "Titulo");
    const QStringList expected{"T a1", "H A", "a1", "a2", "F a2", "H B", "b1", "F b1"};
    for (int run = 1; run <= 3; ++run) {
        if (run == 3) {
            ds->first();
            ds->next(); // another window left the cursor in the middle
        }
        preview();
        EXPECT_EQ(texts(0), expected) << "preview " << run;
    }
}

// The footers show the last record that was printed, never one the filter rejected: at a
// break in the middle of the data and at its end.
TEST_F(GroupBreaks, GroupFootersSkipRecordsTheFilterRejected)
{
    auto *ds = new MemoryDataSet({{"Artista", TRpFieldKind::Text}, {"Titulo", TRpFieldKind::Text}},
                                 {{"A", "a1"}, {"A", "a2-"}, {"A", "a3-"}, {"B", "b1"}, {"B", "b2"},
                                  {"B", "b3-"}, {"B", "b4-"}});
    ds->setParent(&form);
    report->setDataSource(ds);
    const int titulo = ds->fieldIndex("Titulo");
    report->OnFilter = [&](TRpController *, bool &print) { print = !ds->displayText(titulo).endsWith('-'); };
    auto *group = form.create<TRpGroup>();
    group->setDataSource(ds);
    group->DataField = "Artista";
    auto *footer = band(rbTitle, 20);
    field(footer, ds, "Titulo")->OnPrint = [](TRpCustomControl *, QString &v) { v = "F " + v; };
    group->setFooterBand(footer);
    field(band(rbDetail, 20), ds, "Titulo");
    bool atEnd = false;
    report->AfterPrint = [&](TRpReport *) { atEnd = ds->eof(); };
    preview();
    EXPECT_EQ(texts(0), QStringList({"a1", "F a1", "b1", "b2", "F b2"}));
    EXPECT_TRUE(atEnd) << "the cursor is back at the end of the data";
}

TEST_F(GroupBreaks, AnOuterBreakClosesAndReopensTheInnerGroup)
{
    auto *ds = new MemoryDataSet({{"Estilo", TRpFieldKind::Text}, {"Artista", TRpFieldKind::Text}},
                                 {{"Rock", "X"}, {"Rock", "X"}, {"Jazz", "X"}});
    ds->setParent(&form);
    report->setDataSource(ds);
    auto makeGroup = [&](const QString &fieldName, const QString &tag) {
        auto *g = form.create<TRpGroup>();
        g->setDataSource(ds);
        g->DataField = fieldName;
        auto *h = band(rbTitle, 10);
        label(h, "H" + tag);
        auto *f = band(rbTitle, 10);
        label(f, "F" + tag);
        g->setHeaderBand(h);
        g->setFooterBand(f);
        return g;
    };
    TRpGroup *outer = makeGroup("Estilo", "0");
    TRpGroup *inner = makeGroup("Artista", "1");
    EXPECT_EQ(outer->Level, 0);
    EXPECT_EQ(inner->Level, 1);
    label(band(rbDetail, 10), "d");
    preview();
    EXPECT_EQ(texts(0), QStringList({"H0", "H1", "d", "d", "F1", "F0", "H0", "H1", "d", "F1", "F0"}));
}

TEST_F(BandOrder, DetailLinksPrintBeforeOrAfterTheirMasterRecord)
{
    auto *cds = namesDataSet({"cd1", "cd2"}, &form);
    auto *songs = namesDataSet({"s1", "s2"}, &form);
    report->setDataSource(cds);
    field(band(rbDetail, 20), cds, "Nome");
    auto *link = form.create<TRpDetailLink>();
    link->setMaster(report);
    link->setDataSource(songs);
    auto *sub = band(rbTitle, 15);
    field(sub, songs, "Nome");
    link->setDetailBand(sub);
    EXPECT_EQ(sub->BandType, rbSubDetail);
    auto *detail = band(rbDetail, 10);
    link->setDetailBand(detail); // a band of another kind keeps it
    EXPECT_EQ(detail->BandType, rbDetail);
    link->setDetailBand(sub);
    form.destroyComponent(detail);

    preview();
    EXPECT_EQ(texts(0), QStringList({"cd1", "s1", "s2", "cd2", "s1", "s2"}));
    link->PrintBefore = true;
    preview();
    EXPECT_EQ(texts(0), QStringList({"s1", "s2", "cd1", "s1", "s2", "cd2"}));
    // The link to itself is ignored.
    link->setMaster(link);
    EXPECT_EQ(link->Master(), report);
}

TEST_F(BandHeights, ABandThatRefusesToPrintTakesNoSpaceButStillResetsItsTotals)
{
    auto *ds = new MemoryDataSet({{"N", TRpFieldKind::Integer}}, {{"1"}, {"2"}, {"3"}});
    ds->setParent(&form);
    report->setDataSource(ds);
    auto *detail = band(rbDetail, 20);
    auto *calc = form.create<TRpDBCalc>();
    calc->setDataSource(ds);
    calc->setDataField("N");
    calc->setOperation(rcSUM);
    calc->Width = 50;
    calc->Height = 14;
    calc->setParentBand(detail);
    auto *hidden = band(rbSummary, 40);
    label(hidden, "escondido");
    calc->setResetBand(hidden);
    QList<bool> printed;
    hidden->BeforePrint = [](TRpBand *, bool &print) { print = false; };
    hidden->AfterPrint = [&](TRpBand *, bool p) { printed << p; };
    label(band(rbSummary, 20), "depois");
    preview();
    EXPECT_EQ(texts(0), QStringList({"1 ", "3 ", "6 ", "depois"}));
    EXPECT_EQ(printed, QList<bool>({false}));
    EXPECT_EQ(pages[0].find("depois")->y, 60); // right below the details
    EXPECT_EQ(calc->totalText(), "0");        // reset after the refusing band
}

TEST_F(BandHeights, AMemoFieldStretchesItsBand)
{
    auto *ds = new MemoryDataSet({{"Obs", TRpFieldKind::Memo}},
                                 {{"primeira\nsegunda\nterceira"}, {""}, {"uma"}});
    ds->setParent(&form);
    report->setDataSource(ds);
    auto *detail = band(rbDetail, 20);
    auto *memo = field(detail, ds, "Obs", 5, 3, 200, 14);
    label(band(rbSummary, 10), "fim");
    preview();
    // Three lines 14 apart; the band is 28 taller for that record only; an empty memo prints nothing.
    EXPECT_EQ(where("primeira"), QStringList({"p1:3"}));
    EXPECT_EQ(where("segunda"), QStringList({"p1:17"}));
    EXPECT_EQ(where("terceira"), QStringList({"p1:31"}));
    EXPECT_EQ(where("uma"), QStringList({"p1:71"})); // 48 + 20 + 3
    EXPECT_EQ(where("fim"), QStringList({"p1:88"}));
    EXPECT_EQ(detail->Height, 20);
    int extra = -1;
    ds->first();
    memo->PrintHeight(extra);
    EXPECT_EQ(extra, 28);
    ds->next();
    memo->PrintHeight(extra);
    EXPECT_EQ(extra, 0);
    EXPECT_EQ(memo->Caption(), "(empty memo)");
}

TEST_F(PageBreaks, LinkedBandsMustFitTogether)
{
    auto *ds = namesDataSet(numbered(2), &form);
    report->setDataSource(ds);
    auto *first = band(rbDetail, 500);
    field(first, ds, "Nome");
    auto *second = band(rbSummary, 560);
    label(second, "resumo");
    // Without the link the first detail fits at 0 and the second at 500 (500 + 500 < 1080).
    first->setLinkBand(first); // ignored
    EXPECT_EQ(first->LinkBand(), nullptr);
    preview();
    EXPECT_EQ(where("r2"), QStringList({"p1:500"}));
    first->setLinkBand(second);
    second->setLinkBand(first); // a cycle ends where it comes back
    preview();
    EXPECT_EQ(where("r1"), QStringList({"p1:0"}));
    EXPECT_EQ(where("r2"), QStringList({"p2:0"}));
}

TEST_F(BandOrder, EventsFireInOrder)
{
    auto *ds = namesDataSet(numbered(2), &form);
    report->setDataSource(ds);
    band(rbPageHeader, 10);
    band(rbDetail, 10);
    QStringList log;
    report->BeforePrint = [&](TRpReport *, bool &) { log << "BeforePrint"; };
    report->OnStartPage = [&](TRpReport *) { log << "OnStartPage"; };
    report->BeforeDetail = [&](TRpReport *) { log << "BeforeDetail"; };
    report->AfterDetail = [&](TRpReport *) { log << "AfterDetail"; };
    report->OnEndPage = [&](TRpReport *) { log << "OnEndPage"; };
    report->AfterPrint = [&](TRpReport *) { log << "AfterPrint"; };
    report->OnFilter = [&](TRpController *, bool &) { log << "OnFilter"; };
    preview();
    // The move to the first record (and its filter) comes before anything is printed.
    EXPECT_EQ(log, QStringList({"BeforePrint", "OnFilter", "OnStartPage", "BeforeDetail", "AfterDetail",
                                "OnFilter", "BeforeDetail", "AfterDetail", "OnFilter", "OnEndPage",
                                "AfterPrint"}));
}

TEST_F(StoreOfARun, RefusingOrFailingReportsLeaveTheStoreIdle)
{
    label(band(rbDetail, 10), "x");
    report->BeforePrint = [](TRpReport *, bool &print) { print = false; };
    preview();
    EXPECT_EQ(previews, 0);
    EXPECT_TRUE(RpPrinter().Cancelled);
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle);

    report->BeforePrint = nullptr;
    report->BeforeDetail = [](TRpReport *) { throw TRpError("falhou"); };
    EXPECT_THROW(report->Preview(RpPrinter()), TRpError);
    EXPECT_EQ(previews, 0);
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle);
    EXPECT_TRUE(RpPrinter().Pages().isEmpty());
    EXPECT_EQ(report->run()->progress(), nullptr);
}

TEST_F(CancelAndProgress, CancelStopsAfterTheCurrentRecordAndShowsNothing)
{
    auto *ds = namesDataSet(numbered(10), &form);
    report->setDataSource(ds);
    field(band(rbDetail, 10), ds, "Nome");
    int details = 0;
    report->AfterDetail = [&](TRpReport *) {
        if (++details == 3)
            RpPrinter().Cancel();
    };
    bool summary = false;
    band(rbSummary, 10)->AfterPrint = [&](TRpBand *, bool) { summary = true; };
    preview();
    EXPECT_EQ(details, 3);
    EXPECT_TRUE(summary); // the end of the report still runs
    EXPECT_EQ(previews, 0);
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psIdle);
}

TEST_F(StoreOfARun, APreviewWhileTheStoreIsBusyShowsThePagesItHolds)
{
    label(band(rbDetail, 10), "x");
    RpPrinter().BeginDoc();
    RpPrinter().EndDoc();
    preview();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(RpPrinter().Status(), TRpPrinter::psReady); // not discarded by this call
    RpPrinter().DiscardPages();
}

TEST_F(CancelAndProgress, ProgressMovesAboutTwentyTimes)
{
    auto *ds = namesDataSet(numbered(100), &form);
    report->setDataSource(ds);
    band(rbDetail, 1);
    int moves = -1, maximum = -1;
    report->AfterPrint = [&](TRpReport *r) {
        moves = r->run()->progress()->moves();
        maximum = r->run()->progress()->maximum();
    };
    preview();
    EXPECT_EQ(maximum, 100);
    EXPECT_EQ(moves, 20); // steps of 5 for detail counts 2..101
    report->SQLCompatible = true;
    preview();
    EXPECT_EQ(maximum, 0);
    EXPECT_EQ(moves, 0);
}

TEST_F(GroupBreaks, AfterACancelTheClosingFootersShowTheLastPrintedRecord)
{
    auto *ds = new MemoryDataSet({{"Estilo", TRpFieldKind::Text}, {"Titulo", TRpFieldKind::Text}},
                                 {{"Rock", "r1"}, {"Rock", "r2"}, {"Rock", "r3"}, {"Rock", "r4"}, {"Rock", "r5"}});
    ds->setParent(&form);
    report->setDataSource(ds);
    auto *group = form.create<TRpGroup>();
    group->setDataSource(ds);
    group->DataField = "Estilo";
    auto *footer = band(rbTitle, 20);
    QString shown;
    field(footer, ds, "Titulo")->OnPrint = [&](TRpCustomControl *, QString &v) { shown = v; };
    group->setFooterBand(footer);
    field(band(rbDetail, 20), ds, "Titulo");
    int details = 0, filtered = 0;
    report->AfterDetail = [&](TRpReport *) {
        if (++details == 3)
            RpPrinter().Cancel();
    };
    report->OnFilter = [&](TRpController *, bool &) { ++filtered; };
    preview();
    EXPECT_EQ(details, 3);
    EXPECT_EQ(filtered, 4); // the move after the cancelled record is still made
    EXPECT_EQ(shown, "r3");
    EXPECT_EQ(previews, 0);
}

namespace {

// A printer that counts what it is asked: each question is a request to the print server.
class CountingPrinter : public TRpPrinterDevice {
public:
    mutable int installedAsked = 0;
    int metricsAsked = 0;
    QList<TPrinterOrientation> orientations;
    bool installed() const override { return ++installedAsked > 0; }
    TRpPrinterMetrics metrics() override
    {
        ++metricsAsked;
        return {4660, 6716, 600, 600, true, 150, 150, 4960, 7016}; // A4 at 600 dpi
    }
    void setOrientation(TPrinterOrientation o) override { orientations << o; }
};

} // namespace

// With a printer installed the page is measured once per document, not for every page, and
// again only after the orientation changed.
TEST_F(PageMeasurement, ThePrinterIsAskedOncePerDocument)
{
    auto device = std::make_unique<CountingPrinter>();
    CountingPrinter *printer = device.get();
    RpPrinter().setDevice(std::move(device));
    struct Uninstall {
        ~Uninstall()
        {
            RpPrinter().SetOrientation(poPortrait);
            RpPrinter().setDevice(nullptr);
        }
    } uninstall;
    auto *ds = namesDataSet(numbered(300), &form);
    report->setDataSource(ds);
    band(rbPageHeader, 65);
    field(band(rbDetail, 30), ds, "Nome");
    preview();
    ASSERT_EQ(pages.size(), 10); // 33 records a page on A4
    EXPECT_EQ(printer->installedAsked, 1);
    EXPECT_EQ(printer->metricsAsked, 1);
    EXPECT_EQ(pages[0].find("r1")->y, 65);

    preview(); // the next document asks again
    EXPECT_EQ(printer->metricsAsked, 2);

    // A handler that turns the paper on page 4 has it measured once more, from then on.
    report->OnStartPage = [&](TRpReport *r) {
        if (r->run()->PageNumber == 4)
            RpPrinter().SetOrientation(poLandscape);
    };
    preview();
    EXPECT_EQ(printer->metricsAsked, 4);
    EXPECT_EQ(printer->installedAsked, 4);
    EXPECT_EQ(printer->orientations.last(), poLandscape);
}

// A summary total of integers beyond 32 bits prints the whole sum.
TEST_F(CalcTotals, AnIntegerSumPastTwoBillionPrintsWhole)
{
    auto *ds = new MemoryDataSet({{"Duracao", TRpFieldKind::Integer}}, {{"2000000000"}, {"2000000000"}, {"7"}});
    ds->setParent(&form);
    report->setDataSource(ds);
    band(rbDetail, 10);
    auto *summary = band(rbSummary, 20);
    for (TRpCalcOperation op : {rcSUM, rcAVERAGE}) {
        auto *calc = form.create<TRpDBCalc>();
        calc->setDataSource(ds);
        calc->setDataField("Duracao");
        calc->setOperation(op);
        calc->Width = 200;
        calc->Height = 14;
        calc->setParentBand(summary);
    }
    preview();
    EXPECT_EQ(texts(0), QStringList({"4000000007 ", "1333333335 "}));
}

// Without a page footer the position is where the last band ended when a page closes; with
// one it is below the footer area's bands.
TEST_F(PageBreaks, OnEndPageSeesThePositionAfterTheLastBandPlaced)
{
    auto *ds = namesDataSet(numbered(2), &form);
    report->setDataSource(ds);
    band(rbPageHeader, 65);
    field(band(rbDetail, 30), ds, "Nome");
    QList<int> ends;
    report->OnEndPage = [&](TRpReport *r) { ends << r->run()->CurrentY; };
    preview();
    auto *footer = band(rbPageFooter, 20);
    footer->Enabled = false;
    preview();
    footer->Enabled = true;
    preview();
    EXPECT_EQ(ends, QList<int>({125, 125, RpPrinter().PageHeight}));
}
