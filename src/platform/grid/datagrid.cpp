#include "platform/grid/datagrid.h"

#include "platform/dataset/memtable.h"
#include "platform/dataset/memtablemodel.h"
#include "platform/grid/columnchooser.h"
#include "platform/grid/columnlayout.h"
#include "platform/grid/filterpopup.h"
#include "platform/grid/griddelegate.h"
#include "platform/grid/gridfooter.h"
#include "platform/grid/gridheader.h"
#include "platform/grid/gridmodel.h"
#include "platform/grid/groupbybox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

static_assert(GridModel::RawRole == MemTableModel::RawValueRole);

// The table view inside a DataGrid: hands typed keys to the grid's
// incremental search first.
class GridView : public QTableView
{
public:
    explicit GridView(DataGrid *grid) : QTableView(grid), m_grid(grid) {}

protected:
    // Typing is the grid's incremental search (or nothing when it is off),
    // never the view's own jump to a matching row.
    void keyboardSearch(const QString &) override {}

    void keyPressEvent(QKeyEvent *event) override
    {
        if (m_grid->handleKey(event))
            return;
        if (!event->text().isEmpty() || event->key() == Qt::Key_Up || event->key() == Qt::Key_Down
            || event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown
            || event->key() == Qt::Key_Home || event->key() == Qt::Key_End)
            m_grid->clearSearch();
        QTableView::keyPressEvent(event);
    }

    // A double click anywhere on a row is the grid's, whatever was pressed before.
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (!index.isValid()) {
            QTableView::mouseDoubleClickEvent(event);
            return;
        }
        setCurrentIndex(index);
        m_grid->onDoubleClick(index);
        event->accept();
    }

    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override
    {
        QTableView::currentChanged(current, previous);
        m_grid->onCurrentChanged();
    }

private:
    DataGrid *m_grid;
};

DataGrid::DataGrid(QWidget *parent)
    : QWidget(parent)
{
    m_look.font = font();
    m_model = new GridModel(this);

    m_view = new GridView(this);
    m_header = new GridHeader(m_model, &m_look, m_view);
    m_indicator = new RowIndicator(&m_look, m_view);
    m_view->setHorizontalHeader(m_header);
    m_view->setVerticalHeader(m_indicator);
    m_indicator->setMinimumSectionSize(1);
    m_indicator->setDefaultSectionSize(24);
    m_indicator->setSectionResizeMode(QHeaderView::Fixed);
    m_view->setModel(m_model);
    m_delegate = new GridDelegate(m_model, &m_look, m_view);
    m_view->setItemDelegate(m_delegate);
    m_view->setShowGrid(false);
    m_view->setWordWrap(false);
    m_view->setCornerButtonEnabled(false);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->setTabKeyNavigation(false);
    m_header->setContextMenuPolicy(Qt::CustomContextMenu);
    m_header->setHeight(24);

    m_footer = new GridFooter(m_view, m_model, &m_look, this);
    m_footer->hide();
    m_groupBox = new GroupByBox(this);
    m_groupBox->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_groupBox);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_footer);

    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &DataGrid::remember);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::restore);
    connect(m_header, &QHeaderView::sectionClicked, this, &DataGrid::onHeaderClicked);
    connect(m_header, &GridHeader::filterButtonClicked, this, &DataGrid::onFilterButton);
    connect(m_header, &QWidget::customContextMenuRequested, this, &DataGrid::onHeaderMenu);
    connect(m_header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (size > 0 && logical < m_model->columnCount())
            m_model->columnRef(logical).width = size;
    });
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QModelIndex index = m_view->indexAt(pos);
        if (index.isValid())
            m_view->setCurrentIndex(index);
        const QPoint global = m_view->viewport()->mapToGlobal(pos);
        emit contextMenuRequested(global);
        if (m_contextMenu)
            m_contextMenu->popup(global);
    });
}

DataGrid::~DataGrid() = default;

// ---- Columns ---------------------------------------------------------------

void DataGrid::setColumns(const QList<GridColumn> &columns)
{
    QList<GridColumn> defs = columns;
    for (GridColumn &c : defs) {
        if (c.name.isEmpty())
            c.name = c.field;
        if (c.state == ColumnState::Internal)
            c.offered = false;
    }
    m_searchText.clear();
    m_model->setColumns(defs);
    applyColumnStates();
    if (m_groupBox->isVisible())
        m_groupBox->refresh();
    if (m_chooser)
        m_chooser->refresh();
    m_footer->invalidate();
    emit columnsChanged();
}

void DataGrid::setColumnsFromSource()
{
    QList<GridColumn> defs;
    if (QAbstractItemModel *source = sourceModel()) {
        for (int i = 0; i < source->columnCount(); ++i)
            defs << GridColumn::textColumn(source->headerData(i, Qt::Horizontal).toString());
    }
    setColumns(defs);
}

int DataGrid::columnCount() const
{
    return m_model->columnCount();
}

const GridColumn &DataGrid::column(int index) const
{
    return m_model->column(index);
}

int DataGrid::columnIndex(const QString &name) const
{
    return m_model->columnByName(name);
}

int DataGrid::indexOrWarn(const QString &name) const
{
    const int c = columnIndex(name);
    if (c < 0)
        qWarning("DataGrid: no column named %s", qUtf8Printable(name));
    return c;
}

void DataGrid::applyColumnStates()
{
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const GridColumn &col = m_model->column(c);
        m_header->setSectionHidden(c, col.state != ColumnState::Visible);
        if (col.width > 0)
            m_header->resizeSection(c, col.width);
    }
    if (m_autoWidth)
        stretchColumns();
}

bool DataGrid::isColumnVisible(const QString &name) const
{
    const int c = columnIndex(name);
    return c >= 0 && m_model->column(c).state == ColumnState::Visible;
}

void DataGrid::setColumnVisible(const QString &name, bool visible)
{
    const int c = indexOrWarn(name);
    if (c < 0)
        return;
    GridColumn &col = m_model->columnRef(c);
    if (visible == (col.state == ColumnState::Visible))
        return;
    if (visible) {
        if (col.state == ColumnState::Internal)
            col.offered = false;
        col.state = ColumnState::Visible;
        const int width = std::max(col.width, 8); // showing restores the header's old size first
        m_header->setSectionHidden(c, false);
        m_header->resizeSection(c, width);
    } else {
        col.state = col.offered ? ColumnState::Hidden : ColumnState::Internal;
        m_header->setSectionHidden(c, true);
    }
    if (m_autoWidth)
        stretchColumns();
    if (m_chooser)
        m_chooser->refresh();
    m_footer->update();
    emit columnsChanged();
}

bool DataGrid::isColumnOffered(const QString &name) const
{
    const int c = columnIndex(name);
    return c >= 0 && m_model->column(c).offered && m_model->column(c).state != ColumnState::Internal;
}

void DataGrid::setColumnOffered(const QString &name, bool offered)
{
    const int c = indexOrWarn(name);
    if (c < 0)
        return;
    GridColumn &col = m_model->columnRef(c);
    col.offered = offered;
    if (col.state != ColumnState::Visible)
        col.state = offered ? ColumnState::Hidden : ColumnState::Internal;
    if (m_chooser)
        m_chooser->refresh();
}

void DataGrid::setColumnShown(const QString &name, bool shown)
{
    const int c = indexOrWarn(name);
    if (c < 0)
        return;
    setColumnState(name, shown ? ColumnState::Visible : ColumnState::Internal);
    m_model->columnRef(c).offered = shown;
    if (m_chooser)
        m_chooser->refresh();
}

ColumnState DataGrid::columnState(const QString &name) const
{
    const int c = columnIndex(name);
    return c < 0 ? ColumnState::Internal : m_model->column(c).state;
}

void DataGrid::setColumnState(const QString &name, ColumnState state)
{
    const int c = indexOrWarn(name);
    if (c < 0)
        return;
    GridColumn &col = m_model->columnRef(c);
    if (state == ColumnState::Visible) {
        setColumnVisible(name, true);
        return;
    }
    col.offered = state == ColumnState::Hidden;
    setColumnVisible(name, false);
    col.state = state;
    if (m_chooser)
        m_chooser->refresh();
}

void DataGrid::setColumnCaption(const QString &name, const QString &caption)
{
    const int c = indexOrWarn(name);
    if (c < 0)
        return;
    m_model->columnRef(c).caption = caption;
    m_header->viewport()->update();
}

int DataGrid::columnWidth(const QString &name) const
{
    const int c = columnIndex(name);
    if (c < 0)
        return 0;
    return m_header->isSectionHidden(c) ? m_model->column(c).width : m_header->sectionSize(c);
}

void DataGrid::setColumnWidth(const QString &name, int width)
{
    const int c = indexOrWarn(name);
    if (c < 0)
        return;
    m_model->columnRef(c).width = std::max(0, width);
    if (!m_header->isSectionHidden(c))
        m_header->resizeSection(c, std::max(0, width));
}

QStringList DataGrid::visibleColumns() const
{
    QStringList out;
    for (int v = 0; v < m_header->count(); ++v) {
        const int c = m_header->logicalIndex(v);
        if (m_model->column(c).state == ColumnState::Visible)
            out << m_model->column(c).name;
    }
    return out;
}

QStringList DataGrid::chooserColumns() const
{
    QStringList out;
    for (const GridColumn &c : m_model->columns())
        if (c.offered && c.state != ColumnState::Internal)
            out << c.name;
    return out;
}

// ---- Binding ---------------------------------------------------------------

void DataGrid::bind(MemTable *table)
{
    if (!m_tableModel)
        m_tableModel = new MemTableModel(nullptr, this);
    m_tableModel->setTable(table);
    m_table = table;
    setSourceModel(m_tableModel);
}

void DataGrid::setSourceModel(QAbstractItemModel *model)
{
    if (model != m_tableModel)
        m_table = nullptr;
    m_source = model;
    m_delegate->clearImageCache();
    if (m_attached)
        m_model->setSourceModel(model);
}

QAbstractItemModel *DataGrid::sourceModel() const
{
    return m_source;
}

void DataGrid::detach()
{
    if (!m_attached)
        return;
    m_attached = false;
    m_model->setSourceModel(nullptr);
}

void DataGrid::attach()
{
    if (m_attached)
        return;
    m_attached = true;
    m_delegate->clearImageCache();
    m_model->setSourceModel(m_source);
}

void DataGrid::beginUpdate()
{
    if (m_updateDepth++ == 0) {
        setUpdatesEnabled(false);
        m_model->beginBatch();
    }
}

void DataGrid::endUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0) {
        m_model->endBatch();
        setUpdatesEnabled(true);
        repaintAll();
    }
}

void DataGrid::repaintAll()
{
    m_view->viewport()->update();
    m_header->viewport()->update();
    m_indicator->viewport()->update();
    m_footer->update();
}

// ---- Look ------------------------------------------------------------------

void DataGrid::setStyles(const GridStyles &styles)
{
    m_look.styles = styles;
    QPalette pal = m_view->palette();
    if (styles.background && styles.background->background.isValid()) {
        pal.setColor(QPalette::Base, styles.background->background);
        pal.setColor(QPalette::Window, styles.background->background);
    }
    m_view->setPalette(pal);
    m_view->viewport()->setPalette(pal);
    repaintAll();
}

void DataGrid::setGridFont(const QFont &font)
{
    m_look.font = font;
    m_view->setFont(font);
    repaintAll();
}

void DataGrid::setHeaderHeight(int height)
{
    m_header->setHeight(height);
}

int DataGrid::headerHeight() const
{
    return m_header->height();
}

void DataGrid::setHeaderVisible(bool visible)
{
    m_header->setVisible(visible);
}

void DataGrid::setHeaderAlignment(Qt::Alignment alignment)
{
    m_look.headerAlignment = alignment;
    m_header->viewport()->update();
}

void DataGrid::setRowHeight(int height)
{
    m_indicator->setDefaultSectionSize(std::max(1, height));
}

int DataGrid::rowHeight() const
{
    return m_indicator->defaultSectionSize();
}

void DataGrid::setIndicatorWidth(int width)
{
    m_indicator->setIndicatorWidth(width);
}

int DataGrid::indicatorWidth() const
{
    return m_indicator->indicatorWidth();
}

void DataGrid::setGridLineColor(const QColor &color)
{
    m_look.gridLineColor = color;
    m_view->viewport()->update();
}

void DataGrid::setGridLinesVisible(bool visible)
{
    m_look.gridLines = visible;
    m_view->viewport()->update();
}

void DataGrid::setFocusRectVisible(bool visible)
{
    m_look.focusRect = visible;
    m_view->viewport()->update();
}

void DataGrid::setRowSelect(bool on)
{
    m_view->setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void DataGrid::setPixelScrolling(bool on)
{
    m_view->setVerticalScrollMode(on ? QAbstractItemView::ScrollPerPixel : QAbstractItemView::ScrollPerItem);
}

void DataGrid::setAutoWidth(bool on)
{
    m_autoWidth = on;
    m_view->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    if (on)
        stretchColumns();
}

void DataGrid::stretchColumns()
{
    if (m_stretching)
        return;
    m_stretching = true;
    QList<int> cols;
    int total = 0;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        if (m_header->isSectionHidden(c))
            continue;
        cols << c;
        total += std::max(1, m_model->column(c).width);
    }
    const int available = m_view->viewport()->width();
    if (!cols.isEmpty() && total > 0 && available > 0) {
        int used = 0;
        for (qsizetype i = 0; i < cols.size(); ++i) {
            const int c = cols.at(i);
            const int w = i + 1 == cols.size()
                              ? available - used
                              : int(qint64(std::max(1, m_model->column(c).width)) * available / total);
            const int keep = m_model->column(c).width;
            m_header->resizeSection(c, std::max(8, w));
            m_model->columnRef(c).width = keep; // proportions stay those of the definitions
            used += w;
        }
    }
    m_stretching = false;
}

// ---- Behaviour -------------------------------------------------------------

void DataGrid::setSortingEnabled(bool on)
{
    m_sorting = on;
    if (!on)
        m_model->clearSort();
}

void DataGrid::sortBy(const QString &name, Qt::SortOrder order)
{
    const int c = indexOrWarn(name);
    if (c >= 0)
        m_model->sortBy(c, order);
}

void DataGrid::clearSort()
{
    m_model->clearSort();
}

void DataGrid::onHeaderClicked(int logical)
{
    if (!m_sorting || logical < 0 || logical >= m_model->columnCount() || !m_model->column(logical).sortable)
        return;
    const Qt::SortOrder order = m_model->sortedColumn() == logical && m_model->sortOrder() == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    m_model->sortBy(logical, order);
}

void DataGrid::setFilterButtonsVisible(bool on)
{
    m_header->setFilterButtonsVisible(on);
}

bool DataGrid::filterButtonsVisible() const
{
    return m_header->filterButtonsVisible();
}

void DataGrid::setIncrementalSearchEnabled(bool on)
{
    m_incremental = on;
    if (!on)
        m_searchText.clear();
}

// ---- Filters ---------------------------------------------------------------

void DataGrid::setColumnFilter(const QString &name, const QVariantList &values)
{
    const int c = indexOrWarn(name);
    if (c < 0)
        return;
    QSet<QString> keys;
    for (const QVariant &v : values)
        keys.insert(gridlogic::valueKey(v));
    m_model->setFilter(c, keys);
    m_header->viewport()->update();
}

void DataGrid::clearColumnFilter(const QString &name)
{
    const int c = columnIndex(name);
    if (c >= 0)
        m_model->clearFilter(c);
    m_header->viewport()->update();
}

void DataGrid::clearFilters()
{
    m_model->clearFilters();
    m_header->viewport()->update();
}

bool DataGrid::hasFilters() const
{
    return m_model->hasFilters();
}

void DataGrid::showFilterPopup(const QString &name)
{
    const int c = indexOrWarn(name);
    if (c < 0)
        return;
    QRect button = m_header->filterButtonRect(c);
    if (button.isEmpty()) {
        const int x = m_header->sectionViewportPosition(c);
        button = QRect(x, 0, m_header->sectionSize(c), m_header->height());
    }
    onFilterButton(c, QRect(m_header->mapToGlobal(button.topLeft()), button.size()));
}

void DataGrid::onFilterButton(int logical, const QRect &globalRect)
{
    auto *popup = new FilterPopup(m_model->pickValues(logical), m_model->filterKeys(logical), this);
    connect(popup, &FilterPopup::applied, this, [this, logical](const QSet<QString> &keys, bool all) {
        if (all)
            m_model->clearFilter(logical);
        else
            m_model->setFilter(logical, keys);
        m_header->viewport()->update();
    });
    popup->move(globalRect.right() - popup->width() + 1, globalRect.bottom() + 1);
    popup->show();
}

// ---- Incremental search ----------------------------------------------------

bool DataGrid::incrementalSearch(const QString &text)
{
    if (text.isEmpty())
        return false;
    QModelIndex current = m_view->currentIndex();
    int column = current.isValid() ? current.column() : -1;
    if (column < 0 || m_header->isSectionHidden(column)) {
        const QStringList visible = visibleColumns();
        column = visible.isEmpty() ? -1 : columnIndex(visible.first());
    }
    if (column < 0)
        return false;
    const int start = current.isValid() ? current.row() : 0;
    const int found = gridlogic::findIncremental(text, m_model->rowCount(), start, [this, column](int viewRow) {
        const int source = m_model->sourceRow(viewRow);
        return source < 0 ? QString() : m_model->cellText(source, column, viewRow);
    });
    if (found < 0)
        return false;
    m_searching = true;
    m_view->setCurrentIndex(m_model->index(found, column));
    m_view->scrollTo(m_model->index(found, column));
    m_searching = false;
    m_searchText = text;
    m_searchColumn = column;
    return true;
}

void DataGrid::clearSearch()
{
    m_searchText.clear();
    m_searchColumn = -1;
}

bool DataGrid::handleKey(QKeyEvent *event)
{
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid() && m_model->rowKind(current.row()) == GridModel::RowKind::GroupHeader) {
        const int g = m_model->groupOf(current.row());
        if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Right) {
            setGroupExpanded(g, true);
            return true;
        }
        if (event->key() == Qt::Key_Minus || event->key() == Qt::Key_Left) {
            setGroupExpanded(g, false);
            return true;
        }
    }
    if (!m_incremental)
        return false;
    if (event->key() == Qt::Key_Escape && !m_searchText.isEmpty()) {
        clearSearch();
        return true;
    }
    if (event->key() == Qt::Key_Backspace && !m_searchText.isEmpty()) {
        const QString shorter = m_searchText.chopped(1);
        if (shorter.isEmpty() || !incrementalSearch(shorter))
            clearSearch();
        return true;
    }
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.at(0).isPrint()
        || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    if (current.isValid() && current.column() != m_searchColumn)
        clearSearch();
    // A key that matches no row is dropped; the search text stays as it was.
    incrementalSearch(m_searchText + typed);
    return true;
}

// ---- Footer and groups -----------------------------------------------------

void DataGrid::setFooterVisible(bool visible)
{
    m_footer->setVisible(visible);
}

bool DataGrid::isFooterVisible() const
{
    return !m_footer->isHidden();
}

void DataGrid::setFooterSummaries(const QList<GridSummary> &summaries)
{
    m_footer->setSummaries(summaries);
    m_footer->setVisible(true);
}

QString DataGrid::footerText(const QString &name) const
{
    const int c = columnIndex(name);
    return c < 0 ? QString() : m_footer->text(c);
}

double DataGrid::footerValue(const GridSummary &summary) const
{
    return m_model->summaryValue(summary);
}

void DataGrid::setGroupByBoxVisible(bool visible)
{
    m_groupBox->setVisible(visible);
    m_header->setGroupDragEnabled(visible);
    m_groupBox->refresh();
}

bool DataGrid::isGroupByBoxVisible() const
{
    return !m_groupBox->isHidden();
}

void DataGrid::groupBy(const QString &name)
{
    const int c = indexOrWarn(name);
    if (c < 0)
        return;
    m_model->setGroupColumn(c);
    m_groupBox->refresh();
}

void DataGrid::clearGrouping()
{
    m_model->setGroupColumn(-1);
    m_groupBox->refresh();
}

QString DataGrid::groupColumn() const
{
    const int c = m_model->groupColumn();
    return c < 0 ? QString() : m_model->column(c).name;
}

void DataGrid::setGroupSummaries(const QList<GridSummary> &summaries)
{
    m_model->setGroupSummaries(summaries);
}

int DataGrid::groupCount() const
{
    return m_model->groupCount();
}

QString DataGrid::groupText(int group) const
{
    return group >= 0 && group < m_model->groupCount() ? m_model->groupText(group) : QString();
}

double DataGrid::groupSummaryValue(int group, const GridSummary &summary) const
{
    return group >= 0 && group < m_model->groupCount() ? m_model->groupSummaryValue(group, summary) : 0.0;
}

bool DataGrid::isGroupExpanded(int group) const
{
    return group >= 0 && group < m_model->groupCount() && m_model->isGroupExpanded(group);
}

void DataGrid::setGroupExpanded(int group, bool expanded)
{
    m_model->setGroupExpanded(group, expanded);
}

void DataGrid::collapseAll()
{
    m_model->collapseAll();
}

void DataGrid::expandAll()
{
    m_model->expandAll();
}

void DataGrid::applySpans()
{
    m_view->clearSpans();
    if (m_model->groupColumn() < 0)
        return;
    int first = 0;
    while (first < m_model->columnCount() && m_header->isSectionHidden(first))
        ++first;
    const int span = m_model->columnCount() - first;
    // Very many groups would cost more in spans than they give: their rows
    // then show the group's text in the first column only.
    if (span <= 1 || m_model->groupCount() > MaxSpannedGroups)
        return;
    const int rows = m_model->rowCount();
    for (int r = 0; r < rows; ++r)
        if (m_model->rowKind(r) == GridModel::RowKind::GroupHeader)
            m_view->setSpan(r, first, 1, span);
}

// ---- Rows and focus --------------------------------------------------------

int DataGrid::rowCount() const
{
    return int(m_model->dataRows().size());
}

int DataGrid::sourceRowAt(int i) const
{
    return i >= 0 && i < m_model->dataRows().size() ? m_model->dataRows().at(i) : -1;
}

int DataGrid::focusedRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? m_model->sourceRow(current.row()) : -1;
}

void DataGrid::setFocusedRow(int sourceRow)
{
    const int v = m_model->viewRowOfSource(sourceRow);
    if (v < 0)
        return;
    const QModelIndex current = m_view->currentIndex();
    int column = current.isValid() ? current.column() : -1;
    if (column < 0) {
        const QStringList visible = visibleColumns();
        column = visible.isEmpty() ? 0 : columnIndex(visible.first());
    }
    m_view->setCurrentIndex(m_model->index(v, column));
    m_view->scrollTo(m_model->index(v, column));
}

QString DataGrid::focusedColumn() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? m_model->column(current.column()).name : QString();
}

void DataGrid::setFocusedColumn(const QString &name)
{
    const int c = indexOrWarn(name);
    const QModelIndex current = m_view->currentIndex();
    if (c < 0 || !current.isValid())
        return;
    m_view->setCurrentIndex(m_model->index(current.row(), c));
}

QVariant DataGrid::focusedValue(const QString &field) const
{
    return m_model->sourceRaw(focusedRow(), m_model->fieldIndex(field));
}

void DataGrid::onDoubleClick(const QModelIndex &index)
{
    const auto kind = m_model->rowKind(index.row());
    if (kind == GridModel::RowKind::GroupHeader) {
        const int g = m_model->groupOf(index.row());
        setGroupExpanded(g, !isGroupExpanded(g));
        return;
    }
    if (kind == GridModel::RowKind::Data)
        emit rowDoubleClicked(m_model->sourceRow(index.row()));
}

void DataGrid::onCurrentChanged()
{
    m_indicator->viewport()->update();
    if (!m_searching && m_view->currentIndex().column() != m_searchColumn)
        clearSearch();
    const int row = focusedRow();
    if (row != m_lastFocusedRow) {
        m_lastFocusedRow = row;
        emit focusedRowChanged(row);
    }
}

void DataGrid::remember()
{
    m_rememberedRow = focusedRow();
    const QModelIndex current = m_view->currentIndex();
    m_rememberedColumn = current.isValid() ? current.column() : -1;
}

void DataGrid::restore()
{
    m_delegate->clearImageCache();
    applySpans();
    m_footer->invalidate();
    if (m_model->rowCount() == 0) {
        onCurrentChanged();
        return;
    }
    // A reload focuses the first row, as a freshly opened table does; a
    // filter, sort or grouping change keeps the focused record.
    int v = m_rememberedRow >= 0 && !m_model->isSourceReset() ? m_model->viewRowOfSource(m_rememberedRow) : -1;
    if (v < 0)
        v = 0;
    int column = m_rememberedColumn;
    if (column < 0 || column >= m_model->columnCount() || m_header->isSectionHidden(column)) {
        const QStringList visible = visibleColumns();
        column = visible.isEmpty() ? 0 : columnIndex(visible.first());
    }
    m_searching = true;
    m_view->setCurrentIndex(m_model->index(v, column));
    m_searching = false;
}

// ---- Column widths ---------------------------------------------------------

int DataGrid::bestFitWidth(int column) const
{
    const GridColumn &col = m_model->column(column);
    const QFontMetrics headerFm(m_look.headerFont());
    int width = headerFm.horizontalAdvance(col.headerText()) + 12;
    if (m_header->filterButtonsVisible() && col.filterable)
        width += GridHeader::FilterButtonWidth + 2;
    if (m_model->sortedColumn() == column)
        width += 12;

    // A bounded sample: the first rows and rows spread over the rest, so the
    // cost does not grow with the table.
    const QList<int> &rows = m_model->dataRows();
    QList<int> sample;
    const qsizetype n = rows.size();
    if (n <= BestFitSampleRows) {
        sample = rows;
    } else {
        const int head = BestFitSampleRows / 2;
        sample = rows.mid(0, head);
        const int spread = BestFitSampleRows - head;
        for (int i = 0; i < spread; ++i)
            sample << rows.at(head + qsizetype(i) * (n - head) / spread);
    }

    const QFontMetrics fm(m_look.cellFont());
    int content = 0;
    switch (col.kind) {
    case ColumnKind::Text:
    case ColumnKind::Memo:
    case ColumnKind::OwnerDrawn: {
        if (col.kind == ColumnKind::OwnerDrawn && !col.text)
            return std::max(width, col.width);
        for (int row : std::as_const(sample)) {
            const QString text = m_model->cellText(row, column);
            for (QStringView line : QStringView(text).split(u'\n'))
                content = std::max(content, fm.horizontalAdvance(line.toString()));
        }
        content += col.kind == ColumnKind::OwnerDrawn ? 22 : 2 * m_look.cellPadding + 4;
        break;
    }
    case ColumnKind::Picture:
        for (const QPixmap &pm : col.images)
            content = std::max(content, int(pm.deviceIndependentSize().width()) + 8);
        break;
    case ColumnKind::CheckBox:
        content = m_view->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, m_view) + 10;
        break;
    case ColumnKind::Image:
        return std::max(width, col.width);
    }
    // The footer's text under the column must fit as well.
    const QString footer = m_footer->isHidden() ? QString() : m_footer->text(column);
    if (!footer.isEmpty()) {
        QFont bold = m_look.cellFont();
        bold.setBold(true);
        width = std::max(width, QFontMetrics(bold).horizontalAdvance(footer) + 14);
    }
    return std::min(std::max(width, content), 1000);
}

void DataGrid::bestFit()
{
    beginUpdate();
    for (int c = 0; c < m_model->columnCount(); ++c)
        if (!m_header->isSectionHidden(c))
            m_header->resizeSection(c, bestFitWidth(c));
    endUpdate();
}

void DataGrid::bestFitColumn(const QString &name)
{
    const int c = indexOrWarn(name);
    if (c >= 0 && !m_header->isSectionHidden(c))
        m_header->resizeSection(c, bestFitWidth(c));
}

bool DataGrid::applyWeights(int gridWidth)
{
    QList<int> cols, weights;
    for (int v = 0; v < m_header->count(); ++v) {
        const int c = m_header->logicalIndex(v);
        if (m_model->column(c).state != ColumnState::Visible)
            continue;
        cols << c;
        weights << m_model->column(c).weight;
    }
    const std::optional<QList<int>> widths =
        columnlayout::weightedWidths(weights, gridWidth < 0 ? width() : gridWidth);
    if (!widths)
        return false;
    beginUpdate();
    for (qsizetype i = 0; i < cols.size(); ++i)
        m_header->resizeSection(cols.at(i), widths->at(i));
    endUpdate();
    return true;
}

void DataGrid::applyColumnLayout(int screenWidth, int gridWidth)
{
    if (columnlayout::usesWeights(screenWidth) && applyWeights(gridWidth))
        return;
    bestFit();
}

void DataGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_autoWidth)
        stretchColumns();
    emit resized();
}

// ---- Menus -----------------------------------------------------------------

void DataGrid::setContextMenu(QMenu *menu)
{
    m_contextMenu = menu;
}

void DataGrid::showColumnChooser()
{
    if (!m_chooser)
        m_chooser = new ColumnChooser(this);
    m_chooser->refresh();
    m_chooser->show();
    m_chooser->raise();
}

void DataGrid::onHeaderMenu(const QPoint &pos)
{
    const int c = m_header->logicalIndexAt(pos);
    QMenu menu(this);
    if (c >= 0) {
        const GridColumn &col = m_model->column(c);
        const QString name = col.name;
        if (m_sorting && col.sortable) {
            menu.addAction(QStringLiteral("Artan Sırala"), this, [this, c] { m_model->sortBy(c, Qt::AscendingOrder); });
            menu.addAction(QStringLiteral("Azalan Sırala"), this, [this, c] { m_model->sortBy(c, Qt::DescendingOrder); });
            if (m_model->sortedColumn() >= 0)
                menu.addAction(QStringLiteral("Sıralamayı Kaldır"), this, [this] { m_model->clearSort(); });
            menu.addSeparator();
        }
        if (isGroupByBoxVisible() && m_model->sourceColumn(c) >= 0)
            menu.addAction(QStringLiteral("Bu Sütuna Göre Grupla"), this, [this, name] { groupBy(name); });
        if (!groupColumn().isEmpty()) {
            menu.addAction(QStringLiteral("Gruplamayı Kaldır"), this, &DataGrid::clearGrouping);
            menu.addAction(QStringLiteral("Tümünü Aç"), this, &DataGrid::expandAll);
            menu.addAction(QStringLiteral("Tümünü Kapat"), this, &DataGrid::collapseAll);
        }
        if (isColumnOffered(name) && visibleColumns().size() > 1)
            menu.addAction(QStringLiteral("Bu Sütunu Gizle"), this, [this, name] { setColumnVisible(name, false); });
        menu.addAction(QStringLiteral("En Uygun Genişlik"), this, [this, name] { bestFitColumn(name); });
    }
    menu.addAction(QStringLiteral("En Uygun Genişlik (Tüm Sütunlar)"), this, &DataGrid::bestFit);
    if (!chooserColumns().isEmpty())
        menu.addAction(QStringLiteral("Sütun Seçici"), this, &DataGrid::showColumnChooser);
    if (hasFilters())
        menu.addAction(QStringLiteral("Filtreleri Temizle"), this, &DataGrid::clearFilters);
    menu.exec(m_header->mapToGlobal(pos));
}

// ---- Export ----------------------------------------------------------------

ExcelExportResult DataGrid::exportToExcel(const QString &path) const
{
    QList<ExcelExportColumn> columns;
    for (const QString &name : visibleColumns()) {
        const int c = columnIndex(name);
        columns.append({c, m_header->sectionSize(c)});
    }
    return exportGridToExcel(*m_model, columns, isFooterVisible() ? m_footer->summaries() : QList<GridSummary>(),
                             path);
}

QTableView *DataGrid::view() const
{
    return m_view;
}
