// Rules the server applies everywhere: the search form of codes, money
// arithmetic, and a demo set that is the same on every run.
#include "appserver/database.h"
#include "appserver/pricing.h"
#include "appserver/searchtext.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

class tst_AppServerRules : public QObject {
    Q_OBJECT

private slots:
    void searchForm_data();
    void searchForm();
    void lineAmounts_data();
    void lineAmounts();
    void demoSetIsDeterministic();
};

void tst_AppServerRules::searchForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("punctuation and blanks in one code") << "12-345.ab" << QStringList{QStringLiteral("12345AB")};
    QTest::newRow("Turkish letters") << "ön fren balatası" << QStringList{QStringLiteral("ON"), QStringLiteral("FREN"), QStringLiteral("BALATASI")};
    QTest::newRow("dotted capital I") << "İĞNE ŞÜÇ" << QStringList{QStringLiteral("IGNE"), QStringLiteral("SUC")};
    QTest::newRow("only punctuation") << " - . / " << QStringList{};
    QTest::newRow("empty") << "" << QStringList{};
}

void tst_AppServerRules::searchForm()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(searchtext::words(text), words);
}

void tst_AppServerRules::lineAmounts_data()
{
    QTest::addColumn<double>("qty");
    QTest::addColumn<double>("price");
    QTest::addColumn<QList<double>>("rates");
    QTest::addColumn<double>("vat");
    QTest::addColumn<QList<double>>("expected");  // tutar, indirim, net, net unit, vat, with vat
    QTest::newRow("two successive rates") << 1.0 << 100.0 << QList<double>{10, 5, 0, 0} << 20.0
                                          << QList<double>{100, 14.5, 85.5, 85.5, 17.1, 102.6};
    QTest::newRow("a third") << 3.0 << 10.0 << QList<double>{33.33, 0, 0, 0} << 20.0
                             << QList<double>{30, 10, 20, 6.67, 4, 24};
    QTest::newRow("negative rate skipped") << 2.0 << 50.0 << QList<double>{-5, 0, 0, 0} << 10.0
                                           << QList<double>{100, 0, 100, 50, 10, 110};
    QTest::newRow("half cent rounds up") << 1.0 << 0.125 << QList<double>{0, 0, 0, 0} << 0.0
                                         << QList<double>{0.13, 0, 0.13, 0.13, 0, 0.13};
    QTest::newRow("zero quantity") << 0.0 << 10.0 << QList<double>{10, 0, 0, 0} << 20.0
                                   << QList<double>{0, 0, 0, 0, 0, 0};
}

void tst_AppServerRules::lineAmounts()
{
    QFETCH(double, qty);
    QFETCH(double, price);
    QFETCH(QList<double>, rates);
    QFETCH(double, vat);
    QFETCH(QList<double>, expected);
    const pricing::LineAmounts a = pricing::lineAmounts(qty, price, {rates[0], rates[1], rates[2], rates[3]}, vat);
    QCOMPARE(a.tutar, expected[0]);
    QCOMPARE(a.indirimTutar, expected[1]);
    QCOMPARE(a.netTutar, expected[2]);
    QCOMPARE(a.netBirimFiyat, expected[3]);
    QCOMPARE(a.vergiTutari, expected[4]);
    QCOMPARE(a.kdvliTutar, expected[5]);
}

namespace {

QByteArray fingerprint(Database &db)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const char *table : {"stok", "siparis", "siparis_satir", "ekstre", "sepet", "tahsilat", "fatura_satir"}) {
        QSqlQuery q = runSql(db.connection(), QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)));
        while (q.next())
            for (int i = 0; i < q.record().count(); ++i)
                hash.addData(QByteArray(q.value(i).toString().toUtf8() + '\x1f'));
    }
    return hash.result();
}

} // namespace

void tst_AppServerRules::demoSetIsDeterministic()
{
    QTemporaryDir dir;
    SeedOptions seed;
    seed.items = 200;
    seed.today = QDate(2026, 6, 15);
    auto build = [&](const QString &name, quint64 s) {
        DatabaseConfig config;
        config.sqlitePath = dir.filePath(name);
        auto db = std::make_unique<Database>(config);
        SeedOptions o = seed;
        o.seed = s;
        if (!db->prepare(o))
            return QByteArray();
        return fingerprint(*db);
    };
    const QByteArray a = build(QStringLiteral("a.db"), 7);
    QVERIFY(!a.isEmpty());
    QCOMPARE(build(QStringLiteral("b.db"), 7), a);
    QVERIFY(build(QStringLiteral("c.db"), 8) != a);
}

QTEST_MAIN(tst_AppServerRules)
#include "tst_appserver_rules.moc"
