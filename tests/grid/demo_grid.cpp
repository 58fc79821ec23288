// A window with a 100 000-row grid and every feature switched on, for looking
// at the grid by eye (not a test).
//   demo_grid [--rows N] [--group] [--narrow] [--popup] [--grab file.png]

#include "platform/grid/datagrid.h"
#include "tests/grid/gridfixture.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser cli;
    cli.addOption({QStringLiteral("rows"), QStringLiteral("Row count"), QStringLiteral("n"), QStringLiteral("100000")});
    cli.addOption({QStringLiteral("group"), QStringLiteral("Group by brand")});
    cli.addOption({QStringLiteral("narrow"), QStringLiteral("100-pixel rows, best fit")});
    cli.addOption({QStringLiteral("popup"), QStringLiteral("Open the brand column's filter list and the column chooser")});
    cli.addOption({QStringLiteral("grab"), QStringLiteral("Save a picture of the window and quit"), QStringLiteral("file")});
    cli.process(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("DataGrid"));
    auto *layout = new QVBoxLayout(&window);
    auto *status = new QLabel(&window);
    auto *grid = new DataGrid(&window);
    layout->addWidget(grid, 1);
    layout->addWidget(status);

    MemTable table;
    table.assign(gridfixture::stockData(cli.value(QStringLiteral("rows")).toInt()));

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    grid->setGridFont(font);
    GridStyles styles;
    styles.background = sharedstyles::lightGrey();
    styles.content = sharedstyles::lightGrey();
    styles.evenRow = sharedstyles::lightGrey();
    styles.oddRow = sharedstyles::white();
    styles.header = sharedstyles::darkSlate();
    styles.indicator = sharedstyles::darkGrey();
    styles.selection = sharedstyles::paleBlue();
    grid->setStyles(styles);
    grid->setHeaderHeight(40);
    grid->setRowHeight(cli.isSet(QStringLiteral("narrow")) ? 100 : 60);
    grid->setIndicatorWidth(12);
    grid->setGridLineColor(Qt::white);
    grid->setFilterButtonsVisible(true);
    grid->setGroupByBoxVisible(true);
    grid->setColumns(gridfixture::stockColumns(gridfixture::statePictures()));
    grid->bind(&table);
    grid->setFooterSummaries({{QStringLiteral("OEM1"), SummaryKind::Count},
                              {QStringLiteral("MIKTAR"), SummaryKind::Sum},
                              {QStringLiteral("LISTEFIYAT1"), SummaryKind::Average}});
    grid->setGroupSummaries({{QStringLiteral("MIKTAR"), SummaryKind::Sum},
                             {QStringLiteral("BARKOD"), SummaryKind::Count}});
    if (cli.isSet(QStringLiteral("group")))
        grid->groupBy(QStringLiteral("MARKA"));

    QMenu menu;
    menu.addAction(QStringLiteral("Sütun Seçici"), grid, &DataGrid::showColumnChooser);
    menu.addAction(QStringLiteral("Filtreleri Temizle"), grid, &DataGrid::clearFilters);
    menu.addAction(QStringLiteral("En Uygun Genişlik"), grid, &DataGrid::bestFit);
    grid->setContextMenu(&menu);
    QObject::connect(grid, &DataGrid::focusedRowChanged, status, [&](int row) {
        status->setText(row < 0 ? QString()
                                : QStringLiteral("Odak: %1  %2").arg(table.data().stringValue(row, 1),
                                                                     table.data().stringValue(row, 2)));
    });
    QObject::connect(grid, &DataGrid::rowDoubleClicked, status, [&](int row) {
        status->setText(QStringLiteral("Çift tıklandı: STOK_STOKNO %1").arg(table.data().intValue(row, 0)));
    });
    // The common width rule: a 1400-pixel screen weighs the columns, a
    // 1152-pixel one (--narrow) fits them to their contents.
    const int screenWidth = cli.isSet(QStringLiteral("narrow")) ? 1152 : 1400;
    QObject::connect(grid, &DataGrid::resized, grid, [grid, screenWidth] { grid->applyColumnLayout(screenWidth); });

    window.resize(1380, 860);
    window.show();
    if (cli.isSet(QStringLiteral("popup"))) {
        QTimer::singleShot(500, grid, [grid] {
            grid->showColumnChooser();
            grid->showFilterPopup(QStringLiteral("MARKA"));
        });
    }
    if (cli.isSet(QStringLiteral("grab"))) {
        QTimer::singleShot(300, &window, [&] {
            window.grab().save(cli.value(QStringLiteral("grab")));
            app.quit();
        });
    }
    return app.exec();
}
