#include "StoreProgress.h"

#include <QFile>

void CancellingProgress::showPosition(int n)
{
    if (n == at_)
        store_.Cancel();
}

void CuttingProgress::SetText(const QString &text)
{
    TRpProgress::SetText(text);
    if (at_ == 0)
        QFile::resize(name_, length_);
}

void CuttingProgress::showPosition(int n)
{
    if (n == at_)
        QFile::resize(name_, length_);
}
