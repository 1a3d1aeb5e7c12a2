// The program's start-up up to the report holders: the main window first, so that it is the
// application's main window, then DataModule1 opening the four tables. A table that cannot be
// opened is reported in the default error box and start-up goes on; the windows that use it
// report the engine's errors when they touch it.
#pragma once

class TFormPrincipal;

// Creates FormPrincipal and DataModule1 (both owned by the caller, not shown yet).
TFormPrincipal *createMainWindowAndData();

// Destroys every window of the program and then the data module; the tables close with it.
void destroyMainWindowAndData();
