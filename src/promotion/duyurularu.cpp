#include "promotion/duyurularu.h"

#include "core/baglantikontrol.h"
#include "core/beklesinu.h"
#include "core/utils.h"
#include "core/onaltilik.h"
#include "platform/dataset/memtablemodel.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QImage>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString kResim = QStringLiteral("duyuru");
const QString kBaslik = QStringLiteral("baslik");
const QString kArama = QStringLiteral("arama");

struct Duyuru
{
    QImage resim;
    QString baslik, arama;
};

} // namespace

TDuyurular::TDuyurular(datasnap::Connection& bagc, QWidget* parent)
    : QWidget(parent)
    , m_bagc(bagc)
{
    setObjectName(QStringLiteral("duyurular"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);

    m_model = new QStandardItemModel(0, 3, this);
    m_model->setHorizontalHeaderLabels({kResim, kBaslik, kArama});

    cxGridduyuru = new DataGrid(this);
    cxGridduyuru->setObjectName(QStringLiteral("cxGridduyuru"));
    cxGridduyuru->setColumns({
        GridColumn::imageColumn(kResim, QString()).setWidth(605).setOffered(false).setFilterable(false),
        GridColumn::textColumn(kBaslik).setInternal(),
        GridColumn::textColumn(kArama).setInternal(),
    });
    cxGridduyuru->setSourceModel(m_model);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    cxGridduyuru->setGridFont(arial);
    cxGridduyuru->setHeaderVisible(false);
    cxGridduyuru->setGroupByBoxVisible(false);
    cxGridduyuru->setFocusRectVisible(false);
    cxGridduyuru->setIndicatorWidth(0);
    cxGridduyuru->setRowHeight(405);
    cxGridduyuru->setPixelScrolling(true);
    cxGridduyuru->setSortingEnabled(false);
    cxGridduyuru->setFilterButtonsVisible(false);
    lay->addWidget(cxGridduyuru);

    connect(cxGridduyuru, &DataGrid::rowDoubleClicked, this, [this](int) { cxGridduyuruBandedDuyuruDblClick(); });
}

void TDuyurular::Gosterildi()
{
    if (m_yukleniyor)
        return; // the running reload fills the list; a second one would double it
    m_yukleniyor = true;
    emit Yukleniyor(true);
    cxGridduyuru->setEnabled(false);
    cxGridduyuru->beginUpdate();

    struct Sonuc
    {
        bool hata = false;
        bool geldi = false;
        QList<Duyuru> duyurular;
    };
    auto sonuc = std::make_shared<Sonuc>();
    std::shared_ptr<datasnap::Connection> klon(m_bagc.CloneConnection());
    Async([klon, sonuc] {
        if (!BaglantiKontrol(*klon, 0)) {
            sonuc->hata = true;
            return;
        }
        std::optional<TAcilisEkranlariki> hepsi;
        try {
            TServerMethods1Client istemci(*klon);
            hepsi = istemci.AcilisEkranlarVer2();
        } catch (const std::exception&) {
            // A failed call is a failed load: the rows stay and the user is told.
            klon->Close();
            sonuc->hata = true;
            return;
        }
        klon->Close();
        sonuc->geldi = true;
        if (!hepsi)
            return;
        for (const TAcilisEkran& e : hepsi->Ekranlar()) {
            Duyuru d;
            if (!e.Resim().isEmpty())
                d.resim = QImage::fromData(OnaltilikCoz(e.Resim()));
            d.arama = e.Arama();
            d.baslik = e.Baslik();
            sonuc->duyurular << d;
        }
    }).Await(this, [this, sonuc] {
        if (sonuc->geldi) {
            // The list is rebuilt, not added to.
            m_model->removeRows(0, m_model->rowCount());
            for (const Duyuru& d : sonuc->duyurular) {
                auto* resim = new QStandardItem;
                resim->setData(d.resim, MemTableModel::RawValueRole);
                resim->setEditable(false);
                auto* baslik = new QStandardItem(d.baslik);
                baslik->setData(d.baslik, MemTableModel::RawValueRole);
                auto* arama = new QStandardItem(d.arama);
                arama->setData(d.arama, MemTableModel::RawValueRole);
                m_model->appendRow({resim, baslik, arama});
            }
        }
        cxGridduyuru->endUpdate();
        cxGridduyuru->setEnabled(true);
        emit Yukleniyor(false);
        m_yukleniyor = false;
        if (sonuc->hata)
            MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"), mtError, {mbOK}, 0, mbOK);
        emit YuklemeBitti(!sonuc->hata);
    });
}

void TDuyurular::cxGridduyuruBandedDuyuruDblClick()
{
    const int satir = cxGridduyuru->focusedRow();
    if (satir < 0 || satir >= m_model->rowCount())
        return;
    const QString metin = m_model->item(satir, 2)->data(MemTableModel::RawValueRole).toString();
    if (metin.trimmed().isEmpty())
        return;
    // Compared as stored: " #KAMPANYA#" is a search text, not the campaign link.
    emit BaglantiIstendi(metin);
}
