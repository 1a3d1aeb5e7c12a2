// The index rebuild window "Indexa": rebuilds all fourteen secondary indexes of the four tables,
// one step each, then enables "&Manutenção" again and goes.
#pragma once

#include "JobForm.h"

class Tindexaform : public TJobForm {
    Q_OBJECT
public:
    explicit Tindexaform(TFormPrincipal *owner);

protected:
    void FormPaint() override;
};
