#include "catalogue/tumsiparislerU.h"

#include "catalogue/stoksutunlari.h"
#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/dialogs.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

Ttumsiparisler::Ttumsiparisler(QWidget *AOwner)
    : QDialog(AOwner)
    , bakiyesepet(new MemTable(this))
{
    setWindowTitle(u"Sipariş Hareketleri"_s);
    resize(1284, 661);

    auto *duzen = new QVBoxLayout(this);
    cxGrid1 = new DataGrid(this);
    QFont f(u"Tahoma"_s);
    f.setPixelSize(13);
    cxGrid1->setGridFont(f);
    cxGrid1->setColumns(TumSiparislerSutunlari());
    cxGrid1->setRowSelect(true);
    cxGrid1->setIncrementalSearchEnabled(true);
    cxGrid1->setFilterButtonsVisible(true);
    cxGrid1->setGroupByBoxVisible(false);
    cxGrid1->setFocusRectVisible(false);
    cxGrid1->setAutoWidth(true);
    cxGrid1->setHeaderHeight(40);
    cxGrid1->setRowHeight(40);
    GridStyles stiller;
    stiller.header = sharedstyles::darkSlate();
    stiller.selection = sharedstyles::paleBlue();
    stiller.evenRow = sharedstyles::white();
    stiller.oddRow = sharedstyles::lightGrey();
    cxGrid1->setStyles(stiller);
    cxGrid1->setFooterVisible(true);
    cxGrid1->setFooterSummaries({{u"VERILISTARIHI"_s, SummaryKind::Count},
                                 {u"MIKTAR"_s, SummaryKind::Sum},
                                 {u"KALAN"_s, SummaryKind::Sum}});
    cxGrid1->bind(bakiyesepet);
    duzen->addWidget(cxGrid1, 1);

    auto *alt = new QHBoxLayout;
    alt->addStretch(1);
    Kapat = new QPushButton(u"Kapat"_s, this);
    ExcelKaydetTus = new QPushButton(u"Excel Kaydet"_s, this);
    for (QPushButton *t : {Kapat, ExcelKaydetTus}) {
        t->setMinimumSize(120, 36);
        t->setAutoDefault(false);
        alt->addWidget(t);
    }
    duzen->addLayout(alt);
    connect(Kapat, &QPushButton::clicked, this, &QDialog::close);
    connect(ExcelKaydetTus, &QPushButton::clicked, this, &Ttumsiparisler::ExcelKaydet);
}

Ttumsiparisler::~Ttumsiparisler() = default;

bool Ttumsiparisler::Getir()
{
    // The check reports its own failure with the closing message.
    if (!BaglantiKontrol(*bagim, 1))
        return false;
    try {
        TServerMethods1Client istemci(*bagim);
        TableData veri = istemci.TumSiparislerVer(bilgi->CARINO(), stokno);
        bakiyesepet->DisableControls();
        bakiyesepet->assign(std::move(veri));
        OndalikFormatla(*bakiyesepet);
        bakiyesepet->EnableControls();
    } catch (const datasnap::ServerError &e) {
        bagim->Close();
        MesajGoster(e.message(), mtError, {mbOK}, 0, mbOK);
        return false;
    }
    bagim->Close();
    return true;
}

void Ttumsiparisler::Goster()
{
    QScreen *ekran = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize boyut = ekran ? ekran->size() : QSize(1366, 768);
    setGeometry(50, 50, boyut.width() - 100, boyut.height() - 150);
}

void Ttumsiparisler::KullaniciTipiUygula(int musteriTipi)
{
    if (musteriTipi == 1 || musteriTipi == 2)
        cxGrid1->setColumnShown(u"ELDEKI"_s, true);
    else if (musteriTipi == 3)
        cxGrid1->setColumnShown(u"DURUM"_s, false);
}

void Ttumsiparisler::ExcelKaydet()
{
    FileDialogRequest istek;
    istek.filter = u"Excel|*.xls*"_s;
    istek.defaultSuffix = u"xlsx"_s;
    const QString yol = askSaveFileName(istek);
    if (yol.isEmpty())
        return;
    const ExcelExportResult sonuc = cxGrid1->exportToExcel(yol);
    if (!sonuc.ok)
        MesajGoster(sonuc.error, mtError, {mbOK}, 0, mbOK);
}

void Ttumsiparisler::Goruntule(const TKatalogBaglami &b, int stokno)
{
    std::unique_ptr<Ttumsiparisler> pencere(new Ttumsiparisler(b.sahip));
    pencere->bilgi = b.sbilgi;
    pencere->stokno = stokno;
    pencere->bagim = b.bagc->CloneConnection();
    pencere->KullaniciTipiUygula(b.sbilgi->MusteriTipi());
    if (!pencere->Getir())
        return;
    pencere->Goster();
    b.Goster(*pencere);
}
