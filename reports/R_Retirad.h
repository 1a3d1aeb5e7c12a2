// The checkout report's holder R_RetiradaForm: one line per CD lent out now, in whatever order
// the shared checkout cursor has. Its creation installs Showpreview as the page store's preview
// hook, so that every report of the program is previewed in PrevForm.
#pragma once

#include "ReportForm.h"

class TDataModule1;

class TR_RetiradaForm : public TReportForm {
    Q_OBJECT
public:
    explicit TR_RetiradaForm(TDataModule1 *dataModule, QObject *parent = nullptr);
    ~TR_RetiradaForm() override;

    // The page store's preview hook: shows PrevForm modally and returns once it is closed.
    void Showpreview();

protected:
    void FormCreate();
    void RpReport1BeforePrint(TRpReport *sender, bool &printReport) override;

private:
    TDataModule1 *dataModule_;
};

extern TR_RetiradaForm *R_RetiradaForm;
