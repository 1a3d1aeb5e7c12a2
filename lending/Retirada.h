// The checkout window "Retirada": composes one new checkout (artist, title, the two dates,
// borrower, telephone), stores it on Ok and marks the CD lent ("S").
//
// The entry in progress lives in a cursor of this window's own on the checkout table, not in
// the data module's shared one: the return window and the checkout report move the shared
// cursor, and a move there would otherwise store a half-typed checkout behind the user's back
// (without marking its CD) or drop it. Only Ok stores the entry; closing the window drops it.
#pragma once

#include "ChildForm.h"
#include "DataSource.h"
#include "Table.h"

class QLabel;
class QPushButton;

namespace dataaware {
class DBEdit;
class DBListBox;
class DBLookupComboBox;
} // namespace dataaware

class TRetiradaForm : public TChildForm {
    Q_OBJECT
public:
    explicit TRetiradaForm(TFormPrincipal *owner);
    ~TRetiradaForm() override;

    dataaware::DBLookupComboBox *DBLookupComboBox1;
    dataaware::DBListBox *combo_titulo;
    dataaware::DBEdit *DBEdit1; // Data Retirada
    dataaware::DBEdit *DBEdit2; // Responsável
    dataaware::DBEdit *DBEdit3; // Telefone
    dataaware::DBEdit *DBEdit4; // Data Entrega
    QPushButton *BitBtn1;

    // The checkout being composed, and the source its controls are bound to.
    tables::Table &entry() { return entry_; }
    dataaware::DataSource *entrySource() const { return entrySource_; }

    void FormShow();
    void DBLookupComboBox1Click();
    void BitBtn1Click();
    void DBEdit1KeyPress(QChar &key);
    void DBEdit4KeyPress(QChar &key);
    void DBLookupComboBox1KeyPress(QChar &key);
    void combo_tituloKeyPress(QChar &key);
    void DBEdit2KeyPress(QChar &key);
    void DBEdit3KeyPress(QChar &key);

protected:
    void FormClose() override;

private:
    void listTitles(const QString &artist);
    void dateKeyPress(dataaware::DBEdit *edit, QChar &key);
    void enterMovesOn(QWidget *control, QChar &key);

    QWidget *contents_;
    tables::Table entry_;
    dataaware::DataSource *entrySource_;
};
