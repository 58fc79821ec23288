#include "platform/dataset/memtablemodel.h"

#include "platform/dataset/memtable.h"

MemTableModel::MemTableModel(MemTable *table, QObject *parent) : QAbstractTableModel(parent)
{
    setTable(table);
}

void MemTableModel::setTable(MemTable *table)
{
    if (m_table == table)
        return;
    beginResetModel();
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    connectTable();
    syncCounts();
    endResetModel();
}

void MemTableModel::syncCounts()
{
    m_rows = m_table && m_table->Active() ? m_table->RecordCount() : 0;
    m_cols = m_table ? m_table->FieldCount() : 0;
}

void MemTableModel::connectTable()
{
    if (!m_table)
        return;
    connect(m_table, &MemTable::aboutToBeReset, this, [this] {
        if (!m_inReset) {
            m_inReset = true;
            beginResetModel();
        }
    });
    connect(m_table, &MemTable::wasReset, this, [this] {
        syncCounts();
        if (m_inReset) {
            m_inReset = false;
            endResetModel();
        }
    });
    connect(m_table, &MemTable::rowChanged, this, [this](int row) {
        if (row >= 0 && row < m_rows && m_cols > 0)
            emit dataChanged(index(row, 0), index(row, m_cols - 1));
    });
    connect(m_table, &MemTable::rowsAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(m_table, &MemTable::rowsInserted, this, [this](int first, int last) {
        m_rows += last - first + 1;
        endInsertRows();
    });
    connect(m_table, &MemTable::rowsAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows({}, first, last); });
    connect(m_table, &MemTable::rowsRemoved, this, [this](int first, int last) {
        m_rows -= last - first + 1;
        endRemoveRows();
    });
    connect(m_table, &MemTable::displayFormatChanged, this, [this](int col) {
        if (m_rows == 0 || m_cols == 0)
            return;
        const int from = col < 0 ? 0 : col;
        const int to = col < 0 ? m_cols - 1 : col;
        if (to < m_cols)
            emit dataChanged(index(0, from), index(m_rows - 1, to), {Qt::DisplayRole});
    });
    connect(m_table, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_rows = m_cols = 0;
        endResetModel();
    });
}

int MemTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int MemTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant MemTableModel::data(const QModelIndex &index, int role) const
{
    if (!m_table || !index.isValid())
        return QVariant();
    const int row = index.row();
    const int col = index.column();
    // The table may hold fewer rows than the view was told while its
    // controls are disabled; such cells read as empty until the reset.
    if (row >= m_table->RecordCount() || col >= m_table->FieldCount())
        return QVariant();
    const FieldType type = m_table->data().field(col).type;
    switch (role) {
    case Qt::DisplayRole:
        return m_table->displayText(row, col);
    case Qt::EditRole:
    case RawValueRole:
        return m_table->value(row, col);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(
            (isNumericFieldType(type) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    case FieldTypeRole:
        return int(type);
    case FieldNameRole:
        return m_table->data().field(col).name;
    default:
        return QVariant();
    }
}

QVariant MemTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || !m_table || section < 0 || section >= m_cols
        || section >= m_table->FieldCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const FieldDef &f = m_table->data().field(section);
    switch (role) {
    case Qt::DisplayRole:
    case FieldNameRole:
        return f.name;
    case FieldTypeRole:
        return int(f.type);
    default:
        return QVariant();
    }
}

Qt::ItemFlags MemTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

bool MemTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_editable || !m_table || !index.isValid() || index.row() >= m_table->RecordCount()
        || index.column() >= m_table->FieldCount())
        return false;
    QVariant v = value;
    if (role == Qt::CheckStateRole)
        v = value.toInt() == Qt::Checked;
    else if (role != Qt::EditRole)
        return false;
    try {
        m_table->setCurrentRow(index.row());
        m_table->Edit();
        m_table->Fields(index.column()).SetValue(v);
        m_table->Post();
    } catch (const DatasetError &) {
        m_table->Cancel();
        return false;
    }
    return true;
}

QHash<int, QByteArray> MemTableModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractTableModel::roleNames();
    names.insert(RawValueRole, "rawValue");
    names.insert(FieldTypeRole, "fieldType");
    names.insert(FieldNameRole, "fieldName");
    return names;
}
