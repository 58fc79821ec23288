#include "account/raporformu.h"

#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "platform/dataset/fieldtype.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString kBaglantiYok = u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;

QList<GridColumn> SiparisSutunlari()
{
    auto g = [](const QString& ad) { return GridColumn::textColumn(ad); };
    auto sag = [&](const QString& ad) { return g(ad).setAlignment(Qt::AlignRight | Qt::AlignVCenter); };
    return {g(u"SATICIADI"_s).setHidden(), g(u"TARIH"_s),       sag(u"VERGI"_s),   sag(u"NETTUTAR"_s),
            sag(u"TUTAR"_s),               g(u"KARGO"_s),       g(u"TESLIM"_s),    g(u"VEREN"_s),
            g(u"CARIKOD"_s),               g(u"CARIADI"_s),     g(u"DURUM"_s),     g(u"KARGOADI"_s),
            g(u"IDNO"_s).setHidden(),      g(u"CARINO"_s).setHidden(), g(u"KUR"_s).setHidden(),
            g(u"KURTL"_s).setHidden(),     g(u"VERENIDNO"_s).setHidden()};
}

QList<GridColumn> StokSutunlari()
{
    auto g = [](const QString& ad) { return GridColumn::textColumn(ad); };
    auto sag = [&](const QString& ad) { return g(ad).setAlignment(Qt::AlignRight | Qt::AlignVCenter); };
    return {g(u"BARKOD"_s),    g(u"KOD"_s),    g(u"ADI"_s),    g(u"DEPARTMAN"_s),
            sag(u"MIKTAR"_s),  sag(u"NETTUTAR"_s), sag(u"TLVERGI"_s), sag(u"TUTAR"_s)};
}

DataGrid* raporIzgarasi(QWidget* sahip, MemTable* tablo, const QList<GridColumn>& sutunlar)
{
    auto* grid = new DataGrid(sahip);
    grid->setColumns(sutunlar);
    grid->setRowSelect(true);
    grid->setFilterButtonsVisible(true);
    grid->setGroupByBoxVisible(true);
    grid->setFooterVisible(true);
    grid->bind(tablo);
    return grid;
}

} // namespace

Traporform::Traporform(QWidget* AOwner)
    : QDialog(AOwner)
{
    setObjectName(u"raporform"_s);
    setWindowTitle(u"Raporlar"_s);
    setWindowState(Qt::WindowMaximized);
    auto* duzen = new QVBoxLayout(this);

    auto* ust = new QHBoxLayout;
    ust->addWidget(new QLabel(u"Tarihler"_s, this));
    tarih1 = new QDateEdit(QDate::currentDate(), this);
    tarih1->setObjectName(u"tarih1"_s);
    tarih2 = new QDateEdit(QDate::currentDate(), this);
    tarih2->setObjectName(u"tarih2"_s);
    for (QDateEdit* t : {tarih1, tarih2}) {
        t->setCalendarPopup(true);
        t->setDisplayFormat(u"dd.MM.yyyy"_s);
        ust->addWidget(t);
    }
    Button1 = new QPushButton(u"Göster"_s, this);
    Button1->setObjectName(u"Button1"_s);
    ust->addWidget(Button1);
    ust->addStretch(1);
    duzen->addLayout(ust);

    cxPageControl1 = new QTabWidget(this);
    tabsiparis = new QWidget;
    tabsiparis->setObjectName(u"tabsiparis"_s);
    tabstok = new QWidget;
    tabstok->setObjectName(u"tabstok"_s);
    cxPageControl1->addTab(tabsiparis, u"Alınan Siparişler"_s);
    cxPageControl1->addTab(tabstok, u"Satılan Stoklar"_s);
    duzen->addWidget(cxPageControl1, 1);

    siparisGrid = raporIzgarasi(tabsiparis, &siparis, SiparisSutunlari());
    siparisGrid->setObjectName(u"cxGrid1"_s);
    siparisGrid->setIndicatorWidth(12);
    siparisGrid->groupBy(u"SATICIADI"_s);
    const QList<GridSummary> siparisOzetleri{{u"TUTAR"_s, SummaryKind::Sum}, {u"TARIH"_s, SummaryKind::Count}};
    siparisGrid->setGroupSummaries(siparisOzetleri);
    siparisGrid->setFooterSummaries(siparisOzetleri);
    auto* sd = new QVBoxLayout(tabsiparis);
    sd->setContentsMargins(0, 0, 0, 0);
    sd->addWidget(siparisGrid);

    stokGrid = raporIzgarasi(tabstok, &stok, StokSutunlari());
    stokGrid->setObjectName(u"cxGrid2"_s);
    stokGrid->setFooterSummaries({{u"MIKTAR"_s, SummaryKind::Sum},
                                  {u"NETTUTAR"_s, SummaryKind::Sum},
                                  {u"TLVERGI"_s, SummaryKind::Sum},
                                  {u"TUTAR"_s, SummaryKind::Sum}});
    auto* td = new QVBoxLayout(tabstok);
    td->setContentsMargins(0, 0, 0, 0);
    td->addWidget(stokGrid);

    connect(Button1, &QPushButton::clicked, this, &Traporform::Button1Click);
}

Traporform::~Traporform()
{
    if (bag)
        bag->Close();
}

void Traporform::Button1Click()
{
    if (cxPageControl1->currentWidget() == tabsiparis)
        SiparisRaporu();
    else if (cxPageControl1->currentWidget() == tabstok)
        StokRaporu();
}

bool Traporform::SiparisRaporu()
{
    return raporAl(true);
}

bool Traporform::StokRaporu()
{
    return raporAl(false);
}

bool Traporform::raporAl(bool siparisler)
{
    if (!bag || !sbilgi)
        return false;
    bag->Close();
    // The check reports each failed attempt; the final message is ours, so the
    // user knows why the table did not change.
    if (!BaglantiKontrol(*bag, 0)) {
        MesajGoster(kBaglantiYok, mtError, {mbOK}, 0, mbOK);
        return false;
    }
    TSonucBilgisi kopya;
    kopya.Kopyala(*sbilgi);
    const double t1 = dayNumberFromDate(tarih1->date());
    const double t2 = dayNumberFromDate(tarih2->date());
    bool tamam = false;
    try {
        TServerMethods1Client istemci(*bag);
        MemTable& tablo = siparisler ? siparis : stok;
        TableData veri = siparisler ? istemci.RaporAlinanSiparisler(kopya, t1, t2)
                                    : istemci.RaporEnCokSatilanStoklar(kopya, t1, t2);
        tablo.DisableControls();
        tablo.assign(std::move(veri));
        OndalikFormatla(tablo);
        if (!siparisler)
            tablo.First();
        tablo.EnableControls();
        (siparisler ? siparisGrid : stokGrid)->collapseAll();
        tamam = true;
    } catch (const datasnap::ServerError& e) {
        MesajGoster(e.message(), mtError, {mbOK}, 0, mbOK);
    }
    bag->Close();
    return tamam;
}

void Traporform::Ac(QWidget* sahip, datasnap::Connection& bagc, TSonucBilgisi& sbilgi,
                    const PencereGosterici& goster)
{
    Traporform pencere(sahip);
    pencere.bag = bagc.CloneConnection();
    pencere.sbilgi = &sbilgi;
    PencereyiGoster(pencere, goster);
}
