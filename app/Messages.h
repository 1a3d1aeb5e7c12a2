// The program's three message boxes: Mensagem (plain, caption "Melvora", OK), Confirma (caption
// "ATENÇÃO", OK and Cancel, warning icon; true only on OK) and the default error box (the error's
// text and a full stop, caption "Melvora", stop icon, OK). All go through one responder, so that
// tests answer them and read their texts instead of a person.
#pragma once

#include <QString>
#include <functional>

namespace melvora {

enum class MessageKind { Mensagem, Confirma, Error };

struct MessageRequest {
    MessageKind kind;
    QString caption;
    QString text; // as shown, the error box's full stop included
};

// Answers a box: the return value is the answer of a Confirma (true = OK) and ignored otherwise.
using MessageResponder = std::function<bool(const MessageRequest &)>;

// Replaces the responder (tests); an empty one restores the real message boxes.
void setMessageResponder(MessageResponder responder);

} // namespace melvora

void Mensagem(const QString &text);
bool Confirma(const QString &text);
// The default error box, for an error no handler caught.
void ShowErrorBox(const QString &errorText);
