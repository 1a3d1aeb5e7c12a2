// The progress window of a generation, print, save or load of one page store: a text, a bar
// and a Cancel button that sets that store's Cancelled flag. Enter and Escape press Cancel.
#pragma once

#include "RpProgress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class TRpPrinter;

class TRpProgressForm : public QDialog, public TRpProgress {
    Q_OBJECT
public:
    // The window's caption is the store's ProgressCaption.
    explicit TRpProgressForm(TRpPrinter &store, QWidget *parent = nullptr);

    void Show() override;
    void SetText(const QString &text) override;

    QLabel *Label1;
    QProgressBar *ProgressBar1;
    QPushButton *CancelBtn;

    void CancelBtnClick();

protected:
    void reject() override; // Escape
    void showPosition(int n) override;
    void showMaximum(int n) override;

private:
    TRpPrinter &store_;
};
