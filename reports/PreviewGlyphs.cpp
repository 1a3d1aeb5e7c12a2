#include "PreviewGlyphs.h"

#include <QPainter>

namespace {

// The colours of one state: the greyed picture is drawn in two greys on white, as the
// platform greys a disabled button's picture.
struct Ink {
    QColor line, paper, text, accent, dark;
};

const Ink Normal{Qt::black, Qt::white, QColor(0, 0, 128), QColor(128, 64, 0), QColor(128, 128, 128)};
const Ink Greyed{QColor(128, 128, 128), QColor(224, 224, 224), QColor(160, 160, 160), QColor(160, 160, 160),
                 QColor(176, 176, 176)};

void page(QPainter &p, const Ink &ink, const QRectF &r)
{
    // A sheet with a folded top right corner and three lines of text.
    const qreal fold = 3;
    p.setPen(QPen(ink.line, 1));
    p.setBrush(ink.paper);
    p.drawPolygon(QPolygonF({r.topLeft(), QPointF(r.right() - fold, r.top()),
                             QPointF(r.right(), r.top() + fold), r.bottomRight(), r.bottomLeft()}));
    p.drawPolyline(QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                              QPointF(r.right(), r.top() + fold)}));
    p.setPen(QPen(ink.text, 1));
    for (qreal y = r.top() + 4; y < r.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void draw(QPainter &p, PreviewGlyph glyph, const Ink &ink)
{
    switch (glyph) {
    case PreviewGlyph::Page:
        page(p, ink, QRectF(3.5, 1.5, 9, 13));
        break;
    case PreviewGlyph::FramedPage:
        p.setPen(QPen(ink.dark, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        page(p, ink, QRectF(4.5, 3.5, 7, 9));
        break;
    case PreviewGlyph::Printer:
        p.setPen(QPen(ink.line, 1));
        p.setBrush(ink.paper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));  // the sheet going in
        p.setBrush(ink.dark);
        p.drawRect(QRectF(1.5, 6.5, 13, 6)); // the body
        p.setBrush(ink.paper);
        p.drawRect(QRectF(3.5, 10.5, 9, 4)); // the sheet coming out
        p.setPen(QPen(ink.accent, 1));
        p.drawPoint(QPointF(12.5, 8.5));
        break;
    case PreviewGlyph::Door:
        p.setPen(QPen(ink.line, 1));
        p.setBrush(ink.paper);
        p.drawRect(QRectF(3.5, 0.5, 10, 15));  // the frame and the dark way out
        p.setBrush(ink.accent);
        p.drawPolygon(
            QPolygonF({QPointF(3.5, 0.5), QPointF(9.5, 2.5), QPointF(9.5, 15.5), QPointF(3.5, 15.5)}));
        p.setPen(QPen(ink.paper, 1));
        p.drawPoint(QPointF(8, 9));             // the handle
        break;
    }
}

} // namespace

QPixmap previewGlyphPixmap(PreviewGlyph glyph, bool greyed, int scale)
{
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, scale > 1);
    p.scale(scale, scale);
    draw(p, glyph, greyed ? Greyed : Normal);
    return pixmap;
}

QIcon previewGlyph(PreviewGlyph glyph)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        icon.addPixmap(previewGlyphPixmap(glyph, false, scale), QIcon::Normal);
        icon.addPixmap(previewGlyphPixmap(glyph, true, scale), QIcon::Disabled);
    }
    return icon;
}
