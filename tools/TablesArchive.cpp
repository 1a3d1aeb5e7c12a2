#include "TablesArchive.h"

#include "CollectionTables.h"
#include "TableLocks.h"

#include "EngineError.h"
#include "Verify.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QVector>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace melvora {

namespace {

constexpr int kApplicationId = 0x4D6C7643; // "MlvC": an archive of Melvora's tables
constexpr int kFormat = 1;
constexpr qint64 kFileMode = 0100644;
constexpr char kSqliteHeader[] = "SQLite format 3"; // and its final 0

using tables::EngineError;

bool exists(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

struct Db {
    sqlite3 *db = nullptr;
    ~Db() { sqlite3_close_v2(db); }
};

// A statement that answers false for SQLite's failures instead of throwing: the archive's own
// messages say what they mean for the user.
class Query {
public:
    Query(sqlite3 *db, const char *sql) { ok_ = sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) == SQLITE_OK; }
    ~Query() { sqlite3_finalize(st_); }
    bool ok() const { return ok_; }
    bool step()
    {
        if (!ok_)
            return false;
        const int rc = sqlite3_step(st_);
        ok_ = rc == SQLITE_ROW || rc == SQLITE_DONE;
        return rc == SQLITE_ROW;
    }
    qint64 integer(int col) const { return sqlite3_column_int64(st_, col); }
    QString text(int col) const
    {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st_, col)),
                                 sqlite3_column_bytes(st_, col));
    }
    QByteArray blob(int col) const
    {
        const void *data = sqlite3_column_blob(st_, col);
        return QByteArray(static_cast<const char *>(data), sqlite3_column_bytes(st_, col));
    }
    void bind(int pos, const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        ok_ =
            ok_
            && sqlite3_bind_text(st_, pos, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    void bind(int pos, qint64 value) { ok_ = ok_ && sqlite3_bind_int64(st_, pos, value) == SQLITE_OK; }
    void bindBlob(int pos, const QByteArray &blob)
    {
        ok_ = ok_
              && sqlite3_bind_blob64(st_, pos, blob.constData(), sqlite3_uint64(blob.size()), SQLITE_STATIC)
                     == SQLITE_OK;
    }

private:
    sqlite3_stmt *st_ = nullptr;
    bool ok_ = false;
};

bool integrityOk(sqlite3 *db)
{
    Query q(db, "PRAGMA integrity_check");
    return q.step() && q.text(0) == QLatin1String("ok") && !q.step() && q.ok();
}

QByteArray sha256(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

struct Entry {
    QString name;
    QByteArray data;
};

// The four images of an archive, checked; throws with the reason when it is not a sound archive.
QVector<Entry> readArchive(const QString &file)
{
    const QString shown = QDir::toNativeSeparators(file);
    const QFileInfo info(file);
    if (!info.exists())
        throw EngineError(QStringLiteral("O arquivo %1 não foi encontrado").arg(shown));
    if (!info.isFile())
        throw EngineError(QStringLiteral("%1 não é um arquivo").arg(shown));
    const QString notArchive =
        QStringLiteral("O arquivo %1 não é uma cópia de tabelas do Melvora").arg(shown);
    auto damaged = [&](const QString &why) {
        return EngineError(QStringLiteral("A cópia %1 está danificada (%2)").arg(shown, why));
    };
    Db archive;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &archive.db, SQLITE_OPEN_READONLY, nullptr)
        != SQLITE_OK)
        throw EngineError(notArchive);
    {
        Query id(archive.db, "PRAGMA application_id");
        if (!id.step())
            throw sqlite3_errcode(archive.db) == SQLITE_CORRUPT ? damaged(QStringLiteral("o SQLite não a lê"))
                                                                : EngineError(notArchive);
        if (id.integer(0) != kApplicationId)
            throw EngineError(notArchive);
        Query version(archive.db, "PRAGMA user_version");
        if (!version.step() || version.integer(0) != kFormat)
            throw EngineError(QStringLiteral("A cópia %1 é de outra versão do Melvora").arg(shown));
    }
    if (!integrityOk(archive.db))
        throw damaged(QStringLiteral("a verificação de integridade do SQLite falhou"));
    QHash<QString, QByteArray> sums;
    {
        Query q(archive.db, "SELECT name, sha256 FROM melvora_sha256");
        while (q.step())
            sums.insert(q.text(0), q.text(1).toLatin1());
        if (!q.ok())
            throw damaged(QStringLiteral("faltam as somas SHA-256"));
    }
    QHash<QString, Entry> found;
    {
        Query q(archive.db, "SELECT name, sz, data FROM sqlar");
        while (q.step()) {
            const QString name = q.text(0);
            const QByteArray data = q.blob(2);
            if (data.size() != q.integer(1))
                throw damaged(QStringLiteral("%1 não tem o tamanho gravado").arg(name));
            if (sha256(data) != sums.value(name))
                throw damaged(
                    QStringLiteral("o conteúdo de %1 não confere com a soma SHA-256 gravada").arg(name));
            found.insert(name, {name, data});
        }
        if (!q.ok())
            throw damaged(QStringLiteral("a lista de arquivos não pode ser lida"));
    }
    QVector<Entry> images;
    for (const TableDefinition &def : tableDefinitions()) {
        const auto it = found.constFind(def.fileName);
        if (it == found.constEnd())
            throw damaged(QStringLiteral("falta a tabela %1").arg(def.fileName));
        if (!it->data.startsWith(QByteArray(kSqliteHeader, sizeof kSqliteHeader)))
            throw damaged(QStringLiteral("%1 não é uma tabela").arg(def.fileName));
        images.push_back(*it);
    }
    if (found.size() != images.size())
        throw damaged(QStringLiteral("há nela arquivos que não são tabelas do Melvora"));
    return images;
}

void writeArchive(const QString &path, const QVector<Entry> &images, const QVector<qint64> &mtimes)
{
    const QString shown = QDir::toNativeSeparators(path);
    Db archive;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &archive.db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK)
        throw EngineError(QStringLiteral("Não foi possível gravar a cópia em %1").arg(shown));
    const QByteArray setup =
        "PRAGMA application_id=" + QByteArray::number(kApplicationId)
        + "; PRAGMA user_version=" + QByteArray::number(kFormat)
        + "; PRAGMA synchronous=FULL; BEGIN;"
          " CREATE TABLE sqlar(name TEXT PRIMARY KEY, mode INT, mtime INT, sz INT, data BLOB);"
          " CREATE TABLE melvora_sha256(name TEXT PRIMARY KEY, sha256 TEXT NOT NULL);";
    bool ok = sqlite3_exec(archive.db, setup.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    for (int i = 0; ok && i < images.size(); ++i) {
        Query file(archive.db, "INSERT INTO sqlar VALUES(?1, ?2, ?3, ?4, ?5)");
        file.bind(1, images[i].name);
        file.bind(2, kFileMode);
        file.bind(3, mtimes[i]);
        file.bind(4, qint64(images[i].data.size()));
        file.bindBlob(5, images[i].data);
        file.step();
        Query sum(archive.db, "INSERT INTO melvora_sha256 VALUES(?1, ?2)");
        sum.bind(1, images[i].name);
        sum.bind(2, QString::fromLatin1(sha256(images[i].data)));
        sum.step();
        ok = file.ok() && sum.ok();
    }
    ok = ok && sqlite3_exec(archive.db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok)
        throw EngineError(QStringLiteral("Não foi possível gravar a cópia em %1: %2")
                              .arg(shown, QString::fromUtf8(sqlite3_errmsg(archive.db))));
}

void syncFolder(const QString &dir)
{
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool renameFile(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// The files of dir that belong to the four tables: each table file, its journals and its index
// descriptors (and what a descriptor's interrupted rewrite left).
QStringList tableFiles(const QString &dir, bool withJournals)
{
    QStringList filters;
    for (const TableDefinition &def : tableDefinitions()) {
        const QString base = QFileInfo(def.fileName).completeBaseName();
        filters << def.fileName << base + QStringLiteral(".XG*") << base + QStringLiteral(".YG*");
        if (withJournals)
            filters << def.fileName + QStringLiteral("-journal") << def.fileName + QStringLiteral("-mj*");
    }
    return QDir(dir).entryList(filters, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Moves the old tables of dir aside and the new ones in; on any failure, moves back what was
// moved. Each step is one rename inside dir.
void swapIn(const QString &dir, const QString &staging, const QString &aside)
{
    struct Move {
        QString from, to;
    };
    std::vector<Move> done;
    // Answers whether everything went back.
    auto undo = [&] {
        bool all = true;
        for (auto it = done.rbegin(); it != done.rend(); ++it)
            all = renameFile(it->to, it->from) && all;
        return all;
    };
    const QDir d(dir), s(staging), a(aside);
    auto move = [&](const QString &from, const QString &to) {
        if (!renameFile(from, to)) {
            const int error = errno;
            QString text = QStringLiteral("Não foi possível mover %1 para %2: %3")
                               .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to),
                                    QString::fromLocal8Bit(strerror(error)));
            if (!undo())
                text += QStringLiteral("; as tabelas anteriores estão em %1")
                            .arg(QDir::toNativeSeparators(aside));
            throw EngineError(text);
        }
        done.push_back({from, to});
    };
    for (const QString &name : tableFiles(dir, true))
        move(d.absoluteFilePath(name), a.absoluteFilePath(name));
    // The tables first, their descriptors after: a descriptor never stands beside another table.
    for (const TableDefinition &def : tableDefinitions())
        move(s.absoluteFilePath(def.fileName), d.absoluteFilePath(def.fileName));
    for (const QString &name : tableFiles(staging, false))
        if (!name.endsWith(QLatin1String(".db")))
            move(s.absoluteFilePath(name), d.absoluteFilePath(name));
}

std::array<int, 4> recordCounts(const QString &dir)
{
    CollectionTables c(dir);
    std::array<int, 4> n{};
    for (int i = 0; i < 4; ++i)
        n[size_t(i)] = c.table(i).recordCount();
    return n;
}

} // namespace

std::array<int, 4> backupCollection(const QString &dir, const QString &file, bool force)
{
    const QString shown = QDir::toNativeSeparators(file);
    for (const TableDefinition &def : tableDefinitions())
        if (!exists(tablePath(dir, def)))
            throw EngineError(QStringLiteral("A tabela %1 não foi encontrada em %2").arg(def.fileName, dir));
    const QFileInfo target(file);
    if (QFileInfo(target.absolutePath()).canonicalFilePath() == QFileInfo(dir).canonicalFilePath()
        && tableFiles(dir, true).contains(target.fileName()))
        throw EngineError(
            QStringLiteral("A cópia não pode ser gravada sobre %1, que é da coleção").arg(shown));
    if (exists(file) && !force)
        throw EngineError(QStringLiteral("O arquivo %1 já existe; use --force para substituí-lo").arg(shown));
    // Through the engine first: the tables are the collection's, and a journal left by a crash is
    // settled as the program would settle it.
    const std::array<int, 4> counts = recordCounts(dir);
    QVector<Entry> images;
    QVector<qint64> mtimes;
    {
        TableLocks locks(dir);
        for (const TableDefinition &def : tableDefinitions()) {
            sqlite3 *db = locks.connection(def.fileName);
            if (!db || !integrityOk(db))
                throw EngineError(QStringLiteral("A tabela %1 está danificada; melvora-tables check diz"
                                                 " o que há nela").arg(def.fileName));
            sqlite3_int64 size = 0;
            unsigned char *bytes = sqlite3_serialize(db, "main", &size, 0);
            if (!bytes)
                throw EngineError(QStringLiteral("Não foi possível ler a tabela %1").arg(def.fileName));
            images.push_back(
                {def.fileName, QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size))});
            sqlite3_free(bytes);
            mtimes.push_back(QFileInfo(tablePath(dir, def)).lastModified().toSecsSinceEpoch());
        }
    }
    // Written beside its place and read back before it takes the name: a failed backup leaves an
    // older archive of that name as it was.
    QString partial;
    do
        partial = target.absoluteFilePath() + QStringLiteral(".parcial-")
                  + QString::number(QRandomGenerator::global()->generate(), 16);
    while (exists(partial));
    try {
        writeArchive(partial, images, mtimes);
        const QVector<Entry> back = readArchive(partial);
        for (int i = 0; i < images.size(); ++i)
            if (back[i].data != images[i].data)
                throw EngineError(
                    QStringLiteral("A cópia gravada em %1 não confere com as tabelas").arg(shown));
        if (!renameFile(partial, target.absoluteFilePath()))
            throw EngineError(QStringLiteral("Não foi possível gravar a cópia em %1").arg(shown));
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    syncFolder(target.absolutePath());
    return counts;
}

std::array<int, 4> restoreCollection(const QString &file, const QString &dir, bool force)
{
    const QVector<Entry> images = readArchive(file);
    QStringList present;
    for (const TableDefinition &def : tableDefinitions())
        if (exists(tablePath(dir, def)))
            present << def.fileName;
    if (!present.isEmpty() && !force)
        throw EngineError(
            QStringLiteral("Em %1 já há tabelas (%2); use --force para substituí-las pelas da cópia")
                .arg(dir, present.join(QStringLiteral(", "))));
    const bool made = !exists(dir);
    if (made && !QDir().mkpath(dir))
        throw EngineError(QStringLiteral("Não foi possível criar a pasta %1").arg(dir));
    std::array<int, 4> counts{};
    try {
        // Held from here until the new tables are in place, so no one opens the old ones midway.
        TableLocks old(dir);
        QTemporaryDir staging(QDir(dir).absoluteFilePath(QStringLiteral(".melvora-restauracao-XXXXXX")));
        if (!staging.isValid())
            throw EngineError(QStringLiteral("Não foi possível gravar em %1").arg(dir));
        for (const Entry &e : images) {
            QFile out(QDir(staging.path()).absoluteFilePath(e.name));
            if (!out.open(QIODevice::WriteOnly) || out.write(e.data) != e.data.size() || !out.flush())
                throw EngineError(QStringLiteral("Não foi possível gravar em %1").arg(dir));
        }
        const QString broken =
            QStringLiteral("A cópia %1 não pôde ser restaurada: ").arg(QDir::toNativeSeparators(file));
        try {
            CollectionTables restored(staging.path());
            restored.rebuildIndexes();
            for (int i = 0; i < 4; ++i)
                counts[size_t(i)] = restored.table(i).recordCount();
        } catch (const EngineError &e) {
            throw EngineError(broken + e.message());
        }
        QStringList faults;
        for (const TableDefinition &def : tableDefinitions())
            faults << tables::verifyTableFile(tablePath(staging.path(), def));
        for (const QString &name : indexFileNames())
            if (!exists(QDir(staging.path()).absoluteFilePath(name)))
                faults << QStringLiteral("falta %1").arg(name);
        if (!faults.isEmpty())
            throw EngineError(broken + faults.join(QStringLiteral("; ")));

        QTemporaryDir aside(QDir(dir).absoluteFilePath(QStringLiteral(".melvora-anteriores-XXXXXX")));
        if (!aside.isValid())
            throw EngineError(QStringLiteral("Não foi possível gravar em %1").arg(dir));
        // If the machine stops in the middle of these renames, the old tables are in the hidden
        // folder ".melvora-anteriores-*" of dir.
        aside.setAutoRemove(false);
        try {
            swapIn(dir, staging.path(), aside.path());
        } catch (...) {
            aside.setAutoRemove(QDir(aside.path()).isEmpty()); // kept when an old file did not go back
            throw;
        }
        syncFolder(dir);
        aside.setAutoRemove(true);
    } catch (...) {
        if (made)
            QDir().rmdir(dir);
        throw;
    }
    return counts;
}

} // namespace melvora
