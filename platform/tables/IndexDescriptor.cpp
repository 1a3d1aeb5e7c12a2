#include "IndexDescriptor.h"

#include "EngineError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>

namespace tables {

namespace {

constexpr char kMagic[] = "Melvora index 1";
constexpr qint64 kMaxSize = 4096; // a descriptor is a few lines; anything bigger is not one

std::optional<QByteArray> stampOf(const QString &path, int number)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxSize)
        return std::nullopt;
    const QList<QByteArray> lines = f.readAll().split('\n');
    if (lines.size() < 5 || lines[0] != kMagic || lines[2] != "number " + QByteArray::number(number)
        || !lines[4].startsWith("stamp "))
        return std::nullopt;
    const QByteArray stamp = QByteArray::fromHex(lines[4].mid(6));
    if (stamp.size() != 16)
        return std::nullopt;
    return stamp;
}

void writeWhole(const QString &path, const QByteArray &content)
{
    const QString temporary = path + QStringLiteral(".new");
    QFile f(temporary);
    const bool written =
        f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size() && f.flush();
    f.close();
    if (!written
        || ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        throw EngineError(QStringLiteral("Não foi possível gravar o arquivo de índice %1")
                              .arg(QFileInfo(path).fileName()));
    }
}

} // namespace

std::optional<QByteArray> readIndexDescriptors(const QString &xg, const QString &yg, int number)
{
    const auto x = stampOf(xg, number);
    const auto y = x ? stampOf(yg, number) : std::nullopt;
    if (!x || !y || *x != *y)
        return std::nullopt;
    return x;
}

void writeIndexDescriptors(const QString &xg, const QString &yg, const QString &table, int number,
                           const QString &name, const QString &fields, const QByteArray &stamp)
{
    const QByteArray body = QByteArray(kMagic) + "\ntable " + table.toUtf8() + "\nnumber "
                            + QByteArray::number(number) + "\nname " + name.toUtf8() + "\nstamp "
                            + stamp.toHex() + "\nfields " + fields.toUtf8() + "\n";
    writeWhole(xg, body);
    writeWhole(yg, body);
}

void removeIndexDescriptors(const QString &xg, const QString &yg)
{
    for (const QString &p : {xg, yg, xg + QStringLiteral("-journal"), yg + QStringLiteral("-journal")})
        QFile::remove(p); // a file that is not there is already removed
}

QByteArray newIndexStamp()
{
    QByteArray stamp(16, Qt::Uninitialized);
    QRandomGenerator::system()->generate(reinterpret_cast<quint32 *>(stamp.data()),
                                         reinterpret_cast<quint32 *>(stamp.data() + stamp.size()));
    return stamp;
}

} // namespace tables
