// Controllers iterate a data set: the report over its own data source, a detail link over a
// detail data source inside each record of its master. Band references set through a link
// turn a fresh band (still rbTitle) into the kind the link prints it as.
#pragma once

#include "RpBand.h"

class TRpDetailLink;

class TRpController : public TRpComponent {
    Q_OBJECT
public:
    explicit TRpController(TRpForm *owner);

    std::function<void(TRpController *sender, bool &printRecord)> OnFilter;
    std::function<void(TRpController *sender, bool &moreData)> OnNeedData;

    TRpDataSet *DataSource() const { return dataSource_; }
    void setDataSource(TRpDataSet *dataSet) { dataSource_ = dataSet; }

    TRpBand *DetailBand() const { return detailBand_; }
    TRpBand *HeaderBand() const { return headerBand_; }
    TRpBand *FooterBand() const { return footerBand_; }
    void setDetailBand(TRpBand *band);
    void setHeaderBand(TRpBand *band);
    void setFooterBand(TRpBand *band);
    bool PrintBefore = false;

    const TRpPropertyTable &properties() const override;
    void Notification(TRpComponent *component, TOperation operation) override;

private:
    QPointer<TRpDataSet> dataSource_;
    QPointer<TRpBand> detailBand_, headerBand_, footerBand_;
};

class TRpDetailLink : public TRpController {
    Q_OBJECT
public:
    explicit TRpDetailLink(TRpForm *owner);

    TRpController *Master() const { return master_; }
    void setMaster(TRpController *master); // the link itself is ignored

    const TRpPropertyTable &properties() const override;
    void Notification(TRpComponent *component, TOperation operation) override;
    void prepare(TRpReportRun &run) override; // a link with a master joins the master's links

private:
    QPointer<TRpController> master_;
};

// Assigning a band through a group or link: a band still of kind rbTitle takes the given kind.
void assignBand(QPointer<TRpBand> &reference, TRpBand *band, TRpBandType kindForFreshBand);
