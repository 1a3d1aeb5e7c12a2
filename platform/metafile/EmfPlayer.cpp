#include "EmfPlayer.h"
#include "PageUnits.h"
#include "TextMeasure.h"

#include <uemf.h>

#include <QGlyphRun>
#include <QHash>
#include <QPainterPath>
#include <QRawFont>
#include <QVector>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <optional>
#include <variant>

namespace metafile {

namespace {

template <typename T> T field(const EmfRecord &r, size_t offset)
{
    T v;
    std::memcpy(&v, r.data + offset, sizeof v);
    return v;
}

qint32 arg(const EmfRecord &r, int i) { return r.size >= 12 + 4u * i ? field<qint32>(r, 8 + 4 * i) : 0; }

QColor fromColorRef(quint32 c) { return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff); }

struct FontObject {
    QFont font;
};
using Object = std::variant<std::monostate, QPen, QBrush, FontObject>;

struct DcState {
    QPen pen{Qt::black};
    QBrush brush{Qt::white};
    QFont font;
    QColor textColor{Qt::black};
    QColor bkColor{Qt::white};
    bool opaqueBk = true;
    quint32 textAlign = 0;
    QPointF position;
    std::optional<QRectF> clip; // the page's own clip: every INTERSECTCLIPRECT so far
};

class Player {
public:
    explicit Player(QPainter &p) : p_(p), hasBaseClip_(p.hasClipping())
    {
        dc_.font = toQFont(CanvasFont{});
        if (hasBaseClip_)
            baseClip_ = p.clipPath();
    }
    // A page that saved more states than it restored leaves the painter as it found it.
    ~Player()
    {
        for (qsizetype i = 0; i < saved_.size(); ++i)
            p_.restore();
    }

    void play(const EmfRecord &r)
    {
        switch (r.type) {
        case U_EMR_SAVEDC:
            p_.save();
            saved_.append(dc_);
            break;
        case U_EMR_RESTOREDC: {
            qint64 n = -qint64(arg(r, 0)); // relative: -1 is the last saved state
            while (n-- > 0 && !saved_.isEmpty()) {
                dc_ = saved_.takeLast();
                p_.restore();
            }
            break;
        }
        case U_EMR_CREATEPEN: {
            const quint32 style = quint32(arg(r, 1)) & U_PS_STYLE_MASK;
            QPen pen(fromColorRef(quint32(arg(r, 4))));
            pen.setWidthF(std::clamp(arg(r, 2), 1, 1000));
            pen.setCapStyle(Qt::FlatCap);
            pen.setStyle(style == U_PS_NULL ? Qt::NoPen
                         : style == U_PS_DASH ? Qt::DashLine
                         : style == U_PS_DOT ? Qt::DotLine
                         : style == U_PS_DASHDOT ? Qt::DashDotLine
                         : style == U_PS_DASHDOTDOT ? Qt::DashDotDotLine : Qt::SolidLine);
            store(arg(r, 0), pen);
            break;
        }
        case U_EMR_CREATEBRUSHINDIRECT: {
            const quint32 style = quint32(arg(r, 1));
            store(arg(r, 0), style == U_BS_NULL ? QBrush(Qt::NoBrush)
                                                : QBrush(fromColorRef(quint32(arg(r, 2)))));
            break;
        }
        case U_EMR_EXTCREATEFONTINDIRECTW: {
            U_LOGFONT lf;
            std::memcpy(&lf, r.data + 12, sizeof lf); // checked: the record holds a LOGFONT
            CanvasFont f;
            int len = 0;
            while (len < U_LF_FACESIZE && lf.lfFaceName[len])
                ++len;
            f.name = QString::fromUtf16(reinterpret_cast<const char16_t *>(lf.lfFaceName), len);
            f.pixelHeight =
                lf.lfHeight == 0 ? 11 : int(std::min<qint64>(std::abs(qint64(lf.lfHeight)), INT_MAX));
            f.bold = lf.lfWeight >= U_FW_SEMIBOLD;
            f.italic = lf.lfItalic;
            f.underline = lf.lfUnderline;
            f.strikeOut = lf.lfStrikeOut;
            store(arg(r, 0), FontObject{toQFont(f)});
            break;
        }
        case U_EMR_SELECTOBJECT: select(quint32(arg(r, 0))); break;
        case U_EMR_DELETEOBJECT: {
            const int i = arg(r, 0);
            if (i > 0 && i < objects_.size())
                objects_[i] = std::monostate{};
            break;
        }
        case U_EMR_SETTEXTCOLOR: dc_.textColor = fromColorRef(quint32(arg(r, 0))); break;
        case U_EMR_SETBKCOLOR: dc_.bkColor = fromColorRef(quint32(arg(r, 0))); break;
        case U_EMR_SETBKMODE: dc_.opaqueBk = arg(r, 0) == U_OPAQUE; break;
        case U_EMR_SETTEXTALIGN: dc_.textAlign = quint32(arg(r, 0)); break;
        case U_EMR_MOVETOEX: dc_.position = QPointF(arg(r, 0), arg(r, 1)); break;
        case U_EMR_LINETO: {
            const QPointF to(arg(r, 0), arg(r, 1));
            p_.setPen(dc_.pen);
            p_.drawLine(dc_.position, to);
            dc_.position = to;
            break;
        }
        case U_EMR_RECTANGLE:
        case U_EMR_ELLIPSE: shape(r); break;
        case U_EMR_INTERSECTCLIPRECT: {
            const QRectF rect = QRectF(arg(r, 0), arg(r, 1), double(arg(r, 2)) - arg(r, 0),
                                       double(arg(r, 3)) - arg(r, 1)).normalized();
            dc_.clip = dc_.clip ? dc_.clip->intersected(rect) : rect;
            applyClip();
            break;
        }
        case U_EMR_EXTTEXTOUTW:
        case U_EMR_EXTTEXTOUTA: text(r); break;
        case U_EMR_STRETCHDIBITS: bitmap(r); break;
        default: break; // records this program never writes are skipped
        }
    }

private:
    // The page's clip, intersected here, replaces the painter's: asked to intersect, a painter
    // keeps every rectangle and copies the list at each save, so a page of clip records
    // would cost time and memory in the square of its length.
    void applyClip()
    {
        if (!hasBaseClip_) {
            p_.setClipRect(*dc_.clip, Qt::ReplaceClip);
            return;
        }
        QPainterPath rect;
        rect.addRect(*dc_.clip);
        p_.setClipPath(baseClip_.intersected(rect), Qt::ReplaceClip);
    }

    void store(int index, Object object)
    {
        if (index <= 0 || index > 0xffff)
            return;
        if (index >= objects_.size())
            objects_.resize(index + 1);
        objects_[index] = std::move(object);
    }

    void select(quint32 index)
    {
        if (index & 0x80000000u) { // stock objects
            switch (index) {
            case U_NULL_PEN: dc_.pen = QPen(Qt::NoPen); break;
            case U_BLACK_PEN: dc_.pen = QPen(Qt::black); break;
            case U_WHITE_PEN: dc_.pen = QPen(Qt::white); break;
            case U_NULL_BRUSH: dc_.brush = QBrush(Qt::NoBrush); break;
            case U_WHITE_BRUSH: dc_.brush = QBrush(Qt::white); break;
            case U_BLACK_BRUSH: dc_.brush = QBrush(Qt::black); break;
            default: break;
            }
            return;
        }
        if (index >= quint32(objects_.size()))
            return;
        const Object &o = objects_[index];
        if (auto pen = std::get_if<QPen>(&o))
            dc_.pen = *pen;
        else if (auto brush = std::get_if<QBrush>(&o))
            dc_.brush = *brush;
        else if (auto font = std::get_if<FontObject>(&o))
            dc_.font = font->font;
    }

    void shape(const EmfRecord &r)
    {
        const qreal l = arg(r, 0), t = arg(r, 1), rr = arg(r, 2), b = arg(r, 3);
        if (dc_.pen.style() == Qt::NoPen) {
            // Without an outline GDI fills one unit less on the right and at the bottom.
            const QRectF area(l, t, rr - l - 1, b - t - 1);
            p_.setPen(Qt::NoPen);
            p_.setBrush(dc_.brush);
            if (r.type == U_EMR_RECTANGLE)
                p_.drawRect(area);
            else
                p_.drawEllipse(area);
            return;
        }
        const qreal w = dc_.pen.widthF();
        const QRectF outline(l + w / 2, t + w / 2, rr - l - w, b - t - w);
        p_.setPen(dc_.pen);
        p_.setBrush(dc_.brush);
        if (r.type == U_EMR_RECTANGLE)
            p_.drawRect(outline);
        else
            p_.drawEllipse(outline);
    }

    void text(const EmfRecord &r)
    {
        const auto rec = field<U_EMREXTTEXTOUTW>(r, 0);
        const quint32 n = rec.emrtext.nChars;
        const quint32 options = rec.emrtext.fOptions;
        QRectF box;
        size_t offDxPos = sizeof(U_EMREXTTEXTOUTW);
        if (!(options & U_ETO_NO_RECT)) {
            const auto rcl = field<U_RECTL>(r, sizeof(U_EMREXTTEXTOUTW));
            box = QRectF(rcl.left, rcl.top, double(rcl.right) - rcl.left, double(rcl.bottom) - rcl.top);
            offDxPos += sizeof(U_RECTL);
        }
        if ((options & U_ETO_OPAQUE) && !box.isEmpty())
            p_.fillRect(box, dc_.bkColor);
        if (n == 0)
            return;
        const QString s = textOf(r);
        const auto offDx = field<quint32>(r, offDxPos);
        const QFontMetricsF fm(dc_.font);
        QVector<qint32> dx(static_cast<int>(n));
        if (offDx != 0) {
            std::memcpy(dx.data(), r.data + offDx, n * 4);
        } else { // some writers leave the spacing out: the font's own advances then
            for (quint32 i = 0; i < n; ++i)
                dx[int(i)] = roundHalfEven(fm.horizontalAdvance(s[int(i)]));
        }
        qint64 total = 0;
        for (qint32 d : dx)
            total += d;
        const qreal x = rec.emrtext.ptlReference.x, y = rec.emrtext.ptlReference.y;
        const quint32 horizontal = dc_.textAlign & U_TA_CENTER;
        qreal left = horizontal == U_TA_RIGHT ? x - total : horizontal == U_TA_CENTER ? x - total / 2 : x;
        const quint32 vertical = dc_.textAlign & U_TA_BASELINE;
        const qreal baseline = vertical == U_TA_BASELINE ? y
                               : vertical == U_TA_BOTTOM ? y - fm.descent()
                                                         : y + fm.ascent();

        p_.save();
        if ((options & U_ETO_CLIPPED) && !box.isNull())
            p_.setClipRect(box, p_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        p_.setFont(dc_.font);
        p_.setPen(dc_.textColor);
        // One glyph run per record, each glyph at its recorded advance: a printer or PDF gets
        // one text object instead of one per character. A character the font lacks is drawn
        // alone, so that the painter's font fallback can find it.
        const QRawFont &raw = rawFont();
        QVector<quint32> glyphs = raw.glyphIndexesForString(s);
        const bool complete = glyphs.size() == qsizetype(n) && !glyphs.contains(0u);
        if (complete) {
            QVector<QPointF> positions(glyphs.size());
            qreal at = left;
            for (quint32 i = 0; i < n; ++i) {
                positions[int(i)] = QPointF(at, baseline);
                at += dx[int(i)];
            }
            QGlyphRun run;
            run.setRawFont(raw);
            run.setGlyphIndexes(glyphs);
            run.setPositions(positions);
            run.setUnderline(dc_.font.underline());
            run.setStrikeOut(dc_.font.strikeOut());
            p_.drawGlyphRun(QPointF(0, 0), run);
        } else {
            for (quint32 i = 0; i < n; ++i) {
                p_.drawText(QPointF(left, baseline), QString(s[int(i)]));
                left += dx[int(i)];
            }
        }
        p_.restore();
    }

    void bitmap(const EmfRecord &r)
    {
        const auto rec = field<U_EMRSTRETCHDIBITS>(r, 0);
        if (rec.cbBmiSrc < sizeof(U_BITMAPINFOHEADER))
            return;
        const auto bmi = field<U_BITMAPINFOHEADER>(r, rec.offBmiSrc);
        if (bmi.biCompression != U_BI_RGB || (bmi.biBitCount != 32 && bmi.biBitCount != 24))
            return; // only the uncompressed true-colour bitmaps this program records
        const qint64 w = bmi.biWidth, h = std::abs(qint64(bmi.biHeight));
        if (w <= 0 || h <= 0 || w > 32767 || h > 32767)
            return;
        const qint64 stride = ((w * bmi.biBitCount + 31) / 32) * 4;
        if (stride * h > rec.cbBitsSrc)
            throw MetafileError(
                QStringLiteral("Desenho de página danificado: imagem menor que suas dimensões"));
        QImage image(int(w), int(h), QImage::Format_RGB32);
        const char *bits = r.data + rec.offBitsSrc;
        for (qint64 row = 0; row < h; ++row) {
            const qint64 srcRow = bmi.biHeight > 0 ? h - 1 - row : row;
            const auto *src = reinterpret_cast<const uchar *>(bits + srcRow * stride);
            auto *dst = reinterpret_cast<QRgb *>(image.scanLine(int(row)));
            for (qint64 x = 0; x < w; ++x) {
                const uchar *px = src + x * (bmi.biBitCount / 8);
                dst[x] = qRgb(px[2], px[1], px[0]);
            }
        }
        p_.drawImage(QRectF(rec.Dest.x, rec.Dest.y, rec.cDest.x, rec.cDest.y), image,
                     QRectF(rec.Src.x, rec.Src.y, rec.cSrc.x, rec.cSrc.y));
    }

    // The raw font of the selected font, made again only when the font changes.
    const QRawFont &rawFont()
    {
        if (!rawMade_ || rawOf_ != dc_.font) {
            raw_ = QRawFont::fromFont(dc_.font);
            rawOf_ = dc_.font;
            rawMade_ = true;
        }
        return raw_;
    }

    QPainter &p_;
    bool hasBaseClip_;
    QPainterPath baseClip_; // the painter's clip before the page, in page units
    DcState dc_;
    QRawFont raw_;
    QFont rawOf_;
    bool rawMade_ = false;
    QVector<DcState> saved_;
    QVector<Object> objects_;
};

} // namespace

QSize emfDeviceSize(const QByteArray &emf)
{
    if (emfLength(emf.constData(), emf.size()) == 0)
        throw MetafileError(QStringLiteral("Desenho de página danificado: não é um EMF"));
    const auto h = reinterpret_cast<const U_EMRHEADER *>(emf.constData());
    U_SIZEL s;
    std::memcpy(&s, &h->szlDevice, sizeof s);
    return QSize(s.cx, s.cy);
}

void playEmf(const QByteArray &emf, QPainter &painter, const QTransform &pageToDevice)
{
    // Check the whole stream first, so a damaged page draws nothing at all.
    forEachRecord(emf, [](const EmfRecord &) {});
    painter.save();
    painter.setTransform(pageToDevice, true);
    try {
        Player player(painter);
        forEachRecord(emf, [&](const EmfRecord &r) { player.play(r); });
    } catch (...) {
        painter.restore();
        throw;
    }
    painter.restore();
}

} // namespace metafile
