// The help viewer's own window: a manual in HTML, shown in a top-level window with its
// contents, back and forward commands. It exists from the first request for the manual until
// the viewer is told to quit or the user closes it.
#pragma once

#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace help {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow();

    // Shows file (an HTML manual) at its contents: its beginning.
    void showContents(const QString &file);

    QTextBrowser *browser() const { return browser_; }
    QToolButton *contentsButton() const { return contents_; }
    QToolButton *backButton() const { return back_; }
    QToolButton *forwardButton() const { return forward_; }

private:
    QTextBrowser *browser_;
    QToolButton *contents_, *back_, *forward_;
};

} // namespace help
