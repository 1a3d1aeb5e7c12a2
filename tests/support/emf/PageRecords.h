// Test helper: the drawing operations of a recorded page, decoded from its EMF records, so that
// tests can assert exact positions and texts.
#pragma once

#include "EmfReader.h"

#include <uemf.h>

#include <QColor>
#include <QRect>
#include <QString>
#include <QVector>
#include <cstring>

namespace pagerecords {

struct Text {
    int x, y;          // reference point
    QString text;
    quint32 align;     // U_TA_LEFT, U_TA_RIGHT or U_TA_CENTER
    QRect box;         // as recorded (right and bottom exclusive)
    quint32 options;   // U_ETO_* flags
    int fontHeight;    // pixel height of the selected font
    QString fontName;
    int width;         // sum of the spacing array
};

struct Shape {
    quint32 type;      // U_EMR_RECTANGLE, U_EMR_ELLIPSE or U_EMR_LINETO
    QRect rect;        // rectangle or ellipse box; for a line, from (left, top) to (right, bottom)
    QColor fill;       // brush colour (invalid for a line or a clear brush)
    bool nullPen;
};

struct Page {
    QVector<Text> texts;
    QVector<Shape> shapes;
    int records = 0;
    QStringList strings() const
    {
        QStringList s;
        for (const Text &t : texts)
            s << t.text;
        return s;
    }
    const Text *find(const QString &text) const
    {
        for (const Text &t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
};

inline Page decode(const QByteArray &emf)
{
    Page page;
    quint32 align = 0;
    int fontHeight = 0;
    QString fontName;
    QVector<int> heights(8, 0);
    QVector<QString> names(8);
    QVector<QColor> brushes(8);
    QColor brush = Qt::white;
    bool nullPen = false;
    QPoint pos;
    metafile::forEachRecord(emf, [&](const metafile::EmfRecord &r) {
        ++page.records;
        auto arg = [&](int i) { qint32 v; std::memcpy(&v, r.data + 8 + 4 * i, 4); return v; };
        switch (r.type) {
        case U_EMR_EXTCREATEFONTINDIRECTW: {
            U_LOGFONT lf;
            std::memcpy(&lf, r.data + 12, sizeof lf);
            const int slot = arg(0);
            heights[slot] = -lf.lfHeight;
            int n = 0;
            while (n < U_LF_FACESIZE && lf.lfFaceName[n])
                ++n;
            names[slot] = QString::fromUtf16(reinterpret_cast<const char16_t *>(lf.lfFaceName), n);
            break;
        }
        case U_EMR_CREATEBRUSHINDIRECT: {
            const quint32 c = quint32(arg(2));
            brushes[arg(0)] = arg(1) == U_BS_NULL ? QColor() : QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
            break;
        }
        case U_EMR_SELECTOBJECT: {
            const quint32 o = quint32(arg(0));
            if (o == U_NULL_PEN)
                nullPen = true;
            else if (o < 8 && !names[o].isNull()) {
                fontHeight = heights[o];
                fontName = names[o];
            } else if (o == 1)
                nullPen = false;
            else if (o == 2 || o == 4)
                brush = brushes[o];
            break;
        }
        case U_EMR_SETTEXTALIGN: align = quint32(arg(0)) & U_TA_CENTER; break;
        case U_EMR_MOVETOEX: pos = QPoint(arg(0), arg(1)); break;
        case U_EMR_LINETO:
            page.shapes.append({U_EMR_LINETO, QRect(pos, QPoint(arg(0), arg(1))), QColor(), nullPen});
            pos = QPoint(arg(0), arg(1));
            break;
        case U_EMR_RECTANGLE:
        case U_EMR_ELLIPSE:
            page.shapes.append({r.type, QRect(QPoint(arg(0), arg(1)), QPoint(arg(2) - 1, arg(3) - 1)), brush, nullPen});
            break;
        case U_EMR_EXTTEXTOUTW: {
            U_EMREXTTEXTOUTW rec;
            std::memcpy(&rec, r.data, sizeof rec);
            U_RECTL rcl;
            std::memcpy(&rcl, r.data + sizeof rec, sizeof rcl);
            quint32 offDx;
            std::memcpy(&offDx, r.data + sizeof rec + sizeof rcl, 4);
            int width = 0;
            for (quint32 i = 0; i < rec.emrtext.nChars; ++i) {
                qint32 d;
                std::memcpy(&d, r.data + offDx + 4 * i, 4);
                width += d;
            }
            page.texts.append({rec.emrtext.ptlReference.x, rec.emrtext.ptlReference.y, metafile::textOf(r), align,
                               QRect(QPoint(rcl.left, rcl.top), QPoint(rcl.right - 1, rcl.bottom - 1)),
                               rec.emrtext.fOptions, fontHeight, fontName, width});
            break;
        }
        default: break;
        }
    });
    return page;
}

} // namespace pagerecords
