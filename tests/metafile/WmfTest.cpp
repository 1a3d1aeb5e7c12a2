// Pages stored as placeable WMF: replayed into an EMF page; damaged ones fail cleanly.
#include "PageRecords.h"
#include "WmfBuilder.h"
#include "WmfReader.h"

#include <gtest/gtest.h>

namespace {

// An inch of 1440 logical units (twips) is 96 page units: 15 twips to the unit.
QByteArray sample()
{
    return WmfBuilder(0, 0, 1440 * 8, 1440 * 11, 1440)
        .font(-240, 700, "Arial")
        .record(0x012D, {0}) // select the font
        .record(0x0209, {0x00ff, 0x0000}) // text colour red
        .textOut(720, 360, QByteArray("Ol\xe1")) // an ANSI (Latin-1) string
        .record(0x02FC, {0, 0x00ff, 0x0000, 0}) // a solid red brush
        .record(0x012D, {1})
        .rectangle(150, 300, 1650, 900)
        .record(0x0214, {0, 0})    // MOVETO y, x
        .record(0x0213, {1500, 1500}) // LINETO
        .record(0x9999, {1, 2, 3}) // not understood: skipped
        .bytes();
}

} // namespace

TEST(Wmf, ReplayedIntoAnEmfPage)
{
    const QByteArray wmf = sample();
    EXPECT_EQ(metafile::wmfLength(wmf.constData(), wmf.size() + 10), wmf.size());
    const pagerecords::Page page = pagerecords::decode(metafile::wmfToEmf(wmf, 768, 1056));
    ASSERT_EQ(page.strings(), QStringList{"Olá"});
    const pagerecords::Text &t = page.texts[0];
    EXPECT_EQ(QPoint(t.x, t.y), QPoint(48, 24));
    EXPECT_EQ(t.fontHeight, 16);
    ASSERT_EQ(page.shapes.size(), 2);
    EXPECT_EQ(page.shapes[0].type, quint32(U_EMR_RECTANGLE));
    EXPECT_EQ(page.shapes[0].rect, QRect(10, 20, 100, 40));
    EXPECT_EQ(page.shapes[0].fill, QColor(255, 0, 0));
    EXPECT_EQ(page.shapes[1].type, quint32(U_EMR_LINETO));
    EXPECT_EQ(page.shapes[1].rect, QRect(QPoint(0, 0), QPoint(100, 100)));
}

TEST(Wmf, NotAWmfIsNoLength)
{
    EXPECT_EQ(metafile::wmfLength("\x01\x00\x00\x00", 4), 0);
    EXPECT_EQ(metafile::wmfLength("", 0), 0);
}

TEST(Wmf, DamagedFilesFail)
{
    const QByteArray good = sample();
    auto set32 = [](QByteArray b, int at, quint32 v) { qToLittleEndian(v, b.data() + at); return b; };
    auto set16 = [](QByteArray b, int at, quint16 v) { qToLittleEndian(v, b.data() + at); return b; };
    const int firstRecord = 22 + 18;
    const struct {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"cut in the header", good.left(30)},
        {"size past the end", set32(good, 22 + 6, 0x7fffffff)},
        {"size below the header", set32(good, 22 + 6, 2)},
        {"zero units per inch", set16(good, 14, 0)},
        {"header words too many", set16(good, 22 + 2, 0xffff)},
        {"record of no words", set32(good, firstRecord, 0)},
        {"record past the end", set32(good, firstRecord, 0x40000000)},
        {"no EOF", good.left(good.size() - 6)},
        {"text longer than its record", [&] {
             QByteArray b = WmfBuilder(0, 0, 100, 100, 96).record(0x0521, {200, 0, 0}).bytes();
             return b;
         }()},
        {"font record short", WmfBuilder(0, 0, 100, 100, 96).record(0x02FB, {12}).bytes()},
    };
    for (const auto &c : cases) {
        QByteArray bytes = c.bytes;
        if (c.what == std::string("no EOF"))
            bytes = set32(bytes, 22 + 6, quint32((bytes.size() - 22) / 2));
        EXPECT_THROW(metafile::wmfToEmf(bytes, 100, 100), metafile::MetafileError) << c.what;
    }
}

// A new object takes the lowest slot that a deletion freed; slots are found however many
// creations and deletions a page makes.
TEST(Wmf, NewObjectsTakeTheLowestFreeSlot)
{
    auto brush = [](quint16 red) { return QList<qint16>{0, qint16(red), 0, 0}; };
    WmfBuilder b(0, 0, 1440, 1440, 1440);
    b.record(0x02FC, brush(10)).record(0x02FC, brush(20)).record(0x02FC, brush(30)); // slots 0, 1, 2
    for (int i = 0; i < 1000; ++i) // churn: the table stays three long
        b.record(0x01F0, {1}).record(0x02FC, brush(20));
    b.record(0x01F0, {1}).record(0x01F0, {0});
    b.record(0x02FC, brush(40)).record(0x02FC, brush(50)); // into slots 0 and 1
    for (qint16 slot : {1, 0, 2})
        b.record(0x012D, {slot}).rectangle(0, 0, 150, 150);
    const pagerecords::Page page = pagerecords::decode(metafile::wmfToEmf(b.bytes(), 100, 100));
    QList<int> reds;
    for (const auto &s : page.shapes)
        reds << s.fill.red();
    EXPECT_EQ(reds, QList<int>({50, 40, 30}));
}
