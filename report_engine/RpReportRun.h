// One generation of a report: the page store it draws into, the lists it builds from the
// report's form, and where it stands on the page. The report keeps its run from the start of a
// generation until the next one begins, so that event handlers and callers read the figures
// while it runs and afterwards; the lists and the progress window exist only while it runs.
//
// A page, in the order its bands are placed:
//   page header, and on page 1 the title (before the header with TitleBeforeHeader)
//   column headers, at the top of each column
//   the body: group headers and footers, details, sub-details, the summary
//   page footers, in the area reserved at the foot of the page
//   overlays, over the whole page
// A new column starts again at its column headers, a new page at its page header; the band
// that did not fit where it stood opens the new column whatever its kind. Debug builds assert
// this order at every band; bandsInOrder() tells whether it held.
#pragma once

#include "RpTypes.h"

#include <QHash>
#include <QList>
#include <array>
#include <memory>

class TRpBand;
class TRpComponent;
class TRpController;
class TRpDataSet;
class TRpDBCalc;
class TRpDetailLink;
class TRpGroup;
class TRpPrinter;
class TRpProgress;
class TRpReport;

// The innermost group level: stored definitions number a group's Level from 0 (outermost) to 9.
constexpr int RpLastGroupLevel = 9;

class TRpReportRun {
public:
    // The store must be idle or collecting the report's document; the page size is its own.
    TRpReportRun(TRpReport &report, TRpPrinter &store);
    ~TRpReportRun();
    TRpReportRun(const TRpReportRun &) = delete;
    TRpReportRun &operator=(const TRpReportRun &) = delete;

    TRpReport &report() const { return report_; }
    TRpPrinter &store() const { return store_; }

    // Generates the report's pages into the store (its document is open).
    void generate();

    // What the components of the form hand the run as it starts (TRpComponent::prepare).
    void addBand(TRpBand *band);
    void addGroup(TRpGroup *group); // a group whose level is outside 0 to 9 is left out
    void addCalc(TRpDBCalc *calc);
    void addDetailLink(TRpDetailLink *link);

    // A component removed from the form is dropped from every list that holds it.
    void forget(const TRpComponent *component);

    // Where the run stands; PageWidth is reduced by the left margin while it generates.
    int PageNumber = 0;
    int PageCount = 0;
    int RecordCount = 0;
    int CurrentX = 0, CurrentY = 0;
    int CurrentColumn = 1;
    int ColumnTop = 0;
    int ColumnWidth = 0;
    int PageWidth = 0, PageHeight = 0;
    int FooterHeight = 0;
    TRpProgress *progress() const { return progress_.get(); }
    // Every band so far was placed in the page order drawn above.
    bool bandsInOrder() const { return bandsInOrder_; }

private:
    // The parts of a page, top to bottom, in the order of the drawing above.
    enum class PagePart { Top, ColumnTop, Body, Foot, Overlay };
    static PagePart partOf(TRpBandType kind);

    // Places every band of one kind, with the events and totals of a detail pass.
    void printBands(TRpBandType kind);
    // Places one band of that part of the page at the current position, moving to a new column
    // or page when it does not fit, and moves the position below it. Groups and links place
    // their bands in the body.
    void placeBand(TRpBand *band, PagePart part = PagePart::Body);
    // Starts the next column or page when the band and the bands linked to it do not fit;
    // answers whether it did.
    bool checkSpace(TRpBand *band);
    // Fills the band's background and draws its controls; answers whether it printed.
    bool drawBand(TRpBand *band);
    // Evaluates the group breaks (every group when forced) and places the footers of the
    // groups that ended, innermost first; answers whether any group ended.
    bool groupFooters(bool forced);
    // Places the headers of the groups that begin, outermost first.
    void groupHeaders();
    // Prints a controller's header, one pass per record with its detail links, and its footer.
    void iterate(TRpController *c);
    // The same from the record the controller stands on, which more says is one to print.
    void iterateRecords(TRpController *c, bool more);
    // Moves to the first record the filter accepts; answers whether there is one.
    bool firstRecord(TRpController *c);
    // Moves to the next record the filter accepts; answers whether there is one.
    bool nextRecord(TRpController *c);
    // How much taller the band's controls need it to be; withLinks adds the bands linked to it,
    // each with its height and its own stretch.
    int stretch(TRpBand *band, bool withLinks);
    // Closes the page with its footers and overlays and opens the next under its header.
    void nextPage();
    void updateCalcs(TRpDataSet *dataSet);
    void freeLists();

    TRpReport &report_;
    TRpPrinter &store_;
    std::array<QList<TRpBand *>, RpBandTypeCount> bandLists_; // by band type
    QList<TRpDBCalc *> calcList_;
    std::array<TRpGroup *, RpLastGroupLevel + 1> groups_{}; // by level; none where no group is
    static_assert(std::tuple_size_v<decltype(groups_)> == RpLastGroupLevel + 1, "one entry per level");
    // The calculated fields each band resets, and the detail links of each controller.
    QHash<const TRpBand *, QList<TRpDBCalc *>> resets_;
    QHash<const TRpController *, QList<TRpDetailLink *>> detailLinks_;
    std::unique_ptr<TRpProgress> progress_;
    int xMargin_ = 0, gap_ = 0;
    int detailCount_ = 0;
    bool pageHasBody_ = false;
    bool noDataSource_ = true;
    PagePart pagePart_ = PagePart::Top; // the lowest part of the page placed so far
    bool bandsInOrder_ = true;
    // Moves of the report's cursor since its last printed record: group footers step back
    // over them to show that record.
    int movesPastPrinted_ = 0;
};
