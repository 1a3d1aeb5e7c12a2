// Test helper: a placeable WMF written record by record, as an older writer stores a page.
#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

class WmfBuilder {
public:
    // The bounding box in logical units and the logical units per inch.
    WmfBuilder(qint16 left, qint16 top, qint16 right, qint16 bottom, quint16 inch)
        : box_{left, top, right, bottom}, inch_(inch) {}

    WmfBuilder &record(quint16 function, const QList<qint16> &params, const QByteArray &bytes = {})
    {
        QByteArray r;
        QByteArray padded = bytes;
        if (padded.size() % 2)
            padded.append('\0');
        const quint32 words = 3 + quint32(params.size()) + quint32(padded.size() / 2);
        put32(r, words);
        put16(r, function);
        // TEXTOUT and CREATEFONTINDIRECT put their bytes after the first parameter or after all.
        if (function == 0x0521) {
            put16(r, params.value(0));
            r.append(padded);
            for (int i = 1; i < params.size(); ++i)
                put16(r, params[i]);
        } else {
            for (qint16 p : params)
                put16(r, p);
            r.append(padded);
        }
        records_.append(r);
        maxRecord_ = std::max(maxRecord_, words);
        return *this;
    }
    WmfBuilder &textOut(qint16 x, qint16 y, const QByteArray &text)
    {
        return record(0x0521, {qint16(text.size()), y, x}, text);
    }
    WmfBuilder &font(qint16 height, qint16 weight, const QByteArray &face)
    {
        QByteArray f = face;
        f.append('\0');
        // height, width, escapement, orientation, weight, then italic/underline/strike/charset and
        // four more bytes as two words, then the face name.
        return record(0x02FB, {height, 0, 0, 0, weight, 0, 0, 0, 0}, f);
    }
    WmfBuilder &rectangle(qint16 l, qint16 t, qint16 r, qint16 b) { return record(0x041B, {b, r, t, l}); }

    QByteArray bytes() const
    {
        QByteArray body;
        for (const QByteArray &r : records_)
            body.append(r);
        body.append(QByteArray::fromHex("030000000000")); // EOF
        QByteArray out;
        put32(out, 0x9AC6CDD7);
        put16(out, 0);
        for (qint16 v : box_)
            put16(out, v);
        put16(out, inch_);
        put32(out, 0);
        quint16 sum = 0;
        for (int i = 0; i < 20; i += 2)
            sum ^= qFromLittleEndian<quint16>(out.constData() + i);
        put16(out, sum);
        put16(out, 1); // memory metafile
        put16(out, 9);
        put16(out, 0x0300);
        put32(out, quint32(9 + body.size() / 2));
        put16(out, 8);
        put32(out, std::max<quint32>(maxRecord_, 3));
        put16(out, 0);
        return out + body;
    }

private:
    static void put16(QByteArray &b, quint16 v) { b.append(char(v & 0xff)).append(char(v >> 8)); }
    static void put32(QByteArray &b, quint32 v) { put16(b, quint16(v & 0xffff)); put16(b, quint16(v >> 16)); }
    qint16 box_[4];
    quint16 inch_;
    QList<QByteArray> records_;
    quint32 maxRecord_ = 0;
};
