// The data grid's speed at 10 000 and 100 000 rows: binding with the first
// paint, one scroll step, a header filter and best fit, each beside its floor
// measured in the same run; then reloading, the filter pick list,
// incremental search, sorting and the Excel export. Runs on the offscreen
// platform.
//
//   bench_grid [--smoke]
//
// Floors: painting the same screen of cells with plain QPainter::drawText
// (no model or view); one pass over the filtered column's values; measuring
// the same sampled cell texts with QFontMetrics.
//
// Prints FIGURE lines (bench/figure.h).

#include "bench/figure.h"

#include "platform/grid/datagrid.h"
#include "platform/grid/gridmodel.h"
#include "tests/grid/gridfixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QTableView>
#include <QTemporaryDir>

#include <chrono>
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

// A plain grid bound to a table, for the row logic.
struct Bound {
    MemTable table;
    DataGrid grid;
    explicit Bound(int rows)
    {
        table.assign(TableData(stock(rows)));
        grid.setColumns(gridfixture::stockColumns({}));
        grid.bind(&table);
    }
};

void paintWidget(QWidget *w, QImage &target)
{
    QPainter p(&target);
    w->render(&p);
}

// A cell's text as the floor paints and measures it.
QString cellText(const TableData &t, int row, int col)
{
    switch (t.fields().at(col).type) {
    case FieldType::String:
    case FieldType::Memo:
        return t.stringValue(row, col);
    case FieldType::Integer:
        return QString::number(t.intValue(row, col));
    default:
        return QString::number(t.doubleValue(row, col), 'f', 2);
    }
}

// The fields of the grid's visible columns that show a table field.
QList<int> visibleFields(const DataGrid &grid, const TableData &t)
{
    QList<int> out;
    for (const QString &name : grid.visibleColumns())
        if (const int f = t.fieldIndex(name); f >= 0)
            out << f;
    return out;
}

// The paint floor: one screen of the same cells drawn as plain text.
void rawPaint(const TableData &t, int firstRow, int rowsPerScreen, const QList<int> &fields, int columnWidth,
              int rowHeight, const QFont &font, QImage &target)
{
    QPainter p(&target);
    p.fillRect(target.rect(), Qt::white);
    p.setFont(font);
    for (int r = 0; r < rowsPerScreen && firstRow + r < t.rowCount(); ++r) {
        int x = 0;
        for (int f : fields) {
            p.drawText(QRect(x, r * rowHeight, columnWidth, rowHeight), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                       cellText(t, firstRow + r, f));
            x += columnWidth;
        }
    }
}

int g_sink = 0;

void gridFigures(int rows, int runs)
{
    const TableData &data = stock(rows);
    const std::string note = std::to_string(runs) + " runs";
    QImage target(1380, 860, QImage::Format_ARGB32_Premultiplied);

    // The paint floor, with the stock grid's screen geometry.
    std::unique_ptr<DataGrid> probe = stockGrid(60);
    MemTable probeTable;
    probeTable.assign(TableData(data));
    probe->bind(&probeTable);
    QCoreApplication::processEvents();
    QTableView *probeView = probe->view();
    const QList<int> fields = visibleFields(*probe, data);
    const int rowsPerScreen = probeView->viewport()->height() / probe->rowHeight() + 1;
    const int columnWidth = fields.isEmpty() ? 100 : probeView->viewport()->width() / int(fields.size());
    QImage screen(probeView->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    int first = 0;
    const auto paintFloor = bench::timeRuns(runs, [&] {
        rawPaint(data, first, rowsPerScreen, fields, columnWidth, probe->rowHeight(), probe->gridFont(), screen);
        first = (first + 17) % std::max(1, rows - rowsPerScreen);
    });

    // Bind and first paint: a fresh grid each run, built outside the timing.
    std::vector<double> bindMs;
    for (int run = 0; run <= runs; ++run) {
        MemTable table;
        table.assign(TableData(data));
        std::unique_ptr<DataGrid> grid = stockGrid(60);
        QCoreApplication::processEvents();
        const auto t0 = std::chrono::steady_clock::now();
        grid->bind(&table);
        paintWidget(grid.get(), target);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        if (run > 0) // the first run warms the caches
            bindMs.push_back(ms);
    }
    bench::figure("grid", bench::rowsName("bind+first paint", rows), bindMs, "ms", "one screen drawn as plain text",
                  paintFloor, "ratio<2", note);

    // One scroll step: the scroll bar moves and the viewport paints one screen.
    QScrollBar *bar = probeView->verticalScrollBar();
    int page = 0;
    const auto scrollMs = bench::timeRuns(runs, [&] {
        bar->setValue((page++ * 17) % std::max(1, bar->maximum()));
        QPainter p(&screen);
        probeView->viewport()->render(&p);
    });
    bench::figure("grid", bench::rowsName("scroll step", rows), scrollMs, "ms", "one screen drawn as plain text",
                  paintFloor, "ratio<2", note);

    // A header filter on MARKA with two values.
    Bound bound(rows);
    const int marka = data.fieldIndex(u"MARKA");
    const QSet<QString> wanted = {u"KAYA"_s, u"ŞAHİN"_s};
    const auto filterFloor = bench::timeRuns(runs, [&] {
        int n = 0;
        for (int r = 0; r < data.rowCount(); ++r)
            n += wanted.contains(data.stringValue(r, marka)) ? 1 : 0;
        g_sink = n;
    });
    std::vector<double> filterMs;
    for (int run = 0; run <= runs; ++run) {
        bound.grid.clearFilters();
        const auto t0 = std::chrono::steady_clock::now();
        bound.grid.setColumnFilter(u"MARKA"_s, {u"KAYA"_s, u"ŞAHİN"_s});
        g_sink = bound.grid.rowCount();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        if (run > 0)
            filterMs.push_back(ms);
    }
    bound.grid.clearFilters();
    bench::figure("grid", bench::rowsName("header filter", rows), filterMs, "ms", "one pass over the column", filterFloor,
                  "ratio<2", note);

    // Best fit of every visible column of the stock grid.
    const QFontMetrics fm(probe->gridFont());
    QList<int> sample;
    const int sampleRows = DataGrid::BestFitSampleRows;
    if (rows <= sampleRows) {
        for (int r = 0; r < rows; ++r)
            sample << r;
    } else {
        for (int r = 0; r < sampleRows / 2; ++r)
            sample << r;
        const int spread = sampleRows - sampleRows / 2;
        for (int i = 0; i < spread; ++i)
            sample << int(sampleRows / 2 + qsizetype(i) * (rows - sampleRows / 2) / spread);
    }
    const auto fitFloor = bench::timeRuns(runs, [&] {
        int widest = 0;
        for (int f : fields)
            for (int r : std::as_const(sample))
                widest = std::max(widest, fm.horizontalAdvance(cellText(data, r, f)));
        g_sink = widest;
    });
    const auto fitMs = bench::timeRuns(runs, [&] { probe->bestFit(); });
    bench::figure("grid", bench::rowsName("best fit", rows), fitMs, "ms", "measuring the sampled cell texts", fitFloor,
                  "ratio<2", note);
}

// Figures without a floor: what a tab and the grid's tools cost at 100 000 rows.
void otherFigures(int rows, int runs)
{
    const std::string note = std::to_string(runs) + " runs";
    QImage target(1380, 860, QImage::Format_ARGB32_Premultiplied);
    {
        // Reloading a bound table (one reset) and painting, as a tab does on each showing.
        MemTable table;
        std::unique_ptr<DataGrid> grid = stockGrid(60);
        grid->bind(&table);
        const auto ms = bench::timeRuns(runs, [&] {
            grid->beginUpdate();
            table.assign(TableData(stock(rows)));
            grid->endUpdate();
            paintWidget(grid.get(), target);
        });
        bench::figure("grid", bench::rowsName("reload+paint (with the table copy)", rows), ms, "ms", {}, {}, "-", note);
    }
    {
        // One screen of 100-pixel rows (word-wrapped text, pictures, check boxes).
        MemTable table;
        table.assign(TableData(stock(rows)));
        std::unique_ptr<DataGrid> grid = stockGrid(100);
        grid->bind(&table);
        QTableView *view = grid->view();
        QImage screen(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        QScrollBar *bar = view->verticalScrollBar();
        int page = 0;
        const auto ms = bench::timeRuns(runs, [&] {
            bar->setValue((page++ * 17) % std::max(1, bar->maximum()));
            QPainter p(&screen);
            view->viewport()->render(&p);
        });
        bench::figure("grid", bench::rowsName("scroll step, 100-pixel rows", rows), ms, "ms", {}, {}, "-", note);
    }
    Bound bound(rows);
    DataGrid &grid = bound.grid;
    const int column = grid.columnIndex(u"MARKA"_s);
    bench::figure("grid", bench::rowsName("filter pick list", rows),
                  bench::timeRuns(runs, [&] { g_sink = int(grid.gridModel()->pickValues(column).size()); }), "ms", {},
                  {}, "-", note);
    const QString last = QStringLiteral("B%1").arg(rows - 1, 6, 10, QLatin1Char('0'));
    bool found = true;
    bench::figure("grid", bench::rowsName("incremental search, match in the last row", rows),
                  bench::timeRuns(runs, [&] {
                      grid.setFocusedRow(0);
                      grid.setFocusedColumn(u"BARKOD"_s);
                      found = grid.incrementalSearch(last) && found;
                  }),
                  "ms", {}, {}, "-", note);
    if (!found)
        std::fprintf(stderr, "bench_grid: incremental search did not find %s\n", qPrintable(last));
    bench::figure("grid", bench::rowsName("sort by text", rows), bench::timeRuns(runs, [&] {
                      grid.clearSort();
                      grid.sortBy(u"ADI"_s, Qt::AscendingOrder);
                  }),
                  "ms", {}, {}, "-", note);
    grid.clearSort();
}

// Export of 10 000 rows x 30 columns to an Excel workbook.
bool exportFigure(int rows, int runs)
{
    MemTable table;
    table.assign(gridfixture::stockData(rows, 13));
    DataGrid grid;
    grid.bind(&table);
    grid.setColumnsFromSource();
    QTemporaryDir dir;
    bool ok = true;
    const auto ms = bench::timeRuns(runs, [&] {
        const ExcelExportResult r = grid.exportToExcel(dir.filePath(u"bench"_s));
        if (!r.ok) {
            std::fprintf(stderr, "bench_grid: export failed: %s\n", qPrintable(r.error));
            ok = false;
        }
    });
    bench::figure("grid", bench::rowsName("Excel export, 30 columns", rows), ms, "ms", {}, {}, "-",
                  std::to_string(runs) + " runs");
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool smoke = bench::smokeRun(argc, argv);
    if (smoke) {
        gridFigures(300, 2);
        otherFigures(300, 1);
        return exportFigure(50, 1) ? 0 : 1;
    }
    gridFigures(10000, 9);
    gridFigures(100000, 5);
    otherFigures(100000, 5);
    return exportFigure(10000, 3) ? 0 : 1;
}
