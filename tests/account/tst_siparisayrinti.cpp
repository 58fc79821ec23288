// The order detail window: its totals (sums rounded after each addition, a
// fixed 20 % tax), the seller's note, the weighted column widths, and the two
// loads against a stand-in server.
#include "account/ayrinti_siparisu.h"
#include "account/oncekisekmesi.h"
#include "core/utils.h"
#include "platform/grid/datagrid.h"
#include "tests/basket/sepetortami.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

using Satirlar = QList<QPair<double, double>>;

namespace {

TableData satirlar(const QList<QPair<double, double>>& tutarIndirim)
{
    TableData d;
    d.setFields({{u"TUTAR"_s, FieldType::Float}, {u"INDIRIMTUTAR"_s, FieldType::Float}});
    for (const auto& [tutar, indirim] : tutarIndirim) {
        const int r = d.appendRow();
        d.setDouble(r, 0, tutar);
        d.setDouble(r, 1, indirim);
    }
    return d;
}

} // namespace

class tst_SiparisAyrinti : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        std::signal(SIGPIPE, SIG_IGN);
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    }
    void toplamlar_data();
    void toplamlar();
    void alaninNotu_data();
    void alaninNotu();
    void agirlikliGenislikler();
    void sunucudanYukler();
    void oncekiSekmesiSiparisiAcar();
};

void tst_SiparisAyrinti::toplamlar_data()
{
    QTest::addColumn<Satirlar>("satir");
    QTest::addColumn<double>("ara");
    QTest::addColumn<double>("vergi");
    QTest::addColumn<QStringList>("yazilar"); // Toplam, İndirim, Ara, Vergi, Genel
    using L = QList<QPair<double, double>>;
    // Each partial sum is rounded: 0.004 + 0.004 stays 0.00.
    QTest::newRow("kucuk satirlar") << L{{0.004, 0}, {0.004, 0}} << 0.0 << 0.0
                                    << QStringList{u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s, u"00,00"_s};
    QTest::newRow("net 100") << L{{150, 50}} << 100.0 << 20.0
                             << QStringList{u"150,00"_s, u"50,00"_s, u"100,00"_s, u"20,00"_s, u"120,00"_s};
    QTest::newRow("net 0.05") << L{{0.05, 0}} << 0.05 << 0.01
                              << QStringList{u"0,05"_s, u"0,00"_s, u"0,05"_s, u"0,01"_s, u"00,06"_s};
    QTest::newRow("genel 10 altinda") << L{{3.00, 0}, {1.58, 0}} << 4.58 << 0.92
                                      << QStringList{u"4,58"_s, u"0,00"_s, u"4,58"_s, u"0,92"_s, u"05,50"_s};
    QTest::newRow("binlik") << L{{1234.5, 0.25}} << 1234.25 << 246.85
                            << QStringList{u"1.234,50"_s, u"0,25"_s, u"1.234,25"_s, u"246,85"_s, u"1.481,10"_s};
}

void tst_SiparisAyrinti::toplamlar()
{
    QFETCH(Satirlar, satir);
    QFETCH(double, ara);
    QFETCH(double, vergi);
    QFETCH(QStringList, yazilar);
    Tayrinti_siparis pencere(nullptr);
    pencere.sepet.assign(satirlar(satir));
    pencere.SepetHesapla();
    QCOMPARE(pencere.Toplamlar().Ara, ara);
    QVERIFY(qAbs(pencere.Toplamlar().Vergi - vergi) < 1e-9);
    const QStringList gorunen{pencere.Etiketler.aratoplaml->text(), pencere.Etiketler.indiriml->text(),
                              pencere.Etiketler.nettutarl->text(), pencere.Etiketler.vergil->text(),
                              pencere.Etiketler.geneltoplaml->text()};
    QCOMPARE(gorunen, yazilar);
}

void tst_SiparisAyrinti::alaninNotu_data()
{
    QTest::addColumn<QString>("bizim");
    QTest::addColumn<QString>("satici");
    QTest::addColumn<QString>("beklenen");
    const QString cizgi(22, u'-');
    QTest::newRow("satici notu yok") << u"Hazırlanıyor"_s << QString() << u"Hazırlanıyor"_s;
    QTest::newRow("yalniz bosluk") << u"Hazırlanıyor"_s << u"   "_s << u"Hazırlanıyor"_s;
    QTest::newRow("satici notu") << u"Hazırlanıyor"_s << u"Cuma kargoda"_s
                                 << u"Hazırlanıyor\n"_s + cizgi + u"\nSatıcı Notu:\nCuma kargoda"_s;
    QTest::newRow("bizim bos") << QString() << u"Ara bizi"_s << cizgi + u"\nSatıcı Notu:\nAra bizi"_s;
}

void tst_SiparisAyrinti::alaninNotu()
{
    QFETCH(QString, bizim);
    QFETCH(QString, satici);
    QFETCH(QString, beklenen);
    QCOMPARE(AlaninNotu(bizim, satici), beklenen);

    // The window shows the same in "Siparişi Alanın Notu:".
    Tayrinti_siparis pencere(nullptr);
    pencere.asagi.setBizimMesaj(bizim);
    pencere.asagi.setSaticiNotu(satici);
    pencere.asagi.setSizinMesaj(u"Acele"_s);
    pencere.SepetHesapla();
    QCOMPARE(pencere._bizim->toPlainText(), beklenen);
    QCOMPARE(pencere._sizin->toPlainText(), u"Acele"_s);
}

void tst_SiparisAyrinti::agirlikliGenislikler()
{
    Tayrinti_siparis pencere(nullptr);
    // The standard visible set weighs 22; 22 × 50 + 30 leaves a unit of 50.
    pencere.cxGrid2->resize(22 * 50 + 30 + 10, 300);
    pencere.cxGrid2Resize();
    const QStringList gorunur = pencere.cxGrid2->visibleColumns();
    int toplam = 0;
    for (const QString& ad : gorunur)
        toplam += pencere.cxGrid2->column(pencere.cxGrid2->columnIndex(ad)).weight;
    QCOMPARE(toplam, 22);
    QCOMPARE(pencere.cxGrid2->columnWidth(u"VERILISTARIHI"_s), 50);
    QCOMPARE(pencere.cxGrid2->columnWidth(u"BARKOD"_s), 100);
    QCOMPARE(pencere.cxGrid2->columnWidth(u"STOKADI"_s), 150);
    QCOMPARE(pencere.cxGrid2->columnWidth(u"KALAN"_s), 50);

    // Showing a hidden column adds its weight: unit trunc(1110 / 23) = 48.
    pencere.cxGrid2->setColumnVisible(u"MARKA"_s, true);
    QCOMPARE(pencere.cxGrid2->columnWidth(u"STOKADI"_s), 3 * 48);
    QCOMPARE(pencere.cxGrid2->columnWidth(u"MARKA"_s), 48);
}

void tst_SiparisAyrinti::sunucudanYukler()
{
    SunucuOrtami o;
    o.sunucu.cevapla(u"SiparisAyrintisi2"_s,
                     "[" + tabloJson({"BARKOD:string", "TUTAR:float", "INDIRIMTUTAR:float", "MIKTAR:float"},
                                     {{"\"B1\"", "60", "10", "2"}, {"\"B2\"", "50", "0", "1"}})
                         + "]");
    o.sunucu.cevapla(u"SiparisAytintisiDip"_s,
                     R"([{"type":"baglantiu.TSiparisDipAyrinti","id":1,"fields":{"FSizinMesaj":"Acil","FDurumu":"Onaylandı","FVeren":"AHMET","FKargo":"Yurtiçi","FBizimMesaj":"Tamam","FTeslimCinsi":"Kargo","FKargoCinsi":"Alıcı Öder","FSaticiNotu":""}}])");
    Tayrinti_siparis pencere(nullptr);
    pencere.Yukle(o.bagc, o.sbilgi.CARINO(), 55);
    QCOMPARE(pencere.sepet.RecordCount(), 2);
    QCOMPARE(pencere.Etiketler.geneltoplaml->text(), u"120,00"_s);
    const QList<SahteSunucu::Cagri> satir = o.sunucu.cagrilar(u"SiparisAyrintisi2"_s);
    QCOMPARE(satir.size(), 1);
    QCOMPARE(satir.first().parametreler.at(0).toInt(), 7);
    QCOMPARE(satir.first().parametreler.at(1).toInt(), 55);
    const QList<SahteSunucu::Cagri> dip = o.sunucu.cagrilar(u"SiparisAytintisiDip"_s);
    QCOMPARE(dip.size(), 1);
    QCOMPARE(dip.first().parametreler.at(0).toInt(), 0);
    QCOMPARE(dip.first().parametreler.at(1).toInt(), 55);
    QCOMPARE(pencere._sipdurun->text(), u"Onaylandı"_s);
    QCOMPARE(pencere._kargocinsi->text(), u"Alıcı Öder"_s);
    QCOMPARE(pencere.sepet.displayFormat(pencere.sepet.data().fieldIndex(u"TUTAR")), OndalikGorunum());
}

void tst_SiparisAyrinti::oncekiSekmesiSiparisiAcar()
{
    SunucuOrtami o;
    o.sunucu.cevapla(u"OncekiSiparisler"_s,
                     "[" + tabloJson({"CARINO:integer", "IDNO:integer", "TUTAR:float", "VERENINNOTU:string",
                                      "ALANNOTU:string"},
                                     {{"7", "5001", "120", "\"Acil\"", "\"\""}, {"7", "5002", "80.5", "\"\"", "\"Tamam\""}})
                         + "]");
    o.sunucu.cevapla(u"SiparisAyrintisi2"_s, "[" + tabloJson({"TUTAR:float", "INDIRIMTUTAR:float"}, {{"10", "0"}}) + "]");
    o.sunucu.cevapla(u"SiparisAytintisiDip"_s, "[null]");
    MemTable ONCEKILER;
    TOncekiSiparislerSekmesi sekme(o.bagc, o.sbilgi, ONCEKILER);
    QSignalSpy bitti(&sekme, &TOncekiSiparislerSekmesi::YuklemeBitti);
    sekme.Gosterildi();
    QVERIFY(bitti.wait(10000));
    QCOMPARE(bitti.first().first().toBool(), true);
    QCOMPARE(ONCEKILER.RecordCount(), 2);
    QCOMPARE(ONCEKILER.displayFormat(ONCEKILER.data().fieldIndex(u"TUTAR")), OndalikGorunum());
    QCOMPARE(sekme.cxGrid3->columnWidth(u"ALANNOTU"_s), 200);
    QVERIFY(sekme.cxGrid3->isEnabled());

    QStringList acilan;
    sekme.PencereGoster = [&](QDialog& d) {
        auto* pencere = qobject_cast<Tayrinti_siparis*>(&d);
        acilan << (pencere ? pencere->Etiketler.geneltoplaml->text() : QString());
        return int(QDialog::Accepted);
    };
    sekme.cxGrid3->setFocusedRow(1);
    sekme.S1Click();
    const QList<SahteSunucu::Cagri> cagri = o.sunucu.cagrilar(u"SiparisAyrintisi2"_s);
    QCOMPARE(cagri.size(), 1);
    QCOMPARE(cagri.first().parametreler.at(1).toInt(), 5002);
    QCOMPARE(acilan, QStringList{u"12,00"_s});
}

QTEST_MAIN(tst_SiparisAyrinti)
#include "tst_siparisayrinti.moc"
