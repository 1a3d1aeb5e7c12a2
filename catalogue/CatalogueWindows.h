// Gives the main window the creators of its artist and CD register commands.
#pragma once

class TFormPrincipal;

void registerCatalogueWindows(TFormPrincipal *mainWindow);
