#pragma once

// The grid's model: the defined columns over a source table model, with the
// rows filtered, sorted and grouped. Rows are a vector of source row numbers;
// the source is read through its raw-value role, never as display text, for
// filtering, sorting, grouping and summaries.

#include "platform/grid/gridcolumn.h"
#include "platform/grid/gridlogic.h"
#include "platform/dataset/fieldtype.h"
#include "platform/dataset/memtable.h" // memtablemodel.h needs the complete MemTable
#include "platform/dataset/memtablemodel.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QSet>

class GridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The raw value of a cell, the same role as the table model's.
    static constexpr int RawRole = MemTableModel::RawValueRole;
    // RowKind of a view row, as an int.
    static constexpr int RowKindRole = Qt::UserRole + 100;

    enum class RowKind { Data, GroupHeader, GroupFooter };

    explicit GridModel(QObject *parent = nullptr);

    // Columns
    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }
    const GridColumn &column(int c) const { return m_columns.at(c); }
    GridColumn &columnRef(int c) { return m_columns[c]; }
    int columnByName(const QString &name) const; // -1 when absent

    // Source (nullptr: detached, no rows)
    void setSourceModel(QAbstractItemModel *source);
    QAbstractItemModel *sourceModel() const { return m_source; }

    // Fields of the source
    int fieldIndex(const QString &field) const; // -1 when absent
    int sourceColumn(int column) const { return m_sourceColumns.value(column, -1); }
    QVariant sourceRaw(int sourceRow, int sourceColumn) const;
    QString sourceText(int sourceRow, int sourceColumn) const;
    gridlogic::RawAt rawAccessor() const;
    // The field type of a column's source field (String when the source does
    // not tell, or the column has no field).
    FieldType fieldType(int column) const;

    // The text a cell stands for in search, best fit and export: display text
    // for text columns, the description for picture columns, the owner's text.
    QString cellText(int sourceRow, int column, int viewRow = -1) const;

    // Header filters (keys from gridlogic::valueKey)
    void setFilter(int column, const QSet<QString> &keys);
    void clearFilter(int column);
    void clearFilters();
    bool hasFilter(int column) const { return m_filters.contains(column); }
    bool hasFilters() const { return !m_filters.isEmpty(); }
    QSet<QString> filterKeys(int column) const { return m_filters.value(column); }
    // Values the pick list of a column offers: those of the rows that pass
    // every other column's filter.
    QList<gridlogic::DistinctValue> pickValues(int column) const;

    // Sorting
    void sortBy(int column, Qt::SortOrder order);
    void clearSort();
    int sortedColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // Grouping by one column (-1: none)
    void setGroupColumn(int column);
    int groupColumn() const { return m_groupColumn; }
    void setGroupSummaries(const QList<GridSummary> &summaries);
    const QList<GridSummary> &groupSummaries() const { return m_groupSummaries; }
    int groupCount() const { return int(m_groups.size()); }
    QString groupText(int group) const;
    bool isGroupExpanded(int group) const;
    void setGroupExpanded(int group, bool expanded);
    void collapseAll();
    void expandAll();
    // The data rows of a group, in view order.
    const QList<int> &groupRows(int group) const { return m_groups.at(group).rows; }

    // Rows
    RowKind rowKind(int viewRow) const;
    int sourceRow(int viewRow) const;   // -1 for group rows
    int groupOf(int viewRow) const;     // -1 when not grouped
    int viewRowOfSource(int sourceRow) const; // -1 when filtered out or collapsed
    // Every row that passes the filters, sorted, groups expanded.
    const QList<int> &dataRows() const { return m_dataRows; }
    int sourceRowCount() const;

    // Summaries over all data rows, or over one group's rows
    double summaryValue(const GridSummary &summary) const;
    double groupSummaryValue(int group, const GridSummary &summary) const;

    // True while the rows are rebuilt because the source was replaced (a
    // reload), false for rebuilds after a filter, sort or grouping change.
    bool isSourceReset() const { return m_inSourceReset; }

    // Defers the rebuild of rows until the outermost endBatch().
    void beginBatch();
    void endBatch();

    // QAbstractItemModel
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Group {
        QString key;
        QVariant value;
        QString text;
        QList<int> rows;
    };
    struct ViewRow {
        RowKind kind;
        int index; // source row, or group number
    };

    void resolveFields();
    void invalidate();
    void rebuild();
    void onSourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    bool isGrouped() const { return m_groupColumn >= 0 && sourceColumn(m_groupColumn) >= 0; }
    QList<gridlogic::ColumnFilter> activeFilters(int except = -1) const;

    QList<GridColumn> m_columns;
    QPointer<QAbstractItemModel> m_source;
    QList<QMetaObject::Connection> m_sourceConnections;
    QList<int> m_sourceColumns; // per column, the source column or -1
    QHash<QString, int> m_fieldIndex; // upper-cased field name -> source column

    QHash<int, QSet<QString>> m_filters;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_groupColumn = -1;
    QList<GridSummary> m_groupSummaries;
    QSet<QString> m_collapsed; // keys of collapsed groups
    bool m_collapseNew = false; // groups that appear after collapseAll start collapsed
    QSet<QString> m_knownGroups; // keys of the groups of the last rebuild

    QList<int> m_dataRows;
    mutable QList<int> m_inverse; // source row -> view row, built on demand
    mutable bool m_inverseValid = false;
    QList<Group> m_groups;
    QList<ViewRow> m_viewRows; // only when grouped
    int m_batch = 0;
    bool m_dirty = false;
    bool m_sourceResetPending = false;
    bool m_inSourceReset = false;
};
