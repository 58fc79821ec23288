// The outstanding order lines: totals with the fixed 20 % tax, the order
// footer, the balance and price dialogs and the calls they lead to, and the
// customer-type rules.
#include "basket/bakiyedegistiru.h"
#include "basket/bakiyelersekmesi.h"
#include "basket/bakiyesiparisleru.h"
#include "basket/fiyatdegistiru.h"
#include "platform/grid/datagrid.h"
#include "sepetortami.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

struct BakiyeSatiri
{
    int sirano = 0;
    double tutar = 0;
    double indirim = 0;
    int idno = 0;
};

QByteArray bakiyeJson(const QList<BakiyeSatiri>& satirlar)
{
    QList<QList<QByteArray>> rows;
    for (const BakiyeSatiri& s : satirlar)
        rows.append({QByteArray::number(s.sirano), QByteArray::number(500 + s.sirano),
                     QByteArray::number(900 + s.sirano), QByteArray::number(s.idno),
                     "\"BRK-" + QByteArray::number(s.sirano) + "\"", "\"BALATA\"", "\"F-1\"", "\"MARKA\"",
                     "\"MODEL\"", "12", "4.5", "7.5", "\"25\"", "200", "10", sayiJson(s.tutar),
                     sayiJson(s.indirim), "3"});
    return "["
        + tabloJson({"SIRANO:integer", "STOKHAR_NO:integer", "STOK_STOKNO:integer", "IDNO:integer",
                     "BARKOD:string", "ACIKLAMA:string", "FINISHKOD:string", "MARKA:string",
                     "MODEL:string", "MIKTAR:float", "TESLIMEDILEN:float", "KALAN:float",
                     "ELDEKI:string", "BIRIMFIYAT:float", "INDIRIMORANI1:float", "TUTAR:float",
                     "INDIRIMTUTAR:float", "DURUM:integer"},
                    rows)
        + "]";
}

QByteArray dipJson(const QString& durum)
{
    QJsonObject alanlar{{u"FSizinMesaj"_s, u"Acele"_s}, {u"FDurumu"_s, durum},
                        {u"FVeren"_s, u"AHMET"_s},     {u"FKargo"_s, u"HIZLI KARGO"_s},
                        {u"FBizimMesaj"_s, u"Yarın"_s}, {u"FTeslimCinsi"_s, u"Kargo"_s},
                        {u"FKargoCinsi"_s, u"Anlaşmalı"_s}, {u"FSaticiNotu"_s, QString()}};
    QJsonObject o{{u"type"_s, u"baglantiu.TSiparisDipAyrinti"_s}, {u"id"_s, 1}, {u"fields"_s, alanlar}};
    return "[" + QJsonDocument(o).toJson(QJsonDocument::Compact) + "]";
}

struct BakiyeOrtami : SunucuOrtami
{
    std::unique_ptr<Tbakiyesiparisler> pencere;
    std::function<int(QDialog&)> cevap = [](QDialog&) { return int(QDialog::Rejected); };

    explicit BakiyeOrtami(int musteriTipi = 0)
    {
        sbilgi.setMusteriTipi(musteriTipi);
        sunucu.cevapla(u"BakiyelerVer2"_s, bakiyeJson({{1, 100, 10, 71}, {2, 50, 0, 72}}));
        sunucu.cevapla(u"SiparisAytintisiDip"_s, dipJson(u"Onaylandı"_s));
        for (const QString& m : {u"BakiyeDuzenle"_s, u"BakiyeDegistir"_s, u"BakiyeFiyatDegistir"_s})
            sunucu.cevapla(m, "[1]");
        pencere = std::make_unique<Tbakiyesiparisler>(nullptr, bagc, sbilgi);
        pencere->KullaniciTipiUygula(musteriTipi, false);
        pencere->PencereGoster = [this](QDialog& d) { return cevap(d); };
        pencere->resize(1284, 636);
    }
    QStringList etiketler() const
    {
        return {pencere->aratoplaml->text(), pencere->indiriml->text(), pencere->nettutarl->text(),
                pencere->vergil->text(), pencere->geneltoplaml->text()};
    }
    QJsonArray parametreler(const QString& metot) const
    {
        const QList<SahteSunucu::Cagri> c = sunucu.cagrilar(metot);
        return c.isEmpty() ? QJsonArray() : c.last().parametreler;
    }
};

// Types into a box as the user would (each key pressed and released).
void yaz(QAbstractSpinBox* kutu, const QString& metin)
{
    QLineEdit* e = kutu->findChild<QLineEdit*>();
    e->selectAll();
    QTest::keyClicks(e, metin);
}

} // namespace

using Bakiyeler = QList<BakiyeSatiri>;
Q_DECLARE_METATYPE(Bakiyeler)

class tst_Bakiye : public QObject
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
    void siparisDibi();
    void baglantiYoksaListeKalir();
    void fiyatEtiketleri_data();
    void fiyatEtiketleri();
    void bakiyeDialogEnter_data();
    void bakiyeDialogEnter();
    void bakiyeIkiKezGider();
    void bakiyeSil_data();
    void bakiyeSil();
    void fiyatDegistir();
    void musteriTipi_data();
    void musteriTipi();
    void gomuluSekme();
};

void tst_Bakiye::toplamlar_data()
{
    QTest::addColumn<Bakiyeler>("satirlar");
    QTest::addColumn<QStringList>("beklenen");
    QTest::newRow("100 / 10") << Bakiyeler{{1, 100, 10, 1}}
                              << QStringList{u"100,00"_s, u"10,00"_s, u"90,00"_s, u"18,00"_s, u"108,00"_s};
    // The grand total has at least two integer digits.
    QTest::newRow("genel toplam 5") << Bakiyeler{{1, 4.17, 0, 1}}
                                    << QStringList{u"4,17"_s, u"0,00"_s, u"4,17"_s, u"0,83"_s, u"05,00"_s};
    QTest::newRow("iki satır") << Bakiyeler{{1, 100, 10, 1}, {2, 0.005, 0.004, 1}}
                               << QStringList{u"100,01"_s, u"10,00"_s, u"90,01"_s, u"18,00"_s, u"108,01"_s};
    QTest::newRow("boş") << Bakiyeler{}
                         << QStringList{u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s, u"00,00"_s};
}

void tst_Bakiye::toplamlar()
{
    QFETCH(Bakiyeler, satirlar);
    QFETCH(QStringList, beklenen);
    BakiyeOrtami o;
    o.sunucu.cevapla(u"BakiyelerVer2"_s, bakiyeJson(satirlar));
    QVERIFY(o.pencere->BakiyeAlalim());
    QCOMPARE(o.pencere->bakiyesepet.RecordCount(), satirlar.size());
    QCOMPARE(o.etiketler(), beklenen);
    QCOMPARE(o.parametreler(u"BakiyelerVer2"_s).at(0).toInt(), 7);
}

void tst_Bakiye::siparisDibi()
{
    BakiyeOrtami o;
    // The first load shows the footer of the line the focus lands on.
    QVERIFY(o.pencere->BakiyeAlalim());
    QCOMPARE(o.sunucu.cagrilar(u"SiparisAytintisiDip"_s).size(), 1);
    QCOMPARE(o.parametreler(u"SiparisAytintisiDip"_s).at(1).toInt(),
             o.pencere->cxGrid2->focusedValue(u"IDNO"_s).toInt());
    QCOMPARE(o.pencere->_sipdurun->text(), u"Onaylandı"_s);

    o.sunucu.cevapla(u"SiparisAytintisiDip"_s, dipJson(u"Alındı"_s));
    o.pencere->cxGrid2->setFocusedRow(1);
    o.pencere->SiparisDipGoster();
    const QJsonArray p = o.parametreler(u"SiparisAytintisiDip"_s);
    QCOMPARE(p.at(0).toInt(), 0);
    QCOMPARE(p.at(1).toInt(), 72);
    QCOMPARE(o.pencere->_sipdurun->text(), u"Alındı"_s);
    QCOMPARE(o.pencere->_teslimcinsi->text(), u"Kargo"_s);
    QCOMPARE(o.pencere->_kargocinsi->text(), u"Anlaşmalı"_s);
    QCOMPARE(o.pencere->_kargo->text(), u"HIZLI KARGO"_s);
    QCOMPARE(o.pencere->_veren->text(), u"AHMET"_s);
    QCOMPARE(o.pencere->_sizin->toPlainText(), u"Acele"_s);
    QCOMPARE(o.pencere->_bizim->toPlainText(), u"Yarın"_s);

    // A reload focuses the first line: its footer is fetched anew, unless it
    // is the order already shown.
    o.sunucu.cevapla(u"SiparisAytintisiDip"_s, dipJson(u"Alındı"_s));
    QVERIFY(o.pencere->BakiyeAlalim());
    QCOMPARE(o.parametreler(u"SiparisAytintisiDip"_s).at(1).toInt(), 71);
    o.sunucu.cevapla(u"SiparisAytintisiDip"_s, dipJson(u"Sevk Edildi"_s));
    o.sunucu.temizle();
    QVERIFY(o.pencere->BakiyeAlalim());
    QVERIFY(o.sunucu.cagrilar(u"SiparisAytintisiDip"_s).isEmpty());
    QCOMPARE(o.pencere->_sipdurun->text(), u"Alındı"_s);
}

// Every call of the window is preceded by the connection check with its
// closing message; a failed check leaves the list as it was.
void tst_Bakiye::baglantiYoksaListeKalir()
{
    BakiyeOrtami o;
    QVERIFY(o.pencere->BakiyeAlalim());
    QCOMPARE(o.pencere->bakiyesepet.RecordCount(), 2);
    o.sunucuyuKapat();
    QVERIFY(!o.pencere->BakiyeAlalim());
    QCOMPARE(o.pencere->bakiyesepet.RecordCount(), 2);
    QCOMPARE(o.dialogs.messages().last().text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
    QCOMPARE(o.pencere->geneltoplaml->text(), u"168,00"_s);
}

void tst_Bakiye::fiyatEtiketleri_data()
{
    QTest::addColumn<QString>("oran");
    QTest::addColumn<QString>("net");
    QTest::addColumn<QString>("kdvli");
    QTest::newRow("%10") << u"10"_s << u"180,00"_s << u"216,00"_s;
    QTest::newRow("%0") << u"0"_s << u"200,00"_s << u"240,00"_s;
}

void tst_Bakiye::fiyatEtiketleri()
{
    QFETCH(QString, oran);
    QFETCH(QString, net);
    QFETCH(QString, kdvli);
    Tfiyatdegistir d(nullptr);
    d.setDegerler(200, 25);
    d.show();
    QCOMPARE(d.LBLNET->text(), u"Net Fiyat:"_s);
    QCOMPARE(d.LABELKDV->text(), u"Net Fiyat:"_s);
    yaz(d._iskonto, oran);
    QCOMPARE(d.LBLNET->text(), net);
    QCOMPARE(d.LABELKDV->text(), kdvli);
    // An emptied price box cannot be read and counts as 0.
    QLineEdit* fiyat = d._fiyat->findChild<QLineEdit*>();
    fiyat->selectAll();
    QTest::keyClick(fiyat, Qt::Key_Delete);
    QCOMPARE(d.LBLNET->text(), u"00,00"_s);
}

void tst_Bakiye::bakiyeDialogEnter_data()
{
    QTest::addColumn<QString>("yazilan");
    QTest::addColumn<bool>("kapanir");
    QTest::addColumn<int>("bakiye");
    QTest::newRow("0") << u"0"_s << false << 0;
    QTest::newRow("boş") << QString() << false << 0;
    QTest::newRow("5") << u"5"_s << true << 5;
}

void tst_Bakiye::bakiyeDialogEnter()
{
    QFETCH(QString, yazilan);
    QFETCH(bool, kapanir);
    QFETCH(int, bakiye);
    Tbakiyedegistir d(nullptr);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(d.adet->value(), 1);
    QLineEdit* e = d.adet->findChild<QLineEdit*>();
    e->selectAll();
    e->del();
    QTest::keyClicks(e, yazilan);
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(d.isVisible(), !kapanir);
    QCOMPARE(d.result(), kapanir ? int(QDialog::Accepted) : int(QDialog::Rejected));
    if (kapanir) {
        QCOMPARE(d.YeniBakiye(), bakiye);
        return;
    }
    // "Değiştir" closes it; the balance never goes below 1.
    d.findChild<QPushButton*>(u"Button1"_s)->click();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(d.YeniBakiye() >= 1);
}

void tst_Bakiye::bakiyeIkiKezGider()
{
    BakiyeOrtami o(1);
    QVERIFY(o.pencere->BakiyeAlalim());
    o.pencere->cxGrid2->setFocusedRow(0);
    QString elimizde, eski, alinan;
    bool elimizdeGorunur = false;
    o.cevap = [&](QDialog& d) {
        auto& b = static_cast<Tbakiyedegistir&>(d);
        elimizde = b.elimizde->text();
        elimizdeGorunur = !b.elimizde->isHidden();
        eski = b.eskibakiye->text();
        alinan = b.alinansiparis->text();
        b.adet->setValue(7);
        return int(QDialog::Accepted);
    };
    o.pencere->B2Click();
    QCOMPARE(o.dialogs.messages().first().text, u"Sipariş Bakiyesini Değiştirmek İstiyor musunuz ?"_s);
    QCOMPARE(o.dialogs.messages().first().focused, mbYes);
    QCOMPARE(alinan, u"12"_s);
    QCOMPARE(eski, u"7,5"_s);
    QCOMPARE(elimizde, u"25"_s);
    QVERIFY(elimizdeGorunur);
    const QJsonArray p = o.parametreler(u"BakiyeDegistir"_s);
    QCOMPARE(p.size(), 7);
    QCOMPARE(p.at(1).toInt(), 901); // STOK_STOKNO
    QCOMPARE(p.at(2).toInt(), 1);   // SIRANO
    QCOMPARE(p.at(3).toInt(), 501); // STOKHAR_NO
    QCOMPARE(p.at(4).toDouble(), 7.0);
    QCOMPARE(p.at(5).toDouble(), 7.0);
    QCOMPARE(p.at(6).toString(), u"BRK-1"_s);
    QCOMPARE(o.sunucu.cagrilar(u"BakiyelerVer2"_s).size(), 2);
    QCOMPARE(o.dialogs.texts().last(), u"Bakiye Değiştirildi !"_s);

    // A dealer (type 0) does not see what is on hand.
    BakiyeOrtami bayi(0);
    QVERIFY(bayi.pencere->BakiyeAlalim());
    bayi.pencere->cxGrid2->setFocusedRow(0);
    bayi.cevap = [&](QDialog& d) {
        elimizdeGorunur = !static_cast<Tbakiyedegistir&>(d).elimizde->isHidden();
        return int(QDialog::Rejected);
    };
    bayi.pencere->B2Click();
    QVERIFY(!elimizdeGorunur);
    QVERIFY(bayi.sunucu.cagrilar(u"BakiyeDegistir"_s).isEmpty());
}

void tst_Bakiye::bakiyeSil_data()
{
    QTest::addColumn<int>("cevap");
    QTest::addColumn<bool>("siler");
    QTest::newRow("Evet") << int(mrYes) << true;
    QTest::newRow("Hayır") << int(mrNo) << false;
}

void tst_Bakiye::bakiyeSil()
{
    QFETCH(int, cevap);
    QFETCH(bool, siler);
    BakiyeOrtami o;
    QVERIFY(o.pencere->BakiyeAlalim());
    o.pencere->cxGrid2->setFocusedRow(1);
    o.dialogs.answer(cevap);
    o.pencere->B1Click();
    QCOMPARE(o.dialogs.messages().first().focused, mbNo);
    QCOMPARE(o.sunucu.cagrilar(u"BakiyeDuzenle"_s).size(), siler ? 1 : 0);
    if (siler) {
        const QJsonArray p = o.parametreler(u"BakiyeDuzenle"_s);
        QCOMPARE(p.at(1).toInt(), 902);
        QCOMPARE(p.at(2).toInt(), 2);
        QCOMPARE(p.at(3).toInt(), 502);
        QCOMPARE(p.at(4).toDouble(), 12.0);
        QCOMPARE(p.at(5).toDouble(), 7.5);
        QCOMPARE(o.sunucu.cagrilar(u"BakiyelerVer2"_s).size(), 2);
        QCOMPARE(o.dialogs.messages().size(), 1); // no message follows
    }
}

void tst_Bakiye::fiyatDegistir()
{
    BakiyeOrtami o(2);
    QVERIFY(o.pencere->BakiyeAlalim());
    o.pencere->cxGrid2->setFocusedRow(0);
    double fiyat = 0, oran = 0;
    o.cevap = [&](QDialog& d) {
        auto& f = static_cast<Tfiyatdegistir&>(d);
        fiyat = f._fiyat->value();
        oran = f._iskonto->value();
        f.setDegerler(150, 5);
        return int(QDialog::Accepted);
    };
    o.pencere->F1Click();
    QCOMPARE(fiyat, 200.0);
    QCOMPARE(oran, 10.0);
    const QJsonArray p = o.parametreler(u"BakiyeFiyatDegistir"_s);
    QCOMPARE(p.size(), 9);
    QCOMPARE(p.at(1).toInt(), 0);
    QCOMPARE(p.at(4).toDouble(), 12.0);
    QCOMPARE(p.at(5).toDouble(), 12.0);
    QCOMPARE(p.at(7).toDouble(), 150.0);
    QCOMPARE(p.at(8).toDouble(), 5.0);
    const ShownDialog kutu = o.dialogs.last();
    QCOMPARE(kutu.what, ShownDialog::MessageBox);
    QCOMPARE(kutu.text, u"Fiyat Değiştirildi !"_s);
    QCOMPARE(kutu.caption, u"Bilgi"_s);
    QCOMPARE(kutu.kind, mtInformation);

    // Other customer types cannot change prices.
    BakiyeOrtami bayi(1);
    QVERIFY(bayi.pencere->BakiyeAlalim());
    bayi.pencere->cxGrid2->setFocusedRow(0);
    bayi.pencere->F1Click();
    QVERIFY(bayi.sunucu.cagrilar(u"BakiyeFiyatDegistir"_s).isEmpty());
}

void tst_Bakiye::musteriTipi_data()
{
    QTest::addColumn<int>("tip");
    QTest::addColumn<bool>("gomulu");
    QTest::addColumn<QStringList>("gorunen");
    QTest::addColumn<QStringList>("gorunmeyen");
    QTest::addColumn<bool>("fiyatMenusu");
    const QStringList siparis{u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s};
    QTest::newRow("bayi") << 0 << true << QStringList{u"DURUM"_s}
                          << QStringList{u"ILKFIYAT"_s, u"ELDEKI"_s} + siparis << false;
    QTest::newRow("tip 1 gömülü") << 1 << true << QStringList{u"ELDEKI"_s, u"DURUM"_s} + siparis
                                  << QStringList{u"ILKFIYAT"_s} << false;
    QTest::newRow("tip 2 pencere") << 2 << false
                                   << QStringList{u"ILKFIYAT"_s, u"ELDEKI"_s, u"DURUM"_s} << siparis
                                   << true;
    QTest::newRow("tip 3 gömülü") << 3 << true << QStringList{}
                                  << QStringList{u"DURUM"_s, u"ELDEKI"_s} << false;
    QTest::newRow("tip 3 pencere") << 3 << false << QStringList{} << QStringList{u"DURUM"_s} << false;
}

void tst_Bakiye::musteriTipi()
{
    QFETCH(int, tip);
    QFETCH(bool, gomulu);
    QFETCH(QStringList, gorunen);
    QFETCH(QStringList, gorunmeyen);
    QFETCH(bool, fiyatMenusu);
    SunucuOrtami o;
    Tbakiyesiparisler p(nullptr, o.bagc, o.sbilgi);
    p.KullaniciTipiUygula(tip, gomulu);
    const QStringList gorunur = p.cxGrid2->visibleColumns();
    for (const QString& s : gorunen) {
        QVERIFY2(gorunur.contains(s), qPrintable(s));
        QVERIFY2(p.cxGrid2->chooserColumns().contains(s), qPrintable(s));
    }
    for (const QString& s : gorunmeyen) {
        QVERIFY2(!gorunur.contains(s), qPrintable(s));
        QVERIFY2(!p.cxGrid2->chooserColumns().contains(s), qPrintable(s));
    }
    QCOMPARE(p.F1->isVisible(), fiyatMenusu);
}

void tst_Bakiye::gomuluSekme()
{
    SunucuOrtami o;
    o.sbilgi.setMusteriTipi(1);
    o.sunucu.cevapla(u"BakiyelerVer2"_s, bakiyeJson({{1, 100, 10, 71}}));
    o.sunucu.cevapla(u"SiparisAytintisiDip"_s, dipJson(u"Onaylandı"_s));
    TBakiyelerSekmesi sekme(o.bagc, o.sbilgi);
    sekme.resize(1300, 600);
    sekme.show();
    QVERIFY(!sekme.benimbakiyesiparisler());
    sekme.Gosterildi();
    Tbakiyesiparisler* p = sekme.benimbakiyesiparisler();
    QVERIFY(p);
    QVERIFY(p->isVisible());
    QVERIFY(!p->isWindow());
    QVERIFY(p->Button1->isHidden());
    QCOMPARE(p->bakiyesepet.RecordCount(), 1);
    QVERIFY(p->cxGrid2->visibleColumns().contains(u"ALINANSIPARIS"_s));
    QCOMPARE(p->geneltoplaml->text(), u"108,00"_s);
    sekme.Gizlendi();
    QVERIFY(!sekme.benimbakiyesiparisler());
    // Every showing loads anew.
    sekme.Gosterildi();
    QVERIFY(sekme.benimbakiyesiparisler());
    QCOMPARE(o.sunucu.cagrilar(u"BakiyelerVer2"_s).size(), 2);
}

QTEST_MAIN(tst_Bakiye)
#include "tst_bakiye.moc"
