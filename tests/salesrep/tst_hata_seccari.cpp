// The customer selection under a failing network, through a fault-injecting
// proxy in front of the application server: a counter or a list that cannot
// be loaded keeps what it showed, the user gets the server's own text for a
// server error and the connection message otherwise, the window is usable
// again (the list enabled, the search text kept), and nothing is chosen.

#include "core/dialogrecorder.h"
#include "platform/grid/datagrid.h"
#include "salesrep/seccariu.h"
#include "signin/programsonu.h"
#include "tests/support/faultenv.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>
#include <QToolButton>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// The message of a failed call of `yontem` under `fault`.
QString hataMetni(const InjectedFault& fault, const QString& yontem)
{
    if (!fault.refuse && fault.fault == FaultProxy::Fault::Status500)
        return FaultProxy::Rule().errorText;
    if (!fault.refuse && fault.fault == FaultProxy::Fault::Status500Empty)
        return u"HTTP 500 from the server for "_s + yontem;
    return BaglantiHataMetni();
}

QStringList sayaclar(const Tseccari& p)
{
    QStringList s;
    for (const QToolButton* b : {p.sepettus, p.alinditus, p.onaylanditus, p.goruldutus, p.parcalihazirlandi,
                                 p.hazirlanditus, p.sevktus})
        s << b->text();
    return s;
}

// Runs a list load and waits for its end; the load's outcome, or nothing
// when it did not end.
std::optional<bool> yukle(Tseccari& p, const std::function<void()>& baslat)
{
    QSignalSpy bitti(&p, &Tseccari::ListeYuklendi);
    baslat();
    if (!bitti.wait(60000))
        return std::nullopt;
    return bitti.first().first().toBool();
}

} // namespace

class tst_hata_seccari : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::signal(SIGPIPE, SIG_IGN);
        m_eskiSonlandirici = ProgramSonlandiriciAyarla([this](int kod) { m_bitisler.append(kod); });
    }
    void cleanupTestCase() { ProgramSonlandiriciAyarla(m_eskiSonlandirici); }
    void cleanup()
    {
        QVERIFY(QTest::qWaitFor([] { return QThreadPool::globalInstance()->activeThreadCount() == 0; }, 60000));
        QCOMPARE(m_bitisler, QList<int>{});
    }

    // Counters read before the window shows, on the main connection.
    void sepetSayisi_data() { addFaultRows(false); }
    void sepetSayisi() { sayacDene(u"SepetSayisi"_s, [](Tseccari& p) { p.SepetSayisiYaz(); }); }
    void tusSonuclari_data() { addFaultRows(false); }
    void tusSonuclari() { sayacDene(u"TusSonuclariVer"_s, [](Tseccari& p) { p.TusSonuclari(); }); }
    // Lists loaded in the background on a clone.
    void cariAra_data() { addFaultRows(true); }
    void cariAra() { listeDene(u"CariAra"_s, [](Tseccari& p) { p.CariListele(); }); }
    void durumListesi_data() { addFaultRows(true); }
    void durumListesi() { listeDene(u"CariSepetVer"_s, [](Tseccari& p) { p.DurumListele(1); }); }

private:
    void sayacDene(const QString& yontem, const std::function<void(Tseccari&)>& oku);
    void listeDene(const QString& yontem, const std::function<void(Tseccari&)>& listele);

    QList<int> m_bitisler;
    ProgramSonlandirici m_eskiSonlandirici;
};

void tst_hata_seccari::sayacDene(const QString& yontem, const std::function<void(Tseccari&)>& oku)
{
    QFETCH(InjectedFault, fault);
    FaultEnv o;
    QVERIFY(o.ok());
    TSonucBilgisi bilgim = o.server.signIn(u"TEMSILCI2-PC"_s);
    QVERIFY(bilgim.MusteriTipi() == 2);
    Tseccari p(nullptr, o.bagc, bilgim);
    p.SepetSayisiYaz();
    p.TusSonuclari();
    const QStringList once = sayaclar(p);
    QVERIFY(once.mid(1) != QStringList(6, QString())); // the order counters were written
    QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));

    o.apply(fault, yontem);
    oku(p);
    if (!fault.refuse)
        QCOMPARE(o.proxy.faultsApplied(), 1);
    QCOMPARE(sayaclar(p), once);
    if (fault.succeeds) {
        QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));
    } else {
        // The counters open the connection themselves, without the check's retries.
        QCOMPARE(o.dialogs.texts(), QStringList{hataMetni(fault, yontem)});
        QCOMPARE(o.dialogs.last().kind, mtError);
    }
    QVERIFY(!o.bagc.Connected());
    QCOMPARE(bilgim.CARINO(), o.server.signIn(u"TEMSILCI2-PC"_s).CARINO());
}

void tst_hata_seccari::listeDene(const QString& yontem, const std::function<void(Tseccari&)>& listele)
{
    QFETCH(InjectedFault, fault);
    FaultEnv o;
    QVERIFY(o.ok());
    TSonucBilgisi bilgim = o.server.signIn(u"TEMSILCI2-PC"_s);
    const TSonucBilgisi girisKaydi = bilgim;
    Tseccari p(nullptr, o.bagc, bilgim);
    p.show();
    QTest::keyClicks(p.NEdit1, u"A"_s);
    QCOMPARE(yukle(p, [&] { listele(p); }), std::optional<bool>(true));
    const int satirlar = p.CARILER.RecordCount();
    QVERIFY(satirlar > 0);
    QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));

    o.apply(fault, yontem);
    const std::optional<bool> sonuc = yukle(p, [&] { listele(p); });
    QVERIFY(sonuc.has_value());
    QCOMPARE(*sonuc, fault.succeeds);
    if (!fault.refuse)
        QCOMPARE(o.proxy.faultsApplied(), 1);
    // The list keeps its rows and is usable again; the search text stays.
    QCOMPARE(p.CARILER.RecordCount(), satirlar);
    QVERIFY(p.cxGrid1->isEnabled());
    QCOMPARE(p.cxGrid1->rowCount(), satirlar);
    QVERIFY(!p.Yukleniyor());
    QCOMPARE(p.NEdit1->text(), u"A"_s);
    if (fault.succeeds) {
        QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));
    } else {
        QCOMPARE(o.dialogs.texts(), QStringList{hataMetni(fault, yontem)});
        QCOMPARE(o.dialogs.last().kind, mtError);
    }
    // Nothing was chosen by the failure.
    QCOMPARE(bilgim.CARINO(), girisKaydi.CARINO());
    QCOMPARE(bilgim.CariAdi(), girisKaydi.CariAdi());
    QCOMPARE(p.result(), 0);

    // The server healthy again: the same list loads.
    o.heal();
    o.dialogs.clear();
    QCOMPARE(yukle(p, [&] { listele(p); }), std::optional<bool>(true));
    QCOMPARE(p.CARILER.RecordCount(), satirlar);
}

QTEST_MAIN(tst_hata_seccari)
#include "tst_hata_seccari.moc"
