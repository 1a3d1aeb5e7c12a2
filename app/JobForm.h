// The small progress window of the two maintenance jobs (index rebuild, erase): a caption line,
// a progress bar with "0%" under its left end and "100%" under its right end. The job starts
// once, right after the window's first paint, and runs to its end on the user-interface thread
// without handling other events; the bar is repainted after each step. An exception from the
// job stops it there and runs up to the default error box; the window then stays until the
// user closes it.
#pragma once

#include "ChildForm.h"

class QLabel;
class QProgressBar;

class TJobForm : public TChildForm {
    Q_OBJECT
public:
    TJobForm(TFormPrincipal *owner, const QString &caption, const QString &title);

    QLabel *Label1;
    QProgressBar *ProgressBar1;
    QLabel *Label2;
    QLabel *Label3;

protected:
    // The job; runs once per window.
    virtual void FormPaint() = 0;

    void stepProgress(); // advance the bar by one and show it at once
    void release();      // destroyed as soon as the current event has been handled

    void paintEvent(QPaintEvent *event) override;

private:
    bool started_ = false;
};
