// The report holders of the program and the main window's report commands. Start-up creates
// the holders after DataModule1, in this order: the checkout report (which installs the
// preview hook), the song report (which opens its own song cursor), the hidden preview window
// PrevForm, and the CD report. They live until the program ends.
#pragma once

class TFormPrincipal;

void createReportHolders();
// Destroys them in reverse order; before the data module, whose tables they read.
void destroyReportHolders();

// "&CD", "&Retirada" and "&Música" of "&Relatórios" and their tool buttons run the reports.
void registerReportCommands(TFormPrincipal *mainWindow);
