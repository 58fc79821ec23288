// The sign-in and the update download under a failing network, through a
// fault-injecting proxy in front of the application server: a failed fetch
// of the computer's record says "Bağlantı Kurulamadı !" and re-arms the
// window with what the user typed, and the next attempt signs in; a failing
// address lookup is retried until it answers; a failed or incomplete setup
// download is reported, leaves no setup file and starts nothing.

#include "core/ayarini.h"
#include "core/dialogrecorder.h"
#include "signin/disipbul.h"
#include "signin/dosyaindiru.h"
#include "signin/girisformu.h"
#include "signin/kurulumindirici.h"
#include "signin/programsonu.h"
#include "tests/support/faultenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

const QString baglanamadi = u"Bağlantı Kurulamadı !"_s;

QString kok(int port)
{
    return u"http://127.0.0.1:%1"_s.arg(port);
}

QByteArray dosyaIcerigi(const QString& yol)
{
    QFile f(yol);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_hata_giris : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void kayitAlinamaz_data();
    void kayitAlinamaz();
    void adresSorgusuTekrarlanir_data();
    void adresSorgusuTekrarlanir();
    void guncellemeIndirilemez_data();
    void guncellemeIndirilemez();

private:
    // The endpoint settings: server methods and downloads through the proxy,
    // the address lookup through it too or straight to the server.
    void ortam(const FaultEnv& o, bool adresProxyden);
    // A sign-in window on the environment's connection, as this computer
    // "DEMO-PC".
    std::unique_ptr<Tgirisform> pencere(FaultEnv& o, TSonucBilgisi& bilgi);
    // Types the credentials, presses Enter in the password and waits until
    // the attempt has been evaluated.
    bool dene(Tgirisform& f, const QString& ad, const QString& sifre);

    QTemporaryDir m_klasor;
    QList<int> m_bitisler;
    ProgramSonlandirici m_eskiSonlandirici;
};

void tst_hata_giris::initTestCase()
{
    std::signal(SIGPIPE, SIG_IGN);
    QVERIFY(m_klasor.isValid());
    qputenv("XDG_CONFIG_HOME", m_klasor.filePath(u"config"_s).toUtf8());
    qputenv("XDG_DATA_HOME", m_klasor.filePath(u"data"_s).toUtf8());
    disip::TekrarBeklemesiAyarla(std::chrono::milliseconds(0));
    // A stalled setup download fails after this instead of a minute.
    KurulumZamanAsimiAyarla(std::chrono::milliseconds(kFaultCallTimeoutMs));
}

void tst_hata_giris::init()
{
    QFile::remove(AyarDosyasiYolu());
    m_bitisler.clear();
    m_eskiSonlandirici = ProgramSonlandiriciAyarla([this](int kod) { m_bitisler.append(kod); });
    Tgirisform::CariSecimiAyarla({});
}

void tst_hata_giris::cleanup()
{
    ProgramSonlandiriciAyarla(m_eskiSonlandirici);
    QVERIFY(QTest::qWaitFor([] { return QThreadPool::globalInstance()->activeThreadCount() == 0; }, 60000));
}

void tst_hata_giris::ortam(const FaultEnv& o, bool adresProxyden)
{
    const int p = o.proxy.port();
    qputenv("ZELVORI_SUNUCU", u"127.0.0.1:%1"_s.arg(p).toUtf8());
    qputenv("ZELVORI_WEB", kok(p).toUtf8());
    qputenv("ZELVORI_INDIRME", kok(p).toUtf8());
    qputenv("ZELVORI_IPSERVIS", (kok(adresProxyden ? p : o.server.port()) + u"/ip"_s).toUtf8());
}

std::unique_ptr<Tgirisform> tst_hata_giris::pencere(FaultEnv& o, TSonucBilgisi& bilgi)
{
    auto f = std::make_unique<Tgirisform>(nullptr);
    f->idsi = u"DEMO-PC"_s;
    f->bagim = &o.bagc;
    f->Bilgim = &bilgi;
    f->show();
    return f;
}

bool tst_hata_giris::dene(Tgirisform& f, const QString& ad, const QString& sifre)
{
    f.adi->clear();
    f.sifre->clear();
    QTest::keyClicks(f.adi, ad);
    QTest::keyClicks(f.sifre, sifre);
    QSignalSpy denendi(&f, &Tgirisform::girisDenendi);
    QTest::keyClick(f.sifre, Qt::Key_Return);
    return denendi.wait(60000);
}

void tst_hata_giris::kayitAlinamaz_data()
{
    addFaultRows(false);
}

// The fetch of this computer's record fails: the user is told, the window is
// usable again with the typed name and password, and the next attempt (the
// server healthy again) signs in.
void tst_hata_giris::kayitAlinamaz()
{
    QFETCH(InjectedFault, fault);
    FaultEnv o;
    QVERIFY(o.ok());
    ortam(o, false);
    TSonucBilgisi bilgi;
    std::unique_ptr<Tgirisform> f = pencere(o, bilgi);

    o.apply(fault, u"BuyukGetir"_s);
    QVERIFY(dene(*f, u"DEMO"_s, u"1234"_s));
    if (!fault.refuse)
        QCOMPARE(o.proxy.faultsApplied(), 1);

    if (!fault.succeeds) {
        QCOMPARE(o.dialogs.texts(), FaultEnv::failureTexts(fault, baglanamadi));
        QCOMPARE(o.dialogs.last().kind, mtError);
        QCOMPARE(f->result(), 0);
        QVERIFY(f->isVisible());
        QVERIFY(f->Button1->isEnabled());
        QCOMPARE(f->Button1->text(), u"Giriş!"_s);
        QVERIFY(!f->RxGIFAnimator1->isVisible());
        QCOMPARE(f->focusWidget(), f->adi);
        // Nothing the user typed is lost.
        QCOMPARE(f->adi->text(), u"DEMO"_s);
        QCOMPARE(f->sifre->text(), u"1234"_s);
        QCOMPARE(m_bitisler, QList<int>{});
        QVERIFY(!QFile::exists(AyarDosyasiYolu()));

        o.heal();
        o.dialogs.clear();
        QSignalSpy denendi(f.get(), &Tgirisform::girisDenendi);
        f->Button1->click();
        QVERIFY(denendi.wait(60000));
    }
    QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(m_bitisler, QList<int>{});
    QCOMPARE(bilgi.ADI(), o.sbilgi.ADI());
    QCOMPARE(bilgi.CARINO(), o.sbilgi.CARINO());
    QCOMPARE(bilgi.Disip(), u"127.0.0.1"_s);
}

void tst_hata_giris::adresSorgusuTekrarlanir_data()
{
    using F = FaultProxy::Fault;
    QTest::addColumn<InjectedFault>("fault");
    QTest::addColumn<int>("kez"); // lookups the fault applies to
    QTest::newRow("drop") << InjectedFault{false, F::Drop} << 2;
    QTest::newRow("reset mid-answer") << InjectedFault{false, F::ResetMidAnswer} << 1;
    QTest::newRow("stall past the read time-out") << InjectedFault{false, F::Stall} << 1;
    QTest::newRow("500 with error") << InjectedFault{false, F::Status500} << 2;
    QTest::newRow("500 without body") << InjectedFault{false, F::Status500Empty} << 1;
    QTest::newRow("body shorter than announced") << InjectedFault{false, F::StreamShort} << 1;
    QTest::newRow("slow small pieces") << InjectedFault{false, F::Slow, 1, 5, true} << 1;
}

// A failing address lookup is tried again until the service answers; its
// failures never become the external address.
void tst_hata_giris::adresSorgusuTekrarlanir()
{
    QFETCH(InjectedFault, fault);
    QFETCH(int, kez);
    FaultEnv o;
    QVERIFY(o.ok());
    ortam(o, true);
    TSonucBilgisi bilgi;
    std::unique_ptr<Tgirisform> f = pencere(o, bilgi);

    FaultProxy::Rule kural;
    kural.match = u"/ip"_s;
    kural.fault = fault.fault;
    kural.times = kez;
    kural.reachUpstream = fault.fault != FaultProxy::Fault::Drop;
    kural.pieceBytes = fault.pieceBytes;
    kural.pieceDelayMs = fault.pieceDelayMs;
    o.proxy.inject(kural);
    QVERIFY(dene(*f, u"DEMO"_s, u"1234"_s));

    QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));
    QCOMPARE(o.proxy.faultsApplied(), kez);
    // Two lookups of a sign-in, and one more for each that failed.
    QCOMPARE(o.proxy.callCount(u"/ip"_s), 2 + (fault.succeeds ? 0 : kez));
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(bilgi.Disip(), u"127.0.0.1"_s);
    QCOMPARE(bilgi.ADI(), o.sbilgi.ADI());
}

void tst_hata_giris::guncellemeIndirilemez_data()
{
    using F = FaultProxy::Fault;
    QTest::addColumn<InjectedFault>("fault");
    QTest::newRow("refused") << InjectedFault{true};
    QTest::newRow("drop") << InjectedFault{false, F::Drop};
    QTest::newRow("reset mid-answer") << InjectedFault{false, F::ResetMidAnswer};
    QTest::newRow("stall past the time-out") << InjectedFault{false, F::Stall};
    QTest::newRow("500 with error") << InjectedFault{false, F::Status500};
    QTest::newRow("500 without body") << InjectedFault{false, F::Status500Empty};
    QTest::newRow("shorter than announced") << InjectedFault{false, F::StreamShort};
    QTest::newRow("longer than announced") << InjectedFault{false, F::StreamLong, 16, 20, true};
    QTest::newRow("slow small pieces") << InjectedFault{false, F::Slow, 64, 5, true};
}

// The setup download: a failure is reported with its reason, no setup file
// is left (an older one was removed first) and nothing is started; a
// complete download is saved byte for byte and started. The program ends in
// every case.
void tst_hata_giris::guncellemeIndirilemez()
{
    QFETCH(InjectedFault, fault);
    FaultEnv o;
    QVERIFY(o.ok());
    ortam(o, false);
    const ServerFixture::Page kurulum = o.server.get(u"/exe/ZELVORISetup.exe"_s);
    QCOMPARE(kurulum.status, 200);
    QVERIFY(!kurulum.body.isEmpty());

    const QString dosya = Tdosyaindir::KurulumDosyasi();
    QVERIFY(QDir().mkpath(QFileInfo(dosya).absolutePath()));
    {
        QFile eski(dosya);
        QVERIFY(eski.open(QIODevice::WriteOnly));
        eski.write("ESKI KURULUM");
    }

    o.apply(fault, u"/exe/ZELVORISetup.exe"_s.mid(1));
    Tdosyaindir w(nullptr, 4);
    QSignalSpy bitti(&w, &Tdosyaindir::indirmeBitti);
    w.show();
    QVERIFY(bitti.wait(60000));
    QCOMPARE(m_bitisler, QList<int>{0});

    QList<ShownDialog> acilanlar;
    for (const ShownDialog& d : o.dialogs.shown()) {
        if (d.what == ShownDialog::OpenWithSystem)
            acilanlar.append(d);
    }
    if (fault.succeeds) {
        QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));
        QCOMPARE(dosyaIcerigi(dosya), kurulum.body);
        QCOMPARE(acilanlar.size(), 1);
        QCOMPARE(acilanlar[0].text, dosya);
        QCOMPARE(acilanlar[0].arguments, QStringList{u"/silent"_s});
    } else {
        const QStringList metinler = o.dialogs.texts();
        QCOMPARE(metinler.size(), 1);
        QVERIFY2(metinler[0].startsWith(u"Hata Oluştu !\r\nHata: "_s), qPrintable(metinler[0]));
        QVERIFY(metinler[0].size() > QStringLiteral("Hata Oluştu !\r\nHata: ").size());
        QCOMPARE(o.dialogs.last().kind, mtError);
        QCOMPARE(acilanlar.size(), 0);
        QVERIFY(!QFile::exists(dosya));
    }
    // Nothing half-written is left beside it.
    const QStringList kalanlar =
        QDir(QFileInfo(dosya).absolutePath()).entryList({u"ZELVORISetup*"_s}, QDir::Files | QDir::Hidden);
    QCOMPARE(kalanlar, fault.succeeds ? QStringList{QFileInfo(dosya).fileName()} : QStringList{});
}

QTEST_MAIN(tst_hata_giris)
#include "tst_hata_giris.moc"
