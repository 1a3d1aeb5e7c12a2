#include "RpReport.h"
#include "RpControls.h"
#include "RpGroup.h"
#include "RpPrinter.h"
#include "Rounding.h"
#include "StoredValues.h"

#include <QCoreApplication>
#include <algorithm>

using rp::roundHalfEven;

namespace {

constexpr double InchesPerMM = 0.03937007874015748; // 1 / 25.4

// Restores a band's designed height however its placement ends.
struct HeightGuard {
    TRpBand *band;
    int designed;
    ~HeightGuard() { band->Height = designed; }
};

} // namespace

TRpReport::TRpReport(TRpForm *owner) : TRpController(owner)
{
    if (!owner)
        throw TRpError(QStringLiteral("Invalid type conversion"));
}

TRpReport::~TRpReport() = default;

// --- Stored properties --------------------------------------------------------------------

int TRpReport::ColumnMarginInches() const { return roundHalfEven(ColumnMargin * 10); }
void TRpReport::setColumnMarginInches(int tenths) { ColumnMargin = tenths * 0.1; }
int TRpReport::ColumnMarginMM() const { return roundHalfEven(ColumnMargin * 25.4); }
void TRpReport::setColumnMarginMM(int mm) { ColumnMargin = mm * InchesPerMM; }
int TRpReport::LeftMarginInches() const { return roundHalfEven(LeftMargin * 10); }
void TRpReport::setLeftMarginInches(int tenths) { LeftMargin = tenths * 0.1; }
int TRpReport::LeftMarginMM() const { return roundHalfEven(LeftMargin * 25.4); }
void TRpReport::setLeftMarginMM(int mm) { LeftMargin = mm * InchesPerMM; }

void TRpReport::setColumns(int n)
{
    if (n >= 1)
        columns_ = n;
}

bool TRpReport::setStoredProperty(const QString &name, const QString &value)
{
    if (name == "ColumnMarginInches")
        setColumnMarginInches(rp::toInt(name, value));
    else if (name == "ColumnMarginMM")
        setColumnMarginMM(rp::toInt(name, value));
    else if (name == "Columns")
        setColumns(rp::toInt(name, value));
    else if (name == "DisplayPrintDialog")
        DisplayPrintDialog = rp::toBool(name, value);
    else if (name == "LeftMarginInches")
        setLeftMarginInches(rp::toInt(name, value));
    else if (name == "LeftMarginMM")
        setLeftMarginMM(rp::toInt(name, value));
    else if (name == "Orientation")
        Orientation = TPrinterOrientation(rp::toEnum(name, value, {"poPortrait", "poLandscape"}));
    else if (name == "ReportTitle")
        ReportTitle = value;
    else if (name == "RestartData")
        RestartData = rp::toBool(name, value);
    else if (name == "ShowProgress")
        ShowProgress = rp::toBool(name, value);
    else if (name == "SQLCompatible")
        SQLCompatible = rp::toBool(name, value);
    else if (name == "TitleBeforeHeader")
        TitleBeforeHeader = rp::toBool(name, value);
    else
        return TRpController::setStoredProperty(name, value);
    return true;
}

bool TRpReport::isEventProperty(const QString &name) const
{
    static const QStringList events = {"AfterDetail", "AfterPrint", "BeforeDetail", "BeforePrint",
                                       "OnEndPage", "OnStartPage"};
    return events.contains(name) || TRpController::isEventProperty(name);
}

void TRpReport::Notification(TRpComponent *component, TOperation operation)
{
    TRpController::Notification(component, operation);
    // A new group becomes the innermost level; a stored Level read afterwards overrides it.
    if (auto *group = qobject_cast<TRpGroup *>(component)) {
        int groups = 0;
        if (form())
            for (TRpComponent *c : form()->components())
                groups += qobject_cast<TRpGroup *>(c) != nullptr;
        group->Level = groups - 1;
    }
    if (operation == opRemove)
        for (auto &list : bandLists_)
            list.removeIf([component](TRpBand *b) { return static_cast<TRpComponent *>(b) == component; });
}

// --- Preview, Prepare, Generate -----------------------------------------------------------

void TRpReport::Preview()
{
    TRpPrinter &store = RpPrinter();
    bool prepared = false;
    try {
        if (store.Status() == TRpPrinter::psIdle) {
            prepared = true;
            Prepare();
        }
        if (!store.Cancelled)
            store.Preview();
    } catch (...) {
        if (prepared)
            store.DiscardPages();
        throw;
    }
    if (prepared)
        store.DiscardPages();
}

void TRpReport::Prepare()
{
    TRpPrinter &store = RpPrinter();
    if (store.Status() != TRpPrinter::psIdle)
        throw TRpError(QStringLiteral("The page store holds the pages of another report"));
    store.SetOrientation(Orientation);
    store.BeginDoc();
    store.Title = ReportTitle;
    store.SetOrientation(Orientation);
    store.MeasurePage();
    PageWidth = store.PageWidth;
    PageHeight = store.PageHeight;
    Generate();
    store.EndDoc();
}

void TRpReport::Generate()
{
    TRpPrinter &store = RpPrinter();
    store.ShowProgress = ShowProgress;
    store.Cancelled = false;
    progress_ = store.createProgress();
    if (ShowProgress)
        progress_->Show();
    progress_->SetText(QStringLiteral("Preparing report ") + ReportTitle);
    for (auto &list : bandLists_)
        list.clear();
    calcList_.clear();
    try {
        bool printReport = true;
        if (BeforePrint)
            BeforePrint(this, printReport);
        if (!printReport) {
            store.Cancelled = true;
        } else {
            const QList<TRpComponent *> components = form()->components();
            for (TRpComponent *c : components) {
                if (auto *controller = qobject_cast<TRpController *>(c))
                    controller->detailLinks.clear();
                else if (auto *band = qobject_cast<TRpBand *>(c))
                    band->resetList.clear();
            }
            groups_.fill(nullptr);
            for (TRpComponent *c : components) {
                if (auto *group = qobject_cast<TRpGroup *>(c)) {
                    if (group->Level >= 0 && group->Level <= 9)
                        groups_[group->Level] = group;
                } else if (auto *control = qobject_cast<TRpCustomControl *>(c)) {
                    control->Report = this;
                    if (auto *calc = qobject_cast<TRpDBCalc *>(c)) {
                        calc->ResetCalc();
                        calcList_.append(calc);
                        if (calc->ResetBand())
                            calc->ResetBand()->resetList.append(calc);
                    }
                } else if (auto *memo = qobject_cast<TRpMemo *>(c)) {
                    memo->Report = this;
                } else if (auto *band = qobject_cast<TRpBand *>(c)) {
                    band->report = this;
                    bandLists_[band->BandType].append(band);
                } else if (auto *link = qobject_cast<TRpDetailLink *>(c)) {
                    if (link->Master())
                        link->Master()->detailLinks.append(link);
                }
            }
            // The report stands on its first record before anything of the record is read:
            // the break values, the title and the first headers show that record, not the one
            // an earlier run (or another window) left current.
            const bool more = firstRecord(this);
            for (TRpGroup *g : groups_)
                if (g) {
                    g->OldValue.clear();
                    g->NewValue = g->currentValue();
                    g->Changed = true;
                }
            FooterHeight = 0;
            for (TRpBand *b : bandLists_[rbPageFooter])
                FooterHeight += b->Height;
            xMargin_ = roundHalfEven(LeftMargin * rp::PageUnitsPerInch);
            gap_ = roundHalfEven(ColumnMargin * rp::PageUnitsPerInch);
            CurrentX = xMargin_;
            PageWidth -= xMargin_;
            ColumnWidth = roundHalfEven(double(PageWidth - gap_ * (columns_ - 1)) / columns_);
            CurrentY = 0;
            PageNumber = 1;
            CurrentColumn = 1;
            ColumnTop = 0;
            PageCount = 0;
            RecordCount = 0;
            pageHasBody_ = false;
            noDataSource_ = DataSource() == nullptr;
            if (DataSource() && DataSource()->isOpen() && !SQLCompatible)
                RecordCount = DataSource()->recordCount();
            detailCount_ = 1;
            progress_->SetMax(RecordCount);

            if (OnStartPage)
                OnStartPage(this);
            if (!TitleBeforeHeader) {
                printBands(rbPageHeader);
                printBands(rbTitle);
            } else {
                printBands(rbTitle);
                printBands(rbPageHeader);
            }
            printBands(rbColumnHeader);
            groupHeaders();

            placeBand(HeaderBand());
            iterateRecords(this, more);

            groupFooters(true);
            printBands(rbSummary);
            printBands(rbPageFooter);
            printBands(rbOverlay);
            if (OnEndPage)
                OnEndPage(this);
            if (AfterPrint)
                AfterPrint(this);
            PageWidth += xMargin_;
            CurrentX = 0;
            PageCount = PageNumber;
        }
    } catch (...) {
        freeLists();
        throw;
    }
    freeLists();
}

void TRpReport::freeLists()
{
    for (auto &list : bandLists_)
        list.clear();
    calcList_.clear();
    progress_.reset();
}

// --- Placing bands ------------------------------------------------------------------------

void TRpReport::updateCalcs(TRpDataSet *dataSet)
{
    for (TRpDBCalc *calc : calcList_)
        if (calc->DataSource() == dataSet)
            calc->UpdateCalc();
}

void TRpReport::printBands(TRpBandType kind)
{
    if (kind == rbDetail) {
        if (BeforeDetail)
            BeforeDetail(this);
        updateCalcs(DataSource());
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
        placeBand(band);
    if (kind == rbDetail && AfterDetail)
        AfterDetail(this);
    if (kind == rbTitle || kind == rbPageHeader)
        ColumnTop = CurrentY;
}

void TRpReport::placeBand(TRpBand *band)
{
    if (!band || !band->Enabled)
        return;
    QCoreApplication::processEvents(); // a click on Cancel takes effect here
    HeightGuard guard{band, band->Height};
    band->Width = RpPrinter().PageWidth;
    switch (band->BandType) {
    case rbPageHeader:
    case rbOverlay:
    case rbPageFooter:
        break;
    case rbColumnHeader:
        // At the top of a column a column header is placed whatever its height: checking it
        // there could only start columns and pages without end.
        if (CurrentY != ColumnTop)
            checkSpace(band);
        break;
    default:
        checkSpace(band);
        if (band->BandType == rbDetail || band->BandType == rbSubDetail || band->BandType == rbGroupFooter)
            pageHasBody_ = true;
        break;
    }
    if (drawBand(band))
        CurrentY += band->Height;
}

void TRpReport::checkSpace(TRpBand *band)
{
    const int extra = stretch(band, true);
    const int needed = extra + band->Height;
    const bool fits = !(needed + CurrentY >= PageHeight - FooterHeight || (band->ForceNewPage && pageHasBody_));
    if (!fits) {
        if (CurrentColumn == columns_) {
            CurrentColumn = 1;
            CurrentX = xMargin_;
            nextPage();
        } else {
            CurrentX += ColumnWidth + gap_;
            CurrentY = ColumnTop;
            ++CurrentColumn;
        }
        printBands(rbColumnHeader);
    }
    if (extra > 0)
        band->Height += stretch(band, false);
}

int TRpReport::stretch(TRpBand *band, bool withLinks)
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

bool TRpReport::drawBand(TRpBand *band)
{
    metafile::Canvas *canvas = RpPrinter().Canvas();
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
            canvas->drawRectangle(QRect(ofsX, ofsY, RpPrinter().PageWidth, band->Height));
        }
        const QList<TRpComponent *> children = band->children();
        for (TRpComponent *child : children) {
            if (auto *control = qobject_cast<TRpCustomControl *>(child)) {
                if (control->Visible)
                    control->PrintToCanvas(ofsX, ofsY);
            } else if (auto *memo = qobject_cast<TRpMemo *>(child)) {
                memo->PrintToCanvas(ofsX, ofsY);
            }
        }
    }
    if (band->AfterPrint)
        band->AfterPrint(band, printBand);
    const QList<TRpDBCalc *> resets = band->resetList;
    for (TRpDBCalc *calc : resets)
        calc->ResetCalc();
    return printBand;
}

void TRpReport::nextPage()
{
    printBands(rbPageFooter);
    if (OnEndPage)
        OnEndPage(this);
    CurrentY = 0;
    printBands(rbOverlay);
    RpPrinter().NewPage();
    ++PageNumber;
    CurrentY = 0;
    pageHasBody_ = false;
    if (OnStartPage)
        OnStartPage(this);
    printBands(rbPageHeader);
}

// --- Groups -------------------------------------------------------------------------------

bool TRpReport::groupFooters(bool forced)
{
    bool changed = forced;
    if (forced) {
        for (TRpGroup *g : groups_)
            if (g)
                g->Changed = true;
    } else {
        for (int level = 9; level >= 0; --level) // every group is evaluated
            if (groups_[level] && groups_[level]->evaluateBreak())
                changed = true;
    }
    if (!changed)
        return false;
    // The footers show the last printed record of the group that ended: step back over the
    // records the cursor moved past since then (the new group's first record, records the
    // filter rejected, the move after a Cancel), and forward again afterwards. At the end of
    // the data the cursor stands on the last record; it is at its end again afterwards.
    TRpDataSet *data = DataSource();
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
    for (int level = 9; level >= 0; --level)
        if (groups_[level] && groups_[level]->Changed)
            placeBand(groups_[level]->FooterBand());
    for (int i = 0; i < movedBack; ++i)
        data->next();
    if (movedBack > 0 && atEnd)
        data->next();
    return true;
}

void TRpReport::groupHeaders()
{
    for (TRpGroup *g : groups_)
        if (g && g->Changed) {
            placeBand(g->HeaderBand());
            g->Changed = false;
        }
}

// --- Iteration ----------------------------------------------------------------------------

void TRpReport::iterate(TRpController *c)
{
    placeBand(c->HeaderBand());
    iterateRecords(c, firstRecord(c));
}

void TRpReport::iterateRecords(TRpController *c, bool more)
{
    while (more) {
        const QList<TRpDetailLink *> links = c->detailLinks;
        for (TRpDetailLink *link : links)
            if (link->PrintBefore)
                iterate(link);
        if (c == this) {
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
        more = nextRecord(c) && !RpPrinter().Cancelled;
    }
    placeBand(c->FooterBand());
}

bool TRpReport::firstRecord(TRpController *c)
{
    TRpDataSet *data = c->DataSource();
    if (data && data->isOpen()) {
        data->first();
        if (c == this)
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
            if (c == this)
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

bool TRpReport::nextRecord(TRpController *c)
{
    TRpDataSet *data = c->DataSource();
    if (data && data->isOpen()) {
        if (data->eof())
            return false;
        bool printRecord;
        do {
            data->next();
            // At the end next() stays on the last record: only a real move is counted.
            if (c == this && !data->eof())
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
