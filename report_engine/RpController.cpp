#include "RpController.h"
#include "RpReportRun.h"
#include "StoredValues.h"

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

bool TRpController::isReferenceProperty(const QString &name) const
{
    return name == "DataSource";
}

void TRpController::setReference(const QString &name, QObject *target)
{
    if (name == "DataSource")
        setDataSource(qobject_cast<TRpDataSet *>(target));
    else if (name == "DetailBand")
        setDetailBand(qobject_cast<TRpBand *>(target));
    else if (name == "HeaderBand")
        setHeaderBand(qobject_cast<TRpBand *>(target));
    else if (name == "FooterBand")
        setFooterBand(qobject_cast<TRpBand *>(target));
}

bool TRpController::isEventProperty(const QString &name) const
{
    return name == "OnFilter" || name == "OnNeedData";
}

void TRpController::Notification(TRpComponent *component, TOperation operation)
{
    TRpComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == detailBand_)
        detailBand_ = nullptr;
    if (component == headerBand_)
        headerBand_ = nullptr;
    if (component == footerBand_)
        footerBand_ = nullptr;
}

TRpDetailLink::TRpDetailLink(TRpForm *owner) : TRpController(owner)
{
}

void TRpDetailLink::setMaster(TRpController *master)
{
    if (master != this)
        master_ = master;
}

bool TRpDetailLink::setStoredProperty(const QString &name, const QString &value)
{
    if (name == "PrintBefore")
        PrintBefore = rp::toBool(name, value);
    else
        return TRpController::setStoredProperty(name, value);
    return true;
}

bool TRpDetailLink::isReferenceProperty(const QString &name) const
{
    return name == "Master" || name == "DetailBand" || name == "HeaderBand" || name == "FooterBand"
        || TRpController::isReferenceProperty(name);
}

void TRpDetailLink::setReference(const QString &name, QObject *target)
{
    if (name == "Master")
        setMaster(qobject_cast<TRpController *>(target));
    else
        TRpController::setReference(name, target);
}

void TRpDetailLink::Notification(TRpComponent *component, TOperation operation)
{
    TRpController::Notification(component, operation);
    if (operation == opRemove && component == master_)
        master_ = nullptr;
}

void TRpDetailLink::prepare(TRpReportRun &run)
{
    run.addDetailLink(this);
}
