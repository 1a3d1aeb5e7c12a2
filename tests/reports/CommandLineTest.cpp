// The program's command line, run as a user runs it: `melvora --report ... --pdf FILE` in a
// data folder, with no display. The PDF is read back with the poppler tools and compared with
// the pages the same report gives the preview, page for page and line for line.
#include "CollectionFiles.h"
#include "DataModule.h"
#include "PdfReader.h"
#include "ProgramRun.h"
#include "R_CD.h"
#include "R_Retirad.h"
#include "R_musica.h"
#include "ReportPdf.h"
#include "RpPrinter.h"
#include "RpSystemPrinter.h"
#include "TableDefinitions.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Runs the program in folder, without a display, as a desktop's terminal would.
ProgramRun runMelvora(const QString &folder, const QStringList &arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")); // the program chooses offscreen itself
    // A session's private runtime folder, lest Qt warn about a missing one on standard error.
    static QTemporaryDir runtime;
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    ProgramOptions options;
    options.workingDir = folder;
    options.environment = env;
    return runProgram(QStringLiteral(MELVORA_BINARY), arguments, options);
}

// The pages the report gives the preview, from the tables of folder, measured against the
// system printer as the program measures them; and those pages written as a PDF file from
// inside the preview.
QVector<pagerecords::Page> previewPages(const QString &folder, const QString &report, const QString &pdf)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    RpPrinter().setDevice(std::make_unique<TRpSystemPrinter>());
    QVector<pagerecords::Page> pages;
    {
        TDataModule1 dataModule;
        dataModule.DataModuleCreate();
        std::unique_ptr<TReportForm> form;
        if (report == "cd")
            form = std::make_unique<TR_CDForm>(&dataModule);
        else if (report == "retirada")
            form = std::make_unique<TR_RetiradaForm>(&dataModule);
        else
            form = std::make_unique<TR_musicaform>();
        RpPrinter().OnPreview = [&] {
            for (const QByteArray &page : RpPrinter().Pages())
                pages.append(pagerecords::decode(page));
            SavePagesAsPdf(RpPrinter(), pdf, form->Caption);
        };
        form->Preview();
        RpPrinter().OnPreview = nullptr;
    }
    RpPrinter().setDevice(nullptr);
    QDir::setCurrent(previous);
    return pages;
}

const char UsageFirstLine[] = "Uso: melvora --report cd|retirada|musica --pdf ARQUIVO";

} // namespace

class CommandLine : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        sample = new QTemporaryDir;
        melvora::createEmptyCollection(sample->path());
        melvora::fillSampleCollection(sample->path(), {});
    }
    static void TearDownTestSuite()
    {
        delete sample;
        sample = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(empty.isValid());
        melvora::createEmptyCollection(empty.path());
    }
    static QTemporaryDir *sample;
    QTemporaryDir empty;
};
QTemporaryDir *CommandLine::sample = nullptr;

TEST_F(CommandLine, EachReportIsThePreviewsPagesAsAPdfFile)
{
    for (const char *report : {"cd", "retirada", "musica"}) {
        SCOPED_TRACE(report);
        const QString file = empty.filePath(QStringLiteral("%1.pdf").arg(report));
        const ProgramRun run = runMelvora(sample->path(), {"--report", report, "--pdf", file});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
        const pdfread::Document pdf = pdfread::read(file);
        ASSERT_EQ(pdf.error, "");
        const QString fromPreview = empty.filePath(QStringLiteral("%1-previa.pdf").arg(report));
        const QVector<pagerecords::Page> pages = previewPages(sample->path(), report, fromPreview);
        ASSERT_FALSE(pages.isEmpty());
        EXPECT_EQ(pdf.pages, pages.size());
        // The same text, page for page, as the preview's own pages written out.
        EXPECT_EQ(pdf.lines, pdfread::read(fromPreview).lines);
        // Every line whose texts fit their boxes reads as the preview shows it.
        ASSERT_EQ(pdf.lines.size(), pages.size());
        int compared = 0, all = 0;
        for (int p = 0; p < pages.size(); ++p) {
            SCOPED_TRACE(p + 1);
            all += pdfread::lines(pages[p]).size();
            for (const QString &line : pdfread::lines(pages[p], true)) {
                EXPECT_TRUE(pdf.lines[p].contains(line)) << line.toStdString();
                ++compared;
            }
        }
        EXPECT_GT(compared, pages.size()) << all << " lines in all";
    }
}

TEST_F(CommandLine, ArgumentsThatAreRefused)
{
    const struct {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{"--report", "cd"}, "melvora: falta --pdf ARQUIVO."},
        {{"--pdf", "x.pdf"}, "melvora: falta --report cd|retirada|musica."},
        {{"--report", "cds", "--pdf", "x.pdf"}, "melvora: relatório desconhecido \"cds\"; use cd, retirada ou musica."},
        {{"--report", "cd", "--pdf"}, "melvora: falta o valor de --pdf."},
        {{"--report=cd", "--pdf="}, "melvora: falta o valor de --pdf."},
        {{"--report", "cd", "--pdf", "x.pdf", "--zoom"}, "melvora: argumento desconhecido \"--zoom\"."},
        {{"--report", "cd", "--report", "musica", "--pdf", "x.pdf"}, "melvora: --report foi dado mais de uma vez."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const ProgramRun run = runMelvora(empty.path(), c.arguments);
        EXPECT_EQ(run.status, 2);
        const QStringList lines = run.err.split('\n');
        EXPECT_EQ(lines.value(0), c.message);
        EXPECT_EQ(lines.value(1), UsageFirstLine);
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(QFile::exists(empty.filePath("x.pdf")));
    }
    const ProgramRun help = runMelvora(empty.path(), {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.split('\n').value(0), UsageFirstLine);
    EXPECT_EQ(help.err, "");
}

TEST_F(CommandLine, WhatCannotBeReadOrWrittenEndsWithAMessageAndNoFile)
{
    QTemporaryDir noTables;
    const QString file = noTables.filePath("saida.pdf");
    ProgramRun run = runMelvora(noTables.path(), {"--report", "cd", "--pdf", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "melvora: A tabela artista.db não foi encontrada\n");
    EXPECT_FALSE(QFile::exists(file));

    run = runMelvora(empty.path(), {"--report", "cd", "--pdf", empty.filePath("nenhuma/pasta.pdf")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.startsWith("melvora: Não foi possível criar o arquivo " + empty.filePath("nenhuma/pasta.pdf") + ": "))
        << run.err.toStdString();

    // The window would rebuild a missing index first; the command line names the first index
    // file missing, in the order the window checks them, and stops. (Opening a table whose
    // index lost one of its two files removes the other as well.)
    ASSERT_TRUE(QFile::remove(empty.filePath("cd.YG2")));
    run = runMelvora(empty.path(), {"--report", "musica", "--pdf", file});
    EXPECT_EQ(run.status, 1);
    QString missing;
    for (const QString &name : melvora::indexFileNames())
        if (missing.isEmpty() && !QFile::exists(empty.filePath(name)))
            missing = name;
    EXPECT_TRUE(missing == "cd.XG2" || missing == "cd.YG2") << missing.toStdString();
    EXPECT_EQ(run.err, "melvora: falta o arquivo de índice \"" + missing + "\" nesta pasta; abra o Melvora nela "
                       "para reconstruir os índices.\n");
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(CommandLine, TablesHeldByTheOpenProgramAreReportedAndTheOldFileStays)
{
    const QString file = empty.filePath("saida.pdf");
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("antigo");
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(empty.path());
    {
        TDataModule1 running; // the program, open on the same folder
        running.DataModuleCreate();
        const ProgramRun run = runMelvora(empty.path(), {"--report", "cd", "--pdf", file});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "melvora: A tabela artista.db está em uso por outro programa\n");
    }
    QDir::setCurrent(previous);
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "antigo");
}
