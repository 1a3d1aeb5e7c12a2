#include "CsvTables.h"

#include "CollectionFiles.h"
#include "CollectionTables.h"
#include "Csv.h"
#include "TableLocks.h"

#include "DateText.h"
#include "EngineError.h"
#include "Transactions.h"
#include "Verify.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>
#include <sys/stat.h>

namespace melvora {

namespace {

bool exists(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

QStringList fieldNames(const TableDefinition &def)
{
    QStringList names;
    for (const tables::FieldDef &f : def.fields)
        names << f.name;
    return names;
}

// What is wrong with one value of a field, or nothing: the checks the engine makes when the
// value is written, so that no write of the action can be refused.
std::optional<QString> fieldProblem(const tables::FieldDef &field, const QString &value)
{
    if (field.type == tables::FieldType::Date) {
        if (tables::isBlankDateText(value) || tables::dateFromText(value))
            return std::nullopt;
        return QStringLiteral("%1 \"%2\" não é uma data dd/mm/aa").arg(field.name, value);
    }
    const qsizetype length = value.toUcs4().size();
    if (length > field.size)
        return QStringLiteral("%1 tem %2 caracteres, e o máximo é %3")
            .arg(field.name)
            .arg(length)
            .arg(field.size);
    return std::nullopt;
}

struct TableRows {
    QVector<QStringList> rows;
};

// Reads and checks one table's file; adds a line to bad for every row it cannot store.
TableRows readTableFile(const QString &inDir, const TableDefinition &def, QStringList &bad)
{
    TableRows out;
    const QString name = csvFileName(def.fileName);
    QFile file(QDir(inDir).absoluteFilePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        bad << QStringLiteral("%1: o arquivo não pode ser lido em %2").arg(name, inDir);
        return out;
    }
    const csv::Parsed parsed = csv::parse(file.readAll());
    QVector<csv::Error> errors = parsed.errors;
    const QStringList header = fieldNames(def);
    bool headerSeen = false;
    for (const csv::Record &r : parsed.records) {
        if (!headerSeen) {
            headerSeen = true;
            bool same = r.fields.size() == header.size();
            for (int f = 0; same && f < header.size(); ++f)
                same = r.fields[f].compare(header[f], Qt::CaseInsensitive) == 0;
            if (!same)
                errors.push_back({r.line, QStringLiteral("o cabeçalho deve ser %1").arg(header.join(u','))});
            continue;
        }
        if (r.fields.size() != def.fields.size()) {
            errors.push_back({r.line, QStringLiteral("%1 colunas, e a tabela %2 tem %3")
                                          .arg(r.fields.size()).arg(def.name).arg(def.fields.size())});
            continue;
        }
        QStringList problems;
        for (int f = 0; f < def.fields.size(); ++f)
            if (const auto p = fieldProblem(def.fields[f], r.fields[f]))
                problems << *p;
        if (!problems.isEmpty())
            errors.push_back({r.line, problems.join(QStringLiteral("; "))});
        else
            out.rows.push_back(r.fields);
    }
    if (!headerSeen && parsed.errors.isEmpty())
        bad << QStringLiteral("%1: o arquivo está vazio; falta o cabeçalho %2").arg(name, header.join(u','));
    std::stable_sort(errors.begin(), errors.end(),
                     [](const auto &a, const auto &b) { return a.line < b.line; });
    for (const csv::Error &e : errors)
        bad << QStringLiteral("%1, linha %2: %3").arg(name).arg(e.line).arg(e.text);
    return out;
}

// Removes the files of tables this import made, after its action failed.
void removeMadeTables(const QString &dir)
{
    for (const TableDefinition &def : tableDefinitions()) {
        const QString path = tablePath(dir, def);
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
    }
    for (const QString &name : indexFileNames())
        QFile::remove(QDir(dir).absoluteFilePath(name));
}

} // namespace

QString csvFileName(const QString &tableFileName)
{
    return QFileInfo(tableFileName).completeBaseName() + QStringLiteral(".csv");
}

std::array<int, 4> exportCsv(const QString &dir, const QString &outDir)
{
    // All four are held at once, so the files are of one moment of the collection.
    CollectionTables c(dir);
    if (!QDir().mkpath(outDir))
        throw tables::EngineError(QStringLiteral("Não foi possível criar a pasta %1").arg(outDir));
    std::array<int, 4> written{};
    const auto &defs = tableDefinitions();
    for (int i = 0; i < defs.size(); ++i) {
        const QString name = csvFileName(defs[i].fileName);
        QSaveFile file(QDir(outDir).absoluteFilePath(name));
        if (!file.open(QIODevice::WriteOnly))
            throw tables::EngineError(
                QStringLiteral("Não foi possível gravar o arquivo %1").arg(file.fileName()));
        QByteArray text = csv::formatRecord(fieldNames(defs[i]));
        tables::Table &t = c.table(i);
        t.selectIndex(QString());
        QStringList fields;
        for (t.first(); !t.eof(); t.next()) {
            fields.clear();
            for (int f = 0; f < defs[i].fields.size(); ++f)
                fields << t.fieldText(f);
            text += csv::formatRecord(fields);
            ++written[size_t(i)];
        }
        if (file.write(text) != text.size() || !file.commit())
            throw tables::EngineError(
                QStringLiteral("Não foi possível gravar o arquivo %1").arg(file.fileName()));
    }
    return written;
}

ImportOutcome importCsv(const QString &dir, const QString &inDir, bool replace)
{
    const auto &defs = tableDefinitions();
    QStringList present, missing;
    for (const TableDefinition &def : defs)
        (exists(tablePath(dir, def)) ? present : missing) << def.fileName;
    if (!present.isEmpty())
        refuseIfHeld(dir);
    if (!present.isEmpty() && !missing.isEmpty())
        throw tables::EngineError(
            QStringLiteral("Falta em %1 %2 %3; a importação precisa das quatro tabelas ou de"
                           " nenhuma")
                .arg(dir, missing.size() == 1 ? "a tabela" : "as tabelas",
                     missing.join(QStringLiteral(", "))));

    ImportOutcome out;
    std::array<TableRows, 4> rows;
    for (int i = 0; i < defs.size(); ++i)
        rows[size_t(i)] = readTableFile(inDir, defs[i], out.badRows);
    if (!out.badRows.isEmpty())
        return out;

    const bool made = present.isEmpty();
    const bool madeFolder = made && !exists(dir);
    if (madeFolder && !QDir().mkpath(dir))
        throw tables::EngineError(QStringLiteral("Não foi possível criar a pasta %1").arg(dir));
    try {
        if (made)
            createEmptyCollection(dir);
        CollectionTables c(dir);
        if (const int held = c.totalRecords(); held > 0 && !replace)
            throw tables::EngineError(QStringLiteral("As tabelas de %1 já têm %2 registros; use --force para"
                                                     " substituí-los pelos dos arquivos CSV")
                                          .arg(dir)
                                          .arg(held));
        try {
            // One action: the old records go and the new ones come together, or nothing changes.
            for (int i = 0; i < defs.size(); ++i) {
                tables::Table &t = c.table(i);
                t.selectIndex(QString());
                t.first();
                while (t.recordCount() > 0)
                    t.deleteRecord();
                for (const QStringList &record : rows[size_t(i)].rows) {
                    t.append();
                    for (int f = 0; f < record.size(); ++f)
                        t.setFieldText(f, record[f]);
                    t.post();
                }
            }
            tables::commitAll();
        } catch (...) {
            // Before the tables close: closing would post a pending record and commit.
            for (int i = 0; i < defs.size(); ++i)
                c.table(i).cancel();
            tables::rollbackAll();
            throw;
        }
    } catch (...) {
        if (made)
            removeMadeTables(dir);
        if (madeFolder)
            QDir().rmdir(dir);
        throw;
    }

    // Read back as the program would find them: sound files, every record there.
    QStringList faults;
    for (const TableDefinition &def : defs)
        faults << tables::verifyTableFile(tablePath(dir, def));
    CollectionTables c(dir);
    for (int i = 0; i < defs.size(); ++i) {
        out.stored[size_t(i)] = c.table(i).recordCount();
        if (out.stored[size_t(i)] != rows[size_t(i)].rows.size())
            faults << QStringLiteral("%1 tem %2 registros, e não os %3 do arquivo %4")
                          .arg(defs[i].fileName).arg(out.stored[size_t(i)]).arg(rows[size_t(i)].rows.size())
                          .arg(csvFileName(defs[i].fileName));
    }
    if (!faults.isEmpty())
        throw tables::EngineError(
            QStringLiteral("A importação foi gravada, mas a verificação encontrou problemas: %1")
                .arg(faults.join(QStringLiteral("; "))));
    return out;
}

} // namespace melvora
