#include "CollectionCheck.h"

#include "CollectionTables.h"
#include "TableLocks.h"

#include "EngineError.h"
#include "SortKey.h"
#include "Table.h"
#include "Transactions.h"
#include "Verify.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <array>
#include <memory>
#include <sys/stat.h>

namespace melvora {

namespace {

using TableSet = std::array<std::unique_ptr<tables::Table>, 4>;

bool exists(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

int tableNumber(const QString &name)
{
    const auto &defs = tableDefinitions();
    for (int i = 0; i < defs.size(); ++i)
        if (defs[i].name == name)
            return i;
    return -1;
}

// Opens, for exclusive use, each table of dir that is there and has the collection's fields;
// says in faults why any other is not open.
TableSet openWhatOpens(const QString &dir, QStringList &faults)
{
    TableSet set;
    const auto &defs = tableDefinitions();
    for (int i = 0; i < defs.size(); ++i) {
        const QString path = tablePath(dir, defs[i]);
        if (!exists(path)) {
            faults << QStringLiteral("falta a tabela %1").arg(defs[i].fileName);
            continue;
        }
        auto t = std::make_unique<tables::Table>(path);
        try {
            t->open(tables::OpenMode::Exclusive);
        } catch (const tables::EngineError &e) {
            faults << e.message();
            continue;
        }
        if (const QString diff = fieldsDifference(*t, defs[i]); !diff.isEmpty()) {
            faults << diff;
            continue;
        }
        set[size_t(i)] = std::move(t);
    }
    return set;
}

QString plural(qsizetype n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

// Names of a CD as the case-insensitive index iartista_titulo compares them.
QByteArray cdKey(const QString &artist, const QString &title)
{
    return tables::textSortKey(artist) + '\0' + tables::textSortKey(title);
}

// Keys in the order they are first met, so that the faults come out in table order.
template <typename T>
struct Grouped {
    QVector<QByteArray> order;
    QHash<QByteArray, T> groups;
    T &at(const QByteArray &key)
    {
        auto it = groups.find(key);
        if (it == groups.end()) {
            order.push_back(key);
            it = groups.insert(key, T());
        }
        return *it;
    }
};

struct CdGroup {
    QString artist, title; // as the first CD of the key spells them
    int count = 0, lent = 0;
};

struct Checkout {
    QString artist, title, borrower;
};

struct SongGroup {
    QString artist, title;
    int count = 0;
};

QString cdName(const QString &artist, const QString &title)
{
    return QStringLiteral("\"%1\" de %2").arg(title, artist);
}

QStringList linkFaults(tables::Table &cd, tables::Table &retirada, tables::Table &musica)
{
    QStringList faults;
    Grouped<CdGroup> cds;
    cd.selectIndex(QString());
    for (cd.first(); !cd.eof(); cd.next()) {
        const QString artist = cd.fieldText(QStringLiteral("Artista")),
                      title = cd.fieldText(QStringLiteral("Titulo"));
        const QString flag = cd.fieldText(QStringLiteral("Retirada"));
        CdGroup &g = cds.at(cdKey(artist, title));
        if (g.count++ == 0) {
            g.artist = artist;
            g.title = title;
        }
        g.lent += flag == QLatin1String("S");
        if (flag != QLatin1String("S") && flag != QLatin1String("N"))
            faults << QStringLiteral(
                          "cd.db: o CD %1 tem a marca de empréstimo \"%2\", que não é \"N\" nem \"S\"")
                          .arg(cdName(artist, title), flag);
    }
    Grouped<QVector<Checkout>> checkouts;
    retirada.selectIndex(QString());
    for (retirada.first(); !retirada.eof(); retirada.next()) {
        const Checkout c{retirada.fieldText(QStringLiteral("Artista")),
                         retirada.fieldText(QStringLiteral("Titulo")),
                         retirada.fieldText(QStringLiteral("Responsavel"))};
        checkouts.at(cdKey(c.artist, c.title)).push_back(c);
    }
    for (const QByteArray &key : checkouts.order) {
        const QVector<Checkout> &list = checkouts.groups[key];
        const auto found = cds.groups.constFind(key);
        if (found == cds.groups.constEnd() || found->lent == 0) {
            const char *why = found == cds.groups.constEnd() ? "de um CD que não existe em cd.db"
                                                             : "de um CD que não está marcado \"S\" em cd.db";
            for (const Checkout &c : list)
                faults << QStringLiteral("retirada.db: a retirada de %1 por %2 é %3")
                              .arg(cdName(c.artist, c.title), c.borrower, QString::fromUtf8(why));
        } else if (found->lent < list.size()) {
            faults << QStringLiteral("retirada.db: há %1 de %2, mas só %3 em cd.db")
                          .arg(plural(list.size(), "retirada", "retiradas"),
                               cdName(list[0].artist, list[0].title),
                               plural(found->lent, "CD marcado \"S\"", "CDs marcados \"S\""));
        }
    }
    for (const QByteArray &key : cds.order) {
        const CdGroup &g = cds.groups[key];
        const qsizetype taken = checkouts.groups.value(key).size();
        if (g.lent > 0 && taken == 0)
            faults
                << QStringLiteral("cd.db: %1 marcado \"S\" (emprestado), mas sem retirada em retirada.db")
                       .arg(g.lent == 1
                                ? QStringLiteral("o CD %1 está").arg(cdName(g.artist, g.title))
                                : QStringLiteral("há %1 CDs %2").arg(g.lent).arg(cdName(g.artist, g.title)));
        else if (taken > 0 && g.lent > taken)
            faults << QStringLiteral("cd.db: há %1 CDs %2 marcados \"S\", mas só %3 em retirada.db")
                          .arg(g.lent)
                          .arg(cdName(g.artist, g.title), plural(taken, "retirada", "retiradas"));
    }
    Grouped<SongGroup> songs;
    musica.selectIndex(QString());
    for (musica.first(); !musica.eof(); musica.next()) {
        const QString artist = musica.fieldText(QStringLiteral("Artista")),
                      title = musica.fieldText(QStringLiteral("Titulo"));
        SongGroup &g = songs.at(cdKey(artist, title));
        if (g.count++ == 0) {
            g.artist = artist;
            g.title = title;
        }
    }
    for (const QByteArray &key : songs.order) {
        if (cds.groups.contains(key))
            continue;
        const SongGroup &g = songs.groups[key];
        faults << QStringLiteral("musica.db: %1 de %2 %3 de um CD que não existe em cd.db")
                      .arg(plural(g.count, "música", "músicas"), cdName(g.artist, g.title),
                           g.count == 1 ? QStringLiteral("é") : QStringLiteral("são"));
    }
    return faults;
}

} // namespace

QStringList checkCollection(const QString &dir)
{
    refuseIfHeld(dir);
    const auto &defs = tableDefinitions();
    // Before the engine opens anything: opening removes the other half of a broken pair.
    QSet<QString> missingFiles;
    for (const QString &name : indexFileNames())
        if (!exists(QDir(dir).absoluteFilePath(name)))
            missingFiles.insert(name);

    QStringList fileFaults, indexFaults, links;
    {
        TableSet open = openWhatOpens(dir, fileFaults);
        QVector<int> position(defs.size(), 0);
        for (const IndexDefinition &index : indexDefinitions()) {
            const int t = tableNumber(index.table);
            const int number = position[t]++;
            if (!open[size_t(t)] || open[size_t(t)]->indexNames().contains(index.name, Qt::CaseInsensitive))
                continue;
            const QString base = QFileInfo(defs[t].fileName).completeBaseName();
            const QString xg = QStringLiteral("%1.XG%2").arg(base).arg(number);
            const QString yg = QStringLiteral("%1.YG%2").arg(base).arg(number);
            QStringList gone;
            for (const QString &f : {xg, yg})
                if (missingFiles.contains(f))
                    gone << f;
            if (!gone.isEmpty())
                indexFaults << QStringLiteral("%1: falta %2 do índice %3")
                                   .arg(defs[t].fileName, gone.join(QStringLiteral(" e ")), index.name);
            else
                indexFaults << QStringLiteral(
                                   "%1: o índice %2 não pode ser usado: falta na tabela ou não é o que"
                                   " %3 e %4 indicam")
                                   .arg(defs[t].fileName, index.name, xg, yg);
        }
        if (open[1] && open[2] && open[3])
            links = linkFaults(*open[1], *open[2], *open[3]);
    }
    // The engine's connection is closed now, as the file check needs.
    for (const TableDefinition &def : defs) {
        const QString path = tablePath(dir, def);
        if (!exists(path))
            continue;
        for (const QString &fault : tables::verifyTableFile(path))
            if (!fileFaults.contains(fault))
                fileFaults << fault;
    }
    return fileFaults + indexFaults + links;
}

RepairOutcome repairCollection(const QString &dir)
{
    RepairOutcome out;
    out.found = checkCollection(dir);
    if (out.found.isEmpty())
        return out;
    QString failure;
    try {
        QStringList ignored; // the second check says again why a table is not open
        TableSet open = openWhatOpens(dir, ignored);
        for (const IndexDefinition &step : indexDefinitions())
            if (auto &t = open[size_t(tableNumber(step.table))])
                t->addIndex(step.name, step.fieldList, true);
        tables::commitAll();
        out.rebuilt = true;
    } catch (const tables::EngineError &e) {
        failure = QStringLiteral("a reconstrução dos índices parou: %1").arg(e.message());
    }
    out.remaining = checkCollection(dir);
    if (!failure.isEmpty())
        out.remaining.prepend(failure);
    return out;
}

} // namespace melvora
