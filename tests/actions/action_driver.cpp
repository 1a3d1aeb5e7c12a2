// A second program for the action tests: starts Melvora on a folder and performs one user action
// through its windows (clicks, keys, OK to every question), as a person would, while the file
// layer under the tables counts, fails or ends the process at the N-th write, sync, truncate or
// delete of the action.
//
//   action_driver seed DIR                 a small collection: 3 artists, 6 CDs, 18 songs, 1 checkout
//   action_driver sample DIR CDS           a generated collection of CDS CDs, 12 songs each
//   action_driver dump DIR                 starts the program (its start-up check and rebuild
//                                          included) and prints every record of the four tables
//   action_driver ACTION DIR [--kill-at N | --fail-at N | --count]
//       ACTION: rename, delete-artist, retitle, delete-cd, checkout, return, erase, rebuild
//       --kill-at N   ends the process (exit 99, no clean-up) at the action's N-th operation
//       --fail-at N   the disk refuses the N-th operation and every one after it (disk full)
//       --disk-freed  with --fail-at: once the action has ended the disk has room again, and the
//                     user goes on: closes every window, which settles what they hold
//       --count       prints "ops K": the operations the action made
// Every message box shown is printed as "box: TEXT".
#include "Artista.h"
#include "CD.h"
#include "CatalogueWindows.h"
#include "CollectionFiles.h"
#include "DBEdit.h"
#include "DBListBox.h"
#include "DBLookupComboBox.h"
#include "DataModule.h"
#include "FormPrincipal.h"
#include "LendingWindows.h"
#include "MelvoraApplication.h"
#include "Messages.h"
#include "Retirada.h"
#include "Startup.h"
#include "Table.h"
#include "Transactions.h"
#include "Vfs.h"
#include "barra2.h"
#include "indexa.h"
#include "retorno.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <sqlite3.h>
#include <unistd.h>

namespace {

long operations = 0;
bool errorShown = false; // a job stopped by an error keeps its window open

void out(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

template <class Form> Form *child(TFormPrincipal *w)
{
    for (QMdiSubWindow *sub : w->findChild<QMdiArea *>()->subWindowList())
        if (auto *f = qobject_cast<Form *>(sub->widget()))
            return f;
    return w->findChild<Form *>();
}

void click(QAbstractButton *b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    settle();
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    settle();
}

void add(tables::Table *t, const QStringList &values)
{
    t->append();
    for (int i = 0; i < values.size(); ++i)
        t->setFieldText(t->fields().at(i).name, values[i]);
    t->post();
}

void seed(const QString &dir)
{
    melvora::createEmptyCollection(dir);
    QDir::setCurrent(dir);
    TDataModule1 data;
    data.DataModuleCreate();
    for (const char *artist : {"ABBA", "Elis Regina", "Queen"})
        add(data.Artista, {artist});
    const QStringList cds[] = {{"ABBA", "Arrival"}, {"abba", "Waterloo"}, {"Elis Regina", "Falso Brilhante"},
                               {"Elis Regina", "Transversal"}, {"Queen", "Innuendo"}, {"Queen", "Jazz"}};
    int n = 0;
    for (const QStringList &cd : cds) {
        const bool lent = cd[1] == "Transversal";
        add(data.CD, {cd[1], "01/02/03", cd[0], "MPB", lent ? "S" : "N", QString::number(++n)});
        for (int s = 1; s <= 3; ++s)
            add(data.Musica, {cd[0], cd[1], QStringLiteral("%1 %2").arg(cd[1]).arg(s)});
    }
    add(data.Retirada, {"01/12/26", "Ana", "5555-0142", "15/12/26", "Transversal", "Elis Regina"});
    tables::commitAll();
}

// The first record of a table under an index.
QString firstOf(tables::Table *t, const QString &index, const QString &field)
{
    t->selectIndex(index);
    t->first();
    return t->fieldText(field);
}

void renameArtist(TFormPrincipal *w)
{
    w->Artista1->trigger();
    settle();
    auto *f = child<TArtistaForm>(w);
    const QString name = firstOf(DataModule1->Artista, "iartista", "artista");
    DataModule1->Artista->findKey({name});
    settle();
    click(f->BitBtn2);
    typeInto(f->DBEdit1, name + " Novo");
    click(f->BitBtn7);
}

void deleteArtist(TFormPrincipal *w)
{
    w->Artista1->trigger();
    settle();
    auto *f = child<TArtistaForm>(w);
    DataModule1->Artista->findKey({firstOf(DataModule1->Artista, "iartista", "artista")});
    settle();
    click(f->BitBtn6);
}

void openCD(TFormPrincipal *w, TCDForm **form)
{
    w->CD1->trigger();
    settle();
    *form = child<TCDForm>(w);
    // The CD that has songs: the first song's CD.
    tables::Table *m = DataModule1->Musica;
    m->selectIndex(QString());
    m->first();
    DataModule1->CD->selectIndex("iartista_titulo");
    DataModule1->CD->findKey({m->fieldText("artista"), m->fieldText("titulo")});
    settle();
}

void retitleCD(TFormPrincipal *w)
{
    TCDForm *f = nullptr;
    openCD(w, &f);
    const QString title = DataModule1->CD->fieldText("titulo");
    click(f->BitBtn2);
    typeInto(f->DBEdit1, title.left(30) + " (Remaster)");
    click(f->BitBtn7);
}

void deleteCD(TFormPrincipal *w)
{
    TCDForm *f = nullptr;
    openCD(w, &f);
    click(f->BitBtn6);
}

void checkout(TFormPrincipal *w)
{
    w->Retirada1->trigger();
    settle();
    auto *f = child<TRetiradaForm>(w);
    // The first artist with a CD on the shelf.
    tables::Table *cd = DataModule1->CD;
    cd->selectIndex("iartista");
    QString artist;
    for (cd->first(); !cd->eof() && artist.isEmpty(); cd->next())
        if (cd->fieldText("retirada") == "N")
            artist = cd->fieldText("artista");
    settle();
    f->DBLookupComboBox1->setFocus();
    const int target = f->DBLookupComboBox1->listEntries().indexOf(artist);
    while (f->DBLookupComboBox1->currentIndex() < target)
        QTest::keyClick(f->DBLookupComboBox1, Qt::Key_Down);
    settle();
    QListWidget *titles = f->combo_titulo;
    if (titles->count() > 0)
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, titles->visualItemRect(titles->item(0)).center());
    settle();
    for (auto [edit, text] : {std::pair{f->DBEdit1, "011226"}, std::pair{f->DBEdit2, "Bruno"},
                              std::pair{f->DBEdit3, "5555-0199"}, std::pair{f->DBEdit4, "201226"}}) {
        edit->setFocus();
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        settle();
    }
    click(f->BitBtn1);
}

void returnCD(TFormPrincipal *w)
{
    w->Retorno1->trigger();
    settle();
    auto *f = child<TRetornoform>(w);
    click(f->BitBtn1);
}

void waitUntilGone(const std::function<bool()> &present)
{
    for (int i = 0; i < 2000 && present() && !errorShown; ++i) {
        settle();
        QTest::qWait(5);
    }
}

void erase(TFormPrincipal *w)
{
    w->Reinicializar1->trigger();
    settle();
    waitUntilGone([w] { return child<Tbarraform2>(w) != nullptr; });
}

void rebuild(TFormPrincipal *w)
{
    w->Manuteno1->trigger();
    settle();
    waitUntilGone([w] { return child<Tindexaform>(w) != nullptr; });
}

void dump()
{
    for (tables::Table *t : {DataModule1->Artista, DataModule1->CD, DataModule1->Retirada, DataModule1->Musica}) {
        t->selectIndex(QString());
        for (t->first(); !t->eof(); t->next()) {
            QStringList fields;
            for (const auto &f : t->fields())
                fields << t->fieldText(f.name);
            out(QFileInfo(t->fileName()).baseName() + ": " + fields.join(u'|'));
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    MelvoraApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString action = args[1];
    const QString dir = QDir(args[2]).absolutePath();
    if (action == "seed") {
        seed(dir);
        return 0;
    }
    if (action == "sample") {
        melvora::createEmptyCollection(dir);
        melvora::fillSampleCollection(dir, {args.value(3).toInt(), 12});
        return 0;
    }
    long killAt = -1, failAt = -1;
    bool count = false, diskFreed = false;
    for (int i = 3; i < args.size(); ++i) {
        if (args[i] == "--kill-at")
            killAt = args.value(++i).toLong();
        else if (args[i] == "--fail-at")
            failAt = args.value(++i).toLong();
        else if (args[i] == "--count")
            count = true;
        else if (args[i] == "--disk-freed")
            diskFreed = true;
    }
    QDir::setCurrent(dir);
    melvora::setMessageResponder([](const melvora::MessageRequest &r) {
        out("box: " + r.text);
        errorShown = errorShown || r.kind == melvora::MessageKind::Error;
        return true;
    });
    TFormPrincipal *w = createMainWindowAndData();
    registerCatalogueWindows(w);
    registerLendingWindows(w);
    // Shown as at start-up: a missing index file starts the rebuild here.
    w->showMaximized();
    settle();
    waitUntilGone([w] { return child<Tindexaform>(w) != nullptr; });
    if (action == "dump") {
        dump();
        destroyMainWindowAndData();
        return 0;
    }
    const bool trace = qEnvironmentVariableIsSet("MELVORA_TRACE_OPS");
    tables::vfs::setFaultHook([=](tables::vfs::Op op, const char *path) {
        ++operations;
        if (trace)
            std::fprintf(stderr, "op %ld %d %s\n", operations, int(op), path);
        if (operations == killAt)
            ::_exit(99);
        if (failAt > 0 && operations >= failAt)
            return SQLITE_FULL;
        return SQLITE_OK;
    });
    const std::map<QString, void (*)(TFormPrincipal *)> actions = {
        {"rename", renameArtist}, {"delete-artist", deleteArtist}, {"retitle", retitleCD},
        {"delete-cd", deleteCD},  {"checkout", checkout},          {"return", returnCD},
        {"erase", erase},         {"rebuild", rebuild},
    };
    const auto it = actions.find(action);
    if (it == actions.end())
        return 2;
    out("ready");
    it->second(w);
    settle();
    // A disk that failed stays failed to the end, unless room was made: what the program leaves
    // behind is what the next start-up finds.
    if (failAt < 0 || diskFreed)
        tables::vfs::setFaultHook({});
    if (diskFreed) {
        w->mdiArea->closeAllSubWindows();
        settle();
    }
    if (count)
        out(QStringLiteral("ops %1").arg(operations));
    out("done");
    destroyMainWindowAndData();
    return 0;
}
