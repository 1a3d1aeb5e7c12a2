#include "WmfReader.h"
#include "EmfCanvas.h"
#include "PageUnits.h"

#include <QVector>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <variant>

namespace metafile {

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr qint64 PlaceableSize = 22;
constexpr qint64 MetaHeaderSize = 18;
// The object table may not grow past this: no real page creates more objects at once.
constexpr int MaxObjects = 4096;

[[noreturn]] void damaged(const QString &what, qint64 offset)
{
    throw MetafileError(QStringLiteral("Desenho WMF danificado: %1 (posição %2)").arg(what).arg(offset));
}

// Page units of a scaled WMF coordinate; a hostile scale is held far outside any page rather
// than overflowing.
int pageUnits(double v)
{
    return roundHalfEven(std::clamp(v, -1e9, 1e9));
}

QColor fromColorRef(quint32 c) { return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff); }

// One record's parameters, each read checked against the record's length.
class Params {
public:
    Params(const char *data, qint64 length, qint64 at) : data_(data), length_(length), at_(at) {}
    qint16 i16(int word) const { return qFromLittleEndian<qint16>(bytes(2 * qint64(word), 2)); }
    quint16 u16(int word) const { return qFromLittleEndian<quint16>(bytes(2 * qint64(word), 2)); }
    quint32 u32(int word) const { return qFromLittleEndian<quint32>(bytes(2 * qint64(word), 4)); }
    qint64 size() const { return length_; }
    const char *bytes(qint64 offset, qint64 count) const
    {
        if (offset < 0 || count < 0 || offset > length_ || count > length_ - offset)
            damaged(QStringLiteral("registro curto"), at_);
        return data_ + offset;
    }

private:
    const char *data_;
    qint64 length_;
    qint64 at_;
};

using Object = std::variant<std::monostate, CanvasPen, CanvasBrush, CanvasFont>;

class WmfPlayer {
public:
    WmfPlayer(Canvas &canvas, QRect box, int unitsPerInch)
        : canvas_(canvas), box_(box), inch_(unitsPerInch), org_(box.topLeft()), ext_(box.size()) {}

    void play(quint16 function, const Params &p)
    {
        switch (function) {
        case 0x020B: org_ = QPoint(p.i16(1), p.i16(0)); break;              // SETWINDOWORG
        case 0x020C: ext_ = QSize(p.i16(1), p.i16(0)); break;               // SETWINDOWEXT
        case 0x001E:                                                        // SAVEDC
            if (saved_.size() >= MaxSaveDepth)
                damaged(QStringLiteral("estados salvos aninhados demais"), 0);
            canvas_.save();
            saved_.append(state());
            break;
        case 0x0127:                                                        // RESTOREDC
            if (!saved_.isEmpty()) {
                canvas_.restore();
                restoreState(saved_.takeLast());
            }
            break;
        case 0x0102: opaque_ = p.u16(0) == 2; break;                        // SETBKMODE
        case 0x0201: background_ = fromColorRef(p.u32(0)); break;           // SETBKCOLOR
        case 0x0209: textColor_ = fromColorRef(p.u32(0)); break;            // SETTEXTCOLOR
        case 0x012E: textAlign_ = p.u16(0); break;                          // SETTEXTALIGN
        case 0x0214: position_ = point(p.i16(1), p.i16(0)); break;          // MOVETO
        case 0x0213: {                                                      // LINETO
            const QPoint to = point(p.i16(1), p.i16(0));
            canvas_.drawLine(position_.x(), position_.y(), to.x(), to.y());
            position_ = to;
            break;
        }
        case 0x041B:                                                        // RECTANGLE
            canvas_.drawRectangle(rect(p.i16(3), p.i16(2), p.i16(1), p.i16(0)));
            break;
        case 0x0418:                                                        // ELLIPSE
            canvas_.drawEllipse(rect(p.i16(3), p.i16(2), p.i16(1), p.i16(0)));
            break;
        case 0x02FA: {                                                      // CREATEPENINDIRECT
            CanvasPen pen;
            const quint16 style = p.u16(0) & 0x0f;
            static const PenStyle styles[] = {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot,
                                              PenStyle::DashDot, PenStyle::DashDotDot, PenStyle::Clear};
            pen.style = style < 6 ? styles[style] : PenStyle::Solid;
            pen.width = std::max(1, length(p.i16(1)));
            pen.color = fromColorRef(p.u32(3));
            create(pen);
            break;
        }
        case 0x02FC: {                                                      // CREATEBRUSHINDIRECT
            CanvasBrush brush;
            brush.clear = p.u16(0) == 1; // BS_NULL
            brush.color = fromColorRef(p.u32(1));
            create(brush);
            break;
        }
        case 0x02FB: {                                                      // CREATEFONTINDIRECT
            CanvasFont font;
            font.pixelHeight = std::max(1, std::abs(length(p.i16(0))));
            font.bold = p.i16(4) >= 600;
            const char *flags = p.bytes(10, 3);
            font.italic = flags[0] != 0;
            font.underline = flags[1] != 0;
            font.strikeOut = flags[2] != 0;
            const qint64 room = std::clamp<qint64>(p.size() - 18, 0, 32); // the face name
            const char *face = p.bytes(18, room);
            font.name = QString::fromLatin1(face, qsizetype(qstrnlen(face, size_t(room))));
            create(font);
            break;
        }
        case 0x012D: select(p.u16(0)); break;                               // SELECTOBJECT
        case 0x01F0: {                                                      // DELETEOBJECT
            const quint16 i = p.u16(0);
            if (i < objects_.size() && !std::holds_alternative<std::monostate>(objects_[i])) {
                objects_[i] = std::monostate{};
                free_.insert(i);
            }
            break;
        }
        case 0x0521: {                                                      // TEXTOUT
            const int count = p.i16(0);
            if (count < 0)
                damaged(QStringLiteral("texto de tamanho negativo"), 0);
            const QString text = QString::fromLatin1(p.bytes(2, count), count);
            const int words = 1 + (count + 1) / 2;
            drawText(point(p.i16(words + 1), p.i16(words)), text, nullptr, false);
            break;
        }
        case 0x0A32: {                                                      // EXTTEXTOUT
            const QPoint at = point(p.i16(1), p.i16(0));
            const int count = p.i16(2);
            if (count < 0)
                damaged(QStringLiteral("texto de tamanho negativo"), 0);
            const quint16 options = p.u16(3);
            qint64 offset = 8;
            QRect box;
            const bool hasBox = options & 0x0006; // ETO_OPAQUE or ETO_CLIPPED
            if (hasBox) {
                box = rect(p.i16(4), p.i16(5), p.i16(6), p.i16(7));
                offset += 8;
            }
            const QString text = QString::fromLatin1(p.bytes(offset, count), count);
            drawText(at, text, hasBox ? &box : nullptr, options & 0x0004);
            break;
        }
        default:
            break; // not needed to show the page
        }
    }

private:
    struct State {
        QColor textColor, background;
        bool opaque;
        quint16 textAlign;
        QPoint position;
        CanvasFont font;
    };
    State state() const { return {textColor_, background_, opaque_, textAlign_, position_, font_}; }
    void restoreState(const State &s)
    {
        textColor_ = s.textColor;
        background_ = s.background;
        opaque_ = s.opaque;
        textAlign_ = s.textAlign;
        position_ = s.position;
        font_ = s.font;
    }

    double scaleX() const
    {
        return ext_.width() ? double(box_.width()) * PageUnitsPerInch / inch_ / ext_.width() : 0;
    }
    double scaleY() const
    {
        return ext_.height() ? double(box_.height()) * PageUnitsPerInch / inch_ / ext_.height() : 0;
    }
    QPoint point(int x, int y) const
    {
        return QPoint(pageUnits((x - org_.x()) * scaleX()), pageUnits((y - org_.y()) * scaleY()));
    }
    QRect rect(int left, int top, int right, int bottom) const
    {
        return QRect(point(left, top), point(right, bottom) - QPoint(1, 1)).normalized();
    }
    int length(int units) const { return pageUnits(units * std::abs(scaleY())); }

    void create(const Object &object)
    {
        // A new object takes the lowest free slot of the table, found without walking the
        // table (a page of creates and deletes would cost a walk per record).
        if (!free_.empty()) {
            objects_[*free_.begin()] = object;
            free_.erase(free_.begin());
            return;
        }
        if (objects_.size() >= MaxObjects)
            damaged(QStringLiteral("objetos demais"), 0);
        objects_.append(object);
    }
    void select(quint16 i)
    {
        if (i >= objects_.size())
            return;
        if (auto *pen = std::get_if<CanvasPen>(&objects_[i]))
            canvas_.setPen(*pen);
        else if (auto *brush = std::get_if<CanvasBrush>(&objects_[i]))
            canvas_.setBrush(*brush);
        else if (auto *font = std::get_if<CanvasFont>(&objects_[i]))
            font_ = *font;
    }
    void drawText(QPoint at, const QString &text, const QRect *box, bool clip)
    {
        CanvasFont font = font_;
        font.color = textColor_;
        canvas_.setFont(font);
        const quint16 horizontal = textAlign_ & 0x0006;
        const TextAlign align = horizontal == 6   ? TextAlign::Center
                                : horizontal == 2 ? TextAlign::Right
                                                  : TextAlign::Left;
        canvas_.drawText(at.x(), at.y(), text, align, box, clip, box && opaque_ ? background_ : QColor());
    }

    Canvas &canvas_;
    QRect box_;
    int inch_;
    QPoint org_;
    QSize ext_;
    QVector<Object> objects_;
    std::set<int> free_; // empty slots of objects_
    QVector<State> saved_;
    QColor textColor_{Qt::black}, background_{Qt::white};
    bool opaque_ = true;
    quint16 textAlign_ = 0;
    QPoint position_;
    CanvasFont font_;
};

} // namespace

qint64 wmfLength(const char *data, qint64 size)
{
    if (size < 4 || qFromLittleEndian<quint32>(data) != PlaceableKey)
        return 0;
    if (size < PlaceableSize + MetaHeaderSize)
        damaged(QStringLiteral("cabeçalho incompleto"), 0);
    const quint64 words = qFromLittleEndian<quint32>(data + PlaceableSize + 6);
    const quint64 length = PlaceableSize + 2 * words;
    if (length < quint64(PlaceableSize + MetaHeaderSize) || length > quint64(size))
        damaged(QStringLiteral("comprimento declarado fora do arquivo"), 0);
    return qint64(length);
}

QByteArray wmfToEmf(const QByteArray &wmf, int width, int height)
{
    const qint64 size = wmfLength(wmf.constData(), wmf.size());
    if (size == 0)
        damaged(QStringLiteral("não é um WMF"), 0);
    const char *d = wmf.constData();
    const QRect box(QPoint(qFromLittleEndian<qint16>(d + 6), qFromLittleEndian<qint16>(d + 8)),
                    QPoint(qFromLittleEndian<qint16>(d + 10) - 1, qFromLittleEndian<qint16>(d + 12) - 1));
    const int inch = qFromLittleEndian<quint16>(d + 14);
    if (inch == 0)
        damaged(QStringLiteral("unidades por polegada nulas"), 14);
    const qint64 headerWords = qFromLittleEndian<quint16>(d + PlaceableSize + 2);
    if (headerWords < MetaHeaderSize / 2 || PlaceableSize + 2 * headerWords > size)
        damaged(QStringLiteral("cabeçalho inválido"), PlaceableSize);
    EmfCanvas canvas(width, height);
    WmfPlayer player(canvas, box, inch);
    qint64 at = PlaceableSize + 2 * headerWords;
    const qint64 limit = WmfExpansion * size + 4096;
    while (true) {
        if (size - at < 6)
            damaged(QStringLiteral("fim do desenho sem registro EOF"), at);
        const quint64 words = qFromLittleEndian<quint32>(d + at);
        const quint16 function = qFromLittleEndian<quint16>(d + at + 4);
        if (words < 3 || 2 * words > quint64(size - at))
            damaged(QStringLiteral("tamanho de registro inválido"), at);
        if (function == 0)
            break; // EOF
        const Params params(d + at + 6, qint64(2 * words) - 6, at);
        player.play(function, params);
        if (canvas.size() > limit)
            damaged(QStringLiteral("o desenho cresce demais ao ser convertido"), at);
        at += qint64(2 * words);
    }
    return canvas.finish();
}

} // namespace metafile
