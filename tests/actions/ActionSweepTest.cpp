// Every user action that writes is all or nothing: the program is ended, or the disk refuses to
// go on, at each write, sync, truncate and delete the action makes, in turn; the next start-up
// must then find the tables as they were before the action or as they are after it, every
// index in agreement with its table, and never half of the action.
#include "ActionDriver.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

class ActionSweep : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        pristine = tmp.filePath("pristine");
        work = tmp.filePath("work");
        QDir().mkpath(pristine);
        ASSERT_EQ(drive({"seed", pristine}).exitCode, 0);
        before = startUp(pristine).records;
        copyFolder(pristine, work);
        const DriverRun counted = drive({GetParam(), work, "--count"});
        ASSERT_EQ(counted.exitCode, 0);
        ASSERT_TRUE(counted.lines.filter(QRegularExpression("^ops \\d+$")).size() == 1) << counted.lines.join('\n').toStdString();
        operations = counted.lines.filter(QRegularExpression("^ops ")).first().mid(4).toInt();
        after = startUp(work).records;
        ASSERT_GT(operations, 0);
    }

    QTemporaryDir tmp;
    QString pristine, work;
    QStringList before, after;
    int operations = 0;
};

} // namespace

TEST_P(ActionSweep, KilledAtAnyWriteStoresAllOrNothing)
{
    const bool changes = before != after;
    int sawBefore = 0, sawAfter = 0;
    for (int n = 1; n <= operations; ++n) {
        copyFolder(pristine, work);
        const DriverRun killed = drive({GetParam(), work, "--kill-at", QString::number(n)});
        ASSERT_EQ(killed.exitCode, 99) << "not killed at operation " << n;
        const bool interrupted = journalInForce(work);
        const State next = startUp(work);
        if (next.records == before)
            ++sawBefore;
        else if (next.records == after)
            ++sawAfter;
        else
            ADD_FAILURE() << GetParam() << ": half stored when killed at operation " << n << " of " << operations;
        // The start-up says so when it had to settle an interrupted write, and only then.
        EXPECT_EQ(next.boxes.size(), interrupted ? 1 : 0) << n << ": " << next.boxes.join(" / ").toStdString();
        expectSound(work);
        if (HasFailure())
            return;
    }
    // Both ends were reached: early kills undo the action, late ones keep it.
    EXPECT_GT(sawBefore, 0);
    if (changes) {
        EXPECT_GT(sawAfter, 0);
    }
}

TEST_P(ActionSweep, DiskFullAtAnyWriteStoresNothingAndSaysWhichFile)
{
    for (int n = 1; n <= operations; ++n) {
        copyFolder(pristine, work);
        const DriverRun failed = drive({GetParam(), work, "--fail-at", QString::number(n)});
        ASSERT_EQ(failed.exitCode, 0) << "the program did not carry on after a full disk at operation " << n;
        const QStringList errors = failed.lines.filter("Não há espaço em disco");
        const State next = startUp(work);
        // Failed once the action was stored (SQLite tidying its journals): said so, or nothing to say.
        if (next.records == after && before != after) {
            EXPECT_TRUE(errors.isEmpty() || errors[0].contains("A operação foi gravada inteira apesar do erro"))
                << n << ": " << errors.join(" / ").toStdString();
            continue;
        }
        EXPECT_EQ(next.records, before) << GetParam() << ": stored in part with the disk full at operation " << n;
        // A rebuild changes no record: the disk may fail only while SQLite tidies up after the
        // last index, which the program then need not mention.
        if (before == after && errors.isEmpty()) {
            expectSound(work);
            continue;
        }
        ASSERT_EQ(errors.size(), 1) << n << ": " << failed.lines.join(" / ").toStdString();
        EXPECT_TRUE(errors[0].contains(QRegularExpression("(artista|cd|retirada|musica)\\.(db|XG\\d|YG\\d)")))
            << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains("Nenhuma alteração desta operação foi gravada")
                    || errors[0].contains("A operação foi gravada inteira apesar do erro"))
            << errors[0].toStdString();
        expectSound(work);
        if (HasFailure())
            return;
    }
}

// The disk fails midway, the action is undone, then room is made and the user goes on and closes
// the windows: whatever the windows still hold of the failed action must not be stored now.
TEST_P(ActionSweep, DiskFullThenFreedNeverStoresHalfLater)
{
    const QString action = GetParam();
    if (action == "erase" || action == "rebuild")
        GTEST_SKIP() << "its window holds no record of the action";
    for (int n = 1; n <= operations; ++n) {
        copyFolder(pristine, work);
        const DriverRun failed = drive({GetParam(), work, "--fail-at", QString::number(n), "--disk-freed"});
        ASSERT_EQ(failed.exitCode, 0) << "the program did not carry on after a full disk at operation " << n;
        const State next = startUp(work);
        EXPECT_TRUE(next.records == before || next.records == after)
            << GetParam() << ": half stored after the disk was full at operation " << n << " and freed: "
            << failed.lines.join(" / ").toStdString();
        expectSound(work);
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Cascades, ActionSweep,
                         ::testing::Values("rename", "delete-artist", "retitle", "delete-cd", "checkout", "return",
                                           "erase", "rebuild"),
                         [](const auto &info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
