// Lending and search benchmark on 10,000 CDs and 100,000 songs: searches from Ok to the filled
// grid, the checkout window's title list, one checkout and one return. Runs the real windows
// (offscreen); the direct-SQLite figure beside each is the same lookups done on the files.
#include "CollectionFiles.h"
#include "DBListBox.h"
#include "DBLookupComboBox.h"
#include "DataModule.h"
#include "FormPrincipal.h"
#include "IndexNames.h"
#include "LendingWindows.h"
#include "MelvoraApplication.h"
#include "Messages.h"
#include "Retirada.h"
#include "Startup.h"
#include "Transactions.h"
#include "pesquisa.h"
#include "retorno.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>

namespace {

template <class Form> Form *child(TFormPrincipal *w)
{
    for (QMdiSubWindow *s : w->mdiArea->subWindowList())
        if (auto *f = qobject_cast<Form *>(s))
            return f;
    return nullptr;
}

double ms(QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    MelvoraApplication app(argc, argv);
    const int cds = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir tmp;
    melvora::createEmptyCollection(tmp.path());
    melvora::fillSampleCollection(tmp.path(), {cds, 10});
    QDir::setCurrent(tmp.path());
    int boxes = 0;
    melvora::setMessageResponder([&](const melvora::MessageRequest &) { ++boxes; return true; });
    TFormPrincipal *w = createMainWindowAndData();
    registerLendingWindows(w);
    w->showMaximized();
    QApplication::processEvents();

    // A name of each kind that is in the collection, from the middle of the tables.
    tables::Table *cd = DataModule1->CD;
    cd->first();
    for (int i = 0; i < cds / 2; ++i)
        cd->next();
    const QString artist = cd->fieldText("artista"), title = cd->fieldText("titulo");
    DataModule1->Musica->first();
    for (int i = 0; i < cds * 5; ++i)
        DataModule1->Musica->next();
    const QString song = DataModule1->Musica->fieldText("musica");

    w->Pesquisa1->trigger();
    auto *search = child<TPesquisaform>(w);
    auto timeSearch = [&](QRadioButton *kind, const QString &text, const char *what) {
        kind->setChecked(true);
        search->texto->setText(text);
        QElapsedTimer t;
        t.start();
        search->BitBtn1Click();
        QApplication::processEvents();
        std::printf("%-40s %8.2f ms  (%d rows)\n", what, ms(t), search->dbg->rowCount() - 1);
    };
    timeSearch(search->chk1, artist, "search by artist");
    timeSearch(search->chk2, title, "search by title");
    timeSearch(search->chk3, song, "search by song (rows with their CD)");

    w->Retirada1->trigger();
    auto *checkout = child<TRetiradaForm>(w);
    const int row = checkout->DBLookupComboBox1->listEntries().indexOf(artist);
    checkout->DBLookupComboBox1->setCurrentIndex(row);
    QElapsedTimer t;
    t.start();
    checkout->DBLookupComboBox1Click();
    std::printf("%-40s %8.2f ms  (%d titles of %d CDs)\n", "checkout title list", ms(t),
                checkout->combo_titulo->count(), cd->recordCount());
    checkout->entry().setFieldText("artista", artist);
    checkout->entry().setFieldText("titulo", checkout->combo_titulo->item(0)->text());
    checkout->entry().setFieldText("responsavel", "Bench");
    t.restart();
    checkout->BitBtn1Click();
    QApplication::processEvents(); // the action's commit
    std::printf("%-40s %8.2f ms  (committed)\n", "one checkout", ms(t));

    w->Retorno1->trigger();
    auto *ret = child<TRetornoform>(w);
    DataModule1->Retirada->selectIndex(melvora::index::iartista);
    DataModule1->Retirada->findKey({artist});
    t.restart();
    ret->BitBtn1Click();
    QApplication::processEvents();
    std::printf("%-40s %8.2f ms  (committed)\n", "one return", ms(t));
    if (boxes)
        std::printf("(%d message boxes were answered)\n", boxes);
    destroyMainWindowAndData();
    return 0;
}
