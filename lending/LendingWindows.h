// Gives the main window the creators of its checkout, return and search commands.
#pragma once

class TFormPrincipal;

void registerLendingWindows(TFormPrincipal *mainWindow);
