#pragma once

#include "platform/dataset/fieldtype.h"

#include <QByteArrayView>
#include <QHash>
#include <QVariant>

#include <vector>

// The columns and rows of a table as a plain movable value: no QObject, no
// signals, so a worker thread fills one and hands it over by move.
//
// Cells live in one typed vector per column (32/64-bit integers, doubles,
// bits, or strings packed as UTF-8 in one byte buffer per column), with one
// null bit per cell, so a 100 000-row catalogue costs about as much memory as
// its text and no heap object per cell.
//
// Setters convert between kinds where a sensible conversion exists (an integer
// into a Float column, a number into a Bcd column as its decimal text, ...);
// a value that cannot be converted (text that is no number for a numeric
// column) makes the cell null. Rows and columns out of range are ignored by
// setters and read as null.
class TableData {
public:
    TableData();
    explicit TableData(QList<FieldDef> fields);
    TableData(const TableData &);
    TableData(TableData &&) noexcept;
    TableData &operator=(const TableData &);
    TableData &operator=(TableData &&) noexcept;
    ~TableData();

    // Replaces the columns; all rows are dropped.
    void setFields(QList<FieldDef> fields);
    const QList<FieldDef> &fields() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    const FieldDef &field(int col) const { return m_fields.at(col); }
    // Column index of a name, ignoring case; -1 when absent.
    int fieldIndex(QStringView name) const;

    // Bulk load: reserve, append rows (all cells null), set cells.
    void reserveRows(qsizetype rows);
    // Room for this many bytes of text in a string-stored column, so a bulk
    // load whose text size is known never regrows the column's buffer.
    void reserveText(int col, qsizetype bytes);
    int appendRow();
    int rowCount() const { return m_rowCount; }
    void removeRow(int row);
    void clearRows();

    void setNull(int row, int col);
    void setInt(int row, int col, qint64 value);
    void setDouble(int row, int col, double value);
    void setBool(int row, int col, bool value);
    void setString(int row, int col, QStringView value);
    void setString(int row, int col, const QString &value) { setString(row, col, QStringView(value)); }
    // Text already in UTF-8 (straight from a JSON buffer): no round trip through QString.
    void setStringUtf8(int row, int col, QByteArrayView utf8);
    void setDate(int row, int col, QDate value);
    void setDateTime(int row, int col, const QDateTime &value);
    // Any of the above from a variant; an invalid or null variant sets null.
    void setValue(int row, int col, const QVariant &value);

    bool isNull(int row, int col) const;
    // The raw value in its natural type: qint32/qint64, double, bool, QString,
    // QDate (Date), QDateTime (DateTime); a null cell gives an invalid QVariant.
    QVariant value(int row, int col) const;
    qint64 intValue(int row, int col) const;
    double doubleValue(int row, int col) const;   // day number for Date/DateTime
    bool boolValue(int row, int col) const;
    QString stringValue(int row, int col) const;
    // The UTF-8 bytes of a string-stored cell (String, Memo, Blob, Bcd); empty
    // for other types and nulls. Valid until the table is changed.
    QByteArrayView utf8Value(int row, int col) const;
    QDate dateValue(int row, int col) const;
    QDateTime dateTimeValue(int row, int col) const;

    // Gives back spare capacity after a bulk load (and drops the space of
    // overwritten strings).
    void squeeze();
    // Bytes held by the cell storage (capacity, not just size), for measurements.
    qsizetype byteSize() const;

    friend bool operator==(const TableData &a, const TableData &b);

private:
    struct Column;
    bool inRange(int row, int col) const;

    QList<FieldDef> m_fields;
    QHash<QString, int> m_index;  // case-folded name -> column
    std::vector<Column> m_columns;
    int m_rowCount = 0;
};
