#include "ModalBox.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

void showModalBox()
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
        (void)QTest::qWaitForWindowActive(window);
    }
}
