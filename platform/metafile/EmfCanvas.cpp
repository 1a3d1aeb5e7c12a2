#include "EmfCanvas.h"
#include "PageUnits.h"
#include "TextMeasure.h"

#include <uemf.h>

#include <cmath>
#include <cstring>

namespace metafile {

namespace {

enum Slot : int { PenSlot = 1, BrushSlot = 2, FontSlot = 3, FillSlot = 4, SlotCount = 5 };
constexpr int NullPenSelected = -1;

qint32 colorRef(const QColor &c)
{
    return qint32(quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16);
}

quint32 penStyle(PenStyle s)
{
    switch (s) {
    case PenStyle::Solid: return U_PS_SOLID;
    case PenStyle::Dash: return U_PS_DASH;
    case PenStyle::Dot: return U_PS_DOT;
    case PenStyle::DashDot: return U_PS_DASHDOT;
    case PenStyle::DashDotDot: return U_PS_DASHDOTDOT;
    case PenStyle::Clear: return U_PS_NULL;
    }
    return U_PS_SOLID;
}

template <typename T> void put(QByteArray &buf, const T &value)
{
    buf.append(reinterpret_cast<const char *>(&value), sizeof(T));
}

} // namespace

EmfCanvas::EmfCanvas(int width, int height) : width_(width), height_(height)
{
    buf_.reserve(32 * 1024);
    U_EMRHEADER h;
    std::memset(&h, 0, sizeof h);
    h.emr.iType = U_EMR_HEADER;
    h.emr.nSize = sizeof h;
    h.rclBounds = U_RECTL{0, 0, width - 1, height - 1};
    // The frame is in hundredths of a millimetre.
    h.rclFrame = U_RECTL{0, 0, roundHalfEven((width - 1) * 2540.0 / PageUnitsPerInch),
                         roundHalfEven((height - 1) * 2540.0 / PageUnitsPerInch)};
    h.dSignature = U_ENHMETA_SIGNATURE;
    h.nVersion = U_ENHMETA_VERSION;
    h.nHandles = SlotCount;
    h.szlDevice = U_SIZEL{width, height};
    h.szlMillimeters = U_SIZEL{roundHalfEven(width * 25.4 / PageUnitsPerInch),
                               roundHalfEven(height * 25.4 / PageUnitsPerInch)};
    h.szlMicrometers = U_SIZEL{roundHalfEven(width * 25400.0 / PageUnitsPerInch),
                               roundHalfEven(height * 25400.0 / PageUnitsPerInch)};
    put(buf_, h);
    records_ = 1;
    record(U_EMR_SETBKMODE, {U_TRANSPARENT});
    record(U_EMR_MOVETOEX, {0, 0});
}

void EmfCanvas::record(quint32 type, std::initializer_list<qint32> values)
{
    put(buf_, quint32(type));
    put(buf_, quint32(8 + 4 * values.size()));
    for (qint32 v : values)
        put(buf_, v);
    ++records_;
}

void EmfCanvas::setFont(const CanvasFont &font) { state_.font = font; }
void EmfCanvas::setPen(const CanvasPen &pen) { state_.pen = pen; }
void EmfCanvas::setBrush(const CanvasBrush &brush) { state_.brush = brush; }

void EmfCanvas::selectStock(quint32 object, int &slotSelected)
{
    record(U_EMR_SELECTOBJECT, {qint32(object)});
    slotSelected = 0;
}

void EmfCanvas::selectPen()
{
    if (!dc_.penMade || !(dc_.penObject == state_.pen)) {
        if (dc_.penMade) {
            if (dc_.pen == PenSlot)
                selectStock(U_BLACK_PEN, dc_.pen);
            record(U_EMR_DELETEOBJECT, {PenSlot});
        }
        const CanvasPen &p = state_.pen;
        record(U_EMR_CREATEPEN, {PenSlot, qint32(penStyle(p.style)), p.width, 0, colorRef(p.color)});
        dc_.penObject = p;
        dc_.penMade = true;
    }
    if (dc_.pen != PenSlot) {
        record(U_EMR_SELECTOBJECT, {PenSlot});
        dc_.pen = PenSlot;
    }
}

void EmfCanvas::selectBrush()
{
    if (!dc_.brushMade || !(dc_.brushObject == state_.brush)) {
        if (dc_.brushMade) {
            if (dc_.brush == BrushSlot)
                selectStock(U_WHITE_BRUSH, dc_.brush);
            record(U_EMR_DELETEOBJECT, {BrushSlot});
        }
        const CanvasBrush &b = state_.brush;
        record(U_EMR_CREATEBRUSHINDIRECT,
               {BrushSlot, qint32(b.clear ? U_BS_NULL : U_BS_SOLID), colorRef(b.color), 0});
        dc_.brushObject = b;
        dc_.brushMade = true;
    }
    if (dc_.brush != BrushSlot) {
        record(U_EMR_SELECTOBJECT, {BrushSlot});
        dc_.brush = BrushSlot;
    }
}

void EmfCanvas::makeFill(const QColor &color)
{
    if (dc_.fillMade && dc_.fillColor == color)
        return;
    if (dc_.fillMade) {
        if (dc_.brush == FillSlot)
            selectStock(U_WHITE_BRUSH, dc_.brush);
        record(U_EMR_DELETEOBJECT, {FillSlot});
    }
    record(U_EMR_CREATEBRUSHINDIRECT, {FillSlot, U_BS_SOLID, colorRef(color), 0});
    dc_.fillColor = color;
    dc_.fillMade = true;
}

void EmfCanvas::selectFill(const QColor &color)
{
    makeFill(color);
    if (dc_.brush != FillSlot) {
        record(U_EMR_SELECTOBJECT, {FillSlot});
        dc_.brush = FillSlot;
    }
}

void EmfCanvas::selectFont()
{
    const CanvasFont &f = state_.font;
    if (!dc_.fontMade || !(dc_.fontObject == f)) {
        if (dc_.fontMade) {
            if (dc_.font == FontSlot)
                selectStock(U_DEVICE_DEFAULT_FONT, dc_.font);
            record(U_EMR_DELETEOBJECT, {FontSlot});
        }
        struct {
            U_EMR emr;
            uint32_t ihFont;
            U_LOGFONT lf;
        } rec;
        std::memset(&rec, 0, sizeof rec);
        rec.emr.iType = U_EMR_EXTCREATEFONTINDIRECTW;
        rec.emr.nSize = sizeof rec;
        rec.ihFont = FontSlot;
        rec.lf.lfHeight = -f.pixelHeight;
        rec.lf.lfWeight = f.bold ? U_FW_BOLD : U_FW_NORMAL;
        rec.lf.lfItalic = f.italic;
        rec.lf.lfUnderline = f.underline;
        rec.lf.lfStrikeOut = f.strikeOut;
        rec.lf.lfCharSet = U_DEFAULT_CHARSET;
        const int n = std::min<int>(f.name.size(), U_LF_FACESIZE - 1);
        std::memcpy(rec.lf.lfFaceName, f.name.utf16(), size_t(n) * 2);
        put(buf_, rec);
        ++records_;
        dc_.fontObject = f;
        dc_.fontMade = true;
    }
    if (dc_.font != FontSlot) {
        record(U_EMR_SELECTOBJECT, {FontSlot});
        dc_.font = FontSlot;
    }
    if (dc_.textColor != f.color) {
        record(U_EMR_SETTEXTCOLOR, {colorRef(f.color)});
        dc_.textColor = f.color;
    }
}

void EmfCanvas::drawText(int x, int y, const QString &text, TextAlign align, const QRect *box,
                         bool clip, const QColor &background)
{
    if (finished_)
        return;
    selectFont();
    const int ta = align == TextAlign::Left ? U_TA_LEFT
                 : align == TextAlign::Right ? U_TA_RIGHT : U_TA_CENTER;
    if (dc_.textAlign != ta) {
        record(U_EMR_SETTEXTALIGN, {ta | U_TA_TOP});
        dc_.textAlign = ta;
    }
    quint32 options = 0;
    U_RECTL rcl{0, 0, 0, 0};
    if (box) {
        rcl = U_RECTL{box->left(), box->top(), box->left() + box->width(), box->top() + box->height()};
        if (clip)
            options |= U_ETO_CLIPPED;
        if (background.isValid()) {
            options |= U_ETO_OPAQUE;
            record(U_EMR_SETBKCOLOR, {colorRef(background)});
        }
    }
    const QVector<qint32> dx = characterSpacing(state_.font, text);
    qint32 total = 0;
    for (qint32 d : dx)
        total += d;
    const int left = align == TextAlign::Left ? x : align == TextAlign::Right ? x - total : x - total / 2;

    const quint32 n = quint32(text.size());
    const quint32 stringBytes = (n * 2 + 3) & ~3u;
    const quint32 offString = sizeof(U_EMREXTTEXTOUTW) + sizeof(U_RECTL) + 4;
    const quint32 offDx = offString + stringBytes;
    const quint32 size = offDx + n * 4;

    U_EMREXTTEXTOUTW rec;
    std::memset(&rec, 0, sizeof rec);
    rec.emr.iType = U_EMR_EXTTEXTOUTW;
    rec.emr.nSize = size;
    rec.rclBounds = U_RECTL{left, y, left + total, y + textHeight(state_.font)};
    rec.iGraphicsMode = U_GM_COMPATIBLE;
    rec.emrtext.ptlReference = U_POINTL{x, y};
    rec.emrtext.nChars = n;
    rec.emrtext.offString = offString;
    rec.emrtext.fOptions = options;
    const int start = buf_.size();
    buf_.resize(start + int(size));
    char *p = buf_.data() + start;
    std::memcpy(p, &rec, sizeof rec);
    std::memcpy(p + sizeof rec, &rcl, sizeof rcl);
    std::memcpy(p + sizeof rec + sizeof rcl, &offDx, 4);
    if (n > 0) { // an empty text has no characters to copy
        std::memcpy(p + offString, text.utf16(), n * 2);
        std::memcpy(p + offDx, dx.constData(), n * 4);
    }
    std::memset(p + offString + n * 2, 0, stringBytes - n * 2);
    ++records_;
}

void EmfCanvas::drawLine(int x0, int y0, int x1, int y1)
{
    if (finished_)
        return;
    selectPen();
    record(U_EMR_MOVETOEX, {x0, y0});
    record(U_EMR_LINETO, {x1, y1});
}

void EmfCanvas::drawRectangle(const QRect &r)
{
    if (finished_)
        return;
    selectPen();
    selectBrush();
    record(U_EMR_RECTANGLE, {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}

void EmfCanvas::drawEllipse(const QRect &r)
{
    if (finished_)
        return;
    selectPen();
    selectBrush();
    record(U_EMR_ELLIPSE, {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}

void EmfCanvas::fillRect(const QRect &r, const QColor &color)
{
    if (finished_ || r.isEmpty())
        return;
    // With the null pen a rectangle covers its right and bottom edges too: shrink by one.
    if (dc_.pen != NullPenSelected) {
        record(U_EMR_SELECTOBJECT, {qint32(U_NULL_PEN)});
        dc_.pen = NullPenSelected;
    }
    selectFill(color);
    record(U_EMR_RECTANGLE, {r.left(), r.top(), r.left() + r.width() + 1, r.top() + r.height() + 1});
}

void EmfCanvas::appendBitmap(const QRect &target, const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const quint32 bitsSize = quint32(w) * quint32(h) * 4;
    U_EMRSTRETCHDIBITS rec;
    std::memset(&rec, 0, sizeof rec);
    U_BITMAPINFOHEADER bmi;
    std::memset(&bmi, 0, sizeof bmi);
    bmi.biSize = sizeof bmi;
    bmi.biWidth = w;
    bmi.biHeight = h; // bottom-up rows
    bmi.biPlanes = 1;
    bmi.biBitCount = 32;
    bmi.biCompression = U_BI_RGB;
    bmi.biSizeImage = bitsSize;
    rec.emr.iType = U_EMR_STRETCHDIBITS;
    rec.emr.nSize = sizeof rec + sizeof bmi + bitsSize;
    rec.rclBounds = U_RECTL{target.left(), target.top(), target.right(), target.bottom()};
    rec.Dest = U_POINTL{target.left(), target.top()};
    rec.Src = U_POINTL{0, 0};
    rec.cSrc = U_POINTL{w, h};
    rec.offBmiSrc = sizeof rec;
    rec.cbBmiSrc = sizeof bmi;
    rec.offBitsSrc = sizeof rec + sizeof bmi;
    rec.cbBitsSrc = bitsSize;
    rec.iUsageSrc = U_DIB_RGB_COLORS;
    rec.dwRop = U_SRCCOPY;
    rec.cDest = U_POINTL{target.width(), target.height()};
    put(buf_, rec);
    put(buf_, bmi);
    for (int row = h - 1; row >= 0; --row)
        buf_.append(reinterpret_cast<const char *>(image.constScanLine(row)), w * 4);
    ++records_;
}

void EmfCanvas::drawPicture(int x, int y, const QImage &picture)
{
    if (finished_ || picture.isNull())
        return;
    appendBitmap(QRect(x, y, picture.width(), picture.height()), picture);
}

void EmfCanvas::stretchPicture(const QRect &target, const QImage &picture)
{
    if (finished_ || picture.isNull() || target.isEmpty())
        return;
    appendBitmap(target, picture);
}

void EmfCanvas::save() { saved_.append(state_); }

void EmfCanvas::restore()
{
    if (!saved_.isEmpty())
        state_ = saved_.takeLast();
}

QByteArray EmfCanvas::finish()
{
    if (finished_)
        return buf_;
    put(buf_, quint32(U_EMR_EOF));
    put(buf_, quint32(20));
    put(buf_, quint32(0)); // no palette entries
    put(buf_, quint32(16));
    put(buf_, quint32(20)); // nSizeLast
    ++records_;
    auto *h = reinterpret_cast<U_EMRHEADER *>(buf_.data());
    h->nBytes = quint32(buf_.size());
    h->nRecords = records_;
    finished_ = true;
    buf_.squeeze();
    return buf_;
}

} // namespace metafile
