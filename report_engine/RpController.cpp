#include "RpController.h"
#include "RpReportRun.h"
#include "RpProperties.h"

void assignBand(QPointer<TRpBand> &reference, TRpBand *band, TRpBandType kindForFreshBand)
{
    if (band && band->BandType == rbTitle)
        band->BandType = kindForFreshBand;
    reference = band;
}

TRpController::TRpController(TRpForm *owner) : TRpComponent(owner)
{
}

void TRpController::setDetailBand(TRpBand *band) { assignBand(detailBand_, band, rbSubDetail); }
void TRpController::setHeaderBand(TRpBand *band) { assignBand(headerBand_, band, rbGroupHeader); }
void TRpController::setFooterBand(TRpBand *band) { assignBand(footerBand_, band, rbGroupFooter); }

// The report publishes only its data source of these; a detail link publishes its bands too.
const TRpPropertyTable &TRpController::properties() const
{
    static const TRpPropertyTable table(TRpComponent::properties(), {
        rp::reference("DataSource", &TRpController::setDataSource),
        rp::event("OnFilter"),
        rp::event("OnNeedData"),
    });
    return table;
}

void TRpController::Notification(TRpComponent *component, TOperation operation)
{
    TRpComponent::Notification(component, operation);
    if (operation == opRemove)
        forgetRemoved(component, detailBand_, headerBand_, footerBand_);
}

TRpDetailLink::TRpDetailLink(TRpForm *owner) : TRpController(owner)
{
}

void TRpDetailLink::setMaster(TRpController *master)
{
    if (master != this)
        master_ = master;
}

const TRpPropertyTable &TRpDetailLink::properties() const
{
    static const TRpPropertyTable table(TRpController::properties(), {
        rp::reference("DetailBand", &TRpDetailLink::setDetailBand),
        rp::reference("FooterBand", &TRpDetailLink::setFooterBand),
        rp::reference("HeaderBand", &TRpDetailLink::setHeaderBand),
        rp::reference("Master", &TRpDetailLink::setMaster),
        rp::stored("PrintBefore", &TRpDetailLink::PrintBefore),
    });
    return table;
}

void TRpDetailLink::Notification(TRpComponent *component, TOperation operation)
{
    TRpController::Notification(component, operation);
    if (operation == opRemove)
        forgetRemoved(component, master_);
}

void TRpDetailLink::prepare(TRpReportRun &run)
{
    run.addDetailLink(this);
}
