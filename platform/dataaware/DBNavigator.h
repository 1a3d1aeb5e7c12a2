// The record navigator: four picture buttons (first, prior, next, last) that move its data
// source's table. First and prior are disabled at the beginning of the table, next and last at
// its end, all four on an empty or closed table. The navigator is one tab stop; with the focus
// Home, Left/Up, Right/Down and End press the buttons.
#pragma once

#include "DataSource.h"

#include <QPointer>
#include <QToolButton>
#include <QWidget>
#include <array>

namespace dataaware {

class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last };

    explicit DBNavigator(QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return source_; }
    QToolButton *button(Button which) const { return buttons_[which]; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void press(Button which);
    void updateButtons();

    QPointer<DataSource> source_;
    std::array<QToolButton *, 4> buttons_{};
};

} // namespace dataaware
