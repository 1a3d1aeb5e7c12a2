// The checks that debug builds make of the engine's invariants.
#include "Connection.h"
#include "TableFixture.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#ifndef NDEBUG
namespace {

// One key of an index removed behind the engine's back, on a connection of its own (another
// program) or on the engine's own connection inside the running action (an engine fault).
int removeOneKey(sqlite3 *db)
{
    sqlite3_exec(db, "DELETE FROM idx0 WHERE rid = 1", nullptr, nullptr, nullptr);
    return sqlite3_changes(db);
}

int removeOneKey(const QString &file)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(file).constData(), &db);
    const int removed = removeOneKey(db);
    sqlite3_close(db);
    return removed;
}

} // namespace
#endif

class DebugChecks : public TableFixture {
protected:
    void makeSongs(const char *file)
    {
        tables::createTableFile(path(file), songSchema());
        auto &t = open(file);
        t.addIndex("imusica", "Musica", true);
        for (int i = 0; i < 5; ++i)
            add(t, {"artista", "titulo", QString("musica %1").arg(i)});
        closeAll();
    }
};

TEST_F(DebugChecks, CommitStopsTheProgramWhenTheActionPutsAnIndexOutOfStep)
{
#ifdef NDEBUG
    GTEST_SKIP() << "the check runs in debug builds only";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    makeSongs("songs.db");
    EXPECT_DEATH(
        {
            auto &t = open("songs.db");
            add(t, {"artista", "titulo", "outra"});
            const auto connection = tables::Connection::forTableFile(QFileInfo(path("songs.db")).absoluteFilePath());
            if (removeOneKey(connection->db()) == 1)
                tables::commitAll();
        },
        "index out of step after a commit: songs.db: o índice imusica não concorda com a tabela");
#endif
}

TEST_F(DebugChecks, AnIndexDamagedBeforeTheActionIsLeftForTheRebuild)
{
#ifdef NDEBUG
    GTEST_SKIP() << "the check runs in debug builds only";
#else
    // A damaged file is the user's data, not an engine fault: the program goes on, and the
    // rebuild mends the index; from then on the check holds it to its table again.
    makeSongs("songs.db");
    ASSERT_EQ(removeOneKey(path("songs.db")), 1);
    auto &t = open("songs.db");
    add(t, {"artista", "titulo", "mais uma"});
    tables::commitAll();
    EXPECT_EQ(t.recordCount(), 6);
    t.addIndex("imusica", "Musica", true);
    const auto connection = tables::Connection::forTableFile(QFileInfo(path("songs.db")).absoluteFilePath());
    add(t, {"artista", "titulo", "outra"});
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            if (removeOneKey(connection->db()) == 1)
                tables::commitAll();
        },
        "index out of step after a commit");
#endif
}
