// The four tables of a collection folder as the tools open them: through the engine, each for
// exclusive use as the program opens them, so another program holding them is refused with the
// engine's own message. Also the fourteen-step index rebuild the program runs.
#pragma once

#include "TableDefinitions.h"

#include "Table.h"

#include <QString>
#include <array>
#include <memory>

namespace melvora {

// The absolute path of a table file of the folder.
QString tablePath(const QString &dir, const TableDefinition &def);

// Empty when the open table has exactly the fields of the definition (names, types, sizes, in
// order); otherwise a sentence saying what differs.
QString fieldsDifference(const tables::Table &table, const TableDefinition &def);

class CollectionTables {
public:
    // Opens Artista, CD, Retirada and Musica of dir; throws the engine's error at the first that
    // cannot be opened, and an EngineError when one does not have the collection's fields.
    explicit CollectionTables(const QString &dir);

    // In the order of tableDefinitions().
    tables::Table &table(int i) { return *tables_[size_t(i)]; }
    tables::Table &table(const QString &name);
    int totalRecords() const;

    // All fourteen steps, in the rebuild order: every index is built anew.
    void rebuildIndexes();

private:
    std::array<std::unique_ptr<tables::Table>, 4> tables_;
};

} // namespace melvora
