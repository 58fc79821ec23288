#include "basket/sepetsekmesi.h"

#include "basket/ONAYSIPU.h"
#include "basket/excelkaydet.h"
#include "basket/sepetsutunlari.h"
#include "catalogue/sepeteekle.h"
#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/beklesinu.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kBaslik = u"=Sepet"_s;

void hataGoster(const QString& metin)
{
    MesajGoster(metin, mtError, {mbOK}, 0, mbOK);
}

void bilgiGoster(const QString& metin)
{
    MesajGoster(metin, mtInformation, {mbOK}, 0, mbOK);
}

bool soru(const QString& metin)
{
    // Only "Evet" goes on; "Hayır" and a window closed otherwise stop.
    return MesajGoster(metin, mtConfirmation, {mbYes, mbNo}, 0, mbNo) == mrYes;
}

QLabel* degerEtiketi(QWidget* sahip, const QString& ad)
{
    auto* l = new QLabel(sahip);
    l->setObjectName(ad);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f(u"Tahoma"_s);
    f.setPixelSize(16);
    f.setBold(true);
    l->setFont(f);
    l->setMinimumWidth(140);
    return l;
}

} // namespace

// What the background reload of a showing works on.
struct TSepetSekmesi::YuklemeDurumu
{
    std::unique_ptr<datasnap::Connection> klon;
    int carino = 0;
    int yenilemeSayisi = 0;
    TableData veri;
    bool baglandi = false;
    bool yuklendi = false;
    QString hata;
};

TSepetSekmesi::TSepetSekmesi(datasnap::Connection& bagc_, TSonucBilgisi& sbilgi_, MemTable& sepet_,
                             QMenu* menu, QWidget* sahip, QWidget* parent)
    : QWidget(parent)
    , bagc(bagc_)
    , sbilgi(sbilgi_)
    , sepet(sepet_)
{
    FBaglam.bagc = &bagc;
    FBaglam.sbilgi = &sbilgi;
    FBaglam.sepet = &sepet;
    FBaglam.sahip = sahip ? sahip : this;
    FBaglam.SepetYukle = [this] { Yenile(); };

    auto* duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(0, 0, 0, 0);
    duzen->setSpacing(0);

    cxGrid2 = new DataGrid(this);
    cxGrid2->setObjectName(u"cxGrid2"_s);
    cxGrid2->setColumns(SepetSutunlari());
    cxGrid2->setRowSelect(true);
    cxGrid2->setIncrementalSearchEnabled(true);
    cxGrid2->setFilterButtonsVisible(true);
    cxGrid2->setGroupByBoxVisible(false);
    cxGrid2->setFocusRectVisible(false);
    cxGrid2->setHeaderHeight(40);
    cxGrid2->setRowHeight(60);
    cxGrid2->setIndicatorWidth(5);
    cxGrid2->setGridLineColor(Qt::white);
    cxGrid2->setFooterVisible(true);
    cxGrid2->setFooterSummaries(
        {{u"VERILISTARIHI"_s, SummaryKind::Count}, {u"MIKTAR"_s, SummaryKind::Sum}});
    GridStyles stiller;
    stiller.background = sharedstyles::lightGrey();
    stiller.content = sharedstyles::lightGrey();
    stiller.evenRow = sharedstyles::white();
    stiller.oddRow = sharedstyles::lightGrey();
    stiller.header = sharedstyles::darkSlate();
    stiller.indicator = sharedstyles::darkGrey();
    stiller.selection = sharedstyles::paleBlue();
    cxGrid2->setStyles(stiller);
    QFont gf(u"Arial"_s);
    gf.setPixelSize(13);
    cxGrid2->setGridFont(gf);
    cxGrid2->bind(&sepet);
    if (menu)
        cxGrid2->setContextMenu(menu);
    duzen->addWidget(cxGrid2, 1);

    // "Hepsini Seç", "Seçimleri Kaldır" and the account warning.
    auto* panelsec = new QWidget(this);
    panelsec->setObjectName(u"panelsec"_s);
    panelsec->setFixedHeight(41);
    auto* secDuzen = new QHBoxLayout(panelsec);
    secDuzen->setContentsMargins(0, 0, 0, 0);
    Button4 = new QPushButton(u"Hepsini Seç"_s, panelsec);
    Button4->setObjectName(u"Button4"_s);
    Button5 = new QPushButton(u"Seçimleri Kaldır"_s, panelsec);
    Button5->setObjectName(u"Button5"_s);
    for (QPushButton* b : {Button4, Button5}) {
        b->setFixedSize(150, 41);
        secDuzen->addWidget(b);
    }
    lbluyarbakiye = new QLabel(panelsec);
    lbluyarbakiye->setObjectName(u"lbluyarbakiye"_s);
    QFont uf(u"Tahoma"_s);
    uf.setPixelSize(16);
    uf.setBold(true);
    lbluyarbakiye->setFont(uf);
    lbluyarbakiye->setStyleSheet(u"color: red;"_s);
    lbluyarbakiye->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    secDuzen->addWidget(lbluyarbakiye, 1);
    duzen->addWidget(panelsec);

    // The totals and, on the right, "Gönder" above "Excel Kaydet".
    auto* Panel4 = new QWidget(this);
    Panel4->setObjectName(u"Panel4"_s);
    Panel4->setFixedHeight(131);
    auto* altDuzen = new QHBoxLayout(Panel4);
    altDuzen->setContentsMargins(4, 4, 4, 4);
    altDuzen->addStretch(1);
    auto* kutu = new QWidget(Panel4);
    auto* toplamDuzen = new QGridLayout(kutu);
    toplamDuzen->setContentsMargins(8, 0, 8, 0);
    toplamDuzen->setVerticalSpacing(2);
    aratoplaml = degerEtiketi(kutu, u"aratoplaml"_s);
    indiriml = degerEtiketi(kutu, u"indiriml"_s);
    nettutarl = degerEtiketi(kutu, u"nettutarl"_s);
    vergil = degerEtiketi(kutu, u"vergil"_s);
    geneltoplaml = degerEtiketi(kutu, u"geneltoplaml"_s);
    const QList<QPair<QString, QLabel*>> satirlar{{u"Toplam:"_s, aratoplaml},
                                                   {u"İndirim Toplam:"_s, indiriml},
                                                   {u"Ara Toplam:"_s, nettutarl},
                                                   {u"Vergi:"_s, vergil},
                                                   {u"Genel Toplam:"_s, geneltoplaml}};
    for (int i = 0; i < satirlar.size(); ++i) {
        auto* baslik = new QLabel(satirlar[i].first, kutu);
        baslik->setFont(satirlar[i].second->font());
        baslik->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        toplamDuzen->addWidget(baslik, i, 0);
        toplamDuzen->addWidget(satirlar[i].second, i, 1);
    }
    altDuzen->addWidget(kutu);
    auto* tuslar = new QVBoxLayout;
    Button1 = new QPushButton(u"Gönder"_s, Panel4);
    Button1->setObjectName(u"Button1"_s);
    Button2 = new QPushButton(u"Excel Kaydet"_s, Panel4);
    Button2->setObjectName(u"Button2"_s);
    for (QPushButton* b : {Button1, Button2}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(160, 56);
        QFont bf = b->font();
        bf.setPixelSize(16);
        bf.setBold(true);
        b->setFont(bf);
        tuslar->addWidget(b);
    }
    altDuzen->addLayout(tuslar);
    duzen->addWidget(Panel4);

    FEtiketler = {aratoplaml, indiriml, nettutarl, vergil, geneltoplaml};
    ToplamHesapla();

    connect(Button4, &QPushButton::clicked, this, &TSepetSekmesi::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TSepetSekmesi::Button5Click);
    connect(Button1, &QPushButton::clicked, this, &TSepetSekmesi::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSepetSekmesi::Button2Click);
    connect(cxGrid2, &DataGrid::rowDoubleClicked, this, &TSepetSekmesi::Deitir1Click);
    connect(cxGrid2, &DataGrid::resized, this, [this] {
        if (cxGrid2->isEnabled())
            cxGrid2->applyColumnLayout(screen() ? screen()->geometry().width() : 1280);
    });
}

TSepetSekmesi::~TSepetSekmesi() = default;

// ---------------------------------------------------------------- loading

bool TSepetSekmesi::Yenile()
{
    std::unique_ptr<datasnap::Connection> klon = bagc.CloneConnection();
    if (!BaglantiKontrol(*klon, 1))
        return false;
    bool yuklendi = false;
    try {
        TServerMethods1Client istemci(*klon);
        sepet.assign(istemci.SepetVer2(sbilgi.CARINO()));
        OndalikFormatla(sepet);
        yuklendi = true;
        ++FYenilemeSayisi;
    } catch (const datasnap::ServerError& e) {
        hataGoster(e.message());
    }
    klon->Close();
    // Deleted, changed and added lines must not linger in the totals.
    ToplamHesapla();
    return yuklendi;
}

void TSepetSekmesi::Gosterildi()
{
    if (FYukleniyor)
        return;
    FYukleniyor = true;
    lbluyarbakiye->clear();
    emit Yukleniyor(true);
    cxGrid2->setEnabled(false);
    sepet.DisableControls();
    cxGrid2->detach();
    cxGrid2->beginUpdate();

    uyariBaslat();

    auto durum = std::make_shared<YuklemeDurumu>();
    durum->klon = bagc.CloneConnection();
    durum->carino = sbilgi.CARINO();
    durum->yenilemeSayisi = FYenilemeSayisi;
    Async([durum] {
        durum->baglandi = BaglantiKontrol(*durum->klon, 1);
        if (durum->baglandi) {
            try {
                TServerMethods1Client istemci(*durum->klon);
                durum->veri = istemci.SepetVer2(durum->carino);
                durum->yuklendi = true;
            } catch (const std::exception& e) {
                const auto* se = dynamic_cast<const datasnap::ServerError*>(&e);
                durum->hata = se ? se->message() : QString::fromUtf8(e.what());
            }
        }
        durum->klon->Close();
        durum->klon.reset();
    }).Await(this, [this, durum] { yuklemeBitir(*durum); });
}

void TSepetSekmesi::yuklemeBitir(YuklemeDurumu& durum)
{
    // A reload meanwhile already put newer rows in the table.
    if (durum.yuklendi && durum.yenilemeSayisi == FYenilemeSayisi) {
        sepet.assign(std::move(durum.veri));
        OndalikFormatla(sepet);
    }
    emit BaslikDegisti(QString::number(sepet.Active() ? sepet.RecordCount() : 0) + kBaslik);
    ToplamHesapla();
    sepet.EnableControls();
    cxGrid2->setEnabled(true);
    cxGrid2->attach();
    cxGrid2->endUpdate();
    FYukleniyor = false;
    emit Yukleniyor(false);
    if (!durum.hata.isEmpty())
        hataGoster(durum.hata);
    emit YuklemeBitti(durum.yuklendi);
}

void TSepetSekmesi::uyariBaslat()
{
    struct Uyari
    {
        std::unique_ptr<datasnap::Connection> klon;
        int carino = 0;
        QString metin;
    };
    auto u = std::make_shared<Uyari>();
    u->klon = bagc.CloneConnection();
    u->carino = sbilgi.CARINO();
    // Its own task: a slow warning never holds up the basket. The text only
    // reaches the label on the main thread.
    Async([u] {
        if (BaglantiKontrol(*u->klon, 0)) {
            try {
                TServerMethods1Client istemci(*u->klon);
                u->metin = istemci.CariVadeGunGecmismiBul(u->carino);
            } catch (const datasnap::ServerError&) {
                // The warning is advice; without it the basket works as usual.
                u->metin.clear();
            }
        }
        u->klon->Close();
        u->klon.reset();
    }).Await(this, [this, u] {
        lbluyarbakiye->setText(u->metin);
        emit UyariGeldi(u->metin);
    });
}

void TSepetSekmesi::ToplamHesapla()
{
    FToplamlar = SepetToplamHesapla(sepet);
    FEtiketler.Yaz(FToplamlar);
}

// ---------------------------------------------------------------- marks

bool TSepetSekmesi::odaklananSatiraGit()
{
    const int satir = cxGrid2->focusedRow();
    if (satir < 0 || !sepet.Active() || satir >= sepet.RecordCount())
        return false;
    sepet.setCurrentRow(satir);
    return true;
}

void TSepetSekmesi::secimYaz(int secim)
{
    sepet.Edit();
    sepet.FieldByName(u"SEC"_s).SetAsInteger(secim);
    sepet.Post();
}

bool TSepetSekmesi::secimGonder(int sirano, int secim)
{
    std::unique_ptr<datasnap::Connection> klon = bagc.CloneConnection();
    if (!BaglantiKontrol(*klon, 1))
        return false;
    bool gitti = true;
    try {
        TServerMethods1Client istemci(*klon);
        istemci.SepetSecimGuncelle(sirano, secim);
    } catch (const datasnap::ServerError& e) {
        gitti = false;
        hataGoster(e.message());
    }
    klon->Close();
    return gitti;
}

void TSepetSekmesi::Deitir1Click()
{
    if (!odaklananSatiraGit())
        return;
    if (cxGrid2->focusedColumn() != QStringView(kSecSutunu)) {
        SepetSatiriDegistir(FBaglam);
        return;
    }
    const int satir = sepet.currentRow();
    const int sirano = int(sepet.FieldByName(u"SIRANO"_s).AsInteger());
    const int eski = int(sepet.FieldByName(u"SEC"_s).AsInteger());
    const int yeni = eski == 0 ? 1 : 0;
    secimYaz(yeni);
    if (!secimGonder(sirano, yeni)) {
        // The server keeps the old mark: show what an order would take.
        sepet.setCurrentRow(satir);
        secimYaz(eski);
    }
    ToplamHesapla();
}

void TSepetSekmesi::HepsiniIsaretle(int secim)
{
    if (sepet.Active() && sepet.FindField(u"SEC"_s).isValid()) {
        for (int satir = 0; satir < sepet.RecordCount(); ++satir) {
            sepet.setCurrentRow(satir);
            const int eski = int(sepet.FieldByName(u"SEC"_s).AsInteger());
            const int sirano = int(sepet.FieldByName(u"SIRANO"_s).AsInteger());
            secimYaz(secim);
            if (!secimGonder(sirano, secim)) {
                // This line and the ones after it keep the mark the server has.
                sepet.setCurrentRow(satir);
                secimYaz(eski);
                break;
            }
        }
    }
    ToplamHesapla();
    aramaKutusunaDon();
}

void TSepetSekmesi::aramaKutusunaDon()
{
    QWidget* pencere = window();
    auto* araedit = pencere ? pencere->findChild<QLineEdit*>(u"araedit"_s) : nullptr;
    if (araedit && araedit->isEnabled()) {
        araedit->selectAll();
        araedit->setFocus();
    }
}

// ---------------------------------------------------------------- deleting

void TSepetSekmesi::SatrSil1Click()
{
    if (!odaklananSatiraGit())
        return;
    const int sirano = int(sepet.FieldByName(u"SIRANO"_s).AsInteger());
    const QString not_ = sepet.FieldByName(u"BARKOD"_s).DisplayText() + u"-"_s
        + sepet.FieldByName(u"STOKADI"_s).DisplayText();
    if (!soru(u"Satırı silmek istiyor musunuz "_s))
        return;
    if (!BaglantiKontrol(bagc, 1))
        return;
    bool silindi = true;
    try {
        TServerMethods1Client istemci(bagc);
        TSonucBilgisi kopya;
        kopya.Kopyala(sbilgi);
        istemci.SepetSatirSil(kopya, sirano, not_);
    } catch (const datasnap::ServerError& e) {
        silindi = false;
        hataGoster(e.message());
    }
    bagc.Close();
    Yenile();
    if (silindi)
        bilgiGoster(u"Satır silindi !"_s);
}

void TSepetSekmesi::HepsiniSil1Click()
{
    if (!sepet.Active() || sepet.IsEmpty())
        return;
    if (!soru(u"Tüm Sepeti Silmek İstiyor musunuz "_s))
        return;
    if (!BaglantiKontrol(bagc, 1))
        return;
    bool silindi = true;
    try {
        TServerMethods1Client istemci(bagc);
        TSonucBilgisi kopya;
        kopya.Kopyala(sbilgi);
        istemci.SepetHepsiniSil(kopya);
    } catch (const datasnap::ServerError& e) {
        silindi = false;
        hataGoster(e.message());
    }
    if (silindi)
        bilgiGoster(u"Sepet Silindi !"_s);
    bagc.Close();
    Yenile();
}

// ---------------------------------------------------------------- export, sending

void TSepetSekmesi::Button2Click()
{
    GridExcelKaydet(*cxGrid2);
}

void TSepetSekmesi::Button1Click()
{
    if (!SecimVarmi(sepet)) {
        MesajGoster(u"Gönderilecek Parça Yok "_s, mtWarning, {mbOK}, 0, mbOK);
        return;
    }
    std::unique_ptr<TONAYSIP> onay(TONAYSIP::Ac(FBaglam.sahip, bagc, lbluyarbakiye->text(), sbilgi,
                                                geneltoplaml->text()));
    onay->Label3->setText(lbluyarbakiye->text());
    if (FBaglam.Goster(*onay) != QDialog::Accepted)
        return;
    const int td = onay->td;
    const int kt = onay->kt;
    const int KN = onay->KN;
    const QString aciklama = onay->Aciklama();
    bool kaydedildi = false;
    if (BaglantiKontrol(bagc, 1)) {
        try {
            TServerMethods1Client istemci(bagc);
            TSonucBilgisi kopya;
            kopya.Kopyala(sbilgi);
            kaydedildi = istemci.SiparisKaydet(kopya, sbilgi.CARINO(), td, kt, aciklama,
                                               sbilgi.Sirano(), KN);
        } catch (const datasnap::ServerError&) {
            // Reported below as the order's failure.
            kaydedildi = false;
        }
        bagc.Close();
    }
    if (kaydedildi) {
        bilgiGoster(u"Siparişiniz Gönderildi !"_s);
        Yenile();
    } else {
        hataGoster(u"Sipariş Göndermede Hata"_s);
    }
}
