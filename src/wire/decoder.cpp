// Reading bodies: one pass of a strict recursive-descent JSON reader straight
// into values and tables. The body's UTF-8 is checked first in one go
// (simdjson's vectorised validator); the walk then checks grammar, escapes,
// numbers and nesting as it meets them and writes table cells into
// TableData as it reads them. Nothing is built beside the body and the
// result (no token index, no tape, no tree), so decoding a table costs about
// its cells, and a text without escapes is copied once, from the body into
// its column.
#include "wire/codec.h"

#include "platform/dataset/tabledata.h"

#include <simdjson.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wire {

namespace {

QString utf8(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString quoted(std::string_view s)
{
    return u'"' + utf8(s) + u'"';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool startsNumber(char c)
{
    return c == '-' || isDigit(c);
}

// A JSON number token (RFC 8259 grammar), for exact decimals kept as text.
bool isJsonNumber(std::string_view s)
{
    size_t i = 0;
    const auto digits = [&] {
        const size_t start = i;
        while (i < s.size() && isDigit(s[i]))
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

// Rows read before a table's columns are reserved for the rest (see
// reserveFromSample).
constexpr int kSampleRows = 64;

bool isTextType(FieldType t)
{
    return t == FieldType::String || t == FieldType::Memo || t == FieldType::Blob || t == FieldType::Bcd;
}

// A number as read: an integer token (no fraction, no exponent) that fits
// 64 bits is `integer`; anything else carries its double.
struct Number {
    bool isInteger = false;   // an integer token within the 64-bit range
    bool tooLong = false;     // an integer token beyond the 64-bit range
    qint64 integer = 0;
    double real = 0;          // for every token but an integer that fits
};

// Walks a body. Each function returns false on the first error, whose
// reason is kept in m_what; callers add their place (".rows", "[3]") in
// front while the failure unwinds, so the message reads
// "result[0].rows[12][3] (column FIYAT, float): expected a number, got a string".
//
// Nesting: `depth` is the number of arrays and objects around the value
// being read; an array or object that would be the (kMaxDepth + 1)th level
// is refused.
class Decoder {
public:
    Decoder(const char *begin, const char *end) : m_begin(begin), m_p(begin), m_end(end) {}

    Error error() const { return Error{m_place.isEmpty() ? m_what : m_place + u": " + m_what}; }

    // The whole body: an object whose member `key` holds the values (an
    // array) or, with wantError, the error text (a string).
    bool body(std::string_view key, QList<Value> &out, QString &errorText, bool wantError);

private:
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
    bool syntax(const char *expected);
    bool endsEarly() { return fail(QStringLiteral("invalid JSON (the body ends inside a value)")); }
    bool duplicate(std::string_view key) { return fail(QStringLiteral("duplicate member ") + quoted(key)); }
    bool tooDeep() { return fail(QStringLiteral("body nested deeper than %1 levels").arg(kMaxDepth)); }

    void skipSpace()
    {
        while (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
            ++m_p;
    }
    // Skips blanks; false (the body ends early) when nothing follows.
    bool next()
    {
        skipSpace();
        return m_p < m_end || endsEarly();
    }
    // What the value at the current place is, for messages ("an integer").
    QString nextKind() const;

    bool string(std::string_view &out, std::string &scratch);
    bool number(Number &out);
    bool word(std::string_view w);

    // Calls each(index) for every element of the array at the current place;
    // each reads one value. The array is at nesting level `level`.
    template <typename Each>
    bool elements(int level, Each &&each);
    // Calls each(key) for every member of the object at the current place,
    // with the current place at the member's value; each reads it. The key's
    // text is valid until the next key is read.
    template <typename Each>
    bool members(int level, Each &&each);

    bool value(Value &out, int depth);
    bool skip(int depth);
    bool objectOrTable(Value &out, int depth);
    bool fields(QList<Field> &out, int depth);
    bool columns(QList<FieldDef> &out, int depth);
    bool column(FieldDef &out, int depth);
    bool rows(TableData &table, int depth);
    bool cell(TableData &table, int row, int col, FieldType type);
    void reserveFromSample(TableData &table, const char *rowsBegin, int sampled);

    const char *const m_begin;
    const char *m_p;
    const char *const m_end;
    std::string m_keyScratch;    // a key with escapes, unescaped
    std::string m_valueScratch;  // a string value with escapes, unescaped
    QString m_place;
    QString m_what;
};

bool Decoder::syntax(const char *expected)
{
    if (m_p >= m_end)
        return endsEarly();
    return fail(QStringLiteral("invalid JSON (expected %1 at byte %2)").arg(QLatin1String(expected)).arg(m_p - m_begin));
}

QString Decoder::nextKind() const
{
    if (m_p >= m_end)
        return QStringLiteral("the end of the body");
    switch (*m_p) {
    case '[': return QStringLiteral("an array");
    case '{': return QStringLiteral("an object");
    case '"': return QStringLiteral("a string");
    case 't':
    case 'f': return QStringLiteral("a boolean");
    case 'n': return QStringLiteral("null");
    default: break;
    }
    if (!startsNumber(*m_p))
        return QStringLiteral("something that is not JSON");
    for (const char *p = m_p; p < m_end && (startsNumber(*p) || *p == '.' || *p == 'e' || *p == 'E' || *p == '+'); ++p)
        if (*p == '.' || *p == 'e' || *p == 'E')
            return QStringLiteral("a number with a fraction");
    return QStringLiteral("an integer");
}

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Four hexadecimal digits at p (p + 4 <= end checked by the caller).
bool hex4(const char *p, char32_t &out)
{
    out = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = p[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        out = out * 16 + char32_t(d);
    }
    return true;
}

// The string at the current place (a '"'). Without escapes `out` views the
// body itself; with escapes it views `scratch`, valid until its next use.
bool Decoder::string(std::string_view &out, std::string &scratch)
{
    const char *const start = ++m_p;
    const char *p = start;
    for (;;) {
        if (p >= m_end)
            return fail(QStringLiteral("unterminated string in the body"));
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"') {
            out = std::string_view(start, size_t(p - start));
            m_p = p + 1;
            return true;
        }
        if (c == '\\')
            break;
        if (c < 0x20)
            return fail(QStringLiteral("unescaped control character in a string of the body"));
        ++p;
    }
    scratch.assign(start, p);
    const QString badEscape = QStringLiteral("invalid string escape in the body");
    for (;;) {
        if (p >= m_end)
            return fail(QStringLiteral("unterminated string in the body"));
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"') {
            out = scratch;
            m_p = p + 1;
            return true;
        }
        if (c < 0x20)
            return fail(QStringLiteral("unescaped control character in a string of the body"));
        if (c != '\\') {
            const char *run = p;
            while (p < m_end && *p != '"' && *p != '\\' && static_cast<unsigned char>(*p) >= 0x20)
                ++p;
            scratch.append(run, p);
            continue;
        }
        if (++p >= m_end)
            return fail(QStringLiteral("unterminated string in the body"));
        switch (*p++) {
        case '"': scratch += '"'; break;
        case '\\': scratch += '\\'; break;
        case '/': scratch += '/'; break;
        case 'b': scratch += '\b'; break;
        case 'f': scratch += '\f'; break;
        case 'n': scratch += '\n'; break;
        case 'r': scratch += '\r'; break;
        case 't': scratch += '\t'; break;
        case 'u': {
            char32_t unit = 0;
            if (m_end - p < 4 || !hex4(p, unit))
                return fail(badEscape);
            p += 4;
            if (unit >= 0xDC00 && unit <= 0xDFFF)
                return fail(badEscape);  // a low surrogate with no high one before it
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                char32_t low = 0;
                if (m_end - p < 6 || p[0] != '\\' || p[1] != 'u' || !hex4(p + 2, low) || low < 0xDC00 || low > 0xDFFF)
                    return fail(badEscape);  // a high surrogate must be followed by a low one
                p += 6;
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            }
            appendUtf8(scratch, unit);
            break;
        }
        default: return fail(badEscape);
        }
    }
}

bool Decoder::number(Number &out)
{
    const char *const start = m_p;
    const char *p = m_p;
    const QString malformed = QStringLiteral("malformed number in the body");
    if (p < m_end && *p == '-')
        ++p;
    if (p < m_end && *p == '0') {
        ++p;
    } else if (p < m_end && isDigit(*p)) {
        while (p < m_end && isDigit(*p))
            ++p;
    } else {
        return fail(malformed);
    }
    bool integer = true;
    if (p < m_end && *p == '.') {
        integer = false;
        const char *digits = ++p;
        while (p < m_end && isDigit(*p))
            ++p;
        if (p == digits)
            return fail(malformed);
    }
    if (p < m_end && (*p == 'e' || *p == 'E')) {
        integer = false;
        ++p;
        if (p < m_end && (*p == '+' || *p == '-'))
            ++p;
        const char *digits = p;
        while (p < m_end && isDigit(*p))
            ++p;
        if (p == digits)
            return fail(malformed);
    }
    out = Number{};
    if (integer) {
        const auto r = std::from_chars(start, p, out.integer);
        if (r.ec == std::errc()) {
            out.isInteger = true;
            m_p = p;
            return true;
        }
        out.tooLong = true;
    }
    const auto r = std::from_chars(start, p, out.real);
    if (r.ec == std::errc::result_out_of_range) {
        // Too small to tell from zero reads as zero; too large is refused.
        const std::string_view text(start, size_t(p - start));
        const size_t e = text.find_first_of("eE");
        if (integer || e == std::string_view::npos || e + 1 >= text.size() || text[e + 1] != '-')
            return fail(QStringLiteral("number out of range in the body"));
        out.real = *start == '-' ? -0.0 : 0.0;
    } else if (r.ec != std::errc() || r.ptr != p) {
        return fail(malformed);
    }
    m_p = p;
    return true;
}

bool Decoder::word(std::string_view w)
{
    if (size_t(m_end - m_p) >= w.size() && std::memcmp(m_p, w.data(), w.size()) == 0) {
        m_p += w.size();
        return true;
    }
    return fail(QStringLiteral("misspelt true, false or null in the body"));
}

template <typename Each>
bool Decoder::elements(int level, Each &&each)
{
    if (level > kMaxDepth)
        return tooDeep();
    ++m_p;  // '['
    skipSpace();
    if (m_p < m_end && *m_p == ']') {
        ++m_p;
        return true;
    }
    for (qsizetype i = 0;; ++i) {
        if (!each(i))
            return false;
        skipSpace();
        if (m_p < m_end && *m_p == ',') {
            ++m_p;
            continue;
        }
        if (m_p < m_end && *m_p == ']') {
            ++m_p;
            return true;
        }
        return syntax("',' or ']'");
    }
}

template <typename Each>
bool Decoder::members(int level, Each &&each)
{
    if (level > kMaxDepth)
        return tooDeep();
    ++m_p;  // '{'
    skipSpace();
    if (m_p < m_end && *m_p == '}') {
        ++m_p;
        return true;
    }
    for (;;) {
        skipSpace();
        if (m_p >= m_end || *m_p != '"')
            return syntax("a member name");
        std::string_view key;
        if (!string(key, m_keyScratch))
            return false;
        skipSpace();
        if (m_p >= m_end || *m_p != ':')
            return syntax("':'");
        ++m_p;
        if (!each(key))
            return false;
        skipSpace();
        if (m_p < m_end && *m_p == ',') {
            ++m_p;
            continue;
        }
        if (m_p < m_end && *m_p == '}') {
            ++m_p;
            return true;
        }
        return syntax("',' or '}'");
    }
}

bool Decoder::value(Value &out, int depth)
{
    if (!next())
        return false;
    switch (*m_p) {
    case '[': {
        QList<Value> list;
        if (!elements(depth + 1, [&](qsizetype i) {
                Value item;
                if (!value(item, depth + 1))
                    return at(QStringLiteral("[%1]").arg(i));
                list.append(std::move(item));
                return true;
            }))
            return false;
        out = Value(std::move(list));
        return true;
    }
    case '{': return objectOrTable(out, depth);
    case '"': {
        std::string_view s;
        if (!string(s, m_valueScratch))
            return false;
        out = Value(utf8(s));
        return true;
    }
    case 't': out = Value(true); return word("true");
    case 'f': out = Value(false); return word("false");
    case 'n': out = Value(); return word("null");
    default: break;
    }
    if (!startsNumber(*m_p))
        return syntax("a value");
    Number n;
    if (!number(n))
        return false;
    if (n.tooLong)
        return fail(QStringLiteral("integer out of the 64-bit range"));
    out = n.isInteger ? Value(n.integer) : Value(n.real);
    return true;
}

// Reads a value only to check it (members nobody asked for).
bool Decoder::skip(int depth)
{
    if (!next())
        return false;
    switch (*m_p) {
    case '[': return elements(depth + 1, [&](qsizetype) { return skip(depth + 1); });
    case '{': return members(depth + 1, [&](std::string_view) { return skip(depth + 1); });
    case '"': {
        std::string_view s;
        return string(s, m_valueScratch);
    }
    case 't': return word("true");
    case 'f': return word("false");
    case 'n': return word("null");
    default: break;
    }
    if (!startsNumber(*m_p))
        return syntax("a value");
    Number n;
    return number(n);
}

// An object is a marshalled object (type, id, fields), a table (columns,
// rows) or, with none of those members, a plain JSON object. Other members
// of a marshalled object or a table are dropped. Rows are read as they come
// when the columns came first (as the protocol writes them); rows before
// their columns are checked, and read once the columns are known.
bool Decoder::objectOrTable(Value &out, int depth)
{
    const int level = depth + 1;
    bool haveType = false, haveId = false, haveFields = false, haveColumns = false;
    const char *rowsAt = nullptr;
    std::optional<TableData> table;
    QString type;
    QList<Field> fieldList, others;
    QList<FieldDef> defs;
    const bool read = members(level, [&](std::string_view key) -> bool {
        if (key == "type") {
            if (std::exchange(haveType, true))
                return duplicate(key);
            if (!next())
                return false;
            std::string_view s;
            if (*m_p != '"')
                return fail(QStringLiteral("\"type\" must be a string, got ") + nextKind());
            if (!string(s, m_valueScratch))
                return false;
            type = utf8(s);
        } else if (key == "id") {
            if (std::exchange(haveId, true))
                return duplicate(key);
            if (!next())
                return false;
            const QString wrong = QStringLiteral("\"id\" must be a positive integer");
            if (!startsNumber(*m_p))
                return fail(wrong);
            Number n;
            if (!number(n))
                return false;
            if (!n.isInteger || n.integer < 1)
                return fail(wrong);
        } else if (key == "fields") {
            if (std::exchange(haveFields, true))
                return duplicate(key);
            if (!fields(fieldList, level))
                return at(QStringLiteral(".fields"));
        } else if (key == "ref") {
            return fail(QStringLiteral("object references (\"ref\") are not supported"));
        } else if (key == "columns") {
            if (std::exchange(haveColumns, true))
                return duplicate(key);
            if (!columns(defs, level))
                return at(QStringLiteral(".columns"));
        } else if (key == "rows") {
            if (rowsAt)
                return duplicate(key);
            if (!next())
                return false;
            rowsAt = m_p;
            if (haveColumns) {
                table.emplace(defs);
                if (!rows(*table, level))
                    return at(QStringLiteral(".rows"));
            } else if (!skip(level)) {
                return at(QStringLiteral(".rows"));
            }
        } else {
            Field other{utf8(key), Value()};
            if (!value(other.value, level))
                return at(u'.' + other.name);
            others.append(std::move(other));
        }
        return true;
    });
    if (!read)
        return false;
    const bool isTable = haveColumns || rowsAt;
    const bool isObject = haveType || haveId || haveFields;
    if (isTable && isObject)
        return fail(QStringLiteral("an object with both table and marshalled-object members"));
    if (isTable) {
        if (!haveColumns)
            return fail(QStringLiteral("table without \"columns\""));
        if (!rowsAt)
            return fail(QStringLiteral("table without \"rows\""));
        if (!table) {
            const char *const resume = m_p;
            m_p = rowsAt;
            table.emplace(std::move(defs));
            if (!rows(*table, level))
                return at(QStringLiteral(".rows"));
            m_p = resume;
        }
        out = Value(std::move(*table));
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

bool Decoder::fields(QList<Field> &out, int depth)
{
    if (!next())
        return false;
    if (*m_p != '{')
        return fail(QStringLiteral("expected an object of fields, got ") + nextKind());
    return members(depth + 1, [&](std::string_view key) {
        Field field{utf8(key), Value()};
        if (!value(field.value, depth + 1))
            return at(u'.' + field.name);
        out.append(std::move(field));
        return true;
    });
}

bool Decoder::columns(QList<FieldDef> &out, int depth)
{
    if (!next())
        return false;
    if (*m_p != '[')
        return fail(QStringLiteral("expected an array of columns, got ") + nextKind());
    return elements(depth + 1, [&](qsizetype i) {
        FieldDef def;
        if (!column(def, depth + 1))
            return at(QStringLiteral("[%1]").arg(i));
        out.append(std::move(def));
        return true;
    });
}

bool Decoder::column(FieldDef &out, int depth)
{
    if (!next())
        return false;
    if (*m_p != '{')
        return fail(QStringLiteral("expected a column object (name, type, size), got ") + nextKind());
    bool haveName = false, haveType = false, haveSize = false;
    const bool read = members(depth + 1, [&](std::string_view key) -> bool {
        const bool isName = key == "name";
        if (isName || key == "type") {
            if (std::exchange(isName ? haveName : haveType, true))
                return duplicate(key);
            const QString what = quoted(key);
            if (!next())
                return false;
            if (*m_p != '"')
                return fail(what + u" must be a string, got " + nextKind());
            std::string_view s;
            if (!string(s, m_valueScratch))
                return false;
            if (isName) {
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
            if (!next())
                return false;
            const QString wrong = QStringLiteral("\"size\" must be a non-negative 32-bit integer");
            if (!startsNumber(*m_p))
                return fail(wrong);
            Number n;
            if (!number(n))
                return false;
            if (!n.isInteger || n.integer < 0 || n.integer > std::numeric_limits<int>::max())
                return fail(wrong);
            out.size = int(n.integer);
        } else if (!skip(depth + 1)) {
            return false;
        }
        return true;
    });
    if (!read)
        return false;
    if (!haveName)
        return fail(QStringLiteral("column without \"name\""));
    if (!haveType)
        return fail(QStringLiteral("column \"%1\" without \"type\"").arg(out.name));
    return true;
}

bool Decoder::rows(TableData &table, int depth)
{
    if (!next())
        return false;
    if (*m_p != '[')
        return fail(QStringLiteral("expected an array of rows, got ") + nextKind());
    const int width = table.fieldCount();
    std::vector<FieldType> types;
    types.reserve(size_t(width));
    for (const FieldDef &f : table.fields())
        types.push_back(f.type);
    const char *const first = m_p;
    return elements(depth + 1, [&](qsizetype index) {
        const int row = int(index);
        if (row == kSampleRows)
            reserveFromSample(table, first, row);
        const auto rowPlace = [row] { return QStringLiteral("[%1]").arg(row); };
        if (!next())
            return at(rowPlace());
        if (*m_p != '[')
            return fail(QStringLiteral("expected a row array, got ") + nextKind()), at(rowPlace());
        table.appendRow();
        int col = 0;
        bool placed = false;
        const bool read = elements(depth + 2, [&](qsizetype) {
            if (col >= width)
                return fail(QStringLiteral("row has more than %1 cells").arg(width));
            if (!cell(table, row, col, types[size_t(col)])) {
                placed = true;
                const FieldDef &f = table.field(col);
                return at(QStringLiteral("[%1][%2] (column %3, %4)").arg(row).arg(col).arg(f.name, fieldTypeName(f.type)));
            }
            ++col;
            return true;
        });
        if (!read)
            return placed ? false : at(rowPlace());
        if (col != width)
            return fail(QStringLiteral("row has %1 cells, expected %2").arg(col).arg(width)), at(rowPlace());
        return true;
    });
}

// The table's size is not known before its rows are read. After the first
// kSampleRows rows it is estimated from the bytes they took: the rest of the
// body holds about as many rows per byte, and each text column about as
// much text per row, so the columns are reserved once instead of regrown
// (and copied) while a large table arrives. Never more rows are reserved
// than the rest of the body could hold (a cell takes at least two bytes),
// so an odd sample cannot make the reserve run far beyond the body; a
// sample that underestimates only means the columns grow as they would
// anyway.
void Decoder::reserveFromSample(TableData &table, const char *rowsBegin, int sampled)
{
    const double used = double(m_p - rowsBegin);
    const double left = double(m_end - m_p);
    if (used <= 0 || left <= 0)
        return;
    const int width = std::max(table.fieldCount(), 1);
    const double estimate = std::min(left * sampled / used * 1.1 + 16, left / (2.0 * width));
    const qsizetype more = qsizetype(estimate);
    table.reserveRows(sampled + more);
    for (int col = 0; col < table.fieldCount(); ++col) {
        if (!isTextType(table.field(col).type))
            continue;
        qsizetype text = 0;
        for (int row = 0; row < sampled; ++row)
            text += table.utf8Value(row, col).size();
        table.reserveText(col, qsizetype(double(text) / sampled * 1.1 * double(more)) + 16);
    }
}

bool Decoder::cell(TableData &table, int row, int col, FieldType type)
{
    if (!next())
        return false;
    const char first = *m_p;
    if (first == 'n')
        return word("null");  // a new row's cells start null
    const auto wrongKind = [&](const char *expected) {
        return fail(QLatin1String("expected ") + QLatin1String(expected) + u", got " + nextKind());
    };
    Number n;
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt: {
        if (!startsNumber(first))
            return wrongKind("an integer");
        if (!number(n))
            return false;
        qint64 i = n.integer;
        if (n.tooLong)
            return fail(QStringLiteral("integer out of the 64-bit range"));
        if (!n.isInteger) {
            // A whole number written as a double (12.0) is still that integer.
            if (std::trunc(n.real) != n.real || std::fabs(n.real) >= 9.2e18)
                return fail(QStringLiteral("expected an integer, got %1").arg(n.real, 0, 'g', 17));
            i = qint64(n.real);
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
        if (!startsNumber(first))
            return wrongKind("a number");
        if (!number(n))
            return false;
        const double d = n.isInteger ? double(n.integer) : n.real;
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
        if (first == '"') {
            if (!string(text, m_valueScratch))
                return false;
            if (!isJsonNumber(text))
                return fail(QStringLiteral("expected a decimal number, got ") + quoted(text));
        } else if (startsNumber(first)) {
            if (!number(n))
                return false;
            const std::to_chars_result r = n.isInteger ? std::to_chars(buf, buf + sizeof buf, n.integer)
                                                       : std::to_chars(buf, buf + sizeof buf, n.real);
            text = std::string_view(buf, size_t(r.ptr - buf));
        } else {
            return wrongKind("a decimal number or its text");
        }
        table.setStringUtf8(row, col, QByteArrayView(text.data(), qsizetype(text.size())));
        return true;
    }
    case FieldType::Boolean:
        if (first == 't') {
            if (!word("true"))
                return false;
            table.setBool(row, col, true);
            return true;
        }
        if (first == 'f') {
            if (!word("false"))
                return false;
            table.setBool(row, col, false);
            return true;
        }
        return wrongKind("true or false");
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob: {
        if (first != '"')
            return wrongKind(type == FieldType::Blob ? "a base64 string" : "a string");
        std::string_view s;
        if (!string(s, m_valueScratch))
            return false;
        if (type == FieldType::Blob && !isBase64(s))
            return fail(QStringLiteral("expected a base64 string"));
        table.setStringUtf8(row, col, QByteArrayView(s.data(), qsizetype(s.size())));
        return true;
    }
    }
    return fail(QStringLiteral("unsupported column type"));
}

bool Decoder::body(std::string_view key, QList<Value> &out, QString &errorText, bool wantError)
{
    skipSpace();
    if (m_p >= m_end)
        return fail(QStringLiteral("empty body, expected a JSON object"));
    if (*m_p != '{')
        return fail(QStringLiteral("expected a JSON object, got ") + nextKind());
    bool seen = false;
    const QString name = key == "_parameters" ? QStringLiteral("parameter") : utf8(key);
    const bool read = members(1, [&](std::string_view member) -> bool {
        if (member != key)
            return skip(1);  // other members of the envelope are not ours, but must be JSON
        if (std::exchange(seen, true))
            return duplicate(member);
        if (!next())
            return false;
        if (wantError) {
            if (*m_p != '"')
                return fail(quoted(key) + u" must be a string, got " + nextKind());
            std::string_view s;
            if (!string(s, m_valueScratch))
                return false;
            errorText = utf8(s);
            return true;
        }
        if (*m_p != '[')
            return fail(quoted(key) + u" must be an array, got " + nextKind());
        return elements(2, [&](qsizetype i) {
            Value item;
            if (!value(item, 2))
                return at(name + QStringLiteral("[%1]").arg(i));
            out.append(std::move(item));
            return true;
        });
    });
    if (!read)
        return false;
    skipSpace();
    if (m_p != m_end)
        return fail(QStringLiteral("invalid JSON (more after the end of the body's object, at byte %1)").arg(m_p - m_begin));
    if (!seen)
        return fail(QStringLiteral("missing member ") + quoted(key));
    return true;
}

struct Decoded {
    QList<Value> values;
    QString errorText;
};

Result<Decoded> decodeBody(const QByteArray &body, std::string_view key, bool wantError)
{
    const char *const begin = body.constData();
    const size_t len = size_t(body.size());
    if (!simdjson::validate_utf8(begin, len))
        return Error{QStringLiteral("invalid UTF-8 in the body")};
    Decoder d(begin, begin + len);
    Decoded out;
    if (!d.body(key, out.values, out.errorText, wantError))
        return d.error();
    return out;
}

} // namespace

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
