// The drawing surface the report engine prints on, in page units (pixels at 96 per inch).
// It is the only way a report reaches a page: the page store hands out a canvas that records
// EMF (EmfCanvas), and a test or a preview may supply any other implementation.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

namespace metafile {

// A font as the engine describes it: a face name and a character height in page units
// (the stored height -11 is a pixel height of 11).
struct CanvasFont {
    QString name = QStringLiteral("MS Sans Serif");
    int pixelHeight = 11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QColor color = Qt::black;
    bool operator==(const CanvasFont &) const = default;
};

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };

struct CanvasPen {
    QColor color = Qt::black;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool operator==(const CanvasPen &) const = default;
};

struct CanvasBrush {
    QColor color = Qt::white;
    bool clear = false; // a clear brush fills nothing
    bool operator==(const CanvasBrush &) const = default;
};

// Where the reference point of a text lies: its left end, its right end or its middle;
// it is always on the top edge of the text.
enum class TextAlign { Left, Right, Center };

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setFont(const CanvasFont &font) = 0;
    virtual void setPen(const CanvasPen &pen) = 0;
    virtual void setBrush(const CanvasBrush &brush) = 0;

    // Draws text with its reference point at (x, y). When box is not null the text is clipped
    // to it if clip is set, and the box is filled with background first if background is valid.
    virtual void drawText(int x, int y, const QString &text, TextAlign align,
                          const QRect *box, bool clip, const QColor &background) = 0;
    // A line from (x0, y0) up to, not including, (x1, y1).
    virtual void drawLine(int x0, int y0, int x1, int y1) = 0;
    // Outlined with the pen and filled with the brush; right and bottom edges excluded.
    virtual void drawRectangle(const QRect &r) = 0;
    virtual void drawEllipse(const QRect &r) = 0;
    // Fills with a colour, no outline, whatever the pen and brush.
    virtual void fillRect(const QRect &r, const QColor &color) = 0;
    virtual void drawPicture(int x, int y, const QImage &picture) = 0;
    virtual void stretchPicture(const QRect &target, const QImage &picture) = 0;

    virtual void save() = 0;    // pen, brush, font and position
    virtual void restore() = 0;
};

} // namespace metafile
