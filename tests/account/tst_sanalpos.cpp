// The card-payment tab: the payment address carries the customer's name and
// balance percent-encoded; a missing balance and a missing browser are told.
#include "account/sanalpossekmesi.h"
#include "server/proxim.h"
#include "tests/basket/sepetortami.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <csignal>

using namespace Qt::StringLiterals;

class tst_SanalPos : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        std::signal(SIGPIPE, SIG_IGN);
        qputenv("ZELVORI_ODEME", "https://odeme.example.test");
    }
    void adres_data();
    void adres();
    void bakiyeIleSayfaAcilir();
    void bakiyeYoksaUyariVeStokListesi_data();
    void bakiyeYoksaUyariVeStokListesi();
    void tarayiciYoksaUyari();
};

void tst_SanalPos::adres_data()
{
    QTest::addColumn<QString>("ad");
    QTest::addColumn<QString>("bakiye");
    QTest::addColumn<QString>("beklenen");
    QTest::newRow("bosluk, Türkçe harf ve &")
        << u"ÖZ & ŞAHİN OTO"_s << u"1.234,56"_s
        << u"https://odeme.example.test/tuvrakart.html?carino=7&sube=MERKEZ"
           "&firmasi=%C3%96Z%20%26%20%C5%9EAH%C4%B0N%20OTO&bakiye=1.234%2C56"_s;
    QTest::newRow("# ve +") << u"A+B #2"_s << u"-15"_s
                            << u"https://odeme.example.test/tuvrakart.html?carino=7&sube=MERKEZ"
                               "&firmasi=A%2BB%20%232&bakiye=-15"_s;
}

void tst_SanalPos::adres()
{
    QFETCH(QString, ad);
    QFETCH(QString, bakiye);
    QFETCH(QString, beklenen);
    const QString adres = OdemeSayfasiAdresi(7, ad, bakiye);
    QCOMPARE(adres, beklenen);
    // What the page reads back is exactly what was sent.
    const QUrlQuery sorgu(QUrl(adres, QUrl::StrictMode));
    QCOMPARE(sorgu.queryItemValue(u"carino"_s, QUrl::FullyDecoded), u"7"_s);
    QCOMPARE(sorgu.queryItemValue(u"sube"_s, QUrl::FullyDecoded), u"MERKEZ"_s);
    QCOMPARE(sorgu.queryItemValue(u"firmasi"_s, QUrl::FullyDecoded), ad);
    QCOMPARE(sorgu.queryItemValue(u"bakiye"_s, QUrl::FullyDecoded), bakiye);
    QCOMPARE(sorgu.queryItems().size(), 4);
}

void tst_SanalPos::bakiyeIleSayfaAcilir()
{
    SunucuOrtami o;
    o.sbilgi.setCariAdi(u"ÖZ & ŞAHİN OTO"_s);
    o.sunucu.cevapla(u"CariDurumVer"_s, R"(["1.234,56 TL"])");
    TSanalPosSekmesi sekme(o.bagc, o.sbilgi);
    QSignalSpy geri(&sekme, &TSanalPosSekmesi::StokListesiIstendi);
    sekme.Gosterildi();
    QCOMPARE(o.sunucu.cagrilar(u"CariDurumVer"_s).size(), 1);
    QCOMPARE(o.sunucu.cagrilar(u"CariDurumVer"_s).first().parametreler.first().toInt(), 7);
    const ShownDialog son = o.dialogs.last();
    QCOMPARE(son.what, ShownDialog::OpenWithSystem);
    QCOMPARE(son.text, OdemeSayfasiAdresi(7, u"ÖZ & ŞAHİN OTO"_s, u"1.234,56 TL"_s));
    QCOMPARE(sekme.SonAdres(), son.text);
    QCOMPARE(o.dialogs.messages().size(), 0);
    QCOMPARE(geri.size(), 0);
}

void tst_SanalPos::bakiyeYoksaUyariVeStokListesi_data()
{
    QTest::addColumn<int>("durum"); // 0 empty text, 1 server error, 2 no connection
    QTest::newRow("bos bakiye") << 0;
    QTest::newRow("sunucu hatasi") << 1;
    QTest::newRow("baglanti yok") << 2;
}

void tst_SanalPos::bakiyeYoksaUyariVeStokListesi()
{
    QFETCH(int, durum);
    SunucuOrtami o;
    if (durum == 0)
        o.sunucu.cevapla(u"CariDurumVer"_s, R"([""])");
    else if (durum == 1)
        o.sunucu.hataVer(u"CariDurumVer"_s, u"Cari bulunamadı"_s);
    else
        o.sunucuyuKapat();
    TSanalPosSekmesi sekme(o.bagc, o.sbilgi);
    QSignalSpy geri(&sekme, &TSanalPosSekmesi::StokListesiIstendi);
    sekme.Gosterildi();
    QCOMPARE(geri.size(), 1);
    const ShownDialog son = o.dialogs.last();
    QCOMPARE(son.kind, mtError);
    QCOMPARE(son.text, u"Bağlantı Hatası \r\nLütfen Sonra Tekrar Deneyiniz !"_s);
    for (const ShownDialog& d : o.dialogs.shown())
        QVERIFY(d.what != ShownDialog::OpenWithSystem);
    QVERIFY(sekme.SonAdres().isEmpty());
}

void tst_SanalPos::tarayiciYoksaUyari()
{
    SunucuOrtami o;
    o.sunucu.cevapla(u"CariDurumVer"_s, R"(["500,00"])");
    o.dialogs.setOpenResult(false);
    TSanalPosSekmesi sekme(o.bagc, o.sbilgi);
    QSignalSpy geri(&sekme, &TSanalPosSekmesi::StokListesiIstendi);
    sekme.Gosterildi();
    const ShownDialog son = o.dialogs.last();
    QCOMPARE(son.kind, mtWarning);
    QCOMPARE(son.text, u"Sisteminiz Güvenli Değil\r\nÖdeme Alamıyoruz !\r\nLütfen Windows'u güncelleyiniz"_s);
    QCOMPARE(geri.size(), 0);
    QVERIFY(sekme.SonAdres().isEmpty());
}

QTEST_MAIN(tst_SanalPos)
#include "tst_sanalpos.moc"
