#include "RpProgressForm.h"
#include "ErrorReport.h"
#include "RpPrinter.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

TRpProgressForm::TRpProgressForm(TRpPrinter &store, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), store_(store)
{
    setWindowTitle(store.ProgressCaption);
    setFixedSize(400, 140);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this); // first in tab order
    CancelBtn->setGeometry(170, 75, 60, 26);
    CancelBtn->setDefault(true);
    Label1 = new QLabel(this);
    Label1->move(20, 10);
    Label1->resize(360, 20);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(20, 40, 360, 20);
    ProgressBar1->setTextVisible(false);
    showMaximum(0);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    connect(CancelBtn, &QPushButton::clicked, this, melvora::reportingErrors(this, &TRpProgressForm::CancelBtnClick));
}

void TRpProgressForm::Show()
{
    show();
    setCursor(Qt::WaitCursor);
}

void TRpProgressForm::SetText(const QString &text)
{
    Label1->setText(text);
    TRpProgress::SetText(text);
}

void TRpProgressForm::CancelBtnClick()
{
    store_.Cancel();
}

void TRpProgressForm::reject()
{
    CancelBtn->click();
}

void TRpProgressForm::showPosition(int n)
{
    ProgressBar1->setValue(n);
}

void TRpProgressForm::showMaximum(int n)
{
    // A bar whose range is empty is Qt's busy indicator, full and animated; without a
    // maximum the bar stands still and empty instead.
    ProgressBar1->setRange(0, std::max(n, 1));
    ProgressBar1->setValue(0);
}
