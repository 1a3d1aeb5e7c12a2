// A group: a break on the displayed text of one field. Its header is printed before each run
// of records with the same value, its footer after it; Level 0 is the outermost group.
#pragma once

#include "RpBand.h"

class TRpGroup : public TRpComponent {
    Q_OBJECT
public:
    explicit TRpGroup(TRpForm *owner);

    std::function<void(TRpGroup *sender, QString &value)> OnNeedData;

    TRpDataSet *DataSource() const { return dataSource_; }
    void setDataSource(TRpDataSet *dataSet) { dataSource_ = dataSet; }
    QString DataField;
    int Level = 0;

    TRpBand *HeaderBand() const { return headerBand_; }
    TRpBand *FooterBand() const { return footerBand_; }
    void setHeaderBand(TRpBand *band);
    void setFooterBand(TRpBand *band);

    // Break state: the previous and current values, and whether the last evaluation broke.
    QString OldValue, NewValue;
    bool Changed = true;

    // The field's displayed text at the current record (empty when the field is not bound),
    // then OnNeedData's answer.
    QString currentValue();
    // Moves the current value into OldValue, reads the new one and answers whether it differs.
    bool evaluateBreak();

    const TRpPropertyTable &properties() const override;
    void Notification(TRpComponent *component, TOperation operation) override;
    void prepare(TRpReportRun &run) override;

private:
    QPointer<TRpDataSet> dataSource_;
    QPointer<TRpBand> headerBand_, footerBand_;
};
