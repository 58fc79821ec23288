#pragma once
// The nine tabs of the main window, in their order on the tab control, with
// their design-time titles.

#include <QString>

enum class Sekme : int {
    StokListesi = 0,   // sstoklistesi
    Sepet,             // ssepet
    OncekiSiparisler,  // sonceki
    CariEkstre,        // sccariekstre
    YeniStoklar,       // syeniler
    KampanyaliStoklar, // skampanyali
    Duyurular,         // sTabSheetduyuru
    Bakiyeler,         // sTabbakiyeler
    SanalPos,          // ss
};
inline constexpr int SekmeSayisi = 9;

// The design-time caption ("Stok Listesi", "Sepet", ...).
QString SekmeBasligi(Sekme sekme);
// The object name of the tab page ("sstoklistesi", "ssepet", ...).
QString SekmeAdi(Sekme sekme);

// A counted caption: the count, "=" and the title ("37=Stok Listesi").
QString SayacliBaslik(int sayi, Sekme sekme);
