#include "app/sekmeler.h"

QString SekmeBasligi(Sekme sekme)
{
    switch (sekme) {
    case Sekme::StokListesi: return QStringLiteral("Stok Listesi");
    case Sekme::Sepet: return QStringLiteral("Sepet");
    case Sekme::OncekiSiparisler: return QStringLiteral("Önceki Siparişler");
    case Sekme::CariEkstre: return QStringLiteral("Cari Ekstre");
    case Sekme::YeniStoklar: return QStringLiteral("Yeni Stoklar");
    case Sekme::KampanyaliStoklar: return QStringLiteral("Kampanyalı Stoklar");
    case Sekme::Duyurular: return QStringLiteral("Duyurular");
    case Sekme::Bakiyeler: return QStringLiteral("Bakiyeler");
    case Sekme::SanalPos: return QStringLiteral("Sanal Pos");
    }
    return {};
}

QString SekmeAdi(Sekme sekme)
{
    switch (sekme) {
    case Sekme::StokListesi: return QStringLiteral("sstoklistesi");
    case Sekme::Sepet: return QStringLiteral("ssepet");
    case Sekme::OncekiSiparisler: return QStringLiteral("sonceki");
    case Sekme::CariEkstre: return QStringLiteral("sccariekstre");
    case Sekme::YeniStoklar: return QStringLiteral("syeniler");
    case Sekme::KampanyaliStoklar: return QStringLiteral("skampanyali");
    case Sekme::Duyurular: return QStringLiteral("sTabSheetduyuru");
    case Sekme::Bakiyeler: return QStringLiteral("sTabbakiyeler");
    case Sekme::SanalPos: return QStringLiteral("ss");
    }
    return {};
}

QString SayacliBaslik(int sayi, Sekme sekme)
{
    return QString::number(sayi) + u'=' + SekmeBasligi(sekme);
}
