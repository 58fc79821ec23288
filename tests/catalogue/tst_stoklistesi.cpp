// The stock list tab: letter folding, the background search against a
// loopback server, the failure path, captions, the wide and narrow layouts,
// the price text cell and the double-click into the basket dialog.
#include "catalogue/fiyatbilgisi.h"
#include "catalogue/harfcevir.h"
#include "catalogue/stokayarintiU.h"
#include "catalogue/stoklistesiu.h"
#include "catalogue/stoksutunlari.h"
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "platform/dataset/memtable.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "sahtesunucu.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

const QList<QByteArray> kStokSutunlari = {
    "STOK_STOKNO:integer", "BARKOD:string", "ADI:string",     "OEM1:string",     "MARKA:string",
    "MODEL:string",        "DURUM:integer", "RESIM:integer",  "Y:integer",       "K:integer",
    "KDV:float",           "LISTEFIYAT1:float", "KAMPFIYAT:float", "FIYAT:float", "IND1:float",
    "IND2:float",          "IND3:float",    "IND4:float",     "INDIRIMYAZI:string", "NETFIYAT:float",
    "KDVDAHIL:float"};

QByteArray stokSonucu(int satir, bool ind1Var = true)
{
    QList<QByteArray> sutunlar = kStokSutunlari;
    if (!ind1Var)
        sutunlar.removeAll("IND1:float");
    QList<QList<QByteArray>> satirlar;
    for (int i = 1; i <= satir; ++i) {
        QList<QByteArray> s = {QByteArray::number(1000 + i), "\"BRK-" + QByteArray::number(i) + "\"",
                               "\"PARCA " + QByteArray::number(i) + "\"", "\"OEM\"", "\"MARKA\"",
                               "\"MODEL\"", "1", "1", "0", "0", "20", "100", "0", "100"};
        if (ind1Var)
            s << "10";
        s << "0" << "0" << "0" << "\"10\"" << "90" << "108";
        satirlar << s;
    }
    return "[" + tabloJson(sutunlar, satirlar) + "]";
}

struct Ortam
{
    SahteSunucu sunucu;
    datasnap::Connection bagc;
    TSonucBilgisi sbilgi;
    MemTable stok, sepet;
    TKatalogBaglami baglam;
    DialogRecorder dialoglar;
    QWidget pencere;
    TStokListesi *sekme = nullptr;
    QStringList basliklar;
    int sepetYukleme = 0;
    TableData sepetVerisi;
    std::function<int(QDialog &)> pencereCevabi;

    explicit Ortam(int genislik = 1400)
    {
        bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
        bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));
        sbilgi.setCARINO(1234);
        sunucu.cevapla(u"EnVer"_s, "[1]");
        baglam.bagc = &bagc;
        baglam.sbilgi = &sbilgi;
        baglam.sepet = &sepet;
        baglam.SepetYukle = [this] {
            ++sepetYukleme;
            sepet.assign(sepetVerisi);
        };
        baglam.PencereGoster = [this](QDialog &d) {
            return pencereCevabi ? pencereCevabi(d) : int(QDialog::Rejected);
        };
        auto *duzen = new QVBoxLayout(&pencere);
        auto *cubuk = new QHBoxLayout;
        duzen->addLayout(cubuk);
        sekme = new TStokListesi(baglam, stok, &pencere);
        sekme->AramaCubugunaYerlestir(cubuk);
        duzen->addWidget(sekme);
        QObject::connect(sekme, &TStokListesi::BaslikDegisti, sekme,
                         [this](const QString &b) { basliklar << b; });
        pencere.resize(genislik, 800);
        pencere.show();
    }

    bool ara(const QString &metin)
    {
        QSignalSpy bitti(sekme, &TStokListesi::AramaBitti);
        sekme->araedit->setText(metin);
        QTest::keyClick(sekme->araedit, Qt::Key_Return);
        if (!bitti.wait(10000))
            return false;
        return bitti.first().first().toBool();
    }
};

} // namespace

class tst_StokListesi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        std::signal(SIGPIPE, SIG_IGN);
        QLocale::setDefault(QLocale::c());
    }

    void harfCevirme_data();
    void harfCevirme();
    void noktaliKucukIKalir();
    void aramaSunucuyaGider_data();
    void aramaSunucuyaGider();
    void basarisizArama_data();
    void basarisizArama();
    void basliklar();
    void genisVeDarDuzen_data();
    void genisVeDarDuzen();
    void aramaSirasindaDuzenDegismez();
    void fiyatBilgisiYazisi_data();
    void fiyatBilgisiYazisi();
    void cifteTiklamaSepettekiSatiriDegistirir();
    void disaridanArama();
};

void tst_StokListesi::harfCevirme_data()
{
    QTest::addColumn<QString>("yazilan");
    QTest::addColumn<QString>("kutu");
    QTest::newRow("six letters") << u"şöğüçı"_s << u"SOGUCI"_s;
    QTest::newRow("capitals") << u"ŞÖĞÜÇİ"_s << u"SOGUCI"_s;
    QTest::newRow("plain code") << u"abc-12 x"_s << u"ABC-12 X"_s;
    QTest::newRow("dotted i shown upper case") << u"filtre"_s << u"FILTRE"_s;
}

void tst_StokListesi::harfCevirme()
{
    QFETCH(QString, yazilan);
    Ortam o;
    // Typed one key at a time, as a keyboard delivers them (QTest's key
    // helpers know only ASCII).
    for (QChar c : yazilan) {
        QKeyEvent basma(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(o.sekme->araedit, &basma);
    }
    QTEST(o.sekme->araedit->text(), "kutu");
    // Nothing is searched before Enter.
    QVERIFY(o.sunucu.cagrilar(u"StokAraGetirZelvori"_s).isEmpty());
}

void tst_StokListesi::noktaliKucukIKalir()
{
    QCOMPARE(HarfCevir(u'i'), QChar(u'i'));
    QCOMPARE(HarfCevir(u'ı'), QChar(u'I'));
    QCOMPARE(HarfCevir(u'İ'), QChar(u'I'));
    QCOMPARE(HarfCevir(u'x'), QChar(u'x'));
}

void tst_StokListesi::aramaSunucuyaGider_data()
{
    QTest::addColumn<QString>("metin");
    QTest::newRow("empty box") << QString();
    QTest::newRow("blanks kept") << u" FREN "_s;
}

void tst_StokListesi::aramaSunucuyaGider()
{
    QFETCH(QString, metin);
    Ortam o;
    o.sunucu.cevapla(u"StokAraGetirZelvori"_s, stokSonucu(3));
    QVERIFY(o.ara(metin));
    const auto cagrilar = o.sunucu.cagrilar(u"StokAraGetirZelvori"_s);
    QCOMPARE(cagrilar.size(), 1);
    QCOMPARE(cagrilar.first().parametreler.at(0).toString(), metin);
    QCOMPARE(cagrilar.first().parametreler.at(1).toObject().value(u"type"_s).toString(),
             u"baglantiu.TSonucBilgisi"_s);
    QCOMPARE(o.stok.RecordCount(), 3);
    QCOMPARE(o.sekme->cxGrid1->rowCount(), 3);
    QVERIFY(o.sekme->araedit->isEnabled());
    QVERIFY(o.sekme->gifstokara->isHidden());
    QVERIFY(o.dialoglar.messages().isEmpty());
    QVERIFY(!o.bagc.Connected()); // the search used a clone
}

void tst_StokListesi::basarisizArama_data()
{
    QTest::addColumn<bool>("sunucuHatasi");
    QTest::newRow("server raises an error") << true;
    QTest::newRow("result without IND1") << false;
}

void tst_StokListesi::basarisizArama()
{
    QFETCH(bool, sunucuHatasi);
    Ortam o;
    o.sunucu.cevapla(u"StokAraGetirZelvori"_s, stokSonucu(5));
    QVERIFY(o.ara(u"ILK"_s));
    QCOMPARE(o.stok.RecordCount(), 5);

    if (sunucuHatasi)
        o.sunucu.hataVer(u"StokAraGetirZelvori"_s, u"veritabanı hatası"_s);
    else
        o.sunucu.cevapla(u"StokAraGetirZelvori"_s, stokSonucu(2, false));
    QVERIFY(!o.ara(u"IKINCI"_s));
    QCOMPARE(o.stok.RecordCount(), 0);
    QCOMPARE(o.sekme->cxGrid1->rowCount(), 0);
    const auto mesajlar = o.dialoglar.messages();
    QCOMPARE(mesajlar.size(), 1);
    QCOMPARE(mesajlar.first().text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
    QCOMPARE(mesajlar.first().kind, mtError);
    QCOMPARE(o.sekme->Baslik(), u"Stok Listesi"_s);
    QVERIFY(o.sekme->araedit->isEnabled());
}

void tst_StokListesi::basliklar()
{
    Ortam o;
    QCOMPARE(o.sekme->Baslik(), u"Stok Listesi"_s);
    o.sunucu.cevapla(u"StokAraGetirZelvori"_s, stokSonucu(37));
    QVERIFY(o.ara(u"A"_s));
    QCOMPARE(o.sekme->Baslik(), u"37=Stok Listesi"_s);
    o.sunucu.cevapla(u"StokAraGetirZelvori"_s, stokSonucu(0));
    QVERIFY(o.ara(u"YOK"_s)); // an empty result is no failure
    QCOMPARE(o.sekme->Baslik(), u"0=Stok Listesi"_s);
    o.sekme->SpeedButton1Click();
    QCOMPARE(o.sekme->Baslik(), u"Stok Listesi"_s);
    QCOMPARE(o.sekme->araedit->text(), QString());
    o.sekme->CariDegisti();
    QCOMPARE(o.sekme->Baslik(), u"0=Stok Listesi"_s);
    QCOMPARE(o.basliklar, (QStringList{u"37=Stok Listesi"_s, u"0=Stok Listesi"_s, u"Stok Listesi"_s,
                                       u"0=Stok Listesi"_s}));
}

void tst_StokListesi::genisVeDarDuzen_data()
{
    QTest::addColumn<int>("genislik");
    QTest::addColumn<bool>("genis");
    QTest::newRow("1152 is narrow") << 1152 << false;
    QTest::newRow("1153 is wide") << 1153 << true;
}

void tst_StokListesi::genisVeDarDuzen()
{
    QFETCH(int, genislik);
    QFETCH(bool, genis);
    Ortam o(genislik);
    o.sekme->DuzenUygula();
    DataGrid *g = o.sekme->cxGrid1;
    for (const QString &s : {u"LISTEFIYAT1"_s, u"KAMPFIYAT"_s, u"NETFIYAT"_s, u"KDVDAHIL"_s})
        QCOMPARE(g->isColumnVisible(s), genis);
    QCOMPARE(g->isColumnVisible(kFiyatBilgisiSutunu), !genis);
    QCOMPARE(g->rowHeight(), genis ? 60 : 100);

    // Every visible column gets weight × trunc((grid width − 30) / sum of weights).
    int toplam = 0;
    for (const QString &s : g->visibleColumns())
        toplam += g->column(g->columnIndex(s)).weight;
    const int birim = (g->width() - 30) / toplam;
    QCOMPARE(g->columnWidth(u"ADI"_s), 3 * birim);
    QCOMPARE(g->columnWidth(u"DURUM"_s), birim);
    if (!genis) {
        QCOMPARE(g->columnWidth(kFiyatBilgisiSutunu), 150);
        QCOMPARE(g->columnWidth(u"OEM1"_s), 80);
    } else {
        QCOMPARE(g->columnWidth(u"KDVDAHIL"_s), 3 * birim);
    }
}

void tst_StokListesi::aramaSirasindaDuzenDegismez()
{
    Ortam o(1400);
    o.sekme->DuzenUygula();
    DataGrid *g = o.sekme->cxGrid1;
    const int adiOnce = g->columnWidth(u"ADI"_s);
    o.sunucu.cevapla(u"StokAraGetirZelvori"_s, stokSonucu(2));
    o.sunucu.kapiyiKapat(u"StokAraGetirZelvori"_s);
    QSignalSpy bitti(o.sekme, &TStokListesi::AramaBitti);
    QTest::keyClick(o.sekme->araedit, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(o.sunucu.bekleyenler(), 1, 5000);
    QVERIFY(!o.sekme->araedit->isEnabled());
    QVERIFY(!o.sekme->gifstokara->isHidden());

    o.pencere.resize(1000, 800);
    QTest::qWait(20);
    QCOMPARE(g->columnWidth(u"ADI"_s), adiOnce);
    QVERIFY(!g->isColumnVisible(kFiyatBilgisiSutunu));
    // "Ara" does nothing while a search runs.
    o.sekme->SpeedButton2Click();
    o.sunucu.kapiyiAc();
    QVERIFY(bitti.wait(10000));
    QCOMPARE(o.sunucu.cagrilar(u"StokAraGetirZelvori"_s).size(), 1);
}

void tst_StokListesi::fiyatBilgisiYazisi_data()
{
    QTest::addColumn<double>("kampanya");
    QTest::addColumn<QStringList>("satirlar");
    QTest::newRow("no campaign price") << 0.0 << QStringList{u"Liste Fiyatı: 1,234.50"_s,
        u"NetFiyat: 1,000.00"_s, u"KDV li Fiyat: 1,200.00"_s};
    QTest::newRow("campaign price 12.5") << 12.5 << QStringList{u"Liste Fiyatı: 1,234.50"_s,
        u"Kampanyalı Fiyat: 12.50"_s, u"NetFiyat: 1,000.00"_s, u"KDV li Fiyat: 1,200.00"_s};
}

void tst_StokListesi::fiyatBilgisiYazisi()
{
    QFETCH(double, kampanya);
    QFETCH(QStringList, satirlar);
    const QString yazi = FiyatBilgisiYazisi(1234.5, kampanya, 1000, 1200, QLocale::c());
    QVERIFY(yazi.endsWith(u"\r\n"_s));
    QCOMPARE(yazi.chopped(2).split(u"\r\n"_s), satirlar);
}

void tst_StokListesi::cifteTiklamaSepettekiSatiriDegistirir()
{
    Ortam o;
    o.sunucu.cevapla(u"StokAraGetirZelvori"_s, stokSonucu(3));
    QVERIFY(o.ara(u"PARCA"_s));
    // The basket holds item 1002 with 9 pieces.
    MemTable ornek;
    {
        TableData t({{u"SIRANO"_s, FieldType::Integer}, {u"STOKNO"_s, FieldType::Integer},
                     {u"STOKADI"_s, FieldType::String, 50}, {u"MIKTAR"_s, FieldType::Float}});
        const int r = t.appendRow();
        t.setInt(r, 0, 501);
        t.setInt(r, 1, 1002);
        t.setString(r, 2, u"SEPETTEKI PARCA"_s);
        t.setDouble(r, 3, 9);
        o.sepetVerisi = t;
    }
    QString acilan;
    int miktar = -1;
    o.pencereCevabi = [&](QDialog &d) {
        auto *s = qobject_cast<Tstokayarinti *>(&d);
        if (s) {
            acilan = s->adi->text();
            miktar = s->adet->value();
        }
        return int(QDialog::Rejected);
    };
    DataGrid *g = o.sekme->cxGrid1;
    g->setFocusedRow(1);
    QCOMPARE(g->focusedValue(u"STOK_STOKNO"_s).toInt(), 1002);
    QTableView *v = g->view();
    const QModelIndex hucre = v->model()->index(1, g->columnIndex(u"ADI"_s));
    const QRect alan = v->visualRect(hucre);
    QVERIFY(alan.isValid());
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, alan.center());
    QCOMPARE(acilan, u"SEPETTEKI PARCA"_s);
    QCOMPARE(miktar, 9);
    QCOMPARE(o.sepetYukleme, 1);

    // An item not in the basket opens the add dialog with its own row.
    acilan.clear();
    g->setFocusedRow(2);
    o.sekme->S2->trigger();
    QCOMPARE(acilan, u"PARCA 3"_s);
    QCOMPARE(miktar, 1);
    QVERIFY(o.sunucu.cagrilar(u"SepetEkle2"_s).isEmpty());
    QVERIFY(o.sunucu.cagrilar(u"SepetGuncelle2"_s).isEmpty());
}

void tst_StokListesi::disaridanArama()
{
    Ortam o;
    o.sunucu.cevapla(u"StokAraGetirZelvori"_s, stokSonucu(1));
    QSignalSpy one(o.sekme, &TStokListesi::OneGetir);
    QSignalSpy bitti(o.sekme, &TStokListesi::AramaBitti);
    o.sekme->AramaYap(u"balata"_s);
    QVERIFY(bitti.wait(10000));
    QCOMPARE(o.sekme->araedit->text(), u"BALATA"_s);
    QCOMPARE(o.sunucu.cagrilar(u"StokAraGetirZelvori"_s).first().parametreler.at(0).toString(),
             u"BALATA"_s);
    QVERIFY(one.size() >= 1);
}

QTEST_MAIN(tst_StokListesi)
#include "tst_stoklistesi.moc"
