// The main window's start-up job under a failing server: each step's remote
// call is broken in turn through a fault-injecting proxy in front of the
// application server. The broken step leaves its part of the window as it
// was, every other step still fills its part, the header labels are filled
// whatever happens, and what the user is told is the system's own message.
// A last case ends the program while a step's connection check is still
// retrying against a refusing server: the process must end, not hang.

#include "app/Unit1.h"
#include "core/baglantikontrol.h"
#include "core/beklesinu.h"
#include "core/dialogrecorder.h"
#include "platform/widgets/animatedpicture.h"
#include "platform/widgets/marquee.h"
#include "promotion/tanitim.h"
#include "signin/programsonu.h"
#include "tests/support/faultenv.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTcpServer>
#include <QTest>
#include <QThreadPool>

#include <csignal>
#include <cstdio>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const QString baglantiYok = u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;

// What the start-up steps leave on the window, one field per step.
struct Durum
{
    bool kayanYazi = false; // scrolling text has content
    bool ustBanner = false; // top banner strip has a picture
    int ustYukseklik = 0;
    bool altBanner = false; // bottom banner shown
    int panelYukseklik = 0;
    int acilisadet = -1;
    QString duyuruBasligi;
    QStringList sayaclar; // captions written by the counters step
};

Durum durumOku(TForm1& f)
{
    Durum d;
    auto* t = f.findChild<TTanitim*>();
    if (t) {
        d.kayanYazi = !t->kayanyazi->isEmpty();
        d.altBanner = t->RealTimeMarquee1->isVisibleTo(&f);
    }
    if (auto* ust = qobject_cast<AnimatedPicture*>(f.RxGIFAnimator2)) {
        d.ustBanner = ust->hasPicture();
        d.ustYukseklik = ust->height();
    }
    d.panelYukseklik = f.Panel5->height();
    d.acilisadet = f._acilisadet;
    d.duyuruBasligi = f.SekmeBasligiOku(Sekme::Duyurular);
    for (Sekme s : {Sekme::Sepet, Sekme::YeniStoklar, Sekme::KampanyaliStoklar, Sekme::Bakiyeler})
        d.sayaclar << f.SekmeBasligiOku(s);
    return d;
}

// The window's state with the part of one step taken from `eski` (the state
// before the job) and the rest from `yeni`.
Durum adimHaric(const Durum& yeni, const Durum& eski, const QString& yontem)
{
    Durum d = yeni;
    if (yontem == u"KayanYaziGetir") {
        d.kayanYazi = eski.kayanYazi;
    } else if (yontem == u"BannerResimVer2") {
        d.ustBanner = eski.ustBanner;
        d.ustYukseklik = eski.ustYukseklik;
    } else if (yontem == u"BannerResimVer3") {
        d.altBanner = eski.altBanner;
        d.panelYukseklik = eski.panelYukseklik;
    } else if (yontem == u"AcilisReklamAdet") {
        d.acilisadet = 0; // no count: no opening adverts
        d.duyuruBasligi = eski.duyuruBasligi;
    } else if (yontem == u"BalonGetir") {
        d.sayaclar = eski.sayaclar;
    }
    return d;
}

QString yaz(const Durum& d)
{
    return u"kayan=%1 ust=%2/%3 alt=%4/%5 adet=%6 duyuru=%7 sayaclar=%8"_s.arg(d.kayanYazi)
        .arg(d.ustBanner)
        .arg(d.ustYukseklik)
        .arg(d.altBanner)
        .arg(d.panelYukseklik)
        .arg(d.acilisadet)
        .arg(d.duyuruBasligi, d.sayaclar.join(u','));
}

// One main window on the proxy, signed in as the demo dealer.
struct Pencere
{
    explicit Pencere(FaultEnv& o)
    {
        // The environment's connection parameters: the proxy, short timeouts.
        for (const QString& ad : o.bagc.paramNames())
            f.bagc->setParam(ad, o.bagc.param(ad));
        f.sbilgi->Kopyala(o.sbilgi);
    }
    // Runs the start-up job as the window starts it and waits until its
    // completion (and the report of an error that escaped a step) has run.
    bool baslat()
    {
        bool bitti = false;
        Async([this] { f.BaslangicIsi(); }).Await(&f, [&bitti] { bitti = true; });
        return QTest::qWaitFor([&bitti] { return bitti; }, 60000);
    }
    TForm1 f;
};

} // namespace

class tst_hata_baslangic : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void adimHatalari_data();
    void adimHatalari();
    void sunucuReddediyor();
    void pencereKapanirkenIsDurur();
    void denemeSurerkenKapanis();

private:
    ProgramSonlandirici m_eskiSonlandirici;
};

void tst_hata_baslangic::initTestCase()
{
    std::signal(SIGPIPE, SIG_IGN);
    m_eskiSonlandirici = ProgramSonlandiriciAyarla([](int) {});
}

void tst_hata_baslangic::cleanupTestCase()
{
    ProgramSonlandiriciAyarla(m_eskiSonlandirici);
}

void tst_hata_baslangic::cleanup()
{
    // A job left by a case ends before the next one; its hand-offs to the
    // main thread are served meanwhile.
    QVERIFY(QTest::qWaitFor([] { return QThreadPool::globalInstance()->activeThreadCount() == 0; }, 60000));
}

void tst_hata_baslangic::adimHatalari_data()
{
    using F = FaultProxy::Fault;
    QTest::addColumn<QString>("yontem");
    QTest::addColumn<InjectedFault>("ariza");
    // The message the user gets: "" none, "hata" the error that escaped the
    // step (its own text), "sunucu" the server's own error text.
    QTest::addColumn<QString>("mesaj");

    const struct
    {
        const char* yontem;
        bool bildirir; // a failure of this step is reported (else it stays silent)
    } adimlar[] = {
        {"KayanYaziGetir", true}, {"BannerResimVer2", false}, {"BannerResimVer3", false},
        {"AcilisReklamAdet", false}, {"BalonGetir", true},
    };
    const struct
    {
        const char* ad;
        InjectedFault ariza;
        const char* hata; // what a reporting step shows
    } arizalar[] = {
        {"drop", {false, F::Drop}, "hata"},
        {"reset mid-answer", {false, F::ResetMidAnswer}, "hata"},
        {"stall", {false, F::Stall}, "hata"},
        {"slow past timeout", {false, F::Slow, 8, 150}, "hata"},
        {"slow within timeout", {false, F::Slow, 4096, 1, true}, ""},
        {"500 with error", {false, F::Status500}, "sunucu"},
        {"500 without body", {false, F::Status500Empty}, "hata"},
        {"malformed JSON", {false, F::MalformedJson}, "hata"},
    };
    for (const auto& a : adimlar) {
        for (const auto& z : arizalar)
            QTest::addRow("%s %s", a.yontem, z.ad) << QString::fromLatin1(a.yontem) << z.ariza
                                                   << (a.bildirir ? QString::fromLatin1(z.hata) : QString());
    }
    // Streams of the wrong length: the banner stays as it was, silently.
    for (const char* banner : {"BannerResimVer2", "BannerResimVer3"}) {
        QTest::addRow("%s stream short", banner) << QString::fromLatin1(banner)
                                                 << InjectedFault{false, F::StreamShort} << QString();
        QTest::addRow("%s stream long", banner) << QString::fromLatin1(banner)
                                                << InjectedFault{false, F::StreamLong} << QString();
    }
    // A counters table with a wrong row is an error of the step.
    QTest::addRow("BalonGetir table extra cell") << u"BalonGetir"_s << InjectedFault{false, F::TableExtraCell}
                                                 << u"hata"_s;
    QTest::addRow("BalonGetir table wrong type") << u"BalonGetir"_s << InjectedFault{false, F::TableWrongType}
                                                 << u"hata"_s;
}

void tst_hata_baslangic::adimHatalari()
{
    QFETCH(QString, yontem);
    QFETCH(InjectedFault, ariza);
    QFETCH(QString, mesaj);

    FaultEnv o;
    QVERIFY(o.ok());

    // The same job without a fault: what every step fills in.
    Pencere saglam(o);
    QVERIFY(saglam.baslat());
    const Durum dolu = durumOku(saglam.f);
    QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));
    // Every step has something to show, so a step that is skipped is seen.
    QVERIFY(dolu.kayanYazi);
    QVERIFY(dolu.ustBanner);
    QVERIFY(dolu.altBanner);
    QVERIFY(dolu.acilisadet > 0);

    Pencere p(o);
    const Durum once = durumOku(p.f);
    o.apply(ariza, yontem);
    QVERIFY(p.baslat());

    QCOMPARE(o.proxy.pendingRules(), 0);
    QCOMPARE(o.proxy.faultsApplied(), 1);
    const Durum sonra = durumOku(p.f);
    const Durum beklenen = ariza.succeeds ? dolu : adimHaric(dolu, once, yontem);
    QCOMPARE(yaz(sonra), yaz(beklenen));
    // The header labels need no server.
    QCOMPARE(p.f.kullanicilbl->text(), o.sbilgi.ADI());
    QCOMPARE(p.f.cariadilbl->text(), o.sbilgi.CariAdi());
    QVERIFY(p.f.isEnabled());
    QVERIFY(p.f.araedit->isEnabled());

    const QList<ShownDialog> mesajlar = o.dialogs.messages();
    if (mesaj.isEmpty()) {
        QVERIFY2(mesajlar.isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));
        return;
    }
    QCOMPARE(mesajlar.size(), 1);
    QCOMPARE(mesajlar[0].kind, mtError);
    QVERIFY(!mesajlar[0].text.trimmed().isEmpty());
    QVERIFY(mesajlar[0].text != baglantiYok); // the check succeeded; the call failed
    if (mesaj == u"sunucu")
        QVERIFY2(mesajlar[0].text.contains(FaultProxy::Rule().errorText), qPrintable(mesajlar[0].text));
}

// Nobody answers: every step's connection check shows each attempt's own
// text and then the closing message, and the window still comes up with its
// header filled and nothing else changed.
void tst_hata_baslangic::sunucuReddediyor()
{
    FaultEnv o;
    QVERIFY(o.ok());
    o.proxy.setRefusing(true);
    Pencere p(o);
    const Durum once = durumOku(p.f);
    QVERIFY(p.baslat());

    Durum beklenen = once;
    beklenen.acilisadet = 0;
    QCOMPARE(yaz(durumOku(p.f)), yaz(beklenen));
    const TSonucBilgisi& k = o.sbilgi;
    QCOMPARE(p.f.kullanicilbl->text(), k.ADI());
    QCOMPARE(p.f.saticilbl->text(),
             k.SaticiAdi() + u" Telefonu: "_s + k.SaticiTelefon() + u" email: "_s + k.SaticiMail());

    const int adimSayisi = int(p.f.BaslangicAdimlari.size());
    QVERIFY(adimSayisi >= 5);
    QStringList beklenenler;
    for (int i = 0; i < adimSayisi; ++i)
        beklenenler << FaultEnv::failureTexts(InjectedFault{true}, baglantiYok);
    QCOMPARE(o.dialogs.texts(), beklenenler);
    QCOMPARE(o.dialogs.last().kind, mtError);
    QCOMPARE(o.proxy.calls().size(), 0);
}

// The window is destroyed while a start-up step's connection check retries
// against a refusing server: the job stops (no further step, nothing
// reported), so the pool can be waited for without serving the main
// thread's events, as the application's end does.
void tst_hata_baslangic::pencereKapanirkenIsDurur()
{
    FaultEnv o;
    QVERIFY(o.ok());
    o.proxy.setRefusing(true);
    bool sonrakiAdim = false;
    {
        auto p = std::make_unique<Pencere>(o);
        TForm1& f = p->f;
        // A step that checks the connection again and again: only a stop ends it.
        f.BaslangicAdimlari.prepend([&f] {
            for (;;) {
                std::unique_ptr<datasnap::Connection> klon = f.bagc->CloneConnection();
                BaglantiKontrol(*klon, 1);
            }
        });
        f.BaslangicAdimlari.append([&sonrakiAdim] { sonrakiAdim = true; });
        f.BaslangicIsiniBaslat();
        QVERIFY(QTest::qWaitFor([&o] { return o.dialogs.messages().size() >= 30; }, 60000));
    }
    QVERIFY(QThreadPool::globalInstance()->waitForDone(60000));
    QVERIFY(!sonrakiAdim);
    // Only the check's own texts were shown; the stop itself is not reported.
    QCoreApplication::processEvents();
    for (const QString& metin : o.dialogs.texts())
        QVERIFY2(metin == u"Connection refused"_s || metin == baglantiYok, qPrintable(metin));
}

// The program is left while a start-up step's connection check retries
// against a refusing server (its boxes go through the main thread). The
// scenario runs in a child process, since it ends the application.
void tst_hata_baslangic::denemeSurerkenKapanis()
{
    QTcpServer kapali;
    QVERIFY(kapali.listen(QHostAddress::LocalHost));
    const int port = kapali.serverPort();
    kapali.close();

    QProcess cocuk;
    cocuk.setProcessChannelMode(QProcess::SeparateChannels);
    cocuk.start(QCoreApplication::applicationFilePath(), {u"--kapanis"_s, QString::number(port)});
    QVERIFY(cocuk.waitForStarted(30000));
    const bool bitti = cocuk.waitForFinished(90000);
    if (!bitti) {
        cocuk.kill();
        cocuk.waitForFinished(10000);
    }
    const QString cikti = QString::fromUtf8(cocuk.readAllStandardOutput());
    const QString hatalar = QString::fromUtf8(cocuk.readAllStandardError());
    QVERIFY2(bitti, qPrintable(u"the program did not end: "_s + cikti + hatalar.right(2000)));
    QVERIFY2(cocuk.exitStatus() == QProcess::NormalExit, qPrintable(hatalar.right(2000)));
    QCOMPARE(cocuk.exitCode(), 0);
    // The scenario really closed the window during the retries.
    QVERIFY2(cikti.contains(u"kapatildi"_s), qPrintable(cikti + hatalar.right(2000)));
}

namespace {

// The child's scenario: the main window's start-up job runs against a port
// nobody listens on; after the first boxes of the connection check the user
// closes the window with "Evet" and the program returns from main.
int kapanisSenaryosu(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int port = QString::fromLocal8Bit(argv[2]).toInt();
    DialogRecorder dialogs;
    // Short real pauses, so that the retries are still running when the
    // window closes.
    BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(20)); });
    // "Evet" in the close confirmation: the window closes and main returns.
    ProgramSonlandiriciAyarla([](int) {});

    TForm1 f;
    f.bagc->setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    f.bagc->setParam(datasnap::param::Port, QString::number(port));
    f.sbilgi->setADI(u"DEMO"_s);
    f.show();
    f.BaslangicIsiniBaslat();
    if (!QTest::qWaitFor([&dialogs] { return dialogs.messages().size() >= 2; }, 30000)) {
        std::fprintf(stdout, "no connection-check boxes\n");
        return 2;
    }
    f.close();
    const bool soruldu = dialogs.texts().contains(u"Programdan Çıkmak İstiyor musunuz ?"_s);
    std::fprintf(stdout, "%s %d\n", soruldu ? "kapatildi" : "sorulmadi", int(dialogs.messages().size()));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--kapanis") == 0)
        return kapanisSenaryosu(argc, argv);
    QApplication app(argc, argv);
    tst_hata_baslangic t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_hata_baslangic.moc"
