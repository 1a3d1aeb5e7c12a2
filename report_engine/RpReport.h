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
    void printBands(TRpBandType kind);           // D
    void placeBand(TRpBand *band);               // E
    void checkSpace(TRpBand *band);              // F
    bool drawBand(TRpBand *band);                // G
    bool groupFooters(bool forced);              // H1
    void groupHeaders();                         // H2
    void iterate(TRpController *c);              // I
    void iterateRecords(TRpController *c, bool more); // I from step 3, on the first record
    bool firstRecord(TRpController *c);          // I1
    bool nextRecord(TRpController *c);           // I2
    int stretch(TRpBand *band, bool withLinks);  // J
    void nextPage();                             // K
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
