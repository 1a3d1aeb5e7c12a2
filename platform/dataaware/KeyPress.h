// Key handling of the data fields: a per-control key-press handler that sees the typed
// character (Enter is character 13) and may consume it by setting it to 0, and the move of the
// focus to the next control that can take it, as Enter does in the program's windows.
#pragma once

#include <QChar>
#include <QWidget>
#include <functional>

namespace dataaware {

using KeyPressHandler = std::function<void(QChar &key)>;

// Calls handler for every character key pressed in control, before the control sees it.
void onKeyPress(QWidget *control, KeyPressHandler handler);

// Moves the focus from `from` to the next control of container in tab order that can take it
// (enabled, visible tab stops), going forward and wrapping from the last to the first.
void focusNextControl(QWidget *from, QWidget *container);

} // namespace dataaware
