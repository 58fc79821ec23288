#include "platform/dataset/memtable.h"

#include <QStringList>

#include <cmath>

DatasetError::DatasetError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

// ---------------------------------------------------------------- MemTable

MemTable::MemTable(QObject *parent) : QObject(parent)
{
    setLocale(m_locale);
}

MemTable::~MemTable() = default;

void MemTable::changed(const std::function<void()> &notify)
{
    if (m_disableCount > 0)
        m_changedWhileDisabled = true;
    else
        notify();
}

void MemTable::beginReset()
{
    if (m_disableCount > 0)
        m_changedWhileDisabled = true;
    else
        emit aboutToBeReset();
}

void MemTable::endReset()
{
    if (m_disableCount == 0)
        emit wasReset();
}

void MemTable::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    if (m_disableCount == 0)
        emit stateChanged(state);
}

void MemTable::moveTo(int row)
{
    if (row == m_row)
        return;
    m_row = row;
    if (m_disableCount == 0)
        emit currentRowChanged(row);
}

void MemTable::resetFormats()
{
    m_formats = QList<QString>(m_data.fieldCount());
    for (int c = 0; c < m_data.fieldCount(); ++c)
        if (m_data.field(c).type == FieldType::Float)
            m_formats[c] = m_defaultFloatFormat;
}

void MemTable::resetBuffer()
{
    m_buffer.setFields(m_data.fields());
    m_buffer.appendRow();
    m_dirty.assign(size_t(m_data.fieldCount()), false);
}

void MemTable::assign(TableData &&data)
{
    beginReset();
    m_data = std::move(data);
    resetFormats();
    resetBuffer();
    m_state = State::Browse;
    m_row = m_data.rowCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_data.rowCount() == 0;
    endReset();
    if (m_disableCount == 0)
        emit stateChanged(m_state);
}

void MemTable::assign(const TableData &data)
{
    assign(TableData(data));
}

TableData MemTable::takeData()
{
    beginReset();
    TableData out = std::move(m_data);
    m_data = TableData();
    resetFormats();
    resetBuffer();
    m_state = State::Inactive;
    m_row = -1;
    m_bof = m_eof = true;
    endReset();
    if (m_disableCount == 0)
        emit stateChanged(m_state);
    return out;
}

void MemTable::Open()
{
    if (Active())
        return;
    beginReset();
    if (m_buffer.fieldCount() != m_data.fieldCount())
        resetBuffer();
    m_state = State::Browse;
    m_row = m_data.rowCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_data.rowCount() == 0;
    endReset();
    if (m_disableCount == 0)
        emit stateChanged(m_state);
}

void MemTable::Close()
{
    if (!Active())
        return;
    beginReset();
    m_data.clearRows();
    m_dirty.assign(m_dirty.size(), false);
    m_state = State::Inactive;
    m_row = -1;
    m_bof = m_eof = true;
    endReset();
    if (m_disableCount == 0)
        emit stateChanged(m_state);
}

// ------------------------------------------------------------------ cursor

void MemTable::checkBrowse()
{
    if (editing())
        Post();
}

void MemTable::First()
{
    if (!Active())
        return;
    checkBrowse();
    moveTo(m_data.rowCount() > 0 ? 0 : -1);
    m_bof = true;
    m_eof = m_data.rowCount() == 0;
}

void MemTable::Last()
{
    if (!Active())
        return;
    checkBrowse();
    moveTo(m_data.rowCount() - 1);
    m_eof = true;
    m_bof = m_data.rowCount() == 0;
}

void MemTable::Next()
{
    if (!Active())
        return;
    checkBrowse();
    if (m_row + 1 < m_data.rowCount()) {
        moveTo(m_row + 1);
        m_bof = false;
        m_eof = false;
    } else {
        m_eof = true;
    }
}

void MemTable::Prior()
{
    if (!Active())
        return;
    checkBrowse();
    if (m_row > 0) {
        moveTo(m_row - 1);
        m_bof = false;
        m_eof = false;
    } else {
        m_bof = true;
    }
}

bool MemTable::Eof() const
{
    return !Active() || m_eof;
}

bool MemTable::Bof() const
{
    return !Active() || m_bof;
}

void MemTable::SetRecNo(int recNo)
{
    setCurrentRow(recNo - 1);
}

void MemTable::setCurrentRow(int row)
{
    if (!Active() || row < 0 || row >= m_data.rowCount())
        return;
    checkBrowse();
    moveTo(row);
    m_bof = m_eof = false;
}

namespace {

struct LocateKey {
    int col;
    FieldType type;
    QVariant value;
    QByteArray utf8;  // the key as UTF-8, for exact text matches
};

bool cellMatches(const TableData &data, int row, const LocateKey &key, MemTable::LocateOptions options)
{
    const bool keyNull = !key.value.isValid() || key.value.isNull();
    if (data.isNull(row, key.col))
        return keyNull;
    if (keyNull)
        return false;
    switch (key.type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Float:
    case FieldType::Currency: {
        bool ok = false;
        const double k = key.value.toDouble(&ok);
        return ok && data.doubleValue(row, key.col) == k;
    }
    case FieldType::Boolean: return data.boolValue(row, key.col) == key.value.toBool();
    case FieldType::Date: return data.dateValue(row, key.col) == key.value.toDate();
    case FieldType::DateTime: return data.dateTimeValue(row, key.col) == key.value.toDateTime();
    case FieldType::Bcd:
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob: break;
    }
    const QByteArrayView cell = data.utf8Value(row, key.col);
    if (!options.testFlag(MemTable::CaseInsensitive)) {
        return options.testFlag(MemTable::PartialKey) ? cell.startsWith(key.utf8) : cell == key.utf8;
    }
    const QString text = QString::fromUtf8(cell);
    const QString k = key.value.toString();
    return options.testFlag(MemTable::PartialKey) ? text.startsWith(k, Qt::CaseInsensitive)
                                                  : text.compare(k, Qt::CaseInsensitive) == 0;
}

} // namespace

bool MemTable::Locate(const QString &fieldNames, const QVariant &keyValues, LocateOptions options)
{
    const QStringList names = fieldNames.split(u';', Qt::SkipEmptyParts);
    QVariantList values;
    if (names.size() > 1) {
        values = keyValues.toList();
        if (values.size() != names.size())
            throw DatasetError(QStringLiteral("Locate: %1 fields but %2 key values")
                                   .arg(names.size())
                                   .arg(values.size()));
    } else {
        values.append(keyValues.typeId() == QMetaType::QVariantList && keyValues.toList().size() == 1
                          ? keyValues.toList().first()
                          : keyValues);
    }
    QList<LocateKey> keys;
    for (int i = 0; i < names.size(); ++i) {
        const Field f = FieldByName(names[i].trimmed());
        keys.append({f.Index(), f.DataType(), values[i], values[i].toString().toUtf8()});
    }
    if (!Active() || keys.isEmpty())
        return false;
    checkBrowse();
    for (int row = 0; row < m_data.rowCount(); ++row) {
        bool all = true;
        for (const LocateKey &k : std::as_const(keys)) {
            if (!cellMatches(m_data, row, k, options)) {
                all = false;
                break;
            }
        }
        if (all) {
            moveTo(row);
            m_bof = m_eof = false;
            return true;
        }
    }
    return false;
}

// ------------------------------------------------------------------ fields

Field MemTable::FindField(const QString &name) const
{
    const int col = m_data.fieldIndex(name);
    return col < 0 ? Field() : Field(const_cast<MemTable *>(this), col);
}

Field MemTable::FieldByName(const QString &name) const
{
    const Field f = FindField(name);
    if (!f.isValid())
        throw DatasetError(QStringLiteral("Field '%1' not found").arg(name));
    return f;
}

Field MemTable::Fields(int col) const
{
    if (col < 0 || col >= m_data.fieldCount())
        throw DatasetError(QStringLiteral("Field index %1 out of range").arg(col));
    return Field(const_cast<MemTable *>(this), col);
}

const TableData *MemTable::source(int col, int *row) const
{
    if (col < 0 || col >= m_data.fieldCount())
        return nullptr;
    if (editing() && m_dirty[size_t(col)]) {
        *row = 0;
        return &m_buffer;
    }
    if (m_state == State::Insert || !hasCurrent())
        return nullptr;
    *row = m_row;
    return &m_data;
}

void MemTable::writeField(int col, const std::function<void(TableData &, int)> &write)
{
    if (!editing())
        throw DatasetError(QStringLiteral("Table not in edit or insert mode (field '%1')")
                               .arg(m_data.field(col).name));
    write(m_buffer, col);
    m_dirty[size_t(col)] = true;
}

// ----------------------------------------------------------------- editing

void MemTable::Edit()
{
    if (!Active())
        throw DatasetError(QStringLiteral("Cannot edit a closed table"));
    if (editing())
        return;
    if (!hasCurrent())
        return Append();
    m_dirty.assign(size_t(m_data.fieldCount()), false);
    setState(State::Edit);
}

void MemTable::Append()
{
    if (!Active())
        throw DatasetError(QStringLiteral("Cannot append to a closed table"));
    checkBrowse();
    m_dirty.assign(size_t(m_data.fieldCount()), false);
    setState(State::Insert);
}

void MemTable::Post()
{
    if (m_state == State::Edit) {
        for (int c = 0; c < m_data.fieldCount(); ++c)
            if (m_dirty[size_t(c)])
                m_data.setValue(m_row, c, m_buffer.value(0, c));
        m_dirty.assign(m_dirty.size(), false);
        setState(State::Browse);
        const int row = m_row;
        changed([&] { emit rowChanged(row); });
    } else if (m_state == State::Insert) {
        const int row = m_data.rowCount();
        changed([&] { emit rowsAboutToBeInserted(row, row); });
        m_data.appendRow();
        for (int c = 0; c < m_data.fieldCount(); ++c)
            if (m_dirty[size_t(c)])
                m_data.setValue(row, c, m_buffer.value(0, c));
        m_dirty.assign(m_dirty.size(), false);
        setState(State::Browse);
        changed([&] { emit rowsInserted(row, row); });
        moveTo(row);
        m_bof = m_eof = false;
    }
}

void MemTable::Cancel()
{
    if (!editing())
        return;
    m_dirty.assign(m_dirty.size(), false);
    setState(State::Browse);
}

void MemTable::Delete()
{
    if (m_state == State::Insert)
        return Cancel();
    if (!Active() || !hasCurrent())
        throw DatasetError(QStringLiteral("Cannot delete from an empty or closed table"));
    Cancel();
    const int row = m_row;
    changed([&] { emit rowsAboutToBeRemoved(row, row); });
    m_data.removeRow(row);
    changed([&] { emit rowsRemoved(row, row); });
    // The cursor stays at the same position, which now holds the next row.
    m_row = -2;  // force the notification: the record under the cursor changed
    moveTo(qMin(row, m_data.rowCount() - 1));
    m_eof = m_data.rowCount() == 0;
    m_bof = m_eof || m_row == 0;
}

void MemTable::EmptyDataSet()
{
    if (!Active())
        return;
    beginReset();
    m_data.clearRows();
    m_dirty.assign(m_dirty.size(), false);
    m_state = State::Browse;
    m_row = -1;
    m_bof = m_eof = true;
    endReset();
}

// ------------------------------------------------------------ notifications

void MemTable::DisableControls()
{
    if (m_disableCount++ == 0) {
        m_changedWhileDisabled = false;
        m_rowWhenDisabled = m_row;
    }
}

void MemTable::EnableControls()
{
    if (m_disableCount == 0 || --m_disableCount > 0)
        return;
    if (m_changedWhileDisabled) {
        m_changedWhileDisabled = false;
        emit aboutToBeReset();
        emit wasReset();
        emit stateChanged(m_state);
    } else if (m_row != m_rowWhenDisabled) {
        emit currentRowChanged(m_row);
    }
}

// ---------------------------------------------------------- display formats

void MemTable::setDisplayFormat(int col, const QString &format)
{
    if (col < 0 || col >= m_formats.size() || m_formats[col] == format)
        return;
    m_formats[col] = format;
    changed([&] { emit displayFormatChanged(col); });
}

QString MemTable::displayFormat(int col) const
{
    return m_formats.value(col);
}

void MemTable::setDisplayFormatForType(FieldType type, const QString &format)
{
    for (int c = 0; c < m_data.fieldCount(); ++c)
        if (m_data.field(c).type == type)
            setDisplayFormat(c, format);
}

void MemTable::setLocale(const QLocale &locale)
{
    m_locale = locale;
    m_plainLocale = locale;
    m_plainLocale.setNumberOptions(QLocale::OmitGroupSeparator);
    changed([&] { emit displayFormatChanged(-1); });
}

QString MemTable::cellText(const TableData &from, int row, int col, bool formatted) const
{
    if (from.isNull(row, col))
        return QString();
    const FieldType type = from.field(col).type;
    const QString format = formatted ? m_formats.value(col) : QString();
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        if (!format.isEmpty())
            return formatNumber(double(from.intValue(row, col)), format, m_locale);
        return QString::number(from.intValue(row, col));
    case FieldType::Float:
    case FieldType::Currency: {
        const double v = from.doubleValue(row, col);
        if (!format.isEmpty())
            return formatNumber(v, format, m_locale);
        // Money without a format of its own shows as money: two decimals,
        // grouped on screen, plain in AsString.
        if (type == FieldType::Currency)
            return formatNumber(v, formatted ? kFloatDisplayFormat : u"0.00", m_locale);
        return m_plainLocale.toString(v, 'g', 15);
    }
    case FieldType::Bcd:
        if (!format.isEmpty())
            return formatNumber(from.doubleValue(row, col), format, m_locale);
        return from.stringValue(row, col);
    case FieldType::Boolean:
        return from.boolValue(row, col) ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Date: {
        const QDate d = from.dateValue(row, col);
        return format.isEmpty() ? m_locale.toString(d, QLocale::ShortFormat) : d.toString(format);
    }
    case FieldType::DateTime: {
        const QDateTime dt = from.dateTimeValue(row, col);
        // A whole day number is a date without a time of day.
        if (format.isEmpty() && dt.time() == QTime(0, 0))
            return m_locale.toString(dt.date(), QLocale::ShortFormat);
        return format.isEmpty() ? m_locale.toString(dt, QLocale::ShortFormat) : dt.toString(format);
    }
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob: return from.stringValue(row, col);
    }
    return QString();
}

QVariant MemTable::value(int row, int col) const
{
    if (row == m_row && m_state == State::Edit) {
        int r = 0;
        const TableData *from = source(col, &r);
        return from ? from->value(r, col) : QVariant();
    }
    return m_data.value(row, col);
}

bool MemTable::isNull(int row, int col) const
{
    if (row == m_row && m_state == State::Edit) {
        int r = 0;
        const TableData *from = source(col, &r);
        return !from || from->isNull(r, col);
    }
    return m_data.isNull(row, col);
}

QString MemTable::displayText(int row, int col) const
{
    if (row == m_row && m_state == State::Edit) {
        int r = 0;
        const TableData *from = source(col, &r);
        return from ? cellText(*from, r, col, true) : QString();
    }
    if (row < 0 || row >= m_data.rowCount() || col < 0 || col >= m_data.fieldCount())
        return QString();
    return cellText(m_data, row, col, true);
}

// ------------------------------------------------------------------- Field

QString Field::FieldName() const
{
    return isValid() ? m_table->m_data.field(m_col).name : QString();
}

FieldType Field::DataType() const
{
    return isValid() ? m_table->m_data.field(m_col).type : FieldType::String;
}

int Field::Size() const
{
    return isValid() ? m_table->m_data.field(m_col).size : 0;
}

const TableData *Field::current(int *row) const
{
    return isValid() ? m_table->source(m_col, row) : nullptr;
}

bool Field::IsNull() const
{
    int row = 0;
    const TableData *from = current(&row);
    return !from || from->isNull(row, m_col);
}

QVariant Field::Value() const
{
    int row = 0;
    const TableData *from = current(&row);
    return from ? from->value(row, m_col) : QVariant();
}

QString Field::AsString() const
{
    int row = 0;
    const TableData *from = current(&row);
    return from ? m_table->cellText(*from, row, m_col, false) : QString();
}

qint64 Field::AsInteger() const
{
    int row = 0;
    const TableData *from = current(&row);
    return from ? from->intValue(row, m_col) : 0;
}

double Field::AsFloat() const
{
    int row = 0;
    const TableData *from = current(&row);
    return from ? from->doubleValue(row, m_col) : 0.0;
}

bool Field::AsBoolean() const
{
    int row = 0;
    const TableData *from = current(&row);
    return from ? from->boolValue(row, m_col) : false;
}

QDateTime Field::AsDateTime() const
{
    int row = 0;
    const TableData *from = current(&row);
    return from ? from->dateTimeValue(row, m_col) : QDateTime();
}

QString Field::DisplayText() const
{
    int row = 0;
    const TableData *from = current(&row);
    return from ? m_table->cellText(*from, row, m_col, true) : QString();
}

namespace {

void requireValid(const Field &f)
{
    if (!f.isValid())
        throw DatasetError(QStringLiteral("Write to a field that does not exist"));
}

} // namespace

void Field::SetValue(const QVariant &value) const
{
    requireValid(*this);
    if (value.typeId() == QMetaType::QString)
        return SetAsString(value.toString());
    m_table->writeField(m_col, [&](TableData &t, int c) { t.setValue(0, c, value); });
}

void Field::SetAsString(const QString &value) const
{
    requireValid(*this);
    const bool wasDirty = m_table->editing() && m_table->m_dirty[size_t(m_col)];
    const QVariant before = wasDirty ? m_table->m_buffer.value(0, m_col) : QVariant();
    m_table->writeField(m_col, [&](TableData &t, int c) { t.setString(0, c, value); });
    // Text that is no value of a numeric, date or boolean column is refused
    // and the field keeps what it had.
    if (m_table->m_buffer.isNull(0, m_col) && !value.trimmed().isEmpty()) {
        if (wasDirty)
            m_table->m_buffer.setValue(0, m_col, before);
        else
            m_table->m_dirty[size_t(m_col)] = false;
        throw DatasetError(QStringLiteral("'%1' is not a valid value for field '%2'").arg(value, FieldName()));
    }
}

void Field::SetAsInteger(qint64 value) const
{
    requireValid(*this);
    m_table->writeField(m_col, [&](TableData &t, int c) { t.setInt(0, c, value); });
}

void Field::SetAsFloat(double value) const
{
    requireValid(*this);
    m_table->writeField(m_col, [&](TableData &t, int c) { t.setDouble(0, c, value); });
}

void Field::SetAsBoolean(bool value) const
{
    requireValid(*this);
    m_table->writeField(m_col, [&](TableData &t, int c) { t.setBool(0, c, value); });
}

void Field::SetAsDateTime(const QDateTime &value) const
{
    requireValid(*this);
    m_table->writeField(m_col, [&](TableData &t, int c) { t.setDateTime(0, c, value); });
}

void Field::Clear() const
{
    requireValid(*this);
    m_table->writeField(m_col, [&](TableData &t, int c) { t.setNull(0, c); });
}

QString Field::DisplayFormat() const
{
    return isValid() ? m_table->displayFormat(m_col) : QString();
}

void Field::SetDisplayFormat(const QString &format) const
{
    if (isValid())
        m_table->setDisplayFormat(m_col, format);
}
