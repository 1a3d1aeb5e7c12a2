#include "Verify.h"

#include "SortKey.h"
#include "Statement.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QVector>

namespace tables {

namespace {

struct Db {
    sqlite3 *db = nullptr;
    ~Db() { sqlite3_close_v2(db); }
};

} // namespace

QStringList verifyIndexes(sqlite3 *db, const QByteArray &schema, const QString &path,
                          const QVector<int> &only)
{
    const QString name = QFileInfo(path).fileName();
    QStringList faults;
    QHash<QString, int> fieldByName;
    QVector<bool> isDate;
    Statement fields(db, path, "SELECT pos, name, type FROM " + schema + ".fields ORDER BY pos");
    while (fields.step()) {
        fieldByName.insert(fields.text(1).toLower(), int(fields.int64(0)));
        isDate.push_back(fields.text(2) == QLatin1String("date"));
    }
    Statement hasIndexes(db, path,
                         "SELECT count(*) FROM " + schema + ".sqlite_schema WHERE name = 'indexes'");
    hasIndexes.step();
    if (hasIndexes.int64(0) == 0)
        return faults;
    QByteArray columns;
    for (int i = 0; i < isDate.size(); ++i)
        columns += ", c" + QByteArray::number(i);
    Statement indexes(db, path,
                      "SELECT number, name, fields, case_insensitive FROM " + schema
                          + ".indexes ORDER BY number");
    while (indexes.step()) {
        if (!only.isEmpty() && !only.contains(int(indexes.int64(0))))
            continue;
        const QString index = indexes.text(1);
        const bool caseInsensitive = indexes.int64(3) != 0;
        QVector<int> keyFields;
        for (const QString &f : indexes.text(2).split(u';', Qt::SkipEmptyParts))
            keyFields.push_back(fieldByName.value(f.trimmed().toLower(), -1));
        if (keyFields.isEmpty() || keyFields.contains(-1)) {
            faults << QStringLiteral("%1: o índice %2 nomeia campos que não existem").arg(name, index);
            continue;
        }
        // The rows the index should hold, then those it holds.
        QSet<QByteArray> expected;
        auto row = [](const QByteArray k[3], qint64 rid) {
            QByteArray r;
            for (int p = 0; p < 3; ++p)
                r += QByteArray::number(k[p].size()) + ':' + k[p];
            return r + QByteArray::number(rid);
        };
        Statement records(db, path, "SELECT rid" + columns + " FROM " + schema + ".records");
        while (records.step()) {
            QByteArray k[3];
            for (int p = 0; p < keyFields.size() && p < 3; ++p) {
                const QString value = records.text(1 + keyFields[p]);
                k[p] = isDate[keyFields[p]] || !caseInsensitive ? value.toUtf8() : textSortKey(value);
            }
            expected.insert(row(k, records.int64(0)));
        }
        qint64 held = 0, wrong = 0;
        Statement rows(db, path,
                       "SELECT k1, k2, k3, rid FROM " + schema + ".idx"
                           + QByteArray::number(indexes.int64(0)));
        while (rows.step()) {
            const QByteArray k[3] = {rows.blob(0), rows.blob(1), rows.blob(2)};
            ++held;
            if (!expected.remove(row(k, rows.int64(3))))
                ++wrong;
        }
        if (wrong > 0 || !expected.isEmpty())
            faults << QStringLiteral("%1: o índice %2 não concorda com a tabela (%3 entradas sem registro,"
                                     " %4 registros sem entrada, %5 entradas)")
                          .arg(name, index).arg(wrong).arg(expected.size()).arg(held);
    }
    return faults;
}

QStringList verifyTableFile(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    QStringList faults;
    Db conn;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &conn.db, SQLITE_OPEN_READWRITE, nullptr)
        != SQLITE_OK)
        return {QStringLiteral("%1: não pode ser aberto").arg(name)};
    try {
        Statement integrity(conn.db, path, "PRAGMA integrity_check");
        while (integrity.step())
            if (integrity.text(0) != QLatin1String("ok"))
                faults << QStringLiteral("%1: %2").arg(name, integrity.text(0));
        if (!faults.isEmpty())
            return faults;
        faults << verifyIndexes(conn.db, "main", path);
    } catch (const EngineError &e) {
        faults << e.message();
    }
    return faults;
}

} // namespace tables
