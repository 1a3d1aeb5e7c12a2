// The help viewer: shows the contents of a named help file and is told to quit at the end of
// the program. A help file present in the working directory is handed to the system's viewer
// for its type. Otherwise the viewer looks for the help file's manual, an HTML file of the
// same base name ("melvo95.hlp": "melvo95.html"), in its folders in order, and shows it in a
// window of its own. When neither exists, the viewer reports the missing help file through its
// reporter.
#pragma once

#include "HelpWindow.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

namespace help {

class HelpViewer {
public:
    using Reporter = std::function<void(const QString &text)>;

    // The default reporter shows a plain message box titled "Ajuda"; no manual folders.
    HelpViewer();
    ~HelpViewer();
    HelpViewer(const HelpViewer &) = delete;
    HelpViewer &operator=(const HelpViewer &) = delete;

    void setReporter(Reporter reporter) { reporter_ = std::move(reporter); }
    // Where manuals are looked for after the working directory, in order.
    void setManualFolders(const QStringList &folders) { folders_ = folders; }
    const QStringList &manualFolders() const { return folders_; }

    // The manual of fileName: the first existing file of its manual name in the working
    // directory and then in the manual folders; empty when there is none.
    QString findManual(const QString &fileName) const;

    // Shows fileName (relative to the working directory) at its contents. Returns whether a
    // viewer took it.
    bool contents(const QString &fileName);

    // Ends the help session: the viewer's own window closes; the system's viewer runs as a
    // program of its own and stays open for the user.
    void quit();

    // The file whose contents were last shown, until quit(): the help file handed to the
    // system's viewer, or the manual's absolute path.
    const QString &shownFile() const { return shownFile_; }
    // The viewer's own window while it is open.
    HelpWindow *window() const { return window_; }

private:
    Reporter reporter_;
    QStringList folders_;
    QString shownFile_;
    QPointer<HelpWindow> window_;
};

// Where a program's manual is kept: beside the program (as a build tree keeps it), and in the
// installation's data folder, <prefix>/share/<name> for a program in <prefix>/bin.
QStringList programManualFolders(const QString &programFolder, const QString &name);

} // namespace help
