// Recording pages as EMF, reading them back (ours and an independent reader), replaying them
// onto a QPainter, and surviving damaged streams.
#include "EmfCanvas.h"
#include "EmfPlayer.h"
#include "ForeignEmf.h"
#include "PageRecords.h"
#include "TextMeasure.h"

#include <emf2svg.h>
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>

using namespace metafile;

namespace {

QByteArray samplePage()
{
    EmfCanvas c(748, 1080);
    CanvasFont bold;
    bold.name = "Arial";
    bold.pixelHeight = 16;
    bold.bold = true;
    c.setFont(bold);
    c.drawText(10, 20, "Relação de CDs", TextAlign::Left, nullptr, false, QColor());
    CanvasFont plain;
    c.setFont(plain);
    const QRect box(100, 65, 200, 17);
    c.drawText(300, 65, "direita ", TextAlign::Right, &box, true, Qt::white);
    c.drawText(200, 90, "centro", TextAlign::Center, nullptr, false, QColor());
    c.setPen(CanvasPen{Qt::red, 1, PenStyle::Solid});
    c.drawLine(0, 60, 748, 60);
    c.setBrush(CanvasBrush{Qt::blue, false});
    c.drawRectangle(QRect(400, 400, 50, 30));
    c.drawEllipse(QRect(500, 400, 40, 40));
    c.fillRect(QRect(10, 500, 100, 20), QColor(0, 255, 0));
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(qRgb(255, 255, 0));
    c.stretchPicture(QRect(600, 600, 40, 20), picture);
    return c.finish();
}

} // namespace

TEST(EmfCanvas, RecordsTextsWithReferencePointAlignmentAndBox)
{
    const QByteArray emf = samplePage();
    const pagerecords::Page page = pagerecords::decode(emf);
    ASSERT_EQ(page.strings(), QStringList({"Relação de CDs", "direita ", "centro"}));

    const auto &title = page.texts[0];
    EXPECT_EQ(title.x, 10);
    EXPECT_EQ(title.y, 20);
    EXPECT_EQ(title.align, quint32(U_TA_LEFT));
    EXPECT_EQ(title.fontHeight, 16);
    EXPECT_EQ(title.fontName, "Arial");
    EXPECT_EQ(title.options, 0u);

    const auto &right = page.texts[1];
    EXPECT_EQ(right.x, 300);
    EXPECT_EQ(right.align, quint32(U_TA_RIGHT));
    EXPECT_EQ(right.box, QRect(100, 65, 200, 17));
    EXPECT_EQ(right.options, quint32(U_ETO_CLIPPED | U_ETO_OPAQUE));
    EXPECT_EQ(right.fontHeight, 11);

    EXPECT_EQ(page.texts[2].align, quint32(U_TA_CENTER));
    // The spacing array sums to the measured width.
    CanvasFont plain;
    EXPECT_EQ(page.texts[2].width, textWidth(plain, "centro"));
}

TEST(EmfCanvas, RecordsShapesAndFills)
{
    const pagerecords::Page page = pagerecords::decode(samplePage());
    ASSERT_EQ(page.shapes.size(), 4);
    EXPECT_EQ(page.shapes[0].type, quint32(U_EMR_LINETO));
    EXPECT_EQ(page.shapes[0].rect, QRect(QPoint(0, 60), QPoint(748, 60)));
    EXPECT_EQ(page.shapes[1].type, quint32(U_EMR_RECTANGLE));
    EXPECT_EQ(page.shapes[1].rect, QRect(400, 400, 50, 30));
    EXPECT_EQ(page.shapes[1].fill, QColor(Qt::blue));
    EXPECT_FALSE(page.shapes[1].nullPen);
    EXPECT_EQ(page.shapes[2].type, quint32(U_EMR_ELLIPSE));
    // A fill is a rectangle without outline, one unit larger because GDI then leaves the edges out.
    EXPECT_EQ(page.shapes[3].rect, QRect(10, 500, 101, 21));
    EXPECT_EQ(page.shapes[3].fill, QColor(0, 255, 0));
    EXPECT_TRUE(page.shapes[3].nullPen);
}

TEST(EmfCanvas, HeaderCountsMatchTheStream)
{
    const QByteArray emf = samplePage();
    U_EMRHEADER h;
    std::memcpy(&h, emf.constData(), sizeof h);
    EXPECT_EQ(h.nBytes, quint32(emf.size()));
    EXPECT_EQ(int(h.nRecords), pagerecords::decode(emf).records);
    EXPECT_EQ(emfDeviceSize(emf), QSize(748, 1080));
    // An unchanged font is created once, however many texts use it.
    EmfCanvas c(100, 100);
    for (int i = 0; i < 10; ++i)
        c.drawText(0, i * 10, "x", TextAlign::Left, nullptr, false, QColor());
    int fonts = 0;
    forEachRecord(c.finish(), [&](const EmfRecord &r) { fonts += r.type == U_EMR_EXTCREATEFONTINDIRECTW; });
    EXPECT_EQ(fonts, 1);
}

TEST(EmfCanvas, AnIndependentReaderReadsOurPage)
{
    QByteArray emf = samplePage();
    generatorOptions options{};
    options.nameSpace = const_cast<char *>("svg");
    options.svgDelimiter = true;
    options.imgWidth = 748;
    options.imgHeight = 1080;
    char *out = nullptr;
    size_t length = 0;
    ASSERT_TRUE(emf2svg(emf.data(), size_t(emf.size()), &out, &length, &options));
    ASSERT_NE(out, nullptr);
    const QString svg = QString::fromUtf8(out, qsizetype(length));
    free(out);
    EXPECT_TRUE(svg.contains("Relação de CDs")) << svg.left(2000).toStdString();
    EXPECT_TRUE(svg.contains("centro"));
    EXPECT_TRUE(svg.contains("<svg:rect") || svg.contains("<svg:path"));
}

TEST(EmfPlayer, ReplaysUnderOneScaleTransform)
{
    const QByteArray emf = samplePage();
    QImage image(748 * 2, 1080 * 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        playEmf(emf, p, QTransform::fromScale(2, 2));
    }
    // The green fill at (10, 500)-(110, 520) lands at twice the coordinates.
    EXPECT_EQ(image.pixel(30, 1010), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(2 * 109, 2 * 519), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(2 * 111, 2 * 521), qRgb(255, 255, 255));
    // The blue rectangle's inside, the picture and the red line.
    EXPECT_EQ(image.pixel(2 * 420, 2 * 415), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(2 * 620, 2 * 610), qRgb(255, 255, 0));
    EXPECT_EQ(QColor(image.pixel(200, 2 * 60 + 1)).red(), 255);
    // Some ink of the title's text.
    bool ink = false;
    for (int y = 40; y < 80 && !ink; ++y)
        for (int x = 20; x < 200 && !ink; ++x)
            ink = qGray(image.pixel(x, y)) < 128;
    EXPECT_TRUE(ink);
}

TEST(EmfPlayer, PlaysAFileWrittenByAnIndependentWriter)
{
    const std::string bytes = foreignEmf();
    const QByteArray emf(bytes.data(), qsizetype(bytes.size()));
    QStringList texts;
    forEachRecord(emf, [&](const EmfRecord &r) {
        if (r.type == U_EMR_EXTTEXTOUTW || r.type == U_EMR_EXTTEXTOUTA)
            texts << textOf(r);
    });
    EXPECT_EQ(texts, QStringList({"libEMF"}));
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        playEmf(emf, p, QTransform());
    }
    EXPECT_EQ(image.pixel(100, 75), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(200, 200), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(200, 150), qRgb(255, 255, 255));
    int ink = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 200; x < 260; ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(ink, 20); // the text, drawn below its reference point
}

TEST(EmfPlayer, RefusesTruncatedStreamsAtEveryLength)
{
    const QByteArray emf = samplePage();
    QImage image(100, 100, QImage::Format_RGB32);
    QPainter p(&image);
    for (int n = 0; n < emf.size(); n += 7)
        EXPECT_THROW(playEmf(emf.left(n), p, QTransform()), MetafileError) << n;
}

TEST(EmfPlayer, SurvivesCorruptedBytes)
{
    const QByteArray emf = samplePage();
    QImage image(100, 100, QImage::Format_RGB32);
    QPainter p(&image);
    QRandomGenerator random(42);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = emf;
        for (int k = 0; k < 4; ++k)
            bad[int(random.bounded(bad.size()))] = char(random.bounded(256));
        try {
            playEmf(bad, p, QTransform());
        } catch (const MetafileError &) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

TEST(EmfReader, RefusesATextStringOutsideItsRecord)
{
    EmfCanvas c(100, 100);
    c.drawText(1, 2, "abc", TextAlign::Left, nullptr, false, QColor());
    QByteArray emf = c.finish();
    int at = -1;
    qint64 pos = 0;
    forEachRecord(emf, [&](const EmfRecord &r) {
        if (r.type == U_EMR_EXTTEXTOUTW)
            at = int(pos);
        pos += r.size;
    });
    ASSERT_GE(at, 0);
    const quint32 farAway = 0x7ffffff0;
    for (size_t field : {offsetof(U_EMREXTTEXTOUTW, emrtext) + offsetof(U_EMRTEXT, offString),
                         sizeof(U_EMREXTTEXTOUTW) + sizeof(U_RECTL)}) {
        QByteArray bad = emf;
        std::memcpy(bad.data() + at + field, &farAway, 4);
        EXPECT_THROW(forEachRecord(bad, [](const EmfRecord &) {}), MetafileError);
    }
    QByteArray many = emf;
    const quint32 count = 1000000;
    std::memcpy(many.data() + at + offsetof(U_EMREXTTEXTOUTW, emrtext) + offsetof(U_EMRTEXT, nChars), &count, 4);
    EXPECT_THROW(forEachRecord(many, [](const EmfRecord &) {}), MetafileError);
    EXPECT_THROW(forEachRecord(QByteArray("not a metafile at all, just text padding it out........................................................"),
                               [](const EmfRecord &) {}), MetafileError);
}

TEST(TextMeasure, SubstitutesArialAndMsSansSerif)
{
    for (const char *name : {"Arial", "MS Sans Serif"}) {
        CanvasFont f;
        f.name = name;
        EXPECT_EQ(QFontInfo(toQFont(f)).family(), "Liberation Sans") << name;
        EXPECT_EQ(QFontInfo(toQFont(f)).pixelSize(), 11);
    }
}

TEST(TextMeasure, SpacingRoundsTheRunningSumHalfToEven)
{
    CanvasFont f;
    const QString text = "Melvora: relação de músicas 1234567890";
    const QVector<qint32> dx = characterSpacing(f, text);
    ASSERT_EQ(dx.size(), text.size());
    QFontMetricsF fm(toQFont(f));
    double sum = 0;
    int placed = 0;
    for (int i = 0; i < text.size(); ++i) {
        sum += fm.horizontalAdvance(text[i]);
        placed += dx[i];
        EXPECT_EQ(placed, int(std::nearbyint(sum))) << i;
    }
    EXPECT_EQ(textWidth(f, text), placed);
}

TEST(TextMeasure, WrapsAtSpacesWithinTheWidth)
{
    CanvasFont f;
    const int w = textWidth(f, "uma linha");
    const QStringList lines = wrapText(f, "uma linha de texto\nsegunda", w);
    EXPECT_EQ(lines, QStringList({"uma linha", "de texto", "segunda"}));
    for (const QString &line : lines)
        EXPECT_LE(textWidth(f, line), w);
    EXPECT_TRUE(wrapText(f, "", 100).isEmpty());
    // A word wider than the line is cut between characters.
    const QStringList cut = wrapText(f, "aaaaaaaaaa", textWidth(f, "aaaa"));
    EXPECT_EQ(cut, QStringList({"aaaa", "aaaa", "aa"}));
}
