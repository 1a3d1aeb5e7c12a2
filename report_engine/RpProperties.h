// The stored properties of the report classes: one table per class. A row names a property,
// says what kind it is (a value read from its text, a family of sub-properties such as
// "Font.Height", a reference to a component or data source resolved once every component
// exists, an event bound to a handler of the form, or a base class's property the class does
// not publish) and how it is set. A class's table goes on in its base class's table; the first
// row that names a property decides it. Enumerations are read by their stored names (RpTypes.h).
#pragma once

#include "RpDataSet.h"
#include "StoredValues.h"

#include <QObject>
#include <concepts>
#include <functional>
#include <type_traits>
#include <vector>

class TRpComponent;

struct TRpProperty {
    enum Kind { Value, Family, Reference, Event, Unpublished };

    TRpProperty(const char *name, Kind kind, Qt::CaseSensitivity nameCase = Qt::CaseSensitive)
        : name(QString::fromLatin1(name)), kind(kind), nameCase(nameCase) {}

    QString name; // for a family, its prefix: "Font" names "Font.Height"
    Kind kind;
    Qt::CaseSensitivity nameCase;
    // Value and Family: sets it from its text; false when the class has no such sub-property.
    std::function<bool(TRpComponent &, const QString &name, const QString &value)> set;
    // Reference: sets it to the named target, none when the name is empty or of another type.
    std::function<void(TRpComponent &, QObject *target)> refer;
    bool namesDataSet = false; // a reference looked up among the form's data sources first

    bool names(const QString &property) const;
};

class TRpPropertyTable {
public:
    explicit TRpPropertyTable(std::vector<TRpProperty> rows) : rows_(std::move(rows)) {}
    TRpPropertyTable(const TRpPropertyTable &base, std::vector<TRpProperty> rows)
        : base_(&base), rows_(std::move(rows)) {}
    // The row naming the property here or in the base classes' tables; none when none does.
    const TRpProperty *find(const QString &name) const;

private:
    const TRpPropertyTable *base_ = nullptr;
    std::vector<TRpProperty> rows_;
};

namespace rp {

template <typename T> T fromText(const QString &property, const QString &value)
{
    if constexpr (std::is_same_v<T, bool>)
        return toBool(property, value);
    else if constexpr (std::is_same_v<T, int>)
        return toInt(property, value);
    else if constexpr (std::is_same_v<T, QColor>)
        return toColor(property, value);
    else if constexpr (std::is_enum_v<T>)
        return toEnum<T>(property, value);
    else {
        static_assert(std::is_same_v<T, QString>, "a stored value: bool, int, colour, enumeration, text");
        return value;
    }
}

// A value kept in a data member.
template <typename C, typename T>
    requires(!std::is_function_v<T>)
TRpProperty stored(const char *name, T C::*member, Qt::CaseSensitivity nameCase = Qt::CaseSensitive)
{
    TRpProperty p(name, TRpProperty::Value, nameCase);
    p.set = [member](TRpComponent &c, const QString &n, const QString &v) {
        static_cast<C &>(c).*member = fromText<T>(n, v);
        return true;
    };
    return p;
}

// A value set through a setter.
template <typename C, typename T> TRpProperty stored(const char *name, void (C::*setter)(T))
{
    TRpProperty p(name, TRpProperty::Value);
    p.set = [setter](TRpComponent &c, const QString &n, const QString &v) {
        (static_cast<C &>(c).*setter)(fromText<std::remove_cvref_t<T>>(n, v));
        return true;
    };
    return p;
}

// A value read by set(component, name, value), which answers whether it took it.
template <typename C, typename F> TRpProperty storedAs(const char *name, F set)
{
    TRpProperty p(name, TRpProperty::Value);
    p.set = [set](TRpComponent &c, const QString &n, const QString &v) {
        return set(static_cast<C &>(c), n, v);
    };
    return p;
}

// The sub-properties "prefix.Sub", read by set(component, name, value) as for storedAs.
template <typename C, typename F> TRpProperty family(const char *prefix, F set)
{
    TRpProperty p = storedAs<C>(prefix, std::move(set));
    p.kind = TRpProperty::Family;
    return p;
}

// A reference to a component or data source of type Target.
template <typename C, typename Target> TRpProperty reference(const char *name, void (C::*setter)(Target *))
{
    TRpProperty p(name, TRpProperty::Reference);
    p.refer = [setter](TRpComponent &c, QObject *target) {
        (static_cast<C &>(c).*setter)(qobject_cast<Target *>(target));
    };
    p.namesDataSet = std::is_base_of_v<TRpDataSet, Target>;
    return p;
}

// The position and size a band or printable control stores; sizeCase: how the names Width and
// Height are matched.
template <typename C> std::vector<TRpProperty> placement(Qt::CaseSensitivity sizeCase)
{
    return {stored("Left", &C::Left), stored("Top", &C::Top), stored("Width", &C::Width, sizeCase),
            stored("Height", &C::Height, sizeCase)};
}

// Rows of its own followed by rows it shares with other classes.
std::vector<TRpProperty> joined(std::vector<TRpProperty> rows, const std::vector<TRpProperty> &shared);

inline TRpProperty event(const char *name)
{
    return TRpProperty(name, TRpProperty::Event);
}

inline TRpProperty unpublished(const char *name)
{
    return TRpProperty(name, TRpProperty::Unpublished);
}

} // namespace rp
