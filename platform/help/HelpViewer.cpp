#include "HelpViewer.h"
#include "HelpWindow.h"

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

HelpViewer::~HelpViewer()
{
    delete window_.data();
}

QString HelpViewer::findManual(const QString &fileName) const
{
    const QString manual = QFileInfo(fileName).completeBaseName() + QStringLiteral(".html");
    QStringList folders{QDir::currentPath()};
    folders += folders_;
    for (const QString &folder : folders) {
        const QFileInfo candidate(QDir(folder), manual);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

bool HelpViewer::contents(const QString &fileName)
{
    const QFileInfo file(fileName);
    if (file.isFile()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()))) {
            reporter_(QStringLiteral("Nenhum programa deste sistema sabe exibir o arquivo de ajuda \"%1\".")
                          .arg(fileName));
            return false;
        }
        shownFile_ = fileName;
        return true;
    }
    const QString manual = findManual(fileName);
    if (manual.isEmpty()) {
        reporter_(QStringLiteral("O arquivo de ajuda \"%1\" não foi encontrado em %2.")
                      .arg(fileName, QDir::toNativeSeparators(file.absolutePath())));
        return false;
    }
    if (!window_)
        window_ = new HelpWindow;
    window_->showContents(manual);
    shownFile_ = manual;
    return true;
}

QStringList programManualFolders(const QString &programFolder, const QString &name)
{
    const QDir program(programFolder);
    return {program.absolutePath(),
            QDir::cleanPath(program.absoluteFilePath(QStringLiteral("../share/") + name))};
}

void HelpViewer::quit()
{
    delete window_.data();
    shownFile_.clear();
}

} // namespace help
