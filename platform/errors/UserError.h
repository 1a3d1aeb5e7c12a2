// The base of every error whose text is written for the user: a complete Portuguese sentence
// (naming the file concerned, where there is one) that a window or the default error box shows
// as it stands. The table engine, the page drawings and the report engine each throw their own
// kind of it, so a caller can tell them apart or catch them all.
#pragma once

#include <QString>
#include <stdexcept>

namespace melvora {

class UserError : public std::runtime_error {
public:
    explicit UserError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

} // namespace melvora
