// Progress reports that act on the store's work as it runs: a user pressing Cancel at a given
// page, and another program cutting the file being loaded.
#pragma once

#include "RpPrinter.h"
#include "RpProgress.h"

#include <QString>

// Cancels the store's work when the progress reaches page at.
class CancellingProgress : public TRpProgress {
public:
    CancellingProgress(TRpPrinter &store, int at) : store_(store), at_(at) {}

protected:
    void showPosition(int n) override;

private:
    TRpPrinter &store_;
    int at_;
};

// Cuts the file name to length once the load reaches page at (0: right after the header).
class CuttingProgress : public TRpProgress {
public:
    CuttingProgress(QString name, int at, qint64 length) : name_(std::move(name)), at_(at), length_(length) {}
    void SetText(const QString &text) override;

protected:
    void showPosition(int n) override;

private:
    QString name_;
    int at_;
    qint64 length_;
};
