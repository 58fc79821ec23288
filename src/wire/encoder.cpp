// Writing values and bodies as JSON.
#include "wire/codec.h"
#include "wire/jsonwriter.h"

#include "platform/dataset/tabledata.h"

#include <cmath>

namespace wire {

using detail::JsonWriter;

EncodeError::EncodeError(const QString &message) : std::runtime_error(message.toStdString()) {}

QString EncodeError::message() const
{
    return QString::fromUtf8(what());
}

namespace {

void writeValue(JsonWriter &w, const Value &v, int &nextId);

void writeObject(JsonWriter &w, const Object &o, int &nextId)
{
    const bool plain = o.type.isEmpty();
    if (plain) {
        w.raw('{');
    } else {
        w.raw("{\"type\":");
        w.string(o.type);
        w.raw(",\"id\":");
        w.integer(nextId++);
        w.raw(",\"fields\":{");
    }
    bool first = true;
    for (const Field &f : o.fields) {
        if (!first)
            w.raw(',');
        first = false;
        w.key(QByteArrayView(f.name.toUtf8()));
        writeValue(w, f.value, nextId);
    }
    w.raw(plain ? QByteArrayView("}") : QByteArrayView("}}"));
}

void writeCell(JsonWriter &w, const TableData &t, int row, int col, FieldType type)
{
    if (t.isNull(row, col)) {
        w.raw("null");
        return;
    }
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt: w.integer(t.intValue(row, col)); break;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::DateTime: w.number(t.doubleValue(row, col)); break;
    case FieldType::Date: {
        // A day number without fraction; one beyond 2^53 days cannot be a
        // calendar date anyway and keeps its double form.
        const double d = t.doubleValue(row, col);
        if (std::fabs(d) < 9007199254740992.0)
            w.integer(qint64(d));
        else
            w.number(d);
        break;
    }
    case FieldType::Boolean: w.raw(t.boolValue(row, col) ? QByteArrayView("true") : QByteArrayView("false")); break;
    // Exact decimals travel as their text, so no digit is lost to a double.
    case FieldType::Bcd:
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob: w.string(t.utf8Value(row, col)); break;
    }
}

void writeTable(JsonWriter &w, const TableData &t)
{
    w.raw("{\"columns\":[");
    const int cols = t.fieldCount();
    QList<FieldType> types;
    types.reserve(cols);
    for (int c = 0; c < cols; ++c) {
        const FieldDef &f = t.field(c);
        types.append(f.type);
        if (c)
            w.raw(',');
        w.raw("{\"name\":");
        w.string(f.name);
        w.raw(",\"type\":");
        w.string(fieldTypeName(f.type));
        if (f.type == FieldType::String || f.size != 0) {
            w.raw(",\"size\":");
            w.integer(f.size);
        }
        w.raw('}');
    }
    w.raw("],\"rows\":[");
    for (int r = 0; r < t.rowCount(); ++r) {
        if (r)
            w.raw(',');
        w.raw('[');
        for (int c = 0; c < cols; ++c) {
            if (c)
                w.raw(',');
            writeCell(w, t, r, c, types[c]);
        }
        w.raw(']');
    }
    w.raw("]}");
}

void writeValue(JsonWriter &w, const Value &v, int &nextId)
{
    switch (v.kind()) {
    case Value::Kind::Null: w.raw("null"); break;
    case Value::Kind::Bool: w.raw(v.boolValue() ? QByteArrayView("true") : QByteArrayView("false")); break;
    case Value::Kind::Int: w.integer(v.intValue()); break;
    case Value::Kind::Double: w.number(v.doubleValue()); break;
    case Value::Kind::String: w.string(v.stringValue()); break;
    case Value::Kind::Bytes: w.string(QByteArrayView(toBase64(v.bytesValue()))); break;
    case Value::Kind::Array: {
        w.raw('[');
        bool first = true;
        for (const Value &e : v.arrayValue()) {
            if (!first)
                w.raw(',');
            first = false;
            writeValue(w, e, nextId);
        }
        w.raw(']');
        break;
    }
    case Value::Kind::Object: writeObject(w, v.objectValue(), nextId); break;
    case Value::Kind::Table: writeTable(w, v.tableValue()); break;
    }
}

// Rough size of a value's JSON, so a large table is written without regrowing.
qsizetype estimate(const Value &v)
{
    if (v.kind() == Value::Kind::Table) {
        const TableData &t = v.tableValue();
        return 64 + qsizetype(t.rowCount()) * (2 + qsizetype(t.fieldCount()) * 12);
    }
    if (v.kind() == Value::Kind::Bytes)
        return v.bytesValue().size() * 4 / 3 + 8;
    if (v.kind() == Value::Kind::String)
        return v.stringValue().size() + 8;
    return 32;
}

QByteArray envelope(QByteArrayView key, const QList<Value> &values)
{
    qsizetype size = 32;
    for (const Value &v : values)
        size += estimate(v);
    JsonWriter w(size);
    w.raw('{');
    w.key(key);
    w.raw('[');
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i)
            w.raw(',');
        int nextId = 1;  // each marshalled value numbers its objects from 1
        writeValue(w, values[i], nextId);
    }
    w.raw("]}");
    return w.take();
}

} // namespace

QByteArray encodeRequest(const QList<Value> &parameters)
{
    return envelope("_parameters", parameters);
}

QByteArray encodeResult(const QList<Value> &results)
{
    return envelope("result", results);
}

QByteArray encodeError(const QString &text)
{
    JsonWriter w(text.size() + 16);
    w.raw('{');
    w.key("error");
    w.string(text);
    w.raw('}');
    return w.take();
}

QByteArray encodeValue(const Value &value)
{
    JsonWriter w(estimate(value));
    int nextId = 1;
    writeValue(w, value, nextId);
    return w.take();
}

} // namespace wire
