// The program's command line. Without arguments the program opens its main window as always.
// With --report it writes one report as a PDF file, from the tables in the working folder, and
// ends without showing any window:
//     melvora --report cd|retirada|musica --pdf FILE
// The pages are generated and replayed exactly as for the preview window.
#pragma once

#include <QString>
#include <QStringList>

namespace melvora {

// Whether the raw arguments ask for the command line rather than the window. Looked at before
// the application object exists, so that no display is needed.
bool isCommandLine(int argc, char **argv);

struct ReportCommand {
    QString report;    // "cd", "retirada" or "musica"
    QString pdf;       // the file to write
    bool help = false; // --help: print the usage only
    QString error;     // why the arguments were refused (empty when they were not)
};

// Reads the arguments after the program's name.
ReportCommand parseCommandLine(const QStringList &arguments);

// Runs the command inside the application object; returns the exit status: 0 done, 1 the
// report could not be written, 2 the arguments were refused. Messages go to standard error.
int runCommandLine(const QStringList &arguments);

} // namespace melvora
