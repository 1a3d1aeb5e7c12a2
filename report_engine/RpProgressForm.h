// The progress window of a generation, print, save or load: a text, a bar and a Cancel button
// that sets the page store's Cancelled flag. Enter and Escape press Cancel.
#pragma once

#include "RpProgress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class TRpProgressForm : public QDialog, public TRpProgress {
    Q_OBJECT
public:
    explicit TRpProgressForm(const QString &caption, QWidget *parent = nullptr);

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
};
