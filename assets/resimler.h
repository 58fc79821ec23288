#pragma once
// Names of the program's pictures in the resource library zelvori_assets.
// A QIcon or QPixmap built from these paths renders the SVG at any size.

#include <QString>

namespace Resimler {

// Tab images of the main window, in tab order.
inline QString StokListesi() { return QStringLiteral(":/zelvori/icons/sekme-stok.svg"); }
inline QString Sepet() { return QStringLiteral(":/zelvori/icons/sekme-sepet.svg"); }
inline QString OncekiSiparisler() { return QStringLiteral(":/zelvori/icons/sekme-onceki.svg"); }
inline QString CariEkstre() { return QStringLiteral(":/zelvori/icons/sekme-ekstre.svg"); }
inline QString YeniStoklar() { return QStringLiteral(":/zelvori/icons/sekme-yeniler.svg"); }
inline QString KampanyaliStoklar() { return QStringLiteral(":/zelvori/icons/sekme-kampanya.svg"); }
inline QString Duyurular() { return QStringLiteral(":/zelvori/icons/sekme-duyuru.svg"); }
inline QString Bakiyeler() { return QStringLiteral(":/zelvori/icons/sekme-bakiye.svg"); }
inline QString SanalPos() { return QStringLiteral(":/zelvori/icons/sekme-sanalpos.svg"); }

// Stock-state picture of a DURUM value: 1 in stock, 2 please phone, 3 on the
// way, 4 special order, 5 being procured, 0 not available. Other values have
// no picture (empty path).
inline QString Durum(int durum)
{
    switch (durum) {
    case 0: return QStringLiteral(":/zelvori/icons/durum-0-yok.svg");
    case 1: return QStringLiteral(":/zelvori/icons/durum-1-var.svg");
    case 2: return QStringLiteral(":/zelvori/icons/durum-2-telefon.svg");
    case 3: return QStringLiteral(":/zelvori/icons/durum-3-yolda.svg");
    case 4: return QStringLiteral(":/zelvori/icons/durum-4-ozel.svg");
    case 5: return QStringLiteral(":/zelvori/icons/durum-5-tedarik.svg");
    default: return {};
    }
}
// The legend's "Kritik Seviye" picture (no DURUM value carries it).
inline QString KritikSeviye() { return QStringLiteral(":/zelvori/icons/durum-kritik.svg"); }

// Column pictures: the item has a picture; yes / no marks.
inline QString ResimVar() { return QStringLiteral(":/zelvori/icons/resim-var.svg"); }
inline QString Evet() { return QStringLiteral(":/zelvori/icons/evet.svg"); }
inline QString Hayir() { return QStringLiteral(":/zelvori/icons/hayir.svg"); }

// Search bar and header.
inline QString Buyutec() { return QStringLiteral(":/zelvori/icons/ara.svg"); }
inline QString AraDugmesi() { return QStringLiteral(":/zelvori/icons/ara-dugme.svg"); }
inline QString Temizle() { return QStringLiteral(":/zelvori/icons/temizle.svg"); }
inline QString GenelMenu() { return QStringLiteral(":/zelvori/icons/genel-menu.svg"); }
inline QString CariSec() { return QStringLiteral(":/zelvori/icons/cari-sec.svg"); }
inline QString Logo() { return QStringLiteral(":/zelvori/images/logo.svg"); }
inline QString GirisArkaPlan() { return QStringLiteral(":/zelvori/images/giris-arka.svg"); }

// Animations (GIF, for QMovie): the busy indicator and the header picture.
inline QString Mesgul() { return QStringLiteral(":/zelvori/images/mesgul.gif"); }
inline QString BaslikAnimasyonu() { return QStringLiteral(":/zelvori/images/baslik.gif"); }

} // namespace Resimler
