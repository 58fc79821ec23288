#pragma once

#include "wire/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <variant>

class TableData;

namespace wire {

class Object;

// One parameter or result of a server method: null, boolean, integer,
// double, string, stream (bytes, base64 on the wire), array, marshalled
// object or table. A plain value type: copies share their immutable array,
// object or table data, so passing results around costs nothing.
//
// Decoding cannot tell a stream from a string (both are JSON strings), so a
// decoded stream arrives as a String; toBytes() decodes its base64.
class Value {
public:
    enum class Kind { Null, Bool, Int, Double, String, Bytes, Array, Object, Table };

    Value() = default;  // null
    Value(std::nullptr_t) {}
    Value(bool b) : m_data(b) {}
    Value(int i) : m_data(qint64(i)) {}
    Value(qint64 i) : m_data(i) {}
    Value(double d) : m_data(d) {}
    Value(const QString &s) : m_data(s) {}
    Value(QString &&s) : m_data(std::move(s)) {}
    Value(const char *) = delete;  // no silent conversion of C strings to bool
    Value(wire::Object object);
    Value(TableData table);
    Value(QList<Value> array);

    // A stream: the bytes travel as standard base64 with padding.
    static Value fromBytes(QByteArray bytes);

    Kind kind() const { return Kind(m_data.index()); }
    bool isNull() const { return kind() == Kind::Null; }
    // "null", "boolean", "integer", "double", "string", "stream", "array",
    // "object", "table": for messages.
    static QString kindName(Kind kind);
    QString kindName() const { return kindName(kind()); }

    // Strict readers: the value as the kind a server method declares, or an
    // error saying what was expected and what came. An integer reader takes
    // a double only when it has no fraction and fits; a double reader takes
    // any number.
    Result<bool> toBool() const;
    Result<qint32> toInt32() const;
    Result<qint64> toInt64() const;
    Result<double> toDouble() const;
    Result<QString> toString() const;
    // A stream: the decoded base64 of a String, the bytes of a Bytes value;
    // null gives a null QByteArray (no stream).
    Result<QByteArray> toBytes() const;

    // Direct access, only for the matching kind().
    bool boolValue() const { return std::get<bool>(m_data); }
    qint64 intValue() const { return std::get<qint64>(m_data); }
    double doubleValue() const { return std::get<double>(m_data); }
    const QString &stringValue() const { return std::get<QString>(m_data); }
    const QByteArray &bytesValue() const { return std::get<Bytes>(m_data).bytes; }
    const QList<Value> &arrayValue() const { return *std::get<std::shared_ptr<const QList<Value>>>(m_data); }
    const wire::Object &objectValue() const { return *std::get<std::shared_ptr<const wire::Object>>(m_data); }
    const TableData &tableValue() const { return *std::get<std::shared_ptr<TableData>>(m_data); }

    // The table, moved out when this value is its only holder (the usual case
    // for a decoded result), copied otherwise; an error for other kinds.
    Result<TableData> takeTable();

    // Same kind and same content (tables cell by cell, doubles bit for bit
    // apart from NaN, which never travels).
    friend bool operator==(const Value &a, const Value &b);

private:
    struct Bytes {
        QByteArray bytes;
    };
    std::variant<std::monostate, bool, qint64, double, QString, Bytes,
                 std::shared_ptr<const QList<Value>>, std::shared_ptr<const wire::Object>,
                 std::shared_ptr<TableData>>
        m_data;
};

struct Field {
    QString name;  // as on the wire, with the leading F
    Value value;
};

// A marshalled object: its qualified class name ("baglantiu.TSonucBilgisi")
// and its fields in order. The "id" numbers are written by the encoder
// (outermost 1, nested objects counting on) and not kept.
// An empty type is a plain JSON object (members in `fields`): the protocol
// has none, but an ignored member may hold one.
class Object {
public:
    QString type;
    QList<Field> fields;

    // The first field of that exact name, or nullptr.
    const Value *find(QStringView name) const;

    friend bool operator==(const Object &a, const Object &b);
};

// Standard base64 (RFC 4648) with padding, strictly: any other character,
// a missing pad or a bad length is an error.
QByteArray toBase64(const QByteArray &bytes);
Result<QByteArray> fromBase64(QByteArrayView text);

} // namespace wire
