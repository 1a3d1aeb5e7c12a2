#include "RpBand.h"
#include "RpReportRun.h"
#include "StoredValues.h"

TRpBand::TRpBand(TRpForm *owner) : TRpComponent(owner)
{
}

void TRpBand::setLinkBand(TRpBand *band)
{
    if (band != this)
        linkBand_ = band;
}

RpFont TRpBand::effectiveFont() const
{
    return ParentFont && form() ? form()->Font : Font;
}

QList<TRpComponent *> TRpBand::children() const
{
    QList<TRpComponent *> placed;
    if (form())
        for (TRpComponent *c : form()->components())
            if (c->parentBand() == this)
                placed.append(c);
    return placed;
}

bool TRpBand::setStoredProperty(const QString &name, const QString &value)
{
    if (name == "BandType")
        BandType = TRpBandType(rp::toEnum(name, value, rp::BandTypeNames));
    else if (name == "Color")
        Color = rp::toColor(name, value);
    else if (name == "Enabled")
        Enabled = rp::toBool(name, value);
    else if (name == "ForceNewPage")
        ForceNewPage = rp::toBool(name, value);
    else if (name == "ParentFont") {
        ParentFont = rp::toBool(name, value);
    } else if (name.startsWith("Font.")) {
        if (ParentFont) { // a font of its own starts from the inherited one
            Font = effectiveFont();
            ParentFont = false;
        }
        return rp::setFontProperty(Font, name, value);
    } else if (name == "Ruler")
        Ruler = TRpRuler(rp::toEnum(name, value, {"rrNone", "rrInchesH", "rrInchesV", "rrInchesHV",
                                                  "rrCmH", "rrCmV", "rrCmHV"}));
    else if (name == "Left")
        Left = rp::toInt(name, value);
    else if (name == "Top")
        Top = rp::toInt(name, value);
    else if (name == "Width")
        Width = rp::toInt(name, value);
    else if (name == "Height")
        Height = rp::toInt(name, value);
    else if (name == "Align")
        return value == "alTop"; // bands always stack from the top
    else if (rp::setPenProperty(Frame, "Frame", name, value))
        ;
    else
        return TRpComponent::setStoredProperty(name, value);
    return true;
}

bool TRpBand::isReferenceProperty(const QString &name) const
{
    return name == "LinkBand";
}

void TRpBand::setReference(const QString &name, QObject *target)
{
    if (name == "LinkBand")
        setLinkBand(qobject_cast<TRpBand *>(target));
}

bool TRpBand::isEventProperty(const QString &name) const
{
    return name == "BeforePrint" || name == "AfterPrint";
}

void TRpBand::prepare(TRpReportRun &run)
{
    run.addBand(this);
}
