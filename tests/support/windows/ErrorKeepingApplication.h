// The application object of the window tests below the program: where the program shows an
// error in its error box, it keeps the text for the test to read. Like the program's own, it
// also catches what a handler let through, so that nothing unwinds through Qt's event dispatch.
#pragma once

#include "ErrorReport.h"

#include <QApplication>
#include <QStringList>
#include <utility>

class ErrorKeepingApplication : public QApplication {
public:
    ErrorKeepingApplication(int &argc, char **argv)
        : QApplication(argc, argv)
    {
        melvora::errorShower = [](const QString &text) { kept().append(text); };
    }

    bool notify(QObject *receiver, QEvent *event) override
    {
        bool handled = false;
        melvora::runReportingErrors([&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }

    // The texts shown since the last call, oldest first.
    static QStringList takeErrors() { return std::exchange(kept(), {}); }

private:
    static QStringList &kept()
    {
        static QStringList texts;
        return texts;
    }
};
