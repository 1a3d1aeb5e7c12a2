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

namespace {

QByteArray record(quint32 type, std::initializer_list<qint32> values)
{
    QByteArray r(8 + 4 * int(values.size()), '\0');
    qToLittleEndian<quint32>(type, r.data());
    qToLittleEndian<quint32>(quint32(r.size()), r.data() + 4);
    int at = 8;
    for (qint32 v : values) {
        qToLittleEndian<qint32>(v, r.data() + at);
        at += 4;
    }
    return r;
}

// A 100 × 100 page filled red, with records placed before the fill.
QByteArray redPageAfter(const QList<QByteArray> &records)
{
    metafile::EmfCanvas canvas(100, 100);
    canvas.fillRect(QRect(0, 0, 100, 100), Qt::red);
    QByteArray page = canvas.finish();
    const int start = 108 + 12 + 16; // after the header, SETBKMODE and MOVETOEX
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        page.insert(start, *it);
    qToLittleEndian<quint32>(quint32(page.size()), page.data() + 48);
    qToLittleEndian<quint32>(qFromLittleEndian<quint32>(page.constData() + 52) + quint32(records.size()), page.data() + 52);
    return page;
}

QString redPixels(const QImage &image)
{
    QString s;
    for (int p : {10, 30, 45, 60})
        s += image.pixel(p, p) == qRgb(255, 0, 0) ? 'R' : '.';
    return s;
}

} // namespace

// Clip records intersect with each other, with the painter's own clip, and end with the
// saved state they were made in.
TEST(EmfPlayer, ClipRecordsIntersect)
{
    const QByteArray clipA = record(30, {0, 0, 50, 50}), clipB = record(30, {25, 25, 100, 100});
    const QByteArray save = record(33, {}), restore = record(34, {-1});
    struct Case {
        const char *what;
        QList<QByteArray> records;
        bool painterClip;
        QString red; // at (10,10), (30,30), (45,45), (60,60)
    };
    const Case cases[] = {
        {"no clip", {}, false, "RRRR"},
        {"two clips", {clipA, clipB}, false, ".RR."},
        {"and the painter's", {clipA, clipB}, true, ".R.."},
        {"restored", {save, clipA, clipB, restore}, false, "RRRR"},
        {"many", QList<QByteArray>(2000, clipB) + QList<QByteArray>{clipA}, false, ".RR."},
    };
    for (const Case &c : cases) {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        if (c.painterClip)
            painter.setClipRect(0, 0, 40, 40);
        metafile::playEmf(redPageAfter(c.records), painter, QTransform());
        painter.end();
        EXPECT_EQ(redPixels(image), c.red) << c.what;
    }
}

// A page that nests its saved states deeper than the bound is refused before anything of it
// is drawn; one at the bound plays.
TEST(EmfPlayer, SavedStatesNestAtMostTheBound)
{
    for (int depth : {metafile::MaxSaveDepth, metafile::MaxSaveDepth + 1}) {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const QByteArray page = redPageAfter(QList<QByteArray>(depth, record(33, {})));
        if (depth > metafile::MaxSaveDepth) {
            EXPECT_THROW(metafile::playEmf(page, painter, QTransform()), metafile::MetafileError);
            painter.end();
            EXPECT_EQ(redPixels(image), "....");
        } else {
            metafile::playEmf(page, painter, QTransform());
            painter.end();
            EXPECT_EQ(redPixels(image), "RRRR");
        }
    }
}
