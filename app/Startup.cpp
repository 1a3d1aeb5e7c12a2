#include "Startup.h"

#include "DataModule.h"
#include "FormPrincipal.h"
#include "MelvoraApplication.h"

TFormPrincipal *createMainWindowAndData()
{
    auto *window = new TFormPrincipal;
    new TDataModule1;
    melvora::runReportingErrors([] { DataModule1->DataModuleCreate(); });
    return window;
}

void destroyMainWindowAndData()
{
    delete FormPrincipal;
    delete DataModule1;
}
