#include "FormPrincipal.h"

#include "ErrorReport.h"
#include "Icons.h"
#include "Messages.h"
#include "TableDefinitions.h"
#include "WindowArrangement.h"
#include "barra2.h"
#include "indexa.h"
#include "sobre.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

#include <iterator>

TFormPrincipal *FormPrincipal = nullptr;

TFormPrincipal::TFormPrincipal(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Melvora"));
    setWindowIcon(melvora::icon(QStringLiteral("melvora")));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    mdiArea = new QMdiArea;
    // The frame's background is the system's scroll-bar colour.
    mdiArea->setBackground(palette().color(QPalette::Window).darker(112));
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea);

    buildMenus();
    buildToolBar();
    buildCommandTable();
    helpViewer.setReporter([](const QString &text) { Mensagem(text); });
    // The manual is found from the data folder, then beside the program or in its installation.
    helpViewer.setManualFolders(
        help::programManualFolders(QCoreApplication::applicationDirPath(), QStringLiteral("melvora")));

    // Restored, the window is centred on the screen.
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    resize(screen.width() * 3 / 4, screen.height() * 3 / 4);
    move(screen.center() - rect().center());

    setObjectName(QStringLiteral("FormPrincipal"));
    FormPrincipal = this;
}

TFormPrincipal::~TFormPrincipal()
{
    if (FormPrincipal == this)
        FormPrincipal = nullptr;
}

void TFormPrincipal::setCreator(Command command, std::function<void()> creator)
{
    entry(command).create = std::move(creator);
}

void TFormPrincipal::buildCommandTable()
{
    // A held command is disabled from its window's creation until the window calls commandDone.
    constexpr bool held = true, notHeld = false;
    const struct {
        Command command;
        QAction *item;
        QToolButton *button;
        bool heldWhileOpen;
    } rows[] = {
        {Command::Artista, Artista1, BitBtn1, held},
        {Command::CD, CD1, BitBtn2, held},
        {Command::Retirada, Retirada1, BitBtn3, held},
        {Command::Retorno, Retorno1, BitBtn4, held},
        {Command::Pesquisa, Pesquisa1, BitBtn10, held},
        {Command::RelatorioCD, CD2, BitBtn7, notHeld},
        {Command::RelatorioRetirada, Retirada2, BitBtn8, notHeld},
        {Command::RelatorioMusica, Msica1, BitBtn9, notHeld},
        {Command::Manutencao, Manuteno1, nullptr, held},
        {Command::Reinicializar, Reinicializar1, nullptr, held},
        {Command::Sobre, Sobre1, BitBtn11, held},
    };
    static_assert(std::size(rows) == std::size_t(Command::Count), "a row for every command");
    for (const auto &row : rows) {
        CommandEntry &e = entry(row.command);
        e.item = row.item;
        e.button = row.button;
        e.heldWhileOpen = row.heldWhileOpen;
    }
    entry(Command::Manutencao).create = [this] { new Tindexaform(this); };
    entry(Command::Reinicializar).create = [this] { new Tbarraform2(this); };
    entry(Command::Sobre).create = [this] { new TSobreForm(this); };
}

void TFormPrincipal::buildMenus()
{
    auto item = [this](QMenu *menu, const char *name, const QString &text,
                       void (TFormPrincipal::*handler)()) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));

        connect(action, &QAction::triggered, this, melvora::reportingErrors(this, handler));
        return action;
    };
    QMenuBar *MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    Cadastro1 = MainMenu1->addMenu(QStringLiteral("&Cadastro"));
    Cadastro1->setObjectName(QStringLiteral("Cadastro1"));
    Artista1 = item(Cadastro1, "Artista1", QStringLiteral("&Artista"), &TFormPrincipal::Artista1Click);
    CD1 = item(Cadastro1, "CD1", QStringLiteral("&CD"), &TFormPrincipal::CD1Click);
    Cadastro1->addSeparator();
    Retirada1 = item(Cadastro1, "Retirada1", QStringLiteral("&Retirada"), &TFormPrincipal::Retirada1Click);
    Retorno1 = item(Cadastro1, "Retorno1", QStringLiteral("R&etorno"), &TFormPrincipal::Retorno1Click);
    Cadastro1->addSeparator();
    Pesquisa1 = item(Cadastro1, "Pesquisa1", QStringLiteral("&Pesquisa"), &TFormPrincipal::Pesquisa1Click);

    Relatrios1 = MainMenu1->addMenu(QStringLiteral("&Relatórios"));
    Relatrios1->setObjectName(QStringLiteral("Relatrios1"));
    CD2 = item(Relatrios1, "CD2", QStringLiteral("&CD"), &TFormPrincipal::CD2Click);
    Retirada2 = item(Relatrios1, "Retirada2", QStringLiteral("&Retirada"), &TFormPrincipal::Retirada2Click);
    Msica1 = item(Relatrios1, "Msica1", QStringLiteral("&Música"), &TFormPrincipal::Msica1Click);

    Janelas1 = MainMenu1->addMenu(QStringLiteral("&Janelas"));
    Janelas1->setObjectName(QStringLiteral("Janelas1"));
    Janela1 = item(Janelas1, "Janela1", QStringLiteral("&Cascata"), &TFormPrincipal::Janela1Click);
    LadoaLado1 = item(Janelas1, "LadoaLado1", QStringLiteral("&Lado a Lado Horizontal"),
                      &TFormPrincipal::LadoaLado1Click);
    LadoaLadoVertical1 = item(Janelas1, "LadoaLadoVertical1", QStringLiteral("L&ado a Lado Vertical"),
                              &TFormPrincipal::LadoaLadoVertical1Click);
    Organizarcones1 = item(Janelas1, "Organizarcones1", QStringLiteral("&Organizar Ícones"),
                           &TFormPrincipal::Organizarcones1Click);

    Opers1 = MainMenu1->addMenu(QStringLiteral("&Opções"));
    Opers1->setObjectName(QStringLiteral("Opers1"));
    Manuteno1 = item(Opers1, "Manuteno1", QStringLiteral("&Manutenção"), &TFormPrincipal::Manuteno1Click);
    Reinicializar1 = item(Opers1, "Reinicializar1", QStringLiteral("&Reinicializar"),
                          &TFormPrincipal::Reinicializar1Click);
    Sobre1 = item(Opers1, "Sobre1", QStringLiteral("&Sobre"), &TFormPrincipal::Sobre1Click);
    Termina1 = item(Opers1, "Termina1", QStringLiteral("&Termina"), &TFormPrincipal::Termina1Click);

    // "&Ajuda" is a command of its own on the menu bar.
    Ajuda1 = MainMenu1->addAction(QStringLiteral("&Ajuda"));
    Ajuda1->setObjectName(QStringLiteral("Ajuda1"));
    connect(Ajuda1, &QAction::triggered, this, melvora::reportingErrors(this, &TFormPrincipal::Ajuda1Click));
}

QToolButton *TFormPrincipal::addToolButton(const char *name, const QString &glyph, const QString &hint,
                                           void (TFormPrincipal::*handler)())
{
    auto *button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(melvora::icon(glyph));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, melvora::reportingErrors(this, handler));
    Panel1->addWidget(button);
    return button;
}

void TFormPrincipal::buildToolBar()
{
    Panel1 = new QToolBar(QStringLiteral("Panel1"));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setMovable(false);
    Panel1->setFloatable(false);
    Panel1->setIconSize(QSize(24, 24));
    Panel1->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, Panel1);

    BitBtn1 = addToolButton("BitBtn1", QStringLiteral("artista"), QStringLiteral("Cadastra Artista"),
                            &TFormPrincipal::Artista1Click);
    BitBtn2 = addToolButton("BitBtn2", QStringLiteral("cd"), QStringLiteral("Cadastra CDs"),
                            &TFormPrincipal::CD1Click);
    BitBtn3 = addToolButton("BitBtn3", QStringLiteral("retira"), QStringLiteral("Retira CD"),
                            &TFormPrincipal::Retirada1Click);
    BitBtn4 = addToolButton("BitBtn4", QStringLiteral("retorna"), QStringLiteral("Retorna CD à coleção"),
                            &TFormPrincipal::Retorno1Click);
    BitBtn10 = addToolButton("BitBtn10", QStringLiteral("pesquisa"), QStringLiteral("Pesquisa"),
                             &TFormPrincipal::Pesquisa1Click);
    Panel1->addSeparator();
    BitBtn7 = addToolButton("BitBtn7", QStringLiteral("relatorio-cd"),
                            QStringLiteral("Exibe Relatório de CDs"), &TFormPrincipal::CD2Click);
    BitBtn8 = addToolButton("BitBtn8", QStringLiteral("relatorio-retirada"),
                            QStringLiteral("Exibe Relatório de Retiradas"), &TFormPrincipal::Retirada2Click);
    BitBtn9 = addToolButton("BitBtn9", QStringLiteral("relatorio-musica"),
                            QStringLiteral("Exibe Relatório de Músicas"), &TFormPrincipal::Msica1Click);
    Panel1->addSeparator();
    BitBtn6 = addToolButton("BitBtn6", QStringLiteral("ajuda"), QStringLiteral("Ajuda"),
                            &TFormPrincipal::Ajuda1Click);
    BitBtn11 = addToolButton("BitBtn11", QStringLiteral("sobre"), QStringLiteral("Sobre..."),
                             &TFormPrincipal::Sobre1Click);
    BitBtn5 = addToolButton("BitBtn5", QStringLiteral("termina"), QStringLiteral("Termina execução"),
                            &TFormPrincipal::Termina1Click);
}

void TFormPrincipal::runCommand(Command command)
{
    const CommandEntry &e = entry(command);
    if (!e.create)
        return;
    e.create();
    if (!e.heldWhileOpen)
        return;
    e.item->setEnabled(false);
    if (e.button)
        e.button->setEnabled(false);
}

void TFormPrincipal::commandDone(Command command)
{
    const CommandEntry &e = entry(command);
    e.item->setEnabled(true);
    if (e.button)
        e.button->setEnabled(true);
}

void TFormPrincipal::Artista1Click() { runCommand(Command::Artista); }
void TFormPrincipal::CD1Click() { runCommand(Command::CD); }
void TFormPrincipal::Retirada1Click() { runCommand(Command::Retirada); }
void TFormPrincipal::Retorno1Click() { runCommand(Command::Retorno); }
void TFormPrincipal::Pesquisa1Click() { runCommand(Command::Pesquisa); }
void TFormPrincipal::CD2Click() { runCommand(Command::RelatorioCD); }
void TFormPrincipal::Retirada2Click() { runCommand(Command::RelatorioRetirada); }
void TFormPrincipal::Msica1Click() { runCommand(Command::RelatorioMusica); }
void TFormPrincipal::Manuteno1Click() { runCommand(Command::Manutencao); }
void TFormPrincipal::Sobre1Click() { runCommand(Command::Sobre); }

void TFormPrincipal::Janela1Click()
{
    melvora::cascade(mdiArea);
}

void TFormPrincipal::LadoaLado1Click()
{
    tileVertical_ = false;
    tile();
}

void TFormPrincipal::LadoaLadoVertical1Click()
{
    tileVertical_ = true;
    tile();
}

void TFormPrincipal::tile()
{
    if (tileVertical_)
        melvora::tileVertically(mdiArea);
    else
        melvora::tileHorizontally(mdiArea);
}

void TFormPrincipal::Organizarcones1Click()
{
    melvora::arrangeIcons(mdiArea);
}

void TFormPrincipal::Reinicializar1Click()
{
    if (!Confirma(
            QStringLiteral("Esta rotina apaga todos os registros. TODOS OS DADOS SERÃO PERDIDOS. Confirma?")))
        return;
    runCommand(Command::Reinicializar);
}

void TFormPrincipal::Ajuda1Click()
{
    helpViewer.contents(QStringLiteral("melvo95.hlp"));
}

void TFormPrincipal::Termina1Click()
{
    // The child windows go without their close handlers.
    for (QMdiSubWindow *child : mdiArea->subWindowList())
        delete child;
    close();
    helpViewer.quit();
}

void TFormPrincipal::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        melvora::runReportingErrors([this] { FormShow(); });
    }
}

void TFormPrincipal::FormShow()
{
    // A missing index file means a rebuild of all fourteen; the test stops at the first.
    for (const QString &name : melvora::indexFileNames()) {
        if (!QFileInfo::exists(name)) {
            new Tindexaform(this);
            return;
        }
    }
}

void TFormPrincipal::closeEvent(QCloseEvent *event)
{
    melvora::runReportingErrors([this] { FormClose(); });
    QMainWindow::closeEvent(event);
}

void TFormPrincipal::FormClose()
{
    helpViewer.quit();
}
