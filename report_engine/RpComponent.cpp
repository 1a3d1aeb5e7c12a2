#include "RpComponent.h"
#include "RpBand.h" // only to compare the removed component with this one's band
#include "RpProperties.h"

TRpComponent::TRpComponent(TRpForm *owner) : form_(owner)
{
}

TRpComponent::~TRpComponent()
{
    if (form_)
        form_->removeComponent(this);
}

bool TRpComponent::designing() const
{
    return form_ && form_->Designing;
}

const TRpPropertyTable &TRpComponent::properties() const
{
    static const TRpPropertyTable table({
        rp::stored("Name", &TRpComponent::Name),
        rp::stored("Tag", &TRpComponent::Tag),
    });
    return table;
}

bool TRpComponent::setStoredProperty(const QString &name, const QString &value)
{
    const TRpProperty *p = properties().find(name);
    const bool isValue = p && (p->kind == TRpProperty::Value || p->kind == TRpProperty::Family);
    return isValue && p->set(*this, name, value);
}

void TRpComponent::Notification(TRpComponent *component, TOperation operation)
{
    if (operation == opRemove)
        forgetRemoved(component, parentBand_);
}

void TRpComponent::prepare(TRpReportRun &)
{
}

TRpForm::TRpForm(QObject *parent) : QObject(parent)
{
}

TRpForm::~TRpForm()
{
    // Later components may refer to earlier ones: destroy in reverse order of creation.
    while (!components_.isEmpty())
        destroyComponent(components_.last());
}

TRpComponent *TRpForm::findComponent(const QString &name) const
{
    for (TRpComponent *c : components_)
        if (c->Name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void TRpForm::insertComponent(TRpComponent *component)
{
    components_.append(component);
    const QList<TRpComponent *> all = components_;
    for (TRpComponent *c : all)
        c->Notification(component, opInsert);
}

void TRpForm::removeComponent(TRpComponent *component)
{
    if (!components_.removeOne(component))
        return;
    component->form_ = nullptr;
    const QList<TRpComponent *> all = components_;
    for (TRpComponent *c : all)
        c->Notification(component, opRemove);
}

void TRpForm::destroyComponent(TRpComponent *component)
{
    removeComponent(component);
    delete component;
}

void TRpForm::addDataSource(const QString &name, TRpDataSet *dataSet)
{
    removeDataSource(name);
    sources_.push_back({name, dataSet, nullptr});
}

TRpDataSet *TRpForm::addDataSource(const QString &name, std::unique_ptr<TRpDataSet> dataSet)
{
    removeDataSource(name);
    TRpDataSet *p = dataSet.get();
    sources_.push_back({name, p, std::move(dataSet)});
    return p;
}

void TRpForm::removeDataSource(const QString &name)
{
    for (auto it = sources_.begin(); it != sources_.end(); ++it)
        if (it->name.compare(name, Qt::CaseInsensitive) == 0) {
            sources_.erase(it); // an owned adapter is destroyed; every reference to it clears
            return;
        }
}

TRpDataSet *TRpForm::findDataSource(const QString &name) const
{
    for (const NamedSource &s : sources_)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return s.dataSet;
    return nullptr;
}

QString TRpForm::dataSourceName(const TRpDataSet *dataSet) const
{
    for (const NamedSource &s : sources_)
        if (s.dataSet == dataSet)
            return s.name;
    return QString();
}

void TRpForm::bindEvent(TRpComponent *component, const QString &event, const QString &handler)
{
    throw TRpError(QStringLiteral("%1.%2: handler %3 not found").arg(component->Name, event, handler));
}
