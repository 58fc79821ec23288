#include "platform/grid/gridmodel.h"

#include <algorithm>
#include <utility>
#include <numeric>

GridModel::GridModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void GridModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    for (GridColumn &c : m_columns)
        if (c.name.isEmpty())
            c.name = c.field;
    m_filters.clear();
    m_sortColumn = -1;
    m_groupColumn = -1;
    resolveFields();
    rebuild();
    endResetModel();
}

int GridModel::columnByName(const QString &name) const
{
    for (qsizetype i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void GridModel::setSourceModel(QAbstractItemModel *source)
{
    if (source == m_source)
        return;
    for (const QMetaObject::Connection &c : std::as_const(m_sourceConnections))
        disconnect(c);
    m_sourceConnections.clear();
    m_source = source;
    m_sourceResetPending = true;
    if (m_source) {
        auto reset = [this] { invalidate(); };
        auto replaced = [this] {
            m_sourceResetPending = true;
            invalidate();
        };
        m_sourceConnections << connect(m_source, &QAbstractItemModel::modelReset, this, replaced)
                            << connect(m_source, &QAbstractItemModel::layoutChanged, this, reset)
                            << connect(m_source, &QAbstractItemModel::rowsInserted, this, reset)
                            << connect(m_source, &QAbstractItemModel::rowsRemoved, this, reset)
                            << connect(m_source, &QAbstractItemModel::rowsMoved, this, reset)
                            << connect(m_source, &QAbstractItemModel::columnsInserted, this, reset)
                            << connect(m_source, &QAbstractItemModel::columnsRemoved, this, reset)
                            << connect(m_source, &QAbstractItemModel::headerDataChanged, this, reset)
                            << connect(m_source, &QAbstractItemModel::dataChanged, this,
                                       &GridModel::onSourceDataChanged)
                            << connect(m_source, &QObject::destroyed, this, [this] {
                                   m_sourceConnections.clear();
                                   invalidate();
                               });
    }
    invalidate();
}

void GridModel::resolveFields()
{
    m_fieldIndex.clear();
    if (m_source) {
        const int n = m_source->columnCount();
        for (int i = 0; i < n; ++i) {
            const QString name = m_source->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString().toUpper();
            if (!m_fieldIndex.contains(name))
                m_fieldIndex.insert(name, i);
        }
    }
    m_sourceColumns.clear();
    for (const GridColumn &c : std::as_const(m_columns))
        m_sourceColumns.append(c.field.isEmpty() ? -1 : fieldIndex(c.field));
}

int GridModel::fieldIndex(const QString &field) const
{
    if (field.isEmpty())
        return -1;
    return m_fieldIndex.value(field.toUpper(), -1);
}

QVariant GridModel::sourceRaw(int sourceRow, int sourceColumn) const
{
    if (!m_source || sourceColumn < 0 || sourceRow < 0)
        return {};
    return m_source->data(m_source->index(sourceRow, sourceColumn), RawRole);
}

QString GridModel::sourceText(int sourceRow, int sourceColumn) const
{
    if (!m_source || sourceColumn < 0 || sourceRow < 0)
        return {};
    return m_source->data(m_source->index(sourceRow, sourceColumn), Qt::DisplayRole).toString();
}

FieldType GridModel::fieldType(int column) const
{
    const int scol = sourceColumn(column);
    if (!m_source || scol < 0)
        return FieldType::String;
    const QVariant t = m_source->headerData(scol, Qt::Horizontal, MemTableModel::FieldTypeRole);
    return t.isValid() ? FieldType(t.toInt()) : FieldType::String;
}

gridlogic::RawAt GridModel::rawAccessor() const
{
    return [this](int row, int column) { return sourceRaw(row, column); };
}

QString GridModel::cellText(int sourceRow, int column, int viewRow) const
{
    const GridColumn &c = m_columns.at(column);
    switch (c.kind) {
    case ColumnKind::Text:
    case ColumnKind::Memo:
        return sourceText(sourceRow, sourceColumn(column));
    case ColumnKind::Picture: {
        const QVariant raw = sourceRaw(sourceRow, sourceColumn(column));
        if (const PictureItem *item = c.pictureFor(raw))
            return item->description;
        return raw.toString();
    }
    case ColumnKind::CheckBox:
        return sourceText(sourceRow, sourceColumn(column));
    case ColumnKind::Image:
        return {};
    case ColumnKind::OwnerDrawn:
        return c.text ? c.text(GridCell(this, sourceRow, viewRow)) : QString();
    }
    return {};
}

QList<gridlogic::ColumnFilter> GridModel::activeFilters(int except) const
{
    QList<gridlogic::ColumnFilter> out;
    for (auto it = m_filters.cbegin(); it != m_filters.cend(); ++it)
        if (it.key() != except)
            out.append({sourceColumn(it.key()), it.value()});
    return out;
}

void GridModel::setFilter(int column, const QSet<QString> &keys)
{
    if (column < 0 || column >= m_columns.size())
        return;
    m_filters.insert(column, keys);
    invalidate();
}

void GridModel::clearFilter(int column)
{
    if (m_filters.remove(column))
        invalidate();
}

void GridModel::clearFilters()
{
    if (m_filters.isEmpty())
        return;
    m_filters.clear();
    invalidate();
}

QList<gridlogic::DistinctValue> GridModel::pickValues(int column) const
{
    QList<int> rows(sourceRowCount());
    std::iota(rows.begin(), rows.end(), 0);
    rows = gridlogic::filterRows(rows, activeFilters(column), rawAccessor());
    return gridlogic::distinctValues(rows, sourceColumn(column), rawAccessor(),
                                     [this, column](int row) { return cellText(row, column); });
}

void GridModel::sortBy(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    invalidate();
}

void GridModel::clearSort()
{
    if (m_sortColumn < 0)
        return;
    m_sortColumn = -1;
    invalidate();
}

void GridModel::setGroupColumn(int column)
{
    if (column == m_groupColumn)
        return;
    m_groupColumn = column;
    m_collapsed.clear();
    m_knownGroups.clear();
    m_collapseNew = false;
    invalidate();
}

void GridModel::setGroupSummaries(const QList<GridSummary> &summaries)
{
    m_groupSummaries = summaries;
    invalidate();
}

QString GridModel::groupText(int group) const
{
    const Group &g = m_groups.at(group);
    return m_columns.at(m_groupColumn).headerText() + QStringLiteral(" : ") + g.text;
}

bool GridModel::isGroupExpanded(int group) const
{
    return !m_collapsed.contains(m_groups.at(group).key);
}

void GridModel::setGroupExpanded(int group, bool expanded)
{
    if (group < 0 || group >= m_groups.size() || isGroupExpanded(group) == expanded)
        return;
    if (expanded)
        m_collapsed.remove(m_groups.at(group).key);
    else
        m_collapsed.insert(m_groups.at(group).key);
    invalidate();
}

void GridModel::collapseAll()
{
    m_collapseNew = true;
    for (const Group &g : std::as_const(m_groups))
        m_collapsed.insert(g.key);
    invalidate();
}

void GridModel::expandAll()
{
    m_collapseNew = false;
    m_collapsed.clear();
    invalidate();
}

GridModel::RowKind GridModel::rowKind(int viewRow) const
{
    if (!isGrouped())
        return RowKind::Data;
    return m_viewRows.at(viewRow).kind;
}

int GridModel::sourceRow(int viewRow) const
{
    if (viewRow < 0 || viewRow >= rowCount())
        return -1;
    if (!isGrouped())
        return m_dataRows.at(viewRow);
    const ViewRow &r = m_viewRows.at(viewRow);
    return r.kind == RowKind::Data ? r.index : -1;
}

int GridModel::groupOf(int viewRow) const
{
    if (!isGrouped() || viewRow < 0 || viewRow >= rowCount())
        return -1;
    for (int r = viewRow; r >= 0; --r)
        if (m_viewRows.at(r).kind == RowKind::GroupHeader)
            return m_viewRows.at(r).index;
    return -1;
}

int GridModel::viewRowOfSource(int sourceRow) const
{
    if (sourceRow < 0 || sourceRow >= sourceRowCount())
        return -1;
    if (!m_inverseValid) {
        m_inverse.fill(-1, sourceRowCount());
        const int n = rowCount();
        for (int v = 0; v < n; ++v) {
            const int s = this->sourceRow(v);
            if (s >= 0)
                m_inverse[s] = v;
        }
        m_inverseValid = true;
    }
    return m_inverse.at(sourceRow);
}

int GridModel::sourceRowCount() const
{
    return m_source ? m_source->rowCount() : 0;
}

double GridModel::summaryValue(const GridSummary &summary) const
{
    const int column = columnByName(summary.column);
    return gridlogic::summarize(summary.kind, m_dataRows, column < 0 ? -1 : sourceColumn(column), rawAccessor());
}

double GridModel::groupSummaryValue(int group, const GridSummary &summary) const
{
    const int column = columnByName(summary.column);
    return gridlogic::summarize(summary.kind, m_groups.at(group).rows, column < 0 ? -1 : sourceColumn(column),
                                rawAccessor());
}

void GridModel::beginBatch()
{
    ++m_batch;
}

void GridModel::endBatch()
{
    if (m_batch > 0 && --m_batch == 0 && m_dirty)
        invalidate();
}

void GridModel::invalidate()
{
    if (m_batch > 0) {
        m_dirty = true;
        return;
    }
    m_dirty = false;
    m_inSourceReset = std::exchange(m_sourceResetPending, false);
    beginResetModel();
    resolveFields();
    rebuild();
    endResetModel();
    m_inSourceReset = false;
}

void GridModel::rebuild()
{
    m_inverseValid = false;
    m_inverse.clear();
    m_groups.clear();
    m_viewRows.clear();

    QList<int> rows(sourceRowCount());
    std::iota(rows.begin(), rows.end(), 0);
    const gridlogic::RawAt raw = rawAccessor();
    rows = gridlogic::filterRows(rows, activeFilters(), raw);
    if (m_sortColumn >= 0 && sourceColumn(m_sortColumn) >= 0)
        gridlogic::sortRows(rows, sourceColumn(m_sortColumn), m_sortOrder, raw);

    if (!isGrouped()) {
        m_dataRows = std::move(rows);
        return;
    }

    // Groups in ascending order of their value; rows keep their sorted order
    // inside each group.
    const int gcol = sourceColumn(m_groupColumn);
    QHash<QString, qsizetype> byKey;
    for (int row : std::as_const(rows)) {
        const QVariant v = raw(row, gcol);
        const QString key = gridlogic::valueKey(v);
        auto it = byKey.constFind(key);
        if (it == byKey.cend()) {
            it = byKey.insert(key, m_groups.size());
            m_groups.append({key, v, cellText(row, m_groupColumn), {}});
        }
        m_groups[*it].rows.append(row);
    }
    std::stable_sort(m_groups.begin(), m_groups.end(),
                     [](const Group &a, const Group &b) { return gridlogic::compareRaw(a.value, b.value) < 0; });
    QSet<QString> known;
    for (const Group &g : std::as_const(m_groups)) {
        if (m_collapseNew && !m_knownGroups.contains(g.key))
            m_collapsed.insert(g.key);
        known.insert(g.key);
    }
    m_knownGroups = known;

    m_dataRows.clear();
    m_dataRows.reserve(rows.size());
    const bool footers = !m_groupSummaries.isEmpty();
    for (qsizetype g = 0; g < m_groups.size(); ++g) {
        const Group &group = m_groups.at(g);
        m_viewRows.append({RowKind::GroupHeader, int(g)});
        const bool expanded = !m_collapsed.contains(group.key);
        for (int row : group.rows) {
            m_dataRows.append(row);
            if (expanded)
                m_viewRows.append({RowKind::Data, row});
        }
        if (footers)
            m_viewRows.append({RowKind::GroupFooter, int(g)});
    }
}

void GridModel::onSourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    // A change in a column that decides which rows show or in which order
    // rebuilds the rows; any other change only repaints.
    for (int c = topLeft.column(); c <= bottomRight.column(); ++c) {
        bool decides = false;
        for (auto it = m_filters.cbegin(); it != m_filters.cend() && !decides; ++it)
            decides = sourceColumn(it.key()) == c;
        if (m_sortColumn >= 0 && sourceColumn(m_sortColumn) == c)
            decides = true;
        if (m_groupColumn >= 0 && sourceColumn(m_groupColumn) == c)
            decides = true;
        if (decides) {
            invalidate();
            return;
        }
    }
    const int rows = rowCount();
    if (rows > 0 && !m_columns.isEmpty())
        emit dataChanged(index(0, 0), index(rows - 1, int(m_columns.size()) - 1));
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return int(isGrouped() ? m_viewRows.size() : m_dataRows.size());
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int col = index.column();
    const RowKind kind = rowKind(row);
    if (role == RowKindRole)
        return int(kind);

    if (kind == RowKind::GroupHeader) {
        if (role == Qt::DisplayRole) {
            const int g = m_viewRows.at(row).index;
            return groupText(g);
        }
        return {};
    }
    if (kind == RowKind::GroupFooter) {
        if (role == Qt::DisplayRole) {
            const int g = m_viewRows.at(row).index;
            QStringList parts;
            for (const GridSummary &s : m_groupSummaries)
                if (columnByName(s.column) == col)
                    parts << gridlogic::summaryText(s.kind, groupSummaryValue(g, s), s.decimals);
            return parts.isEmpty() ? QVariant() : QVariant(parts.join(QStringLiteral("  ")));
        }
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }

    const int srow = sourceRow(row);
    const GridColumn &c = m_columns.at(col);
    const int scol = sourceColumn(col);
    switch (role) {
    case Qt::DisplayRole:
        if (c.kind == ColumnKind::Text || c.kind == ColumnKind::Memo)
            return sourceText(srow, scol);
        if (c.kind == ColumnKind::OwnerDrawn && c.text)
            return c.text(GridCell(this, srow, row));
        return {};
    case Qt::ToolTipRole:
        if (c.kind == ColumnKind::Picture)
            if (const PictureItem *item = c.pictureFor(sourceRaw(srow, scol)))
                return item->description;
        return {};
    case RawRole:
        return sourceRaw(srow, scol);
    case Qt::TextAlignmentRole: {
        Qt::Alignment a = c.alignment;
        if (!a && m_source && scol >= 0)
            a = Qt::Alignment(m_source->data(m_source->index(srow, scol), Qt::TextAlignmentRole).toInt());
        if (!(a & Qt::AlignHorizontal_Mask))
            a |= Qt::AlignLeft;
        if (!(a & Qt::AlignVertical_Mask))
            a |= Qt::AlignVCenter;
        return int(a);
    }
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns.at(section).headerText();
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (!m_columns.at(index.column()).focusable)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
