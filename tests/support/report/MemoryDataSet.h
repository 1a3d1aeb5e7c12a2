// Test helper: a data set held in memory with typed fields (integer, floating and memo fields,
// which the program's tables do not have), moving exactly as a table cursor does.
#pragma once

#include "RpDataSet.h"

#include <QStringList>
#include <QVector>

class MemoryDataSet : public TRpDataSet {
    Q_OBJECT
public:
    struct Field {
        QString name;
        TRpFieldKind kind;
    };
    MemoryDataSet(QVector<Field> fields, QVector<QStringList> rows)
        : fields_(std::move(fields)), rows_(std::move(rows)) {}

    bool open = true;
    int moves = 0;

    bool isOpen() const override { return open; }
    void first() override
    {
        pos_ = 0;
        bof_ = true;
        eof_ = rows_.isEmpty();
        ++moves;
        emit recordChanged();
    }
    void next() override
    {
        if (eof_)
            return;
        bof_ = false;
        if (pos_ + 1 < rows_.size()) {
            ++pos_;
            ++moves;
            emit recordChanged();
        } else {
            eof_ = true;
        }
    }
    void prior() override
    {
        if (bof_)
            return;
        eof_ = false;
        if (pos_ > 0) {
            --pos_;
            ++moves;
            emit recordChanged();
        } else {
            bof_ = true;
        }
    }
    bool eof() const override { return eof_; }
    bool bof() const override { return bof_; }
    int recordCount() const override { return int(rows_.size()); }
    int fieldIndex(const QString &name) const override
    {
        for (int i = 0; i < fields_.size(); ++i)
            if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    TRpFieldKind fieldKind(int field) const override { return fields_[field].kind; }
    QString displayText(int field) const override
    {
        return pos_ < rows_.size() ? rows_[pos_][field] : QString();
    }
    double value(int field) const override { return displayText(field).toDouble(); }
    int position() const { return pos_; }

private:
    QVector<Field> fields_;
    QVector<QStringList> rows_;
    int pos_ = 0;
    bool bof_ = true, eof_ = true;
};

// One text field "Nome" with the given values.
inline MemoryDataSet *namesDataSet(const QStringList &names, QObject *parent = nullptr)
{
    QVector<QStringList> rows;
    for (const QString &n : names)
        rows.append({n});
    auto *ds = new MemoryDataSet({{"Nome", TRpFieldKind::Text}}, rows);
    ds->setParent(parent);
    return ds;
}
