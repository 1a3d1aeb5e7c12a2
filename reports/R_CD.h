// The CD report's holder R_CDForm: every CD of the collection by artist, one line each with
// artist, title, acquisition date, style, number and lent flag. It reads the data module's
// shared CD cursor and leaves it on index "iartista".
#pragma once

#include "ReportForm.h"

class TDataModule1;

class TR_CDForm : public TReportForm {
    Q_OBJECT
public:
    explicit TR_CDForm(TDataModule1 *dataModule, QObject *parent = nullptr);

protected:
    void RpReport1BeforePrint(TRpReport *sender, bool &printReport) override;

private:
    TDataModule1 *dataModule_;
};

extern TR_CDForm *R_CDForm;
