// Records written and read the short way, for tests that set a table up and then read what a
// window or the engine left in it. Reading goes through a cursor of its own, so that the cursor
// under test (and a pending edit on it) stays where it is.
#pragma once

#include "Table.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

using FieldValues = QList<std::pair<QString, QString>>;

// Appends a record whose fields take values in the table's field order.
void add(tables::Table &t, const QStringList &values);
inline void add(tables::Table *t, const QStringList &values) { add(*t, values); }

// Appends a record with the named fields set, the others left empty.
void put(tables::Table &t, const FieldValues &values);
inline void put(tables::Table *t, const FieldValues &values) { put(*t, values); }

// The values of one field in the cursor's current order, walked with next().
QStringList column(tables::Table &t, const QString &field);

// Every stored record of the table's file in its default order, fields joined by "|".
QStringList rows(const QString &tableFile);
inline QStringList rows(const tables::Table *t) { return rows(t->fileName()); }
