// Making collections on disk: the four empty tables with all fourteen indexes, and sample
// collections (a realistic one, or a large generated one for benchmarks).
#pragma once

#include <QString>

namespace melvora {

// Creates the four empty table files in dir and builds their indexes. Refuses, before writing
// anything, when any of the four table files exists already.
void createEmptyCollection(const QString &dir);

struct SampleSize {
    int cds = 0;          // 0: the realistic collection of about 150 CDs
    int songsPerCd = 12;
};

// Fills the (empty) tables of dir with a sample collection.
void fillSampleCollection(const QString &dir, const SampleSize &size);

} // namespace melvora
