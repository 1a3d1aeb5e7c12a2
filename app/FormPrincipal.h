// The main window: the multiple-document frame with the menu bar MainMenu1 and the tool bar
// Panel1. It owns no data; it creates the child windows, runs the reports, arranges the child
// windows, opens the help file and ends the program.
//
// Its only state is which commands are disabled and the tile mode. One table holds each
// command's menu item, tool button (if any) and creator. A command that opens a window creates
// it and then disables its item and button; the window calls commandDone as it closes (a job
// as it ends), which enables both again. A report command stays enabled. The main window
// never looks for an open child.
#pragma once

#include "HelpViewer.h"

#include <QMainWindow>
#include <array>
#include <cstddef>
#include <functional>

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class QToolButton;

// The commands that open a window, run a job or run a report. The windows and reports of the
// other folders get their creators at the program's start-up; a command without one does
// nothing. The main window's own (Manutencao, Reinicializar, Sobre) have theirs from the start.
enum class Command {
    Artista,           // the artist register
    CD,                // the CD register
    Retirada,          // the checkout window
    Retorno,           // the return window
    Pesquisa,          // the search window
    RelatorioCD,       // the CD report's preview
    RelatorioRetirada, // the checkout report's preview
    RelatorioMusica,   // the song report's preview
    Manutencao,        // the index rebuild job
    Reinicializar,     // the erase job
    Sobre,             // the About window
    Count              // not a command: the number of commands
};

// The name the start-up code of the report folder and the tests register under.
using ExternalCommand = Command;

class TFormPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormPrincipal(QWidget *parent = nullptr);
    ~TFormPrincipal() override;

    // Creates the window (or runs the report) of command; an exception it throws leaves the
    // command enabled.
    void setCreator(Command command, std::function<void()> creator);

    // The window of command has closed, or its job has ended: its menu item and tool button
    // are enabled again.
    void commandDone(Command command);

    QMdiArea *mdiArea;
    help::HelpViewer helpViewer;

    QToolBar *Panel1;
    QToolButton *BitBtn1;  // "Cadastra Artista"
    QToolButton *BitBtn2;  // "Cadastra CDs"
    QToolButton *BitBtn3;  // "Retira CD"
    QToolButton *BitBtn4;  // "Retorna CD à coleção"
    QToolButton *BitBtn10; // "Pesquisa"
    QToolButton *BitBtn7;  // "Exibe Relatório de CDs"
    QToolButton *BitBtn8;  // "Exibe Relatório de Retiradas"
    QToolButton *BitBtn9;  // "Exibe Relatório de Músicas"
    QToolButton *BitBtn6;  // "Ajuda"
    QToolButton *BitBtn11; // "Sobre..."
    QToolButton *BitBtn5;  // "Termina execução"

    QMenu *Cadastro1;
    QAction *Artista1;
    QAction *CD1;
    QAction *Retirada1;
    QAction *Retorno1;
    QAction *Pesquisa1;
    QMenu *Relatrios1;
    QAction *CD2;
    QAction *Retirada2;
    QAction *Msica1;
    QMenu *Janelas1;
    QAction *Janela1;
    QAction *LadoaLado1;
    QAction *LadoaLadoVertical1;
    QAction *Organizarcones1;
    QMenu *Opers1;
    QAction *Manuteno1;
    QAction *Reinicializar1;
    QAction *Sobre1;
    QAction *Termina1;
    QAction *Ajuda1;

    bool tilesVertically() const { return tileVertical_; }

    void Artista1Click();
    void CD1Click();
    void Retirada1Click();
    void Retorno1Click();
    void Pesquisa1Click();
    void CD2Click();
    void Retirada2Click();
    void Msica1Click();
    void Janela1Click();
    void LadoaLado1Click();
    void LadoaLadoVertical1Click();
    void Organizarcones1Click();
    void Manuteno1Click();
    void Reinicializar1Click();
    void Sobre1Click();
    void Termina1Click();
    void Ajuda1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void FormClose();

    void buildMenus();
    void buildToolBar();
    QToolButton *addToolButton(const char *name, const QString &glyph, const QString &hint,
                               void (TFormPrincipal::*handler)());
    void buildCommandTable();
    // Runs the creator of command; a window command then disables its item and button.
    void runCommand(Command command);
    void tile();

    struct CommandEntry {
        QAction *item = nullptr;
        QToolButton *button = nullptr; // the maintenance jobs have none
        bool heldWhileOpen = false;    // disabled from its window's creation to commandDone
        std::function<void()> create;
    };
    CommandEntry &entry(Command command) { return commands_.at(std::size_t(command)); }

    std::array<CommandEntry, std::size_t(Command::Count)> commands_;
    bool tileVertical_ = false;
    bool shownOnce_ = false;
};

// The program's main window, set while one exists.
extern TFormPrincipal *FormPrincipal;
