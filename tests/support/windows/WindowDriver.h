// A user's hands on the windows: clicks, typing and keys sent as events, each followed by the
// work the event loop has pending, so that a test reads the windows as the user would next see
// them.
#pragma once

#include <QString>
#include <QStringList>

class QAbstractButton;
class QListWidget;
class QWidget;

// Lets the event loop run pending work: first paints, commits, deferred deletions.
void settle();

// Clicks an enabled button near its left edge (a radio button takes clicks on its circle and
// caption only); a disabled one fails the test.
void click(QAbstractButton *button);
// Presses Enter on w.
void enter(QWidget *w);
// Types ASCII text into w.
void type(QWidget *w, const QString &text);
// Types text key by key, accented letters included (QTest's own typing knows only ASCII); the
// pending work is left to the caller.
void typeText(QWidget *w, const QString &text);

// Clicks the one line of list that reads text.
void clickLine(QListWidget *list, const QString &text);
// The lines of a list, top to bottom.
QStringList lines(const QListWidget *list);

QWidget *focused();
