// The sign-in window against a scripted loopback server: every branch of the
// evaluation with its message, what "ayar.ini" holds afterwards, the Enter
// handling, the remembered credentials and leaving with "Vazgeç".

#include "core/ayarini.h"
#include "core/baglantikontrol.h"
#include "core/dialogrecorder.h"
#include "core/utils.h"
#include "promotion/formistekyeniu.h"
#include "sahtesunucu.h"
#include "signin/disipbul.h"
#include "signin/girisformu.h"
#include "signin/programsonu.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

enum Sonuc { Kabul, Yeniden, Guncelleme, IstekFormu, Bitti };

const QString hataliGiris = u"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"_s;

} // namespace

Q_DECLARE_METATYPE(Sonuc)

class tst_girisformu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void degerlendirme_data();
    void degerlendirme();
    void bosDisAdres();
    void ikinciDenemeYenidenSorar();
    void enterTusu_data();
    void enterTusu();
    void hatirlananBilgiler_data();
    void hatirlananBilgiler();
    void vazgecProgramiBitirir();

private:
    // Types the credentials, presses Enter in the password and waits for the
    // evaluation. Request forms that open meanwhile are closed with "Kapat".
    bool dene(Tgirisform& f, const QString& ad, const QString& sifre);
    KullaniciAyari ayar(bool* var) const { return AyarOku(AyarDosyasiYolu(), var); }

    QTemporaryDir m_klasor;
    std::unique_ptr<SahteSunucu> m_sunucu;
    TSonucBilgisi m_kayit; // what BuyukGetir answers
    QList<int> m_bitisler;
    ProgramSonlandirici m_eskiSonlandirici;
    datasnap::Connection m_bag;
    TSonucBilgisi m_bilgi;
};

void tst_girisformu::initTestCase()
{
    QVERIFY(m_klasor.isValid());
    qputenv("XDG_CONFIG_HOME", m_klasor.filePath(u"config"_s).toUtf8());
    qputenv("XDG_DATA_HOME", m_klasor.filePath(u"data"_s).toUtf8());
    BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {});
    disip::TekrarBeklemesiAyarla(std::chrono::milliseconds(0));
}

void tst_girisformu::init()
{
    QFile::remove(AyarDosyasiYolu());
    m_sunucu = std::make_unique<SahteSunucu>();
    m_sunucu->ortamiAyarla();
    m_kayit = TSonucBilgisi();
    m_sunucu->yontem(u"BuyukGetir"_s, [this](const QJsonArray&) { return QJsonArray{NesneJson(m_kayit)}; });
    m_bitisler.clear();
    m_eskiSonlandirici = ProgramSonlandiriciAyarla([this](int kod) { m_bitisler.append(kod); });
    m_bilgi = TSonucBilgisi();
    Tgirisform::CariSecimiAyarla({});
}

void tst_girisformu::cleanup()
{
    Tgirisform::CariSecimiAyarla({});
    ProgramSonlandiriciAyarla(m_eskiSonlandirici);
    m_sunucu.reset();
}

bool tst_girisformu::dene(Tgirisform& f, const QString& ad, const QString& sifre)
{
    f.adi->clear();
    f.sifre->clear();
    QTest::keyClicks(f.adi, ad);
    QTest::keyClicks(f.sifre, sifre);
    QTimer kapatici;
    connect(&kapatici, &QTimer::timeout, this, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<Tformistekyeni*>(w); form && form->isVisible())
                form->Button1->click();
        }
    });
    kapatici.start(10);
    QSignalSpy denendi(&f, &Tgirisform::girisDenendi);
    QTest::keyClick(f.sifre, Qt::Key_Return);
    return denendi.wait(15000);
}

void tst_girisformu::degerlendirme_data()
{
    QTest::addColumn<bool>("sunucuVar");
    QTest::addColumn<bool>("varmi");
    QTest::addColumn<int>("surum");
    QTest::addColumn<QString>("kayitAdi");
    QTest::addColumn<int>("aktif");
    QTest::addColumn<int>("tip");
    QTest::addColumn<int>("secim"); // customer selection: -1 none installed, 0 cancelled, 1 OK
    QTest::addColumn<QString>("yazilanAd");
    QTest::addColumn<QString>("yazilanSifre");
    QTest::addColumn<bool>("hatirla");
    QTest::addColumn<QString>("mesaj"); // the last message shown, empty when none
    QTest::addColumn<Sonuc>("sonuc");
    QTest::addColumn<bool>("iniVar");
    QTest::addColumn<QString>("iniSifre");

    // sunucu varmi surum ADI AKTIF tip secim | typed name, password, remember | message, outcome, ini
    QTest::newRow("server unreachable")
        << false << true << 5 << u"DEMO"_s << 1 << 0 << -1 << u"DEMO"_s << u"1234"_s << true
        << u"Bağlantı Kurulamadı !"_s << Yeniden << false << QString();
    QTest::newRow("version 4 starts the update")
        << true << true << 4 << u"DEMO"_s << 1 << 0 << -1 << u"DEMO"_s << u"1234"_s << true
        << u"Hata Oluştu !\r\nHata: HTTP 404 Not Found"_s << Guncelleme << false << QString();
    QTest::newRow("version 6 starts the update")
        << true << true << 6 << u"DEMO"_s << 1 << 0 << -1 << u"DEMO"_s << u"1234"_s << true
        << u"Hata Oluştu !\r\nHata: HTTP 404 Not Found"_s << Guncelleme << false << QString();
    QTest::newRow("unknown computer gets the request form")
        << true << false << 5 << u"DEMO"_s << 1 << 0 << -1 << u"DEMO"_s << u"1234"_s << true
        << QString() << IstekFormu << false << QString();
    QTest::newRow("wrong name")
        << true << true << 5 << u"DEMO"_s << 1 << 0 << -1 << u"DEMOX"_s << u"1234"_s << true
        << hataliGiris << Yeniden << false << QString();
    QTest::newRow("wrong password")
        << true << true << 5 << u"DEMO"_s << 1 << 0 << -1 << u"DEMO"_s << u"12345"_s << true
        << hataliGiris << Yeniden << false << QString();
    QTest::newRow("name typed in lower case signs in")
        << true << true << 5 << u"DEMO"_s << 1 << 0 << -1 << u"demo"_s << u"1234"_s << true
        << QString() << Kabul << true << u"1234"_s;
    QTest::newRow("account stored in lower case cannot sign in")
        << true << true << 5 << u"demo"_s << 1 << 0 << -1 << u"demo"_s << u"1234"_s << true
        << hataliGiris << Yeniden << false << QString();
    QTest::newRow("inactive account: same warning, credentials saved")
        << true << true << 5 << u"DEMO"_s << 0 << 0 << -1 << u"DEMO"_s << u"1234"_s << true
        << hataliGiris << Yeniden << true << u"1234"_s;
    QTest::newRow("not remembered: no password on disk")
        << true << true << 5 << u"DEMO"_s << 1 << 0 << -1 << u"DEMO"_s << u"1234"_s << false
        << QString() << Kabul << true << QString();
    QTest::newRow("sales representative cancels the selection")
        << true << true << 5 << u"TEMSILCI1"_s << 1 << 1 << 0 << u"TEMSILCI1"_s << u"1234"_s << true
        << QString() << Bitti << true << u"1234"_s;
    QTest::newRow("sales representative chooses an account")
        << true << true << 5 << u"TEMSILCI2"_s << 1 << 2 << 1 << u"TEMSILCI2"_s << u"1234"_s << true
        << QString() << Kabul << true << u"1234"_s;
    QTest::newRow("sales representative without a selection window")
        << true << true << 5 << u"TEMSILCI1"_s << 1 << 1 << -1 << u"TEMSILCI1"_s << u"1234"_s << true
        << QString() << Kabul << true << u"1234"_s;
    QTest::newRow("type 3 dealer")
        << true << true << 5 << u"BAYI3"_s << 1 << 3 << 0 << u"BAYI3"_s << u"1234"_s << true
        << QString() << Kabul << true << u"1234"_s;
}

void tst_girisformu::degerlendirme()
{
    QFETCH(bool, sunucuVar);
    QFETCH(bool, varmi);
    QFETCH(int, surum);
    QFETCH(QString, kayitAdi);
    QFETCH(int, aktif);
    QFETCH(int, tip);
    QFETCH(int, secim);
    QFETCH(QString, yazilanAd);
    QFETCH(QString, yazilanSifre);
    QFETCH(bool, hatirla);
    QFETCH(QString, mesaj);
    QFETCH(Sonuc, sonuc);
    QFETCH(bool, iniVar);
    QFETCH(QString, iniSifre);

    m_kayit.setVarmi(varmi);
    m_kayit.setVersion(surum);
    m_kayit.setADI(kayitAdi);
    m_kayit.setSIFRE(u"1234"_s);
    m_kayit.setAKTIF(aktif);
    m_kayit.setMusteriTipi(tip);
    m_kayit.setCARINO(1001);
    m_kayit.setCariAdi(u"DEMO OTO"_s);
    if (!sunucuVar) {
        // A port nobody listens on: the connection check fails every time.
        SahteSunucu kapali;
        const int port = kapali.port();
        qputenv("ZELVORI_SUNUCU", u"127.0.0.1:%1"_s.arg(port).toUtf8());
    }
    int secimCagrisi = 0;
    if (secim >= 0) {
        Tgirisform::CariSecimiAyarla([&](QWidget*, datasnap::Connection& bag, TSonucBilgisi& bilgim) {
            ++secimCagrisi;
            return &bag == &m_bag && &bilgim == &m_bilgi && secim == 1;
        });
    }

    DialogRecorder dialogs;
    Tgirisform f(nullptr);
    f.bagim = &m_bag;
    f.Bilgim = &m_bilgi;
    f.benihatirla->setChecked(hatirla);
    f.show();
    QVERIFY(dene(f, yazilanAd, yazilanSifre));

    const QList<ShownDialog> mesajlar = dialogs.messages();
    if (mesaj.isEmpty()) {
        QVERIFY2(mesajlar.isEmpty(), qPrintable(dialogs.texts().join(u" | "_s)));
    } else {
        QVERIFY(!mesajlar.isEmpty());
        QCOMPARE(mesajlar.last().text, mesaj);
    }
    if (!sunucuVar) // every failed attempt of the connection check showed its own text first
        QCOMPARE(mesajlar.size(), 12);

    switch (sonuc) {
    case Kabul:
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(m_bitisler, QList<int>{});
        QCOMPARE(m_bilgi.ADI(), kayitAdi);
        QCOMPARE(m_bilgi.CARINO(), 1001);
        QCOMPARE(m_bilgi.BILGISAYARID(), BilgisayarIdAl());
        QCOMPARE(m_bilgi.Disip(), u"203.0.113.7"_s);
        break;
    case Yeniden:
        QVERIFY(f.isVisible());
        QCOMPARE(f.result(), 0);
        QVERIFY(f.Button1->isEnabled());
        QCOMPARE(f.Button1->text(), u"Giriş!"_s);
        QCOMPARE(f.focusWidget(), f.adi);
        QCOMPARE(f.adi->selectedText(), f.adi->text());
        QCOMPARE(m_bitisler, QList<int>{});
        break;
    case Guncelleme:
        QCOMPARE(m_sunucu->kurulumIstekSayisi(), 1);
        QCOMPARE(m_bitisler, QList<int>{0});
        break;
    case IstekFormu: {
        QList<ShownDialog> acilan;
        for (const ShownDialog& d : dialogs.shown()) {
            if (d.what == ShownDialog::OpenWithSystem)
                acilan.append(d);
        }
        if (!Tformistekyeni::GomuluSayfa()) {
            QCOMPARE(acilan.size(), 1);
            QCOMPARE(acilan[0].text, m_sunucu->kok() + u"/formmailgonder.aspx?carino=0&kullanici= &id="_s
                                         + BilgisayarIdAl());
        }
        QCOMPARE(m_bitisler, QList<int>{0});
        break;
    }
    case Bitti:
        QCOMPARE(m_bitisler, QList<int>{0});
        break;
    }
    QCOMPARE(secimCagrisi, secim >= 0 && sonuc != Yeniden && (tip == 1 || tip == 2) ? 1 : 0);

    bool var = false;
    const KullaniciAyari kayitli = ayar(&var);
    QCOMPARE(var, iniVar);
    if (iniVar) {
        QCOMPARE(kayitli.isim, yazilanAd.toUpper());
        QCOMPARE(kayitli.sifre, iniSifre);
        QCOMPARE(kayitli.hatirla, hatirla);
    }
}

void tst_girisformu::bosDisAdres()
{
    m_sunucu->ipCevabi(u"  "_s);
    DialogRecorder dialogs;
    Tgirisform f(nullptr);
    f.bagim = &m_bag;
    f.Bilgim = &m_bilgi;
    f.show();
    QVERIFY(dene(f, u"DEMO"_s, u"1234"_s));
    QCOMPARE(dialogs.texts(), QStringList{u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"_s});
    QCOMPARE(dialogs.last().kind, mtError);
    QVERIFY(f.Button1->isEnabled());
    QVERIFY(m_sunucu->cagrilar(u"BuyukGetir"_s).isEmpty());
}

void tst_girisformu::ikinciDenemeYenidenSorar()
{
    m_kayit.setVersion(5);
    m_kayit.setVarmi(true);
    m_kayit.setAKTIF(1);
    m_kayit.setMusteriTipi(0);
    m_kayit.setADI(u"DEMO"_s);
    m_kayit.setSIFRE(u"1234"_s);
    DialogRecorder dialogs;
    Tgirisform f(nullptr);
    f.bagim = &m_bag;
    f.Bilgim = &m_bilgi;
    f.show();
    QVERIFY(dene(f, u"DEMO"_s, u"9999"_s));
    QCOMPARE(dialogs.texts(), QStringList{hataliGiris});
    QVERIFY(dene(f, u"DEMO"_s, u"1234"_s));
    QCOMPARE(f.result(), int(QDialog::Accepted));
    const QList<SahteCagri> cagrilar = m_sunucu->cagrilar(u"BuyukGetir"_s);
    QCOMPARE(cagrilar.size(), 2);
    QCOMPARE(cagrilar[1].parametreler, QJsonArray{f.idsi});
}

void tst_girisformu::enterTusu_data()
{
    QTest::addColumn<bool>("sifreKutusu"); // Enter in the password edit (else the name edit)
    QTest::addColumn<QString>("metin");
    QTest::addColumn<QString>("uyari");
    QTest::newRow("empty name") << false << QString() << u"Lütfen kullanıcı adını giriniz !"_s;
    QTest::newRow("name of blanks") << false << u"   "_s << u"Lütfen kullanıcı adını giriniz !"_s;
    QTest::newRow("filled name moves on") << false << u"DEMO"_s << QString();
    QTest::newRow("empty password") << true << QString() << u"Lütfen kullanıcı şifresini giriniz !"_s;
    QTest::newRow("filled password signs in") << true << u"1234"_s << QString();
}

void tst_girisformu::enterTusu()
{
    QFETCH(bool, sifreKutusu);
    QFETCH(QString, metin);
    QFETCH(QString, uyari);
    m_kayit.setVersion(5);
    m_kayit.setVarmi(true);
    m_kayit.setADI(u"X"_s);
    DialogRecorder dialogs;
    Tgirisform f(nullptr);
    f.bagim = &m_bag;
    f.Bilgim = &m_bilgi;
    f.show();
    QLineEdit* kutu = sifreKutusu ? f.sifre : f.adi;
    f.sifre->setText(u"OLD"_s);
    kutu->setText(metin);
    kutu->setFocus();
    QSignalSpy denendi(&f, &Tgirisform::girisDenendi);
    QTest::keyClick(kutu, Qt::Key_Return);

    if (!uyari.isEmpty()) {
        QCOMPARE(dialogs.texts(), QStringList{uyari});
        QCOMPARE(dialogs.last().what, ShownDialog::MessageBox);
        QCOMPARE(dialogs.last().kind, mtWarning);
        QCOMPARE(f.focusWidget(), kutu);
        QVERIFY(f.Button1->isEnabled());
    } else if (!sifreKutusu) {
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(f.focusWidget(), f.sifre);
        QCOMPARE(f.sifre->selectedText(), u"OLD"_s);
    } else {
        QCOMPARE(f.Button1->text(), u"Bağlanıyor..."_s);
        QVERIFY(!f.Button1->isEnabled());
        QVERIFY(denendi.wait(10000));
        QCOMPARE(m_sunucu->cagrilar(u"BuyukGetir"_s).size(), 1);
    }
}

void tst_girisformu::hatirlananBilgiler_data()
{
    QTest::addColumn<bool>("dosya");
    QTest::addColumn<bool>("hatirla");
    QTest::addColumn<bool>("isaretli");
    QTest::addColumn<QString>("ad");
    QTest::addColumn<QString>("sifre");
    QTest::newRow("no file: box checked, edits empty") << false << true << true << QString() << QString();
    QTest::newRow("remembered") << true << true << true << u"DEMO"_s << u"1234"_s;
    QTest::newRow("not remembered") << true << false << false << QString() << QString();
}

void tst_girisformu::hatirlananBilgiler()
{
    QFETCH(bool, dosya);
    QFETCH(bool, hatirla);
    QFETCH(bool, isaretli);
    QFETCH(QString, ad);
    QFETCH(QString, sifre);
    if (dosya)
        QVERIFY(AyarYaz(AyarDosyasiYolu(), KullaniciAyari{u"DEMO"_s, u"1234"_s, hatirla}));
    Tgirisform f(nullptr);
    QCOMPARE(f.benihatirla->isChecked(), isaretli);
    QCOMPARE(f.adi->text(), ad);
    QCOMPARE(f.sifre->text(), sifre);
    QCOMPARE(f.idsi, BilgisayarIdAl());
    QCOMPARE(f.windowTitle(), u"Giriş"_s);
}

void tst_girisformu::vazgecProgramiBitirir()
{
    Tgirisform f(nullptr);
    f.show();
    f.Button2->click();
    QCOMPARE(m_bitisler, QList<int>{0});
    QCOMPARE(f.result(), int(QDialog::Rejected));
}

QTEST_MAIN(tst_girisformu)
#include "tst_girisformu.moc"
