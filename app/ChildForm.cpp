#include "ChildForm.h"

#include "FormPrincipal.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>

TChildForm::TChildForm(TFormPrincipal *owner, const QString &caption, Box box)
    : QMdiSubWindow(nullptr,
                    Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                        | (box == Box::Minimise ? Qt::WindowMinimizeButtonHint : Qt::WindowFlags())
                        | Qt::MSWindowsFixedSizeDialogHint)
    , owner_(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    setWindowIcon(owner->windowIcon());
    // The system menu's only checkable entry is "Stay on Top"; the program's windows never float.
    if (QMenu *menu = systemMenu()) {
        for (QAction *action : menu->actions()) {
            if (action->isCheckable())
                menu->removeAction(action);
        }
    }
}

void TChildForm::showInFrame(QWidget *contents, bool centred)
{
    setWidget(contents);
    owner_->mdiArea->addSubWindow(this);
    adjustSize();
    setFixedSize(sizeHint());
    if (centred) {
        const QRect area = owner_->mdiArea->viewport()->rect();
        move(std::max(0, (area.width() - width()) / 2), std::max(0, (area.height() - height()) / 2));
    }
    show();
}

void TChildForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMdiSubWindow::closeEvent(event);
}
