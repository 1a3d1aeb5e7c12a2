// The main window: the multiple-document frame with the menu bar MainMenu1 and the tool bar
// Panel1. It owns no data; it creates the child windows, runs the reports, arranges the child
// windows, opens the help file and ends the program.
//
// Its only state is which commands are disabled and the tile mode. A command that opens a
// window creates it and then disables its menu item and tool button; the window enables both
// again when it closes. The main window never looks for an open child.
#pragma once

#include "HelpViewer.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class QToolButton;

// The commands whose windows and reports live in the other folders. The program's start-up
// gives each one its creator; a command without one does nothing.
enum class ExternalCommand {
    Artista,           // the artist register
    CD,                // the CD register
    Retirada,          // the checkout window
    Retorno,           // the return window
    Pesquisa,          // the search window
    RelatorioCD,       // the CD report's preview
    RelatorioRetirada, // the checkout report's preview
    RelatorioMusica,   // the song report's preview
};

class TFormPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormPrincipal(QWidget *parent = nullptr);
    ~TFormPrincipal() override;

    // Creates the window (or runs the report) of command; an exception it throws leaves the
    // command enabled.
    void setCreator(ExternalCommand command, std::function<void()> creator);

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
    QToolButton *addToolButton(const char *name, const QString &glyph, const QString &hint, void (TFormPrincipal::*handler)());
    // Creates the window of command, then disables its pair.
    void openExternal(ExternalCommand command, QAction *item, QToolButton *button);
    void runExternal(ExternalCommand command);
    void tile();

    std::function<void()> creators_[8];
    bool tileVertical_ = false;
    bool shownOnce_ = false;
};

// The program's main window, set while one exists.
extern TFormPrincipal *FormPrincipal;
