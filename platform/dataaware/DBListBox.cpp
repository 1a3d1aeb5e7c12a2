#include "DBListBox.h"

#include "ErrorReport.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace dataaware {

DBListBox::DBListBox(QWidget *parent) : QListWidget(parent), link_(this, [this] { refresh(); })
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, melvora::reportingErrors(this, &DBListBox::rowChosen));
}

void DBListBox::refresh()
{
    const QString value = link_.text();
    int row = -1;
    if (!value.isEmpty())
        for (int i = 0; i < count() && row < 0; ++i)
            if (item(i)->text() == value)
                row = i;
    if (row != currentRow()) {
        const bool was = userInput_;
        userInput_ = false;
        setCurrentRow(row);
        if (row < 0)
            clearSelection();
        userInput_ = was;
    }
}

bool DBListBox::mayChange()
{
    return link_.editing() || link_.prepareEdit();
}

// True when input that would change the row must go no further: a read-only field swallows it,
// and a field that cannot be edited now says why.
bool DBListBox::refusesChange(QEvent *event)
{
    bool may = false;
    if (!melvora::runReportingErrors([&] { may = mayChange(); }))
        return true;
    if (!may)
        event->accept();
    return !may;
}

void DBListBox::rowChosen(int row)
{
    if (!userInput_ || row < 0)
        return;
    link_.write(item(row)->text());
}

// The list makes its first row current, unchosen, when the keyboard brings the focus to it; a
// press on that row, or a key on it, chooses it all the same, though the row does not change.
void DBListBox::chooseCurrent(const QListWidgetItem *pressed)
{
    const QListWidgetItem *current = currentItem();
    if (current && (!pressed || pressed == current) && current->text() != link_.text())
        link_.write(current->text());
}

void DBListBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool moves = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp
                       || key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End
                       || (!event->text().isEmpty() && event->text().at(0).isPrint());
    if (!moves) {
        QListWidget::keyPressEvent(event);
        return;
    }
    if (refusesChange(event))
        return;
    userInput_ = true;
    QListWidget::keyPressEvent(event);
    userInput_ = false;
    melvora::runReportingErrors([this] { chooseCurrent(nullptr); });
}

void DBListBox::mousePressEvent(QMouseEvent *event)
{
    if (refusesChange(event))
        return;
    userInput_ = true;
    QListWidget::mousePressEvent(event);
    userInput_ = false;
    if (QListWidgetItem *pressed = itemAt(event->position().toPoint()))
        melvora::runReportingErrors([this, pressed] { chooseCurrent(pressed); });
}

} // namespace dataaware
