// Business flows end to end through the wire codec: sign-in by machine,
// basket to order, outstanding lines, statements, documents, the catalogue
// search, the web endpoints, and concurrent clients.
#include "serverfixture.h"

#include "platform/dataset/tabledata.h"
#include "server/baglantiu.h"
#include "server/mobilstokunit.h"
#include "wire/codec.h"
#include "wire/marshal.h"

#include <QImage>
#include <QSqlQuery>
#include <QTest>

#include <httplib.h>

#include <atomic>
#include <thread>

Q_DECLARE_METATYPE(wire::Value)

namespace {

using Params = QList<wire::Value>;

TableData tableOf(const ServerFixture::Reply &r)
{
    return r.status == 200 && !r.results.isEmpty() && r.results.first().kind() == wire::Value::Kind::Table
               ? r.results.first().tableValue()
               : TableData();
}

// The row whose column equals the value, or -1.
int findRow(const TableData &t, const char *column, qint64 value)
{
    const int c = t.fieldIndex(QString::fromLatin1(column));
    for (int r = 0; c >= 0 && r < t.rowCount(); ++r)
        if (t.intValue(r, c) == value)
            return r;
    return -1;
}

double cell(const TableData &t, int row, const char *column)
{
    return t.doubleValue(row, t.fieldIndex(QString::fromLatin1(column)));
}

Params addLine(const TSonucBilgisi &who, int stokno, double qty, double price = 100.0)
{
    return {ServerFixture::record(who), who.CARINO(), stokno, QStringLiteral("KOD"), QStringLiteral("AD"), qty, 20.0, price,
            10.0, who.Sirano(), 0, 5.0, 0.0, 0.0};
}

} // namespace

class tst_AppServerFlows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void signInRecordByMachine_data();
    void signInRecordByMachine();
    void bindingAMachine();

    void basketToOrder();
    void orderWithoutSelectionChangesNothing_data();
    void orderWithoutSelectionChangesNothing();
    void basketRefusesBadLines_data();
    void basketRefusesBadLines();
    void basketLineChangeAndDelete();

    void outstandingLinesShrinkAndDisappear();
    void outstandingPriceOnlyForType2();

    void statementAddsUp();
    void documentsArePdf_data();
    void documentsArePdf();
    void unknownReportFails();

    void searchIgnoresCaseBlanksAndPunctuation_data();
    void searchIgnoresCaseBlanksAndPunctuation();
    void searchStopsAtTheServerLimit_data();
    void searchStopsAtTheServerLimit();

    void webEndpoints_data();
    void webEndpoints();

    void concurrentBasketsStayApart();
    void concurrentOrdersTakeLinesOnce();

private:
    std::unique_ptr<ServerFixture> m_server;
    TSonucBilgisi m_demo;
};

void tst_AppServerFlows::initTestCase()
{
    m_server = std::make_unique<ServerFixture>();
    QVERIFY(m_server->ok());
    m_demo = m_server->signIn(QStringLiteral("DEMO-PC"));
    QCOMPARE(m_demo.ADI(), QStringLiteral("DEMO"));
}

void tst_AppServerFlows::cleanupTestCase() { m_server.reset(); }

void tst_AppServerFlows::signInRecordByMachine_data()
{
    QTest::addColumn<QString>("machine");
    QTest::addColumn<bool>("known");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("carino");
    QTest::newRow("dealer") << "DEMO-PC" << true << "DEMO" << 1 << 0 << 5 << 1001;
    QTest::newRow("type 3") << "BAYI3-PC" << true << "BAYI3" << 1 << 3 << 5 << 1002;
    QTest::newRow("type 4") << "BAYI4-PC" << true << "BAYI4" << 1 << 4 << 5 << 1003;
    QTest::newRow("representative") << "TEMSILCI1-PC" << true << "TEMSILCI1" << 1 << 1 << 5 << 0;
    QTest::newRow("representative 2") << "TEMSILCI2-PC" << true << "TEMSILCI2" << 1 << 2 << 5 << 0;
    QTest::newRow("inactive") << "PASIF-PC" << true << "PASIF" << 0 << 0 << 5 << 1004;
    QTest::newRow("old version") << "ESKI-PC" << true << "ESKI" << 1 << 0 << 4 << 1005;
    // An unknown computer must not be sent to the update: it carries the
    // current version and Varmi false.
    QTest::newRow("unknown") << "NOBODY-PC" << false << "" << 0 << 1 << 5 << 0;
    QTest::newRow("empty id") << "" << false << "" << 0 << 1 << 5 << 0;
}

void tst_AppServerFlows::signInRecordByMachine()
{
    QFETCH(QString, machine);
    QFETCH(bool, known);
    QFETCH(QString, name);
    QFETCH(int, active);
    QFETCH(int, type);
    QFETCH(int, version);
    QFETCH(int, carino);
    const TSonucBilgisi r = m_server->signIn(machine);
    QCOMPARE(r.Varmi(), known);
    QCOMPARE(r.ADI(), name);
    QCOMPARE(r.SIFRE(), known ? QStringLiteral("1234") : QString());
    QCOMPARE(r.AKTIF(), active);
    QCOMPARE(r.MusteriTipi(), type);
    QCOMPARE(r.Version(), version);
    QCOMPARE(r.CARINO(), carino);
    QCOMPARE(r.BILGISAYARID(), machine);
    if (known) {
        QVERIFY(r.Sirano() > 0);
        QVERIFY(!r.SaticiAdi().isEmpty());
    }
    if (known && carino > 0)
        QVERIFY(!r.CariAdi().isEmpty() && !r.carikod().isEmpty());
}

void tst_AppServerFlows::bindingAMachine()
{
    QVERIFY(!m_server->signIn(QStringLiteral("NEW-MACHINE-7")).Varmi());
    m_server->database().bindMachine(QStringLiteral("NEW-MACHINE-7"), QStringLiteral("BAYI3"));
    const TSonucBilgisi r = m_server->signIn(QStringLiteral("NEW-MACHINE-7"));
    QVERIFY(r.Varmi());
    QCOMPARE(r.ADI(), QStringLiteral("BAYI3"));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, m_server->database().bindMachine(QStringLiteral("X"), QStringLiteral("NOSUCH")));
}

void tst_AppServerFlows::basketToOrder()
{
    const int carino = m_demo.CARINO();
    TableData basket = tableOf(m_server->call(QStringLiteral("SepetVer2"), {carino}));
    const int before = basket.rowCount();
    QVERIFY(before > 0);
    // Only the new line will be selected.
    for (int r = 0; r < basket.rowCount(); ++r)
        QCOMPARE(m_server->call(QStringLiteral("SepetSecimGuncelle"), {int(basket.intValue(r, basket.fieldIndex(u"SIRANO"))), 0})
                     .status,
                 200);
    const int stokno = 1123;
    QVERIFY(findRow(basket, "STOKNO", stokno) < 0);
    QCOMPARE(m_server->call(QStringLiteral("SepetEkle2"), addLine(m_demo, stokno, 4)).results.value(0).intValue(), 1);

    basket = tableOf(m_server->call(QStringLiteral("SepetVer2"), {carino}));
    QCOMPARE(basket.rowCount(), before + 1);
    const int row = findRow(basket, "STOKNO", stokno);
    QVERIFY(row >= 0);
    QCOMPARE(cell(basket, row, "SEC"), 0.0);
    QCOMPARE(cell(basket, row, "MIKTAR"), 4.0);
    QCOMPARE(cell(basket, row, "TUTAR"), 400.0);
    QCOMPARE(cell(basket, row, "NETTUTAR"), 342.0);  // 400 less 10 % less 5 %
    QCOMPARE(cell(basket, row, "INDIRIMTUTAR"), 58.0);
    QCOMPARE(cell(basket, row, "VERGITUTARI"), 68.4);
    const int sirano = int(basket.intValue(row, basket.fieldIndex(u"SIRANO")));
    m_server->call(QStringLiteral("SepetSecimGuncelle"), {sirano, 1});

    const int ordersBefore = tableOf(m_server->call(QStringLiteral("OncekiSiparisler"), {carino})).rowCount();
    const ServerFixture::Reply saved = m_server->call(
        QStringLiteral("SiparisKaydet"), {ServerFixture::record(m_demo), carino, 2, 1, QStringLiteral("Acil"), m_demo.Sirano(), 1});
    QCOMPARE(saved.status, 200);
    QCOMPARE(saved.results.value(0).boolValue(), true);

    // The basket shrinks by exactly the ordered line.
    basket = tableOf(m_server->call(QStringLiteral("SepetVer2"), {carino}));
    QCOMPARE(basket.rowCount(), before);
    QCOMPARE(findRow(basket, "STOKNO", stokno), -1);

    // The newest previous order holds it.
    const TableData orders = tableOf(m_server->call(QStringLiteral("OncekiSiparisler"), {carino}));
    QCOMPARE(orders.rowCount(), ordersBefore + 1);
    const int idno = int(orders.intValue(0, orders.fieldIndex(u"IDNO")));
    QCOMPARE(orders.stringValue(0, orders.fieldIndex(u"DURUM")), QStringLiteral("Alındı"));
    QCOMPARE(orders.stringValue(0, orders.fieldIndex(u"VERENINNOTU")), QStringLiteral("Acil"));
    QCOMPARE(cell(orders, 0, "NETTUTAR"), 342.0);
    const TableData lines = tableOf(m_server->call(QStringLiteral("SiparisAyrintisi2"), {carino, idno}));
    QCOMPARE(lines.rowCount(), 1);
    QCOMPARE(lines.intValue(0, lines.fieldIndex(u"STOK_STOKNO")), qint64(stokno));
    QCOMPARE(lines.intValue(0, lines.fieldIndex(u"SIRANO")), qint64(sirano));

    // ... and so do the outstanding lines and the item's order lines.
    const TableData outstanding = tableOf(m_server->call(QStringLiteral("BakiyelerVer2"), {carino}));
    const int o = findRow(outstanding, "IDNO", idno);
    QVERIFY(o >= 0);
    QCOMPARE(cell(outstanding, o, "KALAN"), 4.0);
    QCOMPARE(cell(outstanding, o, "TESLIMEDILEN"), 0.0);
    QVERIFY(findRow(tableOf(m_server->call(QStringLiteral("TumSiparislerVer"), {carino, stokno})), "IDNO", idno) >= 0);

    // The footer names the choices made.
    const ServerFixture::Reply dip = m_server->call(QStringLiteral("SiparisAytintisiDip"), {0, idno});
    const auto footer = wire::unmarshal<TSiparisDipAyrinti>(dip.results.value(0));
    QVERIFY(footer.ok());
    QCOMPARE(footer.value().TeslimCinsi(), QStringLiteral("Kargo ile Gönderilsin"));
    QCOMPARE(footer.value().KargoCinsi(), QStringLiteral("Anlaşmalı Kargo"));
    QCOMPARE(footer.value().Kargo(), QStringLiteral("HIZLI KARGO"));
    QCOMPARE(footer.value().Veren(), QStringLiteral("DEMO"));
}

void tst_AppServerFlows::orderWithoutSelectionChangesNothing_data()
{
    QTest::addColumn<int>("teslim");
    QTest::addColumn<int>("kargo");
    QTest::addColumn<int>("firma");
    QTest::addColumn<bool>("selectFirst");
    QTest::newRow("no line selected") << 2 << 1 << 1 << false;
    QTest::newRow("company of another cargo kind") << 2 << 1 << 4 << true;
    QTest::newRow("unknown delivery kind") << 9 << 1 << 1 << true;
    QTest::newRow("no company") << 2 << 1 << 0 << true;
}

void tst_AppServerFlows::orderWithoutSelectionChangesNothing()
{
    QFETCH(int, teslim);
    QFETCH(int, kargo);
    QFETCH(int, firma);
    QFETCH(bool, selectFirst);
    const TSonucBilgisi bayi = m_server->signIn(QStringLiteral("BAYI3-PC"));
    m_server->call(QStringLiteral("SepetEkle2"), addLine(bayi, 1200, 1));
    const TableData before = tableOf(m_server->call(QStringLiteral("SepetVer2"), {bayi.CARINO()}));
    QVERIFY(before.rowCount() > 0);
    for (int r = 0; r < before.rowCount(); ++r)
        m_server->call(QStringLiteral("SepetSecimGuncelle"),
                       {int(before.intValue(r, before.fieldIndex(u"SIRANO"))), selectFirst && r == 0 ? 1 : 0});
    const int orders = tableOf(m_server->call(QStringLiteral("OncekiSiparisler"), {bayi.CARINO()})).rowCount();
    const ServerFixture::Reply r = m_server->call(
        QStringLiteral("SiparisKaydet"), {ServerFixture::record(bayi), bayi.CARINO(), teslim, kargo, QString(), bayi.Sirano(), firma});
    QCOMPARE(r.status, 200);
    QCOMPARE(r.results.value(0).boolValue(), false);
    QCOMPARE(tableOf(m_server->call(QStringLiteral("SepetVer2"), {bayi.CARINO()})).rowCount(), before.rowCount());
    QCOMPARE(tableOf(m_server->call(QStringLiteral("OncekiSiparisler"), {bayi.CARINO()})).rowCount(), orders);
}

void tst_AppServerFlows::basketRefusesBadLines_data()
{
    QTest::addColumn<int>("carino");
    QTest::addColumn<int>("stokno");
    QTest::addColumn<double>("qty");
    QTest::addColumn<double>("price");
    QTest::newRow("zero quantity") << 1006 << 1001 << 0.0 << 10.0;
    QTest::newRow("negative quantity") << 1006 << 1001 << -2.0 << 10.0;
    QTest::newRow("unknown item") << 1006 << 999999 << 1.0 << 10.0;
    QTest::newRow("unknown account") << 4242 << 1001 << 1.0 << 10.0;
    QTest::newRow("negative price") << 1006 << 1001 << 1.0 << -5.0;
}

void tst_AppServerFlows::basketRefusesBadLines()
{
    QFETCH(int, carino);
    QFETCH(int, stokno);
    QFETCH(double, qty);
    QFETCH(double, price);
    TSonucBilgisi who = m_demo;
    who.setCARINO(carino);
    const int before = tableOf(m_server->call(QStringLiteral("SepetVer2"), {carino})).rowCount();
    const ServerFixture::Reply r = m_server->call(QStringLiteral("SepetEkle2"), addLine(who, stokno, qty, price));
    QCOMPARE(r.status, 200);
    QCOMPARE(r.results.value(0).intValue(), 0);
    QCOMPARE(tableOf(m_server->call(QStringLiteral("SepetVer2"), {carino})).rowCount(), before);
}

void tst_AppServerFlows::basketLineChangeAndDelete()
{
    TSonucBilgisi who = m_demo;
    who.setCARINO(1007);
    QCOMPARE(m_server->call(QStringLiteral("SepetEkle2"), addLine(who, 1050, 2)).results.value(0).intValue(), 1);
    // Adding the same item again adds to its line.
    QCOMPARE(m_server->call(QStringLiteral("SepetEkle2"), addLine(who, 1050, 3)).results.value(0).intValue(), 1);
    TableData basket = tableOf(m_server->call(QStringLiteral("SepetVer2"), {1007}));
    int row = findRow(basket, "STOKNO", 1050);
    QCOMPARE(cell(basket, row, "MIKTAR"), 5.0);
    const int sirano = int(basket.intValue(row, basket.fieldIndex(u"SIRANO")));

    const Params change = {ServerFixture::record(who), 1007, 0, QStringLiteral("K"), QStringLiteral("A"), 7.0, 20.0, 50.0,
                           0.0, who.Sirano(), sirano, 0.0, 0.0, 0.0};
    QCOMPARE(m_server->call(QStringLiteral("SepetGuncelle2"), change).results.value(0).intValue(), 1);
    basket = tableOf(m_server->call(QStringLiteral("SepetVer2"), {1007}));
    row = findRow(basket, "SIRANO", sirano);
    QCOMPARE(cell(basket, row, "MIKTAR"), 7.0);
    QCOMPARE(cell(basket, row, "TUTAR"), 350.0);
    // Another account's number does not reach the line.
    Params foreign = change;
    foreign[1] = 1008;
    QCOMPARE(m_server->call(QStringLiteral("SepetGuncelle2"), foreign).results.value(0).intValue(), 0);
    TSonucBilgisi other = who;
    other.setCARINO(1008);
    QCOMPARE(m_server->call(QStringLiteral("SepetSatirSil"), {ServerFixture::record(other), sirano, QStringLiteral("x")})
                 .results.value(0)
                 .intValue(),
             0);
    QCOMPARE(m_server->call(QStringLiteral("SepetSatirSil"), {ServerFixture::record(who), sirano, QStringLiteral("K-A")})
                 .results.value(0)
                 .intValue(),
             1);
    QCOMPARE(findRow(tableOf(m_server->call(QStringLiteral("SepetVer2"), {1007})), "SIRANO", sirano), -1);
    QCOMPARE(m_server->call(QStringLiteral("SepetHepsiniSil"), {ServerFixture::record(who)}).status, 200);
    QCOMPARE(tableOf(m_server->call(QStringLiteral("SepetVer2"), {1007})).rowCount(), 0);
    QCOMPARE(m_server->call(QStringLiteral("SepetSecimGuncelle"), {sirano, 1}).status, 500);
}

void tst_AppServerFlows::outstandingLinesShrinkAndDisappear()
{
    TableData lines = tableOf(m_server->call(QStringLiteral("BakiyelerVer2"), {1001}));
    int row = -1;
    for (int r = 0; r < lines.rowCount() && row < 0; ++r)
        if (cell(lines, r, "KALAN") >= 2)
            row = r;
    QVERIFY(row >= 0);
    const int line = int(lines.intValue(row, lines.fieldIndex(u"STOKHAR_NO")));
    const double kalan = cell(lines, row, "KALAN");
    const double price = cell(lines, row, "BIRIMFIYAT");
    auto change = [&](const QString &method, double value) {
        return m_server
            ->call(method, {ServerFixture::record(m_demo), 0, 0, line, value, value, QStringLiteral("B")})
            .results.value(0)
            .intValue();
    };
    // A larger balance is refused; a smaller one is taken.
    QCOMPARE(change(QStringLiteral("BakiyeDegistir"), kalan + 1), 0);
    QCOMPARE(change(QStringLiteral("BakiyeDegistir"), 0), 0);
    QCOMPARE(change(QStringLiteral("BakiyeDegistir"), kalan - 1), 1);
    lines = tableOf(m_server->call(QStringLiteral("BakiyelerVer2"), {1001}));
    row = findRow(lines, "STOKHAR_NO", line);
    QCOMPARE(cell(lines, row, "KALAN"), kalan - 1);
    QCOMPARE(cell(lines, row, "TUTAR"), std::round((kalan - 1) * price * 100) / 100);
    // Another account cannot touch it.
    TSonucBilgisi other = m_demo;
    other.setCARINO(1002);
    QCOMPARE(m_server->call(QStringLiteral("BakiyeDuzenle"), {ServerFixture::record(other), 0, 0, line, 1.0, 1.0, QString()})
                 .results.value(0)
                 .intValue(),
             0);
    QCOMPARE(change(QStringLiteral("BakiyeDuzenle"), kalan - 1), 1);
    QCOMPARE(findRow(tableOf(m_server->call(QStringLiteral("BakiyelerVer2"), {1001})), "STOKHAR_NO", line), -1);
    QCOMPARE(change(QStringLiteral("BakiyeDuzenle"), 1), 0);  // already gone
}

void tst_AppServerFlows::outstandingPriceOnlyForType2()
{
    const TableData lines = tableOf(m_server->call(QStringLiteral("BakiyelerVer2"), {1002}));
    QVERIFY(lines.rowCount() > 0);
    const int line = int(lines.intValue(0, lines.fieldIndex(u"STOKHAR_NO")));
    auto setPrice = [&](const TSonucBilgisi &who) {
        return m_server
            ->call(QStringLiteral("BakiyeFiyatDegistir"),
                   {ServerFixture::record(who), 0, 0, line, 1.0, 1.0, QStringLiteral("B"), 200.0, 10.0})
            .results.value(0)
            .intValue();
    };
    TSonucBilgisi dealer = m_server->signIn(QStringLiteral("BAYI3-PC"));
    QCOMPARE(setPrice(dealer), 0);
    TSonucBilgisi manager = m_server->signIn(QStringLiteral("TEMSILCI2-PC"));
    manager.setCARINO(1002);
    QCOMPARE(setPrice(manager), 1);
    const TableData after = tableOf(m_server->call(QStringLiteral("BakiyelerVer2"), {1002}));
    const int row = findRow(after, "STOKHAR_NO", line);
    QCOMPARE(cell(after, row, "BIRIMFIYAT"), 200.0);
    QCOMPARE(cell(after, row, "INDIRIMORANI1"), 10.0);
    QVERIFY(cell(after, row, "ILKFIYAT") != 200.0 || cell(lines, 0, "BIRIMFIYAT") == 200.0);
}

void tst_AppServerFlows::statementAddsUp()
{
    for (int carino : {1001, 1002, 1005}) {
        const TableData t = tableOf(m_server->call(QStringLiteral("CariEkstreVer"), {carino}));
        QVERIFY(t.rowCount() > 3);
        double debit = 0, credit = 0;
        for (int r = 0; r < t.rowCount(); ++r) {
            debit += cell(t, r, "BORC");
            credit += cell(t, r, "ALACAK");
            QCOMPARE(cell(t, r, "BAKIYE"), std::round((debit - credit) * 100) / 100);
        }
        const double balance = std::round((debit - credit) * 100) / 100;
        QCOMPARE(m_server->call(QStringLiteral("CariDurumVer"), {carino}).results.value(0).stringValue(),
                 QString::number(balance, 'f', 2));
        TSonucBilgisi who;
        who.setCARINO(carino);
        const auto details = wire::unmarshal<TMobilCariBilgisi>(
            m_server->call(QStringLiteral("MobilCariBilgisiGetir"), {carino == 1001 ? 1 : 2, QString()}).results.value(0));
        QVERIFY(details.ok());
        if (carino == 1001)
            QCOMPARE(std::round(details.value().TLBAKIYE() * 100) / 100, balance);
        // Every statement row opens something real: invoices and collections exist.
        for (int r = 0; r < t.rowCount(); ++r) {
            const QString kind = t.stringValue(r, t.fieldIndex(u"TURADI"));
            const int idno = int(t.intValue(r, t.fieldIndex(u"IDNO")));
            if (kind.contains(u"Fatura"))
                QCOMPARE(tableOf(m_server->call(QStringLiteral("FaturaAltGetir"), {idno})).rowCount(), 1);
            else if (kind == u"Tahsilat" || kind == u"Tediye")
                QCOMPARE(tableOf(m_server->call(QStringLiteral("Tahsilat"), {idno})).rowCount(), 1);
        }
    }
    QCOMPARE(m_server->call(QStringLiteral("CariDurumVer"), {777}).results.value(0).stringValue(), QString());
}

void tst_AppServerFlows::documentsArePdf_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<Params>("params");
    QTest::addColumn<QByteArray>("text");
    const int receipt = scalarSql(m_server->database().connection(),
                                  QStringLiteral("SELECT MIN(sanalposno) FROM tahsilat WHERE sanalposno > 0"))
                            .toInt();
    const double today = std::floor(dayNumberFromDate(QDate::currentDate()));
    QTest::newRow("card receipt") << "SAnalPosPdfVer" << Params{receipt} << QByteArray("Sanal POS");
    QTest::newRow("account summary") << "RaporGetir" << Params{6, 6, 4, 1001, QStringLiteral("AHMET YILMAZ"), today, today}
                                     << QByteArray("DEMO OTO");
    QTest::newRow("receivables of all") << "RaporGetir" << Params{6, 6, 4, 0, QStringLiteral("."), today, today}
                                        << QByteArray("TRAKYA");
    QTest::newRow("receivables of one representative")
        << "RaporGetir" << Params{6, 6, 4, 0, QStringLiteral("AHMET YILMAZ"), today, today} << QByteArray("DEMO OTO");
    QTest::newRow("purchases and sales") << "RaporGetir" << Params{7, 7, 4, 1001, QStringLiteral("AHMET"), today - 200, today}
                                         << QByteArray("Toplam");
}

void tst_AppServerFlows::documentsArePdf()
{
    QFETCH(QString, method);
    QFETCH(Params, params);
    QFETCH(QByteArray, text);
    const ServerFixture::Reply r = m_server->call(method, params);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.results.size(), 2);
    const QByteArray pdf = r.results.at(1).toBytes().value();
    QCOMPARE(qint64(pdf.size()), r.results.at(0).intValue());
    QVERIFY(pdf.startsWith("%PDF-1.4"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    QVERIFY2(pdf.contains(text), text.constData());
}

void tst_AppServerFlows::unknownReportFails()
{
    const ServerFixture::Reply r = m_server->call(QStringLiteral("RaporGetir"), {9, 9, 1, 1001, QString(), 46000.0, 46000.0});
    QCOMPARE(r.status, 500);
    QCOMPARE(r.error, QStringLiteral("Tanımsız rapor numarası: 9"));
}

void tst_AppServerFlows::searchIgnoresCaseBlanksAndPunctuation_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stokno");
    QSqlQuery q = runSql(m_server->database().connection(),
                         QStringLiteral("SELECT stokno, oem1, barkod, adi FROM stok WHERE oem1 LIKE '% %' ORDER BY stokno LIMIT 1"));
    QVERIFY(q.next());
    const int stokno = q.value(0).toInt();
    const QString oem = q.value(1).toString();
    const QString barkod = q.value(2).toString();
    QString squeezed = oem;
    squeezed.remove(u' ').remove(u'.').remove(u'-');
    QString dashed = squeezed;
    dashed.insert(2, u'-');
    QTest::newRow("OEM as written") << oem << stokno;
    QTest::newRow("OEM without blanks") << squeezed << stokno;
    QTest::newRow("OEM with other punctuation") << dashed << stokno;
    QTest::newRow("code in lower case") << barkod.toLower() << stokno;
    QTest::newRow("code and name words") << barkod + QStringLiteral(" ") + q.value(3).toString().section(u' ', -1) << stokno;
    QTest::newRow("nothing") << QStringLiteral("QQQXXXZZZ") << 0;
}

void tst_AppServerFlows::searchIgnoresCaseBlanksAndPunctuation()
{
    QFETCH(QString, text);
    QFETCH(int, stokno);
    const TableData t = tableOf(m_server->call(QStringLiteral("StokAraGetirZelvori"), {text, ServerFixture::record(m_demo)}));
    QVERIFY(t.fieldIndex(u"IND1") >= 0);
    if (stokno == 0) {
        QCOMPARE(t.rowCount(), 0);
        return;
    }
    const int row = findRow(t, "STOK_STOKNO", stokno);
    QVERIFY2(row >= 0, qPrintable(text));
    // Prices for the signed-in dealer: his discount is the first rate.
    if (t.intValue(row, t.fieldIndex(u"K")) == 0)
        QCOMPARE(cell(t, row, "IND1"), 10.0);
    QCOMPARE(cell(t, row, "KDVDAHIL"), std::round(cell(t, row, "NETFIYAT") * 1.2 * 100) / 100);
}

void tst_AppServerFlows::searchStopsAtTheServerLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("cut");  // the unlimited answer is longer than the limit
    // The fixture's catalogue has 300 items; "FR" matches fewer than 300.
    QTest::newRow("broad search cut at the limit") << 50 << QString() << true;
    QTest::newRow("limit of one") << 1 << QString() << true;
    QTest::newRow("limit above the catalogue") << 1000 << QString() << false;
    QTest::newRow("narrow search cut at the limit") << 3 << QStringLiteral("FR") << true;
    QTest::newRow("narrow search below the limit") << 1000 << QStringLiteral("FR") << false;
}

void tst_AppServerFlows::searchStopsAtTheServerLimit()
{
    QFETCH(int, limit);
    QFETCH(QString, text);
    QFETCH(bool, cut);
    ServerFixture server(300, limit);
    QVERIFY(server.ok());
    const TableData all = tableOf(m_server->call(QStringLiteral("StokAraGetirZelvori"), {text, ServerFixture::record(m_demo)}));
    QVERIFY(all.rowCount() > 1);
    QCOMPARE(all.rowCount() > limit, cut);
    const TableData t = tableOf(server.call(QStringLiteral("StokAraGetirZelvori"),
                                            {text, ServerFixture::record(server.signIn(QStringLiteral("DEMO-PC")))}));
    // The same catalogue (same seed): the limited answer is the head of the
    // full one, in item-number order.
    QCOMPARE(t.rowCount(), std::min(limit, all.rowCount()));
    const int c = t.fieldIndex(u"STOK_STOKNO");
    QVERIFY(c >= 0);
    for (int r = 0; r < t.rowCount(); ++r)
        QCOMPARE(t.intValue(r, c), all.intValue(r, all.fieldIndex(u"STOK_STOKNO")));
}

void tst_AppServerFlows::webEndpoints_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("contentType");
    QTest::addColumn<QByteArray>("contains");
    QSqlDatabase db = m_server->database().connection();
    const int withPicture = scalarSql(db, QStringLiteral("SELECT MIN(stokno) FROM stok WHERE resimno > 0")).toInt();
    const int without = scalarSql(db, QStringLiteral("SELECT MIN(stokno) FROM stok WHERE resimno = 0")).toInt();
    QTest::newRow("picture") << QStringLiteral("/resimgoster.ashx?id=%1").arg(withPicture) << 200 << "image/jpeg"
                             << QByteArray("\xFF\xD8");
    QTest::newRow("no picture") << QStringLiteral("/resimgoster.ashx?id=%1").arg(without) << 404 << "" << QByteArray();
    QTest::newRow("bad picture id") << QStringLiteral("/resimgoster.ashx?id=abc") << 404 << "" << QByteArray();
    QTest::newRow("request page") << QStringLiteral("/formmailgonder.aspx?carino=0&kullanici=%20&id=WD-123") << 200
                                  << "text/html" << QByteArray("WD-123");
    QTest::newRow("payment page") << QStringLiteral("/tuvrakart.html?carino=1001&sube=MERKEZ&firmasi=DEMO%20OTO&bakiye=12.50")
                                  << 200 << "text/html" << QByteArray("DEMO OTO</td>");
    QTest::newRow("payment page escapes") << QStringLiteral("/tuvrakart.html?carino=%3Cscript%3E") << 200 << "text/html"
                                          << QByteArray("&lt;script&gt;");
    QTest::newRow("setup") << QStringLiteral("/exe/ZELVORISetup.exe") << 200 << "application/octet-stream"
                           << QByteArray("#!/bin/sh");
    QTest::newRow("address") << QStringLiteral("/ip") << 200 << "text/plain" << QByteArray("127.0.0.1");
}

void tst_AppServerFlows::webEndpoints()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(QString, contentType);
    QFETCH(QByteArray, contains);
    const ServerFixture::Page page = m_server->get(path);
    QCOMPARE(page.status, status);
    if (!contentType.isEmpty())
        QVERIFY2(page.contentType.startsWith(contentType), qPrintable(page.contentType));
    QVERIFY(page.body.contains(contains));
    if (contentType == u"image/jpeg")
        QVERIFY(!QImage::fromData(page.body, "JPEG").isNull());
    if (path == u"/ip")
        QCOMPARE(page.body, QByteArray("127.0.0.1"));
}

// Clients of different accounts add lines at the same time; each basket
// holds exactly its own lines afterwards.
void tst_AppServerFlows::concurrentBasketsStayApart()
{
    const QList<int> accounts = {1008, 1009, 1010, 1011};
    for (int carino : accounts) {
        TSonucBilgisi who = m_demo;
        who.setCARINO(carino);
        m_server->call(QStringLiteral("SepetHepsiniSil"), {ServerFixture::record(who)});
    }
    constexpr int perClient = 15;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int carino : accounts) {
        threads.emplace_back([&, carino] {
            httplib::Client client("127.0.0.1", m_server->port());
            client.set_keep_alive(true);
            TSonucBilgisi who = m_demo;
            who.setCARINO(carino);
            for (int i = 0; i < perClient; ++i) {
                const QByteArray body = wire::encodeRequest(addLine(who, 1001 + (carino % 100) * 20 + i, 1 + i));
                auto res = client.Post("/datasnap/rest/TServerMethods1/SepetEkle2", body.constData(), size_t(body.size()),
                                       "application/json");
                if (!res || res->status != 200 || res->body != "{\"result\":[1]}")
                    ++failures;
            }
        });
    }
    for (std::thread &t : threads)
        t.join();
    QCOMPARE(failures.load(), 0);
    for (int carino : accounts) {
        const TableData basket = tableOf(m_server->call(QStringLiteral("SepetVer2"), {carino}));
        QCOMPARE(basket.rowCount(), perClient);
        for (int r = 0; r < basket.rowCount(); ++r) {
            QCOMPARE(basket.intValue(r, basket.fieldIndex(u"CARINO")), qint64(carino));
            const int i = int(basket.intValue(r, basket.fieldIndex(u"STOKNO"))) - 1001 - (carino % 100) * 20;
            QVERIFY(i >= 0 && i < perClient);
            QCOMPARE(cell(basket, r, "MIKTAR"), double(1 + i));
        }
    }
}

// Two clients send the same basket at once: its lines go into one order only.
void tst_AppServerFlows::concurrentOrdersTakeLinesOnce()
{
    TSonucBilgisi who = m_demo;
    who.setCARINO(1012);
    m_server->call(QStringLiteral("SepetHepsiniSil"), {ServerFixture::record(who)});
    for (int i = 0; i < 6; ++i)
        m_server->call(QStringLiteral("SepetEkle2"), addLine(who, 1100 + i, 2));
    const TableData basket = tableOf(m_server->call(QStringLiteral("SepetVer2"), {1012}));
    for (int r = 0; r < basket.rowCount(); ++r)
        m_server->call(QStringLiteral("SepetSecimGuncelle"), {int(basket.intValue(r, basket.fieldIndex(u"SIRANO"))), 1});
    const int ordersBefore = tableOf(m_server->call(QStringLiteral("OncekiSiparisler"), {1012})).rowCount();

    std::atomic<int> accepted{0}, refused{0}, failed{0};
    std::vector<std::thread> threads;
    const QByteArray body = wire::encodeRequest(
        {ServerFixture::record(who), 1012, 1, 2, QStringLiteral("aynı anda"), who.Sirano(), 4});
    for (int c = 0; c < 4; ++c) {
        threads.emplace_back([&] {
            httplib::Client client("127.0.0.1", m_server->port());
            auto res = client.Post("/datasnap/rest/TServerMethods1/SiparisKaydet", body.constData(), size_t(body.size()),
                                   "application/json");
            if (!res || res->status != 200)
                ++failed;
            else if (res->body == "{\"result\":[true]}")
                ++accepted;
            else
                ++refused;
        });
    }
    for (std::thread &t : threads)
        t.join();
    QCOMPARE(failed.load(), 0);
    QCOMPARE(accepted.load(), 1);
    QCOMPARE(refused.load(), 3);
    const TableData orders = tableOf(m_server->call(QStringLiteral("OncekiSiparisler"), {1012}));
    QCOMPARE(orders.rowCount(), ordersBefore + 1);
    const int idno = int(orders.intValue(0, orders.fieldIndex(u"IDNO")));
    QCOMPARE(tableOf(m_server->call(QStringLiteral("SiparisAyrintisi2"), {1012, idno})).rowCount(), 6);
    QCOMPARE(tableOf(m_server->call(QStringLiteral("SepetVer2"), {1012})).rowCount(), 0);
}

QTEST_MAIN(tst_AppServerFlows)
#include "tst_appserver_flows.moc"
