// The return window "Retorno": pages through the open checkouts in artist order and, on Ok,
// deletes the one shown and marks its CD back on the shelf ("N").
#pragma once

#include "ChildForm.h"

class QPushButton;

namespace dataaware {
class DBEdit;
class DBNavigator;
} // namespace dataaware

class TRetornoform : public TChildForm {
    Q_OBJECT
public:
    explicit TRetornoform(TFormPrincipal *owner);

    dataaware::DBEdit *DBEdit6; // Artista
    dataaware::DBEdit *DBEdit5; // Título
    dataaware::DBEdit *DBEdit3; // Telefone
    dataaware::DBEdit *DBEdit4; // Data Entrega
    dataaware::DBEdit *DBEdit1; // Data Retirada
    dataaware::DBEdit *DBEdit2; // Responsável
    dataaware::DBNavigator *DBNavigator1;
    QPushButton *BitBtn1;

    void FormShow();
    void BitBtn1Click();

protected:
    void FormClose() override;
};
