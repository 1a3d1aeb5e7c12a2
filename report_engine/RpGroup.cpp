#include "RpGroup.h"
#include "RpController.h"
#include "RpReportRun.h"
#include "RpProperties.h"

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

const TRpPropertyTable &TRpGroup::properties() const
{
    static const TRpPropertyTable table(TRpComponent::properties(), {
        rp::reference("DataSource", &TRpGroup::setDataSource),
        rp::stored("DataField", &TRpGroup::DataField),
        rp::reference("FooterBand", &TRpGroup::setFooterBand),
        rp::reference("HeaderBand", &TRpGroup::setHeaderBand),
        rp::stored("Level", &TRpGroup::Level),
        rp::event("OnNeedData"),
    });
    return table;
}

void TRpGroup::Notification(TRpComponent *component, TOperation operation)
{
    TRpComponent::Notification(component, operation);
    if (operation == opRemove)
        forgetRemoved(component, headerBand_, footerBand_);
}

void TRpGroup::prepare(TRpReportRun &run)
{
    run.addGroup(this);
}
