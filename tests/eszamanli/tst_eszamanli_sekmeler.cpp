// The main window while tab loads run: a load is held at the proxy in front
// of the in-process server, the user leaves its tab and comes back several
// times, or closes the window, and only then the answer arrives. The tab
// must end with the server's rows, usable, without a message; a closed
// window must take the late answer quietly.
#include "app/Unit1.h"
#include "appserver/database.h"
#include "core/baglantikontrol.h"
#include "core/dialogrecorder.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "tests/appserver/serverfixture.h"
#include "tests/support/faultproxy.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QThreadPool>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int kBekleme = 30000;

struct Pencere
{
    ServerFixture sunucu{300};
    FaultProxy vekil{sunucu.port()};
    DialogRecorder dialoglar;
    std::unique_ptr<TForm1> f = std::make_unique<TForm1>();

    Pencere()
    {
        f->bagc->setParam(datasnap::param::HostName, u"127.0.0.1"_s);
        f->bagc->setParam(datasnap::param::Port, QString::number(vekil.port()));
        f->sbilgi->Kopyala(sunucu.signIn(u"DEMO-PC"_s));
    }

    // Holds the next answer of `metot` at the proxy until serbest().
    void tut(const QString& metot)
    {
        FaultProxy::Rule r;
        r.match = u"/"_s + metot;
        r.fault = FaultProxy::Fault::Stall;
        r.reachUpstream = true;
        vekil.inject(r);
    }
    void serbest() { vekil.releaseStalls(); }
};

bool havuzBos() { return QThreadPool::globalInstance()->activeThreadCount() == 0; }

// How a row starts its load, and where its rows land.
struct Yukleme
{
    Sekme sekme;
    QString metot;
};

MemTable& tablosu(TForm1& f, Sekme s)
{
    switch (s) {
    case Sekme::StokListesi: return *f.stok;
    case Sekme::Sepet: return *f.sepet;
    case Sekme::OncekiSiparisler: return *f.ONCEKILER;
    default: return *f.EKSTRE;
    }
}

void baslat(Pencere& p, Sekme s)
{
    if (s == Sekme::StokListesi) {
        p.f->araedit->setText(u"FREN"_s);
        p.f->AramaBaslat();
    } else {
        p.f->SekmeyiEtkinlestir(s);
    }
}

// What the server answers now for the row's load.
int sunucudakiSatirlar(Pencere& p, Sekme s, const QString& metot)
{
    const int carino = p.f->sbilgi->CARINO();
    const ServerFixture::Reply r = s == Sekme::StokListesi
        ? p.sunucu.call(metot, {u"FREN"_s, ServerFixture::record(*p.f->sbilgi)})
        : p.sunucu.call(metot, {carino});
    if (r.status != 200 || r.results.isEmpty() || r.results.first().kind() != wire::Value::Kind::Table)
        return -1;
    return r.results.first().tableValue().rowCount();
}

} // namespace

class tst_EszamanliSekmeler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {}); }
    // Work a case left behind ends before the next; events run meanwhile,
    // since a job may wait for the main thread.
    void cleanup() { QVERIFY(QTest::qWaitFor(havuzBos, kBekleme)); }

    void sekmeGidipGelme_data();
    void sekmeGidipGelme();
    void pencereKapanirken_data() { sekmeGidipGelme_data(); }
    void pencereKapanirken();
    void sepetYenilemesiEskiYuklemeyeYenilmez();
};

void tst_EszamanliSekmeler::sekmeGidipGelme_data()
{
    QTest::addColumn<int>("sekme");
    QTest::addColumn<QString>("metot");
    QTest::newRow("stok arama") << int(Sekme::StokListesi) << u"StokAraGetirZelvori"_s;
    QTest::newRow("sepet") << int(Sekme::Sepet) << u"SepetVer2"_s;
    QTest::newRow("cari ekstre") << int(Sekme::CariEkstre) << u"CariEkstreVer"_s;
    QTest::newRow("onceki siparisler") << int(Sekme::OncekiSiparisler) << u"OncekiSiparisler"_s;
}

void tst_EszamanliSekmeler::sekmeGidipGelme()
{
    QFETCH(int, sekme);
    QFETCH(QString, metot);
    const Sekme s = static_cast<Sekme>(sekme);
    Pencere p;
    QVERIFY(p.vekil.ok());
    const int beklenen = sunucudakiSatirlar(p, s, metot);
    QVERIFY(beklenen > 0);
    QWidget* icerik = p.f->SekmeIcerigi(s);
    QVERIFY(icerik);
    // Loads of a list tab tell when they run; the stock search disables its box.
    std::unique_ptr<QSignalSpy> yukleniyor;
    if (icerik->metaObject()->indexOfSignal("Yukleniyor(bool)") >= 0)
        yukleniyor = std::make_unique<QSignalSpy>(icerik, SIGNAL(Yukleniyor(bool)));
    auto suruyor = [&] {
        int acik = 0;
        for (int i = 0; yukleniyor && i < yukleniyor->size(); ++i)
            acik += yukleniyor->at(i).first().toBool() ? 1 : -1;
        return acik > 0 || !p.f->araedit->isEnabled();
    };

    // Another tab first, so that the row's tab is entered.
    p.f->SekmeyiEtkinlestir(s == Sekme::Duyurular ? Sekme::StokListesi : Sekme::Duyurular);
    p.tut(metot);
    baslat(p, s);
    QVERIFY(p.vekil.waitForCalls(metot, 1, kBekleme));
    // Leaving and coming back while the answer is held, again and again.
    const Sekme baska[] = {Sekme::StokListesi, Sekme::Sepet, Sekme::CariEkstre, Sekme::OncekiSiparisler,
                           Sekme::Duyurular};
    for (int tur = 0; tur < 3; ++tur) {
        for (Sekme b : baska) {
            if (b == s)
                continue;
            p.f->SekmeyiEtkinlestir(b);
            QCoreApplication::processEvents();
            p.f->SekmeyiEtkinlestir(s);
            QCoreApplication::processEvents();
        }
        if (s == Sekme::StokListesi)
            p.f->AramaBaslat();  // "Ara" again while the search runs
    }
    p.serbest();
    QVERIFY(QTest::qWaitFor([&] { return havuzBos() && !suruyor(); }, kBekleme));

    // The tab holds the server's rows and works; nothing was said.
    MemTable& tablo = tablosu(*p.f, s);
    QCOMPARE(tablo.RecordCount(), beklenen);
    for (DataGrid* g : icerik->findChildren<DataGrid*>())
        QVERIFY(g->isEnabled() && g->isAttached());
    QVERIFY(p.f->araedit->isEnabled());
    QCOMPARE(p.dialoglar.shown().size(), 0);
    if (s == Sekme::StokListesi || s == Sekme::Sepet)
        QVERIFY2(p.f->SekmeBasligiOku(s).startsWith(QString::number(beklenen) + u"="_s),
                 qPrintable(p.f->SekmeBasligiOku(s)));
    // At most one more load served the showings that came during the first.
    QVERIFY2(p.vekil.callCount(metot) <= 2, qPrintable(QString::number(p.vekil.callCount(metot))));
    QCOMPARE(p.f->sPageControl1->currentWidget(), p.f->SekmeSayfasi(s));
}

void tst_EszamanliSekmeler::pencereKapanirken()
{
    QFETCH(int, sekme);
    QFETCH(QString, metot);
    const Sekme s = static_cast<Sekme>(sekme);
    Pencere p;
    QVERIFY(p.vekil.ok());
    p.f->SekmeyiEtkinlestir(Sekme::Duyurular);
    p.tut(metot);
    baslat(p, s);
    QVERIFY(p.vekil.waitForCalls(metot, 1, kBekleme));
    p.f.reset();
    p.serbest();
    QVERIFY(QTest::qWaitFor(havuzBos, kBekleme));
    // The late answer reached nobody: no message, no crash.
    QCoreApplication::processEvents();
    QCOMPARE(p.dialoglar.shown().size(), 0);
}

// A held showing's load must not overwrite a later reload of the basket
// (an item added from the stock list) with the older rows.
void tst_EszamanliSekmeler::sepetYenilemesiEskiYuklemeyeYenilmez()
{
    Pencere p;
    QVERIFY(p.vekil.ok());
    const int carino = p.f->sbilgi->CARINO();
    const int once = sunucudakiSatirlar(p, Sekme::Sepet, u"SepetVer2"_s);
    QVERIFY(once >= 0);
    QWidget* icerik = p.f->SekmeIcerigi(Sekme::Sepet);
    QSignalSpy bitti(icerik, SIGNAL(YuklemeBitti(bool)));
    p.f->SekmeyiEtkinlestir(Sekme::Duyurular);
    p.tut(u"SepetVer2"_s);
    p.f->SekmeyiEtkinlestir(Sekme::Sepet);
    QVERIFY(p.vekil.waitForCalls(u"SepetVer2"_s, 1, kBekleme));

    // Meanwhile an item goes into the basket and the basket is reloaded.
    p.f->SekmeyiEtkinlestir(Sekme::StokListesi);
    const int stokno = scalarSql(p.sunucu.database().connection(),
                                 u"SELECT MIN(stokno) FROM stok WHERE stokno NOT IN "
                                 u"(SELECT stokno FROM sepet WHERE carino = ?)"_s,
                                 {carino})
                           .toInt();
    QVERIFY(stokno > 0);
    const ServerFixture::Reply r = p.sunucu.call(
        u"SepetEkle2"_s, {ServerFixture::record(*p.f->sbilgi), carino, stokno, u"KOD"_s, u"AD"_s, 3.0, 20.0, 50.0, 0.0,
                          p.f->sbilgi->Sirano(), 0, 0.0, 0.0, 0.0});
    QCOMPARE(r.results.value(0).intValue(), 1);
    p.f->SepetYenile();
    QCOMPARE(p.f->sepet->RecordCount(), once + 1);

    p.serbest();
    QVERIFY(bitti.wait(kBekleme));
    QVERIFY(QTest::qWaitFor(havuzBos, kBekleme));
    QCoreApplication::processEvents();
    QCOMPARE(p.f->sepet->RecordCount(), once + 1);
    QCOMPARE(p.f->SekmeBasligiOku(Sekme::Sepet), QString::number(once + 1) + u"=Sepet"_s);
    QCOMPARE(p.dialoglar.shown().size(), 0);
}

QTEST_MAIN(tst_EszamanliSekmeler)
#include "tst_eszamanli_sekmeler.moc"
