#pragma once
// Builds a result table row by row, cell by cell in column order. The
// method code lists its columns once and writes each row's cells in that
// order; a row with too few or too many cells is a programming fault caught
// by the check in row().

#include "platform/dataset/tabledata.h"

#include <QSqlQuery>
#include <QString>

class TableBuilder {
public:
    explicit TableBuilder(QList<FieldDef> fields) : m_table(std::move(fields)) {}

    // Room for this many rows, and for bytes of text in one column, when the
    // size of the result is known before it is written.
    void reserve(qsizetype rows) { m_table.reserveRows(rows); }
    void reserveText(int col, qsizetype bytes) { m_table.reserveText(col, bytes); }
    // Starts a new row.
    void row();
    TableBuilder &add(qint64 v);
    TableBuilder &add(int v) { return add(qint64(v)); }
    TableBuilder &add(double v);
    TableBuilder &add(const QString &v);
    TableBuilder &add(QStringView v);
    TableBuilder &addUtf8(QByteArrayView utf8);
    TableBuilder &addNull();
    // A cell straight from a query column, converted to the column's type.
    TableBuilder &addFrom(const QSqlQuery &q, int index);
    // Any value converted to the column's type; an invalid variant is null.
    TableBuilder &addValue(const QVariant &v);

    // The finished table; throws std::logic_error when the last row is short.
    TableData take();

private:
    void checkRowComplete() const;
    TableData m_table;
    int m_row = -1;
    int m_col = 0;
};

// Column definition shorthands.
inline FieldDef intCol(const char *name) { return {QString::fromUtf8(name), FieldType::Integer, 0}; }
inline FieldDef floatCol(const char *name) { return {QString::fromUtf8(name), FieldType::Float, 0}; }
inline FieldDef strCol(const char *name, int size) { return {QString::fromUtf8(name), FieldType::String, size}; }
inline FieldDef memoCol(const char *name) { return {QString::fromUtf8(name), FieldType::Memo, 0}; }
inline FieldDef dateCol(const char *name) { return {QString::fromUtf8(name), FieldType::Date, 0}; }
inline FieldDef dateTimeCol(const char *name) { return {QString::fromUtf8(name), FieldType::DateTime, 0}; }
