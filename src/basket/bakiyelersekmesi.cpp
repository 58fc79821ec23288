#include "basket/bakiyelersekmesi.h"

#include "basket/bakiyesiparisleru.h"
#include "core/baglantiu.h"

#include <QVBoxLayout>

TBakiyelerSekmesi::TBakiyelerSekmesi(datasnap::Connection& bagc_, TSonucBilgisi& sbilgi_,
                                     QWidget* parent)
    : QWidget(parent)
    , bagc(bagc_)
    , sbilgi(sbilgi_)
{
    auto* duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(0, 0, 0, 0);
}

TBakiyelerSekmesi::~TBakiyelerSekmesi() = default;

Tbakiyesiparisler* TBakiyelerSekmesi::benimbakiyesiparisler() const
{
    return FPencere.data();
}

void TBakiyelerSekmesi::Gosterildi()
{
    Gizlendi();
    FPencere = new Tbakiyesiparisler(this, bagc, sbilgi);
    FPencere->KullaniciTipiUygula(sbilgi.MusteriTipi(), true);
    FPencere->Gomulu();
    layout()->addWidget(FPencere);
    FPencere->BakiyeAlalim();
    FPencere->show();
}

void TBakiyelerSekmesi::Gizlendi()
{
    delete FPencere.data();
}
