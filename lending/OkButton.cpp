#include "OkButton.h"

#include "Icons.h"

QPushButton *makeOkButton(const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(melvora::icon(QStringLiteral("ok")), QStringLiteral("Ok"), parent);
    button->setIconSize(QSize(18, 18));
    if (!hint.isEmpty()) {
        button->setToolTip(hint);
        button->setAccessibleDescription(hint);
    }
    // Enter on the focused button presses it, as Space does.
    button->setAutoDefault(true);
    return button;
}
