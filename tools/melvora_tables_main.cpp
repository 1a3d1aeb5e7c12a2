// melvora-tables: makes, checks and carries the table files of a collection.
//   melvora-tables create DIR                      the four empty tables with their indexes
//   melvora-tables sample DIR [--cds N --songs-per-cd M]
//                                                  a sample collection in new tables
//   melvora-tables check DIR [--repair]            what is wrong with the tables; --repair
//                                                  rebuilds the indexes and says what is left
// Exit status: 0 done (check: nothing wrong), 1 failed or faults found, 2 wrong arguments.
// No command runs on tables another program holds.
#include "CollectionCheck.h"
#include "CollectionFiles.h"
#include "EngineError.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "uso: melvora-tables create PASTA\n"
                         "     melvora-tables sample PASTA [--cds N --songs-per-cd M]\n"
                         "     melvora-tables check PASTA [--repair]\n");
    return 2;
}

void say(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
}

struct Arguments {
    QString command;
    QStringList positional;
    bool repair = false;
    bool sizeGiven = false;
    melvora::SampleSize size;
};

bool parse(const QStringList &args, Arguments &a)
{
    if (args.isEmpty())
        return false;
    a.command = args[0];
    for (int i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        bool ok = true;
        if (arg == "--cds" && i + 1 < args.size()) {
            a.size.cds = args[++i].toInt(&ok);
            a.sizeGiven = true;
        } else if (arg == "--songs-per-cd" && i + 1 < args.size()) {
            a.size.songsPerCd = args[++i].toInt(&ok);
            a.sizeGiven = true;
        } else if (arg == "--repair") {
            a.repair = true;
        } else if (arg.startsWith("--")) {
            return false;
        } else {
            a.positional << arg;
        }
        if (!ok || a.size.cds < 0 || a.size.songsPerCd < 0)
            return false;
    }
    const bool make = a.command == "create" || a.command == "sample";
    if (a.positional.size() != 1)
        return false;
    if (a.sizeGiven && a.command != "sample")
        return false;
    if (a.repair && a.command != "check")
        return false;
    return make || a.command == "check";
}

int check(const QString &dir, bool repair)
{
    if (!repair) {
        const QStringList faults = melvora::checkCollection(dir);
        for (const QString &f : faults)
            say(f);
        say(faults.isEmpty() ? QStringLiteral("Nenhum problema encontrado nas tabelas de %1.").arg(dir)
                             : QStringLiteral("%1 nas tabelas de %2.")
                                   .arg(faults.size() == 1 ? QStringLiteral("1 problema encontrado")
                                                           : QStringLiteral("%1 problemas encontrados").arg(faults.size()),
                                        dir));
        return faults.isEmpty() ? 0 : 1;
    }
    const melvora::RepairOutcome out = melvora::repairCollection(dir);
    for (const QString &f : out.found)
        say(f);
    if (out.found.isEmpty()) {
        say(QStringLiteral("Nenhum problema encontrado nas tabelas de %1; nada a corrigir.").arg(dir));
        return 0;
    }
    if (out.rebuilt)
        say(QStringLiteral("Os índices foram reconstruídos."));
    if (out.remaining.isEmpty()) {
        say(QStringLiteral("Tudo foi corrigido."));
        return 0;
    }
    say(QStringLiteral("Não foi possível corrigir:"));
    for (const QString &f : out.remaining)
        say(f);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Arguments a;
    if (!parse(app.arguments().mid(1), a))
        return usage();
    const QString dir = a.positional[0];
    try {
        if (a.command == "check")
            return check(dir, a.repair);
        if (!QDir().mkpath(dir))
            throw tables::EngineError(QStringLiteral("Não foi possível criar a pasta %1").arg(dir));
        melvora::createEmptyCollection(dir);
        if (a.command == "sample")
            melvora::fillSampleCollection(dir, a.size);
    } catch (const tables::EngineError &e) {
        std::fprintf(stderr, "melvora-tables: %s.\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
