// The faults of a user's bad day, for real: the program killed at random instants in the middle
// of cascades on a collection of 2,000 CDs, a disk that is really full, and a table file that
// really cannot be written. Each must leave the whole action stored or none of it.
#include "ActionDriver.h"
#include "Verify.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const kCascades[] = {"rename", "delete-artist", "retitle", "delete-cd", "checkout", "return", "erase"};

int killsWanted()
{
    const int n = qEnvironmentVariableIntValue("MELVORA_KILLS");
    return n > 0 ? n : 14;
}

// Runs the system's mount; false when this machine does not let us (not root, no tmpfs).
bool run(const QString &program, const QStringList &args)
{
    ProgramOptions options;
    options.timeoutMs = 20000;
    return runProgram(program, args, options).status == 0;
}

} // namespace

TEST(RandomKills, CascadesOnALargeCollectionStoreAllOrNothing)
{
    QTemporaryDir tmp;
    const QString pristine = tmp.filePath("pristine"), work = tmp.filePath("work");
    QDir().mkpath(pristine);
    ASSERT_EQ(drive({"sample", pristine, "2000"}).exitCode, 0);
    ASSERT_EQ(drive({"checkout", pristine}).exitCode, 0); // something for the return to take back
    const QStringList before = startUp(pristine).records;
    std::map<std::string, QStringList> after;
    std::map<std::string, qint64> duration;
    for (const char *action : kCascades) {
        copyFolder(pristine, work);
        QElapsedTimer clock;
        clock.start();
        ASSERT_EQ(drive({action, work}).exitCode, 0);
        duration[action] = clock.elapsed();
        after[action] = startUp(work).records;
        ASSERT_NE(after[action], before) << action;
    }
    QRandomGenerator rng(2026);
    int undone = 0, kept = 0;
    const int kills = killsWanted();
    for (int k = 0; k < kills; ++k) {
        const char *action = kCascades[k % std::size(kCascades)];
        copyFolder(pristine, work);
        QProcess p;
        p.start(QStringLiteral(ACTION_DRIVER), {action, work});
        // Killed once the action has begun, somewhere inside it.
        QByteArray seen;
        while (!seen.contains("ready\n") && p.waitForReadyRead(30000))
            seen += p.readAllStandardOutput();
        ASSERT_TRUE(seen.contains("ready\n")) << action;
        QThread::usleep(rng.bounded(quint32(duration[action] * 1000)));
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished(30000);
        const QStringList next = startUp(work).records;
        if (next == before)
            ++undone;
        else if (next == after[action])
            ++kept;
        else
            ADD_FAILURE() << action << ": half stored at kill " << k;
        for (const char *table : {"artista.db", "cd.db", "retirada.db", "musica.db"})
            EXPECT_EQ(tables::verifyTableFile(work + '/' + table), QStringList()) << table << " at kill " << k;
        if (HasFailure())
            return;
    }
    std::printf("%d kills: %d actions undone whole, %d kept whole, 0 half stored\n", kills, undone, kept);
}

class RealFault : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        folder = tmp.filePath("colecao");
        QDir().mkpath(folder);
    }
    void TearDown() override
    {
        for (const QString &m : mounts)
            run("umount", {m});
    }
    QTemporaryDir tmp;
    QString folder;
    QStringList mounts;
};

TEST_P(RealFault, FullDiskStoresNothingAndSaysSo)
{
    if (geteuid() != 0 || !run("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", folder}))
        GTEST_SKIP() << "a small tmpfs cannot be mounted here";
    mounts << folder;
    ASSERT_EQ(drive({"seed", folder}).exitCode, 0);
    const QStringList before = startUp(folder).records;
    // Fill what is left of the disk.
    QFile filler(folder + "/enchimento");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();
    const DriverRun r = drive({GetParam(), folder});
    EXPECT_EQ(r.exitCode, 0);
    const QStringList errors = r.lines.filter("Não há espaço em disco");
    ASSERT_EQ(errors.size(), 1) << r.lines.join(" / ").toStdString();
    EXPECT_TRUE(errors[0].contains("Nenhuma alteração desta operação foi gravada")) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QRegularExpression("(artista|cd|retirada|musica)\\.db"))) << errors[0].toStdString();
    EXPECT_EQ(startUp(folder).records, before);
    QFile::remove(folder + "/enchimento");
    expectSound(folder);
}

TEST_P(RealFault, ReadOnlyTableFileStoresNothingAndNamesIt)
{
    ASSERT_EQ(drive({"seed", folder}).exitCode, 0);
    const QStringList before = startUp(folder).records;
    // The table every cascade writes last: the others must not keep their part.
    const QString victim = GetParam() == std::string("checkout") ? "retirada.db" : "musica.db";
    const QString file = folder + '/' + victim;
    if (geteuid() == 0) {
        // Permissions do not stop root: a read-only bind mount of the one file does.
        if (!run("mount", {"--bind", file, file}))
            GTEST_SKIP() << "no bind mounts here";
        mounts << file;
        ASSERT_TRUE(run("mount", {"-o", "remount,ro,bind", file}));
    } else {
        ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0444), 0);
    }
    const DriverRun r = drive({GetParam(), folder});
    EXPECT_EQ(r.exitCode, 0);
    const QStringList errors = r.lines.filter("não pode ser gravado");
    ASSERT_EQ(errors.size(), 1) << r.lines.join(" / ").toStdString();
    EXPECT_TRUE(errors[0].contains(victim)) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("Nenhuma alteração desta operação foi gravada")) << errors[0].toStdString();
    EXPECT_EQ(startUp(folder).records, before);
}

INSTANTIATE_TEST_SUITE_P(RenameAndCheckout, RealFault, ::testing::Values("rename", "checkout"));
