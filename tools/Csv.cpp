#include "Csv.h"

#include <QStringDecoder>
#include <algorithm>

namespace melvora::csv {

QByteArray formatRecord(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QString &f = fields[i];
        if (i > 0)
            line += u',';
        const bool quote = f.contains(u',') || f.contains(u'"') || f.contains(u'\r') || f.contains(u'\n')
                           || (fields.size() == 1 && f.isEmpty());
        if (quote)
            line += u'"' + QString(f).replace(u'"', QLatin1String("\"\"")) + u'"';
        else
            line += f;
    }
    return line.toUtf8() + "\r\n";
}

namespace {

// The lines (counted from 1) that are not valid UTF-8.
QVector<int> badUtf8Lines(const QByteArray &bytes)
{
    QVector<int> bad;
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder(QByteArrayView(bytes).sliced(start, end - start));
        if (decoder.hasError())
            bad.push_back(line);
        ++line;
        start = end + 1;
    }
    return bad;
}

class Reader {
public:
    explicit Reader(const QString &text) : t_(text) {}

    Parsed run()
    {
        Parsed out;
        while (pos_ < t_.size()) {
            if (atLineEnd()) { // a blank line
                skipLineEnd();
                continue;
            }
            Record r;
            r.line = line_;
            QString error;
            if (readRecord(r.fields, error)) {
                out.records.push_back(std::move(r));
            } else {
                out.errors.push_back({r.line, error});
                skipRestOfLine();
            }
        }
        return out;
    }

private:
    bool atLineEnd() const
    {
        return t_[pos_] == u'\n' || (t_[pos_] == u'\r' && pos_ + 1 < t_.size() && t_[pos_ + 1] == u'\n');
    }
    void skipLineEnd()
    {
        pos_ += t_[pos_] == u'\r' ? 2 : 1;
        ++line_;
    }
    void skipRestOfLine()
    {
        while (pos_ < t_.size() && t_[pos_] != u'\n')
            ++pos_;
        if (pos_ < t_.size()) {
            ++pos_;
            ++line_;
        }
    }

    // Reads fields up to the end of the record; the position is then past its line end.
    bool readRecord(QStringList &fields, QString &error)
    {
        for (;;) {
            QString field;
            if (pos_ < t_.size() && t_[pos_] == u'"') {
                const int opened = line_;
                ++pos_;
                for (;;) {
                    if (pos_ >= t_.size()) {
                        error = QStringLiteral("as aspas abertas na linha %1 não se fecham").arg(opened);
                        return false;
                    }
                    const QChar c = t_[pos_++];
                    if (c == u'"') {
                        if (pos_ < t_.size() && t_[pos_] == u'"') {
                            field += u'"';
                            ++pos_;
                            continue;
                        }
                        break;
                    }
                    if (c == u'\n')
                        ++line_;
                    field += c;
                }
                if (pos_ < t_.size() && t_[pos_] != u',' && !atLineEnd()) {
                    error = QStringLiteral("há texto depois das aspas que fecham um campo");
                    return false;
                }
            } else {
                while (pos_ < t_.size() && t_[pos_] != u',' && !atLineEnd()) {
                    if (t_[pos_] == u'"') {
                        error = QStringLiteral("há aspas no meio de um campo que não começa com aspas");
                        return false;
                    }
                    field += t_[pos_++];
                }
            }
            fields << field;
            if (pos_ >= t_.size())
                return true;
            if (t_[pos_] == u',') {
                ++pos_;
                continue;
            }
            skipLineEnd();
            return true;
        }
    }

    const QString &t_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

} // namespace

Parsed parse(const QByteArray &bytes)
{
    QByteArrayView body(bytes);
    if (body.startsWith("\xEF\xBB\xBF"))
        body = body.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(body);
    Parsed out = Reader(text).run();
    if (decoder.hasError()) {
        for (int line : badUtf8Lines(body.toByteArray()))
            out.errors.push_back({line, QStringLiteral("o texto não é UTF-8")});
        std::stable_sort(out.errors.begin(), out.errors.end(),
                         [](const Error &a, const Error &b) { return a.line < b.line; });
    }
    return out;
}

} // namespace melvora::csv
