// The three message boxes. Each one first commits the writes of the action in progress, so that
// nothing the user did waits uncommitted while a box waits for the user, then asks the responder
// (a test) or shows the real box.
#include "Messages.h"

#include "EngineError.h"
#include "Transactions.h"

#include <QApplication>
#include <QMessageBox>

namespace melvora {

namespace {

MessageResponder &responder()
{
    static MessageResponder current;
    return current;
}

bool showBox(const MessageRequest &request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    switch (request.kind) {
    case MessageKind::Mensagem:
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageKind::Confirma:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    return box.exec() == QMessageBox::Ok;
}

bool show(MessageKind kind, const QString &caption, const QString &text)
{
    const MessageRequest request{kind, caption, text};
    if (responder())
        return responder()(request);
    return showBox(request);
}

bool ask(MessageKind kind, const QString &caption, const QString &text)
{
    tables::commitAll();
    return show(kind, caption, text);
}

} // namespace

void setMessageResponder(MessageResponder r)
{
    responder() = std::move(r);
}

} // namespace melvora

void Mensagem(const QString &text)
{
    melvora::ask(melvora::MessageKind::Mensagem, QStringLiteral("Melvora"), text);
}

bool Confirma(const QString &text)
{
    return melvora::ask(melvora::MessageKind::Confirma, QStringLiteral("ATENÇÃO"), text);
}

void ShowErrorBox(const QString &errorText)
{
    // The handler that failed stopped halfway: whatever it wrote before the error is undone, so
    // an action is stored whole or not at all.
    tables::rollbackAll();
    melvora::show(melvora::MessageKind::Error, QStringLiteral("Melvora"), errorText + u'.');
}
