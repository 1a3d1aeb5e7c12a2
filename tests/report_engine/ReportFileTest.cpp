// Saving pages to a report file and loading them back; damaged and hostile files.
#include "EmfCanvas.h"
#include "EmfReader.h"
#include "PageRecords.h"
#include "StorePages.h"
#include "StoreProgress.h"
#include "EmfPlayer.h"
#include "RpReportFile.h"
#include "WmfBuilder.h"
#include "WmfReader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

namespace {

QByteArray readAll(const QString &name)
{
    QFile f(name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void writeAll(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

qint32 int32At(const QByteArray &b, int at) { return qFromLittleEndian<qint32>(b.constData() + at); }
void setInt32(QByteArray &b, int at, qint32 v) { qToLittleEndian<qint32>(v, b.data() + at); }


// A recorded page with records inserted before its EOF record (the last 20 bytes).
QByteArray pageWith(const QByteArray &records, int count)
{
    metafile::EmfCanvas canvas(748, 1080);
    canvas.drawLine(0, 0, 10, 10);
    QByteArray page = canvas.finish();
    page.insert(page.size() - 20, records);
    qToLittleEndian<quint32>(quint32(page.size()), page.data() + 48);
    qToLittleEndian<quint32>(qFromLittleEndian<quint32>(page.constData() + 52) + quint32(count), page.data() + 52);
    return page;
}

const QByteArray SaveDc = QByteArray::fromHex("2100000008000000");
const QByteArray RestoreDc = QByteArray::fromHex("220000000c000000ffffffff"); // relative -1

class StoreAndFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        name = dir.filePath("pages.RPP");
        store.ShowProgress = false;
    }
    QTemporaryDir dir;
    QString name;
    TRpPrinter store;
};

} // namespace

using ReportFileFormat = StoreAndFile;
using SaveAndLoad = StoreAndFile;
using CancelledSaveAndLoad = StoreAndFile;
using DamagedReportFiles = StoreAndFile;

TEST_F(ReportFileFormat, HeaderAndPageLayout)
{
    makePages(store, 3);
    const QDateTime before = QDateTime::currentDateTime();
    store.SaveToFile(name);
    const QByteArray b = readAll(name);
    ASSERT_GE(b.size(), rpfile::HeaderSize);
    EXPECT_EQ(qFromLittleEndian<quint16>(b.constData()), 1);
    EXPECT_EQ(qFromLittleEndian<quint16>(b.constData() + 2), 95);
    EXPECT_EQ(int32At(b, 4), 1080);
    EXPECT_EQ(int32At(b, 8), 748);
    EXPECT_EQ(int32At(b, 12), 96);
    EXPECT_EQ(int32At(b, 16), 3);
    EXPECT_EQ(b.at(20), 0);
    const QDateTime saved = rpfile::fromDayCount(qFromLittleEndian<double>(b.constData() + 104));
    EXPECT_LE(std::abs(saved.secsTo(before)), 2);
    // Each page: its complete EMF, then the position where it starts.
    qint64 at = rpfile::HeaderSize;
    for (int i = 0; i < 3; ++i) {
        const QByteArray &page = store.Pages()[i];
        EXPECT_EQ(b.mid(at, page.size()), page) << i;
        EXPECT_EQ(int32At(b, int(at + page.size())), at) << i;
        at += page.size() + 4;
    }
    EXPECT_EQ(at, b.size());
}

TEST_F(ReportFileFormat, DayCountOfKnownDates)
{
    EXPECT_EQ(rpfile::dayCount(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_EQ(rpfile::dayCount(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
    EXPECT_EQ(rpfile::dayCount(QDateTime(QDate(2026, 12, 8), QTime(12, 0))), 46364.5);
}

TEST_F(SaveAndLoad, SaveThenLoadGivesTheSamePages)
{
    makePages(store, 4);
    const QList<QByteArray> pages = store.Pages();
    store.SetCurrentPage(3);
    store.SaveToFile(name);
    TRpPrinter loaded;
    loaded.ShowProgress = false;
    loaded.PageWidth = loaded.PageHeight = 1;
    loaded.LoadFromFile(name);
    EXPECT_EQ(loaded.Status(), TRpPrinter::psReady);
    EXPECT_EQ(loaded.PageCount, 4);
    EXPECT_EQ(loaded.PageWidth, 748);
    EXPECT_EQ(loaded.PageHeight, 1080);
    EXPECT_EQ(loaded.CurrentPage, 1);
    EXPECT_EQ(loaded.Pages(), pages);
    EXPECT_EQ(pagerecords::decode(loaded.Pages()[3]).strings(), QStringList{"Página 4"});
}

// The header counts the pages the file holds, so a file saved with a page range loads back.
TEST_F(SaveAndLoad, APageRangeSavesThosePagesAndLoadsBack)
{
    struct Case {
        int from, to;
        QList<int> saved;
    };
    const Case cases[] = {{2, 3, {2, 3}}, {4, 0, {1, 2, 3, 4, 5}}, {5, 9, {5}}, {3, 1, {}}};
    for (const Case &c : cases) {
        makePages(store, 5);
        const QList<QByteArray> pages = store.Pages();
        store.FromPage = c.from;
        store.ToPage = c.to;
        store.SaveToFile(name);
        const QByteArray b = readAll(name);
        EXPECT_EQ(int32At(b, 16), c.saved.size()) << c.from << "-" << c.to;
        TRpPrinter loaded;
        loaded.ShowProgress = false;
        loaded.LoadFromFile(name);
        EXPECT_EQ(loaded.Status(), TRpPrinter::psReady);
        EXPECT_EQ(loaded.PageCount, c.saved.size());
        QList<QByteArray> expected;
        for (int page : c.saved)
            expected << pages[page - 1];
        EXPECT_EQ(loaded.Pages(), expected) << c.from << "-" << c.to;
    }
}

TEST_F(SaveAndLoad, ZeroPagesLoadAsAReadyEmptyStore)
{
    rpfile::Header h;
    h.pageCount = 0;
    writeAll(name, rpfile::encodeHeader(h));
    makePages(store, 2);
    store.LoadFromFile(name);
    EXPECT_EQ(store.Status(), TRpPrinter::psReady);
    EXPECT_EQ(store.PageCount, 0);
    EXPECT_TRUE(store.Pages().isEmpty());
    EXPECT_EQ(store.CurrentPageDrawing(), nullptr);
}

TEST_F(CancelledSaveAndLoad, CancelledSaveLeavesNoFileAndKeepsAnOlderOne)
{
    makePages(store, 5);
    store.progressFactory = [this] { return std::make_unique<CancellingProgress>(store, 3); };
    store.SaveToFile(name);
    EXPECT_TRUE(store.Cancelled);
    EXPECT_FALSE(QFile::exists(name));

    writeAll(name, "older");
    store.SaveToFile(name);
    EXPECT_EQ(readAll(name), "older");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"pages.RPP"});
}

TEST_F(CancelledSaveAndLoad, CancelledLoadLeavesTheStoreEmpty)
{
    makePages(store, 3);
    store.SaveToFile(name);
    store.progressFactory = [this] { return std::make_unique<CancellingProgress>(store, 2); };
    store.LoadFromFile(name);
    EXPECT_EQ(store.Status(), TRpPrinter::psIdle);
    EXPECT_TRUE(store.Pages().isEmpty());
}

TEST_F(DamagedReportFiles, WrongStateAndUnwritablePlaces)
{
    store.SaveToFile(name); // idle: nothing
    EXPECT_FALSE(QFile::exists(name));
    makePages(store, 1);
    EXPECT_THROW(store.SaveToFile(dir.filePath("no/such/folder/x.RPP")), TRpError);
    EXPECT_THROW(store.LoadFromFile(dir.filePath("missing.RPP")), TRpError);
    EXPECT_EQ(store.Status(), TRpPrinter::psIdle); // the ready pages were discarded first
}

// Hostile and damaged files: each fails with TRpError and leaves the store idle and empty.
TEST_F(DamagedReportFiles, DamagedFilesFailCleanly)
{
    makePages(store, 2);
    store.SaveToFile(name);
    const QByteArray good = readAll(name);
    const int page1 = store.Pages()[0].size();
    struct Case {
        const char *what;
        std::function<QByteArray(QByteArray)> damage;
    };
    const Case cases[] = {
        {"empty file", [](QByteArray) { return QByteArray(); }},
        {"header cut short", [](QByteArray b) { return b.left(371); }},
        {"header only", [](QByteArray b) { return b.left(372); }},
        {"negative page count", [](QByteArray b) { setInt32(b, 16, -1); return b; }},
        {"huge page count", [](QByteArray b) { setInt32(b, 16, 0x7fffffff); return b; }},
        {"one page more", [](QByteArray b) { setInt32(b, 16, 3); return b; }},
        {"zero page width", [](QByteArray b) { setInt32(b, 8, 0); return b; }},
        {"huge page height", [](QByteArray b) { setInt32(b, 4, 0x40000000); return b; }},
        {"page is no drawing", [](QByteArray b) { b[372] = 'X'; return b; }},
        {"EMF longer than the file", [](QByteArray b) { setInt32(b, 372 + 48, 0x7ffffff0); return b; }},
        {"EMF shorter than its header", [](QByteArray b) { setInt32(b, 372 + 48, 16); return b; }},
        {"record size past the page", [page1](QByteArray b) { setInt32(b, 372 + page1 - 20 + 4, 400); return b; }},
        {"record size zero", [](QByteArray b) { setInt32(b, 372 + 4, 0); return b; }},
        {"last position missing", [](QByteArray b) { return b.left(b.size() - 2); }},
        {"second page cut", [page1](QByteArray b) { return b.left(372 + page1 + 4 + 60); }},
    };
    for (const Case &c : cases) {
        writeAll(name, c.damage(good));
        TRpPrinter loaded;
        loaded.ShowProgress = false;
        try {
            loaded.LoadFromFile(name);
            ADD_FAILURE() << c.what << ": loaded";
        } catch (const TRpError &e) {
            EXPECT_TRUE(e.message().startsWith("Arquivo de relatório danificado: ")) << c.what << e.message().toStdString();
        }
        EXPECT_EQ(loaded.Status(), TRpPrinter::psIdle) << c.what;
        EXPECT_TRUE(loaded.Pages().isEmpty()) << c.what;
    }
}

TEST_F(SaveAndLoad, TrailingBytesAfterTheLastPageAreIgnored)
{
    makePages(store, 1);
    store.SaveToFile(name);
    writeAll(name, readAll(name) + QByteArray(100, 'z'));
    store.LoadFromFile(name);
    EXPECT_EQ(store.PageCount, 1);
}

TEST_F(ReportFileFormat, APageStoredAsWmfIsReadAsADrawing)
{
    makePages(store, 1);
    const QByteArray emf = store.Pages()[0];
    const QByteArray wmf = WmfBuilder(0, 0, 7480, 10800, 960).textOut(400, 400, "Antiga").bytes();
    rpfile::Header h;
    h.pageWidth = 748;
    h.pageHeight = 1080;
    h.pageCount = 2;
    QByteArray file = rpfile::encodeHeader(h);
    QByteArray position(4, '\0');
    qToLittleEndian<qint32>(372, position.data());
    file += wmf + position;
    qToLittleEndian<qint32>(qint32(file.size()), position.data());
    file += emf + position;
    writeAll(name, file);
    TRpPrinter loaded;
    loaded.ShowProgress = false;
    loaded.LoadFromFile(name);
    ASSERT_EQ(loaded.PageCount, 2);
    const pagerecords::Page page = pagerecords::decode(loaded.Pages()[0]);
    ASSERT_EQ(page.strings(), QStringList{"Antiga"});
    EXPECT_EQ(QPoint(page.texts[0].x, page.texts[0].y), QPoint(40, 40));
    EXPECT_EQ(metafile::emfDeviceSize(loaded.Pages()[0]), QSize(748, 1080));
    EXPECT_EQ(loaded.Pages()[1], emf);
}

// A file shortened by another program while it loads ends in the load's error, not in a
// crash: the file is read, not mapped.
TEST_F(DamagedReportFiles, AFileCutWhileItLoadsFailsCleanly)
{
    makePages(store, 3);
    store.SaveToFile(name);
    const qint64 page1 = store.Pages()[0].size();
    for (qint64 cut : {qint64(0), qint64(rpfile::HeaderSize + page1 + 4 + 10), qint64(rpfile::HeaderSize + page1 + 2)}) {
        store.SaveToFile(name);
        store.progressFactory = [&] { return std::make_unique<CuttingProgress>(name, 2, cut); };
        try {
            store.LoadFromFile(name);
            ADD_FAILURE() << cut << ": loaded";
        } catch (const TRpError &e) {
            EXPECT_EQ(e.message(), "Arquivo de relatório danificado: o arquivo foi encurtado durante a leitura") << cut;
        }
        EXPECT_EQ(store.Status(), TRpPrinter::psIdle);
        EXPECT_EQ(store.PageCount, 0);
        EXPECT_TRUE(store.Pages().isEmpty());
        store.progressFactory = nullptr;
        makePages(store, 3);
    }
}

// Only regular files are read: a FIFO named like a report file would block the load forever.
TEST_F(DamagedReportFiles, OnlyRegularFilesAreRead)
{
    const QString fifo = dir.filePath("fila.RPP");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = dir.filePath("pasta.RPP");
    ASSERT_TRUE(QDir(dir.path()).mkdir("pasta.RPP"));
    for (const QString &other : {fifo, folder, QStringLiteral("/dev/zero")}) {
        makePages(store, 2);
        try {
            store.LoadFromFile(other);
            ADD_FAILURE() << other.toStdString() << ": loaded";
        } catch (const TRpError &e) {
            EXPECT_EQ(e.message(), QStringLiteral("Não foi possível abrir o arquivo %1: não é um arquivo comum").arg(other));
        }
        EXPECT_EQ(store.Status(), TRpPrinter::psIdle);
        EXPECT_EQ(store.PageCount, 0);
    }
}

// Saved drawing states nest at most MaxSaveDepth deep, in an EMF page as in a WMF page; a
// page that saves and restores again and again is fine.
TEST_F(DamagedReportFiles, SavedStatesNestAtMostTheBound)
{
    const int deepest = metafile::MaxSaveDepth;
    QByteArray balanced;
    for (int i = 0; i < 5000; ++i)
        balanced += SaveDc + RestoreDc;
    WmfBuilder deepWmf(0, 0, 7480, 10800, 960);
    for (int i = 0; i <= deepest; ++i)
        deepWmf.record(0x001E, {});
    struct Case {
        const char *what;
        QByteArray page;
        bool loads;
    };
    const Case cases[] = {
        {"EMF at the bound", pageWith(SaveDc.repeated(deepest), deepest), true},
        {"EMF one deeper", pageWith(SaveDc.repeated(deepest + 1), deepest + 1), false},
        {"EMF saving and restoring", pageWith(balanced, 10000), true},
        {"EMF restored, then deeper", pageWith(SaveDc.repeated(deepest) + RestoreDc + SaveDc.repeated(2), deepest + 3), false},
        {"WMF one deeper", deepWmf.bytes(), false},
    };
    for (const Case &c : cases) {
        writeAll(name, fileOf({c.page}));
        TRpPrinter loaded;
        loaded.ShowProgress = false;
        try {
            loaded.LoadFromFile(name);
            EXPECT_TRUE(c.loads) << c.what;
            // It also plays: the painter is left as it was found.
            QImage image(100, 100, QImage::Format_RGB32);
            QPainter painter(&image);
            loaded.StretchCurrentPage(painter, image.rect());
            EXPECT_EQ(painter.transform(), QTransform()) << c.what;
        } catch (const TRpError &e) {
            EXPECT_FALSE(c.loads) << c.what;
            EXPECT_TRUE(e.message().startsWith("Arquivo de relatório danificado: página 1: "))
                << c.what << " " << e.message().toStdString();
            EXPECT_TRUE(e.message().contains("estados salvos aninhados demais")) << c.what << " " << e.message().toStdString();
        }
    }
}

// The reader's memory bound: the pages of a file of N bytes take at most N bytes, plus
// WmfExpansion times each WMF page; a WMF page that would grow more is refused.
TEST_F(DamagedReportFiles, LoadedPagesStayWithinTheMemoryBound)
{
    // Ordinary old texts grow about six times.
    WmfBuilder plain(0, 0, 7480, 10800, 960);
    plain.font(-120, 400, "Arial").record(0x012D, {0});
    for (int i = 0; i < 2000; ++i)
        plain.textOut(qint16(100 + i % 50), qint16(100 + i % 900), "linha de texto");
    // One character in each of two fonts by turns: every text selects the other font, which the
    // EMF page deletes, creates and selects again (some 140 bytes for 8 bytes of WMF).
    WmfBuilder alternating(0, 0, 7480, 10800, 960);
    alternating.font(-120, 400, "Arial").font(-140, 700, "Arial");
    for (int i = 0; i < 2000; ++i)
        alternating.record(0x012D, {qint16(i % 2)}).textOut(100, 100, "x");
    makePages(store, 1);
    const QByteArray emf = store.Pages()[0];

    const QByteArray grows = plain.bytes();
    writeAll(name, fileOf({grows, emf}));
    const qint64 n = QFileInfo(name).size();
    TRpPrinter loaded;
    loaded.ShowProgress = false;
    loaded.LoadFromFile(name);
    ASSERT_EQ(loaded.PageCount, 2);
    EXPECT_GT(loaded.Pages()[0].size(), 3 * grows.size()) << "the conversion does grow";
    EXPECT_LE(loaded.Pages()[0].size(), metafile::WmfExpansion * grows.size() + 4096);
    EXPECT_LE(loaded.Pages()[0].size() + loaded.Pages()[1].size(), metafile::WmfExpansion * n);
    EXPECT_EQ(loaded.Pages()[1], emf);

    writeAll(name, fileOf({alternating.bytes()}));
    try {
        loaded.LoadFromFile(name);
        ADD_FAILURE() << "loaded " << loaded.Pages()[0].size() << " bytes from " << alternating.bytes().size();
    } catch (const TRpError &e) {
        EXPECT_TRUE(e.message().startsWith("Arquivo de relatório danificado: página 1: Desenho WMF danificado: "
                                           "o desenho cresce demais ao ser convertido"))
            << e.message().toStdString();
    }
    EXPECT_EQ(loaded.Status(), TRpPrinter::psIdle);
}
