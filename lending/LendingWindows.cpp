#include "LendingWindows.h"

#include "FormPrincipal.h"
#include "Retirada.h"
#include "pesquisa.h"
#include "retorno.h"

void registerLendingWindows(TFormPrincipal *mainWindow)
{
    mainWindow->setCreator(ExternalCommand::Retirada, [mainWindow] { new TRetiradaForm(mainWindow); });
    mainWindow->setCreator(ExternalCommand::Retorno, [mainWindow] { new TRetornoform(mainWindow); });
    mainWindow->setCreator(ExternalCommand::Pesquisa, [mainWindow] { new TPesquisaform(mainWindow); });
}
