#include "account/ayrinti_siparisu.h"

#include "basket/excelkaydet.h"
#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QList<GridColumn> SiparisSutunlari()
{
    auto g = [](const QString& ad, const QString& baslik, int agirlik) {
        return GridColumn::textColumn(ad, baslik).setWeight(agirlik);
    };
    auto sag = [&](const QString& ad, const QString& baslik, int agirlik) {
        return g(ad, baslik, agirlik).setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    auto ic = [&](const QString& ad, int agirlik) { return g(ad, QString(), agirlik).setInternal(); };
    auto gizli = [&](const QString& ad, const QString& baslik, int agirlik) {
        return g(ad, baslik, agirlik).setHidden();
    };
    QList<GridColumn> s{g(u"VERILISTARIHI"_s, u"Sipariş Tarihi"_s, 1),
                        ic(u"SIRANO"_s, 0),
                        gizli(u"SIPARISNO"_s, u"Sipariş No"_s, 0),
                        ic(u"CARINO"_s, 0),
                        gizli(u"TARIH"_s, u"Tarih"_s, 1),
                        ic(u"AKTAR"_s, 0),
                        ic(u"STOKNO"_s, 0),
                        g(u"BARKOD"_s, u"Barkod"_s, 2),
                        g(u"FINISHKOD"_s, u"FinishKod"_s, 2),
                        g(u"OEMNO"_s, u"OEMNo"_s, 2),
                        g(u"STOKADI"_s, u"Stok Açıklama"_s, 3),
                        sag(u"MIKTAR"_s, u"Miktar"_s, 1),
                        sag(u"BIRIMFIYAT"_s, u"Birim Fiyat"_s, 1),
                        sag(u"TUTAR"_s, u"Tutar"_s, 1),
                        g(u"INDIRIMYAZI"_s, u"İn.Oranı%"_s, 2).setAlignment(Qt::AlignCenter),
                        gizli(u"INDIRIMORANI1"_s, u"İn.Oranı%"_s, 1),
                        gizli(u"INDIRIMORANI2"_s, {}, 1),
                        gizli(u"INDIRIMORANI3"_s, {}, 1),
                        gizli(u"INDIRIMORANI4"_s, {}, 1),
                        g(u"INDIRIMTUTAR"_s, u"İndirim Tutar"_s, 1).setInternal(),
                        sag(u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s, 1),
                        sag(u"KDV"_s, {}, 1),
                        sag(u"VERGITUTARI"_s, u"Vergi Tutarı"_s, 1),
                        sag(u"NETTUTAR"_s, u"Net Tutar"_s, 1),
                        gizli(u"KUR"_s, u"Kur"_s, 1),
                        ic(u"KURTL"_s, 1),
                        ic(u"VERENIDNO"_s, 1),
                        gizli(u"SAAT"_s, u"Saat"_s, 1),
                        ic(u"TESLIMID"_s, 1),
                        ic(u"KARGOID"_s, 1),
                        gizli(u"ACIKLAMA"_s, u"Açıklama"_s, 1),
                        ic(u"IDNO"_s, 1),
                        ic(u"VERENSIRANO"_s, 1),
                        g(u"VEREN"_s, u"Veren"_s, 1),
                        g(u"CARIKOD"_s, u"Cari Kod"_s, 1).setInternal(),
                        g(u"CARIADI"_s, u"Cari Adı"_s, 1).setInternal()};
    for (const QString& ad : {u"OEM1"_s, u"OEM2"_s, u"OEM3"_s, u"OEM4"_s})
        s.append(gizli(ad, {}, 1));
    s.append(ic(u"STOK_STOKNO"_s, 1));
    s.append(ic(u"URETICIKODU"_s, 1));
    s.append(gizli(u"DIGERADI"_s, {}, 1));
    s.append(gizli(u"DPKOD"_s, {}, 1));
    s.append(gizli(u"MARKA"_s, u"Marka"_s, 1));
    s.append(gizli(u"MODEL"_s, u"Model"_s, 1));
    s.append(gizli(u"ANAGRUP"_s, u"Ana Grup"_s, 1));
    s.append(gizli(u"OZELKOD"_s, u"Özel Kod"_s, 1));
    s.append(gizli(u"PKOD"_s, {}, 1));
    s.append(ic(u"TESLIM"_s, 0));
    s.append(ic(u"KARGO"_s, 0));
    s.append(sag(u"TESLIMEDILEN"_s, u"Teslim Edilen"_s, 1));
    s.append(sag(u"KALAN"_s, u"Kalan Bakiye"_s, 1));
    return s;
}

QGroupBox* notKutusu(QWidget* sahip, const QString& baslik, QPlainTextEdit*& memo, const QString& ad)
{
    auto* kutu = new QGroupBox(baslik, sahip);
    auto* d = new QVBoxLayout(kutu);
    memo = new QPlainTextEdit(kutu);
    memo->setObjectName(ad);
    memo->setReadOnly(true);
    d->addWidget(memo);
    return kutu;
}

} // namespace

QString AlaninNotu(const QString& bizim, const QString& saticiNotu)
{
    if (saticiNotu.trimmed().isEmpty())
        return bizim;
    QString metin = bizim;
    if (!metin.isEmpty() && !metin.endsWith(u'\n'))
        metin += u'\n';
    return metin + QString(22, u'-') + u"\nSatıcı Notu:\n"_s + saticiNotu;
}

Tayrinti_siparis::Tayrinti_siparis(QWidget* AOwner)
    : QDialog(AOwner)
{
    setObjectName(u"ayrinti_siparis"_s);
    setWindowTitle(u"Sipariş Ayrıntısı"_s);
    auto* duzen = new QVBoxLayout(this);
    cxGrid2 = new DataGrid(this);
    cxGrid2->setObjectName(u"cxGrid2"_s);
    cxGrid2->setColumns(SiparisSutunlari());
    HesapIzgarasiKur(cxGrid2, 13);
    cxGrid2->setFooterSummaries({{u"VERILISTARIHI"_s, SummaryKind::Count},
                                 {u"MIKTAR"_s, SummaryKind::Sum},
                                 {u"KALAN"_s, SummaryKind::Sum}});
    cxGrid2->bind(&sepet);
    duzen->addWidget(cxGrid2, 1);

    auto* alt = new QHBoxLayout;
    auto* bilgi = new QGroupBox(u"Sipariş Bilgileri"_s, this);
    auto* bd = new QGridLayout(bilgi);
    _sipdurun = DegerEtiketi(bilgi, u"_sipdurun"_s, true);
    _teslimcinsi = DegerEtiketi(bilgi, u"_teslimcinsi"_s, true);
    _kargocinsi = DegerEtiketi(bilgi, u"_kargocinsi"_s, true);
    _kargo = DegerEtiketi(bilgi, u"_kargo"_s, true);
    _veren = DegerEtiketi(bilgi, u"_veren"_s, true);
    const QList<QPair<QString, QLabel*>> satirlar{{u"Sipariş Durumu:"_s, _sipdurun},
                                                   {u"Teslim Cinsi:"_s, _teslimcinsi},
                                                   {u"Kargo Cinsi:"_s, _kargocinsi},
                                                   {u"Kargo:"_s, _kargo},
                                                   {u"Veren:"_s, _veren}};
    for (int i = 0; i < satirlar.size(); ++i) {
        bd->addWidget(new QLabel(satirlar[i].first, bilgi), i, 0);
        bd->addWidget(satirlar[i].second, i, 1);
    }
    alt->addWidget(bilgi);
    alt->addWidget(notKutusu(this, u"Mesajınız:"_s, _sizin, u"_sizin"_s), 1);
    alt->addWidget(notKutusu(this, u"Siparişi Alanın Notu:"_s, _bizim, u"_bizim"_s), 1);
    auto* tutar = new QGroupBox(u"Tutar"_s, this);
    auto* td = new QVBoxLayout(tutar);
    td->addWidget(ToplamKutusu(tutar, Etiketler));
    alt->addWidget(tutar);
    alt->addWidget(KapatExcelTuslari(this, Kapat, Button2));
    duzen->addLayout(alt);

    connect(Kapat, &QPushButton::clicked, this, &QDialog::close);
    connect(Button2, &QPushButton::clicked, this, &Tayrinti_siparis::Button2Click);
    connect(cxGrid2, &DataGrid::resized, this, &Tayrinti_siparis::cxGrid2Resize);
    connect(cxGrid2, &DataGrid::columnsChanged, this, &Tayrinti_siparis::cxGrid2Resize);
}

Tayrinti_siparis::~Tayrinti_siparis() = default;

void Tayrinti_siparis::Yukle(datasnap::Connection& bagc, int carino, int idno)
{
    AnaBaglantidaCagir(bagc, [&](TServerMethods1Client& c) {
        sepet.assign(c.SiparisAyrintisi2(carino, idno));
        OndalikFormatla(sepet);
    });
    AnaBaglantidaCagir(bagc, [&](TServerMethods1Client& c) {
        if (const auto dip = c.SiparisAytintisiDip(0, idno))
            asagi.Kopyala(*dip);
    });
    SepetHesapla();
}

void Tayrinti_siparis::SepetHesapla()
{
    // Every line counts, sums rounded after each addition, tax 20 % of the net.
    FToplamlar = BakiyeToplamHesapla(sepet);
    Etiketler.YazIkiBasamakGenel(FToplamlar);

    _sipdurun->setText(asagi.Durumu());
    _teslimcinsi->setText(asagi.TeslimCinsi());
    _kargocinsi->setText(asagi.KargoCinsi());
    _kargo->setText(asagi.Kargo());
    _veren->setText(asagi.Veren());
    _sizin->setPlainText(asagi.SizinMesaj());
    _bizim->setPlainText(AlaninNotu(asagi.BizimMesaj(), asagi.SaticiNotu()));

    if (QScreen* ekran = screen()) {
        const QRect r = ekran->availableGeometry();
        setGeometry(r.left() + 50, r.top() + 50, r.width() - 100, r.height() - 150);
    }
}

void Tayrinti_siparis::cxGrid2Resize()
{
    cxGrid2->beginUpdate();
    cxGrid2->applyWeights();
    cxGrid2->endUpdate();
}

void Tayrinti_siparis::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    cxGrid2Resize();
}

void Tayrinti_siparis::Button2Click()
{
    GridExcelKaydet(*cxGrid2);
}

void Tayrinti_siparis::Ac(QWidget* sahip, datasnap::Connection& bagc, const TSonucBilgisi& sbilgi, int idno,
                          const PencereGosterici& goster)
{
    Tayrinti_siparis pencere(sahip);
    pencere.Yukle(bagc, sbilgi.CARINO(), idno);
    PencereyiGoster(pencere, goster);
}
