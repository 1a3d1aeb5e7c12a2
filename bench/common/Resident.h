// For the benchmarks: the memory the process holds now.
#pragma once

#include <QFile>
#include <QList>
#include <unistd.h>

namespace bench {

// Resident bytes of this process, 0 where the system does not say.
inline qint64 residentBytes()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> f = statm.readAll().split(' ');
    return f.size() > 1 ? f[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

} // namespace bench
