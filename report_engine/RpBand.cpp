#include "RpBand.h"
#include "RpReportRun.h"
#include "RpProperties.h"

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

const TRpPropertyTable &TRpBand::properties() const
{
    static const TRpPropertyTable table(TRpComponent::properties(), rp::joined({
        rp::event("AfterPrint"),
        rp::storedAs<TRpBand>("Align", [](TRpBand &, const QString &, const QString &value) {
            return value == "alTop"; // bands always stack from the top
        }),
        rp::stored("BandType", &TRpBand::BandType),
        rp::event("BeforePrint"),
        rp::stored("Color", &TRpBand::Color),
        rp::stored("Enabled", &TRpBand::Enabled),
        rp::family<TRpBand>("Font", [](TRpBand &b, const QString &name, const QString &value) {
            return rp::setOwnFontProperty(b.Font, b.ParentFont, b.effectiveFont(), name, value);
        }),
        rp::stored("ForceNewPage", &TRpBand::ForceNewPage),
        rp::family<TRpBand>("Frame", [](TRpBand &b, const QString &name, const QString &value) {
            return rp::setPenProperty(b.Frame, "Frame", name, value);
        }),
        rp::reference("LinkBand", &TRpBand::setLinkBand),
        rp::stored("ParentFont", &TRpBand::ParentFont),
        rp::stored("Ruler", &TRpBand::Ruler),
    }, rp::placement<TRpBand>(Qt::CaseSensitive)));
    return table;
}

void TRpBand::prepare(TRpReportRun &run)
{
    run.addBand(this);
}
