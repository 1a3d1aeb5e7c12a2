#include "CatalogueWindows.h"

#include "Artista.h"
#include "CD.h"
#include "FormPrincipal.h"

void registerCatalogueWindows(TFormPrincipal *mainWindow)
{
    mainWindow->setCreator(Command::Artista, [mainWindow] { new TArtistaForm(mainWindow); });
    mainWindow->setCreator(Command::CD, [mainWindow] { new TCDForm(mainWindow); });
}
