// Windows closed while their background load runs: the answer is held at the
// proxy in front of the in-process server, the window is destroyed, then the
// answer arrives. The late result must reach nobody: no message, no crash,
// no touch of the gone window (the sanitizer builds run this too).
#include "core/baglantikontrol.h"
#include "core/dialogrecorder.h"
#include "promotion/acilisreklamu.h"
#include "promotion/duyurularu.h"
#include "salesrep/seccariu.h"
#include "tests/appserver/serverfixture.h"
#include "tests/support/faultproxy.h"

#include <QTest>
#include <QThreadPool>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int kBekleme = 30000;

bool havuzBos() { return QThreadPool::globalInstance()->activeThreadCount() == 0; }

struct Ortam
{
    ServerFixture sunucu{60};
    FaultProxy vekil{sunucu.port()};
    DialogRecorder dialoglar;
    datasnap::Connection bagc;
    TSonucBilgisi sbilgi;

    Ortam()
    {
        bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
        bagc.setParam(datasnap::param::Port, QString::number(vekil.port()));
        sbilgi = sunucu.signIn(u"TEMSILCI2-PC"_s);
    }
};

// Creates the window and starts its load; returns the window to destroy.
using Acici = std::function<QObject*(Ortam&)>;

} // namespace

Q_DECLARE_METATYPE(Acici)

class tst_EszamanliPencereler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {}); }
    void cleanup() { QVERIFY(QTest::qWaitFor(havuzBos, kBekleme)); }

    void yuklemeSurerkenKapanir_data();
    void yuklemeSurerkenKapanir();
};

void tst_EszamanliPencereler::yuklemeSurerkenKapanir_data()
{
    QTest::addColumn<QString>("metot");
    QTest::addColumn<Acici>("ac");
    QTest::newRow("cari secimi: cari listesi") << u"CariAra"_s << Acici([](Ortam& o) -> QObject* {
        auto* w = new Tseccari(nullptr, o.bagc, o.sbilgi);
        w->CariListele();
        return w;
    });
    QTest::newRow("cari secimi: durum listesi") << u"CariSepetVer"_s << Acici([](Ortam& o) -> QObject* {
        auto* w = new Tseccari(nullptr, o.bagc, o.sbilgi);
        w->DurumListele(1);
        return w;
    });
    QTest::newRow("acilis reklami") << u"AcilisREklamVer"_s << Acici([](Ortam& o) -> QObject* {
        return new Tacilisreklam(nullptr, o.bagc, o.sbilgi);
    });
    QTest::newRow("duyurular") << u"AcilisEkranlarVer2"_s << Acici([](Ortam& o) -> QObject* {
        auto* w = new TDuyurular(o.bagc);
        w->Gosterildi();
        return w;
    });
}

void tst_EszamanliPencereler::yuklemeSurerkenKapanir()
{
    QFETCH(QString, metot);
    QFETCH(Acici, ac);
    Ortam o;
    QVERIFY(o.vekil.ok());
    QVERIFY(o.sbilgi.Varmi());
    FaultProxy::Rule r;
    r.match = u"/"_s + metot;
    r.fault = FaultProxy::Fault::Stall;
    r.reachUpstream = true;
    o.vekil.inject(r);

    QObject* pencere = ac(o);
    QVERIFY(o.vekil.waitForCalls(metot, 1, kBekleme));
    delete pencere;
    o.vekil.releaseStalls();
    QVERIFY(o.vekil.waitForNoStall(kBekleme));
    QVERIFY(QTest::qWaitFor(havuzBos, kBekleme));
    QCoreApplication::processEvents();
    QCOMPARE(o.dialoglar.shown().size(), 0);
    QCOMPARE(o.vekil.faultsApplied(), 1);
}

QTEST_MAIN(tst_EszamanliPencereler)
#include "tst_eszamanli_pencereler.moc"
