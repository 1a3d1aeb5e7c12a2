// Test helper: a PDF file read back with the poppler tools (pdfinfo, pdftotext), and the same
// view of recorded pages, so that a test can compare a PDF with the pages it came from line by
// line: each line is its texts, left to right, separated by single blanks.
#pragma once

#include "PageRecords.h"
#include "ProgramRun.h"

#include <QRegularExpression>
#include <QSizeF>
#include <QStringList>
#include <QVector>
#include <algorithm>

namespace pdfread {

inline QString words(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).join(QLatin1Char(' '));
}

struct Document {
    QString error;             // why the file could not be read (empty when it was)
    int pages = 0;
    QSizeF pageSize;           // of the first page, in points
    QVector<QStringList> lines; // per page, its non-empty lines top to bottom
};

inline QString run(const QString &program, const QStringList &arguments, QString *error)
{
    ProgramOptions options;
    options.timeoutMs = 60000;
    const ProgramRun run = runProgram(program, arguments, options);
    if (run.status != 0) {
        *error = program + QStringLiteral(" failed: ") + run.err;
        return {};
    }
    return run.out;
}

inline Document read(const QString &file)
{
    Document d;
    const QString info = run(QStringLiteral(PDFINFO), {file}, &d.error);
    if (!d.error.isEmpty())
        return d;
    const auto pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(info);
    const auto size = QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::MultilineOption).match(info);
    d.pages = pages.captured(1).toInt();
    d.pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    const QString text = run(QStringLiteral(PDFTOTEXT), {QStringLiteral("-layout"), file, QStringLiteral("-")}, &d.error);
    // Pages end with a form feed.
    QStringList sheets = text.split(QLatin1Char('\f'));
    if (!sheets.isEmpty() && sheets.last().trimmed().isEmpty())
        sheets.removeLast();
    for (const QString &sheet : sheets) {
        QStringList lines;
        for (const QString &line : sheet.split(QLatin1Char('\n')))
            if (const QString w = words(line); !w.isEmpty())
                lines << w;
        d.lines << lines;
    }
    return d;
}

// The lines of a recorded page as a reader sees them: texts whose boxes share the height of a
// line (the middle of one within the box of the line's first), top to bottom, each line's
// texts left to right. A text wider than its box shows only as far as the box reaches, which
// a text extractor does not see; fittingOnly leaves out the lines that hold such a text.
inline QStringList lines(const pagerecords::Page &page, bool fittingOnly = false)
{
    QVector<const pagerecords::Text *> texts;
    for (const pagerecords::Text &t : page.texts)
        texts.append(&t);
    std::stable_sort(texts.begin(), texts.end(), [](auto *a, auto *b) { return a->box.top() < b->box.top(); });
    QVector<QVector<const pagerecords::Text *>> rows;
    for (const pagerecords::Text *t : texts) {
        const int middle = t->box.center().y();
        if (rows.isEmpty() || middle < rows.last().first()->box.top() || middle > rows.last().first()->box.bottom())
            rows.append(QVector<const pagerecords::Text *>());
        rows.last().append(t);
    }
    QStringList out;
    for (auto &row : rows) {
        std::stable_sort(row.begin(), row.end(), [](auto *a, auto *b) { return a->box.left() < b->box.left(); });
        QStringList parts;
        bool fits = true;
        for (const pagerecords::Text *t : row) {
            parts << t->text;
            fits = fits && t->width <= t->box.width();
        }
        if (fittingOnly && !fits)
            continue;
        if (const QString w = words(parts.join(QLatin1Char(' '))); !w.isEmpty())
            out << w;
    }
    return out;
}

} // namespace pdfread
