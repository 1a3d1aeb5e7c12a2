#include "UpDown.h"

#include "ErrorReport.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TUpDown::TUpDown(QLineEdit *associate, QWidget *parent)
    : QWidget(parent), associate_(associate), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton *b : {up_, down_}) {
        b->setArrowType(b == up_ ? Qt::UpArrow : Qt::DownArrow);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(17, 12);
        layout->addWidget(b);
    }
    up_->setAccessibleName(QStringLiteral("Aumenta"));
    down_->setAccessibleName(QStringLiteral("Diminui"));
    connect(up_, &QToolButton::clicked, this, melvora::reportingErrors([this] { click(btNext); }));
    connect(down_, &QToolButton::clicked, this, melvora::reportingErrors([this] { click(btPrev); }));
    if (associate_)
        associate_->installEventFilter(this);
    SetPosition(0);
}

void TUpDown::SetRange(int min, int max)
{
    min_ = min;
    max_ = std::max(min, max);
    SetPosition(position_);
}

void TUpDown::SetPosition(int position)
{
    position_ = std::clamp(position, min_, max_);
    if (associate_)
        associate_->setText(QString::number(position_));
}

void TUpDown::click(TUDBtnType button)
{
    SetPosition(button == btNext ? position_ + Increment : position_ - Increment);
    emit Click(button);
}

bool TUpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == associate_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            melvora::runReportingErrors([&] { click(key == Qt::Key_Up ? btNext : btPrev); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
