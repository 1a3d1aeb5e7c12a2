// The definition of a table as its file stores it: fields in order, each text (with a size in
// characters) or date. Creating a table file is the only way a definition is written.
#pragma once

#include <QString>
#include <QVector>

namespace tables {

enum class FieldType { Text, Date };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // characters, for text fields
};

using Schema = QVector<FieldDef>;

// Creates an empty table file at path with these fields; refuses (EngineError) when a file of
// that name exists already, so an existing collection is never overwritten.
void createTableFile(const QString &path, const Schema &fields);

} // namespace tables
