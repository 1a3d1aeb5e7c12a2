// The one error type of the table engine. Every failure of a table operation is thrown as an
// EngineError whose text is a complete Portuguese sentence naming the file concerned; the window
// layer lets it run up to the default error box.
#pragma once

#include <QString>
#include <stdexcept>

namespace tables {

class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

} // namespace tables
