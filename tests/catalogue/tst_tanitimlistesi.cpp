// The new-items and campaign tabs: loaded every time they are shown, their
// captions, the failure path and the double-click into the basket dialog.
#include "catalogue/stokayarintiU.h"
#include "catalogue/tanitimlistesiu.h"
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "platform/dataset/memtable.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "sahtesunucu.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TTanitimListesi::Tur)

namespace {

QByteArray liste(int satir, bool kampanya)
{
    QList<QByteArray> sutunlar = {"STOK_STOKNO:integer", "BARKOD:string", "ADI:string", "OEM1:string",
                                  "KDV:float", "K:integer", "FIYAT:float", "IND1:float",
                                  "INDIRIMYAZI:string"};
    if (kampanya)
        sutunlar << "ESKIFIYAT:float";
    QList<QList<QByteArray>> satirlar;
    for (int i = 1; i <= satir; ++i) {
        QList<QByteArray> s = {QByteArray::number(500 + i), "\"B" + QByteArray::number(i) + "\"",
                               "\"URUN " + QByteArray::number(i) + "\"", "\"O\"", "20",
                               kampanya ? "1" : "0", "80", "0", "\"\""};
        if (kampanya)
            s << "100";
        satirlar << s;
    }
    return "[" + tabloJson(sutunlar, satirlar) + "]";
}

struct Ortam
{
    SahteSunucu sunucu;
    datasnap::Connection bagc;
    TSonucBilgisi sbilgi;
    MemTable tablo, sepet;
    TKatalogBaglami baglam;
    DialogRecorder dialoglar;
    QTabWidget sekmeler;
    TTanitimListesi *sekme = nullptr;
    QStringList basliklar;
    TableData sepetVerisi;
    std::function<int(QDialog &)> pencereCevabi;

    explicit Ortam(TTanitimListesi::Tur tur)
    {
        bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
        bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));
        sbilgi.setCARINO(1234);
        sbilgi.setMusteriTipi(3);
        sunucu.cevapla(u"EnVer"_s, "[1]");
        baglam.bagc = &bagc;
        baglam.sbilgi = &sbilgi;
        baglam.sepet = &sepet;
        baglam.SepetYukle = [this] { sepet.assign(sepetVerisi); };
        baglam.PencereGoster = [this](QDialog &d) {
            return pencereCevabi ? pencereCevabi(d) : int(QDialog::Rejected);
        };
        sekmeler.addTab(new QWidget, u"Stok Listesi"_s);
        sekme = new TTanitimListesi(tur, baglam, tablo);
        sekmeler.addTab(sekme, u"..."_s);
        QObject::connect(sekme, &TTanitimListesi::BaslikDegisti, sekme,
                         [this](const QString &b) { basliklar << b; });
        sekmeler.resize(1200, 700);
        sekmeler.show();
    }

    bool goster()
    {
        QSignalSpy bitti(sekme, &TTanitimListesi::YuklemeBitti);
        sekmeler.setCurrentIndex(0);
        sekmeler.setCurrentIndex(1);
        return bitti.wait(10000) && bitti.first().first().toBool();
    }
};

QString metot(TTanitimListesi::Tur tur)
{
    return tur == TTanitimListesi::Tur::Yeniler ? u"YenilerVer2"_s : u"KampanyaliVer2"_s;
}

} // namespace

class tst_TanitimListesi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        std::signal(SIGPIPE, SIG_IGN);
        QLocale::setDefault(QLocale::c());
    }
    void herGosterimdeYuklenir_data();
    void herGosterimdeYuklenir();
    void basarisizYuklemeEskiSatirlariTutar_data();
    void basarisizYuklemeEskiSatirlariTutar();
    void kampanyaFiyatSutunlari();
    void cifteTiklamaSepettekiSatiriDegistirir();
};

void tst_TanitimListesi::herGosterimdeYuklenir_data()
{
    QTest::addColumn<TTanitimListesi::Tur>("tur");
    QTest::addColumn<QString>("baslik");
    QTest::addColumn<QList<int>>("parametreler");
    QTest::newRow("new items") << TTanitimListesi::Tur::Yeniler << u"4=Yeni Stoklar"_s << QList<int>{1234};
    // The customer type travels as the second parameter.
    QTest::newRow("campaign") << TTanitimListesi::Tur::Kampanya << u"4=Kampanyalı"_s << QList<int>{1234, 3};
}

void tst_TanitimListesi::herGosterimdeYuklenir()
{
    QFETCH(TTanitimListesi::Tur, tur);
    QFETCH(QList<int>, parametreler);
    Ortam o(tur);
    o.sunucu.cevapla(metot(tur), liste(4, tur == TTanitimListesi::Tur::Kampanya));
    QVERIFY(o.goster());
    QTEST(o.basliklar.value(0), "baslik");
    QCOMPARE(o.tablo.RecordCount(), 4);
    QCOMPARE(o.sekme->grid->rowCount(), 4);
    QVERIFY(o.sekme->grid->isEnabled());
    QVERIFY(o.sekme->Gosterge()->isHidden());
    QVERIFY(o.goster());
    const auto cagrilar = o.sunucu.cagrilar(metot(tur));
    QCOMPARE(cagrilar.size(), 2);
    QList<int> gelen;
    for (const auto &p : cagrilar.first().parametreler)
        gelen << p.toInt();
    QCOMPARE(gelen, parametreler);
    QVERIFY(o.dialoglar.messages().isEmpty());
}

void tst_TanitimListesi::basarisizYuklemeEskiSatirlariTutar_data()
{
    QTest::addColumn<TTanitimListesi::Tur>("tur");
    QTest::newRow("new items") << TTanitimListesi::Tur::Yeniler;
    QTest::newRow("campaign") << TTanitimListesi::Tur::Kampanya;
}

void tst_TanitimListesi::basarisizYuklemeEskiSatirlariTutar()
{
    QFETCH(TTanitimListesi::Tur, tur);
    Ortam o(tur);
    o.sunucu.cevapla(metot(tur), liste(3, tur == TTanitimListesi::Tur::Kampanya));
    QVERIFY(o.goster());
    o.sunucu.hataVer(metot(tur), u"sorgu zaman aşımı"_s);
    QVERIFY(!o.goster());
    QCOMPARE(o.tablo.RecordCount(), 3);
    QCOMPARE(o.sekme->grid->rowCount(), 3);
    QVERIFY(o.sekme->grid->isEnabled());
    const auto mesajlar = o.dialoglar.messages();
    QCOMPARE(mesajlar.size(), 1);
    QCOMPARE(mesajlar.first().kind, mtError);
    QCOMPARE(mesajlar.first().text, u"sorgu zaman aşımı"_s);
}

void tst_TanitimListesi::kampanyaFiyatSutunlari()
{
    Ortam o(TTanitimListesi::Tur::Kampanya);
    o.sunucu.cevapla(metot(TTanitimListesi::Tur::Kampanya), liste(1, true));
    QVERIFY(o.goster());
    DataGrid *g = o.sekme->grid;
    QCOMPARE(g->column(g->columnIndex(u"ESKIFIYAT"_s)).headerText(), u"Liste Fiyatı"_s);
    QCOMPARE(g->column(g->columnIndex(u"FIYAT"_s)).headerText(), u"Kampanyalı Fiyatı"_s);
    QVERIFY(g->isColumnVisible(u"ESKIFIYAT"_s));
    QVERIFY(g->isColumnVisible(u"FIYAT"_s));
    g->setFocusedRow(0);
    QCOMPARE(g->focusedValue(u"ESKIFIYAT"_s).toDouble(), 100.0);
    QCOMPARE(g->focusedValue(u"FIYAT"_s).toDouble(), 80.0);
}

void tst_TanitimListesi::cifteTiklamaSepettekiSatiriDegistirir()
{
    Ortam o(TTanitimListesi::Tur::Yeniler);
    o.sunucu.cevapla(u"YenilerVer2"_s, liste(2, false));
    QVERIFY(o.goster());
    TableData t({{u"SIRANO"_s, FieldType::Integer}, {u"STOKNO"_s, FieldType::Integer},
                 {u"STOKADI"_s, FieldType::String, 50}, {u"MIKTAR"_s, FieldType::Float}});
    const int r = t.appendRow();
    t.setInt(r, 0, 77);
    t.setInt(r, 1, 502);
    t.setString(r, 2, u"SEPETTE"_s);
    t.setDouble(r, 3, 4);
    o.sepetVerisi = t;
    QString ad;
    int miktar = -1;
    o.pencereCevabi = [&](QDialog &d) {
        if (auto *s = qobject_cast<Tstokayarinti *>(&d)) {
            ad = s->adi->text();
            miktar = s->adet->value();
        }
        return int(QDialog::Rejected);
    };
    DataGrid *g = o.sekme->grid;
    g->setFocusedRow(1);
    emit g->rowDoubleClicked(1);
    QCOMPARE(ad, u"SEPETTE"_s);
    QCOMPARE(miktar, 4);
}

QTEST_MAIN(tst_TanitimListesi)
#include "tst_tanitimlistesi.moc"
