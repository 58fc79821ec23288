#include "platform/grid/columnlayout.h"
#include "platform/grid/datagrid.h"
#include "platform/grid/filterpopup.h"
#include "platform/grid/griddelegate.h"
#include "platform/grid/gridlogic.h"
#include "platform/grid/gridmodel.h"
#include "tests/grid/gridfixture.h"

#include <QApplication>
#include <QBuffer>
#include <QStandardItemModel>
#include <QHeaderView>
#include <QListWidget>
#include <QProcess>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

// A grid over a 12-row stock table with the stock columns, shown offscreen.
struct Fixture {
    MemTable table;
    DataGrid grid;

    explicit Fixture(int rows = 12)
    {
        table.assign(gridfixture::stockData(rows));
        grid.setColumns(gridfixture::stockColumns(gridfixture::statePictures()));
        grid.bind(&table);
        grid.setRowHeight(40);
        grid.resize(1400, 700);
    }
    void show()
    {
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }
    GridModel *model() const { return grid.gridModel(); }
    QList<int> rows() const
    {
        QList<int> out;
        for (int i = 0; i < grid.rowCount(); ++i)
            out << grid.sourceRowAt(i);
        return out;
    }
    QImage cellImage(int viewRow, const QString &column) const
    {
        const QRect r = grid.view()->visualRect(model()->index(viewRow, grid.columnIndex(column)));
        return grid.view()->viewport()->grab(r).toImage();
    }
};

// Cells of the first worksheet of a workbook, by reference ("B3"), read back
// with unzip: the text of inline strings, the number of numeric cells.
struct SheetCell {
    QString type;  // "inlineStr", "s", "b" or empty for numbers
    QString value;
    int style = 0;
};

QHash<QString, SheetCell> readSheet(const QString &file, QString *stylesXml = nullptr)
{
    QProcess unzip;
    unzip.start(u"unzip"_s, {u"-p"_s, file, u"xl/worksheets/sheet1.xml"_s});
    unzip.waitForFinished(30000);
    const QByteArray xml = unzip.readAllStandardOutput();
    if (stylesXml) {
        QProcess styles;
        styles.start(u"unzip"_s, {u"-p"_s, file, u"xl/styles.xml"_s});
        styles.waitForFinished(30000);
        *stylesXml = QString::fromUtf8(styles.readAllStandardOutput());
    }
    QHash<QString, SheetCell> cells;
    QXmlStreamReader r(xml);
    QString ref;
    SheetCell cell;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"c") {
            ref = r.attributes().value(u"r"_s).toString();
            cell = {r.attributes().value(u"t"_s).toString(), {}, r.attributes().value(u"s"_s).toInt()};
        } else if (r.isStartElement() && (r.name() == u"v" || r.name() == u"t")) {
            cell.value += r.readElementText();
        } else if (r.isEndElement() && r.name() == u"c") {
            cells.insert(ref, cell);
        }
    }
    return cells;
}

QString cellRef(int column, int row)
{
    return QString(QChar(u'A' + column)) + QString::number(row + 1);
}

} // namespace

class TestGrid : public QObject
{
    Q_OBJECT

private slots:
    void columnStatesAndChooser();
    void pictureIndex_data();
    void pictureIndex();
    void pictureAndCheckBoxCellsPaint();
    void ownerDrawnCellGetsItsState();
    void cellImageDecoding_data();
    void cellImageDecoding();
    void pictureCellsOfAnUnboundList();
    void footerSummaries();
    void groupedSums();
    void collapseKeepsAllRowsForExport();
    void valueKeys_data();
    void valueKeys();
    void headerFilters();
    void filterPopupOffersValuesOfOtherFilters();
    void incrementalFind_data();
    void incrementalFind();
    void incrementalSearchByTyping();
    void sortingByHeader();
    void sortingSwitchedOff();
    void weightedWidths_data();
    void weightedWidths();
    void gridLayoutRule();
    void rowHeightChanges_data();
    void rowHeightChanges();
    void detachAttachAndBatch();
    void focusAndHooks();
    void excelExtension_data();
    void excelExtension();
    void exportReadBack();
    void exportGroupedReadBack();
};

void TestGrid::columnStatesAndChooser()
{
    Fixture f;
    const QStringList visible = f.grid.visibleColumns();
    QVERIFY(visible.contains(u"BARKOD"_s));
    QVERIFY(!visible.contains(u"MODEL"_s));       // hidden
    QVERIFY(!visible.contains(u"STOK_STOKNO"_s)); // internal
    QVERIFY(f.grid.view()->horizontalHeader()->isSectionHidden(f.grid.columnIndex(u"MODEL"_s)));
    QVERIFY(!f.grid.view()->horizontalHeader()->isSectionHidden(f.grid.columnIndex(u"BARKOD"_s)));

    QStringList chooser = f.grid.chooserColumns();
    QVERIFY(chooser.contains(u"MODEL"_s));
    QVERIFY(chooser.contains(u"KAMPFIYAT"_s));
    QVERIFY(chooser.contains(u"BARKOD"_s));
    QVERIFY(!chooser.contains(u"STOK_STOKNO"_s)); // internal: never offered
    QVERIFY(!chooser.contains(u"SEC"_s));         // visible but kept out of the chooser

    // Hiding from the chooser keeps the column offered; the user-type rule
    // "hidden" removes it from the chooser as well.
    f.grid.setColumnVisible(u"BARKOD"_s, false);
    QCOMPARE(f.grid.columnState(u"BARKOD"_s), ColumnState::Hidden);
    QVERIFY(f.grid.chooserColumns().contains(u"BARKOD"_s));
    f.grid.setColumnShown(u"MARKA"_s, false);
    QCOMPARE(f.grid.columnState(u"MARKA"_s), ColumnState::Internal);
    QVERIFY(!f.grid.chooserColumns().contains(u"MARKA"_s));
    QVERIFY(!f.grid.visibleColumns().contains(u"MARKA"_s));

    // Shown: visible and offered, with the width it was defined with.
    f.grid.setColumnShown(u"STOK_STOKNO"_s, true);
    QVERIFY(f.grid.visibleColumns().contains(u"STOK_STOKNO"_s));
    QVERIFY(f.grid.chooserColumns().contains(u"STOK_STOKNO"_s));
    f.grid.setColumnWidth(u"MODEL"_s, 133);
    f.grid.setColumnVisible(u"MODEL"_s, true);
    QCOMPARE(f.grid.view()->horizontalHeader()->sectionSize(f.grid.columnIndex(u"MODEL"_s)), 133);

    // A reload of the table keeps the states.
    f.table.assign(gridfixture::stockData(5));
    QVERIFY(!f.grid.visibleColumns().contains(u"MARKA"_s));
    QVERIFY(f.grid.visibleColumns().contains(u"MODEL"_s));
    QCOMPARE(f.grid.rowCount(), 5);
}

void TestGrid::pictureIndex_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("durum");    // the state column: no picture for unlisted values
    QTest::addColumn<int>("campaign"); // a column whose other values show picture 0
    QTest::newRow("in stock") << QVariant(1) << 0 << 1;
    QTest::newRow("special order") << QVariant(4) << 1 << 0;
    QTest::newRow("on the way") << QVariant(3) << 2 << 0;
    QTest::newRow("not available") << QVariant(0) << 4 << 0;
    QTest::newRow("being procured") << QVariant(5) << 5 << 0;
    QTest::newRow("please phone") << QVariant(2) << 8 << 0;
    QTest::newRow("unlisted") << QVariant(7) << -1 << 0;
    QTest::newRow("null") << QVariant() << -1 << 0;
    QTest::newRow("as double") << QVariant(4.0) << 1 << 0;
}

void TestGrid::pictureIndex()
{
    QFETCH(QVariant, value);
    QFETCH(int, durum);
    QFETCH(int, campaign);
    const QList<GridColumn> cols = gridfixture::stockColumns({});
    auto find = [&cols](const QString &name) {
        return *std::find_if(cols.cbegin(), cols.cend(), [&name](const GridColumn &c) { return c.name == name; });
    };
    QCOMPARE(find(u"DURUM"_s).imageIndexFor(value), durum);
    GridColumn y = GridColumn::pictureColumn(u"Y"_s, u"Yeni"_s, {{0, 0, u"Hayır"_s}, {1, 1, u"Evet"_s}}, {});
    y.setOtherImageIndex(0);
    QCOMPARE(y.imageIndexFor(value), value == QVariant(1) ? 1 : campaign);
}

void TestGrid::pictureAndCheckBoxCellsPaint()
{
    Fixture f;
    f.show();
    f.grid.setFocusRectVisible(false);
    f.grid.view()->clearSelection();
    f.grid.view()->setCurrentIndex({});
    // Row 0 has DURUM 0 (picture 4), row 1 DURUM 1 (picture 0): each cell
    // shows its picture's colour in the middle.
    const QList<QPixmap> pics = gridfixture::statePictures();
    const QImage p4 = pics.at(4).toImage(), p0 = pics.at(0).toImage();
    const QImage c0 = f.cellImage(0, u"DURUM"_s), c1 = f.cellImage(1, u"DURUM"_s);
    QCOMPARE(c0.pixelColor(c0.width() / 2 - 7, c0.height() / 2), p4.pixelColor(3, 10));
    QCOMPARE(c1.pixelColor(c1.width() / 2 - 7, c1.height() / 2), p0.pixelColor(3, 10));
    // RESIM 0 ("Yok") draws nothing: the cell is its row colour only.
    const QImage noPicture = f.cellImage(1, u"RESIM"_s);
    QCOMPARE(noPicture.pixelColor(noPicture.width() / 2, noPicture.height() / 2),
             f.grid.look().cellBackground(false, true));

    // SEC is i % 2: rows 1 and 3 are checked (odd rows), 0 and 2 unchecked
    // (even rows); a checked and an unchecked box on the same row colour differ.
    QCOMPARE(f.cellImage(1, u"SEC"_s), f.cellImage(3, u"SEC"_s));
    QCOMPARE(f.cellImage(0, u"SEC"_s), f.cellImage(2, u"SEC"_s));
    f.table.setCurrentRow(3);
    f.table.Edit();
    f.table.FieldByName(u"SEC"_s).SetAsInteger(0);
    f.table.Post();
    QVERIFY(f.cellImage(1, u"SEC"_s) != f.cellImage(3, u"SEC"_s));
}

void TestGrid::ownerDrawnCellGetsItsState()
{
    MemTable table;
    table.assign(gridfixture::stockData(6));
    DataGrid grid;
    GridStyles styles;
    styles.evenRow = sharedstyles::lightGrey();
    styles.oddRow = sharedstyles::white();
    styles.selection = sharedstyles::paleBlue();
    grid.setStyles(styles);
    struct Seen {
        int row;
        bool selected;
        bool odd;
        QColor background;
        QString text;
    };
    QList<Seen> seen;
    grid.setColumns({GridColumn::textColumn(u"BARKOD"_s),
                     GridColumn::ownerDrawnColumn(
                         u"Fiyat"_s, u"Fiyat Bilgisi"_s,
                         [&seen](QPainter &p, const GridCellPaint &c) {
                             seen.append({c.cell.sourceRow(), c.selected, c.odd, c.background,
                                          gridfixture::priceText(c.cell)});
                             p.fillRect(c.rect, c.background);
                         },
                         gridfixture::priceText)
                         .setWidth(200)});
    grid.bind(&table);
    grid.resize(600, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFocusedRow(2);
    seen.clear();
    grid.view()->viewport()->repaint();
    QVERIFY(seen.size() >= 6);
    for (const Seen &s : std::as_const(seen)) {
        QCOMPARE(s.selected, s.row == 2);
        QCOMPARE(s.odd, s.row % 2 == 1);
        const QColor expected = s.row == 2 ? sharedstyles::paleBlue().background
                                           : (s.odd ? QColor(Qt::white) : sharedstyles::lightGrey().background);
        QCOMPARE(s.background, expected);
    }
    // Three lines without a campaign price, four with one (row 1: 8.50).
    QCOMPARE(seen.at(0).text.count(u"\r\n"_s), 3);
    QCOMPARE(seen.at(1).text.count(u"\r\n"_s), 4);
    QVERIFY(seen.at(1).text.contains(u"Kampanyalı Fiyat: 8.50\r\n"_s));
    // The owner's text is what export and search see.
    QCOMPARE(grid.gridModel()->cellText(1, 1), seen.at(1).text);
}

namespace {
QByteArray pngOf(const QColor &colour)
{
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}
} // namespace

void TestGrid::cellImageDecoding_data()
{
    QTest::addColumn<QVariant>("raw");
    QTest::addColumn<bool>("decodes");
    QImage red(8, 6, QImage::Format_RGB32);
    red.fill(Qt::red);
    QTest::newRow("image") << QVariant(red) << true;
    QTest::newRow("pixmap") << QVariant(QPixmap::fromImage(red)) << true;
    QTest::newRow("bytes") << QVariant(pngOf(Qt::red)) << true;
    QTest::newRow("hex text") << QVariant(QString::fromLatin1(pngOf(Qt::red).toHex().toUpper())) << true;
    QTest::newRow("base64 text") << QVariant(QString::fromLatin1(pngOf(Qt::red).toBase64())) << true;
    QTest::newRow("odd hex digits") << QVariant(u"ABC"_s) << false;
    QTest::newRow("garbage bytes") << QVariant(QByteArray("not a picture")) << false;
    QTest::newRow("null") << QVariant() << false;
}

void TestGrid::cellImageDecoding()
{
    QFETCH(QVariant, raw);
    QFETCH(bool, decodes);
    const QImage img = decodeCellImage(raw);
    QCOMPARE(!img.isNull(), decodes);
    if (decodes) {
        QCOMPARE(img.size(), QSize(8, 6));
        QCOMPARE(img.pixelColor(3, 3), QColor(Qt::red));
    }
}

void TestGrid::pictureCellsOfAnUnboundList()
{
    // An announcement-like list: a plain model filled row by row, one picture
    // per 405-pixel row, no header, link texts kept in internal columns.
    QStandardItemModel model(0, 2);
    model.setHorizontalHeaderLabels({u"duyuru"_s, u"arama"_s});
    const QList<QColor> colours = {Qt::red, Qt::blue, Qt::darkGreen};
    for (const QColor &c : colours) {
        auto *picture = new QStandardItem;
        picture->setData(pngOf(c), GridModel::RawRole);
        auto *link = new QStandardItem;
        link->setData(c.name(), GridModel::RawRole);
        model.appendRow({picture, link});
    }
    model.appendRow({new QStandardItem, new QStandardItem}); // an announcement without a picture
    DataGrid grid;
    grid.setColumns({GridColumn::imageColumn(u"duyuru"_s).setWidth(605),
                     GridColumn::textColumn(u"arama"_s).setInternal()});
    grid.setSourceModel(&model);
    grid.setHeaderVisible(false);
    grid.setIndicatorWidth(0);
    grid.setFocusRectVisible(false);
    grid.setRowHeight(405);
    grid.setPixelScrolling(true);
    grid.resize(700, 900);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.view()->setCurrentIndex({});
    QCOMPARE(grid.rowCount(), 4);
    QCOMPARE(grid.view()->rowHeight(1), 405);
    // The picture is scaled into its cell (aspect kept): the middle of the
    // first two rows shows their colour.
    for (int row = 0; row < 2; ++row) {
        const QRect r = grid.view()->visualRect(grid.gridModel()->index(row, 0));
        const QImage cell = grid.view()->viewport()->grab(r).toImage();
        QCOMPARE(cell.pixelColor(cell.width() / 2, cell.height() / 2), colours.at(row));
    }
    grid.setFocusedRow(1);
    QCOMPARE(grid.focusedValue(u"arama"_s).toString(), QColor(Qt::blue).name());
    // The empty announcement still is a row whose link can be read.
    grid.setFocusedRow(3);
    QCOMPARE(grid.focusedRow(), 3);
}

void TestGrid::footerSummaries()
{
    Fixture f;
    f.grid.setFooterSummaries({{u"OEM1"_s, SummaryKind::Count},
                               {u"MIKTAR"_s, SummaryKind::Sum},
                               {u"LISTEFIYAT1"_s, SummaryKind::Average},
                               {u"KAMPFIYAT"_s, SummaryKind::Sum}});
    // 12 rows; MIKTAR = i % 10 + 1 -> 1..10, 1, 2 = 58; LISTEFIYAT1 = 10 + i / 4.
    QCOMPARE(f.grid.footerText(u"OEM1"_s), u"12"_s); // rows, also those with an empty OEM1
    QCOMPARE(f.grid.footerValue({u"MIKTAR"_s, SummaryKind::Sum}), 58.0);
    QCOMPARE(f.grid.footerText(u"MIKTAR"_s), u"58.00"_s);
    QCOMPARE(f.grid.footerValue({u"LISTEFIYAT1"_s, SummaryKind::Average}), 11.375);
    QCOMPARE(f.grid.footerText(u"LISTEFIYAT1"_s), u"11.38"_s);
    QCOMPARE(f.grid.footerText(u"BARKOD"_s), QString()); // no summary there

    // The footer follows the filters and the table's changes.
    f.grid.setColumnFilter(u"MARKA"_s, {u"FERMA"_s}); // rows 1 and 7
    QCOMPARE(f.grid.footerText(u"OEM1"_s), u"2"_s);
    QCOMPARE(f.grid.footerText(u"MIKTAR"_s), u"10.00"_s);
    f.table.setCurrentRow(7);
    f.table.Edit();
    f.table.FieldByName(u"MIKTAR"_s).SetAsFloat(100.5);
    f.table.Post();
    QCOMPARE(f.grid.footerText(u"MIKTAR"_s), u"102.50"_s);

    // Average skips null values; an empty table gives zeros.
    QCOMPARE(gridlogic::summarize(SummaryKind::Average, {0, 1, 2}, 0,
                                  [](int row, int) { return row == 1 ? QVariant() : QVariant(double(row * 3)); }),
             3.0);
    f.table.assign(gridfixture::stockData(0));
    QCOMPARE(f.grid.footerText(u"OEM1"_s), u"0"_s);
    QCOMPARE(f.grid.footerText(u"MIKTAR"_s), u"0.00"_s);
    QCOMPARE(f.grid.footerText(u"LISTEFIYAT1"_s), u"0.00"_s);
}

void TestGrid::groupedSums()
{
    Fixture f;
    f.grid.setGroupByBoxVisible(true);
    f.grid.setGroupSummaries({{u"MIKTAR"_s, SummaryKind::Sum}, {u"BARKOD"_s, SummaryKind::Count}});
    f.grid.groupBy(u"MARKA"_s);
    // Six brands over 12 rows, in ascending order of the brand.
    QCOMPARE(f.grid.groupCount(), 6);
    QCOMPARE(f.grid.groupText(0), u"Marka : BOSCAR"_s);
    QCOMPARE(f.grid.groupText(5), u"Marka : ŞAHİN"_s);
    // BOSCAR: rows 0 and 6 (MIKTAR 1 + 7); ŞAHİN: rows 5 and 11 (6 + 2).
    QCOMPARE(f.grid.groupSummaryValue(0, {u"MIKTAR"_s, SummaryKind::Sum}), 8.0);
    QCOMPARE(f.grid.groupSummaryValue(5, {u"MIKTAR"_s, SummaryKind::Sum}), 8.0);
    QCOMPARE(f.grid.groupSummaryValue(1, {u"BARKOD"_s, SummaryKind::Count}), 2.0);
    // View rows: header, two rows, footer per group; the footer row shows the sum.
    GridModel *m = f.model();
    QCOMPARE(m->rowCount(), 24);
    QCOMPARE(m->rowKind(0), GridModel::RowKind::GroupHeader);
    QCOMPARE(m->rowKind(3), GridModel::RowKind::GroupFooter);
    QCOMPARE(m->index(3, f.grid.columnIndex(u"MIKTAR"_s)).data().toString(), u"8.00"_s);
    // A filter changes the groups' sums.
    f.grid.setColumnFilter(u"STOK_STOKNO"_s, {1000, 1005});
    QCOMPARE(f.grid.groupCount(), 2);
    QCOMPARE(f.grid.groupSummaryValue(0, {u"MIKTAR"_s, SummaryKind::Sum}), 1.0);
    f.grid.clearGrouping();
    QCOMPARE(m->rowCount(), 2);
}

void TestGrid::collapseKeepsAllRowsForExport()
{
    Fixture f;
    f.grid.groupBy(u"MARKA"_s);
    f.grid.collapseAll();
    QCOMPARE(f.model()->rowCount(), 6);  // one header per group, no footers without group summaries
    QCOMPARE(f.grid.rowCount(), 12);     // every data row still counts
    QVERIFY(!f.grid.isGroupExpanded(2));
    // A reload keeps new groups collapsed, as a report's regrouping expects.
    f.table.assign(gridfixture::stockData(24));
    QCOMPARE(f.model()->rowCount(), 6);
    f.grid.setGroupExpanded(0, true);
    QCOMPARE(f.model()->rowCount(), 6 + 4);
    f.grid.expandAll();
    QCOMPARE(f.model()->rowCount(), 6 + 24);
}

void TestGrid::valueKeys_data()
{
    QTest::addColumn<QVariant>("a");
    QTest::addColumn<QVariant>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("int and double") << QVariant(1) << QVariant(1.0) << true;
    QTest::newRow("int and int64") << QVariant(7) << QVariant(qint64(7)) << true;
    QTest::newRow("number and text") << QVariant(1) << QVariant(u"1"_s) << false;
    QTest::newRow("null and empty text") << QVariant() << QVariant(u""_s) << true;
    QTest::newRow("null and zero") << QVariant() << QVariant(0) << false;
    QTest::newRow("fractions") << QVariant(0.1 + 0.2) << QVariant(0.3) << false;
    QTest::newRow("texts differ by case") << QVariant(u"abc"_s) << QVariant(u"ABC"_s) << false;
    QTest::newRow("dates") << QVariant(QDate(2026, 1, 2)) << QVariant(QDate(2026, 1, 2)) << true;
}

void TestGrid::valueKeys()
{
    QFETCH(QVariant, a);
    QFETCH(QVariant, b);
    QFETCH(bool, same);
    QCOMPARE(gridlogic::valueKey(a) == gridlogic::valueKey(b), same);
}

void TestGrid::headerFilters()
{
    Fixture f;
    f.grid.setColumnFilter(u"MARKA"_s, {u"FERMA"_s, u"KAYA"_s});
    QCOMPARE(f.rows(), (QList<int>{1, 2, 7, 8}));
    QVERIFY(f.grid.hasFilters());
    // Filters on two columns: both must pass. DURUM = i % 6: 1, 2, 1, 2.
    f.grid.setColumnFilter(u"DURUM"_s, {2});
    QCOMPARE(f.rows(), (QList<int>{2, 8}));
    // Numbers match by value whatever their type.
    f.grid.setColumnFilter(u"DURUM"_s, {2.0, qint64(1)});
    QCOMPARE(f.rows(), (QList<int>{1, 2, 7, 8}));
    // The blank value: OEM1 is empty on rows 3 and 10.
    f.grid.clearFilters();
    f.grid.setColumnFilter(u"OEM1"_s, {QVariant()});
    QCOMPARE(f.rows(), (QList<int>{3, 10}));
    f.grid.clearColumnFilter(u"OEM1"_s);
    QCOMPARE(f.grid.rowCount(), 12);
    // A reload keeps the filter; clearing from code restores every row.
    f.grid.setColumnFilter(u"MARKA"_s, {u"ÖZEN"_s});
    f.table.assign(gridfixture::stockData(24));
    QCOMPARE(f.grid.rowCount(), 4);
    f.grid.clearFilters();
    QVERIFY(!f.grid.hasFilters());
    QCOMPARE(f.grid.rowCount(), 24);
}

void TestGrid::filterPopupOffersValuesOfOtherFilters()
{
    Fixture f;
    f.grid.setColumnFilter(u"DURUM"_s, {0});             // rows 0 and 6: both BOSCAR
    const int marka = f.grid.columnIndex(u"MARKA"_s);
    QList<gridlogic::DistinctValue> values = f.model()->pickValues(marka);
    QCOMPARE(values.size(), 1);
    QCOMPARE(values.at(0).text, u"BOSCAR"_s);
    // The filtered column itself offers all of its values, in order.
    values = f.model()->pickValues(f.grid.columnIndex(u"DURUM"_s));
    QCOMPARE(values.size(), 6);
    QCOMPARE(values.first().raw.toInt(), 0);
    QCOMPARE(values.last().raw.toInt(), 5);
    // The pick list with "(Boş)" for blanks; unchecking one value filters it out.
    f.grid.clearFilters();
    const QList<gridlogic::DistinctValue> oem = f.model()->pickValues(f.grid.columnIndex(u"OEM1"_s));
    QCOMPARE(oem.first().key, gridlogic::nullKey());
    FilterPopup popup(oem, {});
    QVERIFY(popup.allChecked());
    QSignalSpy applied(&popup, &FilterPopup::applied);
    auto *list = popup.findChild<QListWidget *>();
    QVERIFY(list);
    QCOMPARE(list->item(1)->text(), FilterPopup::blankText());
    list->item(1)->setCheckState(Qt::Unchecked);
    QVERIFY(!popup.allChecked());
    QVERIFY(!popup.checkedKeys().contains(gridlogic::nullKey()));
    list->item(0)->setCheckState(Qt::Unchecked); // "(Tümü)" unchecks everything
    QVERIFY(popup.checkedKeys().isEmpty());
}

void TestGrid::incrementalFind_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("found");
    const QStringList t = {u"ABC"_s, u"abd"_s, u"Bxx"_s, u"ab"_s, QString()};
    QTest::newRow("first match from start") << t << 0 << u"ab"_s << 0;
    QTest::newRow("ignores case") << t << 0 << u"ABD"_s << 1;
    QTest::newRow("current row still matches") << t << 1 << u"abd"_s << 1;
    QTest::newRow("from a later row") << t << 2 << u"ab"_s << 3;
    QTest::newRow("wraps round") << t << 4 << u"abc"_s << 0;
    QTest::newRow("no match") << t << 0 << u"c"_s << -1;
    QTest::newRow("nothing typed") << t << 0 << QString() << -1;
    QTest::newRow("empty list") << QStringList() << 0 << u"a"_s << -1;
}

void TestGrid::incrementalFind()
{
    QFETCH(QStringList, texts);
    QFETCH(int, start);
    QFETCH(QString, typed);
    QFETCH(int, found);
    QCOMPARE(gridlogic::findIncremental(typed, int(texts.size()), start, [&texts](int i) { return texts.at(i); }),
             found);
}

void TestGrid::incrementalSearchByTyping()
{
    Fixture f;
    f.show();
    QTableView *view = f.grid.view();
    view->setFocus();
    f.grid.setFocusedRow(0);
    f.grid.setFocusedColumn(u"BARKOD"_s);
    QTest::keyClicks(view, u"b00000"_s);
    QCOMPARE(f.grid.focusedRow(), 0);
    QTest::keyClicks(view, u"7"_s);
    QCOMPARE(f.grid.focusedRow(), 7);
    QCOMPARE(f.grid.searchText(), u"b000007"_s);
    // A key that matches nothing is dropped.
    QTest::keyClicks(view, u"x"_s);
    QCOMPARE(f.grid.searchText(), u"b000007"_s);
    QCOMPARE(f.grid.focusedRow(), 7);
    // Backspace shortens the text and keeps the row that still matches.
    QTest::keyClick(view, Qt::Key_Backspace);
    QCOMPARE(f.grid.searchText(), u"b00000"_s);
    QCOMPARE(f.grid.focusedRow(), 7);
    // Moving with the keys starts a new search.
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(f.grid.searchText(), QString());
    // The search sees the view's rows: filtered-out rows are not found.
    f.grid.setColumnFilter(u"MARKA"_s, {u"KAYA"_s}); // rows 2 and 8
    f.grid.setFocusedColumn(u"BARKOD"_s);
    QVERIFY(!f.grid.incrementalSearch(u"B000007"_s));
    QVERIFY(f.grid.incrementalSearch(u"B000008"_s));
    QCOMPARE(f.grid.focusedRow(), 8);
    // Switched off, typing does nothing.
    f.grid.setIncrementalSearchEnabled(false);
    f.grid.setFocusedRow(2);
    QTest::keyClicks(view, u"B000008"_s);
    QCOMPARE(f.grid.focusedRow(), 2);
}

void TestGrid::sortingByHeader()
{
    Fixture f;
    f.show();
    QHeaderView *header = f.grid.view()->horizontalHeader();
    const int miktar = f.grid.columnIndex(u"MIKTAR"_s);
    f.grid.setFocusedRow(9);
    auto clickHeader = [&] {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(miktar) + 5, header->height() / 2));
    };
    clickHeader();
    // By value, not by text: 1, 1, 2, 2, 3 ... 10 (as text "10.00" < "2.00").
    QCOMPARE(f.rows().mid(0, 4), (QList<int>{0, 10, 1, 11}));
    QCOMPARE(f.rows().last(), 9);
    QCOMPARE(f.grid.focusedRow(), 9); // the focus stays on its row
    clickHeader();
    QCOMPARE(f.rows().first(), 9);
    // Texts in the user's collation, with Turkish letters after their base letters.
    f.grid.sortBy(u"MARKA"_s);
    QCOMPARE(f.table.data().stringValue(f.grid.sourceRowAt(11), 4), u"ŞAHİN"_s);
    QCOMPARE(f.table.data().stringValue(f.grid.sourceRowAt(0), 4), u"BOSCAR"_s);
}

void TestGrid::sortingSwitchedOff()
{
    Fixture f;
    f.show();
    f.grid.setSortingEnabled(false);
    QHeaderView *header = f.grid.view()->horizontalHeader();
    const int miktar = f.grid.columnIndex(u"MIKTAR"_s);
    const QList<int> before = f.rows();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(miktar) + 5, header->height() / 2));
    QCOMPARE(f.rows(), before);
    QCOMPARE(f.model()->sortedColumn(), -1);
    // Switching it off also drops a sort already made.
    f.grid.setSortingEnabled(true);
    f.grid.sortBy(u"MIKTAR"_s, Qt::DescendingOrder);
    QVERIFY(f.rows() != before);
    f.grid.setSortingEnabled(false);
    QCOMPARE(f.rows(), before);
}

void TestGrid::weightedWidths_data()
{
    QTest::addColumn<QList<int>>("weights");
    QTest::addColumn<int>("gridWidth");
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<bool>("bestFit");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("1153 uses weights") << QList<int>{1, 2, 3} << 1230 << 1153 << false << QList<int>{200, 400, 600};
    QTest::newRow("1152 uses best fit") << QList<int>{1, 2, 3} << 1230 << 1152 << true << QList<int>{};
    QTest::newRow("narrow screen") << QList<int>{1, 2} << 500 << 800 << true << QList<int>{};
    QTest::newRow("truncated unit") << QList<int>{1, 2, 2, 2, 3} << 1000 << 1920 << false
                                    << QList<int>{97, 194, 194, 194, 291};
    QTest::newRow("weights sum to 0") << QList<int>{0, 0} << 1000 << 1920 << true << QList<int>{};
    QTest::newRow("no visible column") << QList<int>{} << 1000 << 1920 << true << QList<int>{};
    QTest::newRow("a zero weight") << QList<int>{0, 1} << 130 << 1920 << false << QList<int>{0, 100};
    QTest::newRow("negative weight counts 0") << QList<int>{-3, 1} << 130 << 1920 << false << QList<int>{0, 100};
    QTest::newRow("grid under the margin") << QList<int>{1, 1} << 20 << 1920 << false << QList<int>{0, 0};
}

void TestGrid::weightedWidths()
{
    QFETCH(QList<int>, weights);
    QFETCH(int, gridWidth);
    QFETCH(int, screenWidth);
    QFETCH(bool, bestFit);
    QFETCH(QList<int>, widths);
    const std::optional<QList<int>> got = columnlayout::layoutWidths(weights, gridWidth, screenWidth);
    QCOMPARE(!got.has_value(), bestFit);
    if (got)
        QCOMPARE(*got, widths);
}

void TestGrid::gridLayoutRule()
{
    Fixture f;
    f.show();
    QHeaderView *header = f.grid.view()->horizontalHeader();
    // Wide screen: weight x trunc((1030 - 30) / S) for every visible column.
    f.grid.applyColumnLayout(1153, 1030);
    int sum = 0;
    for (const QString &name : f.grid.visibleColumns())
        sum += f.grid.column(f.grid.columnIndex(name)).weight;
    const int unit = (1030 - 30) / sum;
    for (const QString &name : f.grid.visibleColumns())
        QCOMPARE(f.grid.columnWidth(name), f.grid.column(f.grid.columnIndex(name)).weight * unit);
    // Hidden columns keep their widths; showing one adds its weight to S.
    QCOMPARE(header->sectionSize(f.grid.columnIndex(u"MODEL"_s)), 0);
    f.grid.setColumnVisible(u"MODEL"_s, true);
    f.grid.applyColumnLayout(1153, 1030);
    QCOMPARE(f.grid.columnWidth(u"BARKOD"_s), 2 * ((1030 - 30) / (sum + 2)));

    // Narrow screen: best fit, every column as wide as its widest sampled text.
    f.grid.applyColumnLayout(1152, 1030);
    const QFontMetrics fm(f.grid.look().cellFont());
    QVERIFY(f.grid.columnWidth(u"BARKOD"_s) >= fm.horizontalAdvance(u"B000011"_s));
    QVERIFY(f.grid.columnWidth(u"BARKOD"_s) < 2 * unit);
    QVERIFY(f.grid.columnWidth(u"FiyatBilgisi"_s) >= fm.horizontalAdvance(u"Kampanyalı Fiyat: 8.50"_s) + 20);

    // Weights that sum to 0 fall back to best fit instead of dividing by 0.
    QList<GridColumn> zero = gridfixture::stockColumns({});
    for (GridColumn &c : zero) {
        c.weight = 0;
        c.width = 10;
    }
    f.grid.setColumns(zero);
    QVERIFY(!f.grid.applyWeights(1030));
    f.grid.applyColumnLayout(1920, 1030);
    QVERIFY(f.grid.columnWidth(u"BARKOD"_s) >= fm.horizontalAdvance(u"B000011"_s));
}

void TestGrid::rowHeightChanges_data()
{
    QTest::addColumn<int>("height");
    QTest::newRow("40") << 40;
    QTest::newRow("60") << 60;
    QTest::newRow("100") << 100;
}

void TestGrid::rowHeightChanges()
{
    QFETCH(int, height);
    Fixture f;
    f.show();
    f.grid.setRowHeight(height);
    QCOMPARE(f.grid.rowHeight(), height);
    QCOMPARE(f.grid.view()->rowHeight(0), height);
    QCOMPARE(f.grid.view()->rowHeight(11), height);
    QCOMPARE(f.grid.view()->visualRect(f.model()->index(3, 1)).top(), 3 * height);
}

void TestGrid::detachAttachAndBatch()
{
    Fixture f;
    f.grid.detach();
    QCOMPARE(f.grid.rowCount(), 0);
    QCOMPARE(f.model()->rowCount(), 0);
    f.table.assign(gridfixture::stockData(30)); // the grid does not follow while detached
    QCOMPARE(f.model()->rowCount(), 0);
    f.grid.attach();
    QCOMPARE(f.grid.rowCount(), 30);

    // Inside an update bracket the rows are rebuilt once, at the end.
    QSignalSpy resets(f.model(), &QAbstractItemModel::modelReset);
    f.grid.beginUpdate();
    QVERIFY(f.grid.isUpdating());
    f.grid.setColumnFilter(u"MARKA"_s, {u"KAYA"_s});
    f.table.assign(gridfixture::stockData(60));
    f.grid.sortBy(u"BARKOD"_s, Qt::DescendingOrder);
    QCOMPARE(resets.size(), 0);
    QCOMPARE(f.grid.rowCount(), 30);
    f.grid.endUpdate();
    QCOMPARE(resets.size(), 1);
    QCOMPARE(f.grid.rowCount(), 10);
    QCOMPARE(f.grid.sourceRowAt(0), 56);
    QVERIFY(!f.grid.isUpdating());
}

void TestGrid::focusAndHooks()
{
    Fixture f;
    f.show();
    QSignalSpy focused(&f.grid, &DataGrid::focusedRowChanged);
    QSignalSpy doubled(&f.grid, &DataGrid::rowDoubleClicked);
    QSignalSpy menu(&f.grid, &DataGrid::contextMenuRequested);
    f.grid.setFocusedRow(5);
    QCOMPARE(f.grid.focusedRow(), 5);
    QCOMPARE(focused.last().at(0).toInt(), 5);
    QCOMPARE(f.grid.focusedValue(u"STOK_STOKNO"_s).toInt(), 1005);
    QCOMPARE(f.grid.focusedValue(u"NOSUCHFIELD"_s), QVariant());

    // A filter keeps the focused record; a reload focuses the first row.
    f.grid.setColumnFilter(u"DURUM"_s, {5, 4});
    QCOMPARE(f.grid.focusedRow(), 5);
    f.grid.clearFilters();
    QCOMPARE(f.grid.focusedRow(), 5);
    f.table.assign(gridfixture::stockData(12));
    QCOMPARE(f.grid.focusedRow(), 0);
    f.grid.setFocusedRow(5);

    // Double-click reports the source row of the row clicked, also when sorted.
    f.grid.sortBy(u"STOK_STOKNO"_s, Qt::DescendingOrder);
    QCOMPARE(f.grid.focusedRow(), 5);
    const QRect cell = f.grid.view()->visualRect(f.model()->index(1, f.grid.columnIndex(u"BARKOD"_s)));
    QTest::mouseDClick(f.grid.view()->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(doubled.size(), 1);
    QCOMPARE(doubled.first().at(0).toInt(), 10);
    QCOMPARE(f.grid.focusedColumn(), u"BARKOD"_s);

    // A right click focuses the row under the mouse and asks for the menu.
    const QRect other = f.grid.view()->visualRect(f.model()->index(3, f.grid.columnIndex(u"ADI"_s)));
    QContextMenuEvent event(QContextMenuEvent::Mouse, other.center(), f.grid.view()->viewport()->mapToGlobal(other.center()));
    QApplication::sendEvent(f.grid.view()->viewport(), &event);
    QCOMPARE(menu.size(), 1);
    QCOMPARE(f.grid.focusedRow(), 8);

    // Double-clicking a group row opens or closes the group instead.
    f.grid.groupBy(u"MARKA"_s);
    doubled.clear();
    const QRect groupRow = f.grid.view()->visualRect(f.model()->index(0, f.grid.columnIndex(u"BARKOD"_s)));
    QTest::mouseDClick(f.grid.view()->viewport(), Qt::LeftButton, {}, groupRow.center());
    QCOMPARE(doubled.size(), 0);
    QVERIFY(!f.grid.isGroupExpanded(0));
}

void TestGrid::excelExtension_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << u"/tmp/sepet"_s << u"/tmp/sepet.xlsx"_s;
    QTest::newRow("xlsx kept") << u"/tmp/sepet.xlsx"_s << u"/tmp/sepet.xlsx"_s;
    QTest::newRow("upper case kept") << u"/tmp/SEPET.XLSX"_s << u"/tmp/SEPET.XLSX"_s;
    QTest::newRow("legacy name") << u"/tmp/sepet.xls"_s << u"/tmp/sepet.xlsx"_s;
    QTest::newRow("dotted name") << u"/tmp/ekstre.2026"_s << u"/tmp/ekstre.2026.xlsx"_s;
    QTest::newRow("dotted folder") << u"/tmp/a.b/ekstre"_s << u"/tmp/a.b/ekstre.xlsx"_s;
}

void TestGrid::excelExtension()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QCOMPARE(withExcelExtension(typed), written);
}

void TestGrid::exportReadBack()
{
    Fixture f;
    f.grid.setColumns({GridColumn::textColumn(u"BARKOD"_s, u"Barkod"_s),
                       GridColumn::textColumn(u"STOK_STOKNO"_s).setInternal(),
                       GridColumn::textColumn(u"MARKA"_s).setInternal(),
                       GridColumn::textColumn(u"MODEL"_s, u"Model"_s).setHidden(),
                       GridColumn::textColumn(u"LISTEFIYAT1"_s, u"Liste Fiyatı"_s),
                       GridColumn::textColumn(u"DURUM"_s),
                       GridColumn::textColumn(u"TARIH"_s, u"Tarih"_s),
                       GridColumn::pictureColumn(u"RESIM"_s, u"Resim"_s, {{1, 0, u"Var"_s}, {0, -1, u"Yok"_s}}, {}),
                       GridColumn::ownerDrawnColumn(u"Fiyat"_s, u"Fiyat Bilgisi"_s, {}, gridfixture::priceText)});
    f.grid.setColumnFilter(u"MARKA"_s, {u"KAYA"_s}); // a filter on a column not shown: rows 2 and 8
    f.grid.setFooterSummaries({{u"LISTEFIYAT1"_s, SummaryKind::Sum}});
    QTemporaryDir dir;
    const ExcelExportResult result = f.grid.exportToExcel(dir.filePath(u"liste"_s));
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.path, dir.filePath(u"liste.xlsx"_s));
    QString styles;
    const QHash<QString, SheetCell> cells = readSheet(result.path, &styles);
    QVERIFY(!cells.isEmpty());
    // Captions (a column without one shows its field), visible columns only.
    const QStringList header = {u"Barkod"_s, u"Liste Fiyatı"_s, u"DURUM"_s, u"Tarih"_s, u"Resim"_s,
                                u"Fiyat Bilgisi"_s};
    for (int c = 0; c < header.size(); ++c)
        QCOMPARE(cells.value(cellRef(c, 0)).value, header.at(c));
    QVERIFY(!cells.contains(cellRef(6, 0)));
    // Rows 2 and 8 of the table: texts, numbers as numbers, dates as day numbers.
    QCOMPARE(cells.value(cellRef(0, 1)).value, u"B000002"_s);
    QCOMPARE(cells.value(cellRef(0, 2)).value, u"B000008"_s);
    QVERIFY(cells.value(cellRef(1, 1)).type.isEmpty());
    QCOMPARE(cells.value(cellRef(1, 1)).value.toDouble(), 10.5);
    QCOMPARE(cells.value(cellRef(2, 2)).value.toInt(), 2); // DURUM of row 8 (an integer)
    QVERIFY(cells.value(cellRef(2, 2)).type.isEmpty());
    const int serial = int(QDate(1899, 12, 30).daysTo(QDate(2026, 1, 1).addDays(8)));
    QCOMPARE(cells.value(cellRef(3, 2)).value.toInt(), serial);
    QCOMPARE(cells.value(cellRef(4, 1)).value, u"Yok"_s); // RESIM 0 of row 2
    QVERIFY(cells.value(cellRef(5, 1)).value.startsWith(u"Liste Fiyatı: 10.50"_s));
    // The footer's sum, as a number, under its column.
    QCOMPARE(cells.value(cellRef(1, 3)).value.toDouble(), 10.5 + 12.0);
    // Two-decimal and date formats are declared and used by the number cells.
    QVERIFY(styles.contains(u"#,##0.00"_s));
    QVERIFY(styles.contains(u"dd.mm.yyyy"_s));
    QVERIFY(cells.value(cellRef(1, 1)).style != cells.value(cellRef(3, 1)).style);
}

void TestGrid::exportGroupedReadBack()
{
    Fixture f(8);
    f.grid.setColumns({GridColumn::textColumn(u"MARKA"_s, u"Marka"_s).setHidden(),
                       GridColumn::textColumn(u"BARKOD"_s, u"Barkod"_s),
                       GridColumn::textColumn(u"MIKTAR"_s, u"Miktar"_s)});
    f.grid.setGroupSummaries({{u"MIKTAR"_s, SummaryKind::Sum}});
    f.grid.groupBy(u"MARKA"_s);
    f.grid.collapseAll(); // export shows every group expanded anyway
    QTemporaryDir dir;
    const ExcelExportResult result = f.grid.exportToExcel(dir.filePath(u"rapor.xls"_s));
    QVERIFY2(result.ok, qPrintable(result.error));
    QVERIFY(result.path.endsWith(u"rapor.xlsx"_s));
    const QHash<QString, SheetCell> cells = readSheet(result.path);
    // BOSCAR: rows 0 and 6; then its sum 1 + 7.
    QCOMPARE(cells.value(u"A2"_s).value, u"Marka : BOSCAR"_s);
    QCOMPARE(cells.value(u"A3"_s).value, u"B000000"_s);
    QCOMPARE(cells.value(u"A4"_s).value, u"B000006"_s);
    QCOMPARE(cells.value(u"B5"_s).value.toDouble(), 8.0);
    QCOMPARE(cells.value(u"A6"_s).value, u"Marka : FERMA"_s);
    // Six groups: 6 headers + 8 rows + 6 sums after the caption row.
    QVERIFY(cells.contains(u"B21"_s));
    QVERIFY(!cells.contains(u"A22"_s) && !cells.contains(u"B22"_s));

    // A file that cannot be written is reported, not passed off as written.
    const ExcelExportResult bad = f.grid.exportToExcel(dir.filePath(u"no/such/folder/x"_s));
    QVERIFY(!bad.ok);
    QVERIFY(!bad.error.isEmpty());
}

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
