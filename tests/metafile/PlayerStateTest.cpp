// A page that saves the drawing state more often than it restores it must not leave the
// painter changed: the next page (or the next cell of a printed sheet) starts where it began.
#include "EmfCanvas.h"
#include "EmfPlayer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QtEndian>

TEST(EmfPlayer, UnbalancedSaveLeavesThePainterAsFound)
{
    metafile::EmfCanvas canvas(100, 100);
    canvas.drawLine(0, 0, 10, 10);
    QByteArray page = canvas.finish();
    // Two SAVEDC records (type 33, 8 bytes) before the EOF record (the last 20 bytes).
    const QByteArray saveDc = QByteArray::fromHex("2100000008000000");
    page.insert(page.size() - 20, saveDc + saveDc);
    qToLittleEndian<quint32>(quint32(page.size()), page.data() + 48);
    qToLittleEndian<quint32>(qFromLittleEndian<quint32>(page.constData() + 52) + 2, page.data() + 52);

    QImage image(100, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.save();
    painter.translate(5, 7);
    const QTransform before = painter.transform();
    metafile::playEmf(page, painter, QTransform::fromScale(2, 2));
    EXPECT_EQ(painter.transform(), before);
    painter.restore(); // back to before the translation only if the page left no state behind
    EXPECT_EQ(painter.transform(), QTransform());
}
