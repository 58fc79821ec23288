#include "account/oncekisekmesi.h"

#include "account/ayrinti_siparisu.h"
#include "account/listeyukleyici.h"
#include "basket/bakiyesiparisleru.h"
#include "catalogue/katalogbaglami.h"
#include "catalogue/tumsiparislerU.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QList<GridColumn> OncekiSutunlari()
{
    const Qt::Alignment sag = Qt::AlignRight | Qt::AlignVCenter;
    auto g = [](const QString& ad, const QString& baslik) { return GridColumn::textColumn(ad, baslik); };
    return {g(u"CARINO"_s, {}).setInternal(),
            g(u"IDNO"_s, u"Sipariş No"_s),
            g(u"TARIH"_s, u"Tarih"_s),
            g(u"KUR"_s, u"Kur"_s).setInternal(),
            g(u"KURTL"_s, u"Kur TL"_s).setInternal(),
            g(u"VERENIDNO"_s, {}).setInternal(),
            g(u"KARGO"_s, u"Kargo Türü"_s),
            g(u"TESLIM"_s, u"Teslim"_s),
            g(u"VEREN"_s, u"Veren"_s),
            g(u"CARIKOD"_s, u"Cari Kod"_s).setHidden(),
            g(u"CARIADI"_s, u"Cari Adı"_s).setHidden(),
            g(u"VERGI"_s, u"Vergi Tutarı"_s).setAlignment(sag),
            g(u"NETTUTAR"_s, u"Net Tutar"_s).setAlignment(sag),
            g(u"TUTAR"_s, u"Tutar"_s).setAlignment(sag),
            g(u"DURUM"_s, u"Durum"_s),
            g(u"KARGOADI"_s, u"Kargo Adı"_s),
            GridColumn::memoColumn(u"VERENINNOTU"_s, u"Verenin Notu"_s),
            GridColumn::memoColumn(u"ALANNOTU"_s, u"Alanın Notu"_s)};
}

} // namespace

TOncekiSiparislerSekmesi::TOncekiSiparislerSekmesi(datasnap::Connection& bagc_, TSonucBilgisi& sbilgi_,
                                                   MemTable& ONCEKILER_, QMenu* menu, QWidget* sahip,
                                                   QWidget* parent)
    : QWidget(parent)
    , bagc(bagc_)
    , sbilgi(sbilgi_)
    , ONCEKILER(ONCEKILER_)
    , FSahip(sahip ? sahip : this)
{
    auto* duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(0, 0, 0, 0);
    cxGrid3 = new DataGrid(this);
    cxGrid3->setObjectName(u"cxGrid3"_s);
    cxGrid3->setColumns(OncekiSutunlari());
    HesapIzgarasiKur(cxGrid3, 13);
    cxGrid3->setGridLineColor(Qt::white);
    GridStyles stiller = cxGrid3->styles();
    stiller.selection = sharedstyles::darkSlate();
    cxGrid3->setStyles(stiller);
    cxGrid3->bind(&ONCEKILER);
    if (menu)
        cxGrid3->setContextMenu(menu);
    duzen->addWidget(cxGrid3);
    connect(cxGrid3, &DataGrid::rowDoubleClicked, this, [this] { S1Click(); });

    FYukleyici = new TListeYukleyici(bagc, sbilgi, cxGrid3,
                                     [](TServerMethods1Client& c, int carino) { return c.OncekiSiparisler(carino); },
                                     this);
    FYukleyici->Al = [this](TableData&& veri) {
        ONCEKILER.assign(std::move(veri));
        OndalikFormatla(ONCEKILER);
    };
    FYukleyici->Sonra = [this] {
        cxGrid3->bestFit();
        cxGrid3->setColumnWidth(u"VERENINNOTU"_s, 200);
        cxGrid3->setColumnWidth(u"ALANNOTU"_s, 200);
    };
    connect(FYukleyici, &TListeYukleyici::Yukleniyor, this, &TOncekiSiparislerSekmesi::Yukleniyor);
    connect(FYukleyici, &TListeYukleyici::Bitti, this, &TOncekiSiparislerSekmesi::YuklemeBitti);
}

TOncekiSiparislerSekmesi::~TOncekiSiparislerSekmesi() = default;

void TOncekiSiparislerSekmesi::Gosterildi()
{
    FYukleyici->Baslat();
}

bool TOncekiSiparislerSekmesi::YuklemeSuruyor() const
{
    return FYukleyici->Suruyor();
}

void TOncekiSiparislerSekmesi::S1Click()
{
    const int satir = cxGrid3->focusedRow();
    if (satir < 0 || !ONCEKILER.Active() || satir >= ONCEKILER.RecordCount())
        return;
    const int idno = cxGrid3->focusedValue(u"IDNO"_s).toInt();
    Tayrinti_siparis::Ac(FSahip, bagc, sbilgi, idno, PencereGoster);
}

void TOncekiSiparislerSekmesi::SipariBakiyeleriniz1Click()
{
    Tbakiyesiparisler::ModalGoster(FSahip, bagc, sbilgi);
}

void TOncekiSiparislerSekmesi::T1Click()
{
    TKatalogBaglami baglam;
    baglam.bagc = &bagc;
    baglam.sbilgi = &sbilgi;
    baglam.sahip = FSahip;
    baglam.PencereGoster = PencereGoster;
    Ttumsiparisler::Goruntule(baglam, 0);
}
