#include "platform/dataset/tabledata.h"

#include <QLocale>

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

enum class Storage : quint8 { Int32, Int64, Real, Bit, Text };

Storage storageOf(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
        return Storage::Int32;
    case FieldType::LargeInt:
        return Storage::Int64;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::DateTime:
        return Storage::Real;
    case FieldType::Boolean:
        return Storage::Bit;
    case FieldType::Bcd:
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob:
        return Storage::Text;
    }
    return Storage::Text;
}

bool bitAt(const std::vector<quint64> &bits, int i)
{
    return (bits[size_t(i) >> 6] >> (i & 63)) & 1u;
}

void setBitAt(std::vector<quint64> &bits, int i, bool on)
{
    quint64 &word = bits[size_t(i) >> 6];
    const quint64 mask = quint64(1) << (i & 63);
    word = on ? (word | mask) : (word & ~mask);
}

// Removes bit i of the first n bits, moving the later ones down by one.
void eraseBit(std::vector<quint64> &bits, int i, int n)
{
    for (int k = i; k + 1 < n; ++k)
        setBitAt(bits, k, bitAt(bits, k + 1));
}

QString numberText(double v)
{
    return QLocale::c().toString(v, 'f', QLocale::FloatingPointShortest);
}

// A finite double that is a whole number inside the 64-bit range.
bool wholeInt64(double v, qint64 *out)
{
    if (!std::isfinite(v) || v < -9.2233720368547758e18 || v >= 9.2233720368547758e18)
        return false;
    *out = std::llround(v);
    return true;
}

bool parseInt(QStringView text, qint64 *out)
{
    bool ok = false;
    const QStringView t = text.trimmed();
    const qint64 v = t.toLongLong(&ok);
    if (ok) {
        *out = v;
        return true;
    }
    const double d = t.toDouble(&ok);
    return ok && wholeInt64(d, out);
}

bool parseBool(QStringView text, bool *out)
{
    const QStringView t = text.trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0 || t == u"1") {
        *out = true;
        return true;
    }
    if (t.compare(u"false", Qt::CaseInsensitive) == 0 || t == u"0") {
        *out = false;
        return true;
    }
    return false;
}

bool parseDayNumber(QStringView text, FieldType type, double *out)
{
    const QStringView t = text.trimmed();
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (ok && std::isfinite(d)) {
        *out = d;
        return true;
    }
    if (type == FieldType::Date || type == FieldType::DateTime) {
        const QString s = t.toString();
        const QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
        if (dt.isValid()) {
            *out = type == FieldType::Date ? dayNumberFromDate(dt.date()) : dayNumberFromDateTime(dt);
            return true;
        }
        const QDate date = QDate::fromString(s, Qt::ISODate);
        if (date.isValid()) {
            *out = dayNumberFromDate(date);
            return true;
        }
    }
    return false;
}

} // namespace

// One column's cells. Only the vector of the column's storage kind is used.
// Text cells are entries in one byte buffer: a varint length then the UTF-8
// bytes; each cell keeps the offset of its entry. Offset 0 is the shared
// empty entry, so a fresh cell costs nothing in the buffer. Overwriting a
// text leaves its old entry behind as garbage until squeeze().
struct TableData::Column {
    Storage storage = Storage::Text;
    std::vector<qint32> i32;
    std::vector<qint64> i64;
    std::vector<double> real;
    std::vector<quint64> bits;
    std::vector<quint32> offsets;
    std::vector<char> bytes;
    std::vector<quint64> nulls;  // bit set = null cell
    qsizetype garbage = 0;

    explicit Column(FieldType type) : storage(storageOf(type))
    {
        if (storage == Storage::Text)
            bytes.push_back(0);
    }

    bool isNull(int row) const { return bitAt(nulls, row); }
    void setNullBit(int row, bool null) { setBitAt(nulls, row, null); }

    void reserve(size_t rows)
    {
        nulls.reserve((rows + 63) / 64);
        switch (storage) {
        case Storage::Int32: i32.reserve(rows); break;
        case Storage::Int64: i64.reserve(rows); break;
        case Storage::Real: real.reserve(rows); break;
        case Storage::Bit: bits.reserve((rows + 63) / 64); break;
        case Storage::Text: offsets.reserve(rows); break;
        }
    }

    void append(int row)
    {
        if ((row & 63) == 0)
            nulls.push_back(~quint64(0));
        switch (storage) {
        case Storage::Int32: i32.push_back(0); break;
        case Storage::Int64: i64.push_back(0); break;
        case Storage::Real: real.push_back(0.0); break;
        case Storage::Bit:
            if ((row & 63) == 0)
                bits.push_back(0);
            break;
        case Storage::Text: offsets.push_back(0); break;
        }
    }

    void erase(int row, int rowCount)
    {
        eraseBit(nulls, row, rowCount);
        switch (storage) {
        case Storage::Int32: i32.erase(i32.begin() + row); break;
        case Storage::Int64: i64.erase(i64.begin() + row); break;
        case Storage::Real: real.erase(real.begin() + row); break;
        case Storage::Bit: eraseBit(bits, row, rowCount); break;
        case Storage::Text:
            garbage += entrySize(offsets[size_t(row)]);
            offsets.erase(offsets.begin() + row);
            break;
        }
        // Keep "beyond the last row = null" true for the bit that moved out.
        setBitAt(nulls, rowCount - 1, true);
        if (((rowCount - 1) & 63) == 0) {
            nulls.pop_back();
            if (storage == Storage::Bit)
                bits.pop_back();
        }
    }

    void clear()
    {
        i32.clear();
        i64.clear();
        real.clear();
        bits.clear();
        offsets.clear();
        nulls.clear();
        if (storage == Storage::Text) {
            bytes.assign(1, 0);
            garbage = 0;
        }
    }

    // Integer cells start 32-bit and widen for good when a value needs 64 bits.
    void storeInt(int row, qint64 v)
    {
        if (storage == Storage::Int32) {
            if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max()) {
                i32[size_t(row)] = qint32(v);
                return;
            }
            i64.assign(i32.begin(), i32.end());
            i64.reserve(i32.capacity());
            std::vector<qint32>().swap(i32);
            storage = Storage::Int64;
        }
        i64[size_t(row)] = v;
    }

    qint64 intAt(int row) const
    {
        return storage == Storage::Int32 ? i32[size_t(row)] : i64[size_t(row)];
    }

    // Length and start of the entry at an offset.
    std::pair<size_t, const char *> entry(quint32 offset) const
    {
        size_t len = 0;
        int shift = 0;
        const char *p = bytes.data() + offset;
        for (;;) {
            const quint8 b = quint8(*p++);
            len |= size_t(b & 0x7f) << shift;
            if (!(b & 0x80))
                break;
            shift += 7;
        }
        return {len, p};
    }

    qsizetype entrySize(quint32 offset) const
    {
        if (offset == 0)
            return 0;
        const auto [len, p] = entry(offset);
        return qsizetype(p - (bytes.data() + offset)) + qsizetype(len);
    }

    QByteArrayView textAt(int row) const
    {
        const auto [len, p] = entry(offsets[size_t(row)]);
        return QByteArrayView(p, qsizetype(len));
    }

    // Appends a fresh entry of len bytes, copied from `from` when given (the
    // bytes are not zeroed first); returns where its bytes are.
    char *newEntry(int row, size_t len, const char *from = nullptr)
    {
        garbage += entrySize(offsets[size_t(row)]);
        if (len == 0) {
            offsets[size_t(row)] = 0;
            return nullptr;
        }
        const size_t at = bytes.size();
        if (at + len + 10 > std::numeric_limits<quint32>::max())
            throw std::length_error("text column larger than 4 GiB");
        quint8 prefix[10];
        int n = 0;
        size_t rest = len;
        do {
            quint8 b = quint8(rest & 0x7f);
            rest >>= 7;
            if (rest)
                b |= 0x80;
            prefix[n++] = b;
        } while (rest);
        if (from) {
            bytes.insert(bytes.end(), prefix, prefix + n);
            bytes.insert(bytes.end(), from, from + len);
        } else {
            bytes.resize(at + size_t(n) + len);
            std::memcpy(bytes.data() + at, prefix, size_t(n));
        }
        offsets[size_t(row)] = quint32(at);
        return bytes.data() + at + n;
    }

    void storeUtf8(int row, QByteArrayView utf8)
    {
        // A view into this very buffer would dangle once the buffer grows.
        if (!bytes.empty() && utf8.data() >= bytes.data() && utf8.data() < bytes.data() + bytes.size()) {
            const QByteArray copy = utf8.toByteArray();
            return storeUtf8(row, copy);
        }
        newEntry(row, size_t(utf8.size()), utf8.data());
    }

    void storeText(int row, QStringView text)
    {
        const qsizetype n = text.size();
        const char16_t *src = text.utf16();
        qsizetype i = 0;
        while (i < n && src[i] < 0x80)
            ++i;
        if (i == n) {  // plain ASCII: copy the code units as bytes
            char *out = newEntry(row, size_t(n));
            for (qsizetype k = 0; k < n; ++k)
                out[k] = char(src[k]);
            return;
        }
        storeUtf8(row, text.toUtf8());
    }

    void compact()
    {
        if (storage != Storage::Text)
            return;
        std::vector<char> fresh;
        fresh.reserve(bytes.size() - size_t(garbage));
        fresh.push_back(0);
        for (quint32 &off : offsets) {
            if (off == 0)
                continue;
            const qsizetype size = entrySize(off);
            const quint32 at = quint32(fresh.size());
            fresh.insert(fresh.end(), bytes.begin() + off, bytes.begin() + off + size);
            off = at;
        }
        bytes.swap(fresh);
        garbage = 0;
    }

    void squeeze()
    {
        if (garbage > 0)
            compact();
        i32.shrink_to_fit();
        i64.shrink_to_fit();
        real.shrink_to_fit();
        bits.shrink_to_fit();
        offsets.shrink_to_fit();
        bytes.shrink_to_fit();
        nulls.shrink_to_fit();
    }

    qsizetype byteSize() const
    {
        return qsizetype(i32.capacity() * sizeof(qint32) + i64.capacity() * sizeof(qint64)
                         + real.capacity() * sizeof(double) + bits.capacity() * sizeof(quint64)
                         + offsets.capacity() * sizeof(quint32) + bytes.capacity()
                         + nulls.capacity() * sizeof(quint64));
    }
};

TableData::TableData() = default;
TableData::TableData(QList<FieldDef> fields) { setFields(std::move(fields)); }
TableData::TableData(const TableData &) = default;
TableData::TableData(TableData &&) noexcept = default;
TableData &TableData::operator=(const TableData &) = default;
TableData &TableData::operator=(TableData &&) noexcept = default;
TableData::~TableData() = default;

void TableData::setFields(QList<FieldDef> fields)
{
    m_fields = std::move(fields);
    m_index.clear();
    m_columns.clear();
    m_columns.reserve(size_t(m_fields.size()));
    for (int c = 0; c < m_fields.size(); ++c) {
        m_columns.emplace_back(m_fields[c].type);
    }
    // Of two equal names the first wins, so insert from the back.
    for (int c = int(m_fields.size()) - 1; c >= 0; --c)
        m_index.insert(m_fields[c].name.toCaseFolded(), c);
    m_rowCount = 0;
}

int TableData::fieldIndex(QStringView name) const
{
    return m_index.value(name.toString().toCaseFolded(), -1);
}

void TableData::reserveRows(qsizetype rows)
{
    if (rows <= 0)
        return;
    for (Column &c : m_columns)
        c.reserve(size_t(rows));
}

void TableData::reserveText(int col, qsizetype bytes)
{
    if (col < 0 || col >= fieldCount() || bytes <= 0)
        return;
    Column &c = m_columns[size_t(col)];
    if (c.storage == Storage::Text)
        c.bytes.reserve(c.bytes.size() + size_t(bytes));
}

int TableData::appendRow()
{
    if (m_rowCount == std::numeric_limits<int>::max())
        throw std::length_error("table row limit reached");
    const int row = m_rowCount++;
    for (Column &c : m_columns)
        c.append(row);
    return row;
}

void TableData::removeRow(int row)
{
    if (row < 0 || row >= m_rowCount)
        return;
    for (Column &c : m_columns)
        c.erase(row, m_rowCount);
    --m_rowCount;
}

void TableData::clearRows()
{
    for (Column &c : m_columns)
        c.clear();
    m_rowCount = 0;
}

bool TableData::inRange(int row, int col) const
{
    return row >= 0 && row < m_rowCount && col >= 0 && col < int(m_columns.size());
}

void TableData::setNull(int row, int col)
{
    if (!inRange(row, col))
        return;
    Column &c = m_columns[size_t(col)];
    if (c.storage == Storage::Text)
        c.newEntry(row, 0);
    c.setNullBit(row, true);
}

void TableData::setInt(int row, int col, qint64 value)
{
    if (!inRange(row, col))
        return;
    Column &c = m_columns[size_t(col)];
    switch (c.storage) {
    case Storage::Int32:
    case Storage::Int64: c.storeInt(row, value); break;
    case Storage::Real: c.real[size_t(row)] = double(value); break;
    case Storage::Bit: setBitAt(c.bits, row, value != 0); break;
    case Storage::Text: c.storeText(row, QString::number(value)); break;
    }
    c.setNullBit(row, false);
}

void TableData::setDouble(int row, int col, double value)
{
    if (!inRange(row, col))
        return;
    Column &c = m_columns[size_t(col)];
    qint64 whole = 0;
    switch (c.storage) {
    case Storage::Int32:
    case Storage::Int64:
        if (!wholeInt64(value, &whole))
            return setNull(row, col);
        c.storeInt(row, whole);
        break;
    case Storage::Real:
        if (!std::isfinite(value))
            return setNull(row, col);
        c.real[size_t(row)] = value;
        break;
    case Storage::Bit: setBitAt(c.bits, row, value != 0.0); break;
    case Storage::Text: c.storeText(row, numberText(value)); break;
    }
    c.setNullBit(row, false);
}

void TableData::setBool(int row, int col, bool value)
{
    if (!inRange(row, col))
        return;
    Column &c = m_columns[size_t(col)];
    if (c.storage == Storage::Text)
        c.storeText(row, m_fields[col].type == FieldType::Bcd ? (value ? u"1" : u"0")
                                                                 : (value ? u"true" : u"false"));
    else if (c.storage == Storage::Bit)
        setBitAt(c.bits, row, value);
    else
        return setInt(row, col, value ? 1 : 0);
    c.setNullBit(row, false);
}

void TableData::setString(int row, int col, QStringView value)
{
    if (!inRange(row, col))
        return;
    Column &c = m_columns[size_t(col)];
    qint64 i = 0;
    double d = 0;
    bool b = false;
    switch (c.storage) {
    case Storage::Int32:
    case Storage::Int64:
        if (!parseInt(value, &i))
            return setNull(row, col);
        c.storeInt(row, i);
        break;
    case Storage::Real:
        if (!parseDayNumber(value, m_fields[col].type, &d))
            return setNull(row, col);
        c.real[size_t(row)] = d;
        break;
    case Storage::Bit:
        if (!parseBool(value, &b))
            return setNull(row, col);
        setBitAt(c.bits, row, b);
        break;
    case Storage::Text: c.storeText(row, value); break;
    }
    c.setNullBit(row, false);
}

void TableData::setStringUtf8(int row, int col, QByteArrayView utf8)
{
    if (!inRange(row, col))
        return;
    Column &c = m_columns[size_t(col)];
    if (c.storage != Storage::Text)
        return setString(row, col, QString::fromUtf8(utf8));
    c.storeUtf8(row, utf8);
    c.setNullBit(row, false);
}

void TableData::setDate(int row, int col, QDate value)
{
    if (!inRange(row, col))
        return;
    if (!value.isValid())
        return setNull(row, col);
    const Column &c = m_columns[size_t(col)];
    if (c.storage == Storage::Text)
        return setString(row, col, value.toString(Qt::ISODate));
    if (c.storage == Storage::Bit)
        return setNull(row, col);
    setDouble(row, col, dayNumberFromDate(value));
}

void TableData::setDateTime(int row, int col, const QDateTime &value)
{
    if (!inRange(row, col))
        return;
    if (!value.isValid())
        return setNull(row, col);
    const Column &c = m_columns[size_t(col)];
    switch (c.storage) {
    case Storage::Text: return setString(row, col, value.toString(Qt::ISODateWithMs));
    case Storage::Bit: return setNull(row, col);
    case Storage::Int32:
    case Storage::Int64: return setDouble(row, col, dayNumberFromDate(value.date()));
    case Storage::Real:
        return setDouble(row, col, m_fields[col].type == FieldType::Date ? dayNumberFromDate(value.date())
                                                                          : dayNumberFromDateTime(value));
    }
}

void TableData::setValue(int row, int col, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return setNull(row, col);
    switch (value.typeId()) {
    case QMetaType::Bool: return setBool(row, col, value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: return setInt(row, col, value.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong u = value.toULongLong();
        if (u > qulonglong(std::numeric_limits<qint64>::max()))
            return setDouble(row, col, double(u));
        return setInt(row, col, qint64(u));
    }
    case QMetaType::Double:
    case QMetaType::Float: return setDouble(row, col, value.toDouble());
    case QMetaType::QDate: return setDate(row, col, value.toDate());
    case QMetaType::QDateTime: return setDateTime(row, col, value.toDateTime());
    case QMetaType::QByteArray: return setStringUtf8(row, col, value.toByteArray());
    default: return setString(row, col, value.toString());
    }
}

bool TableData::isNull(int row, int col) const
{
    return !inRange(row, col) || m_columns[size_t(col)].isNull(row);
}

QVariant TableData::value(int row, int col) const
{
    if (isNull(row, col))
        return QVariant();
    const Column &c = m_columns[size_t(col)];
    switch (m_fields[col].type) {
    case FieldType::Integer:
        if (c.storage == Storage::Int32)
            return QVariant(int(c.i32[size_t(row)]));
        return QVariant(qlonglong(c.i64[size_t(row)]));
    case FieldType::LargeInt: return QVariant(qlonglong(c.intAt(row)));
    case FieldType::Float:
    case FieldType::Currency: return QVariant(c.real[size_t(row)]);
    case FieldType::Date: return QVariant(dateFromDayNumber(c.real[size_t(row)]));
    case FieldType::DateTime: return QVariant(dateTimeFromDayNumber(c.real[size_t(row)]));
    case FieldType::Boolean: return QVariant(bitAt(c.bits, row));
    case FieldType::Bcd:
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob: return QVariant(QString::fromUtf8(c.textAt(row)));
    }
    return QVariant();
}

qint64 TableData::intValue(int row, int col) const
{
    if (isNull(row, col))
        return 0;
    const Column &c = m_columns[size_t(col)];
    qint64 v = 0;
    switch (c.storage) {
    case Storage::Int32:
    case Storage::Int64: return c.intAt(row);
    case Storage::Real: return wholeInt64(c.real[size_t(row)], &v) ? v : 0;
    case Storage::Bit: return bitAt(c.bits, row) ? 1 : 0;
    case Storage::Text: return parseInt(QString::fromUtf8(c.textAt(row)), &v) ? v : 0;
    }
    return 0;
}

double TableData::doubleValue(int row, int col) const
{
    if (isNull(row, col))
        return 0.0;
    const Column &c = m_columns[size_t(col)];
    switch (c.storage) {
    case Storage::Int32:
    case Storage::Int64: return double(c.intAt(row));
    case Storage::Real: return c.real[size_t(row)];
    case Storage::Bit: return bitAt(c.bits, row) ? 1.0 : 0.0;
    case Storage::Text: {
        double d = 0;
        return parseDayNumber(QString::fromUtf8(c.textAt(row)), m_fields[col].type, &d) ? d : 0.0;
    }
    }
    return 0.0;
}

bool TableData::boolValue(int row, int col) const
{
    if (isNull(row, col))
        return false;
    const Column &c = m_columns[size_t(col)];
    switch (c.storage) {
    case Storage::Int32:
    case Storage::Int64: return c.intAt(row) != 0;
    case Storage::Real: return c.real[size_t(row)] != 0.0;
    case Storage::Bit: return bitAt(c.bits, row);
    case Storage::Text: {
        const QString t = QString::fromUtf8(c.textAt(row));
        bool b = false;
        if (parseBool(t, &b))
            return b;
        bool ok = false;
        const double d = t.toDouble(&ok);
        return ok && d != 0.0;
    }
    }
    return false;
}

QString TableData::stringValue(int row, int col) const
{
    if (isNull(row, col))
        return QString();
    const Column &c = m_columns[size_t(col)];
    switch (m_fields[col].type) {
    case FieldType::Integer:
    case FieldType::LargeInt: return QString::number(c.intAt(row));
    case FieldType::Float:
    case FieldType::Currency: return numberText(c.real[size_t(row)]);
    case FieldType::Date: return dateFromDayNumber(c.real[size_t(row)]).toString(Qt::ISODate);
    case FieldType::DateTime: return dateTimeFromDayNumber(c.real[size_t(row)]).toString(Qt::ISODateWithMs);
    case FieldType::Boolean: return bitAt(c.bits, row) ? QStringLiteral("true") : QStringLiteral("false");
    case FieldType::Bcd:
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob: return QString::fromUtf8(c.textAt(row));
    }
    return QString();
}

QByteArrayView TableData::utf8Value(int row, int col) const
{
    if (isNull(row, col) || m_columns[size_t(col)].storage != Storage::Text)
        return QByteArrayView();
    return m_columns[size_t(col)].textAt(row);
}

QDate TableData::dateValue(int row, int col) const
{
    if (isNull(row, col))
        return QDate();
    return dateFromDayNumber(doubleValue(row, col));
}

QDateTime TableData::dateTimeValue(int row, int col) const
{
    if (isNull(row, col))
        return QDateTime();
    return dateTimeFromDayNumber(doubleValue(row, col));
}

void TableData::squeeze()
{
    for (Column &c : m_columns)
        c.squeeze();
}

qsizetype TableData::byteSize() const
{
    qsizetype total = 0;
    for (const Column &c : m_columns)
        total += c.byteSize();
    return total;
}

bool operator==(const TableData &a, const TableData &b)
{
    if (a.m_fields != b.m_fields || a.m_rowCount != b.m_rowCount)
        return false;
    for (int col = 0; col < a.fieldCount(); ++col) {
        for (int row = 0; row < a.m_rowCount; ++row) {
            if (a.isNull(row, col) != b.isNull(row, col) || a.value(row, col) != b.value(row, col))
                return false;
        }
    }
    return true;
}
