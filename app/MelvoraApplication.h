// The application object: the title "Melvora", Qt's Portuguese standard texts ("OK",
// "Cancelar"), and the default error box. An exception that leaves an event handler ends that
// handler, is shown as "text." in the error box, and the event loop goes on with the next event.
#pragma once

#include "Messages.h"
#include "UserError.h"

#include <QApplication>
#include <exception>

class MelvoraApplication : public QApplication {
    Q_OBJECT
public:
    MelvoraApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

namespace melvora {

// Loads Qt's pt_BR translation into the running application; false when it is not installed.
bool installPortugueseTranslation();

// Runs work; a user error (of any layer) or other exception it throws is shown in the default error box.
// Returns false when work failed. (A template: it wraps every event the program handles.)
template <class Work> bool runReportingErrors(Work &&work)
{
    try {
        work();
        return true;
    } catch (const melvora::UserError &e) {
        ShowErrorBox(e.message());
    } catch (const std::exception &e) {
        ShowErrorBox(QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace melvora
