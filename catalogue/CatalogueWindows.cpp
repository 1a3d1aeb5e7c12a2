#include "CatalogueWindows.h"

#include "Artista.h"
#include "CD.h"
#include "FormPrincipal.h"

void registerCatalogueWindows(TFormPrincipal *mainWindow)
{
    mainWindow->setCreator(ExternalCommand::Artista, [mainWindow] { new TArtistaForm(mainWindow); });
    mainWindow->setCreator(ExternalCommand::CD, [mainWindow] { new TCDForm(mainWindow); });
}
