// The erase window "Reinicializar": deletes every record of the four tables one by one, with
// the progress over all of them, then enables "&Reinicializar" again and goes.
#pragma once

#include "JobForm.h"

class Tbarraform2 : public TJobForm {
    Q_OBJECT
public:
    explicit Tbarraform2(TFormPrincipal *owner);

protected:
    void FormPaint() override;
};
