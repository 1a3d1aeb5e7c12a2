// For the benchmarks: the generated collection they measure on, in a temporary folder that
// becomes the working folder, sized from the command line.
#pragma once

#include "CollectionFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdlib>

namespace bench {

// CDS SONGS_PER_CD as the only two arguments; 10000 × 10 = 100,000 songs otherwise.
inline melvora::SampleSize sampleSize(int argc, char **argv)
{
    melvora::SampleSize size{10000, 10};
    if (argc == 3) {
        size.cds = std::atoi(argv[1]);
        size.songsPerCd = std::atoi(argv[2]);
    }
    return size;
}

class SampleCollection {
public:
    explicit SampleCollection(const melvora::SampleSize &size) : size_(size)
    {
        QElapsedTimer clock;
        clock.start();
        melvora::createEmptyCollection(dir_.path());
        melvora::fillSampleCollection(dir_.path(), size_);
        secondsToMake_ = clock.nsecsElapsed() / 1e9;
        QDir::setCurrent(dir_.path());
    }
    SampleCollection(const SampleCollection &) = delete;
    SampleCollection &operator=(const SampleCollection &) = delete;

    int cds() const { return size_.cds; }
    int songs() const { return size_.cds * size_.songsPerCd; }
    double secondsToMake() const { return secondsToMake_; }
    QString filePath(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    melvora::SampleSize size_;
    double secondsToMake_ = 0;
};

} // namespace bench
