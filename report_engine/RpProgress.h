// Progress of a generation, print, save or load: a text, a bar with a maximum, and a step so
// that the bar moves about twenty times whatever the count. This base keeps the counters and
// shows nothing; the progress window (TRpProgressForm) shows them and offers Cancel.
#pragma once

#include <QString>

class TRpProgress {
public:
    virtual ~TRpProgress() = default;

    virtual void Show() {}
    // The label's text; pending window messages are processed afterwards.
    virtual void SetText(const QString &text);
    void SetMax(int n);
    // Moves the bar to n only when n div step exceeds the last step shown.
    void Update(int n);

    const QString &text() const { return text_; }
    int maximum() const { return max_; }
    int step() const { return step_; }
    int position() const { return position_; }
    int moves() const { return moves_; }

protected:
    virtual void showPosition(int) {}
    virtual void showMaximum(int) {}

private:
    QString text_;
    int max_ = 0;
    int step_ = 1;
    int lastStep_ = 0;
    int position_ = 0;
    int moves_ = 0;
};
