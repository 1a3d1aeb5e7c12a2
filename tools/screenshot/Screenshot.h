// Pictures of the program's windows, taken offscreen on the sample collection: what a person
// sees, for the manual and for reviews of a change to a window. Each picture is the window as
// it is drawn at the size asked for, frame excluded.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace screenshot {

// The windows there are pictures of: "preview", the report engine's standard preview on the CD
// report's pages; "main", the main window with its menus and tool bar.
QStringList windowNames();
QSize defaultSize(const QString &window);

// Draws window at size on the collection of the working folder; a null image for an unknown
// name. The data module opens the tables of the working folder.
QImage take(const QString &window, const QSize &size);

} // namespace screenshot
