#include "appserver/tablebuilder.h"

#include <QVariant>

#include <cmath>
#include <stdexcept>

void TableBuilder::checkRowComplete() const
{
    if (m_row >= 0 && m_col != m_table.fieldCount())
        throw std::logic_error("table row has " + std::to_string(m_col) + " cells for "
                               + std::to_string(m_table.fieldCount()) + " columns");
}

void TableBuilder::row()
{
    checkRowComplete();
    m_row = m_table.appendRow();
    m_col = 0;
}

TableBuilder &TableBuilder::add(qint64 v)
{
    m_table.setInt(m_row, m_col++, v);
    return *this;
}

TableBuilder &TableBuilder::add(double v)
{
    const FieldType t = m_table.field(m_col).type;
    if (t == FieldType::Date)
        m_table.setDouble(m_row, m_col++, std::floor(v));
    else
        m_table.setDouble(m_row, m_col++, v);
    return *this;
}

TableBuilder &TableBuilder::add(const QString &v)
{
    m_table.setString(m_row, m_col++, v);
    return *this;
}

TableBuilder &TableBuilder::add(QStringView v)
{
    m_table.setString(m_row, m_col++, v);
    return *this;
}

TableBuilder &TableBuilder::addUtf8(QByteArrayView utf8)
{
    m_table.setStringUtf8(m_row, m_col++, utf8);
    return *this;
}

TableBuilder &TableBuilder::addNull()
{
    m_table.setNull(m_row, m_col++);
    return *this;
}

TableBuilder &TableBuilder::addFrom(const QSqlQuery &q, int index)
{
    return addValue(q.value(index));
}

TableBuilder &TableBuilder::addValue(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return addNull();
    switch (m_table.field(m_col).type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Boolean:
        return add(v.toLongLong());
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::DateTime:
        return add(v.toDouble());
    default:
        return add(v.toString());
    }
}

TableData TableBuilder::take()
{
    checkRowComplete();
    m_row = -1;
    return std::move(m_table);
}
