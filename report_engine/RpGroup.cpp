#include "RpGroup.h"
#include "RpController.h"
#include "RpReportRun.h"
#include "StoredValues.h"

TRpGroup::TRpGroup(TRpForm *owner) : TRpComponent(owner)
{
}

void TRpGroup::setHeaderBand(TRpBand *band) { assignBand(headerBand_, band, rbGroupHeader); }
void TRpGroup::setFooterBand(TRpBand *band) { assignBand(footerBand_, band, rbGroupFooter); }

QString TRpGroup::currentValue()
{
    QString value = NewValue;
    if (dataSource_ && dataSource_->isOpen()) {
        const int field = dataSource_->fieldIndex(DataField);
        if (field >= 0)
            value = dataSource_->displayText(field);
    }
    if (OnNeedData)
        OnNeedData(this, value);
    return value;
}

bool TRpGroup::evaluateBreak()
{
    OldValue = NewValue;
    NewValue = currentValue();
    Changed = NewValue != OldValue;
    return Changed;
}

bool TRpGroup::setStoredProperty(const QString &name, const QString &value)
{
    if (name == "DataField")
        DataField = value;
    else if (name == "Level")
        Level = rp::toInt(name, value);
    else
        return TRpComponent::setStoredProperty(name, value);
    return true;
}

bool TRpGroup::isReferenceProperty(const QString &name) const
{
    return name == "DataSource" || name == "HeaderBand" || name == "FooterBand";
}

void TRpGroup::setReference(const QString &name, QObject *target)
{
    if (name == "DataSource")
        setDataSource(qobject_cast<TRpDataSet *>(target));
    else if (name == "HeaderBand")
        setHeaderBand(qobject_cast<TRpBand *>(target));
    else if (name == "FooterBand")
        setFooterBand(qobject_cast<TRpBand *>(target));
}

bool TRpGroup::isEventProperty(const QString &name) const
{
    return name == "OnNeedData";
}

void TRpGroup::Notification(TRpComponent *component, TOperation operation)
{
    TRpComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == headerBand_)
        headerBand_ = nullptr;
    if (component == footerBand_)
        footerBand_ = nullptr;
}

void TRpGroup::prepare(TRpReportRun &run)
{
    run.addGroup(this);
}
