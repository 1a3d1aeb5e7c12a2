// The program's own report preview window PrevForm ("Relatório"): created hidden at start-up,
// shown modally and maximised for each report by the page store's preview hook, hidden again
// when closed. A tool bar pages (page box with its arrows), zooms (10 to 300 in steps of 10,
// arrows only; page width; whole page) and prints; the preview control shows the page.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TRpPreview;
class TRpPrinter;
class TUpDown;

class TPrevForm : public QDialog {
    Q_OBJECT
public:
    // Shows and prints the pages of that store.
    explicit TPrevForm(TRpPrinter &store, QWidget *parent = nullptr);

    // Shows the window maximised and modally; returns once it is closed.
    void ShowModal();

    QWidget *Panel1;
    QLabel *Label1;       // "Página"
    QLineEdit *Edit1;     // the page box
    TUpDown *UpDown1;
    QLabel *Label2;       // "Zoom"
    QSpinBox *SpinEdit2;  // the zoom box
    QPushButton *BitBtn4; // page width
    QPushButton *BitBtn3; // whole page
    QPushButton *BitBtn1; // print
    QPushButton *BitBtn2; // close
    TRpPreview *RpPreview1;

    void FormShow();
    void SpinEdit2Change();
    void UpDown1Click();
    void BitBtn4Click();
    void BitBtn3Click();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showFittedZoom();

    TRpPrinter &store_;
};

extern TPrevForm *PrevForm;
