#include "MelvoraApplication.h"

#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

MelvoraApplication::MelvoraApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Melvora"));
    // The program's fonts do not exist here; Liberation Sans has Arial's metrics.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    melvora::installPortugueseTranslation();
    melvora::errorShower = ShowErrorBox;
}

bool MelvoraApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    melvora::runReportingErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

namespace melvora {

bool installPortugueseTranslation()
{
    auto *translator = new QTranslator(qApp);
    if (!translator->load(QStringLiteral("qtbase_pt_BR"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace melvora
