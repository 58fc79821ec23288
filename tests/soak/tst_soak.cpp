// A short soak against the in-process application server: four client
// threads on two dealer accounts make a fixed number of steps each; the
// database must then hold exactly what their book says. The check itself is
// shown to catch each kind of damage: every row changes the database inside
// a transaction, expects the check to name the fault, and rolls it back.
#include "../appserver/serverfixture.h"
#include "soakdriver.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <numeric>

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void runAddsUp();
    void checkFindsDamage_data();
    void checkFindsDamage();

private:
    std::unique_ptr<ServerFixture> m_server;
    std::unique_ptr<soak::Run> m_run;
    int m_orderLine = 0;   // a line of an order of the run (stokhar_no)
    int m_basketLine = 0;  // a basket line the book knows (sirano)
};

void TestSoak::initTestCase()
{
    m_server = std::make_unique<ServerFixture>(300);
    QVERIFY(m_server->ok());
    soak::Options o;
    o.port = m_server->port();
    o.threads = 4;
    o.steps = 150;
    o.accounts = {1001, 1002};
    m_run = std::make_unique<soak::Run>(o);
    QVERIFY2(m_run->execute(), qPrintable(m_run->figures().firstErrors.join(u'\n')));
}

void TestSoak::runAddsUp()
{
    const soak::Figures &f = m_run->figures();
    QVERIFY2(f.errors == 0, qPrintable(f.firstErrors.join(u'\n')));
    QCOMPARE(f.requests, std::accumulate(f.perMethod.begin(), f.perMethod.end(), qint64(0),
                                         [](qint64 sum, const auto &m) { return sum + m.second; }));
    int orders = 0;
    for (const soak::AccountBook &b : m_run->books()) {
        orders += int(b.orders.size());
        if (!b.basket.empty())
            m_basketLine = b.basket.begin()->first;
        for (const soak::Order &o : b.orders)
            QVERIFY2(!o.lines.empty() && o.idno > 0, qPrintable(o.note));
    }
    QVERIFY2(orders > 0, "the run sent no order");
    const QStringList problems = soak::verify(m_server->database().connection(), m_run->books());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));

    QSqlQuery q(m_server->database().connection());
    QVERIFY(q.exec(QStringLiteral("SELECT MIN(ss.stokhar_no) FROM siparis_satir ss JOIN siparis o ON o.idno = ss.idno "
                                  "WHERE o.aciklama LIKE 'soak %'")));
    QVERIFY(q.next());
    m_orderLine = q.value(0).toInt();
    QVERIFY(m_orderLine > 0);
    QVERIFY2(m_basketLine > 0, "both baskets ended empty");
}

void TestSoak::checkFindsDamage_data()
{
    QTest::addColumn<QString>("damage");  // {satir}: an order line, {sepet}: a basket line
    QTest::addColumn<QString>("named");   // a word of the problem the check must report

    const QString copyLine = QStringLiteral(
        "INSERT INTO siparis_satir (idno, sepetsirano, stokno, miktar, teslimedilen, kalan, birimfiyat, ilkfiyat, ind1, "
        "ind2, ind3, ind4, kdv, kampanya) SELECT idno, sepetsirano, stokno, miktar, teslimedilen, kalan, birimfiyat, "
        "ilkfiyat, ind1, ind2, ind3, ind4, kdv, kampanya FROM siparis_satir WHERE stokhar_no = {satir}");
    QTest::newRow("order line doubled") << copyLine << "ordered twice";
    QTest::newRow("order line lost") << QStringLiteral("DELETE FROM siparis_satir WHERE stokhar_no = {satir}") << "lost";
    QTest::newRow("order line quantity")
        << QStringLiteral("UPDATE siparis_satir SET miktar = miktar + 1 WHERE stokhar_no = {satir}") << "holds item";
    QTest::newRow("order line item")
        << QStringLiteral("UPDATE siparis_satir SET stokno = stokno + 1 WHERE stokhar_no = {satir}") << "holds item";
    QTest::newRow("outstanding grew")
        << QStringLiteral("UPDATE siparis_satir SET kalan = kalan + 1 WHERE stokhar_no = {satir}") << "outstanding";
    QTest::newRow("order line delivered")
        << QStringLiteral("UPDATE siparis_satir SET teslimedilen = 1 WHERE stokhar_no = {satir}") << "outstanding";
    QTest::newRow("order sent twice")
        << QStringLiteral("INSERT INTO siparis (carino, tarih, verenid, teslimid, kargoturid, kargofirmaid, durum, aciklama) "
                          "SELECT o.carino, o.tarih, o.verenid, o.teslimid, o.kargoturid, o.kargofirmaid, o.durum, o.aciklama "
                          "FROM siparis o JOIN siparis_satir ss ON ss.idno = o.idno WHERE ss.stokhar_no = {satir}")
        << "2 times";
    QTest::newRow("order never sent")
        << QStringLiteral("INSERT INTO siparis (carino, tarih, verenid, teslimid, kargoturid, kargofirmaid, durum, aciklama) "
                          "SELECT carino, tarih, verenid, teslimid, kargoturid, kargofirmaid, durum, 'soak 0 0 0' "
                          "FROM siparis o JOIN siparis_satir ss ON ss.idno = o.idno WHERE ss.stokhar_no = {satir}")
        << "never sent";
    QTest::newRow("basket line lost") << QStringLiteral("DELETE FROM sepet WHERE sirano = {sepet}") << "lost";
    QTest::newRow("basket line quantity")
        << QStringLiteral("UPDATE sepet SET miktar = miktar + 1 WHERE sirano = {sepet}") << "holds item";
    QTest::newRow("basket line mark")
        << QStringLiteral("UPDATE sepet SET sec = 1 - sec WHERE sirano = {sepet}") << "holds item";
    QTest::newRow("basket line doubled")
        << QStringLiteral("INSERT INTO sepet (carino, stokno, miktar, birimfiyat, ind1, ind2, ind3, ind4, kdv, kampanya, sec, "
                          "verenid, tarih) SELECT carino, stokno, miktar, birimfiyat, ind1, ind2, ind3, ind4, kdv, kampanya, "
                          "sec, verenid, tarih FROM sepet WHERE sirano = {sepet}")
        << "two basket lines";
}

void TestSoak::checkFindsDamage()
{
    QFETCH(QString, damage);
    QFETCH(QString, named);
    QVERIFY(m_orderLine > 0 && m_basketLine > 0);
    QSqlDatabase db = m_server->database().connection();
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("BEGIN")));
    const bool changed = q.exec(QString(damage).replace(QStringLiteral("{satir}"), QString::number(m_orderLine))
                                    .replace(QStringLiteral("{sepet}"), QString::number(m_basketLine))) && q.numRowsAffected() == 1;
    const QString error = q.lastError().text();
    const QStringList problems = soak::verify(db, m_run->books());
    QVERIFY(q.exec(QStringLiteral("ROLLBACK")));
    QVERIFY2(changed, qPrintable(error));
    QVERIFY2(problems.join(u'\n').contains(named), qPrintable(problems.join(u'\n')));
    QVERIFY(soak::verify(db, m_run->books()).isEmpty());
}

QTEST_GUILESS_MAIN(TestSoak)
#include "tst_soak.moc"
