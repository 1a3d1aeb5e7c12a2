// The checks that debug builds make of the engine's invariants.
#include "TableFixture.h"

#include <QFile>
#include <sqlite3.h>

#ifndef NDEBUG
namespace {

// Another program removes one key of an index behind the engine's back; the engine's next
// commit must notice that the index no longer agrees with its table.
int removeOneKey(const QString &file)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(file).constData(), &db);
    sqlite3_exec(db, "DELETE FROM idx0 WHERE rid = 1", nullptr, nullptr, nullptr);
    const int removed = sqlite3_changes(db);
    sqlite3_close(db);
    return removed;
}

} // namespace
#endif

class DebugChecks : public TableFixture {};

TEST_F(DebugChecks, CommitStopsTheProgramWhenAnIndexDisagreesWithItsTable)
{
#ifdef NDEBUG
    GTEST_SKIP() << "the check runs in debug builds only";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const char *file : {"songs.db", "sound.db"}) {
        tables::createTableFile(path(file), songSchema());
        auto &t = open(file);
        t.addIndex("imusica", "Musica", true);
        for (int i = 0; i < 5; ++i)
            add(t, {"artista", "titulo", QString("musica %1").arg(i)});
        closeAll();
    }
    ASSERT_EQ(removeOneKey(path("songs.db")), 1);
    EXPECT_DEATH(
        {
            auto &t = open("songs.db");
            add(t, {"artista", "titulo", "outra"});
            tables::commitAll();
        },
        "index out of step after a commit: songs.db: o índice imusica não concorda com a tabela");
    // Sound commits pass the same check.
    auto &t = open("sound.db");
    add(t, {"artista", "titulo", "mais uma"});
    tables::commitAll();
    EXPECT_EQ(t.recordCount(), 6);
#endif
}
