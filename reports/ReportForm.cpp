#include "ReportForm.h"
#include "RpFormReader.h"
#include "RpPrinter.h"

// The definitions live in this static library's resources, which the linker keeps only when
// something registers them.
static void initReportResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(reports);
        return true;
    }();
    Q_UNUSED(done);
}

// The program shows every report in one preview window, which shows the program's store.
TReportForm::TReportForm(const QString &caption, QObject *parent)
    : TRpForm(parent), Caption(caption), store_(RpPrinter())
{
}

void TReportForm::load(const QString &definition)
{
    initReportResources();
    readReportForm(*this, definition);
    RpReport1 = qobject_cast<TRpReport *>(findComponent(QStringLiteral("RpReport1")));
    if (!RpReport1)
        throw TRpError(QStringLiteral("Report form %1 has no RpReport1").arg(Name));
}

void TReportForm::bindEvent(TRpComponent *component, const QString &event, const QString &handler)
{
    auto *report = qobject_cast<TRpReport *>(component);
    if (report && event == QLatin1String("BeforePrint") && handler == QLatin1String("RpReport1BeforePrint"))
        report->BeforePrint = [this](TRpReport *sender, bool &printReport) {
            RpReport1BeforePrint(sender, printReport);
        };
    else
        TRpForm::bindEvent(component, event, handler);
}
