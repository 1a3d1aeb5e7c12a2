// Printable controls: the items placed on bands. Each draws itself onto the current page
// canvas of the page store it is given, at the band's offset (PrintToCanvas), and says how much
// taller than its designed height it needs to be (PrintHeight). Texts are measured with the
// same font metrics the page records carry, so what is laid out is what is replayed.
#pragma once

#include "RpBand.h"

#include <QStringList>

class TRpPrinter;
class TRpReport;

class TRpCustomControl : public TRpComponent {
    Q_OBJECT
public:
    explicit TRpCustomControl(TRpForm *owner);

    std::function<void(TRpCustomControl *sender, QString &value)> OnPrint;

    TAlignment Alignment = taLeftJustify;
    bool AutoSize = false;
    bool Transparent = false;
    bool AlignToBand = false;
    bool Visible = true;
    RpFont Font;
    bool ParentFont = true;
    QColor Color; // invalid: the band's colour
    int Left = 0, Top = 0, Width = 0, Height = 0;
    TRpReport *Report = nullptr; // set by the report at the start of generation

    virtual QString Caption() { return caption_; }
    void setCaption(const QString &caption) { caption_ = caption; }

    RpFont effectiveFont() const;
    QColor effectiveColor() const;

    // Draws onto the store's current page; nothing unless the store is collecting.
    virtual void PrintToCanvas(TRpPrinter &store, int ofsX, int ofsY);
    virtual void PrintHeight(int &extra);

    const TRpPropertyTable &properties() const override;
    void prepare(TRpReportRun &run) override;

protected:
    // The single-line text output: OnPrint, then the box, alignment, fill and clip rules.
    void printText(TRpPrinter &store, int ofsX, int ofsY, QString text);

    QString caption_;
};

class TRpLabel : public TRpCustomControl {
    Q_OBJECT
public:
    explicit TRpLabel(TRpForm *owner);
};

// The text of one field of the current record; a memo field prints its lines one Height apart.
class TRpDBText : public TRpCustomControl {
    Q_OBJECT
public:
    explicit TRpDBText(TRpForm *owner);

    TRpDataSet *DataSource() const { return dataSource_; }
    void setDataSource(TRpDataSet *dataSet);
    QString DataField() const { return dataField_; }
    void setDataField(const QString &field);

    // Follows the current record of the data source.
    QString Caption() override;

    void PrintToCanvas(TRpPrinter &store, int ofsX, int ofsY) override;
    void PrintHeight(int &extra) override;

    const TRpPropertyTable &properties() const override;

protected:
    // The linked field, or -1 when there is none (no data source, closed, unknown name).
    int linkedField() const;
    bool linkedToMemo() const;
    QStringList memoLines() const;
    void recordChanged() { stale_ = true; }
    bool stale_ = true; // the caption is read again from the record before it is next used

private:
    QPointer<TRpDataSet> dataSource_;
    QMetaObject::Connection connection_;
    QString dataField_;
};

// Totals over the records of its data source: count, sum, maximum, minimum, average.
class TRpDBCalc : public TRpDBText {
    Q_OBJECT
public:
    explicit TRpDBCalc(TRpForm *owner);

    TRpCalcOperation Operation() const { return operation_; }
    void setOperation(TRpCalcOperation operation);
    QString PrintMask;
    TRpBand *ResetBand() const { return resetBand_; }
    void setResetBand(TRpBand *band) { resetBand_ = band; }

    void ResetCalc();
    void UpdateCalc();
    // The text printed for the totals so far.
    QString totalText();

    void PrintToCanvas(TRpPrinter &store, int ofsX, int ofsY) override;

    const TRpPropertyTable &properties() const override;
    void prepare(TRpReportRun &run) override; // starts its totals and joins the run's totals

private:
    qint32 count_ = 0;
    double floatMax_ = -99999999, floatMin_ = 999999999;
    qint64 intMax_ = -99999999, intMin_ = 99999999, intSum_ = 0;
    double floatSum_ = 0;
    TRpCalcOperation operation_ = rcSUM;
    QPointer<TRpBand> resetBand_;
};

class TRpShape : public TRpCustomControl {
    Q_OBJECT
public:
    explicit TRpShape(TRpForm *owner);

    RpBrush Brush;
    RpPen Pen;
    TRpShapeType Shape() const { return shape_; }
    void setShape(TRpShapeType shape);

    void PrintToCanvas(TRpPrinter &store, int ofsX, int ofsY) override;
    const TRpPropertyTable &properties() const override;

private:
    TRpShapeType shape_ = rsRectangle;
};

// Fixed multi-line text. Not a TRpCustomControl: it never stretches its band and is printed
// whether or not it is visible.
class TRpMemo : public TRpComponent {
    Q_OBJECT
public:
    explicit TRpMemo(TRpForm *owner);

    TAlignment Alignment = taLeftJustify;
    QColor Color;
    RpFont Font;
    bool ParentFont = true;
    QStringList Lines;
    bool WordWrap = true;
    bool Visible = true;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    TRpReport *Report = nullptr;

    RpFont effectiveFont() const;
    // The lines as the memo shows them: broken at line ends and, with WordWrap, at its width.
    QStringList shownLines() const;
    void PrintToCanvas(TRpPrinter &store, int ofsX, int ofsY);

    const TRpPropertyTable &properties() const override;
    void prepare(TRpReportRun &run) override;
};
