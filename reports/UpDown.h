// An up-down arrow pair attached to an edit: each click moves its position by its increment
// within Min..Max (no wrap-around), writes the position into the edit and reports the click.
// The Up and Down keys in the edit click the arrows, as the platform's up-down control does.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    enum TUDBtnType { btNext, btPrev };

    explicit TUpDown(QLineEdit *associate, QWidget *parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int Increment = 1;
    void SetRange(int min, int max); // the position is kept inside the range
    void SetPosition(int position);  // limited to the range; written into the edit

    // Clicks an arrow as the user does.
    void click(TUDBtnType button);

    QToolButton *upButton() const { return up_; }
    QToolButton *downButton() const { return down_; }

signals:
    void Click(TUpDown::TUDBtnType button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *associate_;
    QToolButton *up_, *down_;
    int min_ = 0, max_ = 100, position_ = 0;
};
