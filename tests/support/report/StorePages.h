// Pages made in code for the page store, and report files built from pages, for the tests of the
// store, its file, its printing and its preview. The store has no printer: 748 × 1080 page units.
// Page i is filled with pageColor(i) over its whole area and carries the text "Página i".
#pragma once

#include "RpPrinter.h"

#include <QByteArray>
#include <QColor>
#include <QList>

QColor pageColor(int page);

// Discards the store's pages and records count new ones; filled false leaves them white.
void makePages(TRpPrinter &store, int count, bool filled = true);

// A report file of the given pages, each followed by its position.
QByteArray fileOf(const QList<QByteArray> &pages, int width = 748, int height = 1080);
