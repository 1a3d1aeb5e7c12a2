// The help viewer: shows the contents of a named help file and is told to quit at the end of
// the program. A help file that exists is handed to the system's viewer for its type; a missing
// one, or one no viewer can show, is reported by the viewer itself through its reporter.
#pragma once

#include <QString>
#include <functional>

namespace help {

class HelpViewer {
public:
    using Reporter = std::function<void(const QString &text)>;

    // The default reporter shows a plain message box titled "Ajuda".
    HelpViewer();

    void setReporter(Reporter reporter) { reporter_ = std::move(reporter); }

    // Shows fileName (relative to the working directory) at its contents. Returns whether a
    // viewer took it.
    bool contents(const QString &fileName);

    // Ends the help session. The system viewer runs as a program of its own and stays open
    // for the user; the session only forgets its file.
    void quit();

    // The file whose contents were last shown, until quit().
    const QString &shownFile() const { return shownFile_; }

private:
    Reporter reporter_;
    QString shownFile_;
};

} // namespace help
