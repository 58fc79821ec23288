#include "wire/value.h"

#include "platform/dataset/tabledata.h"

#include <cmath>
#include <limits>

namespace wire {

namespace {

QString expected(const char *what, const Value &got)
{
    return QLatin1String("expected ") + QLatin1String(what) + u", got " + got.kindName();
}

// A double that is a whole number within [lo, hi].
bool integralIn(double d, double lo, double hi)
{
    return std::isfinite(d) && std::trunc(d) == d && d >= lo && d <= hi;
}

QString numberText(const Value &v)
{
    return v.kind() == Value::Kind::Int ? QString::number(v.intValue()) : QString::number(v.doubleValue(), 'g', 17);
}

} // namespace

Value::Value(wire::Object object) : m_data(std::make_shared<const wire::Object>(std::move(object))) {}
Value::Value(TableData table) : m_data(std::make_shared<TableData>(std::move(table))) {}
Value::Value(QList<Value> array) : m_data(std::make_shared<const QList<Value>>(std::move(array))) {}

Value Value::fromBytes(QByteArray bytes)
{
    Value v;
    v.m_data = Bytes{std::move(bytes)};
    return v;
}

QString Value::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Null: return QStringLiteral("null");
    case Kind::Bool: return QStringLiteral("a boolean");
    case Kind::Int: return QStringLiteral("an integer");
    case Kind::Double: return QStringLiteral("a double");
    case Kind::String: return QStringLiteral("a string");
    case Kind::Bytes: return QStringLiteral("a stream");
    case Kind::Array: return QStringLiteral("an array");
    case Kind::Object: return QStringLiteral("an object");
    case Kind::Table: return QStringLiteral("a table");
    }
    return QString();
}

Result<bool> Value::toBool() const
{
    if (kind() == Kind::Bool)
        return boolValue();
    return Error{expected("true or false", *this)};
}

Result<qint64> Value::toInt64() const
{
    if (kind() == Kind::Int)
        return intValue();
    // 2^63 is exactly representable; the largest double below it is the bound.
    if (kind() == Kind::Double && integralIn(doubleValue(), -9223372036854775808.0, 9223372036854774784.0))
        return qint64(doubleValue());
    return Error{expected(kind() == Kind::Double ? "an integer (no fraction, 64-bit)" : "an integer", *this)};
}

Result<qint32> Value::toInt32() const
{
    const double lo = std::numeric_limits<qint32>::min(), hi = std::numeric_limits<qint32>::max();
    if (kind() == Kind::Int && intValue() >= lo && intValue() <= hi)
        return qint32(intValue());
    if (kind() == Kind::Double && integralIn(doubleValue(), lo, hi))
        return qint32(doubleValue());
    if (kind() == Kind::Int || kind() == Kind::Double)
        return Error{QStringLiteral("expected a 32-bit integer, got ") + numberText(*this)};
    return Error{expected("a 32-bit integer", *this)};
}

Result<double> Value::toDouble() const
{
    if (kind() == Kind::Double)
        return doubleValue();
    if (kind() == Kind::Int)
        return double(intValue());
    return Error{expected("a number", *this)};
}

Result<QString> Value::toString() const
{
    if (kind() == Kind::String)
        return stringValue();
    return Error{expected("a string", *this)};
}

Result<QByteArray> Value::toBytes() const
{
    switch (kind()) {
    case Kind::Null: return QByteArray();
    case Kind::Bytes: return bytesValue();
    case Kind::String: {
        Result<QByteArray> r = fromBase64(QByteArrayView(stringValue().toLatin1()));
        if (!r)
            return Error{QStringLiteral("expected a base64 stream: ") + r.error().message};
        return r;
    }
    default: return Error{expected("a base64 stream", *this)};
    }
}

Result<TableData> Value::takeTable()
{
    if (kind() != Kind::Table)
        return Error{expected("a table", *this)};
    auto &p = std::get<std::shared_ptr<TableData>>(m_data);
    if (p.use_count() == 1) {
        TableData out = std::move(*p);
        m_data = std::monostate{};
        return out;
    }
    return TableData(*p);
}

bool operator==(const Value &a, const Value &b)
{
    if (a.kind() != b.kind())
        return false;
    switch (a.kind()) {
    case Value::Kind::Null: return true;
    case Value::Kind::Bool: return a.boolValue() == b.boolValue();
    case Value::Kind::Int: return a.intValue() == b.intValue();
    case Value::Kind::Double:
        return a.doubleValue() == b.doubleValue() && std::signbit(a.doubleValue()) == std::signbit(b.doubleValue());
    case Value::Kind::String: return a.stringValue() == b.stringValue();
    case Value::Kind::Bytes: return a.bytesValue() == b.bytesValue();
    case Value::Kind::Array: return a.arrayValue() == b.arrayValue();
    case Value::Kind::Object: return a.objectValue() == b.objectValue();
    case Value::Kind::Table: return a.tableValue() == b.tableValue();
    }
    return false;
}

const Value *Object::find(QStringView name) const
{
    for (const Field &f : fields)
        if (f.name == name)
            return &f.value;
    return nullptr;
}

bool operator==(const Object &a, const Object &b)
{
    if (a.type != b.type || a.fields.size() != b.fields.size())
        return false;
    for (qsizetype i = 0; i < a.fields.size(); ++i)
        if (a.fields[i].name != b.fields[i].name || !(a.fields[i].value == b.fields[i].value))
            return false;
    return true;
}

QByteArray toBase64(const QByteArray &bytes)
{
    return bytes.toBase64();
}

Result<QByteArray> fromBase64(QByteArrayView text)
{
    if (text.size() % 4 != 0)
        return Error{QStringLiteral("base64 text of %1 characters (not a multiple of 4)").arg(text.size())};
    qsizetype pad = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool alpha = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
        if (c == '=' && i >= text.size() - 2) {
            ++pad;
        } else if (!alpha || pad > 0) {
            return Error{QStringLiteral("invalid base64 character at position %1").arg(i)};
        }
    }
    return QByteArray::fromBase64(text.toByteArray());
}

} // namespace wire
