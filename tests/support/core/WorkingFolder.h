// A temporary folder made the working directory for as long as it lives: the tests' files land
// there and go with it. The previous working directory is restored first.
#pragma once

#include <QString>
#include <QTemporaryDir>

class WorkingFolder {
    Q_DISABLE_COPY(WorkingFolder)

public:
    WorkingFolder();
    ~WorkingFolder();

    // Created and entered; a fixture asserts this before it uses the folder.
    bool isValid() const { return entered_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
    bool entered_ = false;
};
