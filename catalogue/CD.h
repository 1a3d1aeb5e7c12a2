// The CD register, with two pages: "CD", the CD's own data with the same five buttons and
// states as the artist register (a saved edit rewrites the title in the CD's songs), and
// "Músicas", the songs of the current CD, added and removed directly in the song table.
#pragma once

#include "ChildForm.h"
#include "RegisterState.h"

#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
namespace dataaware {
class DBEdit;
class DBLookupComboBox;
class DBNavigator;
}

// The CD's artist and title as they were when "Editar" was last pressed; they live as long as
// the program.
extern QString CDArtistaAnterior;
extern QString CDTituloAnterior;

class TCDForm : public TChildForm {
    Q_OBJECT
public:
    explicit TCDForm(TFormPrincipal *owner);
    ~TCDForm() override;

    QTabWidget *PageControl1;
    QWidget *TabSheet1; // "CD"
    QWidget *TabSheet2; // "Músicas"

    // Page "CD"
    QLabel *Label1;
    dataaware::DBEdit *DBEdit1; // Titulo
    QLabel *Label10;
    dataaware::DBEdit *DBEdit5; // Numero
    QLabel *Label2;
    dataaware::DBEdit *DBEdit2; // Aquisicao
    QLabel *Label3;
    dataaware::DBLookupComboBox *DBLookupComboBox1; // Artista
    QLabel *Label4;
    dataaware::DBEdit *DBEdit4; // Estilo
    QPushButton *BitBtn7; // "Gravar"
    QPushButton *BitBtn5; // "Inserir"
    QPushButton *BitBtn6; // "Apagar"
    QLabel *Label5;
    dataaware::DBEdit *DBEdit3; // Retirada, display only
    dataaware::DBNavigator *DBNavigator1;
    QPushButton *BitBtn1; // "Cancela"
    QPushButton *BitBtn2; // "Editar"

    // Page "Músicas"
    QPushButton *BitBtn3; // "Apagar"
    QLabel *Label8;
    QLineEdit *t_musica;
    QPushButton *BitBtn8; // "Inserir"
    QLabel *Label9;
    QListWidget *ListBox1;
    QLabel *Label6;
    QLineEdit *t_artista;
    QLabel *Label7;
    QLineEdit *t_titulo;
    QGroupBox *GroupBox1;
    QRadioButton *RadioButton1; // "Normal"
    QRadioButton *RadioButton2; // "Alfabética"

    void FormPaint();
    void BitBtn5Click();
    void BitBtn2Click();
    void BitBtn7Click();
    void BitBtn1Click();
    void BitBtn6Click();
    void DBEdit1KeyPress(QChar &key);
    void DBEdit5KeyPress(QChar &key);
    void DBEdit2KeyPress(QChar &key);
    void DBLookupComboBox1KeyPress(QChar &key);
    void DBEdit4KeyPress(QChar &key);
    void PageControl1Change();

    void TabSheet2Enter();
    void CarregaMusicas();
    void RadioButton1Click();
    void RadioButton2Click();
    void BitBtn8Click();
    void BitBtn3Click();
    void t_musicaKeyPress(QChar &key);

protected:
    void FormClose() override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *buildCDPage();
    QWidget *buildSongPage();
    bool CDValido();
    // While an insert or edit is pending, any settle of the CD table comes to settlePending:
    // an untouched record is dropped, a typed one saved as "Gravar" saves it, so a new title
    // is never stored without being carried into the CD's songs.
    void ownPendingEdit();
    void settlePending();
    bool typedSomething() const; // the pending record holds more than a new CD's "N"
    // The acquisition date shows a text the field refuses: says so unless leaving the field
    // did, and puts the focus back on it.
    bool dateRefused();
    // "Gravar" without its buttons and focus: refuses a CD without artist or title (dropping
    // the record), else posts and carries the title into the songs; false when refused.
    bool save();
    void setState(catalogue::RegisterState state);
    void nextOnEnter(QWidget *from, QChar &key);
    void focusChanged(QWidget *old, QWidget *now);
    void focusSongEdit(); // focus on t_musica with its text selected
    // Puts the song table on a record the list shows as name; false when there is none.
    bool findListedSong(const QString &name);

    bool painted_ = false;
};
