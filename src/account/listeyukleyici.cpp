#include "account/listeyukleyici.h"

#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/beklesinu.h"
#include "core/utils.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <memory>

using namespace Qt::StringLiterals;

TListeYukleyici::TListeYukleyici(datasnap::Connection& bagc_, TSonucBilgisi& sbilgi_, DataGrid* grid, Cagri cagri,
                                 QObject* parent)
    : QObject(parent)
    , bagc(bagc_)
    , sbilgi(sbilgi_)
    , FGrid(grid)
    , FCagri(std::move(cagri))
{
}

void TListeYukleyici::Baslat()
{
    if (FSuruyor) {
        FBekleyen = true;
        return;
    }
    FSuruyor = true;
    emit Yukleniyor(true);
    FGrid->setEnabled(false);
    FGrid->detach();
    FGrid->beginUpdate();

    struct Durum
    {
        std::unique_ptr<datasnap::Connection> klon;
        int carino = 0;
        TableData veri;
        bool yuklendi = false;
    };
    auto durum = std::make_shared<Durum>();
    durum->klon = bagc.CloneConnection();
    durum->carino = sbilgi.CARINO();
    Async([durum, cagri = FCagri] {
        if (BaglantiKontrol(*durum->klon, 0)) {
            try {
                TServerMethods1Client istemci(*durum->klon);
                durum->veri = cagri(istemci, durum->carino);
                durum->yuklendi = true;
            } catch (const std::exception&) {
                durum->yuklendi = false;
            }
        }
        durum->klon->Close();
        durum->klon.reset();
    }).Await(this, [this, durum] {
        if (durum->yuklendi && Al)
            Al(std::move(durum->veri));
        FGrid->attach();
        FGrid->endUpdate();
        FGrid->setEnabled(true);
        if (Sonra)
            Sonra();
        FSuruyor = false;
        emit Yukleniyor(false);
        if (!durum->yuklendi)
            MesajGoster(u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s, mtError, {mbOK}, 0, mbOK);
        emit Bitti(durum->yuklendi);
        if (FBekleyen) {
            FBekleyen = false;
            Baslat();
        }
    });
}
