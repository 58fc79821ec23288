#include "catalogue/tanitimlistesiu.h"

#include "catalogue/sepeteekle.h"
#include "catalogue/stoksutunlari.h"
#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/beklesinu.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct TYuklemeDurumu
{
    TTanitimListesi::Tur tur;
    int carino = 0;
    int musteriTipi = 0;
    std::unique_ptr<datasnap::Connection> klon;
    TableData veri;
    bool basarili = false;
    QString hata; // the call's own text when it failed after a good check
};

} // namespace

TTanitimListesi::TTanitimListesi(Tur tur, const TKatalogBaglami &baglam, MemTable &tablo,
                                 QWidget *parent)
    : QWidget(parent)
    , FTur(tur)
    , FBaglam(baglam)
    , FTablo(tablo)
    , FBaslik(tur == Tur::Yeniler ? u"Yeni Stoklar"_s : u"Kampanyalı Stoklar"_s)
{
    auto *duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(0, 0, 0, 0);
    grid = new DataGrid(this);
    grid->setObjectName(tur == Tur::Yeniler ? u"cxGrid6"_s : u"cxkampanyali"_s);
    if (tur == Tur::Yeniler) {
        QFont f(u"Tahoma"_s);
        f.setPixelSize(13);
        grid->setGridFont(f);
    }
    grid->setColumns(tur == Tur::Yeniler ? YenilerSutunlari() : KampanyaSutunlari());
    grid->setRowSelect(true);
    grid->setIncrementalSearchEnabled(true);
    grid->setFilterButtonsVisible(true);
    grid->setGroupByBoxVisible(false);
    grid->setHeaderHeight(40);
    grid->setRowHeight(40);
    grid->setFooterVisible(true);
    grid->setFooterSummaries({{u"OEM1"_s, SummaryKind::Count}});
    GridStyles stiller;
    stiller.header = sharedstyles::darkSlate();
    stiller.indicator = sharedstyles::darkGrey();
    stiller.selection = sharedstyles::paleBlue();
    stiller.content = sharedstyles::lightGrey();
    stiller.evenRow = tur == Tur::Yeniler ? sharedstyles::white() : sharedstyles::lightGrey();
    stiller.oddRow = tur == Tur::Yeniler ? sharedstyles::lightGrey() : sharedstyles::white();
    grid->setStyles(stiller);
    grid->bind(&FTablo);
    duzen->addWidget(grid);

    auto *gosterge = new QProgressBar;
    gosterge->setRange(0, 0);
    gosterge->setTextVisible(false);
    gosterge->setFixedSize(28, 27);
    gosterge->setObjectName(tur == Tur::Yeniler ? u"gifyeniler"_s : u"gifkampanyali"_s);
    gosterge->hide();
    FGosterge = gosterge;

    connect(grid, &DataGrid::rowDoubleClicked, this, &TTanitimListesi::cifteTiklama);
    connect(grid, &DataGrid::resized, this, [this] {
        // The campaign grid keeps its widths while it is being refilled.
        if (FTur == Tur::Kampanya && !grid->isEnabled())
            return;
        const QScreen *ekran = screen() ? screen() : QGuiApplication::primaryScreen();
        grid->applyColumnLayout(ekran ? ekran->size().width() : 1366, grid->width());
    });
}

TTanitimListesi::~TTanitimListesi()
{
    delete FGosterge.data();
}

void TTanitimListesi::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Restoring a minimised window is no new showing of the tab.
    if (!event->spontaneous())
        Yukle();
}

void TTanitimListesi::KullaniciTipiUygula(int musteriTipi)
{
    if (musteriTipi == 1 || musteriTipi == 2) {
        for (const QString &s : {u"KALAN"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s})
            grid->setColumnShown(s, true);
    } else if (musteriTipi == 4 && FTur == Tur::Yeniler) {
        for (const QString &s : {u"K"_s, u"KAMPFIYAT"_s})
            grid->setColumnShown(s, false);
    }
}

void TTanitimListesi::Yukle()
{
    if (FYukleniyor)
        return;
    FYukleniyor = true;
    FGosterge->show();
    grid->setEnabled(false);
    grid->detach();
    grid->beginUpdate();

    auto d = std::make_shared<TYuklemeDurumu>();
    d->tur = FTur;
    d->carino = FBaglam.sbilgi->CARINO();
    d->musteriTipi = FBaglam.sbilgi->MusteriTipi();
    d->klon = FBaglam.bagc->CloneConnection();

    Async([d] {
        if (BaglantiKontrol(*d->klon, 0)) {
            try {
                TServerMethods1Client istemci(*d->klon);
                d->veri = d->tur == Tur::Yeniler ? istemci.YenilerVer2(d->carino)
                                                 : istemci.KampanyaliVer2(d->carino, d->musteriTipi);
                d->basarili = true;
            } catch (const datasnap::ServerError &e) {
                d->hata = e.message();
            }
        }
        d->klon.reset();
    }).Await(this, [this, d] {
        if (d->basarili) {
            FTablo.assign(std::move(d->veri));
            OndalikFormatla(FTablo);
            emit BaslikDegisti(QString::number(FTablo.RecordCount())
                               + (FTur == Tur::Yeniler ? u"=Yeni Stoklar"_s : u"=Kampanyalı"_s));
        }
        grid->attach();
        grid->endUpdate();
        grid->setEnabled(true);
        FGosterge->hide();
        FYukleniyor = false;
        if (!d->basarili) {
            // The list keeps its previous rows.
            MesajGoster(d->hata.isEmpty() ? u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s
                                          : d->hata,
                        mtError, {mbOK}, 0, mbOK);
        }
        emit YuklemeBitti(d->basarili);
    });
}

void TTanitimListesi::cifteTiklama()
{
    if (grid->focusedRow() < 0)
        return;
    const qint64 stokno = grid->focusedValue(u"STOK_STOKNO"_s).toLongLong();
    StokSepeteEkle(FBaglam,
                   FTur == Tur::Yeniler ? TStokKaynagi::Yeniler : TStokKaynagi::Kampanya, FTablo,
                   stokno);
}
