// bench_report_engine: the song report's layout (page header 65, detail 41, three data fields)
// over a generated collection of songs. Prints pages generated and recorded per second (the
// median of three runs) without a printer and, where a CUPS PDF queue is installed, with the
// program's own system-printer device on that queue; bytes per page in memory, how memory
// grows with the page count, and as the reference the time SQLite takes to read the same rows
// directly.
//   bench_report_engine [CDS SONGS_PER_CD]     (default 10000 × 10 = 100,000 songs)
#include "PdfQueue.h"
#include "Resident.h"
#include "RpFormReader.h"
#include "RpPrinter.h"
#include "RpReport.h"
#include "RpSystemPrinter.h"
#include "RpTableDataSet.h"
#include "SampleCollection.h"
#include "SqliteReference.h"
#include "Table.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

namespace {

const char *SongReport = R"(<form name="R_musica">
  <object class="TRpReport" name="RpReport1">
    <property name="DataSource">DataSource1</property>
    <property name="ShowProgress">False</property>
  </object>
  <object class="TRpBand" name="RpBand1">
    <property name="BandType">rbPageHeader</property>
    <property name="Height">65</property>
    <object class="TRpShape" name="RpShape2">
      <property name="Shape">rsHorLine</property>
      <property name="Left">16</property><property name="Top">5</property>
      <property name="Width">621</property><property name="Height">4</property>
    </object>
    <object class="TRpLabel" name="RpLabel1">
      <property name="Caption">Relatório de Músicas</property>
      <property name="Left">16</property><property name="Top">8</property>
      <property name="Width">169</property><property name="Height">20</property>
      <property name="Font.Style">[fsBold]</property><property name="Font.Height">-17</property>
    </object>
    <object class="TRpLabel" name="RpLabel2">
      <property name="Caption">Artista</property>
      <property name="Left">16</property><property name="Top">39</property>
      <property name="Width">37</property><property name="Height">13</property>
      <property name="Font.Style">[fsBold]</property>
    </object>
    <object class="TRpLabel" name="RpLabel3">
      <property name="Caption">Título</property>
      <property name="Left">216</property><property name="Top">39</property>
      <property name="Width">35</property><property name="Height">13</property>
      <property name="Font.Style">[fsBold]</property>
    </object>
    <object class="TRpLabel" name="RpLabel4">
      <property name="Caption">Música</property>
      <property name="Left">392</property><property name="Top">39</property>
      <property name="Width">41</property><property name="Height">13</property>
      <property name="Font.Style">[fsBold]</property>
    </object>
    <object class="TRpShape" name="RpShape1">
      <property name="Shape">rsHorLine</property>
      <property name="Left">16</property><property name="Top">54</property>
      <property name="Width">621</property><property name="Height">4</property>
    </object>
  </object>
  <object class="TRpBand" name="RpBand2">
    <property name="BandType">rbDetail</property>
    <property name="Height">41</property>
    <object class="TRpDBText" name="RpDBText1">
      <property name="DataSource">DataSource1</property><property name="DataField">Artista</property>
      <property name="Left">16</property><property name="Top">8</property>
      <property name="Width">193</property><property name="Height">17</property>
    </object>
    <object class="TRpDBText" name="RpDBText2">
      <property name="DataSource">DataSource1</property><property name="DataField">Titulo</property>
      <property name="Left">216</property><property name="Top">8</property>
      <property name="Width">169</property><property name="Height">17</property>
    </object>
    <object class="TRpDBText" name="RpDBText3">
      <property name="DataSource">DataSource1</property><property name="DataField">Musica</property>
      <property name="Left">400</property><property name="Top">8</property>
      <property name="Width">225</property><property name="Height">17</property>
    </object>
  </object>
</form>)";

double seconds(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e9; }

qint64 pageBytes(const TRpPrinter &store)
{
    qint64 total = 0;
    for (const QByteArray &p : store.Pages())
        total += p.capacity();
    return total;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bench::SampleCollection collection(bench::sampleSize(argc, argv));
    std::printf("collection of %d songs made in %.1f s\n", collection.songs(), collection.secondsToMake());

    // The reference: reading the same rows and fields straight from SQLite.
    const bench::SqliteRead read = bench::sqliteRead("musica.db", 3);
    const double reference = read.seconds;
    std::printf("sqlite reads the %d rows (%lld characters) in %.3f s\n", collection.songs(), read.characters,
                reference);

    TRpPrinter store;
    tables::Table musica("musica.db");
    musica.open(tables::OpenMode::Exclusive);
    dataaware::DataSource source(&musica);
    TRpForm form;
    addTableDataSource(form, "DataSource1", &source);
    QBuffer definition;
    definition.setData(SongReport);
    definition.open(QIODevice::ReadOnly);
    readReportForm(form, definition);
    auto *report = qobject_cast<TRpReport *>(form.findComponent("RpReport1"));

    // The whole report, with the pages counted when the preview would show them: the median
    // of three runs.
    int pages = 0;
    qint64 bytes = 0;
    const qint64 before = bench::residentBytes();
    qint64 resident = 0;
    store.OnPreview = [&] {
        pages = int(store.Pages().size());
        bytes = pageBytes(store);
        resident = bench::residentBytes() - before;
    };
    QElapsedTimer clock;
    auto median = [&] {
        QList<double> runs;
        for (int run = 0; run < 3; ++run) {
            clock.start();
            report->Preview(store);
            runs << seconds(clock);
        }
        std::sort(runs.begin(), runs.end());
        return runs[1];
    };
    const double generation = median();
    const double withoutPrinter = pages / generation;
    std::printf("pages generated and recorded        %8d in %.3f s\n", pages, generation);
    std::printf("pages per second, no printer        %8.0f   (target >= 3000)\n", withoutPrinter);
    std::printf("time against the sqlite read        %8.1f x\n", generation / reference);
    std::printf("bytes per page in memory            %8.0f   (target <= 40960)\n", double(bytes) / pages);
    std::printf("resident growth per page            %8.0f\n", double(resident) / pages);

    // The same report with a printer installed: the program's system-printer device, on a
    // CUPS queue that prints to PDF files (nothing is printed: the report is only previewed).
    const QString queue = pdfQueue();
    if (queue.isEmpty()) {
        std::printf("pages per second, printer installed  skipped: no CUPS PDF queue installed\n");
    } else {
        TRpSystemPrinter asked(queue);
        clock.start();
        const bool installed = asked.installed();
        asked.metrics();
        std::printf("printer questions of one document    %7.1f ms (installed: %s)\n", seconds(clock) * 1000,
                    installed ? "yes" : "no");
        store.setDevice(std::make_unique<TRpSystemPrinter>(queue));
        const double withPrinter = pages / median();
        std::printf("pages per second, printer \"%s\" %8.0f   (target >= 8000; no printer %.0f, %.2f x)\n",
                    qPrintable(queue), withPrinter, withoutPrinter, withoutPrinter / withPrinter);
        store.setDevice(nullptr);
    }

    // Memory against the page count: stop after a share of the records, measured at the end.
    std::printf("memory growth by page count (page bytes, resident growth):\n");
    for (int share : {1, 2, 4}) {
        const int details = collection.songs() * share / 4;
        int done = 0;
        qint64 partBytes = 0, partResident = 0;
        int partPages = 0;
        const qint64 start = bench::residentBytes();
        report->AfterDetail = [&](TRpReport *) {
            if (++done == details)
                store.Cancel();
        };
        report->AfterPrint = [&](TRpReport *) {
            partPages = int(store.Pages().size());
            partBytes = pageBytes(store);
            partResident = bench::residentBytes() - start;
        };
        report->Preview(store);
        std::printf("  %6d pages  %10lld bytes  %8.0f per page   resident +%lld\n", partPages, partBytes,
                    partPages ? double(partBytes) / partPages : 0.0, partResident);
    }
    return 0;
}
