#include "HelpViewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace help {

HelpViewer::HelpViewer()
    : reporter_([](const QString &text) {
          QMessageBox::information(nullptr, QStringLiteral("Ajuda"), text);
      })
{
}

bool HelpViewer::contents(const QString &fileName)
{
    const QFileInfo file(fileName);
    if (!file.isFile()) {
        reporter_(QStringLiteral("O arquivo de ajuda \"%1\" não foi encontrado em %2.")
                      .arg(fileName, QDir::toNativeSeparators(file.absolutePath())));
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()))) {
        reporter_(QStringLiteral("Nenhum programa deste sistema sabe exibir o arquivo de ajuda \"%1\".")
                      .arg(fileName));
        return false;
    }
    shownFile_ = fileName;
    return true;
}

void HelpViewer::quit()
{
    shownFile_.clear();
}

} // namespace help
