#include "app/Unit1.h"

#include "account/cariekstresekmesi.h"
#include "account/oncekisekmesi.h"
#include "account/raporformu.h"
#include "account/sanalpossekmesi.h"
#include "app/durumaciklamasi.h"
#include "assets/resimler.h"
#include "basket/bakiyelersekmesi.h"
#include "basket/sepetsekmesi.h"
#include "catalogue/stoklistesiu.h"
#include "catalogue/tanitimlistesiu.h"
#include "core/beklesinu.h"
#include "core/ui/sekmeboyaci.h"
#include "core/utils.h"
#include "platform/widgets/animatedpicture.h"
#include "promotion/duyurularu.h"
#include "promotion/gifresim.h"
#include "promotion/tanitim.h"
#include "promotion/mailformu.h"
#include "salesrep/seccariu.h"
#include "server/proxim.h"
#include "signin/girisformu.h"
#include "signin/kullanicikayitu.h"
#include "signin/programsonu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMovie>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

namespace {

QFont tahoma(int px, bool bold)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// A hidden 28 x 27 busy animation of the search bar.
QWidget* mesgulGostergesiYap(const QString& ad, QWidget* parent)
{
    auto* l = new TGifResim(parent);
    l->setObjectName(ad);
    l->setFixedSize(28, 27);
    l->loadFile(Resimler::Mesgul());
    l->hide();
    return l;
}

QAction* eylem(QMenu* menu, const QString& ad, const QString& baslik)
{
    QAction* a = menu->addAction(baslik);
    a->setObjectName(ad);
    return a;
}

} // namespace

TForm1::TForm1(QWidget* parent, Icerik icerik)
    : QWidget(parent)
    , bagc(std::make_unique<datasnap::Connection>())
    , sbilgi(std::make_unique<TSonucBilgisi>())
    , stok(std::make_unique<MemTable>())
    , sepet(std::make_unique<MemTable>())
    , ONCEKILER(std::make_unique<MemTable>())
    , EKSTRE(std::make_unique<MemTable>())
    , YENILER(std::make_unique<MemTable>())
    , kampstok(std::make_unique<MemTable>())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zelvori Otomotiv B2B Programı"));
    setWindowIcon(QIcon(Resimler::StokListesi()));
    setFont(tahoma(13, true));
    resize(1634, 725);
    cerceveyiKur();
    menuleriKur();
    if (icerik == Icerik::Tak)
        sekmeIcerikleriniTak();
    araedit->setFocus();
}

TForm1::~TForm1()
{
    // A start-up job still running works on this window's connection, record
    // and widgets: it is told to stop (its pending hand-offs to the main
    // thread are dropped, no further step starts) and its hand-offs that are
    // already queued are served until it has ended.
    const std::shared_ptr<BaslangicDurumu> durum = m_baslangic;
    if (durum->calisiyor.load()) {
        durum->dur.store(true);
        while (durum->calisiyor.load())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
}

// ---------------------------------------------------------------- frame

void TForm1::cerceveyiKur()
{
    auto* kok = new QVBoxLayout(this);
    kok->setContentsMargins(0, 0, 0, 0);
    kok->setSpacing(0);

    ustPaneliKur();
    kok->addWidget(Panel1);

    aramaCubugunuKur();
    kok->addWidget(Panel2);

    RxGIFAnimator2 = new AnimatedPicture(this);
    RxGIFAnimator2->setObjectName(QStringLiteral("RxGIFAnimator2"));
    RxGIFAnimator2->setAlignment(Qt::AlignCenter);
    RxGIFAnimator2->setFixedHeight(0);
    kok->addWidget(RxGIFAnimator2);

    sekmeleriKur();
    kok->addWidget(sPageControl1, 1);

    Panel3 = new DurumAciklamasi(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(27);
    kok->addWidget(Panel3);

    // The scrolling text and the bottom banner are placed here by their owner.
    Panel5 = new QFrame(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFixedHeight(40);
    auto* alt = new QVBoxLayout(Panel5);
    alt->setContentsMargins(0, 0, 0, 0);
    alt->setSpacing(0);
    kok->addWidget(Panel5);
}

void TForm1::ustPaneliKur()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(100);
    Panel1->setStyleSheet(QStringLiteral("#Panel1 { background: #FFFFFF; }"));
    auto* lay = new QHBoxLayout(Panel1);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(490, 100);
    Image1->setPixmap(QIcon(Resimler::Logo()).pixmap(490, 100));
    lay->addWidget(Image1);

    GridPanel1 = new QWidget(Panel1);
    GridPanel1->setObjectName(QStringLiteral("GridPanel1"));
    GridPanel1->setMinimumWidth(320);
    GridPanel1->setMaximumWidth(442);
    auto* izgara = new QGridLayout(GridPanel1);
    izgara->setContentsMargins(4, 6, 4, 6);
    izgara->setHorizontalSpacing(4);
    izgara->setVerticalSpacing(0);
    izgara->setColumnStretch(0, 18);
    izgara->setColumnStretch(1, 82);
    const QString basliklar[] = {QStringLiteral("Kullanıcı: "), QStringLiteral("Firma: "),
                                 QStringLiteral("Temsilci: ")};
    QLabel** degerler[] = {&kullanicilbl, &cariadilbl, &saticilbl};
    const QString adlar[] = {QStringLiteral("kullanicilbl"), QStringLiteral("cariadilbl"),
                             QStringLiteral("saticilbl")};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QLabel(basliklar[i], GridPanel1);
        b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        izgara->addWidget(b, i, 0);
        auto* d = new QLabel(GridPanel1);
        d->setObjectName(adlar[i]);
        d->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        d->setWordWrap(true);
        izgara->addWidget(d, i, 1);
        izgara->setRowStretch(i, 1);
        *degerler[i] = d;
    }
    lay->addWidget(GridPanel1);
    lay->addStretch(1);

    auto* baslikResmi = new TGifResim(Panel1);
    GifResim1 = baslikResmi;
    GifResim1->setObjectName(QStringLiteral("GifResim1"));
    // 409 x 100 on a wide screen; on a narrow one it gives way first.
    GifResim1->setFixedHeight(100);
    GifResim1->setMinimumWidth(0);
    GifResim1->setMaximumWidth(409);
    GifResim1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    GifResim1->setAttribute(Qt::WA_TranslucentBackground);
    baslikResmi->loadFile(Resimler::BaslikAnimasyonu());
    baslikResmi->setAnimate(true);
    lay->addWidget(GifResim1);

    Button3 = new QToolButton(Panel1);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setFixedSize(84, 94);
    Button3->setIcon(QIcon(Resimler::GenelMenu()));
    Button3->setIconSize(QSize(48, 48));
    Button3->setPopupMode(QToolButton::MenuButtonPopup);
    Button3->setToolTip(QStringLiteral("Genel Menü"));
    lay->addWidget(Button3);
}

void TForm1::aramaCubugunuKur()
{
    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(35);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* lay = new QHBoxLayout(Panel2);
    lay->setContentsMargins(4, 2, 4, 2);
    lay->setSpacing(4);

    Image2 = new QLabel(Panel2);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFixedWidth(20);
    Image2->setPixmap(QIcon(Resimler::Buyutec()).pixmap(18, 18));
    lay->addWidget(Image2);

    // The search box and its two buttons sit in a slot of their own: a stock
    // list tab with its own search controls replaces them there.
    m_aramaYeri = new QHBoxLayout;
    m_aramaYeri->setSpacing(4);
    lay->addLayout(m_aramaYeri);

    araedit = new QLineEdit(Panel2);
    araedit->setObjectName(QStringLiteral("araedit"));
    araedit->setFixedWidth(340);
    araedit->setFont(tahoma(20, false));
    m_aramaYeri->addWidget(araedit);

    SpeedButton2 = new QToolButton(Panel2);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setToolTip(QStringLiteral("Ara"));
    SpeedButton2->setIcon(QIcon(Resimler::AraDugmesi()));
    SpeedButton2->setIconSize(QSize(22, 22));
    SpeedButton2->setAutoRaise(true);
    m_aramaYeri->addWidget(SpeedButton2);

    SpeedButton1 = new QToolButton(Panel2);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setToolTip(QStringLiteral("Temizle"));
    SpeedButton1->setIcon(QIcon(Resimler::Temizle()));
    SpeedButton1->setIconSize(QSize(20, 20));
    SpeedButton1->setAutoRaise(true);
    m_aramaYeri->addWidget(SpeedButton1);

    musteritus = new QPushButton(QStringLiteral("Başka Cari Seç"), Panel2);
    musteritus->setObjectName(QStringLiteral("musteritus"));
    musteritus->setIcon(QIcon(Resimler::CariSec()));
    musteritus->setFixedSize(149, 27);
    musteritus->hide();
    lay->addWidget(musteritus);

    gifstokara = mesgulGostergesiYap(QStringLiteral("gifstokara"), Panel2);
    gifyeniler = mesgulGostergesiYap(QStringLiteral("gifyeniler"), Panel2);
    gifkampanyali = mesgulGostergesiYap(QStringLiteral("gifkampanyali"), Panel2);
    gifduyuru = mesgulGostergesiYap(QStringLiteral("gifduyuru"), Panel2);
    gifoncekiler = mesgulGostergesiYap(QStringLiteral("gifoncekiler"), Panel2);
    gifsepet = mesgulGostergesiYap(QStringLiteral("gifsepet"), Panel2);
    gifekstre = mesgulGostergesiYap(QStringLiteral("gifekstre"), Panel2);
    for (QWidget* g : {gifstokara, gifyeniler, gifkampanyali, gifduyuru, gifoncekiler, gifsepet, gifekstre})
        lay->addWidget(g);
    lay->addStretch(1);

    connect(araedit, &QLineEdit::returnPressed, this, &TForm1::AramaBaslat);
    connect(SpeedButton2, &QToolButton::clicked, this, [this] {
        if (araedit->isEnabled())
            AramaBaslat();
    });
    connect(musteritus, &QPushButton::clicked, this, &TForm1::MusteriDegistir);
}

void TForm1::sekmeleriKur()
{
    sPageControl1 = new QTabWidget(this);
    sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
    sPageControl1->setIconSize(QSize(32, 32));
    sPageControl1->setDocumentMode(true);
    sPageControl1->tabBar()->setExpanding(false);
    // Captions "N=Title" are drawn as the title with a red counter.
    TTabColorControlStyleHook::Kur(sPageControl1->tabBar())->setMetinRengi(QColor(0xFF, 0xFF, 0xFF));
    sPageControl1->setStyleSheet(QStringLiteral(
        "QTabBar::tab { min-width: 120px; min-height: 45px; padding: 0 4px;"
        "  color: #FFFFFF; background: #3D414A; border: 1px solid #2A2D33;"
        "  border-bottom: none; margin-right: 2px; font: bold 13px 'Tahoma'; }"
        "QTabBar::tab:selected { background: #D64541; }"
        "QTabBar::tab:hover:!selected { background: #535966; }"
        "QTabWidget::pane { border-top: 3px solid #D64541; }"));

    QWidget* gostergeler[SekmeSayisi] = {gifstokara, gifsepet,      gifoncekiler, gifekstre, gifyeniler,
                                        gifkampanyali, gifduyuru, nullptr,      nullptr};
    QWidget** sayfalar[SekmeSayisi] = {&sstoklistesi, &ssepet,          &sonceki,       &sccariekstre, &syeniler,
                                       &skampanyali,  &sTabSheetduyuru, &sTabbakiyeler, &ss};
    const QString resimler[SekmeSayisi] = {
        Resimler::StokListesi(),       Resimler::Sepet(),     Resimler::OncekiSiparisler(),
        Resimler::CariEkstre(),        Resimler::YeniStoklar(), Resimler::KampanyaliStoklar(),
        Resimler::Duyurular(),         Resimler::Bakiyeler(), Resimler::SanalPos()};

    for (int i = 0; i < SekmeSayisi; ++i) {
        const auto sekme = static_cast<Sekme>(i);
        auto* sayfa = new QWidget(sPageControl1);
        sayfa->setObjectName(SekmeAdi(sekme));
        auto* lay = new QVBoxLayout(sayfa);
        lay->setContentsMargins(0, 0, 0, 0);
        auto* yer = new QLabel(SekmeBasligi(sekme), sayfa);
        yer->setObjectName(SekmeAdi(sekme) + QStringLiteral("_yertutucu"));
        yer->setAlignment(Qt::AlignCenter);
        yer->setStyleSheet(QStringLiteral("color: #A9B2BC; font-size: 20px;"));
        lay->addWidget(yer);
        sPageControl1->addTab(sayfa, QIcon(resimler[i]), SekmeBasligi(sekme));
        *sayfalar[i] = sayfa;
        m_sekmeler[i].sayfa = sayfa;
        m_sekmeler[i].yerTutucu = yer;
        m_sekmeler[i].mesgul = gostergeler[i];
    }
    sPageControl1->setCurrentIndex(0);
    m_etkinSekme = 0;
    connect(sPageControl1, &QTabWidget::currentChanged, this, &TForm1::sekmeDegisti);
}

void TForm1::menuleriKur()
{
    Genelmenu = new QMenu(this);
    Genelmenu->setObjectName(QStringLiteral("Genelmenu"));
    M1 = eylem(Genelmenu, QStringLiteral("M1"), QStringLiteral("Mail Gönder"));
    Genelmenu->addSeparator();
    N4 = eylem(Genelmenu, QStringLiteral("N4"), QStringLiteral("Şifre Değiştirme İsteği"));
    Genelmenu->addSeparator();
    WebSitesi1 = eylem(Genelmenu, QStringLiteral("WebSitesi1"), WebAdresi());
    Genelmenu->addSeparator();
    G1 = eylem(Genelmenu, QStringLiteral("G1"), QStringLiteral("Çıkış"));
    Genelmenu->addSeparator()->setObjectName(QStringLiteral("R1_ayrac"));
    R1 = eylem(Genelmenu, QStringLiteral("R1"), QStringLiteral("Raporlar"));
    R1->setVisible(false);
    Genelmenu->findChild<QAction*>(QStringLiteral("R1_ayrac"))->setVisible(false);
    Button3->setMenu(Genelmenu);

    connect(M1, &QAction::triggered, this, &TForm1::M1Click);
    connect(N4, &QAction::triggered, this, &TForm1::N4Click);
    connect(WebSitesi1, &QAction::triggered, this, &TForm1::WebSitesi1Click);
    connect(G1, &QAction::triggered, this, &QWidget::close);
    connect(R1, &QAction::triggered, this, [this] {
        if (RaporlarAc)
            RaporlarAc();
    });

    popstok = new QMenu(this);
    popstok->setObjectName(QStringLiteral("popstok"));
    eylem(popstok, QStringLiteral("S2"), QStringLiteral("Sepete Ekle"));
    popstok->addSeparator();
    eylem(popstok, QStringLiteral("B1"), QStringLiteral("Sipariş Bakiyeleriniz"));
    popstok->addSeparator();
    eylem(popstok, QStringLiteral("S3"), QStringLiteral("Siparişleri Göster"));
    popstok->addSeparator();
    eylem(popstok, QStringLiteral("StokHareketleri1"), QStringLiteral("Stok Hareketleri"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    eylem(PopupMenu1, QStringLiteral("Deitir1"), QStringLiteral("Satır Değiştir"));
    PopupMenu1->addSeparator();
    eylem(PopupMenu1, QStringLiteral("SatrSil1"), QStringLiteral("Satır Sil"));
    PopupMenu1->addSeparator();
    eylem(PopupMenu1, QStringLiteral("HepsiniSil1"), QStringLiteral("Hepsini Sil"));

    poponceki = new QMenu(this);
    poponceki->setObjectName(QStringLiteral("poponceki"));
    eylem(poponceki, QStringLiteral("S1"), QStringLiteral("Siparişi İncele"));
    poponceki->addSeparator();
    eylem(poponceki, QStringLiteral("SipariBakiyeleriniz1"), QStringLiteral("Sipariş Bakiyeleriniz"));
    poponceki->addSeparator();
    eylem(poponceki, QStringLiteral("T1"), QStringLiteral("Tüm Siparişler"));

    popekstre = new QMenu(this);
    popekstre->setObjectName(QStringLiteral("popekstre"));
    eylem(popekstre, QStringLiteral("H1"), QStringLiteral("Hareket İncele"));
}

QMenu* TForm1::SekmeMenusu(Sekme sekme) const
{
    switch (sekme) {
    case Sekme::StokListesi: return popstok;
    case Sekme::Sepet: return PopupMenu1;
    case Sekme::OncekiSiparisler: return poponceki;
    case Sekme::CariEkstre: return popekstre;
    default: return nullptr;
    }
}

// ---------------------------------------------------------------- tab contents

// The one place where the tabs' contents are created: each line replaces a
// placeholder page (see docs/architecture.md, "How a tab plugs into TForm1").
void TForm1::sekmeIcerikleriniTak()
{
    SekmeTak(Sekme::StokListesi, new TStokListesi(katalogBaglami(), *stok));
    SekmeTak(Sekme::YeniStoklar, new TTanitimListesi(TTanitimListesi::Tur::Yeniler, katalogBaglami(), *YENILER));
    SekmeTak(Sekme::KampanyaliStoklar,
             new TTanitimListesi(TTanitimListesi::Tur::Kampanya, katalogBaglami(), *kampstok));
    SekmeTak(Sekme::Sepet, new TSepetSekmesi(*bagc, *sbilgi, *sepet, PopupMenu1, this));
    SekmeTak(Sekme::Bakiyeler, new TBakiyelerSekmesi(*bagc, *sbilgi));
    SekmeTak(Sekme::OncekiSiparisler, new TOncekiSiparislerSekmesi(*bagc, *sbilgi, *ONCEKILER, poponceki, this));
    SekmeTak(Sekme::CariEkstre, new TCariEkstreSekmesi(*bagc, *sbilgi, *EKSTRE, popekstre, this));
    // Without a balance the payment tab sends the user back to the stock list.
    auto* sanalPos = new TSanalPosSekmesi(*bagc, *sbilgi);
    connect(sanalPos, &TSanalPosSekmesi::StokListesiIstendi, this,
            [this] { SekmeyiEtkinlestir(Sekme::StokListesi); });
    SekmeTak(Sekme::SanalPos, sanalPos);
    RaporlarAc = [this] { Traporform::Ac(this, *bagc, *sbilgi); };
    SekmeTak(Sekme::Duyurular, new TDuyurular(*bagc));
    // Scrolling text, banners, counters and the opening adverts.
    auto* tanitim = new TTanitim(*bagc, *sbilgi, Panel5, qobject_cast<AnimatedPicture*>(RxGIFAnimator2), this);
    tanitim->BaslikYaz = [this](const QString& sekmeAdi, const QString& baslik) {
        for (int i = 0; i < SekmeSayisi; ++i) {
            if (SekmeAdi(static_cast<Sekme>(i)) == sekmeAdi)
                SekmeBasligiYaz(static_cast<Sekme>(i), baslik);
        }
    };
    BaslangicAdimlari << [tanitim] { tanitim->KayanYaziAl(); } << [tanitim] { tanitim->BannerREsimAlUst(); }
                      << [tanitim] { tanitim->BannerREsimAlAlt(); }
                      << [this, tanitim] { tanitim->AcilisReklamAdetAl(_acilisadet); }
                      << [tanitim] { tanitim->BalonYaz(); };
    AcilisReklamlariGoster = [this, tanitim] { return tanitim->AcilisReklamlariGoster(this); };
    // The customer selection of sales representatives, at sign-in and from
    // "Başka Cari Seç".
    Tgirisform::CariSecimiAyarla([](QWidget* sahip, datasnap::Connection& bag, TSonucBilgisi& bilgim) {
        return CariSecimiGoster(sahip, bag, bilgim);
    });
    CariSecimiAc = [this] { CariSecimiGoster(this, *bagc, *sbilgi); };
}

TKatalogBaglami TForm1::katalogBaglami()
{
    TKatalogBaglami b;
    b.bagc = bagc.get();
    b.sbilgi = sbilgi.get();
    b.sepet = sepet.get();
    b.sahip = this;
    b.SepetYukle = [this] { SepetYenile(); };
    return b;
}

void TForm1::icerigiYerlestir(Sekme sekme, QWidget* icerik)
{
    SekmeBaglantisi& b = baglanti(sekme);
    if (b.yerTutucu) {
        delete b.yerTutucu;
        b.yerTutucu = nullptr;
    }
    if (b.icerik && b.icerik != icerik) {
        // A replaced tab takes its connections with it.
        delete b.icerik.data();
        b.gosterildi = {};
        b.gizlendi = {};
        b.kullaniciTipi = {};
        if (sekme == Sekme::StokListesi) {
            m_stokAra = {};
            m_stokMetinAra = {};
            m_stokCariDegisti = {};
        }
        if (sekme == Sekme::Sepet)
            m_sepetYenile = {};
    }
    icerik->setParent(b.sayfa);
    b.sayfa->layout()->addWidget(icerik);
    icerik->show();
    b.icerik = icerik;
}

void TForm1::menuEylemleriniBagla(Sekme sekme, const std::function<void(QAction*)>& bagla)
{
    if (QMenu* m = SekmeMenusu(sekme)) {
        for (QAction* a : m->actions()) {
            if (!a->isSeparator())
                bagla(a);
        }
    }
}

QWidget* TForm1::SekmeSayfasi(Sekme sekme) const { return baglanti(sekme).sayfa; }
QWidget* TForm1::SekmeIcerigi(Sekme sekme) const { return baglanti(sekme).icerik.data(); }
QWidget* TForm1::MesgulGostergesi(Sekme sekme) const { return baglanti(sekme).mesgul; }

void TForm1::mesgulGostergesiniDegistir(Sekme sekme, QWidget* gosterge)
{
    SekmeBaglantisi& b = baglanti(sekme);
    if (!gosterge || gosterge == b.mesgul)
        return;
    auto* lay = static_cast<QBoxLayout*>(Panel2->layout());
    m_aramaYeri->removeWidget(gosterge);
    const int yer = b.mesgul ? lay->indexOf(b.mesgul) : -1;
    gosterge->setParent(Panel2);
    lay->insertWidget(yer >= 0 ? yer : lay->count() - 1, gosterge);
    gosterge->hide();
    QWidget** uye[SekmeSayisi] = {&gifstokara,    &gifsepet,  &gifoncekiler, &gifekstre, &gifyeniler,
                                  &gifkampanyali, &gifduyuru, nullptr,       nullptr};
    delete b.mesgul;
    b.mesgul = gosterge;
    if (QWidget** u = uye[static_cast<int>(sekme)])
        *u = gosterge;
}

void TForm1::aramaKutusunuBirak()
{
    delete araedit;
    delete SpeedButton2;
    delete SpeedButton1;
    araedit = nullptr;
    SpeedButton2 = nullptr;
    SpeedButton1 = nullptr;
}

QBoxLayout* TForm1::aramaKutusuYeri() { return m_aramaYeri; }

int TForm1::sekmeIndeksi(Sekme sekme) const { return sPageControl1->indexOf(baglanti(sekme).sayfa); }

QString TForm1::SekmeBasligiOku(Sekme sekme) const { return sPageControl1->tabText(sekmeIndeksi(sekme)); }

void TForm1::SekmeBasligiYaz(Sekme sekme, const QString& baslik)
{
    sPageControl1->setTabText(sekmeIndeksi(sekme), baslik);
}

void TForm1::SekmeSayisiYaz(Sekme sekme, int sayi) { SekmeBasligiYaz(sekme, SayacliBaslik(sayi, sekme)); }

void TForm1::SekmeyiEtkinlestir(Sekme sekme) { sPageControl1->setCurrentIndex(sekmeIndeksi(sekme)); }

bool TForm1::SekmeGorunur(Sekme sekme) const { return sPageControl1->isTabVisible(sekmeIndeksi(sekme)); }

void TForm1::MesgulGoster(Sekme sekme, bool goster)
{
    QWidget* g = MesgulGostergesi(sekme);
    if (!g)
        return;
    if (auto* gif = qobject_cast<TGifResim*>(g)) {
        goster ? gif->GosterAnim() : gif->GizleDurdur();
        return;
    }
    g->setVisible(goster);
    if (auto* l = qobject_cast<QLabel*>(g); l && l->movie()) {
        if (goster)
            l->movie()->start();
        else
            l->movie()->stop();
    }
}

void TForm1::sekmeDegisti(int index)
{
    if (m_etkinSekme >= 0 && m_etkinSekme < SekmeSayisi) {
        if (auto& eski = m_sekmeler[m_etkinSekme].gizlendi)
            eski();
    }
    m_etkinSekme = -1;
    QWidget* sayfa = sPageControl1->widget(index);
    for (int i = 0; i < SekmeSayisi; ++i) {
        if (m_sekmeler[i].sayfa == sayfa) {
            m_etkinSekme = i;
            if (auto& yeni = m_sekmeler[i].gosterildi)
                yeni();
        }
    }
}

// ---------------------------------------------------------------- services

void TForm1::BaglantiAc(const QString& metin)
{
    if (metin == u"#KAMPANYA#") {
        SekmeyiEtkinlestir(Sekme::KampanyaliStoklar);
    } else if (metin == u"#YENİ#") {
        SekmeyiEtkinlestir(Sekme::YeniStoklar);
    } else if (m_stokMetinAra) {
        m_stokMetinAra(metin);
    } else {
        araedit->setText(metin);
        AramaBaslat();
    }
}

void TForm1::AramaBaslat()
{
    if (araedit->isEnabled() && m_stokAra)
        m_stokAra();
}

void TForm1::SepetYenile()
{
    if (m_sepetYenile)
        m_sepetYenile();
}

void TForm1::AnaBilgiAl()
{
    kullanicilbl->setText(sbilgi->ADI());
    cariadilbl->setText(sbilgi->CariAdi());
    saticilbl->setText(sbilgi->SaticiAdi() + QStringLiteral(" Telefonu: ") + sbilgi->SaticiTelefon()
                       + QStringLiteral(" email: ") + sbilgi->SaticiMail());
}

void TForm1::KullaniciTipiUygula(int musteriTipi)
{
    const KullaniciTipiKurallari k = KullaniciTipiKurallariVer(musteriTipi);
    if (k.baskaCariSec)
        musteritus->show();
    if (k.raporlar) {
        R1->setVisible(true);
        Genelmenu->findChild<QAction*>(QStringLiteral("R1_ayrac"))->setVisible(true);
    }
    if (!k.kampanyaliSekmesi)
        sPageControl1->setTabVisible(sekmeIndeksi(Sekme::KampanyaliStoklar), false);
    for (const SekmeBaglantisi& b : m_sekmeler) {
        if (b.kullaniciTipi)
            b.kullaniciTipi(musteriTipi);
    }
}

void TForm1::MusteriDegistir()
{
    if (CariSecimiAc)
        CariSecimiAc();
    AnaBilgiAl();
    SepetYenile();
    if (m_stokCariDegisti) {
        m_stokCariDegisti();
    } else {
        if (stok->Active())
            stok->EmptyDataSet();
        SekmeBasligiYaz(Sekme::StokListesi, SayacliBaslik(0, Sekme::StokListesi));
    }
    SekmeyiEtkinlestir(Sekme::StokListesi);
    araedit->selectAll();
    araedit->setFocus();
}

// ---------------------------------------------------------------- general menu

void TForm1::M1Click()
{
    Tmailform pencere(this, *bagc, *sbilgi);
    pencere.exec();
}

void TForm1::N4Click()
{
    Tkullanicikayit pencere(this, *bagc, *sbilgi);
    pencere.exec();
}

void TForm1::WebSitesi1Click()
{
    openWithSystem(OpenRequest{WebAdresi(), {}});
    araedit->selectAll();
    araedit->setFocus();
}

// ---------------------------------------------------------------- start-up

bool TForm1::FormCreate()
{
    _acilisadet = 0;
    setWindowTitle(QStringLiteral("Zelvori Otomotiv B2B Programı"));

    sbilgi->setBilgiSayarAdi(BilgisayarAdiAl());
    sbilgi->setBilgisayarKullanici(KullaniciAdiAl());
    sbilgi->setIcip(IcIpAl());
    sbilgi->setBILGISAYARID(BilgisayarIdAl());

    SunucuAdresiniYaz(*bagc);
    WebSitesi1->setText(WebAdresi());

    if (!GirisYap())
        return false;

    BaslangicIsiniBaslat();
    return true;
}

void TForm1::BaslangicIsiniBaslat()
{
    const std::shared_ptr<BaslangicDurumu> durum = m_baslangic;
    durum->dur.store(false);
    durum->calisiyor.store(true);
    Async([this, durum] {
        // The flag drops at the very end: the window's destructor waits for it,
        // and the completion queued after it wakes that wait.
        struct Bitis
        {
            BaslangicDurumu& d;
            ~Bitis() { d.calisiyor.store(false); }
        } bitis{*durum};
        const HandOffStopScope durdurma(std::shared_ptr<const std::atomic<bool>>(durum, &durum->dur));
        BaslangicIsi();
    }).Await(this, [this, durum] {
        if (!durum->dur.load())
            AcilisReklamAdimi();
    });
}

bool TForm1::GirisYap()
{
    {
        Tgirisform giris(nullptr);
        giris.bagim = bagc.get();
        giris.Bilgim = sbilgi.get();
        if (giris.exec() != QDialog::Accepted) {
            ProgramiSonlandir(0);
            return false;
        }
    }
    if (sbilgi->Disip().trimmed().isEmpty()) {
        ProgramiSonlandir(0);
        return false;
    }
    KullaniciTipiUygula(sbilgi->MusteriTipi());
    return true;
}

void TForm1::BaslangicIsi()
{
    runOnMainThread([this] { AnaBilgiAl(); });
    // Every later step runs even when an earlier one failed; the first error
    // that escaped a step is raised again once all have run.
    // A window that is going away stops the job: no further step runs and
    // nothing is reported.
    std::exception_ptr ilkHata;
    const std::shared_ptr<BaslangicDurumu> durum = m_baslangic;
    for (const auto& adim : BaslangicAdimlari) {
        if (durum->dur.load())
            return;
        try {
            adim();
        } catch (const MainThreadCallAbandoned&) {
            return;
        } catch (...) {
            if (!ilkHata)
                ilkHata = std::current_exception();
        }
    }
    if (ilkHata && !durum->dur.load())
        std::rethrow_exception(ilkHata);
}

void TForm1::AcilisReklamAdimi()
{
    if (_acilisadet == 0 || !AcilisReklamlariGoster)
        return;
    if (const std::optional<QString> baglanti = AcilisReklamlariGoster())
        BaglantiAc(*baglanti);
}

// ---------------------------------------------------------------- closing

void TForm1::closeEvent(QCloseEvent* event)
{
    const int cevap = MesajGoster(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"), mtConfirmation,
                                  {mbYes, mbNo}, 0, mbYes);
    if (cevap == mrYes) {
        event->accept();
        ProgramiSonlandir(0);
    } else {
        event->ignore();
    }
}
