// The base of every child window of the main frame: a fixed-size sub-window of the frame with a
// title, a system menu and (when the window has one) a minimise box, and no "Stay on Top". It
// is destroyed when it closes; its FormClose handler runs first. The main window's "&Termina"
// deletes child windows directly, so their FormClose does not run then.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>

class TFormPrincipal;

class TChildForm : public QMdiSubWindow {
    Q_OBJECT
public:
    enum class Box { SystemMenuOnly, Minimise };

    TChildForm(TFormPrincipal *owner, const QString &caption, Box box);

    TFormPrincipal *owner() const { return owner_; }

protected:
    // Puts contents (laid out at its size hint) into the frame, fixes the window's size,
    // centres it on the screen (or leaves it where the frame places a new window) and shows it.
    void showInFrame(QWidget *contents, bool centred = true);

    // What the window does when it closes; it is destroyed afterwards.
    virtual void FormClose() {}

    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void centreOnScreen(); // in the middle of the screen, kept inside the frame

    TFormPrincipal *owner_;
    bool centring_ = false; // a centred window not drawn yet follows the frame's size
    QPointer<QWidget> frame_, frameViewport_; // watched while centring
};
