#include "account/cariekstresekmesi.h"

#include "account/ayrinti_faturau.h"
#include "account/ayrinti_tahsilatu.h"
#include "account/ekstrehesabi.h"
#include "account/listeyukleyici.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QList<GridColumn> EkstreSutunlari()
{
    const Qt::Alignment sag = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment sol = Qt::AlignLeft | Qt::AlignVCenter;
    auto g = [](const QString& ad, const QString& baslik, int genislik, Qt::Alignment hiza) {
        return GridColumn::textColumn(ad, baslik).setWidth(genislik).setAlignment(hiza).setSortable(false);
    };
    return {g(u"CARINO"_s, {}, 60, sol).setInternal(),
            g(u"TARIH"_s, u"Tarih"_s, 84, sol),
            g(u"TURADI"_s, u"Tür Adı"_s, 244, sol),
            g(u"EVRAK"_s, u"Evrak No"_s, 180, sol),
            g(u"BORC"_s, u"Borç"_s, 130, sag),
            g(u"ALACAK"_s, u"Alacak"_s, 130, sag),
            g(u"KUR"_s, u"Kur"_s, 57, sol),
            g(u"BAKIYE"_s, u"Bakiye"_s, 130, sag),
            g(u"D"_s, {}, 51, Qt::AlignCenter),
            g(u"IDNO"_s, {}, 60, sol).setInternal(),
            g(u"ACIKLAMA"_s, u"Açıklama"_s, 404, sol)};
}

} // namespace

TCariEkstreSekmesi::TCariEkstreSekmesi(datasnap::Connection& bagc_, TSonucBilgisi& sbilgi_, MemTable& EKSTRE_,
                                       QMenu* menu, QWidget* sahip, QWidget* parent)
    : QWidget(parent)
    , bagc(bagc_)
    , sbilgi(sbilgi_)
    , EKSTRE(EKSTRE_)
    , FSahip(sahip ? sahip : this)
{
    auto* duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(0, 0, 0, 0);
    cxGrid5 = new DataGrid(this);
    cxGrid5->setObjectName(u"cxGrid5"_s);
    cxGrid5->setColumns(EkstreSutunlari());
    HesapIzgarasiKur(cxGrid5, 15);
    // The running balance follows the server's row order.
    cxGrid5->setSortingEnabled(false);
    cxGrid5->setFooterSummaries({{u"BORC"_s, SummaryKind::Sum}, {u"ALACAK"_s, SummaryKind::Sum}});
    cxGrid5->bind(&EKSTRE);
    if (menu)
        cxGrid5->setContextMenu(menu);
    duzen->addWidget(cxGrid5);
    connect(cxGrid5, &DataGrid::rowDoubleClicked, this, [this] { H1Click(); });

    FYukleyici = new TListeYukleyici(bagc, sbilgi, cxGrid5,
                                     [](TServerMethods1Client& c, int carino) { return c.CariEkstreVer(carino); }, this);
    FYukleyici->Al = [this](TableData&& veri) {
        EKSTRE.assign(std::move(veri));
        if (!EKSTRE.IsEmpty()) {
            BakiyeHesapla(EKSTRE);
            OndalikFormatla(EKSTRE);
        }
    };
    connect(FYukleyici, &TListeYukleyici::Yukleniyor, this, &TCariEkstreSekmesi::Yukleniyor);
    connect(FYukleyici, &TListeYukleyici::Bitti, this, &TCariEkstreSekmesi::YuklemeBitti);
}

TCariEkstreSekmesi::~TCariEkstreSekmesi() = default;

void TCariEkstreSekmesi::Gosterildi()
{
    FYukleyici->Baslat();
}

bool TCariEkstreSekmesi::YuklemeSuruyor() const
{
    return FYukleyici->Suruyor();
}

void TCariEkstreSekmesi::H1Click()
{
    const int satir = cxGrid5->focusedRow();
    if (satir < 0 || !EKSTRE.Active() || satir >= EKSTRE.RecordCount())
        return;
    const QString turadi = cxGrid5->focusedValue(u"TURADI"_s).toString();
    const int idno = cxGrid5->focusedValue(u"IDNO"_s).toInt();
    switch (EvrakTuru(turadi)) {
    case 2:
        Tayrinti_fatura::Ac(FSahip, bagc, sbilgi, idno, PencereGoster);
        break;
    case 1:
        Tayrinti_tahsilat::Ac(FSahip, bagc, idno, PencereGoster);
        break;
    default:
        break;
    }
}
