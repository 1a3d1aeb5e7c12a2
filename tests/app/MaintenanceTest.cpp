// The index check at start-up, the index rebuild window and the erase of all data.
#include "AppFixture.h"
#include "Transactions.h"
#include "TableDefinitions.h"
#include "barra2.h"
#include "indexa.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

namespace {

// Follows a job window's progress bar: the maximum it ends with and every value it showed.
struct BarWatch {
    int maximum = -1;
    QList<int> values;
    void attach(TJobForm *form)
    {
        QObject::connect(form->ProgressBar1, &QProgressBar::valueChanged, [this, form](int v) {
            maximum = form->ProgressBar1->maximum();
            values.append(v);
        });
    }
};

QList<int> oneToN(int n)
{
    QList<int> v;
    for (int i = 1; i <= n; ++i)
        v.append(i);
    return v;
}

} // namespace

using StartUpIndexCheck = AppFixture;

TEST_F(StartUpIndexCheck, StartUpWithEveryIndexFilePresentOpensNoWindow)
{
    TFormPrincipal *w = start();
    EXPECT_TRUE(w->mdiArea->subWindowList().isEmpty());
    EXPECT_TRUE(w->Manuteno1->isEnabled());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(StartUpIndexCheck, AMissingIndexFileRebuildsAllFourteenAtStartUp)
{
    ASSERT_TRUE(QFile::remove(QStringLiteral("cd.YG2")));
    TFormPrincipal *w = createMainWindowAndData();
    w->showMaximized();
    // The rebuild window exists, visible, before its job runs.
    const QList<Tindexaform *> forms = children<Tindexaform>(w);
    ASSERT_EQ(forms.size(), 1);
    EXPECT_EQ(forms[0]->windowTitle(), QStringLiteral("Indexa"));
    EXPECT_EQ(forms[0]->Label1->text(), QStringLiteral("Indexando Arquivos"));
    EXPECT_EQ(forms[0]->Label2->text(), QStringLiteral("0%"));
    EXPECT_EQ(forms[0]->Label3->text(), QStringLiteral("100%"));
    EXPECT_TRUE(w->Manuteno1->isEnabled()) << "the start-up path disables nothing";
    BarWatch bar;
    bar.attach(forms[0]);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QTRY_VERIFY(children<Tindexaform>(w).isEmpty());

    EXPECT_EQ(bar.maximum, 14);
    EXPECT_EQ(bar.values.mid(bar.values.indexOf(1)), oneToN(14));
    EXPECT_TRUE(w->Manuteno1->isEnabled());
    for (const QString &name : melvora::indexFileNames())
        EXPECT_TRUE(QFileInfo::exists(name)) << name.toStdString();
    DataModule1->CD->selectIndex(QStringLiteral("ititulo")); // usable again
    EXPECT_TRUE(boxes.empty());
}

TEST_F(StartUpIndexCheck, TheStartUpRebuildWindowIsCentredOnTheScreen)
{
    ASSERT_TRUE(QFile::remove(QStringLiteral("musica.XG1")));
    TFormPrincipal *w = createMainWindowAndData();
    w->showMaximized();
    const QList<Tindexaform *> forms = children<Tindexaform>(w);
    ASSERT_EQ(forms.size(), 1);
    QPoint centreWhileRunning;
    QObject::connect(forms[0]->ProgressBar1, &QProgressBar::valueChanged, [&, form = forms[0]](int v) {
        if (v == 1)
            centreWhileRunning = form->mapToGlobal(form->rect().center());
    });
    QTRY_VERIFY(children<Tindexaform>(w).isEmpty());
    const QPoint screen = QApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centreWhileRunning - screen).manhattanLength(), 2)
        << centreWhileRunning.x() << "," << centreWhileRunning.y() << " against " << screen.x() << "," << screen.y();
}

using IndexRebuild = AppFixture;

TEST_F(IndexRebuild, ManutencaoStaysDisabledUntilTheRebuildHasEnded)
{
    TFormPrincipal *w = start();
    addRecords(DataModule1->CD, 3);
    w->Manuteno1->trigger();
    EXPECT_FALSE(w->Manuteno1->isEnabled());
    const QList<Tindexaform *> forms = children<Tindexaform>(w);
    ASSERT_EQ(forms.size(), 1);
    EXPECT_FALSE(forms[0]->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(forms[0]->windowFlags() & Qt::WindowSystemMenuHint);
    BarWatch bar;
    bar.attach(forms[0]);
    QTRY_VERIFY(children<Tindexaform>(w).isEmpty());
    EXPECT_EQ(bar.maximum, 14);
    EXPECT_EQ(bar.values.mid(bar.values.indexOf(1)), oneToN(14));
    EXPECT_TRUE(w->Manuteno1->isEnabled());
    DataModule1->CD->selectIndex(QStringLiteral("ititulo"));
    DataModule1->CD->first();
    EXPECT_EQ(DataModule1->CD->recordCount(), 3);
}

TEST_F(IndexRebuild, AnEngineErrorStopsTheRebuildAndKeepsTheWindow)
{
    TFormPrincipal *w = start();
    DataModule1->Musica->close(); // step 6 fails on the closed table
    w->Manuteno1->trigger();
    Tindexaform *form = children<Tindexaform>(w).value(0);
    ASSERT_NE(form, nullptr);
    BarWatch bar;
    bar.attach(form);
    QTRY_COMPARE(boxes.size(), size_t(1));
    settle();
    EXPECT_EQ(boxes[0].kind, melvora::MessageKind::Error);
    EXPECT_TRUE(boxes[0].text.endsWith(u'.'));
    EXPECT_EQ(bar.values.last(), 5);
    EXPECT_EQ(children<Tindexaform>(w).size(), 1);
    EXPECT_FALSE(w->Manuteno1->isEnabled());
    form->close(); // the user closes it; the command stays disabled
    settle();
    EXPECT_TRUE(children<Tindexaform>(w).isEmpty());
    EXPECT_FALSE(w->Manuteno1->isEnabled());
}

using EraseAll = AppFixture;

TEST_F(EraseAll, ReinicializarCancelledChangesNothing)
{
    TFormPrincipal *w = start();
    addRecords(DataModule1->Artista, 2);
    answers = {false};
    w->Reinicializar1->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, melvora::MessageKind::Confirma);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("ATENÇÃO"));
    EXPECT_EQ(boxes[0].text,
              QStringLiteral("Esta rotina apaga todos os registros. TODOS OS DADOS SERÃO PERDIDOS. Confirma?"));
    EXPECT_TRUE(w->Reinicializar1->isEnabled());
    EXPECT_TRUE(w->mdiArea->subWindowList().isEmpty());
    settle();
    EXPECT_EQ(DataModule1->Artista->recordCount(), 2);
}

TEST_F(EraseAll, ReinicializarOnEmptyTablesSaysSoAndGoes)
{
    TFormPrincipal *w = start();
    w->Reinicializar1->trigger();
    EXPECT_FALSE(w->Reinicializar1->isEnabled());
    ASSERT_EQ(children<Tbarraform2>(w).size(), 1);
    EXPECT_EQ(children<Tbarraform2>(w)[0]->windowTitle(), QStringLiteral("Reinicializar"));
    EXPECT_EQ(children<Tbarraform2>(w)[0]->Label1->text(), QStringLiteral("Reinicicializando arquivos"));
    QTRY_VERIFY(children<Tbarraform2>(w).isEmpty());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].kind, melvora::MessageKind::Mensagem);
    EXPECT_EQ(boxes[1].caption, QStringLiteral("Melvora"));
    EXPECT_EQ(boxes[1].text, QStringLiteral("Não existem registros para serem apagados"));
    EXPECT_TRUE(w->Reinicializar1->isEnabled());
}

// Whatever the counts (odd, even, some tables empty), every record goes and the bar counts all.
TEST_F(EraseAll, ReinicializarDeletesEveryRecord)
{
    struct Case {
        int artistas, cds, retiradas, musicas;
        const char *index; // selected on every table before the erase
    };
    const Case cases[] = {{0, 0, 0, 7, ""},     {5, 4, 3, 6, ""},        {1, 2, 0, 9, "iartista"},
                          {6, 5, 2, 1, "iartista"}};
    TFormPrincipal *w = start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.musicas);
        tables::Table *const tabs[] = {DataModule1->Artista, DataModule1->CD, DataModule1->Retirada,
                                       DataModule1->Musica};
        const int counts[] = {c.artistas, c.cds, c.retiradas, c.musicas};
        for (int t = 0; t < 4; ++t) {
            addRecords(tabs[t], counts[t]);
            tabs[t]->selectIndex(QString::fromLatin1(c.index));
            tabs[t]->last();
        }
        boxes.clear();
        w->Reinicializar1->trigger();
        Tbarraform2 *form = children<Tbarraform2>(w).value(0);
        ASSERT_NE(form, nullptr);
        BarWatch bar;
        bar.attach(form);
        QTRY_VERIFY(children<Tbarraform2>(w).isEmpty());
        const int total = c.artistas + c.cds + c.retiradas + c.musicas;
        EXPECT_EQ(bar.maximum, total);
        EXPECT_EQ(bar.values.mid(bar.values.indexOf(1)), oneToN(total));
        for (tables::Table *t : tabs)
            EXPECT_EQ(t->recordCount(), 0) << t->fileName().toStdString();
        EXPECT_EQ(boxes.size(), 1u); // the question only
        EXPECT_TRUE(w->Reinicializar1->isEnabled());
        EXPECT_EQ(tabs[3]->selectedIndex(), QString::fromLatin1(c.index));
    }
}

TEST_F(EraseAll, AnEngineErrorStopsTheEraseAndKeepsTheWindow)
{
    TFormPrincipal *w = start();
    addRecords(DataModule1->Artista, 2);
    DataModule1->Retirada->close();
    w->Reinicializar1->trigger();
    QTRY_COMPARE(boxes.size(), size_t(2));
    settle();
    EXPECT_EQ(boxes[1].kind, melvora::MessageKind::Error);
    EXPECT_EQ(children<Tbarraform2>(w).size(), 1);
    EXPECT_FALSE(w->Reinicializar1->isEnabled());
    EXPECT_EQ(DataModule1->Artista->recordCount(), 2) << "the counts come first";
}

// The bar's maximum is 16 bits wide: past 65535 records it no longer tracks the job, and every
// record still goes.
TEST_F(EraseAll, ReinicializarPast65535RecordsStillDeletesThemAll)
{
    TFormPrincipal *w = start();
    addRecords(DataModule1->Artista, 2);
    addRecords(DataModule1->Musica, 65535);
    tables::commitAll();
    w->Reinicializar1->trigger();
    Tbarraform2 *form = children<Tbarraform2>(w).value(0);
    ASSERT_NE(form, nullptr);
    BarWatch bar;
    bar.attach(form);
    QTRY_VERIFY_WITH_TIMEOUT(children<Tbarraform2>(w).isEmpty(), 60000);
    EXPECT_EQ(bar.maximum, 1); // 65537 in 16 bits
    EXPECT_EQ(DataModule1->Artista->recordCount(), 0);
    EXPECT_EQ(DataModule1->Musica->recordCount(), 0);
    EXPECT_TRUE(w->Reinicializar1->isEnabled());
}
