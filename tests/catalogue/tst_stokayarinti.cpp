// The add-to-basket dialog: its computation on screen, keys, package
// rounding, filling per source, and the add / change paths against a
// loopback server.
#include "catalogue/sepeteekle.h"
#include "catalogue/stokayarintiU.h"
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "platform/dataset/memtable.h"
#include "platform/datasnap/connection.h"
#include "sahtesunucu.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TStokKaynagi)
Q_DECLARE_METATYPE(TIndirimOranlari)

namespace {

// A one-row table from "NAME:type" columns and cell values.
TableData tekSatir(const QList<std::pair<QString, QVariant>> &hucreler)
{
    QList<FieldDef> alanlar;
    for (const auto &[ad, deger] : hucreler) {
        FieldType tur = FieldType::String;
        if (deger.typeId() == QMetaType::Int || deger.typeId() == QMetaType::LongLong)
            tur = FieldType::Integer;
        else if (deger.typeId() == QMetaType::Double)
            tur = FieldType::Float;
        alanlar.append({ad, tur, tur == FieldType::String ? 100 : 0});
    }
    TableData t(alanlar);
    const int r = t.appendRow();
    for (int c = 0; c < hucreler.size(); ++c)
        t.setValue(r, c, hucreler[c].second);
    return t;
}

TableData stokSatiri(qint64 stokno, double fiyat, int k, TIndirimOranlari oran = {0, 0, 0, 0})
{
    return tekSatir({{u"STOK_STOKNO"_s, stokno}, {u"BARKOD"_s, u"BRK-%1"_s.arg(stokno)},
                     {u"ADI"_s, u"FREN BALATASI"_s}, {u"FINISHKOD"_s, u"F1"_s},
                     {u"MARKA"_s, u"MARKA1"_s}, {u"MODEL"_s, u"MODEL1"_s}, {u"KDV"_s, 20.0},
                     {u"K"_s, k}, {u"FIYAT"_s, fiyat}, {u"IND1"_s, oran[0]}, {u"IND2"_s, oran[1]},
                     {u"IND3"_s, oran[2]}, {u"IND4"_s, oran[3]}, {u"INDIRIMYAZI"_s, u"10+5"_s}});
}

TableData sepetSatiri(qint64 stokno, int sirano, double miktar, TIndirimOranlari oran)
{
    return tekSatir({{u"SIRANO"_s, sirano}, {u"STOKNO"_s, stokno}, {u"BARKOD"_s, u"BRK-%1"_s.arg(stokno)},
                     {u"STOKADI"_s, u"SEPETTEKI AD"_s}, {u"MIKTAR"_s, miktar}, {u"KDV"_s, 20.0},
                     {u"BIRIMFIYAT"_s, 40.0}, {u"INDIRIMORANI1"_s, oran[0]},
                     {u"INDIRIMORANI2"_s, oran[1]}, {u"INDIRIMORANI3"_s, oran[2]},
                     {u"INDIRIMORANI4"_s, oran[3]}});
}

double parametre(const SahteSunucu::Cagri &c, int i)
{
    return c.parametreler.at(i).toDouble();
}

} // namespace

class tst_StokAyrinti : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        std::signal(SIGPIPE, SIG_IGN);
        QLocale::setDefault(QLocale::c());
    }

    void ekrandakiHesap_data();
    void ekrandakiHesap();
    void indirimEtiketi_data();
    void indirimEtiketi();
    void koliYuvarlama_data();
    void koliYuvarlama();
    void f4FiyatiBoler_data();
    void f4FiyatiBoler();
    void kaynagaGoreDoldurma_data();
    void kaynagaGoreDoldurma();

    void koliAdetSunucudan_data();
    void koliAdetSunucudan();
    void sepettekiUrunDegistirilir();
    void degisiklikDialogOranlariniGonderir_data();
    void degisiklikDialogOranlariniGonderir();
    void yeniSatirEklenir_data();
    void yeniSatirEklenir();
};

void tst_StokAyrinti::ekrandakiHesap_data()
{
    QTest::addColumn<double>("fiyat");
    QTest::addColumn<int>("adet");
    QTest::addColumn<TIndirimOranlari>("oranlar");
    QTest::addColumn<QString>("indirim");
    QTest::addColumn<double>("kdvDahil");
    QTest::addColumn<double>("tutar");
    QTest::newRow("10 and 5") << 100.0 << 1 << TIndirimOranlari{10, 5, 0, 0} << u"14.50"_s << 102.60 << 102.60;
    // The box holds 9.999 and shows it with two decimals.
    QTest::newRow("33.33") << 10.0 << 3 << TIndirimOranlari{33.33, 0, 0, 0} << u"10.00"_s << 8.00 << 24.00;
}

void tst_StokAyrinti::ekrandakiHesap()
{
    QFETCH(double, fiyat);
    QFETCH(int, adet);
    QFETCH(TIndirimOranlari, oranlar);
    Tstokayarinti d(nullptr, 1);
    d.kdvoran = 20;
    d.setKoliadet(1);
    d.setBirimFiyat(fiyat);
    d.setOranlar(oranlar);
    d.setMiktar(adet);
    d.show();
    QTEST(d.indtutar->text(), "indirim");
    QTEST(d.kdvdahiltutar->value(), "kdvDahil");
    QTEST(d.geneltutar->value(), "tutar");
}

void tst_StokAyrinti::indirimEtiketi_data()
{
    QTest::addColumn<TIndirimOranlari>("oranlar");
    QTest::addColumn<bool>("gorunur");
    QTest::newRow("sum 1") << TIndirimOranlari{0.5, 0.5, 0, 0} << false;
    QTest::newRow("sum 1.01") << TIndirimOranlari{0.5, 0.5, 0.01, 0} << true;
}

void tst_StokAyrinti::indirimEtiketi()
{
    QFETCH(TIndirimOranlari, oranlar);
    QFETCH(bool, gorunur);
    Tstokayarinti d(nullptr, 1);
    d.setBirimFiyat(10);
    d.setOranlar(oranlar);
    d.show();
    QCOMPARE(d.indirimoran->isVisible(), gorunur);
    QCOMPARE(d.indtutar->isVisible(), gorunur);
    // Decided once at showing: editing the rates afterwards changes nothing.
    d.setOranlar({20, 0, 0, 0});
    d.Hesapla();
    QCOMPARE(d.indirimoran->isVisible(), gorunur);
}

void tst_StokAyrinti::koliYuvarlama_data()
{
    QTest::addColumn<bool>("enterIle");
    QTest::addColumn<QString>("yazilan");
    QTest::addColumn<int>("miktar");
    QTest::newRow("button rounds 8 to 12") << false << u"8"_s << 12;
    QTest::newRow("Enter keeps 8") << true << u"8"_s << 8;
    QTest::newRow("button keeps 18") << false << u"18"_s << 18;
    QTest::newRow("Enter on an empty box takes the minimum") << true << QString() << 6;
}

void tst_StokAyrinti::koliYuvarlama()
{
    QFETCH(bool, enterIle);
    QFETCH(QString, yazilan);
    Tstokayarinti d(nullptr, 1);
    d.setKoliadet(6);
    QCOMPARE(d.adet->value(), 6);
    QCOMPARE(d.adet->minimum(), 6);
    QCOMPARE(d.adet->singleStep(), 6);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.adet->selectAll();
    QTest::keyClick(d.adet, Qt::Key_Delete);
    QTest::keyClicks(d.adet, yazilan);
    if (enterIle)
        QTest::keyClick(d.adet, Qt::Key_Return);
    else
        QTest::mouseClick(d.ParcaliTus1, Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QTEST(d.Miktar(), "miktar");
}

void tst_StokAyrinti::f4FiyatiBoler_data()
{
    QTest::addColumn<bool>("duzenlenebilir");
    QTest::addColumn<QString>("kutu");
    QTest::newRow("read-only, unit price box") << false << u"birimfiyat"_s;
    QTest::newRow("editable, unit price box") << true << u"birimfiyat"_s;
    QTest::newRow("read-only, total box") << false << u"geneltutar"_s;
    QTest::newRow("editable, rate box") << true << u"edindirim3"_s;
}

void tst_StokAyrinti::f4FiyatiBoler()
{
    QFETCH(bool, duzenlenebilir);
    QFETCH(QString, kutu);
    Tstokayarinti d(nullptr, 1);
    d.kdvoran = 20;
    d.setKoliadet(2);
    d.setBirimFiyat(120);
    if (duzenlenebilir)
        d.FiyatDuzenlenebilir(true);
    d.show();
    QCOMPARE(d.geneltutar->value(), 288.0);
    auto *hedef = d.findChild<QDoubleSpinBox *>(kutu);
    QVERIFY(hedef);
    QTest::keyRelease(hedef, Qt::Key_F4);
    QCOMPARE(d.birimfiyat->value(), 100.0);
    QCOMPARE(d.kdvdahiltutar->value(), 120.0);
    QCOMPARE(d.geneltutar->value(), 240.0);
}

void tst_StokAyrinti::kaynagaGoreDoldurma_data()
{
    QTest::addColumn<TStokKaynagi>("kaynak");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("tip");
    QTest::addColumn<double>("fiyat");
    QTest::addColumn<QString>("fiyatEtiketi");
    QTest::addColumn<QString>("indirimEtiketi");
    QTest::addColumn<bool>("panel");
    QTest::addColumn<bool>("fiyatYazilabilir");

    QTest::newRow("stock list, no campaign, dealer") << TStokKaynagi::StokListesi << 0 << 3 << 50.0
        << u"Fiyat:"_s << u"İndirim: %10+5"_s << false << false;
    QTest::newRow("stock list, campaign, rep 2") << TStokKaynagi::StokListesi << 1 << 2 << 50.0
        << u"Kampanyalı Fiyat:"_s << u"Kampanyalı 10+5"_s << true << true;
    QTest::newRow("stock list, negative K loads no price") << TStokKaynagi::StokListesi << -1 << 3 << 0.0
        << u"Fiyat:"_s << u"İndirim: %10+5"_s << false << false;
    QTest::newRow("new items, no campaign") << TStokKaynagi::Yeniler << 0 << 1 << 50.0
        << u"Fiyat:"_s << u"İndirim:  % 10+5"_s << true << true;
    QTest::newRow("new items, campaign") << TStokKaynagi::Yeniler << 2 << 3 << 50.0
        << u"Kampanyalı Fiyat:"_s << u"Kampanyalı 10+5"_s << false << false;
    // A type-2 user may edit the campaign price, but the rate panel stays hidden.
    QTest::newRow("campaign list, rep 2") << TStokKaynagi::Kampanya << 1 << 2 << 50.0
        << u"Kampanyalı Fiyat:"_s << u"Kampanyalı 10+5"_s << false << true;
}

void tst_StokAyrinti::kaynagaGoreDoldurma()
{
    QFETCH(TStokKaynagi, kaynak);
    QFETCH(int, k);
    QFETCH(int, tip);
    MemTable t;
    t.assign(stokSatiri(7, 50, k, {10, 5, 0, 0}));
    Tstokayarinti d(nullptr, 7);
    StokAyrintiDoldur(d, kaynak, t, tip, 4);
    QCOMPARE(d.adi->text(), u"FREN BALATASI"_s);
    QCOMPARE(d.barkod->text(), u"BRK-7"_s);
    QCOMPARE(d.kdvoran, 20.0);
    QCOMPARE(d.adet->value(), 4);
    QTEST(d.BirimFiyat(), "fiyat");
    QTEST(d.Label2->text(), "fiyatEtiketi");
    QTEST(d.indirimoran->text(), "indirimEtiketi");
    QTEST(!d.GridPanel2->isHidden(), "panel");
    QTEST(!d.birimfiyat->isReadOnly(), "fiyatYazilabilir");
    QCOMPARE(!d.edindirim1->isReadOnly(), !d.birimfiyat->isReadOnly());
}

// ------------------------------------------------------------ against the server

namespace {

struct Ortam
{
    SahteSunucu sunucu;
    datasnap::Connection bagc;
    TSonucBilgisi sbilgi;
    MemTable stok, sepet;
    TKatalogBaglami baglam;
    int sepetYuklemeSayisi = 0;
    TableData sepetVerisi;
    DialogRecorder dialoglar;
    std::function<int(Tstokayarinti &)> dialogCevabi;
    int dialogSayisi = 0;

    Ortam()
    {
        bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
        bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));
        sbilgi.setCARINO(1234);
        sbilgi.setSirano(77);
        sunucu.cevapla(u"EnVer"_s, "[1]");
        baglam.bagc = &bagc;
        baglam.sbilgi = &sbilgi;
        baglam.sepet = &sepet;
        baglam.SepetYukle = [this] {
            ++sepetYuklemeSayisi;
            sepet.assign(sepetVerisi);
        };
        baglam.PencereGoster = [this](QDialog &p) {
            ++dialogSayisi;
            auto *d = qobject_cast<Tstokayarinti *>(&p);
            return d && dialogCevabi ? dialogCevabi(*d) : int(QDialog::Rejected);
        };
    }
};

} // namespace

void tst_StokAyrinti::koliAdetSunucudan_data()
{
    QTest::addColumn<QByteArray>("cevap");
    QTest::addColumn<int>("koli");
    QTest::newRow("6") << QByteArray("[6]") << 6;
    QTest::newRow("0 counts as 1") << QByteArray("[0]") << 1;
    QTest::newRow("negative counts as 1") << QByteArray("[-4]") << 1;
    QTest::newRow("server error gives 1") << QByteArray() << 1;
}

void tst_StokAyrinti::koliAdetSunucudan()
{
    QFETCH(QByteArray, cevap);
    Ortam o;
    if (cevap.isEmpty())
        o.sunucu.hataVer(u"EnVer"_s, u"stok yok"_s);
    else
        o.sunucu.cevapla(u"EnVer"_s, cevap);
    QTEST(KoliAdetVer(o.bagc, 55), "koli");
    const auto cagrilar = o.sunucu.cagrilar(u"EnVer"_s);
    QCOMPARE(cagrilar.size(), 1);
    QCOMPARE(cagrilar.first().parametreler.at(0).toInt(), 55);
    // The main connection is not used for it.
    QVERIFY(!o.bagc.Connected());
    QVERIFY(o.dialoglar.messages().isEmpty());
}

void tst_StokAyrinti::sepettekiUrunDegistirilir()
{
    Ortam o;
    o.sunucu.cevapla(u"EnVer"_s, "[1]");
    o.stok.assign(stokSatiri(42, 50, 0));
    o.sepetVerisi = sepetSatiri(42, 9001, 7, {10, 0, 0, 0});
    int gorulenMiktar = -1;
    QString gorulenAd;
    o.dialogCevabi = [&](Tstokayarinti &d) {
        gorulenMiktar = d.adet->value();
        gorulenAd = d.adi->text();
        return int(QDialog::Rejected);
    };
    // The basket is not loaded yet: it is loaded first, then the line found.
    StokSepeteEkle(o.baglam, TStokKaynagi::StokListesi, o.stok, 42);
    QCOMPARE(o.sepetYuklemeSayisi, 1);
    QCOMPARE(o.dialogSayisi, 1);
    QCOMPARE(gorulenMiktar, 7);
    QCOMPARE(gorulenAd, u"SEPETTEKI AD"_s);
    QVERIFY(o.sunucu.cagrilar(u"SepetEkle2"_s).isEmpty());
    QVERIFY(o.sunucu.cagrilar(u"SepetGuncelle2"_s).isEmpty());
}

void tst_StokAyrinti::degisiklikDialogOranlariniGonderir_data()
{
    QTest::addColumn<bool>("oranDegisti");
    QTest::addColumn<TIndirimOranlari>("gonderilen");
    QTest::newRow("rates untouched") << false << TIndirimOranlari{10, 0, 0, 0};
    QTest::newRow("rep edits the rates") << true << TIndirimOranlari{15, 5, 2.5, 0};
}

void tst_StokAyrinti::degisiklikDialogOranlariniGonderir()
{
    QFETCH(bool, oranDegisti);
    QFETCH(TIndirimOranlari, gonderilen);
    Ortam o;
    o.sbilgi.setMusteriTipi(2);
    o.sunucu.cevapla(u"SepetGuncelle2"_s, "[1]");
    o.sepet.assign(sepetSatiri(42, 9001, 3, {10, 0, 0, 0}));
    o.sepetVerisi = o.sepet.data();
    o.dialogCevabi = [&](Tstokayarinti &d) {
        if (oranDegisti)
            d.setOranlar({15, 5, 2.5, 0});
        d.setMiktar(5);
        return int(QDialog::Accepted);
    };
    SepetSatiriDegistir(o.baglam);

    const auto cagrilar = o.sunucu.cagrilar(u"SepetGuncelle2"_s);
    QCOMPARE(cagrilar.size(), 1);
    const SahteSunucu::Cagri &c = cagrilar.first();
    QCOMPARE(c.parametreler.size(), 14);
    QCOMPARE(c.parametreler.at(1).toInt(), 1234);      // carino
    QCOMPARE(c.parametreler.at(2).toInt(), 0);         // stock number: the line is named by SIRANO
    QCOMPARE(c.parametreler.at(3).toString(), u"BRK-42"_s);
    QCOMPARE(c.parametreler.at(4).toString(), u"SEPETTEKI AD"_s);
    QCOMPARE(parametre(c, 5), 5.0);                    // quantity from the dialog
    QCOMPARE(parametre(c, 6), 20.0);                   // VAT
    QCOMPARE(parametre(c, 7), 40.0);                   // unit price
    QCOMPARE(parametre(c, 8), gonderilen[0]);
    QCOMPARE(c.parametreler.at(9).toInt(), 77);        // who entered it
    QCOMPARE(c.parametreler.at(10).toInt(), 9001);     // basket line
    QCOMPARE(parametre(c, 11), gonderilen[1]);
    QCOMPARE(parametre(c, 12), gonderilen[2]);
    QCOMPARE(parametre(c, 13), gonderilen[3]);
    QCOMPARE(o.sepetYuklemeSayisi, 1);
    QVERIFY(!o.bagc.Connected());
}

void tst_StokAyrinti::yeniSatirEklenir_data()
{
    QTest::addColumn<QByteArray>("sonuc");
    QTest::addColumn<int>("yukleme");
    QTest::newRow("added") << QByteArray("[1]") << 2;
    QTest::newRow("refused") << QByteArray("[0]") << 1;
}

void tst_StokAyrinti::yeniSatirEklenir()
{
    QFETCH(QByteArray, sonuc);
    Ortam o;
    o.sunucu.cevapla(u"EnVer"_s, "[6]");
    o.sunucu.cevapla(u"SepetEkle2"_s, sonuc);
    o.stok.assign(stokSatiri(42, 50, 1, {10, 0, 0, 0}));
    o.sepetVerisi = sepetSatiri(99, 1, 1, {0, 0, 0, 0}); // another item
    o.dialogCevabi = [](Tstokayarinti &d) {
        d.adet->setValue(8);
        QTest::mouseClick(d.ParcaliTus1, Qt::LeftButton); // rounds to whole packages
        return d.result();
    };
    StokSepeteEkle(o.baglam, TStokKaynagi::StokListesi, o.stok, 42);

    const auto cagrilar = o.sunucu.cagrilar(u"SepetEkle2"_s);
    QCOMPARE(cagrilar.size(), 1);
    const SahteSunucu::Cagri &c = cagrilar.first();
    QCOMPARE(c.parametreler.size(), 14);
    QCOMPARE(c.parametreler.at(1).toInt(), 1234);
    QCOMPARE(c.parametreler.at(2).toInt(), 42);
    QCOMPARE(c.parametreler.at(3).toString(), u"BRK-42"_s);
    QCOMPARE(c.parametreler.at(4).toString(), u"FREN BALATASI"_s);
    QCOMPARE(parametre(c, 5), 12.0);
    QCOMPARE(parametre(c, 6), 20.0);
    QCOMPARE(parametre(c, 7), 50.0);
    QCOMPARE(parametre(c, 8), 10.0);
    QCOMPARE(c.parametreler.at(9).toInt(), 77);
    QCOMPARE(c.parametreler.at(10).toInt(), 1); // K
    QTEST(o.sepetYuklemeSayisi, "yukleme");
    QVERIFY(o.dialoglar.messages().isEmpty());
}

QTEST_MAIN(tst_StokAyrinti)
#include "tst_stokayarinti.moc"
