#include "RpControls.h"
#include "FloatFormat.h"
#include "RpPrinter.h"
#include "RpReportRun.h"
#include "RpProperties.h"
#include "TextMeasure.h"

#include <limits>

using metafile::TextAlign;

namespace {

TextAlign textAlign(TAlignment a)
{
    return a == taRightJustify ? TextAlign::Right : a == taCenter ? TextAlign::Center : TextAlign::Left;
}

RpFont inheritedFont(const TRpComponent *c)
{
    if (c->parentBand())
        return c->parentBand()->effectiveFont();
    return c->form() ? c->form()->Font : RpFont();
}

// The position and size every printable control stores (its width and height in any case),
// and its font, which it may inherit.
template <typename C> std::vector<TRpProperty> placementAndFont()
{
    return rp::joined(rp::placement<C>(Qt::CaseInsensitive), {
        rp::stored("ParentFont", &C::ParentFont),
        rp::family<C>("Font", [](C &c, const QString &name, const QString &value) {
            return rp::setOwnFontProperty(c.Font, c.ParentFont, inheritedFont(&c), name, value);
        }),
    });
}

} // namespace

// --- TRpCustomControl ---------------------------------------------------------------------

TRpCustomControl::TRpCustomControl(TRpForm *owner) : TRpComponent(owner)
{
}

RpFont TRpCustomControl::effectiveFont() const
{
    return ParentFont ? inheritedFont(this) : Font;
}

QColor TRpCustomControl::effectiveColor() const
{
    if (Color.isValid())
        return Color;
    return parentBand() ? parentBand()->Color : QColor(Qt::white);
}

void TRpCustomControl::PrintToCanvas(TRpPrinter &store, int ofsX, int ofsY)
{
    printText(store, ofsX, ofsY, Caption());
}

void TRpCustomControl::PrintHeight(int &extra)
{
    extra = 0;
}

void TRpCustomControl::printText(TRpPrinter &store, int ofsX, int ofsY, QString text)
{
    if (OnPrint && !designing())
        OnPrint(this, text);
    metafile::Canvas *canvas = store.Canvas();
    if (!canvas)
        return;
    const RpFont font = effectiveFont();
    canvas->setFont(font);

    int left, right;
    if (AlignToBand) {
        left = 0;
        right = store.PageWidth;
    } else {
        left = ofsX + Left;
        right = left + Width;
    }
    const int top = ofsY + Top;
    const int bottom = top + Height;
    const QColor background = Transparent ? QColor() : effectiveColor();

    int boxRight = right;   // bounds the fill and the clip
    int refRight = right;   // the right edge the reference point uses
    bool clip = false;
    if (AutoSize) {
        boxRight = left + metafile::textWidth(font, text);
    } else {
        clip = true;
        if (Alignment == taRightJustify) {
            if (AlignToBand) {
                boxRight = refRight = right - 5;
            } else {
                // The text ends one space-width inside the control's edge.
                text += QChar(' ');
                boxRight = right + metafile::textWidth(font, QStringLiteral(" "));
            }
        }
    }
    const int x = Alignment == taRightJustify ? refRight
                : Alignment == taCenter ? left + (refRight - left) / 2 : left;
    const QRect box(left, top, boxRight - left, bottom - top);
    canvas->drawText(x, top, text, textAlign(Alignment), &box, clip, background);
}

const TRpPropertyTable &TRpCustomControl::properties() const
{
    static const TRpPropertyTable table(
        TRpComponent::properties(),
        rp::joined(
            {
                rp::stored("Caption", &TRpCustomControl::setCaption),
                rp::stored("Alignment", &TRpCustomControl::Alignment),
                rp::stored("AutoSize", &TRpCustomControl::AutoSize),
                rp::stored("Transparent", &TRpCustomControl::Transparent),
                rp::stored("AlignToBand", &TRpCustomControl::AlignToBand),
                rp::stored("Visible", &TRpCustomControl::Visible),
                rp::stored("Color", &TRpCustomControl::Color),
                // the band's colour is used whenever no colour of its own is set
                rp::storedAs<TRpCustomControl>(
                    "ParentColor", [](TRpCustomControl &, const QString &, const QString &) { return true; }),
                rp::event("OnPrint"),
            },
            placementAndFont<TRpCustomControl>()));
    return table;
}

void TRpCustomControl::prepare(TRpReportRun &run)
{
    Report = &run.report();
}

TRpLabel::TRpLabel(TRpForm *owner) : TRpCustomControl(owner)
{
    AutoSize = true;
}

// --- TRpDBText ----------------------------------------------------------------------------

TRpDBText::TRpDBText(TRpForm *owner) : TRpCustomControl(owner)
{
}

void TRpDBText::setDataSource(TRpDataSet *dataSet)
{
    QObject::disconnect(connection_);
    dataSource_ = dataSet;
    if (dataSet)
        connection_ = connect(dataSet, &TRpDataSet::recordChanged, this, [this] { recordChanged(); });
    stale_ = true;
}

void TRpDBText::setDataField(const QString &field)
{
    dataField_ = field;
    stale_ = true;
}

int TRpDBText::linkedField() const
{
    if (!dataSource_ || !dataSource_->isOpen() || dataField_.isEmpty())
        return -1;
    return dataSource_->fieldIndex(dataField_);
}

bool TRpDBText::linkedToMemo() const
{
    const int field = linkedField();
    return field >= 0 && dataSource_->fieldKind(field) == TRpFieldKind::Memo;
}

QStringList TRpDBText::memoLines() const
{
    return metafile::wrapText(effectiveFont(), dataSource_->displayText(linkedField()), Width);
}

QString TRpDBText::Caption()
{
    if (stale_) {
        const int field = linkedField();
        if (field < 0) {
            caption_ = designing() ? Name : QString();
        } else if (dataSource_->fieldKind(field) == TRpFieldKind::Memo) {
            const QStringList lines = memoLines();
            caption_ = lines.isEmpty() ? QStringLiteral("(empty memo)") : lines.first();
        } else {
            caption_ = dataSource_->displayText(field);
        }
        stale_ = false;
    }
    return caption_;
}

void TRpDBText::PrintToCanvas(TRpPrinter &store, int ofsX, int ofsY)
{
    if (!linkedToMemo()) {
        printText(store, ofsX, ofsY, Caption());
        return;
    }
    const QStringList lines = memoLines();
    for (int i = 0; i < lines.size(); ++i) {
        caption_ = lines[i];
        stale_ = false; // the last printed line stays the caption until the record changes
        printText(store, ofsX, ofsY + i * Height, lines[i]);
    }
}

void TRpDBText::PrintHeight(int &extra)
{
    extra = 0;
    if (linkedToMemo()) {
        const int n = int(memoLines().size());
        if (n > 0)
            extra = (n - 1) * Height;
    }
}

const TRpPropertyTable &TRpDBText::properties() const
{
    static const TRpPropertyTable table(TRpCustomControl::properties(), {
        rp::unpublished("AlignToBand"), // a data field always aligns within itself
        rp::stored("DataField", &TRpDBText::setDataField),
        rp::reference("DataSource", &TRpDBText::setDataSource),
    });
    return table;
}

// --- TRpDBCalc ----------------------------------------------------------------------------

TRpDBCalc::TRpDBCalc(TRpForm *owner) : TRpDBText(owner)
{
    Alignment = taRightJustify;
}

void TRpDBCalc::setOperation(TRpCalcOperation operation)
{
    operation_ = operation;
    const QString operationName = QString::fromLatin1(RpCalcOperationNames[operation] + 2); // "SUM"
    caption_ = DataField().isEmpty() ? Name : operationName + '(' + DataField() + ')';
    stale_ = false; // until the current record changes
}

void TRpDBCalc::ResetCalc()
{
    count_ = 0;
    floatMax_ = -99999999;
    floatMin_ = 999999999;
    intMax_ = -99999999;
    intMin_ = 99999999;
    intSum_ = 0;
    floatSum_ = 0;
    recordChanged();
}

void TRpDBCalc::UpdateCalc()
{
    const int field = linkedField();
    if (field >= 0) {
        const TRpFieldKind kind = DataSource()->fieldKind(field);
        if (kind == TRpFieldKind::Float) {
            const double v = DataSource()->value(field);
            floatSum_ += v;
            if (floatMin_ > v)
                floatMin_ = v;
            if (floatMax_ < v)
                floatMax_ = v;
        } else if (kind == TRpFieldKind::Integer) {
            // The sum is 64 bits wide: two values of 2,000,000,000 add up to 4,000,000,000, not
            // to a wrapped negative number. Beyond 64 bits it stays at the limit it reached.
            const double d = DataSource()->value(field);
            const qint64 v = d >= 0x1p63 ? std::numeric_limits<qint64>::max()
                           : d <= -0x1p63 ? std::numeric_limits<qint64>::min()
                           : d == d ? qint64(d) : 0;
            if (__builtin_add_overflow(intSum_, v, &intSum_))
                intSum_ = v > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
            if (v < intMin_)
                intMin_ = v;
            if (v > intMax_)
                intMax_ = v;
        }
    }
    ++count_;
}

QString TRpDBCalc::totalText()
{
    const int field = linkedField();
    const bool integerField = field >= 0 && DataSource()->fieldKind(field) == TRpFieldKind::Integer;
    if (integerField || operation_ == rcCOUNT) {
        qint64 v = 0;
        switch (operation_) {
        case rcSUM: v = intSum_; break;
        case rcCOUNT: v = count_; break;
        case rcMAX: v = intMax_; break;
        case rcMIN: v = intMin_; break;
        case rcAVERAGE: v = count_ == 0 ? 0 : intSum_ / count_; break; // truncated toward zero
        }
        return QString::number(v);
    }
    double v = 0;
    switch (operation_) {
    case rcSUM: v = floatSum_; break;
    case rcCOUNT: break;
    case rcMAX: v = floatMax_; break;
    case rcMIN: v = floatMin_; break;
    case rcAVERAGE: v = count_ < 1 ? 0 : floatSum_ / count_; break;
    }
    return rp::formatFloat(PrintMask, v);
}

void TRpDBCalc::PrintToCanvas(TRpPrinter &store, int ofsX, int ofsY)
{
    const QString text = totalText();
    caption_ = text;
    printText(store, ofsX, ofsY, text);
}

void TRpDBCalc::prepare(TRpReportRun &run)
{
    TRpDBText::prepare(run);
    ResetCalc();
    run.addCalc(this);
}

const TRpPropertyTable &TRpDBCalc::properties() const
{
    static const TRpPropertyTable table(TRpDBText::properties(), {
        rp::stored("Operation", &TRpDBCalc::setOperation),
        rp::stored("PrintMask", &TRpDBCalc::PrintMask),
        rp::reference("ResetBand", &TRpDBCalc::setResetBand),
    });
    return table;
}

// --- TRpShape -----------------------------------------------------------------------------

TRpShape::TRpShape(TRpForm *owner) : TRpCustomControl(owner)
{
    Width = 65;
    Height = 65;
}

void TRpShape::setShape(TRpShapeType shape)
{
    // Only a change of kind sizes a line: setting the kind it has keeps the size it was given.
    if (shape == shape_)
        return;
    shape_ = shape;
    if (shape == rsVertLine)
        Width = Pen.width + 3;
    else if (shape == rsHorLine)
        Height = Pen.width + 3;
}

void TRpShape::PrintToCanvas(TRpPrinter &store, int ofsX, int ofsY)
{
    metafile::Canvas *canvas = store.Canvas();
    if (!canvas)
        return;
    canvas->setPen(Pen);
    canvas->setBrush(Brush);
    const int x0 = ofsX + Left, y0 = ofsY + Top, x1 = x0 + Width, y1 = y0 + Height;
    switch (shape_) {
    case rsRectangle: canvas->drawRectangle(QRect(x0, y0, Width, Height)); break;
    case rsCircle: canvas->drawEllipse(QRect(x0, y0, Width, Height)); break;
    case rsVertLine: canvas->drawLine(x0, y0, x0, y1); break;
    case rsHorLine: canvas->drawLine(x0, y0, x1, y0); break;
    case rsTopAndBottom:
        canvas->drawLine(x0, y0, x1, y0);
        canvas->drawLine(x0, y1, x1, y1);
        break;
    case rsRightAndLeft:
        canvas->drawLine(x0, y0, x0, y1);
        canvas->drawLine(x1, y0, x1, y1);
        break;
    }
}

const TRpPropertyTable &TRpShape::properties() const
{
    static const TRpPropertyTable table(TRpCustomControl::properties(), {
        rp::stored("Shape", &TRpShape::setShape),
        rp::family<TRpShape>("Pen", [](TRpShape &s, const QString &name, const QString &value) {
            return rp::setPenProperty(s.Pen, "Pen", name, value);
        }),
        rp::family<TRpShape>("Brush", [](TRpShape &s, const QString &name, const QString &value) {
            return rp::setBrushProperty(s.Brush, name, value);
        }),
    });
    return table;
}

// --- TRpMemo ------------------------------------------------------------------------------

TRpMemo::TRpMemo(TRpForm *owner) : TRpComponent(owner)
{
}

RpFont TRpMemo::effectiveFont() const
{
    return ParentFont ? inheritedFont(this) : Font;
}

QStringList TRpMemo::shownLines() const
{
    if (!WordWrap)
        return Lines;
    QStringList shown;
    const RpFont font = effectiveFont();
    for (const QString &line : Lines) {
        const QStringList wrapped = metafile::wrapText(font, line, Width);
        if (wrapped.isEmpty())
            shown << QString();
        else
            shown << wrapped;
    }
    return shown;
}

void TRpMemo::PrintToCanvas(TRpPrinter &store, int ofsX, int ofsY)
{
    metafile::Canvas *canvas = store.Canvas();
    if (Lines.isEmpty() || !canvas)
        return;
    const RpFont font = effectiveFont();
    const int h = metafile::textHeight(font);
    const int top = ofsY + Top, left = ofsX + Left, right = left + Width;
    const int lowest = ofsY + Top + Height - h;
    canvas->setFont(font);
    const QStringList lines = shownLines();
    for (int i = 0; i < lines.size(); ++i) {
        const int y = top + i * h;
        if (y > lowest)
            break;
        const int x = Alignment == taRightJustify ? right
                      : Alignment == taCenter     ? left + (right - left) / 2
                                                  : left;
        canvas->drawText(x, y, lines[i], textAlign(Alignment), nullptr, false, QColor());
    }
}

void TRpMemo::prepare(TRpReportRun &run)
{
    Report = &run.report();
}

const TRpPropertyTable &TRpMemo::properties() const
{
    static const TRpPropertyTable table(TRpComponent::properties(), rp::joined({
        rp::storedAs<TRpMemo>("Lines", [](TRpMemo &m, const QString &, const QString &value) {
            m.Lines = value.isEmpty() ? QStringList() : value.split('\n');
            return true;
        }),
        // a stored text is read and dropped: Lines holds the memo's text
        rp::storedAs<TRpMemo>("Text", [](TRpMemo &, const QString &, const QString &) { return true; }),
        rp::stored("Alignment", &TRpMemo::Alignment),
        rp::stored("Color", &TRpMemo::Color),
        rp::stored("WordWrap", &TRpMemo::WordWrap),
        rp::stored("Visible", &TRpMemo::Visible),
    }, placementAndFont<TRpMemo>()));
    return table;
}
