// The stock movements and "Sipariş Hareketleri" windows: what they ask the
// server, what they show, and what happens when the server is unreachable.
#include "catalogue/hareket_stoku.h"
#include "catalogue/tumsiparislerU.h"
#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "platform/dataset/memtable.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "sahtesunucu.h"

#include <QFile>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

QByteArray hareketler(int satir)
{
    QList<QList<QByteArray>> satirlar;
    for (int i = 0; i < satir; ++i)
        satirlar << QList<QByteArray>{"\"B1\"", "45000", "\"Satış\"", QByteArray::number(2 + i),
                                      QByteArray::number(100 + 10 * i), QByteArray::number(200 + 10 * i)};
    return "[" + tabloJson({"BARKOD:string", "TARIH:date", "TURU:string", "MIKTAR:float",
                            "NETBIRIMFIYAT:float", "KDVDAHILTUTAR:float"}, satirlar) + "]";
}

QByteArray siparisler(int satir)
{
    QList<QList<QByteArray>> satirlar;
    for (int i = 0; i < satir; ++i)
        satirlar << QList<QByteArray>{"45001", QByteArray::number(900 + i), "\"PARCA\"", "5", "2", "1",
                                      "\"3\""};
    return "[" + tabloJson({"VERILISTARIHI:date", "STOK_STOKNO:integer", "STOKADI:string",
                            "MIKTAR:float", "KALAN:float", "DURUM:integer", "ELDEKI:string"},
                           satirlar) + "]";
}

struct Ortam
{
    SahteSunucu sunucu;
    datasnap::Connection bagc;
    TSonucBilgisi sbilgi;
    MemTable sepet;
    TKatalogBaglami baglam;
    DialogRecorder dialoglar;
    std::function<void(QDialog &)> goruldu;
    int pencereSayisi = 0;

    Ortam()
    {
        bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
        bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));
        sbilgi.setCARINO(1234);
        baglam.bagc = &bagc;
        baglam.sbilgi = &sbilgi;
        baglam.sepet = &sepet;
        baglam.PencereGoster = [this](QDialog &d) {
            ++pencereSayisi;
            if (goruldu)
                goruldu(d);
            return int(QDialog::Rejected);
        };
    }

    // Points the connection at a loopback port nobody listens on.
    void sunucuyuKapat()
    {
        QTcpServer bos;
        bos.listen(QHostAddress::LocalHost);
        const quint16 port = bos.serverPort();
        bos.close();
        bagc.setParam(datasnap::param::Port, QString::number(port));
    }
};

} // namespace

class tst_StokPencereleri : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        std::signal(SIGPIPE, SIG_IGN);
        QLocale::setDefault(QLocale::c());
        BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {});
    }

    void stokHareketleriGosterilir();
    void stokHareketleriBaglantiYoksaAcilmaz();
    void siparisHareketleri_data();
    void siparisHareketleri();
    void siparisHareketleriKullaniciTipleri_data();
    void siparisHareketleriKullaniciTipleri();
    void siparisHareketleriBaglantiYoksaUyarir();
    void siparisHareketleriExcel();
};

void tst_StokPencereleri::stokHareketleriGosterilir()
{
    Ortam o;
    o.sunucu.cevapla(u"StokHareketVer"_s, hareketler(3));
    int satir = -1;
    QString adet, basliklar;
    o.goruldu = [&](QDialog &d) {
        auto *h = qobject_cast<Thareket_stok *>(&d);
        QVERIFY(h);
        satir = h->cxGrid1->rowCount();
        adet = h->cxGrid1->footerText(u"MIKTAR"_s);
        const GridColumn &c = h->cxGrid1->column(h->cxGrid1->columnIndex(u"TLBIRIMFIYAT"_s));
        basliklar = c.headerText();
        QCOMPARE(h->cxGrid1->footerValue({u"NETBIRIMFIYAT"_s, SummaryKind::Average}), 110.0);
    };
    Thareket_stok::Goruntule(o.baglam, 321);
    QCOMPARE(o.pencereSayisi, 1);
    QCOMPARE(satir, 3);
    QVERIFY(adet.contains(u'3'));
    QCOMPARE(basliklar, u"TLBIRIMFIYAT"_s); // the headers show the field names
    const auto c = o.sunucu.cagrilar(u"StokHareketVer"_s);
    QCOMPARE(c.size(), 1);
    QCOMPARE(c.first().parametreler.at(0).toInt(), 1234);
    QCOMPARE(c.first().parametreler.at(1).toInt(), 321);
}

void tst_StokPencereleri::stokHareketleriBaglantiYoksaAcilmaz()
{
    Ortam o;
    o.sunucuyuKapat();
    Thareket_stok::Goruntule(o.baglam, 1);
    QCOMPARE(o.pencereSayisi, 0);
    // Only the check's own attempts are shown, no closing message.
    const auto mesajlar = o.dialoglar.messages();
    QCOMPARE(mesajlar.size(), 11);
    for (const ShownDialog &m : mesajlar)
        QVERIFY(m.text != u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
}

void tst_StokPencereleri::siparisHareketleri_data()
{
    QTest::addColumn<int>("stokno");
    QTest::addColumn<int>("satir");
    QTest::newRow("an item without orders") << 42 << 0;
    QTest::newRow("every item (0)") << 0 << 5;
}

void tst_StokPencereleri::siparisHareketleri()
{
    QFETCH(int, stokno);
    QFETCH(int, satir);
    Ortam o;
    o.sunucu.cevapla(u"TumSiparislerVer"_s, siparisler(satir));
    int gorulen = -1;
    QString sayim, kalan;
    o.goruldu = [&](QDialog &d) {
        auto *t = qobject_cast<Ttumsiparisler *>(&d);
        QVERIFY(t);
        QCOMPARE(t->windowTitle(), u"Sipariş Hareketleri"_s);
        gorulen = t->cxGrid1->rowCount();
        sayim = t->cxGrid1->footerText(u"VERILISTARIHI"_s);
        kalan = t->cxGrid1->footerText(u"KALAN"_s);
        QCOMPARE(t->geometry().topLeft(), QPoint(50, 50));
        QVERIFY(!t->bagim->Connected());
    };
    Ttumsiparisler::Goruntule(o.baglam, stokno);
    QCOMPARE(o.pencereSayisi, 1);
    QCOMPARE(gorulen, satir);
    QCOMPARE(sayim, QString::number(satir));
    QVERIFY2(kalan.startsWith(QString::number(2 * satir)), qPrintable(kalan));
    const auto c = o.sunucu.cagrilar(u"TumSiparislerVer"_s);
    QCOMPARE(c.size(), 1);
    QCOMPARE(c.first().parametreler.at(0).toInt(), 1234);
    QCOMPARE(c.first().parametreler.at(1).toInt(), stokno);
}

void tst_StokPencereleri::siparisHareketleriKullaniciTipleri_data()
{
    QTest::addColumn<int>("tip");
    QTest::addColumn<bool>("durum");
    QTest::addColumn<bool>("eldeki");
    QTest::newRow("rep 1") << 1 << true << true;
    QTest::newRow("rep 2") << 2 << true << true;
    QTest::newRow("type 3") << 3 << false << false;
    QTest::newRow("type 4") << 4 << true << false;
}

void tst_StokPencereleri::siparisHareketleriKullaniciTipleri()
{
    QFETCH(int, tip);
    QFETCH(bool, durum);
    QFETCH(bool, eldeki);
    Ttumsiparisler t(nullptr);
    t.KullaniciTipiUygula(tip);
    QCOMPARE(t.cxGrid1->isColumnVisible(u"DURUM"_s), durum);
    QCOMPARE(t.cxGrid1->chooserColumns().contains(u"DURUM"_s), durum);
    QCOMPARE(t.cxGrid1->isColumnVisible(u"ELDEKI"_s), eldeki);
    QCOMPARE(t.cxGrid1->chooserColumns().contains(u"ELDEKI"_s), eldeki);
}

void tst_StokPencereleri::siparisHareketleriBaglantiYoksaUyarir()
{
    Ortam o;
    o.sunucuyuKapat();
    Ttumsiparisler::Goruntule(o.baglam, 5);
    QCOMPARE(o.pencereSayisi, 0);
    const auto mesajlar = o.dialoglar.messages();
    QCOMPARE(mesajlar.size(), 12);
    QCOMPARE(mesajlar.last().text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
    QCOMPARE(mesajlar.last().kind, mtError);
}

void tst_StokPencereleri::siparisHareketleriExcel()
{
    Ortam o;
    o.sunucu.cevapla(u"TumSiparislerVer"_s, siparisler(2));
    QTemporaryDir dizin;
    const QString yol = dizin.filePath(u"siparisler.xls"_s);
    o.dialoglar.answerSaveFile(yol);
    o.goruldu = [&](QDialog &d) {
        auto *t = qobject_cast<Ttumsiparisler *>(&d);
        QTest::mouseClick(t->ExcelKaydetTus, Qt::LeftButton);
    };
    Ttumsiparisler::Goruntule(o.baglam, 0);
    const auto kayit = o.dialoglar.shown();
    QVERIFY(std::any_of(kayit.begin(), kayit.end(), [](const ShownDialog &s) {
        return s.what == ShownDialog::SaveFile && s.file.filter == u"Excel|*.xls*"_s;
    }));
    QVERIFY(QFile::exists(dizin.filePath(u"siparisler.xlsx"_s)));
    QVERIFY(o.dialoglar.messages().isEmpty());
}

QTEST_MAIN(tst_StokPencereleri)
#include "tst_stokpencereleri.moc"
