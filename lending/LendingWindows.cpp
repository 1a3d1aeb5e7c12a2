#include "LendingWindows.h"

#include "FormPrincipal.h"
#include "Retirada.h"
#include "pesquisa.h"
#include "retorno.h"

void registerLendingWindows(TFormPrincipal *mainWindow)
{
    mainWindow->setCreator(Command::Retirada, [mainWindow] { new TRetiradaForm(mainWindow); });
    mainWindow->setCreator(Command::Retorno, [mainWindow] { new TRetornoform(mainWindow); });
    mainWindow->setCreator(Command::Pesquisa, [mainWindow] { new TPesquisaform(mainWindow); });
}
