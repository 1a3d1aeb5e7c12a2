// The report component: its stored properties and events, and the operations that turn the
// form's bands into pages of a page store, each a run of its own (TRpReportRun). Generation
// places bands one below the other in one pass over the data; a page is full when the next
// band (with the bands linked to it) would reach the page footer area; a band is never split.
#pragma once

#include "RpController.h"
#include "RpReportRun.h"

#include <memory>

class TRpPrinter;

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
    void Preview(TRpPrinter &store);
    // The first half of Preview: begins the document, generates, ends it (the store becomes
    // ready).
    void Prepare(TRpPrinter &store);

    // The generation running now, or the last one once it ended (none before the first): where
    // it stands on the page and its counts, for event handlers and callers.
    const TRpReportRun *run() const { return run_.get(); }

    const TRpPropertyTable &properties() const override;
    void Notification(TRpComponent *component, TOperation operation) override;

private:
    int columns_ = 1;
    std::unique_ptr<TRpReportRun> run_;
};
