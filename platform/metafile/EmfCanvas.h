// A canvas that records one page as an enhanced metafile in memory. Logical units are page
// units and the reference device is a 96-per-inch screen of the page's size, so one unit is one
// device pixel. The page starts with the pen at (0, 0); finish() closes it and hands back the
// complete EMF byte stream (header counts patched, EOF record appended).
//
// Object slots: 1 pen, 2 brush, 3 font, 4 the fill brush of fillRect and opaque text. A slot is
// re-created only when its object changes, and selected lazily before the record that needs it;
// save and restore therefore act on the wanted objects and record nothing themselves.
#pragma once

#include "Canvas.h"

#include <QByteArray>
#include <QVector>

namespace metafile {

class EmfCanvas : public Canvas {
public:
    EmfCanvas(int width, int height);

    void setFont(const CanvasFont &font) override;
    void setPen(const CanvasPen &pen) override;
    void setBrush(const CanvasBrush &brush) override;
    void drawText(int x, int y, const QString &text, TextAlign align, const QRect *box, bool clip,
                  const QColor &background) override;
    void drawLine(int x0, int y0, int x1, int y1) override;
    void drawRectangle(const QRect &r) override;
    void drawEllipse(const QRect &r) override;
    void fillRect(const QRect &r, const QColor &color) override;
    void drawPicture(int x, int y, const QImage &picture) override;
    void stretchPicture(const QRect &target, const QImage &picture) override;
    void save() override;
    void restore() override;

    // Ends the page and returns its EMF; the canvas records nothing afterwards.
    QByteArray finish();

    // Bytes recorded so far.
    qsizetype size() const { return buf_.size(); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    struct State {
        CanvasFont font;
        CanvasPen pen;
        CanvasBrush brush;
    };
    // What the recorded device context holds at this point of the stream.
    struct Selected {
        int pen = 0, brush = 0, font = 0; // slot selected, 0 when a stock object or none
        CanvasPen penObject;
        CanvasBrush brushObject;
        CanvasFont fontObject;
        bool penMade = false, brushMade = false, fontMade = false;
        QColor fillColor;
        bool fillMade = false;
        QColor textColor;
        int textAlign = -1;
    };

    void record(quint32 type, std::initializer_list<qint32> values);
    void selectPen();
    void selectBrush();
    void selectFont();
    void selectFill(const QColor &color);
    void makeFill(const QColor &color);
    void selectStock(quint32 object, int &slotSelected);
    void appendBitmap(const QRect &target, const QImage &picture);

    int width_, height_;
    QByteArray buf_;
    quint32 records_ = 0;
    bool finished_ = false;
    State state_;
    QVector<State> saved_;
    Selected dc_;
};

} // namespace metafile
