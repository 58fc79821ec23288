// The password change request against the scripted server: start values,
// the order of the required-field checks, and what reaches MailGonserCari.

#include "core/baglantikontrol.h"
#include "core/dialogrecorder.h"
#include "core/utils.h"
#include "sahtesunucu.h"
#include "server/proxim.h"
#include "signin/kullanicikayitu.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_kullanicikayit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void baslangicDegerleri();
    void zorunluAlanlar_data();
    void zorunluAlanlar();
    void gonderilenIstek();
    void sunucuYoksaBilgilerBos();

private:
    // A window whose account details have been loaded.
    std::unique_ptr<Tkullanicikayit> pencere();

    std::unique_ptr<SahteSunucu> m_sunucu;
    datasnap::Connection m_bag;
    TSonucBilgisi m_bilgi;
};

void tst_kullanicikayit::initTestCase() { BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {}); }

void tst_kullanicikayit::init()
{
    m_sunucu = std::make_unique<SahteSunucu>();
    m_sunucu->ortamiAyarla();
    SunucuAdresiniYaz(m_bag);
    TMobilCariBilgisi cari;
    cari.setADRES1(u"Sanayi Cad. 5"_s);
    cari.setADRES2(u"Kat 2"_s);
    cari.setILCE(u"Kadıköy"_s);
    cari.setSEHIR(u"İstanbul"_s);
    cari.setTEL1(u"0216 000 00 00"_s);
    cari.setFAX1(u"0216 000 00 01"_s);
    cari.setVERGIDAIRESI(u"Kozyatağı"_s);
    cari.setVERGINO(u"1234567890"_s);
    m_sunucu->yontem(u"MobilCariBilgisiGetir"_s, [cari](const QJsonArray&) { return QJsonArray{NesneJson(cari)}; });
    m_sunucu->yontem(u"MailGonserCari"_s, [](const QJsonArray&) { return QJsonArray{1}; });
    m_bilgi = TSonucBilgisi();
    m_bilgi.setADI(u"DEMO"_s);
    m_bilgi.setCariAdi(u"DEMO OTO"_s);
}

void tst_kullanicikayit::cleanup() { m_sunucu.reset(); }

std::unique_ptr<Tkullanicikayit> tst_kullanicikayit::pencere()
{
    auto p = std::make_unique<Tkullanicikayit>(nullptr, m_bag, m_bilgi);
    QSignalSpy yuklendi(p.get(), &Tkullanicikayit::bilgilerYuklendi);
    if (!yuklendi.wait(10000))
        return nullptr;
    return p;
}

void tst_kullanicikayit::baslangicDegerleri()
{
    DialogRecorder dialogs;
    auto p = pencere();
    QVERIFY(p);
    QCOMPARE(p->windowTitle(), u"Şifre Değiştirme İsteği"_s);
    QCOMPARE(p->durum, teski);
    QCOMPARE(p->lblid->text(), u"Bilgisayar ID: "_s + BilgisayarIdAl());
    QCOMPARE(p->firmaadi->text(), u"DEMO OTO"_s);
    QCOMPARE(p->kullaniciadi->text(), u"DEMO"_s);
    QCOMPARE(p->adres1->text(), u"Sanayi Cad. 5"_s);
    QCOMPARE(p->ilce->text(), u"Kadıköy"_s);
    QCOMPARE(p->sehir->text(), u"İstanbul"_s);
    QCOMPARE(p->vn->text(), u"1234567890"_s);
    for (QLineEdit* bos : {p->yetkili, p->sifre, p->mail, p->kargoambar})
        QVERIFY(bos->text().isEmpty());
    QCOMPARE(p->sifre->echoMode(), QLineEdit::Normal); // the password is shown as typed
    const QList<SahteCagri> c = m_sunucu->cagrilar(u"MobilCariBilgisiGetir"_s);
    QCOMPARE(c.size(), 1);
    QCOMPARE(c[0].parametreler, (QJsonArray{0, BilgisayarIdAl()}));
    QVERIFY(dialogs.shown().isEmpty());
    // The window works on copies: the caller's record is not written.
    p->Bilgim.setADI(u"X"_s);
    QCOMPARE(m_bilgi.ADI(), u"DEMO"_s);
}

void tst_kullanicikayit::zorunluAlanlar_data()
{
    QTest::addColumn<QStringList>("bosAlanlar"); // object names emptied (or blanked) before "Gönder"
    QTest::addColumn<QString>("odak");
    QTest::addColumn<QString>("mesaj");
    QTest::newRow("everything missing: firm first")
        << QStringList{u"firmaadi"_s, u"adres1"_s, u"ilce"_s, u"sehir"_s, u"telefon"_s, u"yetkili"_s,
                       u"kullaniciadi"_s, u"sifre"_s, u"mail"_s}
        << u"firmaadi"_s << u"Firma Adı boş olamaz !"_s;
    QTest::newRow("address before district") << QStringList{u"adres1"_s, u"ilce"_s} << u"adres1"_s
                                             << u"Adres boş olamaz !"_s;
    QTest::newRow("district") << QStringList{u"ilce"_s, u"mail"_s} << u"ilce"_s << u"İlçe Adı boş olamaz !"_s;
    QTest::newRow("city") << QStringList{u"sehir"_s} << u"sehir"_s << u"Şehir Adı boş olamaz !"_s;
    QTest::newRow("telephone, two blanks") << QStringList{u"telefon"_s} << u"telefon"_s
                                           << u"Telefon  boş olamaz !"_s;
    QTest::newRow("only contact person missing") << QStringList{u"yetkili"_s} << u"yetkili"_s
                                                 << u"Yetkili  boş olamaz !"_s;
    QTest::newRow("user name") << QStringList{u"kullaniciadi"_s, u"sifre"_s} << u"kullaniciadi"_s
                               << u"Kullanıcı  boş olamaz !"_s;
    QTest::newRow("password") << QStringList{u"sifre"_s, u"mail"_s} << u"sifre"_s << u"Şifre  boş olamaz !"_s;
    QTest::newRow("mail") << QStringList{u"mail"_s} << u"mail"_s << u"Mail  boş olamaz !"_s;
    QTest::newRow("optional fields may stay empty")
        << QStringList{u"adres2"_s, u"fax"_s, u"vd"_s, u"vn"_s, u"kargoambar"_s} << QString()
        << u"İsteğiniz Gönderildi!"_s;
}

void tst_kullanicikayit::zorunluAlanlar()
{
    QFETCH(QStringList, bosAlanlar);
    QFETCH(QString, odak);
    QFETCH(QString, mesaj);
    DialogRecorder dialogs;
    auto p = pencere();
    QVERIFY(p);
    p->yetkili->setText(u"Ali Veli"_s);
    p->sifre->setText(u"YENI1"_s);
    p->mail->setText(u"ali@example.com"_s);
    bool bosluk = false;
    for (const QString& ad : bosAlanlar) {
        // Alternate empty and blanks-only: both count as empty.
        p->findChild<QLineEdit*>(ad)->setText(bosluk ? u"   "_s : QString());
        bosluk = !bosluk;
    }
    QSignalSpy gonderildi(p.get(), &Tkullanicikayit::gonderildi);
    p->Button2->click();
    if (odak.isEmpty()) {
        QVERIFY(gonderildi.wait(10000));
        QCOMPARE(dialogs.texts(), QStringList{mesaj});
        QCOMPARE(dialogs.last().kind, mtInformation);
        QCOMPARE(m_sunucu->cagrilar(u"MailGonserCari"_s).size(), 1);
    } else {
        QCOMPARE(dialogs.texts(), QStringList{mesaj});
        QCOMPARE(dialogs.last().kind, mtWarning);
        QCOMPARE(p->focusWidget(), p->findChild<QLineEdit*>(odak));
        QVERIFY(m_sunucu->cagrilar(u"MailGonserCari"_s).isEmpty());
    }
}

void tst_kullanicikayit::gonderilenIstek()
{
    DialogRecorder dialogs;
    auto p = pencere();
    QVERIFY(p);
    p->yetkili->setText(u" Ali Veli "_s);
    p->sifre->setText(u"yeni şifre"_s);
    p->mail->setText(u"ali@example.com"_s);
    p->kargoambar->setText(u"Aras"_s);
    QSignalSpy gonderildi(p.get(), &Tkullanicikayit::gonderildi);
    p->Button2->click();
    QVERIFY(gonderildi.wait(10000));
    const QList<SahteCagri> c = m_sunucu->cagrilar(u"MailGonserCari"_s);
    QCOMPARE(c.size(), 1);
    const QJsonArray beklenen = {BilgisayarIdAl(),   u"Şifre Değiştirme İsteği"_s,
                                 u"DEMO OTO"_s,      u"Sanayi Cad. 5"_s,
                                 u"Kat 2"_s,         u"Kadıköy"_s,
                                 u"İstanbul"_s,      u"0216 000 00 00"_s,
                                 u"0216 000 00 01"_s, u"Kozyatağı"_s,
                                 u"1234567890"_s,    u" Ali Veli "_s,
                                 u"DEMO"_s,          u"yeni şifre"_s,
                                 u"ali@example.com"_s, u"Aras"_s};
    QCOMPARE(c[0].parametreler, beklenen);
    // The window stays with its contents, ready for another request.
    QCOMPARE(p->result(), 0);
    QCOMPARE(p->yetkili->text(), u" Ali Veli "_s);
    QVERIFY(p->Button2->isEnabled());
}

void tst_kullanicikayit::sunucuYoksaBilgilerBos()
{
    {
        // Nobody listens on the port once the stand-in is gone.
        SahteSunucu gecici;
        m_bag.setParam(datasnap::param::Port, QString::number(gecici.port()));
    }
    DialogRecorder dialogs;
    auto p = pencere();
    QVERIFY(p);
    QVERIFY(p->adres1->text().isEmpty());
    QCOMPARE(p->firmaadi->text(), u"DEMO OTO"_s);
    QCOMPARE(p->kullaniciadi->text(), u"DEMO"_s);
    QCOMPARE(dialogs.texts().last(), u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
}

QTEST_MAIN(tst_kullanicikayit)
#include "tst_kullanicikayit.moc"
