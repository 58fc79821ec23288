#include "wire/reader.h"

#include "platform/dataset/tabledata.h"

namespace wire {

Reader::Reader(QList<Value> values, QString what) : m_values(std::move(values)), m_what(std::move(what)) {}

const Value *Reader::next(QStringView name)
{
    if (m_error)
        return nullptr;
    if (m_pos >= m_values.size()) {
        m_error = Error{QStringLiteral("%1 %2 (%3) is missing: %4 given")
                            .arg(m_what).arg(m_pos + 1).arg(name).arg(m_values.size())};
        return nullptr;
    }
    return &m_values[m_pos++];
}

void Reader::fail(QStringView name, const Error &error)
{
    if (!m_error)
        m_error = error.within(QStringLiteral("%1 %2 (%3)").arg(m_what).arg(m_pos).arg(name));
}

#define WIRE_READ(Type, call)                                                                                          \
    const Value *v = next(name);                                                                                       \
    if (!v)                                                                                                            \
        return Type();                                                                                                 \
    auto r = v->call();                                                                                                \
    if (!r) {                                                                                                          \
        fail(name, r.error());                                                                                         \
        return Type();                                                                                                 \
    }                                                                                                                  \
    return std::move(r).value();

qint32 Reader::int32(QStringView name) { WIRE_READ(qint32, toInt32) }
qint64 Reader::int64(QStringView name) { WIRE_READ(qint64, toInt64) }
double Reader::number(QStringView name) { WIRE_READ(double, toDouble) }
bool Reader::boolean(QStringView name) { WIRE_READ(bool, toBool) }
QString Reader::string(QStringView name) { WIRE_READ(QString, toString) }
QByteArray Reader::bytes(QStringView name) { WIRE_READ(QByteArray, toBytes) }

#undef WIRE_READ

TableData Reader::table(QStringView name)
{
    if (m_error || m_pos >= m_values.size()) {
        next(name);
        return TableData();
    }
    Value &v = m_values[m_pos++];
    Result<TableData> r = v.takeTable();
    if (!r) {
        fail(name, r.error());
        return TableData();
    }
    return std::move(r).value();
}

Value Reader::value(QStringView name)
{
    const Value *v = next(name);
    return v ? *v : Value();
}

bool Reader::finish()
{
    if (!m_error && m_pos != m_values.size())
        m_error = Error{QStringLiteral("%1 %2 given, %3 expected").arg(m_values.size()).arg(m_what + u's').arg(m_pos)};
    return !m_error;
}

} // namespace wire
