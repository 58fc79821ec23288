#pragma once

#include "wire/result.h"
#include "wire/value.h"

#include <QList>
#include <QMetaObject>
#include <QMetaType>
#include <QString>
#include <QVariant>

// Marshalled objects generic over Q_GADGET meta-properties. A transfer
// object declares one Q_PROPERTY per field, in field order; property X
// travels as member "FX". Supported property types: QString, int, qint64,
// double, bool, and registered gadgets, alone or as QList<Gadget> (an array
// of marshalled objects).
//
//   wire::registerType<TSonucBilgisi>(u"baglantiu.TSonucBilgisi"_s);  // once, at start-up
//   wire::Value v = wire::marshal(bilgi);
//   wire::Result<TSonucBilgisi> back = wire::unmarshal<TSonucBilgisi>(v);
//
// Unmarshalling: a missing member keeps the constructor's default, an
// unknown member is ignored, a member of the wrong kind, an unknown "type" or
// a type other than the one asked for is an error. A null array reads as an
// empty list, a null object member keeps the default.
namespace wire {

namespace detail {

// How the registry reaches a QList<T> without knowing T.
struct ListOps {
    QMetaType listType;
    qsizetype (*size)(const void *list) = nullptr;
    const void *(*at)(const void *list, qsizetype i) = nullptr;
    void *(*appendDefault)(void *list) = nullptr;
};

void registerType(const QString &name, const QMetaObject *meta, QMetaType type, const ListOps &list);
Value marshal(const void *gadget, const QMetaObject *meta);
Result<bool> unmarshalInto(const Value &value, void *gadget, const QMetaObject *meta);

template <typename T>
ListOps listOps()
{
    ListOps ops;
    ops.listType = QMetaType::fromType<QList<T>>();
    ops.size = [](const void *l) { return static_cast<const QList<T> *>(l)->size(); };
    ops.at = [](const void *l, qsizetype i) -> const void * { return &static_cast<const QList<T> *>(l)->at(i); };
    ops.appendDefault = [](void *l) -> void * {
        auto *list = static_cast<QList<T> *>(l);
        list->append(T());
        return &list->last();
    };
    return ops;
}

} // namespace detail

// Binds a qualified class name to a gadget type (and QList<T> of it).
// Registering the same pair again is harmless; call it before the first
// marshal or unmarshal of T, from any thread.
template <typename T>
void registerType(const QString &name)
{
    detail::registerType(name, &T::staticMetaObject, QMetaType::fromType<T>(), detail::listOps<T>());
}

// The registered name of a gadget type; empty when unregistered.
QString typeName(const QMetaObject *meta);
// Whether a qualified name is registered.
bool isRegistered(const QString &name);

// A gadget as a marshalled object. Throws EncodeError for an unregistered
// type or an unsupported property type (a programming fault).
template <typename T>
Value marshal(const T &gadget)
{
    return detail::marshal(&gadget, &T::staticMetaObject);
}

// A marshalled object back into T (starting from T's default).
template <typename T>
Result<T> unmarshal(const Value &value)
{
    T out{};
    Result<bool> r = detail::unmarshalInto(value, &out, &T::staticMetaObject);
    if (!r)
        return r.error();
    return out;
}

// A marshalled object of any registered type, as a QVariant holding it.
Result<QVariant> unmarshalAny(const Value &value);

} // namespace wire
