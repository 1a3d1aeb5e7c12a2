// The application object: the title "Melvora", Qt's Portuguese standard texts ("OK",
// "Cancelar"), and the default error box. An exception that leaves a handler ends that handler,
// is shown as "text." in the error box, and the event loop goes on with the next event. Handlers
// catch their own errors (ErrorReport.h); the application object catches what one let through.
#pragma once

#include "ErrorReport.h"
#include "Messages.h"

#include <QApplication>

class MelvoraApplication : public QApplication {
    Q_OBJECT
public:
    MelvoraApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

namespace melvora {

// Loads Qt's pt_BR translation into the running application; false when it is not installed.
bool installPortugueseTranslation();

} // namespace melvora
