// The search window "Pesquisa": finds CDs by artist, CD title or song title and lists them in the
// read-only grid dbg with their lent flag and shelf number. It only reads the tables.
#pragma once

#include "ChildForm.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tables {
class Table;
}

class TPesquisaform : public TChildForm {
    Q_OBJECT
public:
    explicit TPesquisaform(TFormPrincipal *owner);

    QRadioButton *chk1; // Artista
    QRadioButton *chk2; // Título
    QRadioButton *chk3; // Música
    QLineEdit *texto;
    QPushButton *BitBtn1;
    QTableWidget *dbg; // row 0 holds the headers, results start at row 1

    void FormShow();
    void BitBtn1Click();
    void chk1Click();
    void chk2Click();
    void chk3Click();
    void textoKeyPress(QChar &key);

protected:
    void FormClose() override;

private:
    void setColumns(const QStringList &headers, const QList<int> &widths);
    void resetGrid();
    void setCell(int row, int col, const QString &text);
    void notFound();
    // Walks table from the record found by key while its field matches the search text,
    // letting write fill each row.
    void scan(tables::Table *table, const QString &field, const QString &text,
              const std::function<void(int row)> &write);

    QWidget *contents_;
};
