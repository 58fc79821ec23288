// Shows a small in-memory table through MemTableModel in a QTableView, sorted
// by the raw values. With "--grab file.png" it renders the window into the
// file and exits, for looking at it without a display.

#include "platform/dataset/memtable.h"
#include "platform/dataset/memtablemodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    TableData d({{QStringLiteral("STOK_STOKNO"), FieldType::Integer},
                 {QStringLiteral("KOD"), FieldType::String, 20},
                 {QStringLiteral("ADI"), FieldType::String, 60},
                 {QStringLiteral("MARKA"), FieldType::String, 20},
                 {QStringLiteral("FIYAT"), FieldType::Float},
                 {QStringLiteral("IND1"), FieldType::Float},
                 {QStringLiteral("NETFIYAT"), FieldType::Float},
                 {QStringLiteral("TUTAR"), FieldType::Currency},
                 {QStringLiteral("STOKTA"), FieldType::Boolean},
                 {QStringLiteral("TARIH"), FieldType::Date}});
    const struct {
        int no;
        const char16_t *kod, *adi, *marka;
        double fiyat, ind;
        bool stokta;
    } rows[] = {
        {1001, u"FB-2231", u"ÖN FREN BALATASI TAKIM", u"BALKAR", 1234.5, 10, true},
        {1002, u"AM-0415", u"ARKA AMORTİSÖR SAĞ", u"YAYSAN", 987654.321, 25, false},
        {1003, u"YF-0007", u"YAĞ FİLTRESİ", u"SÜZGEÇ", 89.9, 0, true},
        {1004, u"DS-1180", u"FREN DİSKİ ÖN (ÇİFT)", u"BALKAR", 2150.0, 12.5, true},
        {1005, u"HF-3302", u"HAVA FİLTRESİ", u"SÜZGEÇ", 0.5, 5, false},
    };
    for (const auto &r : rows) {
        const int row = d.appendRow();
        d.setInt(row, 0, r.no);
        d.setString(row, 1, QString::fromUtf16(r.kod));
        d.setString(row, 2, QString::fromUtf16(r.adi));
        d.setString(row, 3, QString::fromUtf16(r.marka));
        d.setDouble(row, 4, r.fiyat);
        d.setDouble(row, 5, r.ind);
        d.setDouble(row, 6, r.fiyat * (1 - r.ind / 100));
        d.setDouble(row, 7, r.fiyat * 1.2);
        d.setBool(row, 8, r.stokta);
        d.setDate(row, 9, QDate(2026, 12, row + 1));
    }
    d.appendRow();  // a row of nulls
    d.setInt(d.rowCount() - 1, 0, 1006);

    MemTable table;
    table.setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    table.assign(std::move(d));

    MemTableModel model(&table);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.setSortRole(MemTableModel::RawValueRole);

    QTableView view;
    view.setModel(&proxy);
    view.setSortingEnabled(true);
    view.sortByColumn(4, Qt::DescendingOrder);
    view.setWindowTitle(QStringLiteral("MemTable"));
    view.resize(1020, 260);
    view.horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    const QStringList args = app.arguments();
    const qsizetype grab = args.indexOf(QStringLiteral("--grab"));
    if (grab >= 0 && grab + 1 < args.size()) {
        view.show();
        app.processEvents();
        return view.grab().save(args[grab + 1]) ? 0 : 1;
    }
    view.show();
    return app.exec();
}
