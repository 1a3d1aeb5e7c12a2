#include "WindowArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

namespace melvora {

namespace {

// The windows to tile or cascade, bottom of the stack first.
QList<QMdiSubWindow *> openWindows(QMdiArea *area)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *w : area->subWindowList(QMdiArea::StackingOrder)) {
        if (w->isVisible() && !w->isMinimized())
            windows.append(w);
    }
    return windows;
}

void tile(QMdiArea *area, Qt::Orientation orientation)
{
    const QList<QMdiSubWindow *> windows = openWindows(area);
    if (windows.isEmpty())
        return;
    const QRect frame = area->viewport()->rect();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QRect cell;
        if (orientation == Qt::Vertical) {
            const int top = frame.height() * i / n;
            cell = QRect(0, top, frame.width(), frame.height() * (i + 1) / n - top);
        } else {
            const int left = frame.width() * i / n;
            cell = QRect(left, 0, frame.width() * (i + 1) / n - left, frame.height());
        }
        QMdiSubWindow *w = windows[i];
        if (w->isMaximized())
            w->showNormal();
        w->setGeometry(QRect(cell.topLeft(), cell.size().expandedTo(w->minimumSize())
                                                 .boundedTo(w->maximumSize())));
    }
}

} // namespace

void tileHorizontally(QMdiArea *area)
{
    tile(area, Qt::Vertical);
}

void tileVertically(QMdiArea *area)
{
    tile(area, Qt::Horizontal);
}

void cascade(QMdiArea *area)
{
    const QList<QMdiSubWindow *> windows = openWindows(area);
    const int step = area->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    const QRect frame = area->viewport()->rect();
    int offset = 0;
    for (QMdiSubWindow *w : windows) {
        if (w->isMaximized())
            w->showNormal();
        if (offset + w->height() > frame.height() || offset + w->width() > frame.width())
            offset = 0; // start again at the top rather than run off the frame
        w->move(offset, offset);
        w->raise();
        offset += step;
    }
}

void arrangeIcons(QMdiArea *area)
{
    const QRect frame = area->viewport()->rect();
    int x = 0;
    int bottom = frame.height();
    for (QMdiSubWindow *w : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isVisible() || !w->isMinimized())
            continue;
        if (x > 0 && x + w->width() > frame.width()) {
            x = 0;
            bottom -= w->height();
        }
        w->move(x, bottom - w->height());
        x += w->width();
    }
}

} // namespace melvora
