// The help command and its manual: where the manual is found (the data folder first, then
// beside the program, then in the installation), the viewer's own window, the message for a
// missing manual, and the manual itself: every link leads somewhere and every command of the
// main window is described.
#include "CollectionFixture.h"
#include "FormPrincipal.h"
#include "HelpViewer.h"
#include "Messages.h"
#include "Startup.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QString readManual()
{
    QFile f(QStringLiteral(MELVORA_MANUAL));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void put(const QString &folder, const QString &text = QStringLiteral("<html><head><title>Manual</title></head><body>x</body></html>"))
{
    QDir().mkpath(folder);
    QFile f(QDir(folder).filePath(QStringLiteral("melvo95.html")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

} // namespace

class Help : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        previous = QDir::currentPath();
        data = root.filePath("dados");
        prefix = root.filePath("usr");
        QDir().mkpath(data);
        QDir().mkpath(prefix + "/bin");
        QDir::setCurrent(data);
        viewer.setReporter([this](const QString &text) { reports << text; });
        viewer.setManualFolders(help::programManualFolders(prefix + "/bin", "melvora"));
    }
    void TearDown() override
    {
        viewer.quit();
        QDir::setCurrent(previous);
    }
    QTemporaryDir root;
    QString previous, data, prefix;
    help::HelpViewer viewer;
    QStringList reports;
};

TEST_F(Help, TheManualIsFoundInTheDataFolderThenBesideTheProgramThenInTheInstallation)
{
    EXPECT_EQ(help::programManualFolders(prefix + "/bin", "melvora"),
              QStringList({prefix + "/bin", prefix + "/share/melvora"}));
    const struct {
        QStringList holders; // folders that hold a manual
        QString found;       // the one found; empty: none
    } cases[] = {
        {{}, QString()},
        {{"usr/share/melvora"}, "usr/share/melvora"},
        {{"usr/bin", "usr/share/melvora"}, "usr/bin"},
        {{"dados", "usr/bin", "usr/share/melvora"}, "dados"},
        {{"usr/share/doc/melvora"}, QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.holders.join(", ").toStdString());
        for (const char *f : {"dados", "usr/bin", "usr/share/melvora", "usr/share/doc/melvora"})
            QFile::remove(root.filePath(QStringLiteral("%1/melvo95.html").arg(f)));
        for (const QString &h : c.holders)
            put(root.filePath(h));
        EXPECT_EQ(viewer.findManual("melvo95.hlp"),
                  c.found.isEmpty() ? QString() : root.filePath(c.found + "/melvo95.html"));
    }
}

TEST_F(Help, TheViewerShowsTheManualInItsOwnWindowUntilToldToQuit)
{
    put(prefix + "/share/melvora", readManual());
    ASSERT_TRUE(viewer.contents("melvo95.hlp"));
    EXPECT_TRUE(reports.isEmpty());
    const QString manual = prefix + "/share/melvora/melvo95.html";
    EXPECT_EQ(viewer.shownFile(), manual);
    help::HelpWindow *window = viewer.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Manual do Melvora");
    EXPECT_EQ(window->browser()->source(), QUrl::fromLocalFile(manual));
    EXPECT_FALSE(window->backButton()->isEnabled());

    // Following a link of the contents, then asking for help again: the same window, back at
    // the top, with nothing to go back to.
    window->resize(500, 300);
    auto at = [&](const char *anchor) {
        QUrl url = QUrl::fromLocalFile(manual);
        url.setFragment(anchor);
        return url;
    };
    window->browser()->setSource(at("mensagens"));
    EXPECT_TRUE(window->backButton()->isEnabled());
    EXPECT_GT(window->browser()->verticalScrollBar()->value(), 0);
    QTest::mouseClick(window->backButton(), Qt::LeftButton);
    EXPECT_EQ(window->browser()->source(), QUrl::fromLocalFile(manual));
    window->browser()->setSource(at("teclas"));
    EXPECT_GT(window->browser()->verticalScrollBar()->value(), 0);
    ASSERT_TRUE(viewer.contents("melvo95.hlp"));
    EXPECT_EQ(viewer.window(), window);
    EXPECT_EQ(window->browser()->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(window->backButton()->isEnabled());

    viewer.quit();
    EXPECT_EQ(viewer.window(), nullptr);
    EXPECT_TRUE(viewer.shownFile().isEmpty());

    // Closed by the user, it comes back on the next request.
    ASSERT_TRUE(viewer.contents("melvo95.hlp"));
    viewer.window()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(viewer.window(), nullptr);
    ASSERT_TRUE(viewer.contents("melvo95.hlp"));
    EXPECT_TRUE(viewer.window()->isVisible());
}

TEST_F(Help, AMissingManualIsReportedAsAMissingHelpFile)
{
    EXPECT_FALSE(viewer.contents("melvo95.hlp"));
    EXPECT_EQ(reports, QStringList{"O arquivo de ajuda \"melvo95.hlp\" não foi encontrado em "
                                   + QDir::toNativeSeparators(QDir::currentPath()) + "."});
    EXPECT_EQ(viewer.window(), nullptr);
    EXPECT_TRUE(viewer.shownFile().isEmpty());
}

TEST(Manual, EveryLinkOfTheManualLeadsToAPlaceInIt)
{
    const QString html = readManual();
    ASSERT_FALSE(html.isEmpty());
    QStringList anchors;
    for (auto it = QRegularExpression(R"re(\b(?:id|name)="([^"]+)")re").globalMatch(html); it.hasNext();)
        anchors << it.next().captured(1);
    QStringList links;
    for (auto it = QRegularExpression(R"re(href="#([^"]+)")re").globalMatch(html); it.hasNext();)
        links << it.next().captured(1);
    EXPECT_GE(links.size(), 14);
    for (const QString &link : links)
        EXPECT_TRUE(anchors.contains(link)) << link.toStdString();
    QTextBrowser browser;
    browser.setSource(QUrl::fromLocalFile(QStringLiteral(MELVORA_MANUAL)));
    EXPECT_EQ(browser.documentTitle(), "Manual do Melvora");
}

// The main window's commands, read from the window itself, each described in the manual.
class HelpCommand : public CollectionFixture {
protected:
    void SetUp() override
    {
        CollectionFixture::SetUp();
        start();
    }
};

TEST_F(HelpCommand, TheManualDescribesEveryCommandOfTheMainWindow)
{
    // The plain text, as a reader sees it.
    QTextBrowser browser;
    browser.setSource(QUrl::fromLocalFile(QStringLiteral(MELVORA_MANUAL)));
    const QString text = browser.toPlainText();
    QStringList missing;
    for (QAction *menu : main->menuBar()->actions()) {
        QStringList captions{menu->text()};
        if (menu->menu())
            for (QAction *item : menu->menu()->actions())
                if (!item->isSeparator())
                    captions << item->text();
        for (QString caption : captions)
            if (!text.contains(caption.remove('&')))
                missing << caption;
    }
    for (QToolButton *b : main->findChildren<QToolButton *>())
        if (b->objectName().startsWith("BitBtn") && !text.contains(b->toolTip()))
            missing << b->toolTip();
    EXPECT_EQ(missing, QStringList());
}

TEST_F(HelpCommand, AjudaOpensTheManualFromTheDataFolderAndClosingTheProgramClosesIt)
{
    main->helpViewer.setManualFolders({});
    put(dir.path(), readManual());
    QTest::mouseClick(main->BitBtn6, Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList());
    ASSERT_NE(main->helpViewer.window(), nullptr);
    EXPECT_TRUE(main->helpViewer.window()->isVisible());
    EXPECT_EQ(main->helpViewer.shownFile(), dir.filePath("melvo95.html"));
    QPointer<QWidget> window = main->helpViewer.window();
    main->close();
    EXPECT_TRUE(window.isNull());
}
