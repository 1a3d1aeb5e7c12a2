#include "StorePages.h"

#include "RpReportFile.h"

#include <QtEndian>

QColor pageColor(int page)
{
    return QColor::fromHsv((page * 47) % 360, 255, 200);
}

void makePages(TRpPrinter &store, int count, bool filled)
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

QByteArray fileOf(const QList<QByteArray> &pages, int width, int height)
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
