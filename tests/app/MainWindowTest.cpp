// The main window as a user meets it: its menus and tool bar, the rule that a command is
// disabled while its window exists, the end of the program, the arrangement of the windows.
#include "AppFixture.h"
#include "sobre.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>
#include <stdexcept>

namespace {

QStringList itemTexts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (QAction *a : actions)
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

} // namespace

using MainWindowLayout = AppFixture;

TEST_F(MainWindowLayout, MenusAndToolBarReadAsDesigned)
{
    TFormPrincipal *w = start();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Melvora"));
    EXPECT_TRUE(w->isMaximized());
    const QList<QAction *> bar = w->menuBar()->actions();
    EXPECT_EQ(itemTexts(bar), QStringList({"&Cadastro", "&Relatórios", "&Janelas", "&Opções", "&Ajuda"}));
    EXPECT_EQ(itemTexts(w->Cadastro1->actions()),
              QStringList({"&Artista", "&CD", "-", "&Retirada", "R&etorno", "-", "&Pesquisa"}));
    EXPECT_EQ(itemTexts(w->Relatrios1->actions()), QStringList({"&CD", "&Retirada", "&Música"}));
    EXPECT_EQ(itemTexts(w->Janelas1->actions()),
              QStringList({"&Cascata", "&Lado a Lado Horizontal", "L&ado a Lado Vertical", "&Organizar Ícones"}));
    EXPECT_EQ(itemTexts(w->Opers1->actions()),
              QStringList({"&Manutenção", "&Reinicializar", "&Sobre", "&Termina"}));
    QStringList names;
    for (QAction *a : w->Cadastro1->actions() + w->Relatrios1->actions() + w->Janelas1->actions()
                          + w->Opers1->actions() + QList<QAction *>{w->Ajuda1})
        names << a->objectName();
    EXPECT_EQ(names.join(u' '), QStringLiteral("Artista1 CD1  Retirada1 Retorno1  Pesquisa1 CD2 Retirada2 Msica1 "
                                               "Janela1 LadoaLado1 LadoaLadoVertical1 Organizarcones1 "
                                               "Manuteno1 Reinicializar1 Sobre1 Termina1 Ajuda1"));
    EXPECT_EQ(bar.last(), w->Ajuda1);
    EXPECT_EQ(w->Ajuda1->menu(), nullptr);
    for (QAction *a : bar + w->Cadastro1->actions() + w->Opers1->actions())
        EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();

    // The buttons left to right, each named by its hint for tool tips and screen readers.
    const QList<QToolButton *> expected = {w->BitBtn1, w->BitBtn2, w->BitBtn3, w->BitBtn4,
                                           w->BitBtn10, w->BitBtn7, w->BitBtn8, w->BitBtn9,
                                           w->BitBtn6, w->BitBtn11, w->BitBtn5};
    const QStringList hints = {"Cadastra Artista", "Cadastra CDs", "Retira CD", "Retorna CD à coleção",
                               "Pesquisa", "Exibe Relatório de CDs", "Exibe Relatório de Retiradas",
                               "Exibe Relatório de Músicas", "Ajuda", "Sobre...", "Termina execução"};
    int previousX = -1;
    for (int i = 0; i < expected.size(); ++i) {
        QToolButton *b = expected[i];
        EXPECT_EQ(b->parentWidget(), w->Panel1);
        EXPECT_EQ(b->toolTip(), hints[i]);
        EXPECT_EQ(b->accessibleName(), hints[i]);
        EXPECT_TRUE(b->text().isEmpty() || b->toolButtonStyle() == Qt::ToolButtonIconOnly);
        EXPECT_FALSE(b->icon().pixmap(24, 24).isNull()) << hints[i].toStdString();
        EXPECT_GT(b->x(), previousX) << hints[i].toStdString();
        previousX = b->x();
    }
}

using CommandPairs = AppFixture;

TEST_F(CommandPairs, AboutDisablesItsPairWhileOpenEvenMinimised)
{
    TFormPrincipal *w = start();
    QTest::mouseClick(w->BitBtn11, Qt::LeftButton);
    ASSERT_EQ(children<TSobreForm>(w).size(), 1);
    TSobreForm *about = children<TSobreForm>(w).first();
    EXPECT_FALSE(w->Sobre1->isEnabled());
    EXPECT_FALSE(w->BitBtn11->isEnabled());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Sobre"));
    EXPECT_EQ(about->ProductName->text(), QStringLiteral("Melvora"));
    EXPECT_EQ(about->Version->text(), QStringLiteral("Versão 2.7"));
    EXPECT_EQ(about->YearsLabel->text(), QStringLiteral("1996/1999"));
    EXPECT_TRUE(about->ProductName->font().bold());
    EXPECT_FALSE(about->YearsLabel->font().bold());
    EXPECT_FALSE(about->Image1->pixmap().isNull());
    EXPECT_TRUE(about->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(about->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    for (QAction *a : about->systemMenu()->actions())
        EXPECT_FALSE(a->isCheckable()) << "no Stay on Top";

    about->showMinimized();
    settle();
    EXPECT_FALSE(w->Sobre1->isEnabled());

    QPointer<TSobreForm> gone = about;
    about->close();
    settle();
    EXPECT_TRUE(gone.isNull());
    EXPECT_TRUE(w->Sobre1->isEnabled());
    EXPECT_TRUE(w->BitBtn11->isEnabled());
    w->Sobre1->trigger(); // a new one opens again
    EXPECT_EQ(children<TSobreForm>(w).size(), 1);
}

// Each window command guards its own window only, through both its menu item and its button.
TEST_F(CommandPairs, EachWindowCommandDisablesAndReenablesItsOwnPair)
{
    TFormPrincipal *w = start();
    struct Pair {
        ExternalCommand command;
        QAction *item;
        QToolButton *button;
    };
    const Pair pairs[] = {{ExternalCommand::Artista, w->Artista1, w->BitBtn1},
                          {ExternalCommand::CD, w->CD1, w->BitBtn2},
                          {ExternalCommand::Retirada, w->Retirada1, w->BitBtn3},
                          {ExternalCommand::Retorno, w->Retorno1, w->BitBtn4},
                          {ExternalCommand::Pesquisa, w->Pesquisa1, w->BitBtn10}};
    int closes = 0;
    QList<QPointer<TStandInForm>> opened;
    for (const Pair &p : pairs) {
        w->setCreator(p.command, [&, p] { opened.append(new TStandInForm(w, p.item, p.button, &closes)); });
    }
    for (int i = 0; i < 5; ++i) {
        if (i % 2)
            pairs[i].item->trigger();
        else
            QTest::mouseClick(pairs[i].button, Qt::LeftButton);
        for (int j = 0; j < 5; ++j) {
            EXPECT_EQ(pairs[j].item->isEnabled(), j > i) << i << " " << j;
            EXPECT_EQ(pairs[j].button->isEnabled(), j > i) << i << " " << j;
        }
    }
    EXPECT_EQ(w->mdiArea->subWindowList().size(), 5); // all open at once
    opened[1]->close();
    settle();
    EXPECT_TRUE(w->CD1->isEnabled());
    EXPECT_TRUE(w->BitBtn2->isEnabled());
    EXPECT_FALSE(w->Artista1->isEnabled());
    EXPECT_EQ(closes, 1);
    w->CD1->trigger();
    EXPECT_FALSE(w->BitBtn2->isEnabled());
    EXPECT_EQ(w->mdiArea->subWindowList().size(), 5);
}

TEST_F(CommandPairs, CommandsWithoutTheirWindowYetDoNothing)
{
    TFormPrincipal *w = start();
    for (QAction *a : {w->Artista1, w->CD1, w->Retirada1, w->Retorno1, w->Pesquisa1, w->CD2,
                       w->Retirada2, w->Msica1}) {
        a->trigger();
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    }
    EXPECT_TRUE(w->mdiArea->subWindowList().isEmpty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CommandPairs, AWindowThatFailsToOpenLeavesItsCommandEnabled)
{
    TFormPrincipal *w = start();
    w->setCreator(ExternalCommand::Artista, [] { throw tables::EngineError(QStringLiteral("A tabela artista.db está fechada")); });
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton); // through the event loop's error box
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, melvora::MessageKind::Error);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Melvora"));
    EXPECT_EQ(boxes[0].text, QStringLiteral("A tabela artista.db está fechada."));
    EXPECT_TRUE(w->Artista1->isEnabled());
    EXPECT_TRUE(w->BitBtn1->isEnabled());
}

TEST_F(CommandPairs, ReportCommandsRunTheirReportAndStayEnabled)
{
    TFormPrincipal *w = start();
    QStringList ran;
    w->setCreator(ExternalCommand::RelatorioCD, [&] { ran << "cd"; });
    w->setCreator(ExternalCommand::RelatorioRetirada, [&] { ran << "retirada"; });
    w->setCreator(ExternalCommand::RelatorioMusica, [&] { ran << "musica"; });
    QTest::mouseClick(w->BitBtn7, Qt::LeftButton);
    w->Retirada2->trigger();
    QTest::mouseClick(w->BitBtn9, Qt::LeftButton);
    w->CD2->trigger();
    EXPECT_EQ(ran, QStringList({"cd", "retirada", "musica", "cd"}));
    for (QAction *a : {w->CD2, w->Retirada2, w->Msica1})
        EXPECT_TRUE(a->isEnabled());
}

using ProgramEnd = AppFixture;

TEST_F(ProgramEnd, TerminaDestroysChildWindowsWithoutTheirCloseHandlers)
{
    TFormPrincipal *w = start();
    int closes = 0;
    w->setCreator(ExternalCommand::Artista, [&] { new TStandInForm(w, w->Artista1, w->BitBtn1, &closes); });
    w->setCreator(ExternalCommand::CD, [&] { new TStandInForm(w, w->CD1, w->BitBtn2, &closes); });
    w->Artista1->trigger();
    w->CD1->trigger();
    w->Sobre1->trigger();
    QList<QPointer<QMdiSubWindow>> open;
    for (QMdiSubWindow *s : w->mdiArea->subWindowList())
        open.append(s);
    ASSERT_EQ(open.size(), 3);

    QTest::mouseClick(w->BitBtn5, Qt::LeftButton);
    for (const auto &s : open)
        EXPECT_TRUE(s.isNull());
    EXPECT_EQ(closes, 0);
    EXPECT_FALSE(w->Sobre1->isEnabled()) << "the About window's close handler did not run";
    EXPECT_FALSE(w->isVisible());
}

using WindowArrangement = AppFixture;

TEST_F(WindowArrangement, TilingFollowsTheLastTileMode)
{
    TFormPrincipal *w = start();
    int closes = 0;
    w->setCreator(ExternalCommand::Artista, [&] { new TStandInForm(w, w->Artista1, w->BitBtn1, &closes); });
    w->Artista1->trigger();
    w->Sobre1->trigger();
    const QList<QMdiSubWindow *> subs = w->mdiArea->subWindowList(QMdiArea::StackingOrder);
    ASSERT_EQ(subs.size(), 2);
    const QRect frame = w->mdiArea->viewport()->rect();
    ASSERT_GT(frame.width(), 600);

    w->LadoaLadoVertical1->trigger(); // side by side
    EXPECT_EQ(subs[0]->pos(), QPoint(0, 0));
    EXPECT_EQ(subs[1]->pos(), QPoint(frame.width() / 2, 0));
    EXPECT_TRUE(w->tilesVertically());

    w->Janela1->trigger(); // cascade: each one step lower and further right
    const QPoint step = subs[1]->pos() - subs[0]->pos();
    EXPECT_GT(step.x(), 0);
    EXPECT_EQ(step.x(), step.y());
    EXPECT_TRUE(w->tilesVertically());

    w->LadoaLado1->trigger(); // one above the other
    EXPECT_EQ(subs[0]->pos(), QPoint(0, 0));
    EXPECT_EQ(subs[1]->pos(), QPoint(0, frame.height() / 2));
    EXPECT_FALSE(w->tilesVertically());
    // Fixed-size windows keep their size in their cells.
    EXPECT_EQ(subs[1]->size(), subs[1]->minimumSize());
}

TEST_F(WindowArrangement, ArrangeIconsLinesUpMinimisedWindowsAlongTheBottom)
{
    TFormPrincipal *w = start();
    int closes = 0;
    w->setCreator(ExternalCommand::Artista, [&] { new TStandInForm(w, w->Artista1, w->BitBtn1, &closes); });
    w->Artista1->trigger();
    w->Sobre1->trigger();
    const QList<QMdiSubWindow *> subs = w->mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *s : subs) {
        s->move(300, 200);
        s->showMinimized();
    }
    settle();
    w->Organizarcones1->trigger();
    const int bottom = w->mdiArea->viewport()->height();
    EXPECT_EQ(subs[0]->geometry().bottomLeft(), QPoint(0, bottom - 1));
    EXPECT_EQ(subs[1]->geometry().bottomLeft(), QPoint(subs[0]->width(), bottom - 1));
}

using AjudaCommand = AppFixture;

TEST_F(AjudaCommand, AjudaReportsAMissingHelpFileAndHandsAPresentOneToTheSystemViewer)
{
    TFormPrincipal *w = start();
    QTest::mouseClick(w->BitBtn6, Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, melvora::MessageKind::Mensagem);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("O arquivo de ajuda \"melvo95.hlp\" não foi encontrado")))
        << boxes[0].text.toStdString();
    EXPECT_TRUE(w->helpViewer.shownFile().isEmpty());

    QFile help(QStringLiteral("melvo95.hlp"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    w->Ajuda1->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(catcher.urls, QList<QUrl>({QUrl::fromLocalFile(dir.filePath("melvo95.hlp"))}));
    EXPECT_EQ(w->helpViewer.shownFile(), QStringLiteral("melvo95.hlp"));
    EXPECT_EQ(boxes.size(), 1u);

    w->close(); // FormClose tells the viewer to quit
    EXPECT_TRUE(w->helpViewer.shownFile().isEmpty());
}
