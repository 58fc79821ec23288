#include "account/ayrinti_tahsilatu.h"

#include "account/belgeindir.h"
#include "basket/excelkaydet.h"
#include "core/baglantikontrol.h"
#include "core/utils.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QList<GridColumn> TahsilatSutunlari()
{
    auto s = [](const QString& ad, int genislik) { return GridColumn::textColumn(ad).setWidth(genislik); };
    return {s(u"Tarih"_s, 74),
            s(u"Türü"_s, 214),
            s(u"Cins"_s, 179),
            s(u"EvrakNo"_s, 123).setHidden(),
            s(u"Vade"_s, 74),
            s(u"Tutar"_s, 107).setAlignment(Qt::AlignRight | Qt::AlignVCenter),
            s(u"Kur"_s, 74).setInternal(),
            s(u"KurTL"_s, 74).setInternal(),
            s(u"Açıklama"_s, 354),
            s(u"Döviz Tutar"_s, 74).setInternal(),
            s(u"Ref"_s, 179).setHidden(),
            s(u"Saat"_s, 39).setHidden()};
}

} // namespace

Tayrinti_tahsilat::Tayrinti_tahsilat(QWidget* AOwner)
    : QDialog(AOwner)
{
    setObjectName(u"ayrinti_tahsilat"_s);
    setWindowTitle(u"Evrak Ayrıntı"_s);
    resize(1000, 520);
    auto* duzen = new QVBoxLayout(this);
    cxGrid2 = new DataGrid(this);
    cxGrid2->setObjectName(u"cxGrid2"_s);
    cxGrid2->setColumns(TahsilatSutunlari());
    HesapIzgarasiKur(cxGrid2, 13);
    cxGrid2->bind(&TAH);
    duzen->addWidget(cxGrid2, 1);

    auto* alt = new QHBoxLayout;
    belgeyaz = new QPushButton(u"PDF Al"_s, this);
    belgeyaz->setObjectName(u"belgeyaz"_s);
    belgeyaz->setFixedSize(140, 44);
    belgeyaz->setVisible(false);
    alt->addWidget(belgeyaz, 0, Qt::AlignBottom);
    alt->addStretch(1);
    alt->addWidget(KapatExcelTuslari(this, Kapat, Button2));
    duzen->addLayout(alt);

    connect(Kapat, &QPushButton::clicked, this, &QDialog::close);
    connect(Button2, &QPushButton::clicked, this, &Tayrinti_tahsilat::Button2Click);
    connect(belgeyaz, &QPushButton::clicked, this, [this] { belgeyazClick(); });
}

Tayrinti_tahsilat::~Tayrinti_tahsilat() = default;

void Tayrinti_tahsilat::Yukle(datasnap::Connection& bagc, int idno)
{
    int n = 0;
    AnaBaglantidaCagir(bagc, [&](TServerMethods1Client& c) {
        TableData satirlar = c.Tahsilat(idno);
        n = c.SanalposSiranoVer(idno);
        TAH.assign(std::move(satirlar));
    });
    EnIyile();
    belgeyaz->setVisible(n > 0);
    con = &bagc;
    sirano = n;
}

void Tayrinti_tahsilat::EnIyile()
{
    OndalikFormatla(TAH);
}

bool Tayrinti_tahsilat::belgeyazClick()
{
    if (!con || sirano <= 0)
        return false;
    const int no = sirano;
    return BelgeIndirAc(*con, DekontDosyasi(no), [no](datasnap::Connection& c, qint64& boy) {
        TServerMethods1Client istemci(c);
        return istemci.SAnalPosPdfVer(no, boy);
    });
}

void Tayrinti_tahsilat::Button2Click()
{
    GridExcelKaydet(*cxGrid2);
}

void Tayrinti_tahsilat::Ac(QWidget* sahip, datasnap::Connection& bagc, int idno, const PencereGosterici& goster)
{
    Tayrinti_tahsilat pencere(sahip);
    pencere.Yukle(bagc, idno);
    PencereyiGoster(pencere, goster);
}
