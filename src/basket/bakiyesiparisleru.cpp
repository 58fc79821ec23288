#include "basket/bakiyesiparisleru.h"

#include "basket/bakiyedegistiru.h"
#include "basket/excelkaydet.h"
#include "basket/fiyatdegistiru.h"
#include "basket/sepetsutunlari.h"
#include "catalogue/durumresimleri.h"
#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "platform/dataset/displayformat.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QFont tahoma(int piksel, bool kalin = false)
{
    QFont f(u"Tahoma"_s);
    f.setPixelSize(piksel);
    f.setBold(kalin);
    return f;
}

QLabel* degerEtiketi(QWidget* sahip, const QString& ad, Qt::Alignment hiza = Qt::AlignLeft)
{
    auto* l = new QLabel(sahip);
    l->setObjectName(ad);
    l->setFont(tahoma(13, true));
    l->setAlignment(hiza | Qt::AlignVCenter);
    return l;
}

// MIKTAR, TESLIMEDILEN and KALAN as the balance dialog shows them: no
// thousands separator, no fixed decimals.
QString genelSayi(double d)
{
    return formatNumber(d, u"0.###############");
}

} // namespace

Tbakiyesiparisler::Tbakiyesiparisler(QWidget* AOwner, datasnap::Connection& _bagim,
                                     TSonucBilgisi& _bilgi)
    : QDialog(AOwner)
    , bagim(_bagim)
    , bilgi(_bilgi)
{
    setWindowTitle(u"Bakiye Siparişler"_s);
    resize(1284, 636);
    setFont(tahoma(11));

    auto* duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(0, 0, 0, 0);
    duzen->setSpacing(0);

    cxGrid2 = new DataGrid(this);
    cxGrid2->setObjectName(u"cxGrid2"_s);
    cxGrid2->setGridFont(tahoma(13));
    cxGrid2->setColumns(BakiyeSutunlari());
    cxGrid2->setRowSelect(true);
    cxGrid2->setIncrementalSearchEnabled(true);
    cxGrid2->setFilterButtonsVisible(true);
    cxGrid2->setGroupByBoxVisible(false);
    cxGrid2->setFocusRectVisible(false);
    cxGrid2->setHeaderHeight(40);
    cxGrid2->setRowHeight(40);
    cxGrid2->setIndicatorWidth(5);
    cxGrid2->setGridLineColor(Qt::white);
    cxGrid2->setFooterVisible(true);
    cxGrid2->setFooterSummaries({{u"VERILISTARIHI"_s, SummaryKind::Count},
                                 {u"MIKTAR"_s, SummaryKind::Sum},
                                 {u"KALAN"_s, SummaryKind::Sum}});
    GridStyles stiller;
    stiller.background = sharedstyles::lightGrey();
    stiller.content = sharedstyles::lightGrey();
    stiller.evenRow = sharedstyles::white();
    stiller.oddRow = sharedstyles::lightGrey();
    stiller.header = sharedstyles::darkSlate();
    stiller.indicator = sharedstyles::darkGrey();
    stiller.selection = sharedstyles::paleBlue();
    cxGrid2->setStyles(stiller);
    cxGrid2->bind(&bakiyesepet);
    duzen->addWidget(cxGrid2, 1);

    PopupMenu1 = new QMenu(this);
    B1 = PopupMenu1->addAction(u"Bakiyeyi Sil"_s);
    B1->setObjectName(u"B1"_s);
    PopupMenu1->addSeparator();
    B2 = PopupMenu1->addAction(u"Bakiye Değiştir"_s);
    B2->setObjectName(u"B2"_s);
    PopupMenu1->addSeparator();
    F1 = PopupMenu1->addAction(u"Fiyat Değiştir"_s);
    F1->setObjectName(u"F1"_s);
    F1->setVisible(false);
    cxGrid2->setContextMenu(PopupMenu1);

    duzen->addWidget(DurumAciklamasiOlustur(this, false));

    auto* alt = new QWidget(this);
    alt->setFixedHeight(138);
    auto* altDuzen = new QHBoxLayout(alt);
    altDuzen->setContentsMargins(4, 2, 4, 2);

    auto* bilgiler = new QGroupBox(u"Sipariş Bilgileri"_s, alt);
    auto* bilgiDuzen = new QFormLayout(bilgiler);
    bilgiDuzen->setVerticalSpacing(1);
    _sipdurun = degerEtiketi(bilgiler, u"_sipdurun"_s);
    _teslimcinsi = degerEtiketi(bilgiler, u"_teslimcinsi"_s);
    _kargocinsi = degerEtiketi(bilgiler, u"_kargocinsi"_s);
    _kargo = degerEtiketi(bilgiler, u"_kargo"_s);
    _veren = degerEtiketi(bilgiler, u"_veren"_s);
    bilgiDuzen->addRow(u"Sipariş Durumu:"_s, _sipdurun);
    bilgiDuzen->addRow(u"Teslim Cinsi:"_s, _teslimcinsi);
    bilgiDuzen->addRow(u"Kargo Cinsi:"_s, _kargocinsi);
    bilgiDuzen->addRow(u"Kargo:"_s, _kargo);
    bilgiDuzen->addRow(u"Veren:"_s, _veren);
    bilgiler->setMinimumWidth(300);
    altDuzen->addWidget(bilgiler);

    auto notKutusu = [alt, altDuzen](const QString& baslik, const QString& ad) {
        auto* g = new QGroupBox(baslik, alt);
        auto* d = new QVBoxLayout(g);
        d->setContentsMargins(2, 2, 2, 2);
        auto* m = new QPlainTextEdit(g);
        m->setObjectName(ad);
        m->setReadOnly(true);
        d->addWidget(m);
        altDuzen->addWidget(g, 1);
        return m;
    };
    _sizin = notKutusu(u"Mesajınız:"_s, u"_sizin"_s);
    _bizim = notKutusu(u"Siparişi Alanın Notu:"_s, u"_bizim"_s);

    auto* tutar = new QGroupBox(u"Tutar"_s, alt);
    auto* tutarDuzen = new QFormLayout(tutar);
    tutarDuzen->setVerticalSpacing(1);
    aratoplaml = degerEtiketi(tutar, u"aratoplaml"_s, Qt::AlignRight);
    indiriml = degerEtiketi(tutar, u"indiriml"_s, Qt::AlignRight);
    nettutarl = degerEtiketi(tutar, u"nettutarl"_s, Qt::AlignRight);
    vergil = degerEtiketi(tutar, u"vergil"_s, Qt::AlignRight);
    geneltoplaml = degerEtiketi(tutar, u"geneltoplaml"_s, Qt::AlignRight);
    tutarDuzen->addRow(u"Toplam:"_s, aratoplaml);
    tutarDuzen->addRow(u"İndirim Toplam:"_s, indiriml);
    tutarDuzen->addRow(u"Ara Toplam:"_s, nettutarl);
    tutarDuzen->addRow(u"Vergi:"_s, vergil);
    tutarDuzen->addRow(u"Genel Toplam:"_s, geneltoplaml);
    tutar->setMinimumWidth(260);
    altDuzen->addWidget(tutar);

    auto* tuslar = new QVBoxLayout;
    Button1 = new QPushButton(u"Kapat"_s, alt);
    Button1->setObjectName(u"Button1"_s);
    Button2 = new QPushButton(u"Excel Kaydet"_s, alt);
    Button2->setObjectName(u"Button2"_s);
    for (QPushButton* b : {Button1, Button2}) {
        b->setFixedSize(130, 50);
        b->setAutoDefault(false);
        tuslar->addWidget(b);
    }
    altDuzen->addLayout(tuslar);
    duzen->addWidget(alt);

    FEtiketler = {aratoplaml, indiriml, nettutarl, vergil, geneltoplaml};
    FEtiketler.YazIkiBasamakGenel(FToplamlar);

    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    connect(Button2, &QPushButton::clicked, this, &Tbakiyesiparisler::Button2Click);
    connect(B1, &QAction::triggered, this, &Tbakiyesiparisler::B1Click);
    connect(B2, &QAction::triggered, this, &Tbakiyesiparisler::B2Click);
    connect(F1, &QAction::triggered, this, &Tbakiyesiparisler::F1Click);
    connect(cxGrid2, &DataGrid::focusedRowChanged, this, [this] {
        if (!FYukleniyor)
            SiparisDipGoster();
    });
    connect(cxGrid2, &DataGrid::resized, this, [this] {
        cxGrid2->applyColumnLayout(screen() ? screen()->geometry().width() : 1280);
    });
}

Tbakiyesiparisler::~Tbakiyesiparisler() = default;

void Tbakiyesiparisler::ModalGoster(QWidget* sahip, datasnap::Connection& bagc, TSonucBilgisi& sbilgi)
{
    std::unique_ptr<Tbakiyesiparisler> pencere(new Tbakiyesiparisler(sahip, bagc, sbilgi));
    pencere->KullaniciTipiUygula(sbilgi.MusteriTipi(), false);
    pencere->BakiyeAlalim();
    pencere->Goster();
    pencere->exec();
}

void Tbakiyesiparisler::KullaniciTipiUygula(int musteriTipi, bool gomulu)
{
    FMusteriTipi = musteriTipi;
    if (musteriTipi == 2) {
        cxGrid2->setColumnShown(u"ILKFIYAT"_s, true);
        F1->setVisible(true);
    }
    if (musteriTipi == 1 || musteriTipi == 2) {
        cxGrid2->setColumnShown(u"ELDEKI"_s, true);
        if (gomulu) {
            cxGrid2->setColumnShown(u"ALINANSIPARIS"_s, true);
            cxGrid2->setColumnShown(u"VERILENSIPARIS"_s, true);
        }
    }
    if (musteriTipi == 3)
        cxGrid2->setColumnState(u"DURUM"_s, ColumnState::Internal);
}

void Tbakiyesiparisler::Gomulu()
{
    setWindowFlags(Qt::Widget);
    Button1->hide();
}

void Tbakiyesiparisler::Goster()
{
    const QScreen* ekran = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect alan = ekran ? ekran->geometry() : QRect(0, 0, 1400, 900);
    const int yukseklik = alan.height() - 150;
    setGeometry(alan.left() + 50, alan.top() + (alan.height() - yukseklik) / 2, alan.width() - 100,
                yukseklik);
}

int Tbakiyesiparisler::goster(QDialog& pencere)
{
    return PencereGoster ? PencereGoster(pencere) : pencere.exec();
}

bool Tbakiyesiparisler::cagir(const std::function<void(TServerMethods1Client&)>& fn)
{
    if (!BaglantiKontrol(bagim, 1))
        return false;
    bool tamam = true;
    try {
        TServerMethods1Client istemci(bagim);
        fn(istemci);
    } catch (const datasnap::ServerError& e) {
        tamam = false;
        MesajGoster(e.message(), mtError, {mbOK}, 0, mbOK);
    }
    bagim.Close();
    return tamam;
}

bool Tbakiyesiparisler::BakiyeAlalim()
{
    FYukleniyor = true;
    const bool yuklendi = cagir([this](TServerMethods1Client& c) {
        TableData veri = c.BakiyelerVer2(bilgi.CARINO());
        bakiyesepet.DisableControls();
        bakiyesepet.assign(std::move(veri));
        OndalikFormatla(bakiyesepet);
        bakiyesepet.EnableControls();
    });
    FYukleniyor = false;
    FToplamlar = BakiyeToplamHesapla(bakiyesepet);
    FEtiketler.YazIkiBasamakGenel(FToplamlar);
    // The focus lands on a line while the rows arrive: its footer is fetched
    // unless it is the one already shown.
    if (yuklendi && odaklananSatiraGit() && tamSayi(u"IDNO"_s) != FDipIdno)
        SiparisDipGoster();
    else
        dipYaz();
    return yuklendi;
}

void Tbakiyesiparisler::dipYaz()
{
    _sipdurun->setText(asagi.Durumu());
    _teslimcinsi->setText(asagi.TeslimCinsi());
    _kargocinsi->setText(asagi.KargoCinsi());
    _kargo->setText(asagi.Kargo());
    _veren->setText(asagi.Veren());
    _sizin->setPlainText(asagi.SizinMesaj());
    _bizim->setPlainText(asagi.BizimMesaj());
}

void Tbakiyesiparisler::SiparisDipGoster()
{
    if (!odaklananSatiraGit())
        return;
    const int idno = tamSayi(u"IDNO"_s);
    std::optional<TSiparisDipAyrinti> dip;
    if (!cagir([&](TServerMethods1Client& c) { dip = c.SiparisAytintisiDip(0, idno); }))
        return;
    asagi.Kopyala(dip.value_or(TSiparisDipAyrinti{}));
    FDipIdno = idno;
    dipYaz();
}

bool Tbakiyesiparisler::odaklananSatiraGit()
{
    const int satir = cxGrid2->focusedRow();
    if (satir < 0 || !bakiyesepet.Active() || satir >= bakiyesepet.RecordCount())
        return false;
    bakiyesepet.setCurrentRow(satir);
    return true;
}

QString Tbakiyesiparisler::yazi(const QString& alan) const
{
    return bakiyesepet.FindField(alan).DisplayText();
}

double Tbakiyesiparisler::sayi(const QString& alan) const
{
    return bakiyesepet.FindField(alan).AsFloat();
}

int Tbakiyesiparisler::tamSayi(const QString& alan) const
{
    return int(std::lround(bakiyesepet.FindField(alan).AsFloat()));
}

void Tbakiyesiparisler::B1Click()
{
    if (!odaklananSatiraGit())
        return;
    if (MesajGoster(u"Sipariş Bakiyesini Silmek İstiyor musunuz ?"_s, mtConfirmation, {mbYes, mbNo},
                    0, mbNo)
        != mrYes)
        return;
    const int stokno = tamSayi(u"STOK_STOKNO"_s), sirano = tamSayi(u"SIRANO"_s),
              hareket = tamSayi(u"STOKHAR_NO"_s);
    const double miktar = sayi(u"MIKTAR"_s), kalan = sayi(u"KALAN"_s);
    const QString barkod = yazi(u"BARKOD"_s);
    cagir([&](TServerMethods1Client& c) {
        TSonucBilgisi kopya;
        kopya.Kopyala(bilgi);
        c.BakiyeDuzenle(kopya, stokno, sirano, hareket, miktar, kalan, barkod);
    });
    BakiyeAlalim();
}

void Tbakiyesiparisler::B2Click()
{
    if (!odaklananSatiraGit())
        return;
    if (MesajGoster(u"Sipariş Bakiyesini Değiştirmek İstiyor musunuz ?"_s, mtConfirmation,
                    {mbYes, mbNo}, 0, mbYes)
        != mrYes)
        return;
    Tbakiyedegistir d(this);
    d.barkod->setText(yazi(u"BARKOD"_s));
    d.adi->setText(yazi(u"ACIKLAMA"_s));
    d.finishkod->setText(yazi(u"FINISHKOD"_s));
    d.marka->setText(yazi(u"MARKA"_s));
    d.model->setText(yazi(u"MODEL"_s));
    d.alinansiparis->setText(genelSayi(sayi(u"MIKTAR"_s)));
    d.teslimedilen->setText(genelSayi(sayi(u"TESLIMEDILEN"_s)));
    d.eskibakiye->setText(genelSayi(sayi(u"KALAN"_s)));
    d.elimizde->setText(bakiyesepet.FindField(u"ELDEKI"_s).AsString());
    const bool eldekiGizli = bilgi.MusteriTipi() == 0;
    d.elimizde->setVisible(!eldekiGizli);
    d.elimizdeBaslik->setVisible(!eldekiGizli);
    if (goster(d) != QDialog::Accepted)
        return;
    const int stokno = tamSayi(u"STOK_STOKNO"_s), sirano = tamSayi(u"SIRANO"_s),
              hareket = tamSayi(u"STOKHAR_NO"_s);
    const QString barkod = yazi(u"BARKOD"_s);
    const double yeni = d.YeniBakiye();
    const bool tamam = cagir([&](TServerMethods1Client& c) {
        TSonucBilgisi kopya;
        kopya.Kopyala(bilgi);
        c.BakiyeDegistir(kopya, stokno, sirano, hareket, yeni, yeni, barkod);
    });
    BakiyeAlalim();
    if (tamam)
        MesajGoster(u"Bakiye Değiştirildi !"_s, mtInformation, {mbOK}, 0, mbOK);
}

void Tbakiyesiparisler::F1Click()
{
    if (FMusteriTipi != 2 || !odaklananSatiraGit())
        return;
    Tfiyatdegistir d(this);
    d.setDegerler(sayi(u"BIRIMFIYAT"_s), sayi(u"INDIRIMORANI1"_s));
    if (goster(d) != QDialog::Accepted)
        return;
    const int sirano = tamSayi(u"SIRANO"_s), hareket = tamSayi(u"STOKHAR_NO"_s);
    const double miktar = sayi(u"MIKTAR"_s);
    const QString barkod = yazi(u"BARKOD"_s);
    const double fiyat = d.Fiyat(), iskonto = d.Iskonto();
    const bool tamam = cagir([&](TServerMethods1Client& c) {
        TSonucBilgisi kopya;
        kopya.Kopyala(bilgi);
        c.BakiyeFiyatDegistir(kopya, 0, sirano, hareket, miktar, miktar, barkod, fiyat, iskonto);
    });
    BakiyeAlalim();
    if (tamam)
        showMessageBox({u"Fiyat Değiştirildi !"_s, u"Bilgi"_s, mtInformation, {mbOK}});
}

void Tbakiyesiparisler::Button2Click()
{
    GridExcelKaydet(*cxGrid2);
}
