#include "RpReportRun.h"
#include "RpControls.h"
#include "RpGroup.h"
#include "RpPrinter.h"
#include "RpReport.h"
#include "Rounding.h"

#include <QCoreApplication>
#include <algorithm>

using rp::roundHalfEven;

namespace {

// Restores a band's designed height however its placement ends.
struct HeightGuard {
    TRpBand *band;
    int designed;
    ~HeightGuard() { band->Height = designed; }
};

template <typename List> void removeFrom(List &list, const TRpComponent *component)
{
    list.removeIf([component](const auto *item) {
        return static_cast<const TRpComponent *>(item) == component;
    });
}

template <typename Hash> void removeKey(Hash &hash, const TRpComponent *component)
{
    for (auto it = hash.begin(); it != hash.end();)
        it = static_cast<const TRpComponent *>(it.key()) == component ? hash.erase(it) : std::next(it);
}

} // namespace

TRpReportRun::TRpReportRun(TRpReport &report, TRpPrinter &store)
    : PageWidth(store.PageWidth), PageHeight(store.PageHeight), report_(report), store_(store)
{
}

TRpReportRun::~TRpReportRun() = default;

// --- What the form's components hand the run ----------------------------------------------

void TRpReportRun::addBand(TRpBand *band)
{
    bandLists_[band->BandType].append(band);
}

void TRpReportRun::addGroup(TRpGroup *group)
{
    // A later group of the same level replaces an earlier one.
    if (group->Level >= 0 && group->Level <= RpLastGroupLevel)
        groups_[group->Level] = group;
}

void TRpReportRun::addCalc(TRpDBCalc *calc)
{
    calcList_.append(calc);
    if (calc->ResetBand())
        resets_[calc->ResetBand()].append(calc);
}

void TRpReportRun::addDetailLink(TRpDetailLink *link)
{
    if (link->Master())
        detailLinks_[link->Master()].append(link);
}

void TRpReportRun::forget(const TRpComponent *component)
{
    for (auto &list : bandLists_)
        removeFrom(list, component);
    removeFrom(calcList_, component);
    for (auto &list : resets_)
        removeFrom(list, component);
    removeKey(resets_, component);
    for (auto &list : detailLinks_)
        removeFrom(list, component);
    removeKey(detailLinks_, component);
    for (TRpGroup *&g : groups_)
        if (static_cast<const TRpComponent *>(g) == component)
            g = nullptr;
}

// --- The generation -----------------------------------------------------------------------

void TRpReportRun::generate()
{
    const TRpReport &r = report_;
    store_.ShowProgress = r.ShowProgress;
    store_.Cancelled = false;
    progress_ = store_.createProgress();
    if (r.ShowProgress)
        progress_->Show();
    progress_->SetText(QStringLiteral("Preparing report ") + r.ReportTitle);
    // However the generation ends, its lists and its progress window go with it.
    struct Finish {
        TRpReportRun &run;
        ~Finish() { run.freeLists(); }
    } finish{*this};

    bool printReport = true;
    if (r.BeforePrint)
        r.BeforePrint(&report_, printReport);
    if (!printReport) {
        store_.Cancelled = true;
        return;
    }
    const QList<TRpComponent *> components = r.form()->components();
    for (TRpComponent *c : components)
        c->prepare(*this);
    // The report stands on its first record before anything of the record is read: the break
    // values, the title and the first headers show that record, not the one an earlier run
    // (or another window) left current.
    const bool more = firstRecord(&report_);
    for (TRpGroup *g : groups_)
        if (g) {
            g->OldValue.clear();
            g->NewValue = g->currentValue();
            g->Changed = true;
        }
    FooterHeight = 0;
    for (TRpBand *b : bandLists_[rbPageFooter])
        FooterHeight += b->Height;
    xMargin_ = roundHalfEven(r.LeftMargin * rp::PageUnitsPerInch);
    gap_ = roundHalfEven(r.ColumnMargin * rp::PageUnitsPerInch);
    CurrentX = xMargin_;
    PageWidth -= xMargin_;
    const int columns = r.Columns();
    ColumnWidth = roundHalfEven(double(PageWidth - gap_ * (columns - 1)) / columns);
    CurrentY = 0;
    PageNumber = 1;
    CurrentColumn = 1;
    ColumnTop = 0;
    PageCount = 0;
    RecordCount = 0;
    pageHasBody_ = false;
    TRpDataSet *data = r.DataSource();
    noDataSource_ = data == nullptr;
    if (data && data->isOpen() && !r.SQLCompatible)
        RecordCount = data->recordCount();
    detailCount_ = 1;
    progress_->SetMax(RecordCount);

    if (r.OnStartPage)
        r.OnStartPage(&report_);
    if (!r.TitleBeforeHeader) {
        printBands(rbPageHeader);
        printBands(rbTitle);
    } else {
        printBands(rbTitle);
        printBands(rbPageHeader);
    }
    printBands(rbColumnHeader);
    groupHeaders();

    placeBand(r.HeaderBand());
    iterateRecords(&report_, more);

    groupFooters(true);
    printBands(rbSummary);
    printBands(rbPageFooter);
    printBands(rbOverlay);
    if (r.OnEndPage)
        r.OnEndPage(&report_);
    if (r.AfterPrint)
        r.AfterPrint(&report_);
    PageWidth += xMargin_;
    CurrentX = 0;
    PageCount = PageNumber;
}

void TRpReportRun::freeLists()
{
    for (auto &list : bandLists_)
        list.clear();
    calcList_.clear();
    resets_.clear();
    detailLinks_.clear();
    groups_.fill(nullptr);
    progress_.reset();
}

// --- Placing bands ------------------------------------------------------------------------

void TRpReportRun::updateCalcs(TRpDataSet *dataSet)
{
    for (TRpDBCalc *calc : calcList_)
        if (calc->DataSource() == dataSet)
            calc->UpdateCalc();
}

void TRpReportRun::printBands(TRpBandType kind)
{
    if (kind == rbDetail) {
        if (report_.BeforeDetail)
            report_.BeforeDetail(&report_);
        updateCalcs(report_.DataSource());
    }
    const QList<TRpBand *> bands = bandLists_[kind];
    // Footer bands stack from the top of the reserved area; without a footer to place the
    // position stays where the body ended, as OnEndPage sees it.
    if (kind == rbPageFooter
        && std::any_of(bands.begin(), bands.end(), [](const TRpBand *b) { return b->Enabled; })) {
        CurrentY = PageHeight - FooterHeight;
        CurrentX = xMargin_;
    }
    for (TRpBand *band : bands)
        placeBand(band, partOf(kind));
    if (kind == rbDetail && report_.AfterDetail)
        report_.AfterDetail(&report_);
    if (kind == rbTitle || kind == rbPageHeader)
        ColumnTop = CurrentY;
}

TRpReportRun::PagePart TRpReportRun::partOf(TRpBandType kind)
{
    switch (kind) {
    case rbTitle:
    case rbPageHeader:
        return PagePart::Top;
    case rbColumnHeader:
        return PagePart::ColumnTop;
    case rbPageFooter:
        return PagePart::Foot;
    case rbOverlay:
        return PagePart::Overlay;
    default:
        return PagePart::Body;
    }
}

void TRpReportRun::placeBand(TRpBand *band, PagePart part)
{
    if (!band || !band->Enabled)
        return;
    QCoreApplication::processEvents(); // a click on Cancel takes effect here
    HeightGuard guard{band, band->Height};
    band->Width = store_.PageWidth;
    bool opensColumn = false;
    switch (band->BandType) {
    case rbPageHeader:
    case rbOverlay:
    case rbPageFooter:
        break;
    case rbColumnHeader:
        // At the top of a column a column header is placed whatever its height: checking it
        // there could only start columns and pages without end.
        if (CurrentY != ColumnTop)
            opensColumn = checkSpace(band);
        break;
    default:
        opensColumn = checkSpace(band);
        if (band->BandType == rbDetail || band->BandType == rbSubDetail || band->BandType == rbGroupFooter)
            pageHasBody_ = true;
        break;
    }
    if (part < pagePart_ && !opensColumn)
        bandsInOrder_ = false;
    Q_ASSERT_X(bandsInOrder_, "TRpReportRun::placeBand", "a band above a part of the page already placed");
    pagePart_ = std::max(pagePart_, part);
    if (drawBand(band))
        CurrentY += band->Height;
}

bool TRpReportRun::checkSpace(TRpBand *band)
{
    const int extra = stretch(band, true);
    const int needed = extra + band->Height;
    const bool fits =
        !(needed + CurrentY >= PageHeight - FooterHeight || (band->ForceNewPage && pageHasBody_));
    if (!fits) {
        if (CurrentColumn == report_.Columns()) {
            CurrentColumn = 1;
            CurrentX = xMargin_;
            nextPage();
        } else {
            CurrentX += ColumnWidth + gap_;
            CurrentY = ColumnTop;
            ++CurrentColumn;
            pagePart_ = PagePart::ColumnTop;
        }
        printBands(rbColumnHeader);
    }
    if (extra > 0)
        band->Height += stretch(band, false);
    return !fits;
}

int TRpReportRun::stretch(TRpBand *band, bool withLinks)
{
    int extra = 0;
    QList<TRpBand *> chain{band};
    for (;;) {
        int own = 0;
        for (TRpComponent *child : band->children())
            if (auto *control = qobject_cast<TRpCustomControl *>(child)) {
                int e = 0;
                control->PrintHeight(e);
                own = std::max(own, e);
            }
        extra += own;
        TRpBand *linked = band->LinkBand();
        // A chain that comes back to one of its bands ends there.
        if (!withLinks || !linked || chain.contains(linked))
            return extra;
        extra += linked->Height;
        chain.append(linked);
        band = linked;
    }
}

bool TRpReportRun::drawBand(TRpBand *band)
{
    metafile::Canvas *canvas = store_.Canvas();
    int ofsX = 0, ofsY = 0;
    if (band->BandType != rbOverlay) {
        canvas->fillRect(QRect(CurrentX, CurrentY, ColumnWidth, band->Height), band->Color);
        ofsX = CurrentX;
        ofsY = CurrentY;
    }
    bool printBand = true;
    if (band->BeforePrint)
        band->BeforePrint(band, printBand);
    if (printBand) {
        if (band->Frame.width > 0) {
            canvas->setPen(band->Frame);
            canvas->setBrush(RpBrush{band->Color, false});
            canvas->drawRectangle(QRect(ofsX, ofsY, store_.PageWidth, band->Height));
        }
        const QList<TRpComponent *> children = band->children();
        for (TRpComponent *child : children) {
            if (auto *control = qobject_cast<TRpCustomControl *>(child)) {
                if (control->Visible)
                    control->PrintToCanvas(store_, ofsX, ofsY);
            } else if (auto *memo = qobject_cast<TRpMemo *>(child)) {
                memo->PrintToCanvas(store_, ofsX, ofsY);
            }
        }
    }
    if (band->AfterPrint)
        band->AfterPrint(band, printBand);
    const QList<TRpDBCalc *> resets = resets_.value(band);
    for (TRpDBCalc *calc : resets)
        calc->ResetCalc();
    return printBand;
}

void TRpReportRun::nextPage()
{
    printBands(rbPageFooter);
    if (report_.OnEndPage)
        report_.OnEndPage(&report_);
    CurrentY = 0;
    printBands(rbOverlay);
    store_.NewPage();
    pagePart_ = PagePart::Top;
    ++PageNumber;
    CurrentY = 0;
    pageHasBody_ = false;
    if (report_.OnStartPage)
        report_.OnStartPage(&report_);
    printBands(rbPageHeader);
}

// --- Groups -------------------------------------------------------------------------------

bool TRpReportRun::groupFooters(bool forced)
{
    bool changed = forced;
    if (forced) {
        for (TRpGroup *g : groups_)
            if (g)
                g->Changed = true;
    } else {
        for (int level = RpLastGroupLevel; level >= 0; --level) // every group is evaluated
            if (groups_[level] && groups_[level]->evaluateBreak())
                changed = true;
    }
    if (!changed)
        return false;
    // The footers show the last printed record of the group that ended: step back over the
    // records the cursor moved past since then (the new group's first record, records the
    // filter rejected, the move after a Cancel), and forward again afterwards. At the end of
    // the data the cursor stands on the last record; it is at its end again afterwards.
    TRpDataSet *data = report_.DataSource();
    int movedBack = 0;
    bool atEnd = false;
    if (!noDataSource_ && data && data->isOpen()) {
        atEnd = data->eof();
        for (; movedBack < movesPastPrinted_ && !data->bof(); ++movedBack)
            data->prior();
    }
    bool outerBroke = false;
    for (TRpGroup *g : groups_)
        if (g) {
            if (outerBroke)
                g->Changed = true;
            else if (g->Changed)
                outerBroke = true;
        }
    for (int level = RpLastGroupLevel; level >= 0; --level)
        if (groups_[level] && groups_[level]->Changed)
            placeBand(groups_[level]->FooterBand());
    for (int i = 0; i < movedBack; ++i)
        data->next();
    if (movedBack > 0 && atEnd)
        data->next();
    return true;
}

void TRpReportRun::groupHeaders()
{
    for (TRpGroup *g : groups_)
        if (g && g->Changed) {
            placeBand(g->HeaderBand());
            g->Changed = false;
        }
}

// --- Iteration ----------------------------------------------------------------------------

void TRpReportRun::iterate(TRpController *c)
{
    placeBand(c->HeaderBand());
    iterateRecords(c, firstRecord(c));
}

void TRpReportRun::iterateRecords(TRpController *c, bool more)
{
    while (more) {
        const QList<TRpDetailLink *> links = detailLinks_.value(c);
        for (TRpDetailLink *link : links)
            if (link->PrintBefore)
                iterate(link);
        if (c == &report_) {
            if (groupFooters(false))
                groupHeaders();
            printBands(rbDetail);
            movesPastPrinted_ = 0;
            ++detailCount_;
            progress_->Update(detailCount_);
        } else {
            updateCalcs(c->DataSource());
            placeBand(c->DetailBand());
        }
        for (TRpDetailLink *link : links)
            if (!link->PrintBefore)
                iterate(link);
        // The move comes first: after a Cancel the cursor stands past the last printed
        // record, as after a break, so the closing group footers step back onto it.
        more = nextRecord(c) && !store_.Cancelled;
    }
    placeBand(c->FooterBand());
}

bool TRpReportRun::firstRecord(TRpController *c)
{
    TRpDataSet *data = c->DataSource();
    if (data && data->isOpen()) {
        data->first();
        if (c == &report_)
            movesPastPrinted_ = 0;
        if (data->eof())
            return false;
        if (!c->OnFilter)
            return true;
        for (;;) {
            bool printRecord = true;
            c->OnFilter(c, printRecord);
            if (printRecord)
                return true;
            data->next();
            if (data->eof())
                return false;
            if (c == &report_)
                ++movesPastPrinted_;
        }
    }
    if (c->OnNeedData) {
        bool more = true;
        c->OnNeedData(c, more);
        if (more && c->OnFilter)
            c->OnFilter(c, more);
        return more;
    }
    return true; // without data, exactly one pass
}

bool TRpReportRun::nextRecord(TRpController *c)
{
    TRpDataSet *data = c->DataSource();
    if (data && data->isOpen()) {
        if (data->eof())
            return false;
        bool printRecord;
        do {
            data->next();
            // At the end next() stays on the last record: only a real move is counted.
            if (c == &report_ && !data->eof())
                ++movesPastPrinted_;
            printRecord = true;
            if (c->OnFilter)
                c->OnFilter(c, printRecord);
        } while (!printRecord && !data->eof());
        return !data->eof();
    }
    bool more = false;
    if (c->OnNeedData) {
        c->OnNeedData(c, more);
        if (more && c->OnFilter)
            c->OnFilter(c, more);
    }
    return more;
}
