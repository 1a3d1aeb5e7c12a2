// melvora-tables: makes the table files of a collection.
//   melvora-tables create DIR                      the four empty tables with their indexes
//   melvora-tables sample DIR [--cds N --songs-per-cd M]
//                                                  a sample collection in new tables
#include "CollectionFiles.h"
#include "EngineError.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

static int usage()
{
    std::fprintf(stderr, "uso: melvora-tables create PASTA\n"
                         "     melvora-tables sample PASTA [--cds N --songs-per-cd M]\n");
    return 2;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString command = args[0], dir = args[1];
    melvora::SampleSize size;
    for (int i = 2; i < args.size(); ++i) {
        bool ok = false;
        if (args[i] == "--cds" && i + 1 < args.size())
            size.cds = args[++i].toInt(&ok);
        else if (args[i] == "--songs-per-cd" && i + 1 < args.size())
            size.songsPerCd = args[++i].toInt(&ok);
        if (!ok || size.cds < 0 || size.songsPerCd < 0)
            return usage();
    }
    if (command != "create" && command != "sample")
        return usage();
    try {
        if (!QDir().mkpath(dir))
            throw tables::EngineError(QStringLiteral("Não foi possível criar a pasta %1").arg(dir));
        melvora::createEmptyCollection(dir);
        if (command == "sample")
            melvora::fillSampleCollection(dir, size);
    } catch (const tables::EngineError &e) {
        std::fprintf(stderr, "melvora-tables: %s.\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
