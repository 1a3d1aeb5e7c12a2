#include "ProgramRun.h"

#include <QProcess>

ProgramRun runProgram(const QString &program, const QStringList &args, const ProgramOptions &options)
{
    QProcess p;
    if (!options.workingDir.isEmpty())
        p.setWorkingDirectory(options.workingDir);
    if (!options.environment.isEmpty())
        p.setProcessEnvironment(options.environment);
    p.start(program, args);
    ProgramRun run;
    const bool ended = p.waitForFinished(options.timeoutMs);
    if (ended && p.exitStatus() == QProcess::NormalExit)
        run.status = p.exitCode();
    if (!ended) {
        p.kill();
        p.waitForFinished(5000);
    }
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}
