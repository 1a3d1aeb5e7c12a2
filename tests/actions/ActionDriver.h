// Test support: runs the action driver (a second program that performs one user action
// through the windows) and reads a collection back as the next start-up finds it.
#pragma once

#include "ProgramRun.h"
#include "QtPrinting.h"
#include "Verify.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

#ifndef ACTION_DRIVER
#error "ACTION_DRIVER must name the driver program"
#endif

// A collection's records, one a line, so that two of them can be compared by eye.
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '\n' << list.join('\n').toStdString() << '\n';
}


struct DriverRun {
    int exitCode = -1;
    QStringList lines;
};

inline DriverRun drive(const QStringList &args)
{
    const ProgramRun run = runProgram(QStringLiteral(ACTION_DRIVER), args);
    DriverRun r;
    r.exitCode = run.status;
    r.lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    return r;
}

// The records of the four tables as the next start-up finds them, and its messages.
struct State {
    QStringList records, boxes;
};

inline State startUp(const QString &dir)
{
    const DriverRun r = drive({"dump", dir});
    State s;
    for (const QString &line : r.lines)
        (line.startsWith("box: ") ? s.boxes : s.records) << line;
    EXPECT_EQ(r.exitCode, 0) << s.boxes.join(" / ").toStdString();
    return s;
}

inline void copyFolder(const QString &from, const QString &to)
{
    QDir(to).removeRecursively();
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(from + '/' + name, to + '/' + name));
}

inline bool journalInForce(const QString &dir)
{
    static const QByteArray magic = QByteArray::fromHex("d9d505f920a163d7");
    for (const QString &name : QDir(dir).entryList({"*.db-journal"}, QDir::Files)) {
        QFile f(dir + '/' + name);
        if (f.open(QIODevice::ReadOnly) && f.read(8) == magic)
            return true;
    }
    return false;
}

inline void expectSound(const QString &dir)
{
    for (const char *table : {"artista.db", "cd.db", "retirada.db", "musica.db"})
        EXPECT_EQ(tables::verifyTableFile(dir + '/' + table), QStringList()) << table;
    // The start-up check found every descriptor (or rebuilt the missing ones).
    EXPECT_EQ(QDir(dir).entryList({"*.XG*", "*.YG*"}, QDir::Files).size(), 28);
}

