// Checking a collection folder as a whole: each table file (its integrity and its fields), each
// of the fourteen indexes (there, trusted by its descriptor pair, and agreeing with its table's
// records), and the rules that tie the tables together: every CD marked "S" has a checkout, every
// checkout's CD exists and is marked "S", every song's CD exists. And the repair: the fourteen
// steps of the program's index rebuild, then the same check again.
#pragma once

#include <QString>
#include <QStringList>

namespace melvora {

// The faults found, one sentence each; empty when the collection is sound. Throws EngineError,
// having checked nothing, when another program holds the tables. The tables are opened as the
// program opens them, which drops an index its descriptor pair no longer names (the program would
// rebuild it at start-up); such an index is reported as missing.
QStringList checkCollection(const QString &dir);

struct RepairOutcome {
    QStringList found;      // the faults before the repair
    bool rebuilt = false;   // the fourteen steps ran on every table that opens
    QStringList remaining;  // what the rebuild did not mend
};

// Checks; when anything is wrong, rebuilds the indexes of every table that opens (all fourteen
// steps, in order) and checks again. The links between the tables are never changed: which of a
// CD and its checkout is right is for the user to say.
RepairOutcome repairCollection(const QString &dir);

} // namespace melvora
