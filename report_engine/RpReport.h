// The report component: its stored properties and the generation that turns the form's bands
// into pages of the page store. Generation places bands one below the other in one pass over
// the data; a page is full when the next band (with the bands linked to it) would reach the
// page footer area; a band is never split.
#pragma once

#include "RpController.h"

#include <array>
#include <memory>

class TRpGroup;
class TRpDBCalc;
class TRpProgress;

class TRpReport : public TRpController {
    Q_OBJECT
public:
    // The owner must be a form.
    explicit TRpReport(TRpForm *owner);
    ~TRpReport() override;

    std::function<void(TRpReport *sender)> AfterDetail, AfterPrint, BeforeDetail, OnEndPage, OnStartPage;
    std::function<void(TRpReport *sender, bool &printReport)> BeforePrint;

    int ColumnMarginInches() const;
    void setColumnMarginInches(int tenths);
    int ColumnMarginMM() const;
    void setColumnMarginMM(int mm);
    int LeftMarginInches() const;
    void setLeftMarginInches(int tenths);
    int LeftMarginMM() const;
    void setLeftMarginMM(int mm);
    int Columns() const { return columns_; }
    void setColumns(int n); // values below 1 are ignored

    bool DisplayPrintDialog = false;
    TPrinterOrientation Orientation = poPortrait;
    QString ReportTitle;
    bool RestartData = true;
    bool ShowProgress = true;
    bool SQLCompatible = false;
    bool TitleBeforeHeader = false;

    // Margins as real numbers of inches.
    double LeftMargin = 0;
    double ColumnMargin = 0;

    // Generates the report into the page store and previews it; the pages are discarded after.
    void Preview();
    // The two halves of Preview: begin the document, generate, end it (the store becomes ready).
    void Prepare();

    // Generation state, readable while generating (by event handlers) and afterwards.
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

    bool setStoredProperty(const QString &name, const QString &value) override;
    bool isEventProperty(const QString &name) const override;
    void Notification(TRpComponent *component, TOperation operation) override;

private:
    void Generate();
    // Places every band of one kind, with the events and totals of a detail pass.
    void printBands(TRpBandType kind);
    // Places one band at the current position, moving to a new column or page when it does
    // not fit, and moves the position below it.
    void placeBand(TRpBand *band);
    // Starts the next column or page when the band and the bands linked to it do not fit.
    void checkSpace(TRpBand *band);
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

    int columns_ = 1;
    std::array<QList<TRpBand *>, RpBandTypeCount> bandLists_;
    QList<TRpDBCalc *> calcList_;
    std::array<TRpGroup *, 10> groups_{};
    std::unique_ptr<TRpProgress> progress_;
    int xMargin_ = 0, gap_ = 0;
    int detailCount_ = 0;
    bool pageHasBody_ = false;
    bool noDataSource_ = true;
    // Moves of the report's cursor since its last printed record: group footers step back
    // over them to show that record.
    int movesPastPrinted_ = 0;
};
