#include "RpReport.h"
#include "RpGroup.h"
#include "RpPrinter.h"
#include "Rounding.h"
#include "RpProperties.h"

using rp::roundHalfEven;

namespace {

constexpr double InchesPerMM = 0.03937007874015748; // 1 / 25.4

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

const TRpPropertyTable &TRpReport::properties() const
{
    static const TRpPropertyTable table(TRpController::properties(), {
        rp::event("AfterDetail"),
        rp::event("AfterPrint"),
        rp::event("BeforeDetail"),
        rp::event("BeforePrint"),
        rp::stored("ColumnMarginInches", &TRpReport::setColumnMarginInches),
        rp::stored("ColumnMarginMM", &TRpReport::setColumnMarginMM),
        rp::stored("Columns", &TRpReport::setColumns),
        rp::stored("DisplayPrintDialog", &TRpReport::DisplayPrintDialog),
        rp::stored("LeftMarginInches", &TRpReport::setLeftMarginInches),
        rp::stored("LeftMarginMM", &TRpReport::setLeftMarginMM),
        rp::event("OnEndPage"),
        rp::event("OnStartPage"),
        rp::stored("Orientation", &TRpReport::Orientation),
        rp::stored("ReportTitle", &TRpReport::ReportTitle),
        rp::stored("RestartData", &TRpReport::RestartData),
        rp::stored("ShowProgress", &TRpReport::ShowProgress),
        rp::stored("SQLCompatible", &TRpReport::SQLCompatible),
        rp::stored("TitleBeforeHeader", &TRpReport::TitleBeforeHeader),
    });
    return table;
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
    if (operation == opRemove && run_)
        run_->forget(component);
}

// --- Preview and Prepare -----------------------------------------------------------------

void TRpReport::Preview(TRpPrinter &store)
{
    bool prepared = false;
    try {
        if (store.Status() == TRpPrinter::psIdle) {
            prepared = true;
            Prepare(store);
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

void TRpReport::Prepare(TRpPrinter &store)
{
    if (store.Status() != TRpPrinter::psIdle)
        throw TRpError(QStringLiteral("The page store holds the pages of another report"));
    store.SetOrientation(Orientation);
    store.BeginDoc();
    store.Title = ReportTitle;
    store.SetOrientation(Orientation);
    store.MeasurePage();
    run_ = std::make_unique<TRpReportRun>(*this, store);
    run_->generate();
    store.EndDoc();
}
