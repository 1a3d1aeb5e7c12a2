// Melvora: opens the four tables of the working directory and shows the main window.
#include "DataModule.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Melvora"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Melvora"));
    TDataModule1 dataModule;
    try {
        dataModule.DataModuleCreate();
    } catch (const tables::EngineError &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Melvora"), e.message() + u'.');
    }
    window.showMaximized();
    return app.exec();
}
