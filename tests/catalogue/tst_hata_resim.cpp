// The item picture (TAsyncResim) under a failing picture service, through a
// fault-injecting proxy in front of the application server: a refused,
// broken, short or error answer keeps the previous picture and says
// nothing (a picture cut off half-way is never shown); a slow or over-long
// answer still shows the new one; a picture that never comes is cut off when
// its dialog goes away.

#include "appserver/database.h"
#include "catalogue/asyncresimu.h"
#include "tests/support/faultenv.h"

#include <QImage>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

class tst_hata_resim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
    void resimGelmez_data();
    void resimGelmez();
    void yuklenirkenKapanir();

private:
    // Two stock numbers whose pictures differ.
    static bool ikiResim(FaultEnv& o, int& a, int& b);
    static QString adres(const FaultEnv& o, int stokno)
    {
        return u"http://127.0.0.1:%1/resimgoster.ashx?id=%2"_s.arg(o.proxy.port()).arg(stokno);
    }
};

bool tst_hata_resim::ikiResim(FaultEnv& o, int& a, int& b)
{
    QSqlQuery q = runSql(o.server.database().connection(),
                         u"SELECT MIN(s.stokno) FROM stok s JOIN resim r ON r.resimno = s.resimno "
                         "GROUP BY r.resimno ORDER BY r.resimno LIMIT 2"_s);
    if (!q.next())
        return false;
    a = q.value(0).toInt();
    if (!q.next())
        return false;
    b = q.value(0).toInt();
    return true;
}

void tst_hata_resim::resimGelmez_data()
{
    using F = FaultProxy::Fault;
    QTest::addColumn<InjectedFault>("fault");
    QTest::newRow("refused") << InjectedFault{true};
    // The client sends a request again once when the kept-alive connection
    // it used was dropped; the second try gets the picture.
    QTest::newRow("drop, sent again") << InjectedFault{false, F::Drop, 16, 20, true};
    QTest::newRow("reset mid-answer") << InjectedFault{false, F::ResetMidAnswer};
    QTest::newRow("500 with error") << InjectedFault{false, F::Status500};
    QTest::newRow("500 without body") << InjectedFault{false, F::Status500Empty};
    QTest::newRow("shorter than announced") << InjectedFault{false, F::StreamShort};
    QTest::newRow("longer than announced") << InjectedFault{false, F::StreamLong, 16, 20, true};
    QTest::newRow("slow small pieces") << InjectedFault{false, F::Slow, 64, 2, true};
}

void tst_hata_resim::resimGelmez()
{
    QFETCH(InjectedFault, fault);
    FaultEnv o;
    QVERIFY(o.ok());
    int a = 0, b = 0;
    QVERIFY(ikiResim(o, a, b));

    TAsyncResim resim;
    QSignalSpy bitti(&resim, &UrlPictureBox::loadFinished);
    // B's picture as a healthy answer gives it, then A's.
    resim.SetUrl(adres(o, b));
    QVERIFY(bitti.wait(30000));
    QCOMPARE(bitti.takeFirst().first().toBool(), true);
    const QImage resimB = resim.image();
    resim.SetUrl(adres(o, a));
    QVERIFY(bitti.wait(30000));
    QCOMPARE(bitti.takeFirst().first().toBool(), true);
    const QImage resimA = resim.image();
    QVERIFY(!resimA.isNull());
    QVERIFY(resimA != resimB);

    o.apply(fault, u"resimgoster"_s);
    resim.SetUrl(adres(o, b));
    QVERIFY(bitti.wait(30000));
    QCOMPARE(bitti.takeFirst().first().toBool(), fault.succeeds);
    if (!fault.refuse)
        QCOMPARE(o.proxy.faultsApplied(), 1);
    QCOMPARE(resim.image(), fault.succeeds ? resimB : resimA);
    QVERIFY(!resim.isLoading());
    QVERIFY2(o.dialogs.shown().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));

    // Healthy again: the next address shows its picture.
    o.heal();
    resim.SetUrl(adres(o, fault.succeeds ? a : b) + u"&tekrar=1"_s);
    QVERIFY(bitti.wait(30000));
    QCOMPARE(bitti.takeFirst().first().toBool(), true);
    QCOMPARE(resim.image(), fault.succeeds ? resimA : resimB);
}

// The picture service never answers (the control has no timeout of its own);
// closing the dialog cuts the download off without an error.
void tst_hata_resim::yuklenirkenKapanir()
{
    FaultEnv o;
    QVERIFY(o.ok());
    int a = 0, b = 0;
    QVERIFY(ikiResim(o, a, b));
    o.apply(InjectedFault{false, FaultProxy::Fault::Stall}, u"resimgoster"_s);
    {
        auto resim = std::make_unique<TAsyncResim>();
        resim->SetUrl(adres(o, a));
        QVERIFY(o.proxy.waitForCalls(u"resimgoster"_s, 1, 30000));
        QVERIFY(resim->isLoading());
    }
    // The proxy sees the client go away, so the stalled answer ends.
    QVERIFY(QTest::qWaitFor([&o] { return o.proxy.waitForNoStall(50); }, 30000));
    QVERIFY(o.dialogs.shown().isEmpty());
}

QTEST_MAIN(tst_hata_resim)
#include "tst_hata_resim.moc"
