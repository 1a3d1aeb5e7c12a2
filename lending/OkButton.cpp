#include "OkButton.h"

#include <QIcon>

// The resources of a static library are registered by hand, once.
static void initLendingResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(lending);
        return true;
    }();
    Q_UNUSED(done);
}

QPushButton *makeOkButton(const QString &hint, QWidget *parent)
{
    initLendingResources();
    auto *button = new QPushButton(QIcon(QStringLiteral(":/lending/icons/ok.svg")), QStringLiteral("Ok"), parent);
    button->setIconSize(QSize(18, 18));
    if (!hint.isEmpty()) {
        button->setToolTip(hint);
        button->setAccessibleDescription(hint);
    }
    // Enter on the focused button presses it, as Space does.
    button->setAutoDefault(true);
    return button;
}
