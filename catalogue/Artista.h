// The artist register: browse the artists in alphabetical order, add, rename and delete them.
// A rename is carried into every CD and song of the artist, a delete deletes them; checkouts
// are never touched. The button states are the table of RegisterState.h.
#pragma once

#include "ChildForm.h"
#include "RegisterState.h"

#include <QString>

class QLabel;
class QPushButton;
namespace dataaware {
class DBEdit;
class DBNavigator;
}

// The artist's name as it was when "Editar" was last pressed; lives as long as the program.
extern QString ArtistaAnterior;

class TArtistaForm : public TChildForm {
    Q_OBJECT
public:
    explicit TArtistaForm(TFormPrincipal *owner);
    ~TArtistaForm() override;

    dataaware::DBNavigator *DBNavigator1;
    QLabel *Label2;
    dataaware::DBEdit *DBEdit1;
    QPushButton *BitBtn7; // "Gravar"
    QPushButton *BitBtn5; // "Inserir"
    QPushButton *BitBtn6; // "Apagar"
    QPushButton *BitBtn1; // "Cancela"
    QPushButton *BitBtn2; // "Editar"

    void FormShow();
    void BitBtn5Click();
    void BitBtn2Click();
    void BitBtn7Click();
    void BitBtn1Click();
    void BitBtn6Click();
    void DBEdit1KeyPress(QChar &key);

protected:
    void FormClose() override;
    void showEvent(QShowEvent *event) override;

private:
    bool ArtistaValido();
    // While an insert or edit is pending, any settle of the artist table comes to
    // settlePending: an untouched record is dropped, a typed one saved as "Gravar" saves it,
    // so a rename is never stored without being carried into the CDs and songs.
    void ownPendingEdit();
    void settlePending();
    // "Gravar" without its buttons and focus: refuses an empty name (dropping the record),
    // else posts and carries a rename; false when refused.
    bool save();
    void setState(catalogue::RegisterState state);

    QWidget *contents_;
    bool shown_ = false;
};
