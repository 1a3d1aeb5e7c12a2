#include "RpFormReader.h"
#include "RpControls.h"
#include "RpGroup.h"
#include "RpProperties.h"
#include "RpReport.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <functional>

namespace {

using Factory = std::function<TRpComponent *(TRpForm &)>;

const QHash<QString, Factory> &factories()
{
    static const QHash<QString, Factory> f = {
        {"TRpReport", [](TRpForm &form) -> TRpComponent * { return form.create<TRpReport>(); }},
        {"TRpBand", [](TRpForm &form) -> TRpComponent * { return form.create<TRpBand>(); }},
        {"TRpGroup", [](TRpForm &form) -> TRpComponent * { return form.create<TRpGroup>(); }},
        {"TRpDetailLink", [](TRpForm &form) -> TRpComponent * { return form.create<TRpDetailLink>(); }},
        {"TRpLabel", [](TRpForm &form) -> TRpComponent * { return form.create<TRpLabel>(); }},
        {"TRpDBText", [](TRpForm &form) -> TRpComponent * { return form.create<TRpDBText>(); }},
        {"TRpDBCalc", [](TRpForm &form) -> TRpComponent * { return form.create<TRpDBCalc>(); }},
        {"TRpShape", [](TRpForm &form) -> TRpComponent * { return form.create<TRpShape>(); }},
        {"TRpMemo", [](TRpForm &form) -> TRpComponent * { return form.create<TRpMemo>(); }},
    };
    return f;
}

struct Fixup {
    TRpComponent *component;
    const TRpProperty *property;
    QString target;
    qint64 line;
};

class Reader {
public:
    Reader(TRpForm &form, QIODevice &device) : form_(form), xml_(&device) {}

    void read()
    {
        if (!xml_.readNextStartElement() || xml_.name() != QLatin1String("form"))
            fail(QStringLiteral("a report form definition starts with <form>"));
        form_.Name = xml_.attributes().value("name").toString();
        readChildren(nullptr, nullptr);
        if (xml_.hasError())
            fail(xml_.errorString());
        for (const Fixup &f : fixups_)
            resolve(f);
    }

private:
    [[noreturn]] void fail(const QString &what, qint64 line = -1) const
    {
        throw TRpError(QStringLiteral("Report form %1, line %2: %3")
                           .arg(form_.Name).arg(line < 0 ? xml_.lineNumber() : line).arg(what));
    }

    // The children of <form> (component null) or of one <object>.
    void readChildren(TRpComponent *component, TRpBand *band)
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("property"))
                readProperty(component);
            else if (xml_.name() == QLatin1String("object"))
                readObject(band);
            else
                fail(QStringLiteral("unexpected <%1>").arg(xml_.name().toString()));
        }
        if (xml_.hasError())
            fail(xml_.errorString());
    }

    void readObject(TRpBand *band)
    {
        const QString className = xml_.attributes().value("class").toString();
        const auto factory = factories().find(className);
        if (factory == factories().end())
            fail(QStringLiteral("unknown class %1").arg(className));
        TRpComponent *c = (*factory)(form_);
        c->Name = xml_.attributes().value("name").toString();
        if (band)
            c->setParentBand(band);
        auto *asBand = qobject_cast<TRpBand *>(c);
        // Bands never nest: objects inside a band belong to it, a band inside one to the form.
        readChildren(c, asBand ? asBand : band);
    }

    QString readValue()
    {
        QStringList items;
        QString text;
        while (!xml_.atEnd()) {
            xml_.readNext();
            if (xml_.isCharacters())
                text += xml_.text();
            else if (xml_.isStartElement() && xml_.name() == QLatin1String("item"))
                items << xml_.readElementText();
            else if (xml_.isStartElement())
                fail(QStringLiteral("unexpected <%1> in a property").arg(xml_.name().toString()));
            else if (xml_.isEndElement())
                break;
        }
        return items.isEmpty() ? text : items.join('\n');
    }

    void readProperty(TRpComponent *component)
    {
        const QString name = xml_.attributes().value("name").toString();
        const qint64 line = xml_.lineNumber();
        const QString value = readValue();
        if (!component) {
            if (name == "Name")
                form_.Name = value;
            else if (!rp::setFontProperty(form_.Font, name, value))
                fail(QStringLiteral("the form has no property %1").arg(name), line);
            return;
        }
        try {
            const TRpProperty *p = component->properties().find(name);
            if (!p || p->kind == TRpProperty::Unpublished)
                fail(QStringLiteral("%1 has no property %2").arg(component->Name, name), line);
            if (p->kind == TRpProperty::Reference)
                fixups_.append({component, p, value.trimmed(), line});
            else if (p->kind == TRpProperty::Event)
                form_.bindEvent(component, name, value.trimmed());
            else if (!p->set(*component, name, value))
                fail(QStringLiteral("%1 has no property %2").arg(component->Name, name), line);
        } catch (const TRpError &e) {
            if (e.message().startsWith("Report form"))
                throw;
            fail(e.message(), line);
        }
    }

    void resolve(const Fixup &f)
    {
        QObject *target = nullptr;
        if (!f.target.isEmpty()) {
            if (f.property->namesDataSet)
                target = form_.findDataSource(f.target);
            if (!target)
                target = form_.findComponent(f.target);
            if (!target)
                fail(QStringLiteral("%1.%2: %3 not found").arg(f.component->Name, f.property->name, f.target),
                     f.line);
        }
        f.property->refer(*f.component, target);
    }

    TRpForm &form_;
    QXmlStreamReader xml_;
    QList<Fixup> fixups_;
};

} // namespace

void readReportForm(TRpForm &form, QIODevice &definition)
{
    Reader(form, definition).read();
}

void readReportForm(TRpForm &form, const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw TRpError(QStringLiteral("Report form %1 cannot be read: %2").arg(fileName, file.errorString()));
    readReportForm(form, file);
}
