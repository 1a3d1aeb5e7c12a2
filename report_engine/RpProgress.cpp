#include "RpProgress.h"

#include <QCoreApplication>
#include <algorithm>

void TRpProgress::SetText(const QString &text)
{
    text_ = text;
    QCoreApplication::processEvents();
}

void TRpProgress::SetMax(int n)
{
    max_ = n;
    step_ = std::max(1, n / 20);
    showMaximum(n);
}

void TRpProgress::Update(int n)
{
    if (max_ == 0 || n / step_ <= lastStep_)
        return;
    position_ = n;
    lastStep_ = n / step_;
    ++moves_;
    showPosition(n);
}
