// The data grid's speed: binding a large table with the first paint, painting
// one screen while scrolling, header filters, incremental search, sorting and
// the Excel export. Runs on the offscreen platform.

#include "platform/grid/datagrid.h"
#include "platform/grid/gridmodel.h"
#include "tests/grid/gridfixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const TableData &stock(int rows)
{
    static std::map<int, TableData> cache;
    auto it = cache.find(rows);
    if (it == cache.end())
        it = cache.emplace(rows, gridfixture::stockData(rows)).first;
    return it->second;
}

// A grid looking as the stock list does: shared styles, 40-pixel header,
// filter buttons, footer, every column kind, word-wrapped text.
std::unique_ptr<DataGrid> stockGrid(int rowHeight)
{
    auto grid = std::make_unique<DataGrid>();
    GridStyles styles;
    styles.background = styles.content = styles.evenRow = sharedstyles::lightGrey();
    styles.oddRow = sharedstyles::white();
    styles.header = sharedstyles::darkSlate();
    styles.indicator = sharedstyles::darkGrey();
    styles.selection = sharedstyles::paleBlue();
    grid->setStyles(styles);
    QFont font(u"Arial"_s);
    font.setPixelSize(13);
    grid->setGridFont(font);
    grid->setHeaderHeight(40);
    grid->setRowHeight(rowHeight);
    grid->setIndicatorWidth(5);
    grid->setGridLineColor(Qt::white);
    grid->setFilterButtonsVisible(true);
    grid->setColumns(gridfixture::stockColumns(gridfixture::statePictures()));
    grid->setFooterSummaries({{u"OEM1"_s, SummaryKind::Count}, {u"MIKTAR"_s, SummaryKind::Sum}});
    grid->resize(1380, 860);
    grid->show();
    return grid;
}

// A plain grid bound to the 100 000-row table, for the row logic.
struct Bound100k {
    MemTable table;
    DataGrid grid;
    Bound100k()
    {
        table.assign(TableData(stock(100000)));
        grid.setColumns(gridfixture::stockColumns({}));
        grid.bind(&table);
    }
};

void paintWidget(QWidget *w, QImage &target)
{
    QPainter p(&target);
    w->render(&p);
}

void BM_BindAndFirstPaint(benchmark::State &state)
{
    const int rows = int(state.range(0));
    MemTable table;
    table.assign(TableData(stock(rows)));
    QImage target(1380, 860, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<DataGrid> grid = stockGrid(60);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        grid->bind(&table);
        paintWidget(grid.get(), target);
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_BindAndFirstPaint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Reloading a bound table (one reset) and painting, as a tab does on each showing.
void BM_ReloadAndPaint(benchmark::State &state)
{
    const int rows = int(state.range(0));
    MemTable table;
    std::unique_ptr<DataGrid> grid = stockGrid(60);
    grid->bind(&table);
    QImage target(1380, 860, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        TableData data(stock(rows));
        state.ResumeTiming();
        grid->beginUpdate();
        table.assign(std::move(data));
        grid->endUpdate();
        paintWidget(grid.get(), target);
    }
}
BENCHMARK(BM_ReloadAndPaint)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One screen of rows painted after a scroll: word-wrapped text, pictures,
// check boxes and the owner-drawn price column (60- and 100-pixel rows).
void BM_PaintScreen(benchmark::State &state)
{
    MemTable table;
    table.assign(TableData(stock(100000)));
    std::unique_ptr<DataGrid> grid = stockGrid(int(state.range(0)));
    grid->bind(&table);
    QTableView *view = grid->view();
    QImage target(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QScrollBar *bar = view->verticalScrollBar();
    int page = 0;
    for (auto _ : state) {
        bar->setValue((page++ * 17) % bar->maximum());
        QPainter p(&target);
        view->viewport()->render(&p);
    }
    const int perScreen = view->viewport()->height() / grid->rowHeight() + 1;
    state.counters["rows_per_screen"] = perScreen;
    state.counters["columns"] = double(grid->visibleColumns().size());
}
BENCHMARK(BM_PaintScreen)->Arg(60)->Arg(100)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_HeaderFilter(benchmark::State &state)
{
    Bound100k bound;
    DataGrid &grid = bound.grid;
    int shown = 0;
    for (auto _ : state) {
        grid.setColumnFilter(u"MARKA"_s, {u"KAYA"_s, u"ŞAHİN"_s});
        shown = grid.rowCount();
        state.PauseTiming();
        grid.clearFilters();
        state.ResumeTiming();
    }
    state.counters["shown"] = shown;
}
BENCHMARK(BM_HeaderFilter)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The pick list of a filter button: distinct values over 100 000 rows.
void BM_FilterPickList(benchmark::State &state)
{
    Bound100k bound;
    DataGrid &grid = bound.grid;
    const int column = grid.columnIndex(u"MARKA"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(grid.gridModel()->pickValues(column));
}
BENCHMARK(BM_FilterPickList)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Incremental search whose match is the last row: the whole column is read.
void BM_IncrementalSearch(benchmark::State &state)
{
    Bound100k bound;
    DataGrid &grid = bound.grid;
    for (auto _ : state) {
        state.PauseTiming();
        grid.setFocusedRow(0);
        grid.setFocusedColumn(u"BARKOD"_s);
        state.ResumeTiming();
        if (!grid.incrementalSearch(u"B099999"_s))
            state.SkipWithError("not found");
    }
}
BENCHMARK(BM_IncrementalSearch)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SortByText(benchmark::State &state)
{
    Bound100k bound;
    DataGrid &grid = bound.grid;
    for (auto _ : state) {
        grid.sortBy(u"ADI"_s, Qt::AscendingOrder);
        state.PauseTiming();
        grid.clearSort();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortByText)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// Export of 10 000 rows x 30 columns to an Excel workbook.
void BM_ExportExcel(benchmark::State &state)
{
    MemTable table;
    table.assign(gridfixture::stockData(10000, 13));
    DataGrid grid;
    grid.bind(&table);
    grid.setColumnsFromSource();
    QTemporaryDir dir;
    qint64 bytes = 0;
    for (auto _ : state) {
        const ExcelExportResult r = grid.exportToExcel(dir.filePath(u"bench"_s));
        if (!r.ok)
            state.SkipWithError(qPrintable(r.error));
        bytes = QFileInfo(r.path).size();
    }
    state.counters["columns"] = double(grid.visibleColumns().size());
    state.counters["file_bytes"] = double(bytes);
}
BENCHMARK(BM_ExportExcel)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
