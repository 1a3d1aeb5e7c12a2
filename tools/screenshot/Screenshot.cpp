#include "Screenshot.h"

#include "DataModule.h"
#include "FormPrincipal.h"
#include "R_CD.h"
#include "RpPrinter.h"
#include "RpStandardPreview.h"
#include "Startup.h"

#include <QApplication>
#include <QPixmap>
#include <memory>

namespace screenshot {

namespace {

// Lets the window lay itself out and paint before it is drawn into the picture.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

QImage grabAt(QWidget &w, const QSize &size)
{
    w.setWindowState(Qt::WindowNoState);
    w.resize(size);
    w.show();
    settle();
    return w.grab().toImage();
}

QImage preview(const QSize &size)
{
    TRpPrinter store; // outlives the report, whose run drew into it
    TDataModule1 data;
    data.DataModuleCreate();
    TR_CDForm report(&data);
    report.RpReport1->Prepare(store);
    // As with a printer installed: every button of the tool panel enabled.
    store.PrinterAvailable = true;
    TRpStandardPreview w(store);
    const QImage image = grabAt(w, size);
    store.DiscardPages();
    return image;
}

QImage mainWindow(const QSize &size)
{
    TFormPrincipal *w = createMainWindowAndData();
    const QImage image = grabAt(*w, size);
    destroyMainWindowAndData();
    return image;
}

} // namespace

QStringList windowNames()
{
    return {QStringLiteral("preview"), QStringLiteral("main")};
}

QSize defaultSize(const QString &window)
{
    return window == QLatin1String("main") ? QSize(1024, 700) : QSize(900, 700);
}

QImage take(const QString &window, const QSize &size)
{
    if (window == QLatin1String("preview"))
        return preview(size);
    if (window == QLatin1String("main"))
        return mainWindow(size);
    return {};
}

} // namespace screenshot
