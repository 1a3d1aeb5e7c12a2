// The screenshot tool run as a developer runs it: the picture of each window at its size, drawn
// (not a blank or a frame), and wrong arguments refused without writing a file.
#include "ProgramRun.h"
#include "QtPrinting.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

ProgramRun shoot(const QStringList &args)
{
    return runProgram(QStringLiteral(MELVORA_SCREENSHOT), args);
}

// How many colours a part of the picture holds: a drawn window has text and lines in it.
int colours(const QImage &image, const QRect &part)
{
    QSet<QRgb> seen;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            seen.insert(image.pixel(x, y));
    return int(seen.size());
}

} // namespace

class Screenshot : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QTemporaryDir dir;
};

TEST_F(Screenshot, ThePreviewShowsTheToolPanelAboveAPageOfTheReport)
{
    const QString file = dir.filePath("previa.png");
    const ProgramRun run = shoot({"preview", file});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QImage image(file);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(900, 700));
    EXPECT_GT(colours(image, QRect(0, 0, 900, 28)), 8) << "the tool panel's buttons";
    EXPECT_GT(colours(image, QRect(100, 100, 700, 500)), 2) << "the page's texts on its paper";
}

TEST_F(Screenshot, TheMainWindowAtTheSizeAsked)
{
    const QString file = dir.filePath("principal.png");
    const ProgramRun run = shoot({"main", file, "--size", "800x600"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QImage image(file);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(800, 600));
    EXPECT_GT(colours(image, QRect(0, 0, 800, 80)), 8) << "the menus and the tool bar";
}

TEST_F(Screenshot, WrongArgumentsWriteNothing)
{
    const QString file = dir.filePath("x.png");
    for (const QStringList &args : {QStringList{}, QStringList{"preview"}, QStringList{"janela", file},
                                    QStringList{"main", file, "--size", "grande"},
                                    QStringList{"main", file, "--size"}, QStringList{"main", file, "outro"}}) {
        const ProgramRun run = shoot(args);
        EXPECT_EQ(run.status, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains("uso: melvora-screenshot preview|main ARQUIVO.png")) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(file));
    }
}

TEST_F(Screenshot, AFileThatCannotBeWrittenIsAnError)
{
    const QString file = dir.filePath("falta/previa.png");
    const ProgramRun run = shoot({"preview", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.endsWith("melvora-screenshot: não foi possível gravar " + file + ".\n")) << run.err.toStdString();
}
