// Reading bodies and values with simdjson's DOM parser: it validates the
// whole body (grammar, UTF-8, escapes, numbers, nesting depth) in one pass
// with the fastest instruction set the processor has, chosen at run time,
// into a flat tape; the walk below then turns the tape into values and
// writes tables cell by cell into TableData, without a tree of nodes.
#include "wire/codec.h"

#include "platform/dataset/tabledata.h"

#include <simdjson.h>

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>
#include <limits>
#include <string_view>

namespace wire {

namespace dom = simdjson::dom;
using simdjson::error_code;

namespace {

QString utf8(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString quoted(std::string_view s)
{
    return u'"' + utf8(s) + u'"';
}

QString jsonTypeName(dom::element_type t)
{
    switch (t) {
    case dom::element_type::ARRAY: return QStringLiteral("an array");
    case dom::element_type::OBJECT: return QStringLiteral("an object");
    case dom::element_type::INT64:
    case dom::element_type::UINT64: return QStringLiteral("an integer");
    case dom::element_type::DOUBLE: return QStringLiteral("a number with a fraction");
    case dom::element_type::STRING: return QStringLiteral("a string");
    case dom::element_type::BOOL: return QStringLiteral("a boolean");
    case dom::element_type::NULL_VALUE: return QStringLiteral("null");
    }
    return QStringLiteral("an unknown value");
}

// A JSON number token (RFC 8259 grammar), for exact decimals kept as text.
bool isJsonNumber(std::string_view s)
{
    size_t i = 0;
    const auto digits = [&] {
        const size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        return i - start;
    };
    if (i < s.size() && s[i] == '-')
        ++i;
    if (i < s.size() && s[i] == '0')
        ++i;
    else if (digits() == 0)
        return false;
    if (i < s.size() && s[i] == '.') {
        ++i;
        if (digits() == 0)
            return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == s.size() && !s.empty();
}

bool isBase64(std::string_view s)
{
    return fromBase64(QByteArrayView(s.data(), qsizetype(s.size()))).ok();
}

// Walks a parsed body. Each function returns false on the first error,
// whose reason is kept in m_what; callers add their place (".rows", "[3]")
// in front while the failure unwinds, so the message reads
// "result[0].rows[12][3] (column FIYAT, float): expected a number, got a string".
class Decoder {
public:
    explicit Decoder(size_t bodySize) : m_bodySize(bodySize) {}

    Error error() const { return Error{m_place.isEmpty() ? m_what : m_place + u": " + m_what}; }

    bool fail(QString what)
    {
        m_what = std::move(what);
        return false;
    }
    bool at(const QString &place)
    {
        m_place.prepend(place);
        return false;
    }
    static QString describe(error_code e);

    bool value(dom::element v, Value &out);
    bool envelope(dom::object root, std::string_view key, QList<Value> &out, QString &errorText, bool wantError);

private:
    bool objectOrTable(dom::object o, Value &out);
    bool fields(dom::element v, QList<Field> &out);
    bool columns(dom::element v, QList<FieldDef> &out);
    bool column(dom::element v, FieldDef &out);
    bool rows(dom::element v, TableData &table);
    bool cell(dom::element v, TableData &table, int row, int col, FieldType type);
    bool duplicate(std::string_view key) { return fail(QStringLiteral("duplicate member ") + quoted(key)); }

    size_t m_bodySize;
    QString m_place;
    QString m_what;
};

QString Decoder::describe(error_code e)
{
    switch (e) {
    case simdjson::UTF8_ERROR: return QStringLiteral("invalid UTF-8 in the body");
    case simdjson::EMPTY: return QStringLiteral("empty body, expected a JSON object");
    case simdjson::NUMBER_ERROR: return QStringLiteral("malformed number in the body");
    case simdjson::NUMBER_OUT_OF_RANGE: return QStringLiteral("number out of range in the body");
    case simdjson::STRING_ERROR: return QStringLiteral("invalid string escape in the body");
    case simdjson::UNESCAPED_CHARS: return QStringLiteral("unescaped control character in a string of the body");
    case simdjson::UNCLOSED_STRING: return QStringLiteral("unterminated string in the body");
    case simdjson::T_ATOM_ERROR:
    case simdjson::F_ATOM_ERROR:
    case simdjson::N_ATOM_ERROR: return QStringLiteral("misspelt true, false or null in the body");
    case simdjson::DEPTH_ERROR: return QStringLiteral("body nested deeper than %1 levels").arg(kMaxDepth);
    case simdjson::CAPACITY: return QStringLiteral("body too large");
    case simdjson::MEMALLOC: return QStringLiteral("out of memory while decoding");
    default: return QStringLiteral("invalid JSON (%1)").arg(QLatin1String(simdjson::error_message(e)));
    }
}

bool Decoder::value(dom::element v, Value &out)
{
    switch (v.type()) {
    case dom::element_type::ARRAY: {
        const dom::array a = v.get_array().value_unsafe();
        QList<Value> list;
        qsizetype i = 0;
        for (dom::element e : a) {
            Value item;
            if (!value(e, item))
                return at(QStringLiteral("[%1]").arg(i));
            list.append(std::move(item));
            ++i;
        }
        out = Value(std::move(list));
        return true;
    }
    case dom::element_type::OBJECT: return objectOrTable(v.get_object().value_unsafe(), out);
    case dom::element_type::INT64: out = Value(qint64(v.get_int64().value_unsafe())); return true;
    case dom::element_type::UINT64: return fail(QStringLiteral("integer out of the 64-bit range"));
    case dom::element_type::DOUBLE: out = Value(v.get_double().value_unsafe()); return true;
    case dom::element_type::STRING: out = Value(utf8(v.get_string().value_unsafe())); return true;
    case dom::element_type::BOOL: out = Value(v.get_bool().value_unsafe()); return true;
    case dom::element_type::NULL_VALUE: out = Value(); return true;
    }
    return fail(QStringLiteral("unknown JSON value"));
}

// An object is a marshalled object (type, id, fields), a table (columns,
// rows) or, with none of those members, a plain JSON object. Other members
// of a marshalled object or a table are dropped.
bool Decoder::objectOrTable(dom::object o, Value &out)
{
    bool haveType = false, haveId = false, haveFields = false;
    std::optional<dom::element> columnsValue, rowsValue;
    QString type;
    QList<Field> fieldList, others;
    for (dom::key_value_pair member : o) {
        const std::string_view key = member.key;
        const dom::element mv = member.value;
        if (key == "type") {
            if (std::exchange(haveType, true))
                return duplicate(key);
            std::string_view s;
            if (mv.get_string().get(s))
                return fail(QStringLiteral("\"type\" must be a string, got ") + jsonTypeName(mv.type()));
            type = utf8(s);
        } else if (key == "id") {
            if (std::exchange(haveId, true))
                return duplicate(key);
            int64_t id = 0;
            if (mv.type() != dom::element_type::INT64 || mv.get_int64().get(id) || id < 1)
                return fail(QStringLiteral("\"id\" must be a positive integer"));
        } else if (key == "fields") {
            if (std::exchange(haveFields, true))
                return duplicate(key);
            if (!fields(mv, fieldList))
                return at(QStringLiteral(".fields"));
        } else if (key == "ref") {
            return fail(QStringLiteral("object references (\"ref\") are not supported"));
        } else if (key == "columns") {
            if (columnsValue)
                return duplicate(key);
            columnsValue = mv;
        } else if (key == "rows") {
            if (rowsValue)
                return duplicate(key);
            rowsValue = mv;
        } else {
            Field other{utf8(key), Value()};
            if (!value(mv, other.value))
                return at(u'.' + other.name);
            others.append(std::move(other));
        }
    }
    const bool isTable = columnsValue || rowsValue;
    const bool isObject = haveType || haveId || haveFields;
    if (isTable && isObject)
        return fail(QStringLiteral("an object with both table and marshalled-object members"));
    if (isTable) {
        if (!columnsValue)
            return fail(QStringLiteral("table without \"columns\""));
        if (!rowsValue)
            return fail(QStringLiteral("table without \"rows\""));
        QList<FieldDef> defs;
        if (!columns(*columnsValue, defs))
            return at(QStringLiteral(".columns"));
        TableData table(std::move(defs));
        if (!rows(*rowsValue, table))
            return at(QStringLiteral(".rows"));
        out = Value(std::move(table));
        return true;
    }
    if (isObject) {
        if (!haveType)
            return fail(QStringLiteral("marshalled object without \"type\""));
        if (!haveFields)
            return fail(QStringLiteral("marshalled object without \"fields\""));
        out = Value(Object{std::move(type), std::move(fieldList)});
        return true;
    }
    // A plain JSON object: only meaningful as an ignored member, kept so that
    // it can be read and written again.
    out = Value(Object{QString(), std::move(others)});
    return true;
}

bool Decoder::fields(dom::element v, QList<Field> &out)
{
    dom::object o;
    if (v.get_object().get(o))
        return fail(QStringLiteral("expected an object of fields, got ") + jsonTypeName(v.type()));
    for (dom::key_value_pair member : o) {
        Field field{utf8(member.key), Value()};
        if (!value(member.value, field.value))
            return at(u'.' + field.name);
        out.append(std::move(field));
    }
    return true;
}

bool Decoder::columns(dom::element v, QList<FieldDef> &out)
{
    dom::array a;
    if (v.get_array().get(a))
        return fail(QStringLiteral("expected an array of columns, got ") + jsonTypeName(v.type()));
    qsizetype i = 0;
    for (dom::element e : a) {
        FieldDef def;
        if (!column(e, def))
            return at(QStringLiteral("[%1]").arg(i));
        out.append(std::move(def));
        ++i;
    }
    return true;
}

bool Decoder::column(dom::element v, FieldDef &out)
{
    dom::object o;
    if (v.get_object().get(o))
        return fail(QStringLiteral("expected a column object (name, type, size), got ") + jsonTypeName(v.type()));
    bool haveName = false, haveType = false, haveSize = false;
    for (dom::key_value_pair member : o) {
        const std::string_view key = member.key;
        const dom::element mv = member.value;
        if (key == "name" || key == "type") {
            if (std::exchange(key == "name" ? haveName : haveType, true))
                return duplicate(key);
            std::string_view s;
            if (mv.get_string().get(s))
                return fail(quoted(key) + u" must be a string, got " + jsonTypeName(mv.type()));
            if (key == "name") {
                out.name = utf8(s);
            } else {
                bool known = false;
                out.type = fieldTypeFromName(utf8(s), &known);
                if (!known)
                    return fail(QStringLiteral("unknown column type ") + quoted(s));
            }
        } else if (key == "size") {
            if (std::exchange(haveSize, true))
                return duplicate(key);
            int64_t size = 0;
            if (mv.type() != dom::element_type::INT64 || mv.get_int64().get(size) || size < 0
                || size > std::numeric_limits<int>::max())
                return fail(QStringLiteral("\"size\" must be a non-negative 32-bit integer"));
            out.size = int(size);
        }
    }
    if (!haveName)
        return fail(QStringLiteral("column without \"name\""));
    if (!haveType)
        return fail(QStringLiteral("column \"%1\" without \"type\"").arg(out.name));
    return true;
}

bool Decoder::rows(dom::element v, TableData &table)
{
    dom::array a;
    if (v.get_array().get(a))
        return fail(QStringLiteral("expected an array of rows, got ") + jsonTypeName(v.type()));
    const int width = table.fieldCount();
    std::vector<FieldType> types;
    types.reserve(size_t(width));
    for (const FieldDef &f : table.fields())
        types.push_back(f.type);
    // Reserve for the rows the body holds, but never more than rows of this
    // width could fill it (a cell takes at least two bytes), so a body of
    // empty rows under many columns cannot make us allocate far beyond it.
    table.reserveRows(qsizetype(std::min(a.size(), m_bodySize / (2 * size_t(std::max(width, 1))))));
    int row = 0;
    for (dom::element rowValue : a) {
        dom::array cells;
        if (rowValue.get_array().get(cells))
            return fail(QStringLiteral("expected a row array, got ") + jsonTypeName(rowValue.type())),
                   at(QStringLiteral("[%1]").arg(row));
        table.appendRow();
        int col = 0;
        for (dom::element c : cells) {
            if (col >= width)
                return fail(QStringLiteral("row has more than %1 cells").arg(width)), at(QStringLiteral("[%1]").arg(row));
            if (!cell(c, table, row, col, types[size_t(col)])) {
                const FieldDef &f = table.field(col);
                return at(QStringLiteral("[%1][%2] (column %3, %4)").arg(row).arg(col).arg(f.name, fieldTypeName(f.type)));
            }
            ++col;
        }
        if (col != width)
            return fail(QStringLiteral("row has %1 cells, expected %2").arg(col).arg(width)),
                   at(QStringLiteral("[%1]").arg(row));
        ++row;
    }
    return true;
}

bool Decoder::cell(dom::element v, TableData &table, int row, int col, FieldType type)
{
    const dom::element_type t = v.type();
    if (t == dom::element_type::NULL_VALUE)
        return true;  // a new row's cells start null
    const auto wrongKind = [&](const char *expected) {
        return fail(QLatin1String("expected ") + QLatin1String(expected) + u", got " + jsonTypeName(t));
    };
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt: {
        qint64 i = 0;
        if (t == dom::element_type::INT64) {
            i = v.get_int64().value_unsafe();
        } else if (t == dom::element_type::DOUBLE) {
            // A whole number written as a double (12.0) is still that integer.
            const double d = v.get_double().value_unsafe();
            if (std::trunc(d) != d || std::fabs(d) >= 9.2e18)
                return fail(QStringLiteral("expected an integer, got %1").arg(d, 0, 'g', 17));
            i = qint64(d);
        } else if (t == dom::element_type::UINT64) {
            return fail(QStringLiteral("integer out of the 64-bit range"));
        } else {
            return wrongKind("an integer");
        }
        if (type == FieldType::Integer && (i < std::numeric_limits<qint32>::min() || i > std::numeric_limits<qint32>::max()))
            return fail(QStringLiteral("integer %1 out of the 32-bit range").arg(i));
        table.setInt(row, col, i);
        return true;
    }
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::DateTime: {
        double d = 0;
        if (t == dom::element_type::DOUBLE)
            d = v.get_double().value_unsafe();
        else if (t == dom::element_type::INT64)
            d = double(v.get_int64().value_unsafe());
        else if (t == dom::element_type::UINT64)
            d = double(v.get_uint64().value_unsafe());
        else
            return wrongKind("a number");
        if (type == FieldType::Date && std::trunc(d) != d)
            return fail(QStringLiteral("expected a day number without fraction, got %1").arg(d, 0, 'g', 17));
        table.setDouble(row, col, d);
        return true;
    }
    case FieldType::Bcd: {
        // Kept as decimal text. The text form is exact; a number is written
        // back in its shortest round-trip form.
        char buf[40];
        std::string_view text;
        if (t == dom::element_type::STRING) {
            text = v.get_string().value_unsafe();
            if (!isJsonNumber(text))
                return fail(QStringLiteral("expected a decimal number, got ") + quoted(text));
        } else if (t == dom::element_type::INT64 || t == dom::element_type::UINT64 || t == dom::element_type::DOUBLE) {
            std::to_chars_result r;
            if (t == dom::element_type::INT64)
                r = std::to_chars(buf, buf + sizeof buf, v.get_int64().value_unsafe());
            else if (t == dom::element_type::UINT64)
                r = std::to_chars(buf, buf + sizeof buf, v.get_uint64().value_unsafe());
            else
                r = std::to_chars(buf, buf + sizeof buf, v.get_double().value_unsafe());
            text = std::string_view(buf, size_t(r.ptr - buf));
        } else {
            return wrongKind("a decimal number or its text");
        }
        table.setStringUtf8(row, col, QByteArrayView(text.data(), qsizetype(text.size())));
        return true;
    }
    case FieldType::Boolean:
        if (t != dom::element_type::BOOL)
            return wrongKind("true or false");
        table.setBool(row, col, v.get_bool().value_unsafe());
        return true;
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob: {
        if (t != dom::element_type::STRING)
            return wrongKind(type == FieldType::Blob ? "a base64 string" : "a string");
        const std::string_view s = v.get_string().value_unsafe();
        if (type == FieldType::Blob && !isBase64(s))
            return fail(QStringLiteral("expected a base64 string"));
        table.setStringUtf8(row, col, QByteArrayView(s.data(), qsizetype(s.size())));
        return true;
    }
    }
    return fail(QStringLiteral("unsupported column type"));
}

bool Decoder::envelope(dom::object root, std::string_view key, QList<Value> &out, QString &errorText, bool wantError)
{
    bool seen = false;
    for (dom::key_value_pair member : root) {
        if (member.key != key)
            continue;  // other members of the envelope are not ours
        if (std::exchange(seen, true))
            return duplicate(key);
        const dom::element mv = member.value;
        if (wantError) {
            std::string_view s;
            if (mv.get_string().get(s))
                return fail(quoted(key) + u" must be a string, got " + jsonTypeName(mv.type()));
            errorText = utf8(s);
            continue;
        }
        dom::array a;
        if (mv.get_array().get(a))
            return fail(quoted(key) + u" must be an array, got " + jsonTypeName(mv.type()));
        const QString name = key == "_parameters" ? QStringLiteral("parameter") : utf8(key);
        qsizetype i = 0;
        for (dom::element e : a) {
            Value item;
            if (!value(e, item))
                return at(name + QStringLiteral("[%1]").arg(i));
            out.append(std::move(item));
            ++i;
        }
    }
    if (!seen)
        return fail(QStringLiteral("missing member ") + quoted(key));
    return true;
}

// Each thread keeps its parser and its padded copy of the body from one
// decode to the next: fresh buffers of several times the body's size cost
// more in page faults than the parsing itself. Bodies above kReuseLimit get
// buffers of their own, freed after the call.
constexpr size_t kReuseLimit = size_t(64) << 20;

struct Buffers {
    dom::parser parser;
    std::unique_ptr<char[]> copy;
    size_t copyCapacity = 0;
};

std::unique_ptr<Buffers> &threadBuffers()
{
    thread_local std::unique_ptr<Buffers> buffers;
    return buffers;
}

struct Decoded {
    QList<Value> values;
    QString errorText;
};

Result<Decoded> decodeBody(const QByteArray &body, std::string_view key, bool wantError)
{
    const size_t len = size_t(body.size());
    std::unique_ptr<Buffers> own;
    Buffers *buffers;
    if (len <= kReuseLimit) {
        std::unique_ptr<Buffers> &shared = threadBuffers();
        if (!shared)
            shared = std::make_unique<Buffers>();
        buffers = shared.get();
    } else {
        own = std::make_unique<Buffers>();
        buffers = own.get();
    }
    dom::parser &parser = buffers->parser;
    if (parser.capacity() < len || parser.max_depth() != size_t(kMaxDepth)) {
        if (auto e = parser.allocate(std::max(len, parser.capacity()), kMaxDepth))
            return Error{Decoder::describe(e)};
    }
    // The parser reads up to SIMDJSON_PADDING bytes past the end; a body with
    // that much spare capacity is read in place, any other is copied once.
    // (Spare room is measured after the data: capacity() also counts room
    // before it, and raw data from QByteArray::fromRawData has none.)
    const char *input = body.constData();
    if (const_cast<QByteArray &>(body).data_ptr().freeSpaceAtEnd() < kBodyPadding) {
        if (buffers->copyCapacity < len + simdjson::SIMDJSON_PADDING) {
            buffers->copyCapacity = len + simdjson::SIMDJSON_PADDING;
            buffers->copy.reset(new char[buffers->copyCapacity]);
        }
        std::memcpy(buffers->copy.get(), input, len);
        std::memset(buffers->copy.get() + len, ' ', simdjson::SIMDJSON_PADDING);
        input = buffers->copy.get();
    }
    dom::element doc;
    if (auto e = parser.parse(input, len, false).get(doc))
        return Error{Decoder::describe(e)};
    dom::object root;
    if (doc.get_object().get(root))
        return Error{QStringLiteral("expected a JSON object, got ") + jsonTypeName(doc.type())};
    Decoder d(len);
    Decoded out;
    if (!d.envelope(root, key, out.values, out.errorText, wantError))
        return d.error();
    return out;
}

} // namespace

static_assert(size_t(kBodyPadding) >= simdjson::SIMDJSON_PADDING);

QByteArray paddedBody(const char *data, qsizetype size)
{
    QByteArray body;
    body.reserve(size + kBodyPadding);
    body.append(data, size);
    return body;
}

void releaseDecodeBuffers()
{
    threadBuffers().reset();
}

Result<QList<Value>> decodeRequest(const QByteArray &body)
{
    Result<Decoded> r = decodeBody(body, "_parameters", false);
    if (!r)
        return r.error();
    return std::move(r.value().values);
}

Result<QList<Value>> decodeResult(const QByteArray &body)
{
    Result<Decoded> r = decodeBody(body, "result", false);
    if (!r)
        return r.error();
    return std::move(r.value().values);
}

Result<QString> decodeError(const QByteArray &body)
{
    Result<Decoded> r = decodeBody(body, "error", true);
    if (!r)
        return r.error();
    return std::move(r.value().errorText);
}

} // namespace wire
