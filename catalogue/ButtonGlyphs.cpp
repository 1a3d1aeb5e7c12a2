#include "ButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace catalogue {

namespace {

// Each glyph is drawn in a 16-unit square.
void draw(QPainter &p, Glyph glyph, bool enabled)
{
    auto colour = [enabled](QColor c) { return enabled ? c : QColor(150, 150, 150); };
    QPen pen;
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    switch (glyph) {
    case Glyph::Gravar: {
        pen.setColor(colour(QColor(20, 130, 40)));
        pen.setWidthF(2.6);
        p.setPen(pen);
        QPainterPath tick;
        tick.moveTo(2.5, 8.5);
        tick.lineTo(6.5, 12.5);
        tick.lineTo(13.5, 3.5);
        p.drawPath(tick);
        break;
    }
    case Glyph::Inserir:
        pen.setColor(colour(QColor(30, 90, 170)));
        pen.setWidthF(2.6);
        p.setPen(pen);
        p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
        p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
        break;
    case Glyph::Apagar: {
        const QColor red = colour(QColor(180, 40, 30));
        pen.setColor(red);
        pen.setWidthF(1.4);
        p.setPen(pen);
        p.drawLine(QPointF(2.5, 4), QPointF(13.5, 4));
        p.drawLine(QPointF(6, 2.2), QPointF(10, 2.2));
        QPainterPath bin;
        bin.moveTo(4, 5.5);
        bin.lineTo(5, 14);
        bin.lineTo(11, 14);
        bin.lineTo(12, 5.5);
        p.drawPath(bin);
        p.drawLine(QPointF(6.8, 7), QPointF(7, 12.5));
        p.drawLine(QPointF(9.2, 7), QPointF(9, 12.5));
        break;
    }
    case Glyph::Cancela:
        pen.setColor(colour(QColor(190, 30, 30)));
        pen.setWidthF(2.6);
        p.setPen(pen);
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case Glyph::Editar: {
        pen.setColor(colour(QColor(60, 60, 60)));
        pen.setWidthF(1.2);
        p.setPen(pen);
        p.setBrush(colour(QColor(230, 180, 40)));
        QPainterPath pencil;
        pencil.moveTo(11, 2.5);
        pencil.lineTo(13.5, 5);
        pencil.lineTo(5.5, 13);
        pencil.lineTo(2.5, 13.5);
        pencil.lineTo(3, 10.5);
        pencil.closeSubpath();
        p.drawPath(pencil);
        p.drawLine(QPointF(9.5, 4), QPointF(12, 6.5));
        break;
    }
    }
}

} // namespace

QIcon buttonGlyph(Glyph glyph)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        for (bool enabled : {true, false}) {
            QPixmap pm(size, size);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / 16.0, size / 16.0);
            draw(p, glyph, enabled);
            p.end();
            icon.addPixmap(pm, enabled ? QIcon::Normal : QIcon::Disabled);
        }
    }
    return icon;
}

} // namespace catalogue
