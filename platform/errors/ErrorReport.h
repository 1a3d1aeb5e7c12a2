// Where an error that leaves a handler goes. A handler that fails stops there; its error is shown
// to the user (the program's error box, which also undoes what the handler wrote) and the event
// loop goes on. Qt's own libraries are built without exception support: an exception unwinding
// through them skips their clean-up (copied events leak, a mouse release stays unaccepted, a
// guard is never restored). So every handler Qt calls for a user's input or a timer catches its
// errors here, in the program's own frame, and nothing unwinds through Qt.
#pragma once

#include "UserError.h"

#include <QString>
#include <QtGlobal>
#include <exception>
#include <functional>
#include <utility>

namespace melvora {

// Shows an error's text; the program installs its error box, the tests a collector.
using ErrorShower = void (*)(const QString &text);
inline ErrorShower errorShower = nullptr;

inline void showError(const QString &text)
{
    if (errorShower)
        errorShower(text);
    else
        qWarning("%s", qPrintable(text));
}

// Runs work; an error it throws is shown. Returns false when work failed.
template <class Work> bool runReportingErrors(Work &&work)
{
    try {
        work();
        return true;
    } catch (const UserError &e) {
        showError(e.message());
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()));
    }
    return false;
}

// A slot for connect() that runs work under runReportingErrors. Qt passes it as many of the
// signal's arguments as work takes.
template <class Work> auto reportingErrors(Work work)
{
    return [work = std::move(work)](auto &&...args)
               -> decltype(std::invoke(work, std::forward<decltype(args)>(args)...), void()) {
        runReportingErrors([&] { std::invoke(work, std::forward<decltype(args)>(args)...); });
    };
}

// The same for a member function of object: connect(button, &QPushButton::clicked, this,
// reportingErrors(this, &Form::ButtonClick)).
template <class Object, class Member> auto reportingErrors(Object *object, Member member)
{
    return reportingErrors(std::bind_front(member, object));
}

} // namespace melvora
