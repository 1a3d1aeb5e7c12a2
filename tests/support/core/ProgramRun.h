// Runs another program of the build as a user or a script would, and keeps what it said.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ProgramRun {
    int status = -1; // the exit code; -1 when it crashed or did not end in time
    QString out, err;
};

struct ProgramOptions {
    QString workingDir;              // empty: this program's own
    QProcessEnvironment environment; // empty: this program's own
    int timeoutMs = 120000;
};

ProgramRun runProgram(const QString &program, const QStringList &args, const ProgramOptions &options = {});
