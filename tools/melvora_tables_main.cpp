// melvora-tables: makes, checks and carries the table files of a collection.
//   melvora-tables create DIR                      the four empty tables with their indexes
//   melvora-tables sample DIR [--cds N --songs-per-cd M]
//                                                  a sample collection in new tables
//   melvora-tables check DIR [--repair]            what is wrong with the tables; --repair
//                                                  rebuilds the indexes and says what is left
//   melvora-tables export DIR --csv OUTDIR         the four tables as CSV files
//   melvora-tables import DIR --csv INDIR [--force]
//                                                  the CSV files as the tables' records
//   melvora-tables backup DIR FILE [--force]       one archive file of the four tables
//   melvora-tables restore FILE DIR [--force]      the tables of an archive, checked, into DIR
// Exit status: 0 done (check: nothing wrong), 1 failed or faults found, 2 wrong arguments.
// No command runs on tables another program holds.
#include "CollectionCheck.h"
#include "CollectionFiles.h"
#include "CsvTables.h"
#include "EngineError.h"
#include "TablesArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "uso: melvora-tables create PASTA\n"
                         "     melvora-tables sample PASTA [--cds N --songs-per-cd M]\n"
                         "     melvora-tables check PASTA [--repair]\n"
                         "     melvora-tables export PASTA --csv PASTA_CSV\n"
                         "     melvora-tables import PASTA --csv PASTA_CSV [--force]\n"
                         "     melvora-tables backup PASTA ARQUIVO [--force]\n"
                         "     melvora-tables restore ARQUIVO PASTA [--force]\n");
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
    bool force = false;
    QString csv;
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
        } else if (arg == "--force") {
            a.force = true;
        } else if (arg == "--csv" && i + 1 < args.size() && a.csv.isNull()) {
            a.csv = args[++i];
        } else if (arg.startsWith("--")) {
            return false;
        } else {
            a.positional << arg;
        }
        if (!ok || a.size.cds < 0 || a.size.songsPerCd < 0)
            return false;
    }
    const bool make = a.command == "create" || a.command == "sample";
    const bool archive = a.command == "backup" || a.command == "restore";
    if (a.positional.size() != (archive ? 2 : 1))
        return false;
    if (a.sizeGiven && a.command != "sample")
        return false;
    if (a.repair && a.command != "check")
        return false;
    const bool csv = a.command == "export" || a.command == "import";
    if (csv != !a.csv.isEmpty() || (a.force && a.command != "import" && !archive))
        return false;
    return make || csv || archive || a.command == "check";
}

int check(const QString &dir, bool repair)
{
    if (!repair) {
        const QStringList faults = melvora::checkCollection(dir);
        for (const QString &f : faults)
            say(f);
        say(faults.isEmpty()
                ? QStringLiteral("Nenhum problema encontrado nas tabelas de %1.").arg(dir)
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

QString counted(const std::array<int, 4> &n)
{
    const char *one[] = {"artista", "CD", "retirada", "música"};
    const char *many[] = {"artistas", "CDs", "retiradas", "músicas"};
    QStringList parts;
    for (int i = 0; i < 4; ++i)
        parts << QStringLiteral("%1 %2")
                     .arg(n[size_t(i)])
                     .arg(QString::fromUtf8(n[size_t(i)] == 1 ? one[i] : many[i]));
    return parts.join(QStringLiteral(", "));
}

int importCsv(const QString &dir, const QString &csvDir, bool force)
{
    const melvora::ImportOutcome out = melvora::importCsv(dir, csvDir, force);
    if (!out.badRows.isEmpty()) {
        for (const QString &row : out.badRows)
            std::fprintf(stderr, "%s\n", row.toLocal8Bit().constData());
        std::fprintf(stderr, "melvora-tables: %s; nada foi importado.\n",
                     (out.badRows.size() == 1
                          ? QStringLiteral("1 problema nos arquivos CSV")
                          : QStringLiteral("%1 problemas nos arquivos CSV").arg(out.badRows.size()))
                         .toLocal8Bit()
                         .constData());
        return 1;
    }
    say(QStringLiteral("Importados em %1: %2.").arg(dir, counted(out.stored)));
    return 0;
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
        if (a.command == "export") {
            say(QStringLiteral("Exportados para %1: %2.")
                    .arg(a.csv, counted(melvora::exportCsv(dir, a.csv))));
            return 0;
        }
        if (a.command == "import")
            return importCsv(dir, a.csv, a.force);
        if (a.command == "backup") {
            const auto n = melvora::backupCollection(dir, a.positional[1], a.force);
            say(QStringLiteral("Cópia das tabelas de %1 gravada em %2: %3.")
                    .arg(dir, a.positional[1], counted(n)));
            return 0;
        }
        if (a.command == "restore") {
            const auto n = melvora::restoreCollection(a.positional[0], a.positional[1], a.force);
            say(QStringLiteral("Tabelas da cópia %1 restauradas em %2: %3.")
                    .arg(a.positional[0], a.positional[1], counted(n)));
            return 0;
        }
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
