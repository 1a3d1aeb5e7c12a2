// Report components and the form that owns them. A form holds its components in creation
// order (the order of its stored definition), tells every component when another one is
// inserted or removed, and names the data sources and event handlers that components refer to.
// Components are made with TRpForm::create, which inserts them once they are fully built.
#pragma once

#include "RpDataSet.h"
#include "RpTypes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class TRpForm;
class TRpBand;
class TRpPropertyTable;
class TRpReportRun;

enum TOperation { opInsert, opRemove };

class TRpComponent : public QObject {
    Q_OBJECT
public:
    explicit TRpComponent(TRpForm *owner);
    ~TRpComponent() override;

    QString Name;
    int Tag = 0;

    TRpForm *form() const { return form_; }
    bool designing() const;

    // The class's stored properties: its values, references and events (RpProperties.h).
    virtual const TRpPropertyTable &properties() const;
    // Sets a value property by name from its text, as a stored definition does in its order;
    // false for a name that is no value property of the class.
    bool setStoredProperty(const QString &name, const QString &value);

    virtual void Notification(TRpComponent *component, TOperation operation);

    // At the start of a generation: hands the run what it needs of this component (a band its
    // kind, a group its level, a total its reset band) and takes what the component needs of
    // the run. Nothing by default.
    virtual void prepare(TRpReportRun &run);

    // The band this control is placed on (none for bands and non-visual components). The band
    // lists its controls from this reference: it is kept here only.
    TRpBand *parentBand() const { return parentBand_; }
    virtual void setParentBand(TRpBand *band) { parentBand_ = band; }

protected:
    // For Notification: clears each of the references that name the removed component (a
    // QPointer would clear only once the component's QObject part is gone).
    template <typename... References>
    static void forgetRemoved(const TRpComponent *removed, References &...references)
    {
        ((static_cast<const TRpComponent *>(references) == removed ? void(references = nullptr) : void()),
         ...);
    }

private:
    friend class TRpForm;
    TRpForm *form_;
    TRpBand *parentBand_ = nullptr;
};

class TRpForm : public QObject {
    Q_OBJECT
public:
    explicit TRpForm(QObject *parent = nullptr);
    ~TRpForm() override;

    template <typename T, typename... Args> T *create(Args &&...args)
    {
        T *c = new T(this, std::forward<Args>(args)...);
        insertComponent(c);
        return c;
    }

    QString Name;
    RpFont Font; // the font bands and controls inherit
    bool Designing = false;

    const QList<TRpComponent *> &components() const { return components_; }
    TRpComponent *findComponent(const QString &name) const;

    // Removes the component (telling every other component) and destroys it.
    void destroyComponent(TRpComponent *component);

    // Data sources the components may name. A TRpDataSet given by pointer is not owned; one
    // given by unique_ptr is. (A data source of the data module is added with its adapter:
    // addTableDataSource, RpTableDataSet.h.)
    void addDataSource(const QString &name, TRpDataSet *dataSet);
    TRpDataSet *addDataSource(const QString &name, std::unique_ptr<TRpDataSet> dataSet);
    void removeDataSource(const QString &name);
    TRpDataSet *findDataSource(const QString &name) const;
    QString dataSourceName(const TRpDataSet *dataSet) const;

    // Binds the event of component to the form's handler of that name; the base form has no
    // handlers, so a definition naming one is refused.
    virtual void bindEvent(TRpComponent *component, const QString &event, const QString &handler);

private:
    friend class TRpComponent;
    void insertComponent(TRpComponent *component);
    void removeComponent(TRpComponent *component);

    QList<TRpComponent *> components_;
    struct NamedSource {
        QString name;
        QPointer<TRpDataSet> dataSet;
        std::unique_ptr<TRpDataSet> owned;
    };
    std::vector<NamedSource> sources_;
};
