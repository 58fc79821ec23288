// The main window: layout of the frame, the user-type rules, the tab plug-in
// point, link texts, the customer switch, the start-up job and the order of
// start-up and closing.

#include "app/Unit1.h"
#include "catalogue/stoklistesiu.h"
#include "catalogue/tanitimlistesiu.h"
#include "core/baglantikontrol.h"
#include "core/beklesinu.h"
#include "core/dialogrecorder.h"
#include "sahtesunucu.h"
#include "signin/disipbul.h"
#include "signin/girisformu.h"
#include "signin/programsonu.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// A tab that offers every member the frame connects and records what it got.
class OrnekSekme : public QWidget
{
    Q_OBJECT
public:
    QStringList olaylar;
    void Gosterildi() { olaylar << u"gosterildi"_s; }
    void Gizlendi() { olaylar << u"gizlendi"_s; }
    void KullaniciTipiUygula(int tip) { olaylar << u"tip %1"_s.arg(tip); }
    void AramaYap(const QString& m) { olaylar << u"ara " + m; }
    void SpeedButton2Click() { olaylar << u"Ara"_s; }
    void CariDegisti() { olaylar << u"cari"_s; }
    void Yenile() { olaylar << u"yenile"_s; }
    void S2Click() { olaylar << u"S2"_s; }
    void Deitir1Click() { olaylar << u"Deitir1"_s; }
    void H1Click() { olaylar << u"H1"_s; }
signals:
    void BaslikDegisti(const QString& baslik);
    void OneGetir();
    void Yukleniyor(bool on);
    void BaglantiIstendi(const QString& metin);
    void SepetDegisti();
};

// A stock tab with its own search controls, as the catalogue's is.
class AramaliSekme : public QWidget
{
    Q_OBJECT
public:
    AramaliSekme()
        : araedit(new QLineEdit)
        , SpeedButton2(new QToolButton)
        , SpeedButton1(new QToolButton)
        , gifstokara(new QLabel)
    {
    }
    void AramaCubugunaYerlestir(QBoxLayout* l)
    {
        for (QWidget* w : {static_cast<QWidget*>(araedit.data()), static_cast<QWidget*>(SpeedButton2.data()),
                           static_cast<QWidget*>(SpeedButton1.data()), gifstokara.data()})
            l->addWidget(w);
    }
    QPointer<QLineEdit> araedit;
    QPointer<QToolButton> SpeedButton2;
    QPointer<QToolButton> SpeedButton1;
    QPointer<QWidget> gifstokara;
};

QAction* eylem(QMenu* menu, const QString& ad)
{
    for (QAction* a : menu->actions()) {
        if (a->objectName() == ad)
            return a;
    }
    return nullptr;
}

} // namespace

class tst_anapencere : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cerceve();
    void menuler();
    void kullaniciTipi_data();
    void kullaniciTipi();
    void sekmeTakma();
    void aramaKutusuSekmeninOlur();
    void baglantiMetni_data();
    void baglantiMetni();
    void musteriDegisimi_data();
    void musteriDegisimi();
    void baslangicIsi();
    void acilisReklami_data();
    void acilisReklami();
    void kapatmaOnayi_data();
    void kapatmaOnayi();
    void girisIptalPencereGostermez();
    void girisBasarilinca();
    void katalogSekmeleriTakili();

private:
    QTemporaryDir m_klasor;
    QList<int> m_bitisler;
    ProgramSonlandirici m_eski;
};

void tst_anapencere::initTestCase()
{
    QVERIFY(m_klasor.isValid());
    qputenv("XDG_CONFIG_HOME", m_klasor.filePath(u"config"_s).toUtf8());
    qputenv("XDG_DATA_HOME", m_klasor.filePath(u"data"_s).toUtf8());
    BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {});
    disip::TekrarBeklemesiAyarla(std::chrono::milliseconds(0));
}

void tst_anapencere::init()
{
    m_bitisler.clear();
    m_eski = ProgramSonlandiriciAyarla([this](int kod) { m_bitisler.append(kod); });
}

void tst_anapencere::cleanup() { ProgramSonlandiriciAyarla(m_eski); }

void tst_anapencere::cerceve()
{
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    QCOMPARE(f.windowTitle(), u"Zelvori Otomotiv B2B Programı"_s);
    // Top to bottom: header, search bar, banner strip, tabs, legend, bottom panel.
    auto* kok = qobject_cast<QBoxLayout*>(f.layout());
    QVERIFY(kok);
    const QList<QWidget*> sira = {f.Panel1, f.Panel2, f.RxGIFAnimator2, f.sPageControl1, f.Panel3, f.Panel5};
    for (int i = 0; i < sira.size(); ++i)
        QCOMPARE(kok->itemAt(i)->widget(), sira[i]);
    QCOMPARE(f.Panel1->maximumHeight(), 100);
    QCOMPARE(f.Panel2->maximumHeight(), 35);
    QCOMPARE(f.RxGIFAnimator2->maximumHeight(), 0);
    QCOMPARE(f.Panel3->maximumHeight(), 27);
    QCOMPARE(f.Panel5->maximumHeight(), 40);

    const QStringList basliklar = {u"Stok Listesi"_s, u"Sepet"_s,        u"Önceki Siparişler"_s,
                                   u"Cari Ekstre"_s,  u"Yeni Stoklar"_s, u"Kampanyalı Stoklar"_s,
                                   u"Duyurular"_s,    u"Bakiyeler"_s,    u"Sanal Pos"_s};
    QCOMPARE(f.sPageControl1->count(), 9);
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(f.sPageControl1->tabText(i), basliklar[i]);
        QVERIFY(!f.sPageControl1->tabIcon(i).isNull());
        QCOMPARE(f.sPageControl1->widget(i), f.SekmeSayfasi(static_cast<Sekme>(i)));
    }
    QCOMPARE(f.sPageControl1->currentIndex(), 0);

    // The search bar: box, buttons, customer switch, seven hidden indicators in order.
    const QList<QWidget*> gostergeler = {f.gifstokara, f.gifyeniler,   f.gifkampanyali, f.gifduyuru,
                                         f.gifoncekiler, f.gifsepet, f.gifekstre};
    auto* cubuk = qobject_cast<QBoxLayout*>(f.Panel2->layout());
    int onceki = cubuk->indexOf(f.musteritus);
    QVERIFY(onceki > 0);
    for (QWidget* g : gostergeler) {
        QVERIFY(g->isHidden());
        QCOMPARE(g->size(), QSize(28, 27));
        const int yer = cubuk->indexOf(g);
        QVERIFY(yer > onceki);
        onceki = yer;
    }
    QVERIFY(f.musteritus->isHidden());
    QCOMPARE(f.musteritus->text(), u"Başka Cari Seç"_s);
    QCOMPARE(f.araedit->width(), 340);
    QCOMPARE(f.SpeedButton2->toolTip(), u"Ara"_s);
    QCOMPARE(f.SpeedButton1->toolTip(), u"Temizle"_s);
    QCOMPARE(f.MesgulGostergesi(Sekme::Bakiyeler), nullptr);
    QCOMPARE(f.MesgulGostergesi(Sekme::Sepet), f.gifsepet);

    const QStringList lejant = {u"Durum Açıklaması:    "_s, u" Stok mevcut  "_s,      u" Kritik Seviye "_s,
                                u" Telefon Açınız  "_s,    u" Yolda  "_s,            u" Tedarik Sürecinde "_s,
                                u" Özel Sipariş  "_s,      u" Yok  "_s};
    QStringList gorulen;
    for (QLabel* l : f.Panel3->findChildren<QLabel*>()) {
        if (!l->text().isEmpty())
            gorulen << l->text();
    }
    QCOMPARE(gorulen, lejant);
}

void tst_anapencere::menuler()
{
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    QCOMPARE(f.Button3->menu(), f.Genelmenu);
    QStringList adlar, basliklar;
    for (QAction* a : f.Genelmenu->actions()) {
        if (!a->isSeparator()) {
            adlar << a->objectName();
            basliklar << a->text();
        }
    }
    QCOMPARE(adlar, (QStringList{u"M1"_s, u"N4"_s, u"WebSitesi1"_s, u"G1"_s, u"R1"_s}));
    QCOMPARE(basliklar[0], u"Mail Gönder"_s);
    QCOMPARE(basliklar[1], u"Şifre Değiştirme İsteği"_s);
    QVERIFY(basliklar[2].startsWith(u"http"_s));
    QCOMPARE(basliklar[3], u"Çıkış"_s);
    QCOMPARE(basliklar[4], u"Raporlar"_s);
    QVERIFY(!f.R1->isVisible());

    const auto ogeler = [](QMenu* m) {
        QStringList s;
        for (QAction* a : m->actions()) {
            if (!a->isSeparator())
                s << a->objectName() + u'=' + a->text();
        }
        return s;
    };
    QCOMPARE(ogeler(f.popstok), (QStringList{u"S2=Sepete Ekle"_s, u"B1=Sipariş Bakiyeleriniz"_s,
                                             u"S3=Siparişleri Göster"_s, u"StokHareketleri1=Stok Hareketleri"_s}));
    QCOMPARE(ogeler(f.PopupMenu1),
             (QStringList{u"Deitir1=Satır Değiştir"_s, u"SatrSil1=Satır Sil"_s, u"HepsiniSil1=Hepsini Sil"_s}));
    QCOMPARE(ogeler(f.poponceki), (QStringList{u"S1=Siparişi İncele"_s, u"SipariBakiyeleriniz1=Sipariş Bakiyeleriniz"_s,
                                               u"T1=Tüm Siparişler"_s}));
    QCOMPARE(ogeler(f.popekstre), QStringList{u"H1=Hareket İncele"_s});

    // "Web Sitesi" opens the root page with the system's browser.
    DialogRecorder dialogs;
    f.WebSitesi1->trigger();
    QCOMPARE(dialogs.last().what, ShownDialog::OpenWithSystem);
    QCOMPARE(dialogs.last().text, f.WebSitesi1->text());
    QCOMPARE(f.focusWidget(), f.araedit);
}

void tst_anapencere::kullaniciTipi_data()
{
    QTest::addColumn<int>("tip");
    QTest::addColumn<bool>("baskaCari");
    QTest::addColumn<bool>("raporlar");
    QTest::addColumn<bool>("kampanyaSekmesi");
    QTest::newRow("1 sales representative") << 1 << true << true << true;
    QTest::newRow("2 sales representative") << 2 << true << true << true;
    QTest::newRow("3 no state columns") << 3 << false << false << true;
    QTest::newRow("4 no campaign") << 4 << false << false << false;
    QTest::newRow("0 dealer") << 0 << false << false << true;
    QTest::newRow("7 other") << 7 << false << false << true;
}

void tst_anapencere::kullaniciTipi()
{
    QFETCH(int, tip);
    QFETCH(bool, baskaCari);
    QFETCH(bool, raporlar);
    QFETCH(bool, kampanyaSekmesi);

    const KullaniciTipiKurallari k = KullaniciTipiKurallariVer(tip);
    QCOMPARE(k, (KullaniciTipiKurallari{baskaCari, raporlar, kampanyaSekmesi}));

    TForm1 f(nullptr, TForm1::Icerik::Takma);
    auto* stokSekmesi = f.SekmeTak(Sekme::StokListesi, new OrnekSekme);
    auto* yeniSekmesi = f.SekmeTak(Sekme::YeniStoklar, new OrnekSekme);
    f.KullaniciTipiUygula(tip);
    QCOMPARE(!f.musteritus->isHidden(), baskaCari);
    QCOMPARE(f.R1->isVisible(), raporlar);
    QCOMPARE(f.SekmeGorunur(Sekme::KampanyaliStoklar), kampanyaSekmesi);
    for (int i = 0; i < 9; ++i) {
        if (static_cast<Sekme>(i) != Sekme::KampanyaliStoklar)
            QVERIFY(f.SekmeGorunur(static_cast<Sekme>(i)));
    }
    // Each tab applies the column rules of its grid for the same type.
    QCOMPARE(stokSekmesi->olaylar, QStringList{u"tip %1"_s.arg(tip)});
    QCOMPARE(yeniSekmesi->olaylar, QStringList{u"tip %1"_s.arg(tip)});
}

void tst_anapencere::sekmeTakma()
{
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    QVERIFY(f.SekmeIcerigi(Sekme::Sepet) == nullptr);
    auto* sepet = f.SekmeTak(Sekme::Sepet, new OrnekSekme);
    auto* ekstre = f.SekmeTak(Sekme::CariEkstre, new OrnekSekme);
    QCOMPARE(f.SekmeIcerigi(Sekme::Sepet), sepet);
    QCOMPARE(sepet->parentWidget(), f.SekmeSayfasi(Sekme::Sepet));
    QVERIFY(f.SekmeSayfasi(Sekme::Sepet)->findChildren<QLabel*>().isEmpty()); // placeholder gone

    emit sepet->BaslikDegisti(u"3=Sepet"_s);
    QCOMPARE(f.SekmeBasligiOku(Sekme::Sepet), u"3=Sepet"_s);
    f.SekmeSayisiYaz(Sekme::CariEkstre, 12);
    QCOMPARE(f.SekmeBasligiOku(Sekme::CariEkstre), u"12=Cari Ekstre"_s);

    emit sepet->Yukleniyor(true);
    QVERIFY(!f.gifsepet->isHidden());
    emit sepet->Yukleniyor(false);
    QVERIFY(f.gifsepet->isHidden());

    // Shown and hidden as the active tab changes.
    f.SekmeyiEtkinlestir(Sekme::Sepet);
    f.SekmeyiEtkinlestir(Sekme::CariEkstre);
    emit sepet->OneGetir();
    QCOMPARE(f.sPageControl1->currentWidget(), f.SekmeSayfasi(Sekme::Sepet));
    QCOMPARE(sepet->olaylar, (QStringList{u"gosterildi"_s, u"gizlendi"_s, u"gosterildi"_s}));
    QCOMPARE(ekstre->olaylar, (QStringList{u"gosterildi"_s, u"gizlendi"_s}));

    // Another tab changed the basket: the basket tab reloads.
    emit ekstre->SepetDegisti();
    QCOMPARE(sepet->olaylar.last(), u"yenile"_s);

    // Popup items reach the tab that owns the menu, by name.
    eylem(f.PopupMenu1, u"Deitir1"_s)->trigger();
    eylem(f.popekstre, u"H1"_s)->trigger();
    QCOMPARE(sepet->olaylar.last(), u"Deitir1"_s);
    QCOMPARE(ekstre->olaylar.last(), u"H1"_s);
    QVERIFY(!sepet->olaylar.contains(u"H1"_s));
}

void tst_anapencere::aramaKutusuSekmeninOlur()
{
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    auto* stok = f.SekmeTak(Sekme::StokListesi, new AramaliSekme);
    QCOMPARE(f.araedit, stok->araedit.data());
    QCOMPARE(f.SpeedButton2, stok->SpeedButton2.data());
    QCOMPARE(f.gifstokara, stok->gifstokara.data());
    QCOMPARE(f.findChildren<QLineEdit*>().size(), 1);
    // The tab's indicator sits in the first indicator's slot, after the customer switch.
    auto* cubuk = qobject_cast<QBoxLayout*>(f.Panel2->layout());
    QCOMPARE(cubuk->indexOf(stok->gifstokara), cubuk->indexOf(f.musteritus) + 1);
    QCOMPARE(cubuk->indexOf(f.gifyeniler), cubuk->indexOf(stok->gifstokara) + 1);
    QVERIFY(stok->gifstokara->isHidden());
    f.MesgulGoster(Sekme::StokListesi, true);
    QVERIFY(!stok->gifstokara->isHidden());
}

void tst_anapencere::baglantiMetni_data()
{
    QTest::addColumn<QString>("metin");
    QTest::addColumn<int>("etkinSekme");
    QTest::addColumn<QString>("arama");
    QTest::newRow("campaign") << u"#KAMPANYA#"_s << int(Sekme::KampanyaliStoklar) << QString();
    QTest::newRow("new items") << u"#YENİ#"_s << int(Sekme::YeniStoklar) << QString();
    QTest::newRow("dotless spelling is a search") << u"#YENI#"_s << int(Sekme::Sepet) << u"ara #YENI#"_s;
    QTest::newRow("leading blank is a search") << u" #KAMPANYA#"_s << int(Sekme::Sepet) << u"ara  #KAMPANYA#"_s;
    QTest::newRow("code") << u"FREN BALATA"_s << int(Sekme::Sepet) << u"ara FREN BALATA"_s;
}

void tst_anapencere::baglantiMetni()
{
    QFETCH(QString, metin);
    QFETCH(int, etkinSekme);
    QFETCH(QString, arama);
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    auto* stok = f.SekmeTak(Sekme::StokListesi, new OrnekSekme);
    auto* duyuru = f.SekmeTak(Sekme::Duyurular, new OrnekSekme);
    f.SekmeyiEtkinlestir(Sekme::Sepet);
    emit duyuru->BaglantiIstendi(metin);
    QCOMPARE(f.sPageControl1->currentWidget(), f.SekmeSayfasi(static_cast<Sekme>(etkinSekme)));
    const QStringList aramalar = stok->olaylar.filter(u"ara "_s);
    QCOMPARE(aramalar, arama.isEmpty() ? QStringList{} : QStringList{arama});
}

void tst_anapencere::musteriDegisimi_data()
{
    QTest::addColumn<bool>("stokSekmesi");
    QTest::newRow("with the stock tab") << true;
    QTest::newRow("frame alone") << false;
}

void tst_anapencere::musteriDegisimi()
{
    QFETCH(bool, stokSekmesi);
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    OrnekSekme* stok = stokSekmesi ? f.SekmeTak(Sekme::StokListesi, new OrnekSekme) : nullptr;
    auto* sepet = f.SekmeTak(Sekme::Sepet, new OrnekSekme);
    TableData veri;
    veri.setFields({FieldDef{u"STOK_STOKNO"_s, FieldType::Integer}});
    veri.appendRow();
    f.stok->assign(std::move(veri));
    f.SekmeBasligiYaz(Sekme::StokListesi, u"1=Stok Listesi"_s);
    f.SekmeyiEtkinlestir(Sekme::CariEkstre);
    f.sbilgi->setADI(u"TEMSILCI1"_s);

    // The selection window is cancelled without changing anything.
    int secimler = 0;
    f.CariSecimiAc = [&] {
        ++secimler;
        f.sbilgi->setCariAdi(u"SECILEN CARI"_s);
    };
    f.MusteriDegistir();
    QCOMPARE(secimler, 1);
    QCOMPARE(f.cariadilbl->text(), u"SECILEN CARI"_s);
    QCOMPARE(f.kullanicilbl->text(), u"TEMSILCI1"_s);
    QCOMPARE(sepet->olaylar, QStringList{u"yenile"_s});
    QCOMPARE(f.sPageControl1->currentWidget(), f.SekmeSayfasi(Sekme::StokListesi));
    QCOMPARE(f.focusWidget(), f.araedit);
    if (stokSekmesi) {
        QVERIFY(stok->olaylar.contains(u"cari"_s));
    } else {
        QVERIFY(f.stok->IsEmpty());
        QCOMPARE(f.SekmeBasligiOku(Sekme::StokListesi), u"0=Stok Listesi"_s);
    }
}

void tst_anapencere::baslangicIsi()
{
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    f.sbilgi->setADI(u"DEMO"_s);
    f.sbilgi->setCariAdi(u"DEMO OTO"_s);
    f.sbilgi->setSaticiAdi(u"AHMET"_s);
    f.sbilgi->setSaticiTelefon(u"0532"_s);
    f.sbilgi->setSaticiMail(u"a@b.c"_s);
    QStringList adimlar;
    QString ilkAdimdaEtiket;
    f.BaslangicAdimlari.append([&] {
        ilkAdimdaEtiket = callOnMainThread([&] { return f.kullanicilbl->text(); });
        adimlar << u"1"_s;
    });
    f.BaslangicAdimlari.append([&] {
        adimlar << u"2"_s;
        throw std::runtime_error("adım 2 bozuk");
    });
    f.BaslangicAdimlari.append([&] { adimlar << u"3"_s; });
    QStringList hatalar;
    auto eski = setUnhandledErrorHandler([&](std::exception_ptr e) { hatalar << exceptionText(e); });
    bool bitti = false;
    Async([&] { f.BaslangicIsi(); }).Await([&] { bitti = true; });
    QTRY_VERIFY(bitti);
    QTRY_COMPARE(hatalar.size(), 1);
    setUnhandledErrorHandler(eski);

    QCOMPARE(ilkAdimdaEtiket, u"DEMO"_s); // the header came first
    QCOMPARE(adimlar, (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    QVERIFY(hatalar[0].contains(u"adım 2 bozuk"_s));
    QCOMPARE(f.cariadilbl->text(), u"DEMO OTO"_s);
    QCOMPARE(f.saticilbl->text(), u"AHMET Telefonu: 0532 email: a@b.c"_s);
}

void tst_anapencere::acilisReklami_data()
{
    QTest::addColumn<int>("adet");
    QTest::addColumn<bool>("secildi");
    QTest::addColumn<int>("etkinSekme");
    QTest::newRow("no adverts: no window") << 0 << true << int(Sekme::StokListesi);
    QTest::newRow("advert closed without a choice") << 3 << false << int(Sekme::StokListesi);
    QTest::newRow("advert links to new items") << 3 << true << int(Sekme::YeniStoklar);
}

void tst_anapencere::acilisReklami()
{
    QFETCH(int, adet);
    QFETCH(bool, secildi);
    QFETCH(int, etkinSekme);
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    int gosterilme = 0;
    f.AcilisReklamlariGoster = [&]() -> std::optional<QString> {
        ++gosterilme;
        if (!secildi)
            return std::nullopt;
        return u"#YENİ#"_s;
    };
    f._acilisadet = adet;
    f.AcilisReklamAdimi();
    QCOMPARE(gosterilme, adet == 0 ? 0 : 1);
    QCOMPARE(f.sPageControl1->currentWidget(), f.SekmeSayfasi(static_cast<Sekme>(etkinSekme)));
}

void tst_anapencere::kapatmaOnayi_data()
{
    QTest::addColumn<int>("cevap");
    QTest::addColumn<bool>("biter");
    QTest::newRow("Evet ends the program") << int(mrYes) << true;
    QTest::newRow("Hayır keeps it running") << int(mrNo) << false;
    QTest::newRow("closed dialog keeps it running") << int(mrNone) << false;
}

void tst_anapencere::kapatmaOnayi()
{
    QFETCH(int, cevap);
    QFETCH(bool, biter);
    DialogRecorder dialogs;
    dialogs.answer(cevap);
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    f.show();
    f.G1->trigger(); // "Çıkış" leads to the same confirmation as the close box
    const ShownDialog d = dialogs.last();
    QCOMPARE(d.text, u"Programdan Çıkmak İstiyor musunuz ?"_s);
    QCOMPARE(d.kind, mtConfirmation);
    QCOMPARE(d.buttons, (QList<TMsgDlgBtn>{mbYes, mbNo}));
    QCOMPARE(d.focused, mbYes);
    QCOMPARE(m_bitisler, biter ? QList<int>{0} : QList<int>{});
    QCOMPARE(f.isVisible(), !biter);
}

void tst_anapencere::girisIptalPencereGostermez()
{
    DialogRecorder dialogs;
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    bool anaGorunurdu = true;
    bool girisGoruldu = false;
    QTimer::singleShot(0, this, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* g = qobject_cast<Tgirisform*>(w); g && g->isVisible()) {
                girisGoruldu = true;
                anaGorunurdu = f.isVisible();
                g->reject(); // the close box
            }
        }
    });
    QVERIFY(!f.FormCreate());
    QVERIFY(girisGoruldu);
    QVERIFY(!anaGorunurdu);
    QVERIFY(!f.isVisible());
    QCOMPARE(m_bitisler, QList<int>{0});
    QVERIFY(dialogs.shown().isEmpty());
}

void tst_anapencere::girisBasarilinca()
{
    SahteSunucu sunucu;
    sunucu.ortamiAyarla();
    TSonucBilgisi kayit;
    kayit.setVarmi(true);
    kayit.setVersion(5);
    kayit.setADI(u"BAYI4"_s);
    kayit.setSIFRE(u"1234"_s);
    kayit.setAKTIF(1);
    kayit.setMusteriTipi(4);
    kayit.setCariAdi(u"DORT OTO"_s);
    sunucu.yontem(u"BuyukGetir"_s, [&](const QJsonArray&) { return QJsonArray{NesneJson(kayit)}; });

    DialogRecorder dialogs;
    TForm1 f(nullptr, TForm1::Icerik::Takma);
    bool adimCalisti = false;
    f.BaslangicAdimlari.append([&] { adimCalisti = true; });
    QTimer::singleShot(0, this, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* g = qobject_cast<Tgirisform*>(w); g && g->isVisible()) {
                g->adi->setText(u"BAYI4"_s);
                g->sifre->setText(u"1234"_s);
                g->Button1Click();
            }
        }
    });
    QVERIFY(f.FormCreate());
    QCOMPARE(m_bitisler, QList<int>{});
    QCOMPARE(f.sbilgi->ADI(), u"BAYI4"_s);
    QCOMPARE(f.sbilgi->Disip(), u"203.0.113.7"_s);
    QVERIFY(!f.SekmeGorunur(Sekme::KampanyaliStoklar)); // type 4 rules applied
    QTRY_VERIFY(adimCalisti);
    QTRY_COMPARE(f.cariadilbl->text(), u"DORT OTO"_s);
    QCOMPARE(f.bagc->param(datasnap::param::Port), QString::number(sunucu.port()));
}

void tst_anapencere::katalogSekmeleriTakili()
{
    TForm1 f;
    auto* stok = qobject_cast<TStokListesi*>(f.SekmeIcerigi(Sekme::StokListesi));
    QVERIFY(stok);
    QCOMPARE(f.araedit, stok->araedit.data());
    QCOMPARE(f.Panel2->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly), QList<QLineEdit*>{f.araedit});
    auto* yeniler = qobject_cast<TTanitimListesi*>(f.SekmeIcerigi(Sekme::YeniStoklar));
    auto* kampanya = qobject_cast<TTanitimListesi*>(f.SekmeIcerigi(Sekme::KampanyaliStoklar));
    QVERIFY(yeniler && kampanya);
    QCOMPARE(yeniler->tur(), TTanitimListesi::Tur::Yeniler);
    QCOMPARE(kampanya->tur(), TTanitimListesi::Tur::Kampanya);
    QCOMPARE(f.gifyeniler, yeniler->Gosterge());
    QCOMPARE(f.gifkampanyali, kampanya->Gosterge());
    QCOMPARE(f.gifstokara, stok->gifstokara.data());
}

QTEST_MAIN(tst_anapencere)
#include "tst_anapencere.moc"
