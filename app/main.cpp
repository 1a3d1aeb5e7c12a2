// Melvora: the start-up sequence. The main window and the data module come first, then the
// report holders; the main window is shown maximised, which runs its index check, and the one
// event loop runs until it closes. With arguments the program runs its command line instead
// (CommandLine.h) and shows no window.
#include "CatalogueWindows.h"
#include "CommandLine.h"
#include "FormPrincipal.h"
#include "LendingWindows.h"
#include "MelvoraApplication.h"
#include "ReportWindows.h"
#include "RpPrinter.h"
#include "RpSystemPrinter.h"
#include "Startup.h"

int main(int argc, char **argv)
{
    if (melvora::isCommandLine(argc, argv)) {
        // No window is shown: the offscreen platform needs no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        MelvoraApplication app(argc, argv);
        QStringList arguments;
        for (int i = 1; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        return melvora::runCommandLine(arguments);
    }
    MelvoraApplication app(argc, argv);
    TFormPrincipal *mainWindow = createMainWindowAndData();
    installReportWindowing(RpPrinter());
    createReportHolders();
    // The windows and reports of the other folders join the main window's commands here
    // (TFormPrincipal::setCreator), after the data module and before the window is shown.
    registerCatalogueWindows(mainWindow);
    registerLendingWindows(mainWindow);
    registerReportCommands(mainWindow);
    mainWindow->showMaximized();
    const int status = app.exec();
    destroyReportHolders();
    destroyMainWindowAndData();
    return status;
}
