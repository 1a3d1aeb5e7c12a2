// The program's message boxes answered by the test for as long as the script lives: every box
// is recorded, and a Confirma takes the next queued answer (OK when none is queued). The real
// boxes come back when it ends.
#pragma once

#include "Messages.h"

#include <QStringList>
#include <functional>
#include <vector>

class MessageScript {
    Q_DISABLE_COPY(MessageScript)

public:
    MessageScript();
    ~MessageScript();

    // The texts of the boxes so far, in the order they came.
    QStringList messages() const;

    std::vector<melvora::MessageRequest> boxes;
    std::vector<bool> answers;
    std::function<void()> whileAsking; // runs while each box is up
    bool modalBoxes = false;           // each box takes the focus as a real one does
};
