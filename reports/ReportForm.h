// What the program's three report holders share: a report form that is never shown, read from
// its stored definition in the resources, whose report component RpReport1 fires the holder's
// before-print handler, and which generates into the program's page store. Each holder names
// the data sources its definition refers to before reading it.
#pragma once

#include "RpComponent.h"
#include "RpReport.h"

class TReportForm : public TRpForm {
    Q_OBJECT
public:
    QString Caption;
    TRpReport *RpReport1 = nullptr;

    // The store the report generates into.
    TRpPrinter &store() const { return store_; }
    // Generates the report and shows it through the store's preview hook.
    void Preview() { RpReport1->Preview(store_); }

protected:
    TReportForm(const QString &caption, QObject *parent);

    // Reads the definition (a ":/reports/..." resource) and finds RpReport1.
    void load(const QString &definition);

    virtual void RpReport1BeforePrint(TRpReport *sender, bool &printReport) = 0;

    void bindEvent(TRpComponent *component, const QString &event, const QString &handler) override;

private:
    TRpPrinter &store_;
};
