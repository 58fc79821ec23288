#include "catalogue/stoklistesiu.h"

#include "catalogue/harfcevir.h"
#include "catalogue/hareket_stoku.h"
#include "catalogue/sepeteekle.h"
#include "catalogue/stoksutunlari.h"
#include "catalogue/tumsiparislerU.h"
#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/beklesinu.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kBaslik = u"Stok Listesi"_s;
const QString kBaglantiHatasi = u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;
constexpr int kGenisPencere = 1153;

// Folds every character before it reaches the box and shows it in upper
// case, whether typed or pasted.
class HarfCeviren : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = AramaMetniCevir(input);
        return Acceptable;
    }
};

void fiyatBilgisiCiz(QPainter &p, const GridCellPaint &h)
{
    p.fillRect(h.rect, h.background);
    p.setFont(h.font);
    p.setPen(h.foreground);
    QString yazi = FiyatBilgisiHucreYazisi(h.cell);
    yazi.remove(u'\r');
    p.drawText(h.rect.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
               yazi.trimmed());
}

} // namespace

// What the background search works on; shared by the job and its completion.
struct TAramaDurumu
{
    QString metin;
    TSonucBilgisi kopya;
    std::unique_ptr<datasnap::Connection> klon;
    TableData veri;
    bool basarili = false;
};

TStokListesi::TStokListesi(const TKatalogBaglami &baglam, MemTable &stok_, QWidget *parent)
    : QWidget(parent)
    , FBaglam(baglam)
    , stok(stok_)
    , FBaslik(kBaslik)
{
    auto *duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(0, 0, 0, 0);

    cxGrid1 = new DataGrid(this);
    QFont f(u"Arial"_s);
    f.setPixelSize(13);
    cxGrid1->setGridFont(f);
    cxGrid1->setColumns(StokListesiSutunlari(&fiyatBilgisiCiz));
    cxGrid1->setRowSelect(true);
    cxGrid1->setIncrementalSearchEnabled(true);
    cxGrid1->setFilterButtonsVisible(true);
    cxGrid1->setGroupByBoxVisible(false);
    cxGrid1->setHeaderHeight(40);
    cxGrid1->setIndicatorWidth(5);
    cxGrid1->setGridLineColor(Qt::white);
    cxGrid1->setFooterVisible(true);
    cxGrid1->setFooterSummaries({{u"OEM1"_s, SummaryKind::Count}});
    GridStyles stiller;
    stiller.background = sharedstyles::lightGrey();
    stiller.content = sharedstyles::lightGrey();
    stiller.evenRow = sharedstyles::lightGrey();
    stiller.oddRow = sharedstyles::white();
    stiller.header = sharedstyles::darkSlate();
    stiller.indicator = sharedstyles::darkGrey();
    stiller.selection = sharedstyles::paleBlue();
    cxGrid1->setStyles(stiller);
    cxGrid1->setRowHeight(60);
    cxGrid1->bind(&stok);
    duzen->addWidget(cxGrid1);

    // The search controls, placed by the main window in its search bar.
    araedit = new QLineEdit;
    araedit->setObjectName(u"araedit"_s);
    araedit->setFixedWidth(340);
    QFont af(u"Tahoma"_s);
    af.setPixelSize(20);
    araedit->setFont(af);
    araedit->setValidator(new HarfCeviren(araedit));
    SpeedButton2 = new QToolButton;
    SpeedButton2->setObjectName(u"SpeedButton2"_s);
    SpeedButton2->setToolTip(u"Ara"_s);
    SpeedButton2->setText(u"Ara"_s);
    SpeedButton2->setIcon(QIcon::fromTheme(u"edit-find"_s));
    SpeedButton1 = new QToolButton;
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SpeedButton1->setToolTip(u"Temizle"_s);
    SpeedButton1->setText(u"Temizle"_s);
    SpeedButton1->setIcon(QIcon::fromTheme(u"edit-clear"_s));
    auto *mesgul = new QProgressBar;
    mesgul->setRange(0, 0);
    mesgul->setTextVisible(false);
    mesgul->setFixedSize(28, 27);
    gifstokara = mesgul;
    gifstokara->setObjectName(u"gifstokara"_s);
    gifstokara->hide();

    popstok = new QMenu(this);
    S2 = popstok->addAction(u"Sepete Ekle"_s);
    popstok->addSeparator();
    B1 = popstok->addAction(u"Sipariş Bakiyeleriniz"_s); // no action of its own
    popstok->addSeparator();
    S3 = popstok->addAction(u"Siparişleri Göster"_s);
    popstok->addSeparator();
    StokHareketleri1 = popstok->addAction(u"Stok Hareketleri"_s);
    cxGrid1->setContextMenu(popstok);

    connect(araedit.data(), &QLineEdit::returnPressed, this, &TStokListesi::aramaBaslat);
    connect(SpeedButton2.data(), &QToolButton::clicked, this, &TStokListesi::SpeedButton2Click);
    connect(SpeedButton1.data(), &QToolButton::clicked, this, &TStokListesi::SpeedButton1Click);
    connect(cxGrid1, &DataGrid::resized, this, [this] {
        if (araedit->isEnabled())
            DuzenUygula();
    });
    connect(cxGrid1, &DataGrid::rowDoubleClicked, this, &TStokListesi::S2Click);
    connect(S2, &QAction::triggered, this, &TStokListesi::S2Click);
    connect(S3, &QAction::triggered, this, &TStokListesi::S3Click);
    connect(StokHareketleri1, &QAction::triggered, this, &TStokListesi::StokHareketleri1Click);
}

TStokListesi::~TStokListesi()
{
    // The search controls may live in the main window's search bar.
    delete araedit.data();
    delete SpeedButton2.data();
    delete SpeedButton1.data();
    delete gifstokara.data();
}

void TStokListesi::AramaCubugunaYerlestir(QBoxLayout *duzen)
{
    duzen->addWidget(araedit);
    duzen->addWidget(SpeedButton2);
    duzen->addWidget(SpeedButton1);
    duzen->addWidget(gifstokara);
}

bool TStokListesi::AramaSuruyor() const
{
    return !araedit->isEnabled();
}

void TStokListesi::AramaYap(const QString &metin)
{
    if (AramaSuruyor())
        return;
    araedit->setText(metin.toUpper());
    SpeedButton2Click();
}

void TStokListesi::SpeedButton2Click()
{
    if (araedit->isEnabled())
        aramaBaslat();
}

void TStokListesi::baslikYaz(const QString &baslik)
{
    FBaslik = baslik;
    emit BaslikDegisti(baslik);
}

void TStokListesi::aramaBaslat()
{
    if (AramaSuruyor())
        return;
    emit OneGetir();
    araedit->setEnabled(false);
    gifstokara->show();
    cxGrid1->clearFilters();
    cxGrid1->detach();
    cxGrid1->beginUpdate();

    auto durum = std::make_shared<TAramaDurumu>();
    durum->metin = araedit->text(); // as the box shows it: upper case, not trimmed
    durum->kopya.Kopyala(*FBaglam.sbilgi);
    durum->klon = FBaglam.bagc->CloneConnection();

    Async([durum] {
        try {
            if (BaglantiKontrol(*durum->klon, 0)) {
                {
                    TServerMethods1Client istemci(*durum->klon);
                    durum->veri = istemci.StokAraGetirZelvori(durum->metin, durum->kopya);
                }
                // A result without the discount column is no stock list.
                durum->basarili = durum->veri.fieldIndex(u"IND1") >= 0;
            }
        } catch (const std::exception &) {
            durum->basarili = false;
        }
        durum->klon.reset();
    }).Await(this, [this, durum] { aramaTamamla(durum->basarili, *durum); });
}

void TStokListesi::aramaTamamla(bool basarili, TAramaDurumu &durum)
{
    if (basarili) {
        stok.assign(std::move(durum.veri));
        OndalikFormatla(stok);
        baslikYaz(QString::number(stok.RecordCount()) + u"="_s + kBaslik);
    }
    araedit->setEnabled(true);
    cxGrid1->attach();
    cxGrid1->endUpdate();
    araedit->selectAll();
    araedit->setFocus();
    gifstokara->hide();
    if (!basarili) {
        if (stok.Active())
            stok.EmptyDataSet();
        MesajGoster(kBaglantiHatasi, mtError, {mbOK}, 0, mbOK);
        baslikYaz(kBaslik);
    }
    emit AramaBitti(basarili);
}

void TStokListesi::SpeedButton1Click()
{
    if (!araedit->isEnabled())
        return;
    if (stok.Active()) {
        stok.EmptyDataSet();
        baslikYaz(kBaslik);
    }
    emit OneGetir();
    cxGrid1->clearFilters();
    araedit->clear();
    araedit->selectAll();
    araedit->setFocus();
}

void TStokListesi::CariDegisti()
{
    if (stok.Active())
        stok.EmptyDataSet();
    baslikYaz(u"0="_s + kBaslik);
    emit OneGetir();
    araedit->selectAll();
    araedit->setFocus();
}

void TStokListesi::KullaniciTipiUygula(int musteriTipi)
{
    FMusteriTipi = musteriTipi;
    if (musteriTipi == 1 || musteriTipi == 2) {
        for (const QString &s : {u"KALAN"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s})
            cxGrid1->setColumnShown(s, true);
    } else if (musteriTipi == 4) {
        for (const QString &s : {u"KAMPFIYAT"_s, u"K"_s})
            cxGrid1->setColumnShown(s, false);
    }
    if (araedit->isEnabled())
        DuzenUygula();
}

void TStokListesi::DuzenUygula()
{
    const bool genis = window()->width() >= kGenisPencere;
    cxGrid1->beginUpdate();
    for (const QString &s : {u"LISTEFIYAT1"_s, u"KAMPFIYAT"_s, u"NETFIYAT"_s, u"KDVDAHIL"_s}) {
        // Users of type 4 see no campaign prices in either layout.
        if (s == u"KAMPFIYAT" && FMusteriTipi == 4)
            continue;
        cxGrid1->setColumnVisible(s, genis);
    }
    cxGrid1->setColumnVisible(kFiyatBilgisiSutunu, !genis);
    cxGrid1->setRowHeight(genis ? 60 : 100);
    cxGrid1->applyWeights(cxGrid1->width());
    if (!genis) {
        for (const QString &s : {u"OEM1"_s, u"OEM2"_s, u"OEM3"_s})
            cxGrid1->setColumnWidth(s, 80);
        cxGrid1->setColumnWidth(kFiyatBilgisiSutunu, 150);
    }
    cxGrid1->endUpdate();
}

qint64 TStokListesi::odaklananStokNo(bool &var) const
{
    var = cxGrid1->focusedRow() >= 0;
    return var ? cxGrid1->focusedValue(u"STOK_STOKNO"_s).toLongLong() : 0;
}

void TStokListesi::S2Click()
{
    bool var = false;
    const qint64 stokno = odaklananStokNo(var);
    if (var)
        StokSepeteEkle(FBaglam, TStokKaynagi::StokListesi, stok, stokno);
}

void TStokListesi::S3Click()
{
    bool var = false;
    const qint64 stokno = odaklananStokNo(var);
    if (var)
        Ttumsiparisler::Goruntule(FBaglam, int(stokno));
}

void TStokListesi::StokHareketleri1Click()
{
    bool var = false;
    const qint64 stokno = odaklananStokNo(var);
    if (var)
        Thareket_stok::Goruntule(FBaglam, int(stokno));
}
