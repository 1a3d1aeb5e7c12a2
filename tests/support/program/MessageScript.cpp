#include "MessageScript.h"

#include "ModalBox.h"

MessageScript::MessageScript()
{
    melvora::setMessageResponder([this](const melvora::MessageRequest &r) {
        boxes.push_back(r);
        if (whileAsking)
            whileAsking();
        if (modalBoxes)
            showModalBox();
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });
}

MessageScript::~MessageScript()
{
    melvora::setMessageResponder({});
}

QStringList MessageScript::messages() const
{
    QStringList out;
    for (const auto &b : boxes)
        out << b.text;
    return out;
}
