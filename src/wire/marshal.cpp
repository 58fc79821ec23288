#include "wire/marshal.h"

#include "wire/codec.h"

#include <QHash>
#include <QMetaProperty>
#include <QReadWriteLock>

#include <optional>

namespace wire {

namespace {

struct Entry {
    QString name;
    const QMetaObject *meta = nullptr;
    QMetaType type;
    detail::ListOps list;
};

struct Registry {
    QReadWriteLock lock;
    QHash<QString, Entry> byName;
    QHash<const QMetaObject *, QString> nameByMeta;
    QHash<int, QString> nameByType;      // gadget meta type id -> name
    QHash<int, QString> nameByListType;  // QList<gadget> meta type id -> name
};

Registry &registry()
{
    static Registry r;
    return r;
}

std::optional<Entry> entryByName(const QString &name)
{
    Registry &r = registry();
    QReadLocker lock(&r.lock);
    const auto it = r.byName.constFind(name);
    if (it == r.byName.cend())
        return std::nullopt;
    return *it;
}

std::optional<Entry> entryByKey(QHash<int, QString> Registry::*map, int id)
{
    Registry &r = registry();
    QReadLocker lock(&r.lock);
    const auto it = (r.*map).constFind(id);
    if (it == (r.*map).cend())
        return std::nullopt;
    return r.byName.value(*it);
}

QString memberName(const QMetaProperty &p)
{
    return u'F' + QLatin1String(p.name());
}

// Properties of a gadget in declaration order, base classes first.
template <typename F>
void forEachProperty(const QMetaObject *meta, F &&f)
{
    for (int i = 0; i < meta->propertyCount(); ++i)
        f(meta->property(i));
}

Value marshalProperty(const QMetaProperty &p, const QVariant &v, const QMetaObject *owner)
{
    switch (p.metaType().id()) {
    case QMetaType::QString: return Value(v.toString());
    case QMetaType::Int: return Value(v.toInt());
    case QMetaType::LongLong: return Value(qint64(v.toLongLong()));
    case QMetaType::Double: return Value(v.toDouble());
    case QMetaType::Bool: return Value(v.toBool());
    default: break;
    }
    if (auto e = entryByKey(&Registry::nameByType, p.metaType().id()))
        return detail::marshal(v.constData(), e->meta);
    if (auto e = entryByKey(&Registry::nameByListType, p.metaType().id())) {
        QList<Value> items;
        const void *list = v.constData();
        const qsizetype n = e->list.size(list);
        items.reserve(n);
        for (qsizetype i = 0; i < n; ++i)
            items.append(detail::marshal(e->list.at(list, i), e->meta));
        return Value(std::move(items));
    }
    throw EncodeError(QStringLiteral("property %1 of %2 has a type (%3) that cannot be marshalled")
                          .arg(QLatin1String(p.name()), QLatin1String(owner->className()),
                               QLatin1String(p.metaType().name())));
}

Error propertyError(const QString &member, const Error &e)
{
    return e.within(QStringLiteral("member ") + member);
}

// One member into one property; the wrong kind is an error.
Result<bool> unmarshalProperty(const QMetaProperty &p, const Value &v, void *gadget)
{
    QVariant out;
    switch (p.metaType().id()) {
    case QMetaType::QString: {
        auto r = v.toString();
        if (!r)
            return r.error();
        out = r.value();
        break;
    }
    case QMetaType::Int: {
        auto r = v.toInt32();
        if (!r)
            return r.error();
        out = int(r.value());
        break;
    }
    case QMetaType::LongLong: {
        auto r = v.toInt64();
        if (!r)
            return r.error();
        out = QVariant::fromValue(qint64(r.value()));
        break;
    }
    case QMetaType::Double: {
        auto r = v.toDouble();
        if (!r)
            return r.error();
        out = r.value();
        break;
    }
    case QMetaType::Bool: {
        auto r = v.toBool();
        if (!r)
            return r.error();
        out = r.value();
        break;
    }
    default:
        if (auto e = entryByKey(&Registry::nameByType, p.metaType().id())) {
            if (v.isNull())
                return true;  // a missing object keeps the default
            out = QVariant(e->type);
            auto r = detail::unmarshalInto(v, out.data(), e->meta);
            if (!r)
                return r.error();
        } else if (auto e = entryByKey(&Registry::nameByListType, p.metaType().id())) {
            out = QVariant(e->list.listType);
            if (!v.isNull()) {
                if (v.kind() != Value::Kind::Array)
                    return Error{u"expected an array of objects, got " + v.kindName()};
                const QList<Value> &items = v.arrayValue();
                for (qsizetype i = 0; i < items.size(); ++i) {
                    void *item = e->list.appendDefault(out.data());
                    auto r = detail::unmarshalInto(items[i], item, e->meta);
                    if (!r)
                        return r.error().within(QStringLiteral("[%1]").arg(i));
                }
            }
        } else {
            return Error{QStringLiteral("property type %1 cannot be unmarshalled").arg(QLatin1String(p.metaType().name()))};
        }
    }
    p.writeOnGadget(gadget, out);
    return true;
}

} // namespace

namespace detail {

void registerType(const QString &name, const QMetaObject *meta, QMetaType type, const ListOps &list)
{
    Registry &r = registry();
    QWriteLocker lock(&r.lock);
    r.byName.insert(name, Entry{name, meta, type, list});
    r.nameByMeta.insert(meta, name);
    r.nameByType.insert(type.id(), name);
    r.nameByListType.insert(list.listType.id(), name);
}

Value marshal(const void *gadget, const QMetaObject *meta)
{
    const QString name = typeName(meta);
    if (name.isEmpty())
        throw EncodeError(QStringLiteral("%1 is not registered for marshalling").arg(QLatin1String(meta->className())));
    Object o;
    o.type = name;
    o.fields.reserve(meta->propertyCount());
    forEachProperty(meta, [&](const QMetaProperty &p) {
        o.fields.append(Field{memberName(p), marshalProperty(p, p.readOnGadget(gadget), meta)});
    });
    return Value(std::move(o));
}

Result<bool> unmarshalInto(const Value &value, void *gadget, const QMetaObject *meta)
{
    if (value.kind() != Value::Kind::Object)
        return Error{u"expected a marshalled object, got " + value.kindName()};
    const Object &o = value.objectValue();
    if (o.type.isEmpty())
        return Error{QStringLiteral("expected a marshalled object, got a plain JSON object without \"type\"")};
    const std::optional<Entry> entry = entryByName(o.type);
    if (!entry)
        return Error{QStringLiteral("unknown object type \"%1\"").arg(o.type)};
    if (entry->meta != meta)
        return Error{QStringLiteral("expected an object of type \"%1\", got \"%2\"").arg(typeName(meta), o.type)};
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        const QString member = memberName(p);
        const Value *v = o.find(member);
        if (!v)
            continue;  // keeps the constructor's default
        auto r = unmarshalProperty(p, *v, gadget);
        if (!r)
            return propertyError(member, r.error());
    }
    return true;
}

} // namespace detail

QString typeName(const QMetaObject *meta)
{
    Registry &r = registry();
    QReadLocker lock(&r.lock);
    return r.nameByMeta.value(meta);
}

bool isRegistered(const QString &name)
{
    return entryByName(name).has_value();
}

Result<QVariant> unmarshalAny(const Value &value)
{
    if (value.kind() != Value::Kind::Object)
        return Error{u"expected a marshalled object, got " + value.kindName()};
    const std::optional<Entry> entry = entryByName(value.objectValue().type);
    if (!entry)
        return Error{QStringLiteral("unknown object type \"%1\"").arg(value.objectValue().type)};
    QVariant out(entry->type);
    auto r = detail::unmarshalInto(value, out.data(), entry->meta);
    if (!r)
        return r.error();
    return out;
}

} // namespace wire
