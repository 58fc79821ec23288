#pragma once

#include "platform/dataset/memtable.h"

#include <QAbstractTableModel>
#include <QPointer>

// A Qt table model over a MemTable: one column per field, one row per record.
//   Qt::DisplayRole    the text with the column's display format applied
//   Qt::EditRole, RawValueRole   the raw value (numbers as numbers, dates as
//                      QDate/QDateTime), for sorting and filtering
//   Qt::TextAlignmentRole  numbers right, everything else left, centred vertically
//   FieldTypeRole      the column's FieldType (as int), also on the header
//   FieldNameRole      the column's name, also on the header
// The horizontal header shows the field names. The model follows the table's
// notifications: one reset per assign, dataChanged for a posted row, row
// inserts and removals. It keeps the row count of the last notification, so
// a view never asks beyond what it was told even while the table's controls
// are disabled.
class MemTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Role {
        RawValueRole = Qt::UserRole + 1,
        FieldTypeRole,
        FieldNameRole,
    };

    explicit MemTableModel(MemTable *table = nullptr, QObject *parent = nullptr);

    void setTable(MemTable *table);
    MemTable *table() const { return m_table; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Writes through the table (Edit, set, Post) when the model is editable;
    // Qt::CheckStateRole writes a Boolean.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QHash<int, QByteArray> roleNames() const override;

    // Cells are read-only unless the model is made editable.
    void setEditable(bool editable) { m_editable = editable; }
    bool isEditable() const { return m_editable; }

private:
    void connectTable();
    void syncCounts();

    QPointer<MemTable> m_table;
    int m_rows = 0;
    int m_cols = 0;
    bool m_editable = false;
    bool m_inReset = false;
};
