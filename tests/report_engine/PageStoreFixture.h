// Test helper: a page store (no printer: 748 × 1080 page units) holding pages made in code.
// Page i is filled with pageColor(i) over its whole area and carries the text "Página i".
#pragma once

#include "RpPrinter.h"

#include "RpReportFile.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QtEndian>

inline QColor pageColor(int page)
{
    return QColor::fromHsv((page * 47) % 360, 255, 200);
}

inline void makePages(TRpPrinter &store, int count, bool filled = true)
{
    store.DiscardPages();
    store.BeginDoc();
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            store.NewPage();
        metafile::Canvas &c = *store.Canvas();
        if (filled)
            c.fillRect(QRect(0, 0, store.PageWidth, store.PageHeight), pageColor(i));
        metafile::CanvasFont font;
        font.name = QStringLiteral("Arial");
        font.pixelHeight = 20;
        c.setFont(font);
        c.drawText(40, 40, QStringLiteral("Página %1").arg(i), metafile::TextAlign::Left, nullptr, false, QColor());
    }
    store.EndDoc();
}

// A report file of the given pages, each followed by its position.
inline QByteArray fileOf(const QList<QByteArray> &pages, int width = 748, int height = 1080)
{
    rpfile::Header h;
    h.pageWidth = width;
    h.pageHeight = height;
    h.pageCount = int(pages.size());
    QByteArray file = rpfile::encodeHeader(h);
    for (const QByteArray &page : pages) {
        QByteArray position(4, '\0');
        qToLittleEndian<qint32>(qint32(file.size()), position.data());
        file += page + position;
    }
    return file;
}
