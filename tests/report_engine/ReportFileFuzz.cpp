// A seeded mutation loop over the report file reader and the page player: damaged copies of
// real saved reports, of an EMF written by libEMF, of a WMF page and of pages that nest their
// saved states up to the bound are loaded and every page that loads is played; the pages of a
// loaded file stay within the reader's memory bound. Every hundredth file is loaded from disk,
// and every hundredth again while it is cut short in the middle of the load. FIFOs, folders
// and devices named like report files are refused. Run under the address sanitizer: no crash,
// no leak, no read outside the file. Usage: report_file_fuzz [iterations] [seed].
#include "EmfPlayer.h"
#include "ForeignEmf.h"
#include "StorePages.h"
#include "StoreProgress.h"
#include "RpReportFile.h"
#include "WmfBuilder.h"
#include "WmfReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <random>
#include <sys/stat.h>

namespace {

QList<QByteArray> seeds()
{
    TRpPrinter store;
    makePages(store, 3);
    QList<QByteArray> s;
    s << fileOf(store.Pages(), store.PageWidth, store.PageHeight);
    const std::string foreign = foreignEmf();
    s << fileOf({QByteArray(foreign.data(), qsizetype(foreign.size()))}, 400, 300);
    const QByteArray wmf = WmfBuilder(0, 0, 1440, 1440, 1440)
                               .font(-240, 700, "Arial")
                               .record(0x012D, {0})
                               .textOut(100, 100, "Velha")
                               .record(0x02FA, {0, 3, 0, 0x00ff, 0})
                               .record(0x012D, {1})
                               .rectangle(10, 10, 500, 500)
                               .record(0x0A32, {20, 20, 4, 0x0006, 0, 0, 300, 300}, "abcd")
                               .bytes();
    s << fileOf({wmf, store.Pages()[0]}, 748, 1080);
    // Saved states nested just below the bound, then restored, in both page formats.
    const int deep = metafile::MaxSaveDepth - 1;
    QByteArray nested = store.Pages()[0];
    const QByteArray saveDc = QByteArray::fromHex("2100000008000000");
    const QByteArray restoreDc = QByteArray::fromHex("220000000c000000ffffffff");
    nested.insert(nested.size() - 20, saveDc.repeated(deep) + restoreDc + saveDc + restoreDc.repeated(deep));
    qToLittleEndian<quint32>(quint32(nested.size()), nested.data() + 48);
    WmfBuilder nestedWmf(0, 0, 1440, 1440, 1440);
    for (int i = 0; i < deep; ++i)
        nestedWmf.record(0x001E, {}).textOut(qint16(i), qint16(i), "n");
    s << fileOf({nested, nestedWmf.bytes()}, 748, 1080);
    return s;
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// FIFOs, folders and devices are refused at once (a FIFO would block the load for ever).
int nonRegularFilesLoaded(const QTemporaryDir &dir)
{
    const QString fifo = dir.filePath(QStringLiteral("fila.RPP"));
    ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
    QDir(dir.path()).mkdir(QStringLiteral("pasta.RPP"));
    int loaded = 0;
    for (const QString &name : {fifo, dir.filePath(QStringLiteral("pasta.RPP")), QStringLiteral("/dev/zero"),
                                QStringLiteral("/dev/null")}) {
        TRpPrinter store;
        store.ShowProgress = false;
        try {
            store.LoadFromFile(name);
            ++loaded;
            std::printf("loaded %s\n", qPrintable(name));
        } catch (const TRpError &) {
        }
    }
    return loaded;
}

const qint32 Interesting[] = {0, 1, -1, 2, 4, 8, 16, 88, 108, 0x7f, 0x80, 0xff, 0x7fff, 0x8000, 0xffff,
                              0x10000, 0x7fffffff, qint32(0x80000000), 0x40000000, 372, 14, 9};

QByteArray mutate(QByteArray b, std::mt19937 &rng)
{
    auto pick = [&](qint64 n) { return qint64(std::uniform_int_distribution<qint64>(0, std::max<qint64>(0, n - 1))(rng)); };
    const int edits = 1 + int(pick(6));
    for (int e = 0; e < edits && !b.isEmpty(); ++e) {
        switch (pick(6)) {
        case 0: b[pick(b.size())] ^= char(1 << pick(8)); break;
        case 1: b[pick(b.size())] = char(pick(256)); break;
        case 2: {
            const qint64 at = pick(b.size() - 3);
            if (at + 4 <= b.size())
                qToLittleEndian<qint32>(Interesting[pick(std::size(Interesting))], b.data() + at);
            break;
        }
        case 3: { // a field of a record header: aligned to four bytes
            const qint64 at = pick(b.size() / 4) * 4;
            if (at + 4 <= b.size())
                qToLittleEndian<qint32>(Interesting[pick(std::size(Interesting))], b.data() + at);
            break;
        }
        case 4: b.truncate(pick(b.size())); break;
        case 5: {
            const qint64 from = pick(b.size()), n = pick(std::min<qint64>(256, b.size() - from));
            b.insert(pick(b.size()), b.mid(from, n));
            break;
        }
        }
    }
    return b;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const long iterations = argc > 1 ? std::atol(argv[1]) : 2000;
    std::mt19937 rng(argc > 2 ? unsigned(std::atol(argv[2])) : 7u);
    const QList<QByteArray> base = seeds();
    QImage image(200, 200, QImage::Format_RGB32);
    long loaded = 0, rejected = 0, played = 0, cutLoads = 0, overBound = 0;
    QTemporaryDir dir;
    const int nonRegular = nonRegularFilesLoaded(dir);
    for (long i = 0; i < iterations; ++i) {
        const QByteArray file = mutate(base[int(i % base.size())], rng);
        try {
            QBuffer buffer;
            buffer.setData(file);
            buffer.open(QIODevice::ReadOnly);
            rpfile::Reader reader(buffer, file.size());
            QList<QByteArray> pages;
            qint64 bytes = 0;
            for (int p = 0; p < reader.header().pageCount; ++p) {
                pages.append(reader.nextPage());
                bytes += pages.last().size();
            }
            ++loaded;
            if (bytes > metafile::WmfExpansion * file.size() + 4096 * qint64(pages.size()))
                ++overBound;
            QPainter painter(&image);
            for (const QByteArray &page : pages) {
                const QSize size = metafile::emfDeviceSize(page);
                QTransform t;
                if (size.width() > 0 && size.height() > 0)
                    t.scale(200.0 / size.width(), 200.0 / size.height());
                try {
                    metafile::playEmf(page, painter, t);
                    ++played;
                } catch (const metafile::MetafileError &) {
                }
            }
        } catch (const TRpError &) {
            ++rejected;
        }
        // Every hundredth file goes through the page store, from disk; every hundredth again
        // is cut to a random length at a random page of its load.
        if (i % 100 == 0 || i % 100 == 50) {
            const QString name = dir.filePath(QStringLiteral("f.RPP"));
            writeFile(name, file);
            TRpPrinter store;
            store.ShowProgress = false;
            if (i % 100 == 50) {
                const int page = std::uniform_int_distribution<int>(0, 4)(rng);
                const qint64 length = std::uniform_int_distribution<qint64>(0, file.size())(rng);
                store.progressFactory = [=] { return std::make_unique<CuttingProgress>(name, page, length); };
                ++cutLoads;
            }
            try {
                store.LoadFromFile(name);
            } catch (const TRpError &) {
            }
        }
    }
    std::printf("files %ld: loaded %ld, rejected %ld, pages played %ld, cut while loading %ld; "
                "over the memory bound %ld; non-regular files loaded %d\n",
                iterations, loaded, rejected, played, cutLoads, overBound, nonRegular);
    return overBound == 0 && nonRegular == 0 ? 0 : 1;
}
