// A band: a horizontal strip of the page of one kind, the parent of the printable controls
// placed on it. While it is printed its width is the page width and its height may be
// stretched for that one placement; its designed Height is restored afterwards.
#pragma once

#include "RpComponent.h"

#include <functional>

class TRpBand : public TRpComponent {
    Q_OBJECT
public:
    explicit TRpBand(TRpForm *owner);

    std::function<void(TRpBand *sender, bool bandPrinted)> AfterPrint;
    std::function<void(TRpBand *sender, bool &printBand)> BeforePrint;

    TRpBandType BandType = rbTitle;
    QColor Color = Qt::white;
    bool Enabled = true;
    RpFont Font;
    bool ParentFont = true;
    bool ForceNewPage = false;
    RpPen Frame{Qt::black, 0, metafile::PenStyle::Solid};
    TRpRuler Ruler = rrNone;
    int Left = 0, Top = 0, Width = 0, Height = 0;

    TRpBand *LinkBand() const { return linkBand_; }
    void setLinkBand(TRpBand *band); // the band itself is ignored

    // The font its controls inherit.
    RpFont effectiveFont() const;

    // The components placed on it (those whose parentBand() it is), in the form's order.
    QList<TRpComponent *> children() const;

    const TRpPropertyTable &properties() const override;
    void prepare(TRpReportRun &run) override;
    // Bands never nest: a band placed on a band stands on the form instead.
    void setParentBand(TRpBand *) override {}

private:
    QPointer<TRpBand> linkBand_;
};
