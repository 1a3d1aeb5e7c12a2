// Holding the table files of a folder against other programs with SQLite's own exclusive lock,
// the lock the engine keeps on a table open for exclusive use. While a TableLocks lives, the
// program (or another tool) cannot open those tables, and a table the program holds is refused
// here at once. Used where the tools work on the files themselves rather than through the engine
// (the archive of the tables, the swap of a restore) and to tell "held" apart from "damaged".
#pragma once

#include <QString>
#include <vector>

struct sqlite3;

namespace melvora {

class TableLocks {
public:
    // Locks each of the four table files of dir that exists. Throws EngineError "A tabela X está
    // em uso por outro programa" when another program holds one; a file that is not a database
    // cannot be opened by anyone and is left unlocked. A journal left by a crash is rolled back,
    // as the next open by the program would.
    explicit TableLocks(const QString &dir);
    ~TableLocks();
    TableLocks(const TableLocks &) = delete;
    TableLocks &operator=(const TableLocks &) = delete;

    // The connection that holds the table file (its schema "main"), or null when that file is
    // missing or is not a database.
    sqlite3 *connection(const QString &fileName) const;

private:
    struct Held {
        QString fileName;
        sqlite3 *db;
    };
    std::vector<Held> held_;
};

// Throws the same error as TableLocks when another program holds a table of dir; holds nothing.
void refuseIfHeld(const QString &dir);

} // namespace melvora
