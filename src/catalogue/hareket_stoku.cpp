#include "catalogue/hareket_stoku.h"

#include "catalogue/stoksutunlari.h"
#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

Thareket_stok::Thareket_stok(QWidget *AOwner, TableData _data)
    : QDialog(AOwner)
    , har(new MemTable(this))
{
    setWindowTitle(u"Stok Hareketleri"_s);
    resize(1857, 619);

    har->DisableControls();
    har->assign(std::move(_data));
    OndalikFormatla(*har);
    har->EnableControls();

    auto *duzen = new QVBoxLayout(this);
    cxGrid1 = new DataGrid(this);
    QFont f(u"Arial"_s);
    f.setPixelSize(13);
    cxGrid1->setGridFont(f);
    cxGrid1->setColumns(StokHareketSutunlari());
    cxGrid1->setRowSelect(true);
    cxGrid1->setIncrementalSearchEnabled(true);
    cxGrid1->setFilterButtonsVisible(true);
    cxGrid1->setGroupByBoxVisible(false);
    cxGrid1->setHeaderHeight(40);
    cxGrid1->setRowHeight(40);
    cxGrid1->setIndicatorWidth(5);
    cxGrid1->setGridLineColor(Qt::white);
    GridStyles stiller;
    stiller.background = sharedstyles::lightGrey();
    stiller.content = sharedstyles::lightGrey();
    stiller.evenRow = sharedstyles::lightGrey();
    stiller.oddRow = sharedstyles::white();
    stiller.header = sharedstyles::darkSlate();
    stiller.selection = sharedstyles::paleBlue();
    cxGrid1->setStyles(stiller);
    cxGrid1->setFooterVisible(true);
    cxGrid1->setFooterSummaries({{u"MIKTAR"_s, SummaryKind::Count},
                                 {u"NETBIRIMFIYAT"_s, SummaryKind::Average},
                                 {u"NETTLTUTAR"_s, SummaryKind::Average},
                                 {u"KDVDAHILBIRIMFIYAT"_s, SummaryKind::Average},
                                 {u"KDVDAHILTUTAR"_s, SummaryKind::Average}});
    cxGrid1->bind(har);
    duzen->addWidget(cxGrid1, 1);

    auto *alt = new QHBoxLayout;
    alt->addStretch(1);
    Kapat = new QPushButton(u"Kapat"_s, this);
    Kapat->setMinimumSize(110, 36);
    alt->addWidget(Kapat);
    duzen->addLayout(alt);
    connect(Kapat, &QPushButton::clicked, this, &QDialog::close);
}

Thareket_stok::~Thareket_stok() = default;

void Thareket_stok::Goruntule(const TKatalogBaglami &b, int stokno)
{
    std::unique_ptr<datasnap::Connection> klon = b.bagc->CloneConnection();
    if (!BaglantiKontrol(*klon, 0))
        return;
    TableData veri;
    try {
        TServerMethods1Client istemci(*klon);
        veri = istemci.StokHareketVer(b.sbilgi->CARINO(), stokno);
    } catch (const datasnap::ServerError &e) {
        klon->Close();
        MesajGoster(e.message(), mtError, {mbOK}, 0, mbOK);
        return;
    }
    klon->Close();
    std::unique_ptr<Thareket_stok> pencere(Ac(b.sahip, std::move(veri)));
    b.Goster(*pencere);
}
