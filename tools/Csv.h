// The CSV text of the tables' exports: RFC 4180 (comma-separated, CRLF between records, a field
// in double quotes when it holds a comma, a quote, a CR or an LF, its quotes doubled), UTF-8.
// Reading is strict, so that a file that was mangled is refused rather than half understood.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace melvora::csv {

// One record, CRLF-terminated. A record of one empty field is written as "" so that no record is
// a blank line.
QByteArray formatRecord(const QStringList &fields);

struct Record {
    int line = 0; // where the record begins, counted from 1
    QStringList fields;
};

struct Error {
    int line = 0;
    QString text; // what is wrong, a Portuguese phrase
};

struct Parsed {
    QVector<Record> records; // the records read, blank lines skipped
    QVector<Error> errors;   // records that could not be read, in file order
};

// Reads the whole text. A leading UTF-8 byte-order mark is skipped; a line that is not valid
// UTF-8 is an error; CRLF or LF end a record, and inside quotes every character is kept as it is.
Parsed parse(const QByteArray &bytes);

} // namespace melvora::csv
