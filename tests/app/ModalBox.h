// A stand-in for a real message box: a modal dialog that opens, takes the focus from the window
// as a box does, and closes itself once it has it. Tests use it where what matters is what the
// window does when a box takes the focus.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

inline void showModalBox()
{
    QWidget *window = QApplication::activeWindow();
    QDialog box(window);
    box.setModal(true);
    int tries = 0;
    std::function<void()> closeOnceActive = [&] {
        if (QApplication::activeWindow() == &box || ++tries > 200)
            box.accept();
        else
            QTimer::singleShot(5, &box, closeOnceActive);
    };
    QTimer::singleShot(0, &box, closeOnceActive);
    box.exec();
    // As on a desktop, the window the box stood over is active again, its focus restored.
    if (window) {
        window->activateWindow();
        QTest::qWaitForWindowActive(window);
    }
}
