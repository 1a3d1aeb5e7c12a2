#include "RpReport.h"
#include "RpGroup.h"
#include "RpPrinter.h"
#include "Rounding.h"
#include "StoredValues.h"

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
    if (operation == opRemove && run_)
        run_->forget(component);
}

// --- Preview and Prepare -----------------------------------------------------------------

void TRpReport::Preview()
{
    Preview(RpPrinter());
}

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

void TRpReport::Prepare()
{
    Prepare(RpPrinter());
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
