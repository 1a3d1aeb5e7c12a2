#include "ChildForm.h"

#include "ErrorReport.h"
#include "FormPrincipal.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>

#include <algorithm>

TChildForm::TChildForm(TFormPrincipal *owner, const QString &caption, Box box)
    : QMdiSubWindow(nullptr,
                    Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                        | (box == Box::Minimise ? Qt::WindowMinimizeButtonHint : Qt::WindowFlags())
                        | Qt::MSWindowsFixedSizeDialogHint),
      owner_(owner)
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
        centreOnScreen();
        // The frame may still grow (it is maximised as the program starts): until the window has
        // been drawn, it follows the frame and stays in the middle of the screen.
        centring_ = true;
        frame_ = owner_;
        frameViewport_ = owner_->mdiArea->viewport();
        frameViewport_->installEventFilter(this);
        frame_->installEventFilter(this);
    }
    show();
}

void TChildForm::centreOnScreen()
{
    QWidget *viewport = owner_->mdiArea->viewport();
    const QScreen *screen = viewport->screen() ? viewport->screen() : QGuiApplication::primaryScreen();
    const QPoint centre = screen->availableGeometry().center();
    const QPoint wanted = viewport->mapFromGlobal(centre - QPoint(width() / 2, height() / 2));
    // Inside the frame, whatever part of the screen the frame covers.
    move(std::clamp(wanted.x(), 0, std::max(0, viewport->width() - width())),
         std::clamp(wanted.y(), 0, std::max(0, viewport->height() - height())));
}

bool TChildForm::eventFilter(QObject *watched, QEvent *event)
{
    // The frame's size reaches its viewport and its place reaches the frame, in either order.
    // Only the pointers are compared: the frame may be half destroyed when its last events come.
    if (centring_ && ((watched == frameViewport_ && event->type() == QEvent::Resize)
                      || (watched == frame_ && event->type() == QEvent::Move)))
        centreOnScreen();
    return QMdiSubWindow::eventFilter(watched, event);
}

bool TChildForm::event(QEvent *event)
{
    if (event->type() == QEvent::Paint && centring_) {
        centring_ = false; // drawn where it is: from now on the window stays where it is put
        if (frameViewport_)
            frameViewport_->removeEventFilter(this);
        if (frame_)
            frame_->removeEventFilter(this);
    }
    return QMdiSubWindow::event(event);
}

void TChildForm::closeEvent(QCloseEvent *event)
{
    // A close handler that fails keeps the window open, with its error shown.
    if (!melvora::runReportingErrors([this] { FormClose(); })) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
