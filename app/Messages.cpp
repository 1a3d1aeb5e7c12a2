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

bool ask(MessageKind kind, const QString &caption, const QString &text)
{
    tables::commitAll();
    const MessageRequest request{kind, caption, text};
    if (responder())
        return responder()(request);
    return showBox(request);
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
    // A failed commit here is itself an error to show; the engine has rolled that file back,
    // so the second box does not fail the same way.
    QString text = errorText + u'.';
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            melvora::ask(melvora::MessageKind::Error, QStringLiteral("Melvora"), text);
            return;
        } catch (const tables::EngineError &e) {
            text = e.message() + u'.';
        }
    }
}
