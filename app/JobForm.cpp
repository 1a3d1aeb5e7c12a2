#include "JobForm.h"

#include "ErrorReport.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

TJobForm::TJobForm(TFormPrincipal *owner, const QString &caption, const QString &title)
    : TChildForm(owner, caption, Box::SystemMenuOnly)
{
    auto *contents = new QWidget;
    Label1 = new QLabel(title);
    ProgressBar1 = new QProgressBar;
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMinimumWidth(260);
    Label1->setBuddy(ProgressBar1);
    Label2 = new QLabel(QStringLiteral("0%"));
    Label3 = new QLabel(QStringLiteral("100%"));
    auto *layout = new QGridLayout(contents);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(ProgressBar1, 1, 0, 1, 2);
    layout->addWidget(Label2, 2, 0, Qt::AlignLeft);
    layout->addWidget(Label3, 2, 1, Qt::AlignRight);
    showInFrame(contents);
}

void TJobForm::stepProgress()
{
    // setValue repaints at once whenever the change shows on the bar; the job does not yield
    // to the event loop, so no other repaint would come.
    ProgressBar1->setValue(ProgressBar1->value() + 1);
}

void TJobForm::release()
{
    deleteLater();
}

void TJobForm::paintEvent(QPaintEvent *event)
{
    TChildForm::paintEvent(event);
    if (started_)
        return;
    started_ = true;
    // Started from the event loop just after this paint, so the window is on the screen and
    // the bar can be repainted from inside the job.
    QTimer::singleShot(0, this, melvora::reportingErrors([this] { FormPaint(); }));
}
