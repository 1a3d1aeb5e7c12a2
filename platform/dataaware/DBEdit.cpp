#include "DBEdit.h"

#include "DateText.h"
#include "EditMask.h"
#include "ErrorReport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <algorithm>

namespace dataaware {

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent), link_(this, [this] { refresh(); })
{
    setReadOnly(true);
    connect(this, &QLineEdit::textEdited, this, melvora::reportingErrors(this, &DBEdit::userEdited));
}

bool DBEdit::isDate() const
{
    const tables::FieldDef *f = link_.field();
    return f && f->type == tables::FieldType::Date;
}

void DBEdit::applyField()
{
    const tables::FieldDef *f = link_.field();
    const QString key = f ? link_.dataSource()->dataSet()->fileName() + u'.' + f->name : QString();
    if (key == appliedField_)
        return;
    appliedField_ = key;
    if (!f) {
        setInputMask(QString());
        setMaxLength(32767);
        return;
    }
    const QString mask = qtInputMask(storedEditMask(*f));
    setInputMask(mask);
    // The field's size counts characters, the edit's limit UTF-16 units: the limit only bounds
    // typing, and the text is cut to the field's size at a character boundary as it is typed.
    if (mask.isEmpty())
        setMaxLength(f->size * 2);
}

// The text cut to `size` characters by taking back what was typed or pasted last, just before
// the cursor, as a full field refuses more: the text already there is never cut. Never half of
// a surrogate pair. Moves the cursor with the cut.
static QString cutTypedExcess(QString text, int &cursor, int size)
{
    qsizetype excess = text.toUcs4().size() - size;
    while (excess > 0 && cursor > 0) {
        const int units = cursor >= 2 && text.at(cursor - 1).isLowSurrogate()
                                  && text.at(cursor - 2).isHighSurrogate() ? 2 : 1;
        text.remove(cursor - units, units);
        cursor -= units;
        --excess;
    }
    while (excess-- > 0) // nothing typed before the cursor: the end goes
        text.chop(text.size() >= 2 && text.back().isLowSurrogate() ? 2 : 1);
    return text;
}

void DBEdit::refresh()
{
    applyField();
    const tables::Table *t = link_.table();
    const bool editing = link_.editing();
    if (dirty_ && editing && t->recordId() == dirtyRecord_)
        return; // keep a typed date the buffer does not hold until it is one, or blank
    dirty_ = false;
    refusalShown_ = false;
    setReadOnly(!editing);
    const DataSource *source = link_.dataSource();
    showRefusing(!editing && !(source && source->autoEdit()));
    const QString value = link_.text();
    const bool same = isDate() ? (tables::isBlankDateText(value) && tables::isBlankDateText(text()))
                                     || value == text()
                               : value == text();
    if (!same)
        setText(value);
}

void DBEdit::showRefusing(bool refusing)
{
    // A field that would refuse typing sits on the window colour, like a label.
    if (refusing == refusing_)
        return;
    refusing_ = refusing;
    const QPalette standard = QApplication::palette(this);
    QPalette p = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::Base,
                   standard.color(group, refusing ? QPalette::Window : QPalette::Base));
    setPalette(p);
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    const bool changesText = (!event->text().isEmpty() && event->text().at(0).isPrint())
                             || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete
                             || event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut);
    bool editable = true;
    if (changesText && !link_.editing()) {
        if (!melvora::runReportingErrors([&] { editable = link_.prepareEdit(); }))
            return;
        if (!editable) {
            event->accept(); // a read-only field swallows typing
            return;
        }
        refresh();
    }
    QLineEdit::keyPressEvent(event);
}

void DBEdit::userEdited()
{
    if (!link_.editing()) {
        refresh();
        return;
    }
    if (!isDate()) {
        if (const tables::FieldDef *f = link_.field(); f && inputMask().isEmpty()) {
            int cursor = cursorPosition();
            const QString cut = cutTypedExcess(text(), cursor, f->size);
            if (cut != text()) {
                setText(cut);
                setCursorPosition(std::min(cursor, int(cut.size())));
            }
        }
        link_.write(text());
        return;
    }
    // A date reaches the buffer once it is one (or blank again).
    refusalShown_ = false;
    const QString typed = text();
    if (tables::isBlankDateText(typed) || tables::dateFromText(typed)) {
        dirty_ = false;
        link_.write(typed);
    } else {
        dirty_ = true;
        dirtyRecord_ = link_.table()->recordId();
    }
}

bool DBEdit::refusesText() const
{
    return dirty_ && link_.editing();
}

void DBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!refusesText())
        return;
    // A box, a menu or another program taking the focus is not the user leaving the field.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
        || reason == Qt::MenuBarFocusReason || reason == Qt::NoFocusReason)
        return;
    // Leaving the field: the text stays, the buffer keeps its last date, and the focus comes
    // back with the engine's refusal, so nothing is stored until the date is one or cleared.
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
    refusalShown_ = true;
    // The engine's error for a text that is no date is shown here.
    if (!melvora::runReportingErrors([this] { link_.write(text()); }))
        return;
    refusalShown_ = false; // taken after all
    dirty_ = false;
}

} // namespace dataaware
