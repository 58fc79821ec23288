#pragma once

// DataGrid: the one grid component of the program. A window declares its
// columns (GridColumn), binds an in-memory table, and chooses the look and
// behaviour; the grid shows the rows with fixed row heights, header filters,
// incremental search, sorting, grouping, footer summaries, a column chooser,
// best fit and the weighted width rule, and exports itself to Excel.
//
//   auto *grid = new DataGrid(this);
//   grid->setColumns({GridColumn::textColumn(u"BARKOD"_s, u"Barkod"_s).setWeight(2).setWidth(199),
//                     GridColumn::textColumn(u"STOK_STOKNO"_s).setInternal()});
//   grid->bind(stok);                       // MemTable *
//   grid->setFooterSummaries({{u"OEM1"_s, SummaryKind::Count}});
//   connect(grid, &DataGrid::rowDoubleClicked, this, ...);

#include "platform/dataset/memtable.h"
#include "platform/grid/gridcolumn.h"
#include "platform/grid/gridexport.h"
#include "platform/grid/gridlook.h"
#include "platform/grid/gridstyle.h"

#include <QPointer>
#include <QWidget>

class ColumnChooser;
class GridDelegate;
class GridFooter;
class GridHeader;
class GridModel;
class GridView;
class GroupByBox;
class MemTableModel;
class QAbstractItemModel;
class QMenu;
class QTableView;
class RowIndicator;

class DataGrid : public QWidget
{
    Q_OBJECT

public:
    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    // ---- Columns -------------------------------------------------------
    // Replaces the columns; clears filters, sorting and grouping.
    void setColumns(const QList<GridColumn> &columns);
    // One plain text column per field of the bound source, captions empty.
    void setColumnsFromSource();
    int columnCount() const;
    const GridColumn &column(int index) const;
    int columnIndex(const QString &name) const; // -1 when absent
    bool hasColumn(const QString &name) const { return columnIndex(name) >= 0; }

    bool isColumnVisible(const QString &name) const;
    void setColumnVisible(const QString &name, bool visible);
    // Whether a column is offered in the column chooser (internal: never).
    bool isColumnOffered(const QString &name) const;
    void setColumnOffered(const QString &name, bool offered);
    // Visible and offered, or neither (the user-type rules of the windows).
    void setColumnShown(const QString &name, bool shown);
    ColumnState columnState(const QString &name) const;
    void setColumnState(const QString &name, ColumnState state);
    void setColumnCaption(const QString &name, const QString &caption);
    int columnWidth(const QString &name) const;
    void setColumnWidth(const QString &name, int width);

    // Names of the visible columns, left to right.
    QStringList visibleColumns() const;
    // Names of the columns the chooser offers (visible or hidden), in order.
    QStringList chooserColumns() const;

    // ---- Binding -------------------------------------------------------
    // Binds an in-memory table (through a table model the grid owns).
    void bind(MemTable *table);
    MemTable *table() const { return m_table; }
    // Binds any table model whose horizontal header names the fields and
    // which gives raw values in MemTableModel::RawValueRole.
    void setSourceModel(QAbstractItemModel *model);
    QAbstractItemModel *sourceModel() const;
    // Detaching leaves the grid empty and deaf to the table while a job
    // refills it; attaching shows the table again (one rebuild).
    void detach();
    void attach();
    bool isAttached() const { return m_attached; }
    // Suspends repainting and row rebuilds until the matching endUpdate();
    // nestable. Use around a reload or several changes at once.
    void beginUpdate();
    void endUpdate();
    bool isUpdating() const { return m_updateDepth > 0; }

    // ---- Look ----------------------------------------------------------
    void setStyles(const GridStyles &styles);
    const GridStyles &styles() const { return m_look.styles; }
    void setGridFont(const QFont &font);
    QFont gridFont() const { return m_look.font; }
    void setHeaderHeight(int height);
    int headerHeight() const;
    void setHeaderVisible(bool visible);
    void setHeaderAlignment(Qt::Alignment alignment);
    // Fixed height of every data row; may change at run time.
    void setRowHeight(int height);
    int rowHeight() const;
    // Width of the row indicator; 0 hides it.
    void setIndicatorWidth(int width);
    int indicatorWidth() const;
    void setGridLineColor(const QColor &color);
    void setGridLinesVisible(bool visible);
    void setFocusRectVisible(bool visible);
    bool isFocusRectVisible() const { return m_look.focusRect; }
    // Whole-row selection (default) or single cells.
    void setRowSelect(bool on);
    void setPixelScrolling(bool on);
    // Columns stretched to fill the grid's width, keeping their proportions.
    void setAutoWidth(bool on);

    // ---- Behaviour -----------------------------------------------------
    void setSortingEnabled(bool on);
    bool isSortingEnabled() const { return m_sorting; }
    void sortBy(const QString &name, Qt::SortOrder order = Qt::AscendingOrder);
    void clearSort();
    void setFilterButtonsVisible(bool on);
    bool filterButtonsVisible() const;
    void setIncrementalSearchEnabled(bool on);
    bool isIncrementalSearchEnabled() const { return m_incremental; }

    // ---- Header filters ------------------------------------------------
    // Lets through the rows whose value in the column is one of values.
    void setColumnFilter(const QString &name, const QVariantList &values);
    void clearColumnFilter(const QString &name);
    void clearFilters();
    bool hasFilters() const;
    // Opens the pick list of a column as its filter button does.
    void showFilterPopup(const QString &name);

    // ---- Incremental search --------------------------------------------
    // Searches the focused column for a row whose text begins with text
    // (ignoring case) from the focused row on; focuses it and answers true,
    // or leaves the focus and answers false.
    bool incrementalSearch(const QString &text);
    QString searchText() const { return m_searchText; }
    void clearSearch();

    // ---- Footer and groups ---------------------------------------------
    void setFooterVisible(bool visible);
    bool isFooterVisible() const;
    void setFooterSummaries(const QList<GridSummary> &summaries);
    QString footerText(const QString &name) const;
    double footerValue(const GridSummary &summary) const;

    void setGroupByBoxVisible(bool visible);
    bool isGroupByBoxVisible() const;
    void groupBy(const QString &name);
    void clearGrouping();
    QString groupColumn() const; // empty when not grouped
    void setGroupSummaries(const QList<GridSummary> &summaries);
    int groupCount() const;
    QString groupText(int group) const;
    double groupSummaryValue(int group, const GridSummary &summary) const;
    bool isGroupExpanded(int group) const;
    void setGroupExpanded(int group, bool expanded);
    void collapseAll();
    void expandAll();

    // ---- Rows and focus ------------------------------------------------
    // Data rows after the filters (all groups counted).
    int rowCount() const;
    // The source row of the i-th data row (view order, groups expanded).
    int sourceRowAt(int i) const;
    // Source row of the focused data row; -1 when none (or a group row).
    int focusedRow() const;
    void setFocusedRow(int sourceRow);
    QString focusedColumn() const;
    void setFocusedColumn(const QString &name);
    // Raw value of a field in the focused row (null when none).
    QVariant focusedValue(const QString &field) const;

    // ---- Column widths -------------------------------------------------
    // Every visible column to its contents, sampling a bounded number of rows.
    void bestFit();
    void bestFitColumn(const QString &name);
    // Visible columns get weight x trunc((width - 30) / sum of weights);
    // answers false (nothing changed) when the weights sum to 0.
    bool applyWeights(int gridWidth = -1);
    // The common rule: weights when the screen is wider than 1152 pixels,
    // else (or with weights summing to 0) best fit.
    void applyColumnLayout(int screenWidth, int gridWidth = -1);
    static constexpr int BestFitSampleRows = 400;
    static constexpr int MaxSpannedGroups = 5000;

    // ---- Menus and dialogs ---------------------------------------------
    // The menu shown on a right click on the rows (not owned).
    void setContextMenu(QMenu *menu);
    void showColumnChooser();

    // ---- Export --------------------------------------------------------
    // All rows (groups expanded) and visible columns with their captions to
    // an Excel workbook; ".xlsx" is appended when the name has no such
    // extension (see withExcelExtension).
    ExcelExportResult exportToExcel(const QString &path) const;

    // ---- Parts ---------------------------------------------------------
    QTableView *view() const;
    GridModel *gridModel() const { return m_model; }
    const GridLook &look() const { return m_look; }

signals:
    void rowDoubleClicked(int sourceRow);
    void focusedRowChanged(int sourceRow);
    void contextMenuRequested(const QPoint &globalPos);
    void resized();
    void columnsChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class GridView;
    int indexOrWarn(const QString &name) const;
    void applyColumnStates();
    void applySpans();
    void repaintAll();
    bool handleKey(QKeyEvent *event);
    void onHeaderClicked(int logical);
    void onFilterButton(int logical, const QRect &globalRect);
    void onHeaderMenu(const QPoint &pos);
    void onCurrentChanged();
    void onDoubleClick(const QModelIndex &index);
    void stretchColumns();
    int bestFitWidth(int column) const;
    void remember();
    void restore();

    GridLook m_look;
    GridModel *m_model;
    MemTableModel *m_tableModel = nullptr;
    QPointer<MemTable> m_table;
    QPointer<QAbstractItemModel> m_source;
    GridView *m_view;
    GridHeader *m_header;
    RowIndicator *m_indicator;
    GridDelegate *m_delegate;
    GridFooter *m_footer;
    GroupByBox *m_groupBox;
    QPointer<ColumnChooser> m_chooser;
    QPointer<QMenu> m_contextMenu;

    bool m_attached = true;
    int m_updateDepth = 0;
    bool m_sorting = true;
    bool m_incremental = true;
    bool m_autoWidth = false;
    bool m_stretching = false;
    QString m_searchText;
    int m_searchColumn = -1;
    bool m_searching = false;
    int m_rememberedRow = -1;
    int m_rememberedColumn = -1;
    int m_lastFocusedRow = -2;
};
