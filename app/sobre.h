// The About window "Sobre": the application icon, "Melvora", "Versão 2.7" and "1996/1999" on a
// bevelled panel. It has no buttons; closing it enables "&Sobre" and "Sobre..." again.
#pragma once

#include "ChildForm.h"

class QFrame;
class QLabel;

class TSobreForm : public TChildForm {
    Q_OBJECT
public:
    explicit TSobreForm(TFormPrincipal *owner);

    QFrame *Panel1;
    QLabel *Image1;
    QLabel *ProductName;
    QLabel *Version;
    QLabel *YearsLabel;

protected:
    void FormClose() override;
};
