// libFuzzer target for the decoder: any bytes either decode or give an
// error message; what decodes encodes and decodes again to the same values.
// Decoded values are then read the ways the client reads them: tables cell
// by cell, marshalled objects into the registered transfer objects (and
// marshalled again to the same value), streams as base64, every value
// through the strict readers; an error body's text encodes and decodes back.
#include "platform/dataset/tabledata.h"
#include "server/proxim.h"
#include "wire/codec.h"
#include "wire/marshal.h"
#include "wire/reader.h"
#include "wire/value.h"

#include <QVariant>

#include <cstdlib>

namespace {

void need(bool condition)
{
    if (!condition)
        std::abort();
}

// A reader's answer is a value or an error with a message.
template <typename T>
void readable(const wire::Result<T> &r)
{
    need(r.ok() || !r.errorText().isEmpty());
}

void readTable(const TableData &t)
{
    for (int row = 0; row < t.rowCount(); ++row) {
        for (int col = 0; col < t.fieldCount(); ++col) {
            if (t.isNull(row, col))
                continue;
            (void)t.value(row, col);
            (void)t.stringValue(row, col);
        }
    }
}

void readObject(const wire::Value &v)
{
    wire::Result<QVariant> any = wire::unmarshalAny(v);
    readable(any);
    if (!any)
        return;
    const QMetaObject *meta = any.value().metaType().metaObject();
    need(meta != nullptr);
    // Marshalled again and read back, the object is the same transfer object.
    const wire::Value again = wire::detail::marshal(any.value().constData(), meta);
    wire::Result<QVariant> back = wire::unmarshalAny(again);
    need(back.ok());
    need(wire::detail::marshal(back.value().constData(), meta) == again);
}

void readValue(const wire::Value &v, int depth)
{
    readable(v.toBool());
    readable(v.toInt32());
    readable(v.toInt64());
    readable(v.toDouble());
    readable(v.toString());
    readable(v.toBytes());
    if (depth > wire::kMaxDepth)
        return;
    switch (v.kind()) {
    case wire::Value::Kind::Array:
        for (const wire::Value &item : v.arrayValue())
            readValue(item, depth + 1);
        break;
    case wire::Value::Kind::Object:
        readObject(v);
        for (const wire::Field &f : v.objectValue().fields)
            readValue(f.value, depth + 1);
        break;
    case wire::Value::Kind::Table:
        readTable(v.tableValue());
        break;
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    TransferNesneleriniKaydet();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    for (auto decode : {&wire::decodeResult, &wire::decodeRequest}) {
        auto r = decode(body);
        if (!r) {
            need(!r.errorText().isEmpty());
            continue;
        }
        auto again = wire::decodeResult(wire::encodeResult(r.value()));
        need(again && again.value() == r.value());
        // The server reads parameters and the client results in order.
        wire::Reader in(r.value(), QStringLiteral("result"));
        for (const wire::Value &v : r.value()) {
            readValue(v, 1);
            (void)in.value(u"x");
        }
        need(in.finish());
        for (wire::Value &v : r.value()) {
            if (v.kind() == wire::Value::Kind::Table) {
                wire::Result<TableData> t = v.takeTable();
                need(t.ok());
                readTable(t.value());
            }
        }
    }
    auto e = wire::decodeError(body);
    need(e || !e.errorText().isEmpty());
    if (e) {
        auto back = wire::decodeError(wire::encodeError(e.value()));
        need(back && back.value() == e.value());
    }
    return 0;
}
