// The basket tab and the order confirmation against a loopback stand-in
// server: totals, marks, deleting, the reload on showing, and sending.
#include "basket/ONAYSIPU.h"
#include "basket/sepetsekmesi.h"
#include "catalogue/stokayarintiU.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "sepetortami.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct SepetOrtami : SunucuOrtami
{
    MemTable sepet;
    std::unique_ptr<TSepetSekmesi> sekme;
    // Windows the tab opened, by caption, and what each answered.
    QStringList acilanlar;
    std::function<int(QDialog&)> pencereCevabi = [](QDialog&) { return int(QDialog::Rejected); };

    SepetOrtami()
    {
        sekme = std::make_unique<TSepetSekmesi>(bagc, sbilgi, sepet);
        sekme->resize(1300, 700);
        sekme->Baglam().PencereGoster = [this](QDialog& d) {
            acilanlar << d.windowTitle();
            return pencereCevabi(d);
        };
        sunucu.cevapla(u"SepetSecimGuncelle"_s, "[]");
        sunucu.cevapla(u"EnVer"_s, "[1]");
    }

    void sepetVer(const QList<SepetSatiri>& satirlar) { sunucu.cevapla(u"SepetVer2"_s, sepetJson(satirlar)); }
    void yukle(const QList<SepetSatiri>& satirlar)
    {
        sepetVer(satirlar);
        QVERIFY(sekme->Yenile());
    }
    QStringList etiketler() const
    {
        return {sekme->aratoplaml->text(), sekme->indiriml->text(), sekme->nettutarl->text(),
                sekme->vergil->text(), sekme->geneltoplaml->text()};
    }
    int sec(int satir)
    {
        sepet.setCurrentRow(satir);
        return int(sepet.FieldByName(u"SEC"_s).AsInteger());
    }
    void odakla(int satir, const QString& sutun)
    {
        sekme->cxGrid2->setFocusedRow(satir);
        sekme->cxGrid2->setFocusedColumn(sutun);
    }
    QList<QPair<int, int>> secimCagrilari() const
    {
        QList<QPair<int, int>> s;
        for (const SahteSunucu::Cagri& c : sunucu.cagrilar(u"SepetSecimGuncelle"_s))
            s.append({c.parametreler.at(0).toInt(), c.parametreler.at(1).toInt()});
        return s;
    }
};

QByteArray turJson(const QList<QByteArray>& adlar, int ilkId = 1)
{
    QList<QList<QByteArray>> rows;
    for (qsizetype i = 0; i < adlar.size(); ++i)
        rows.append({QByteArray::number(ilkId + i), "\"" + adlar[i] + "\""});
    return "[" + tabloJson({"ID:integer", "ADI:string"}, rows) + "]";
}

QByteArray firmaJson(const QList<std::pair<QByteArray, int>>& firmalar)
{
    QList<QList<QByteArray>> rows;
    for (const auto& [adi, sirano] : firmalar)
        rows.append({"\"" + adi + "\"", QByteArray::number(sirano), "\"" + adi + " uyarisi\""});
    return "[" + tabloJson({"ADI:string", "SIRANO:integer", "UYARI:string"}, rows) + "]";
}

} // namespace

using Satirlar = QList<SepetSatiri>;
Q_DECLARE_METATYPE(Satirlar)

class tst_Sepet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        std::signal(SIGPIPE, SIG_IGN);
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    }

    // ---- totals
    void toplamlar_data();
    void toplamlar();
    void toplamlarHerYuklemedenSonra_data();
    void toplamlarHerYuklemedenSonra();
    void gosterilinceYuklenir();

    // ---- marks
    void isaretSutunaGore();
    void hepsiniSecSatirBasinaBirCagri();
    void isaretGonderilemezseGeriAlinir_data();
    void isaretGonderilemezseGeriAlinir();

    // ---- deleting
    void hepsiniSilYalnizEvetle_data();
    void hepsiniSilYalnizEvetle();
    void satirSilNotuIle();
    void excelKaydet();

    // ---- sending
    void gonderilecekParcaYok();
    void teslimOnSecimi_data();
    void teslimOnSecimi();
    void tekFirmaHemenSecilir();
    void evetUyarilari_data();
    void evetUyarilari();
    void siparisKaydet_data();
    void siparisKaydet();
};

// ---------------------------------------------------------------- totals

void tst_Sepet::toplamlar_data()
{
    QTest::addColumn<Satirlar>("satirlar");
    QTest::addColumn<QStringList>("beklenen"); // Toplam, İndirim, Ara, Vergi, Genel

    // Each running sum is rounded: 0.004 stays 0 twice, never 0.01.
    QTest::newRow("iki kez 0,004") << Satirlar{{1, "1", 0.004, 0.004, 0.004}, {2, "1", 0.004, 0.004, 0.004}}
                                   << QStringList{u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s};
    QTest::newRow("seçili yok") << Satirlar{{1, "0", 10, 1, 2}, {2, "null", 20, 2, 4}}
                                << QStringList{u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s};
    QTest::newRow("boş sepet") << Satirlar{}
                               << QStringList{u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s};
    // Marked lines only; halves go away from zero at each addition.
    QTest::newRow("karışık") << Satirlar{{1, "1", 1234.565, 123.455, 222.22},
                                         {2, "0", 999, 99, 9},
                                         {3, "null", 500, 50, 5},
                                         {4, "1", 10.10, 1.01, 1.82}}
                             << QStringList{u"1.244,67"_s, u"124,47"_s, u"1.120,20"_s, u"224,04"_s,
                                            u"1.344,24"_s};
}

void tst_Sepet::toplamlar()
{
    QFETCH(Satirlar, satirlar);
    QFETCH(QStringList, beklenen);
    SepetOrtami o;
    o.yukle(satirlar);
    QCOMPARE(o.etiketler(), beklenen);
}

void tst_Sepet::toplamlarHerYuklemedenSonra_data()
{
    QTest::addColumn<QString>("eylem");
    QTest::addColumn<Satirlar>("kalan");
    QTest::addColumn<QStringList>("beklenen");
    QTest::newRow("Satır Sil") << u"SatrSil1"_s << Satirlar{{2, "1", 30, 3, 6}}
                               << QStringList{u"30,00"_s, u"3,00"_s, u"27,00"_s, u"6,00"_s, u"33,00"_s};
    QTest::newRow("Hepsini Sil") << u"HepsiniSil1"_s << Satirlar{}
                                 << QStringList{u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s};
}

// Deleting reloads the basket; the totals must follow what is left.
void tst_Sepet::toplamlarHerYuklemedenSonra()
{
    QFETCH(QString, eylem);
    QFETCH(Satirlar, kalan);
    QFETCH(QStringList, beklenen);
    SepetOrtami o;
    o.sunucu.cevapla(u"SepetSatirSil"_s, "[1]");
    o.sunucu.cevapla(u"SepetHepsiniSil"_s, "[1]");
    o.yukle({{1, "1", 100, 10, 18}, {2, "1", 30, 3, 6}});
    QCOMPARE(o.sekme->geneltoplaml->text(), u"141,00"_s);

    o.sepetVer(kalan);
    o.odakla(0, u"BARKOD"_s);
    o.dialogs.answer(mrYes);
    if (eylem == u"SatrSil1")
        o.sekme->SatrSil1Click();
    else
        o.sekme->HepsiniSil1Click();

    QCOMPARE(o.sepet.RecordCount(), kalan.size());
    QCOMPARE(o.etiketler(), beklenen);
}

void tst_Sepet::gosterilinceYuklenir()
{
    SepetOrtami o;
    o.sepetVer({{1, "1", 100, 10, 18}, {2, "0", 5, 0, 1}, {3, "1", 30, 3, 6}});
    o.sunucu.cevapla(u"CariVadeGunGecmismiBul"_s, "[\"Vadesi geçmiş 3 fatura var\"]");
    QSignalSpy baslik(o.sekme.get(), &TSepetSekmesi::BaslikDegisti);
    QSignalSpy yukleniyor(o.sekme.get(), &TSepetSekmesi::Yukleniyor);
    QSignalSpy bitti(o.sekme.get(), &TSepetSekmesi::YuklemeBitti);
    QSignalSpy uyari(o.sekme.get(), &TSepetSekmesi::UyariGeldi);

    o.sekme->Gosterildi();
    QVERIFY(!o.sekme->cxGrid2->isEnabled());
    QVERIFY(bitti.wait(10000));
    if (uyari.isEmpty())
        QVERIFY(uyari.wait(10000));

    QCOMPARE(baslik.size(), 1);
    QCOMPARE(baslik.first().first().toString(), u"3=Sepet"_s);
    QCOMPARE(yukleniyor.size(), 2);
    QCOMPARE(yukleniyor.last().first().toBool(), false);
    QVERIFY(o.sekme->cxGrid2->isEnabled());
    QVERIFY(o.sekme->cxGrid2->isAttached());
    QCOMPARE(o.sekme->cxGrid2->rowCount(), 3);
    QCOMPARE(o.sekme->geneltoplaml->text(), u"141,00"_s);
    QCOMPARE(o.sekme->lbluyarbakiye->text(), u"Vadesi geçmiş 3 fatura var"_s);
    QVERIFY(o.dialogs.messages().isEmpty());

    // A refused warning leaves the label empty and says nothing.
    o.sunucu.hataVer(u"CariVadeGunGecmismiBul"_s, u"yok"_s);
    uyari.clear();
    o.sekme->Gosterildi();
    QVERIFY(uyari.wait(10000));
    QCOMPARE(o.sekme->lbluyarbakiye->text(), QString());
    QVERIFY(bitti.size() == 2 || bitti.wait(10000));
    QVERIFY(o.dialogs.messages().isEmpty());
}

// ---------------------------------------------------------------- marks

void tst_Sepet::isaretSutunaGore()
{
    SepetOrtami o;
    o.yukle({{11, "1", 100, 10, 18}, {12, "1", 30, 3, 6}});

    // The "Seç" cell of a marked line clears its mark and lowers the totals.
    o.odakla(0, u"SEC"_s);
    o.sekme->Deitir1Click();
    QCOMPARE(o.sec(0), 0);
    QCOMPARE(o.secimCagrilari(), (QList<QPair<int, int>>{{11, 0}}));
    QCOMPARE(o.sekme->geneltoplaml->text(), u"33,00"_s);
    QVERIFY(o.acilanlar.isEmpty());

    // Again: marked once more.
    o.sekme->Deitir1Click();
    QCOMPARE(o.sec(0), 1);
    QCOMPARE(o.secimCagrilari().last(), (QPair<int, int>{11, 1}));
    QCOMPARE(o.sekme->geneltoplaml->text(), u"141,00"_s);

    // Any other cell opens the change dialog of the line; the mark stays.
    o.odakla(1, u"BARKOD"_s);
    o.sekme->Deitir1Click();
    QCOMPARE(o.acilanlar, QStringList{u"Sepete Ekle"_s});
    QCOMPARE(o.sec(1), 1);
    QCOMPARE(o.secimCagrilari().size(), 2);
}

void tst_Sepet::hepsiniSecSatirBasinaBirCagri()
{
    SepetOrtami o;
    o.yukle({{1, "0", 1, 0, 0}, {2, "1", 2, 0, 0}, {3, "0", 3, 0, 0}, {4, "null", 4, 0, 0}, {5, "0", 5, 0, 0}});

    o.sekme->Button4Click();
    QCOMPARE(o.secimCagrilari(),
             (QList<QPair<int, int>>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(o.sec(i), 1);
    QCOMPARE(o.sekme->aratoplaml->text(), u"15,00"_s);

    o.sunucu.temizle();
    o.sekme->Button5Click();
    QCOMPARE(o.secimCagrilari(),
             (QList<QPair<int, int>>{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}));
    QCOMPARE(o.sekme->aratoplaml->text(), u"0,00"_s);
}

void tst_Sepet::isaretGonderilemezseGeriAlinir_data()
{
    QTest::addColumn<bool>("sunucuYok");
    QTest::addColumn<QString>("hata");
    QTest::newRow("sunucu reddeder") << false << u"Satır kilitli"_s;
    QTest::newRow("bağlantı yok") << true << u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;
}

// The server keeps the old mark when the new one cannot be sent, so the
// screen must show the old mark and the old totals too.
void tst_Sepet::isaretGonderilemezseGeriAlinir()
{
    QFETCH(bool, sunucuYok);
    QFETCH(QString, hata);
    SepetOrtami o;
    o.yukle({{1, "1", 100, 10, 18}, {2, "0", 30, 3, 6}, {3, "0", 7, 0, 0}});
    const QStringList once = o.etiketler();
    if (sunucuYok)
        o.sunucuyuKapat();
    else
        o.sunucu.hataVer(u"SepetSecimGuncelle"_s, hata);

    o.odakla(1, u"SEC"_s);
    o.sekme->Deitir1Click();
    QCOMPARE(o.sec(1), 0);
    QCOMPARE(o.etiketler(), once);
    QCOMPARE(o.dialogs.messages().last().text, hata);

    // "Hepsini Seç" stops at the first line that cannot be sent.
    o.sunucu.temizle();
    o.dialogs.clear();
    o.sekme->Button4Click();
    QCOMPARE(o.sec(0), 1);
    QCOMPARE(o.sec(1), 0);
    QCOMPARE(o.sec(2), 0);
    QCOMPARE(o.etiketler(), once);
    QCOMPARE(o.secimCagrilari().size(), sunucuYok ? 0 : 1);
    QCOMPARE(o.dialogs.messages().last().text, hata);
}

// ---------------------------------------------------------------- deleting

void tst_Sepet::hepsiniSilYalnizEvetle_data()
{
    QTest::addColumn<int>("cevap");
    QTest::addColumn<bool>("siler");
    QTest::newRow("Evet") << int(mrYes) << true;
    QTest::newRow("Hayır") << int(mrNo) << false;
    QTest::newRow("pencere kapatıldı") << int(mrNone) << false;
    QTest::newRow("İptal") << int(mrCancel) << false;
}

void tst_Sepet::hepsiniSilYalnizEvetle()
{
    QFETCH(int, cevap);
    QFETCH(bool, siler);
    SepetOrtami o;
    o.sunucu.cevapla(u"SepetHepsiniSil"_s, "[1]");
    o.yukle({{1, "1", 100, 10, 18}});
    o.dialogs.answer(cevap);
    o.sekme->HepsiniSil1Click();

    const ShownDialog soru = o.dialogs.messages().first();
    QCOMPARE(soru.text, u"Tüm Sepeti Silmek İstiyor musunuz "_s);
    QCOMPARE(soru.focused, mbNo);
    QCOMPARE(o.sunucu.cagrilar(u"SepetHepsiniSil"_s).size(), siler ? 1 : 0);
    QCOMPARE(o.dialogs.texts().contains(u"Sepet Silindi !"_s), siler);
}

void tst_Sepet::satirSilNotuIle()
{
    SepetOrtami o;
    o.sunucu.cevapla(u"SepetSatirSil"_s, "[1]");
    o.yukle({{21, "1", 1, 0, 0}, {22, "0", 2, 0, 0}});
    o.odakla(1, u"STOKADI"_s);
    o.dialogs.answer(mrYes);
    o.sekme->SatrSil1Click();
    const QList<SahteSunucu::Cagri> c = o.sunucu.cagrilar(u"SepetSatirSil"_s);
    QCOMPARE(c.size(), 1);
    QCOMPARE(c[0].parametreler.at(1).toInt(), 22);
    QCOMPARE(c[0].parametreler.at(2).toString(), u"BRK-22-PARCA 22"_s);
    QCOMPARE(o.dialogs.texts(), (QStringList{u"Satırı silmek istiyor musunuz "_s, u"Satır silindi !"_s}));

    // An empty basket asks nothing.
    SepetOrtami bos;
    bos.yukle({});
    bos.sekme->HepsiniSil1Click();
    bos.sekme->SatrSil1Click();
    QVERIFY(bos.dialogs.shown().isEmpty());
}

void tst_Sepet::excelKaydet()
{
    SepetOrtami o;
    o.yukle({{1, "1", 100, 10, 18}, {2, "0", 30, 3, 6}});
    QTemporaryDir klasor;
    o.dialogs.answerSaveFile(klasor.filePath(u"sepet"_s));
    o.sekme->Button2Click();
    const ShownDialog kayit = o.dialogs.shown().first();
    QCOMPARE(kayit.what, ShownDialog::SaveFile);
    QCOMPARE(kayit.file.filter, u"Excel|*.xls*"_s);
    const QString dosya = withExcelExtension(klasor.filePath(u"sepet"_s));
    QVERIFY2(QFileInfo(dosya).size() > 0, qPrintable(dosya));
    QVERIFY(o.dialogs.messages().isEmpty());

    // Cancelled: nothing is written.
    o.sekme->Button2Click();
    QCOMPARE(QDir(klasor.path()).entryList(QDir::Files).size(), 1);
}

// ---------------------------------------------------------------- sending

void tst_Sepet::gonderilecekParcaYok()
{
    SepetOrtami o;
    o.sekme->Button1Click(); // never loaded
    o.yukle({{1, "0", 1, 0, 0}, {2, "null", 2, 0, 0}});
    o.sekme->Button1Click();
    QCOMPARE(o.dialogs.texts(), (QStringList{u"Gönderilecek Parça Yok "_s, u"Gönderilecek Parça Yok "_s}));
    QCOMPARE(o.dialogs.messages().last().kind, mtWarning);
    QVERIFY(o.acilanlar.isEmpty());
    QVERIFY(o.sunucu.cagrilar(u"TeslimVer"_s).isEmpty());
}

void tst_Sepet::teslimOnSecimi_data()
{
    QTest::addColumn<QList<QByteArray>>("turler");
    QTest::addColumn<int>("secili");
    QTest::newRow("üç tür") << QList<QByteArray>{"Gelip Alacak", "Kargo", "Servis"} << 1;
    QTest::newRow("tek tür") << QList<QByteArray>{"Kargo"} << 0;
    QTest::newRow("tür yok") << QList<QByteArray>{} << -1;
}

void tst_Sepet::teslimOnSecimi()
{
    QFETCH(QList<QByteArray>, turler);
    QFETCH(int, secili);
    SunucuOrtami o;
    o.sunucu.cevapla(u"TeslimVer"_s, turJson(turler));
    o.sunucu.cevapla(u"KargoVer"_s, turJson({"Anlaşmalı", "Alıcı Ödemeli"}));
    TONAYSIP onay(nullptr, o.bagc, u"uyarı"_s, o.sbilgi, u"1.234,50"_s);
    QCOMPARE(onay.TeslimAdlari().size(), turler.size());
    QCOMPARE(onay.SeciliTeslim(), secili);
    QCOMPARE(onay.KargoTuruAdlari(), (QStringList{u"Anlaşmalı"_s, u"Alıcı Ödemeli"_s}));
    QCOMPARE(onay.SeciliKargoTuru(), -1);
    QCOMPARE(onay.Label2->text(), u"Kullanıcı: AHMET BAYİ\r\nCari     : ÖRNEK OTOMOTİV\r\nTutar    : 1.234,50"_s);
    QCOMPARE(onay.Label3->text(), u"uyarı"_s);
}

void tst_Sepet::tekFirmaHemenSecilir()
{
    SunucuOrtami o;
    o.sunucu.cevapla(u"TeslimVer"_s, turJson({"Gelip Alacak", "Kargo"}));
    o.sunucu.cevapla(u"KargoVer"_s, turJson({"Anlaşmalı", "Alıcı Ödemeli"}, 5));
    TONAYSIP onay(nullptr, o.bagc, {}, o.sbilgi, u"10,00"_s);

    o.sunucu.cevapla(u"KargolarVer"_s, firmaJson({{"HIZLI KARGO", 41}}));
    onay.KargoTuruSec(1);
    QCOMPARE(o.sunucu.cagrilar(u"KargolarVer"_s).last().parametreler.at(0).toInt(), 6);
    QCOMPARE(onay.kargocombo->count(), 2);
    QCOMPARE(onay.kargocombo->itemText(0), u" "_s);
    QCOMPARE(onay.kargocombo->currentIndex(), 1);
    QCOMPARE(onay.uyarikargo->text(), u"HIZLI KARGO uyarisi"_s);

    // Two companies: the user chooses; the old warning is gone.
    o.sunucu.cevapla(u"KargolarVer"_s, firmaJson({{"A KARGO", 1}, {"B KARGO", 2}}));
    onay.KargoTuruSec(0);
    QCOMPARE(onay.kargocombo->count(), 3);
    QVERIFY(onay.kargocombo->currentIndex() <= 0);
    QCOMPARE(onay.uyarikargo->text(), QString());
    onay.kargocombo->setCurrentIndex(2);
    QCOMPARE(onay.uyarikargo->text(), u"B KARGO uyarisi"_s);
    QVERIFY(o.dialogs.messages().isEmpty());
}

void tst_Sepet::evetUyarilari_data()
{
    QTest::addColumn<bool>("teslimVar");
    QTest::addColumn<bool>("kargoTuruSec");
    QTest::addColumn<int>("firma"); // combo index to choose, -1 none
    QTest::addColumn<QString>("uyari");
    QTest::newRow("teslim yok") << false << true << 1 << u"Lütfen Teslim Durumu Seçiniz !"_s;
    QTest::newRow("kargo türü yok") << true << false << -1 << u"Lütfen Kargo Türünü Seçiniz !"_s;
    QTest::newRow("firma seçilmedi") << true << true << -1 << u"Lütfen Kargo  Seçiniz !"_s;
    QTest::newRow("boş ilk satır") << true << true << 0 << u"Lütfen Kargo  Seçiniz !"_s;
}

void tst_Sepet::evetUyarilari()
{
    QFETCH(bool, teslimVar);
    QFETCH(bool, kargoTuruSec);
    QFETCH(int, firma);
    QFETCH(QString, uyari);
    SunucuOrtami o;
    o.sunucu.cevapla(u"TeslimVer"_s, turJson(teslimVar ? QList<QByteArray>{"Gelip Alacak", "Kargo"}
                                                       : QList<QByteArray>{}));
    o.sunucu.cevapla(u"KargoVer"_s, turJson({"Anlaşmalı"}));
    o.sunucu.cevapla(u"KargolarVer"_s, firmaJson({{"A KARGO", 1}, {"B KARGO", 2}}));
    TONAYSIP onay(nullptr, o.bagc, {}, o.sbilgi, u"10,00"_s);
    if (kargoTuruSec)
        onay.KargoTuruSec(0);
    if (firma >= 0)
        onay.kargocombo->setCurrentIndex(firma);
    onay.Button1Click();
    QCOMPARE(o.dialogs.texts(), QStringList{uyari});
    QCOMPARE(o.dialogs.last().kind, mtWarning);
    QCOMPARE(o.dialogs.last().buttons, QList<TMsgDlgBtn>{mbOK});
    QCOMPARE(onay.result(), int(QDialog::Rejected));
}

void tst_Sepet::siparisKaydet_data()
{
    QTest::addColumn<QByteArray>("cevap");
    QTest::addColumn<QString>("mesaj");
    QTest::addColumn<int>("kalanSatir");
    QTest::newRow("kaydedildi") << QByteArray("[true]") << u"Siparişiniz Gönderildi !"_s << 1;
    QTest::newRow("reddedildi") << QByteArray("[false]") << u"Sipariş Göndermede Hata"_s << 3;
}

void tst_Sepet::siparisKaydet()
{
    QFETCH(QByteArray, cevap);
    QFETCH(QString, mesaj);
    QFETCH(int, kalanSatir);
    SepetOrtami o;
    o.sunucu.cevapla(u"TeslimVer"_s, turJson({"Gelip Alacak", "Kargo", "Servis"}, 10));
    o.sunucu.cevapla(u"KargoVer"_s, turJson({"Anlaşmalı", "Alıcı Ödemeli"}, 20));
    o.sunucu.cevapla(u"KargolarVer"_s, firmaJson({{"HIZLI KARGO", 41}}));
    o.sunucu.cevapla(u"SiparisKaydet"_s, cevap);
    o.yukle({{1, "1", 100, 10, 18}, {2, "1", 30, 3, 6}, {3, "0", 7, 0, 0}});
    // What the server leaves after the order: the unmarked line.
    o.sepetVer({{3, "0", 7, 0, 0}});
    o.pencereCevabi = [](QDialog& d) {
        auto& onay = static_cast<TONAYSIP&>(d);
        [&] { QCOMPARE(onay.Label2->text().section(u"\r\n"_s, 2), u"Tutar    : 141,00"_s); }();
        onay.KargoTuruSec(1);
        onay.Button1Click();
        return onay.result();
    };
    o.sekme->Button1Click();

    QCOMPARE(o.acilanlar, QStringList{u"Sipariş Onay"_s});
    const QList<SahteSunucu::Cagri> kayit = o.sunucu.cagrilar(u"SiparisKaydet"_s);
    QCOMPARE(kayit.size(), 1);
    const QJsonArray p = kayit[0].parametreler;
    QCOMPARE(p.size(), 7);
    QCOMPARE(p.at(1).toInt(), 7);  // CARINO
    QCOMPARE(p.at(2).toInt(), 11); // the second delivery kind, preselected
    QCOMPARE(p.at(3).toInt(), 21); // the cargo kind clicked
    QCOMPARE(p.at(4).toString(), QString()); // an empty note is an empty text
    QCOMPARE(p.at(5).toInt(), 3);  // the user who sends
    QCOMPARE(p.at(6).toInt(), 41); // the only company, chosen at once
    QCOMPARE(o.dialogs.texts(), QStringList{mesaj});
    QCOMPARE(o.sepet.RecordCount(), kalanSatir);
    QCOMPARE(o.sunucu.cagrilar(u"SepetVer2"_s).size(), kalanSatir == 1 ? 2 : 1);
}

QTEST_MAIN(tst_Sepet)
#include "tst_sepet.moc"
