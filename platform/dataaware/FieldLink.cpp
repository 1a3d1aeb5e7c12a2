#include "FieldLink.h"

namespace dataaware {

FieldLink::FieldLink(QObject *owner, std::function<void()> onChange)
    : QObject(owner), onChange_(std::move(onChange))
{
}

void FieldLink::setDataSource(DataSource *source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source) {
        connect(source, &DataSource::recordChanged, this, &FieldLink::changed);
        connect(source, &DataSource::stateChanged, this, &FieldLink::changed);
    }
    changed();
}

void FieldLink::setFieldName(const QString &name)
{
    fieldName_ = name;
    changed();
}

tables::Table *FieldLink::table() const
{
    tables::Table *t = source_ ? source_->dataSet() : nullptr;
    if (!t || !t->isOpen() || t->fieldIndex(fieldName_) < 0)
        return nullptr;
    return t;
}

const tables::FieldDef *FieldLink::field() const
{
    const tables::Table *t = table();
    return t ? &t->fields().at(t->fieldIndex(fieldName_)) : nullptr;
}

bool FieldLink::editing() const
{
    const tables::Table *t = table();
    return t && (t->state() == tables::TableState::Edit || t->state() == tables::TableState::Insert);
}

bool FieldLink::prepareEdit()
{
    return table() && source_->prepareEdit();
}

QString FieldLink::text() const
{
    const tables::Table *t = table();
    return t ? t->displayText(fieldName_) : QString();
}

void FieldLink::write(const QString &text)
{
    tables::Table *t = table();
    if (!t)
        return;
    writing_ = true;
    try {
        t->setFieldText(fieldName_, text);
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
}

void FieldLink::changed()
{
    if (!writing_ && onChange_)
        onChange_();
}

} // namespace dataaware
