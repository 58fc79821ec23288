#pragma once
// What a user type changes in the main window's frame, applied once after
// sign-in. A pure rule: the main window applies the result to its controls.

struct KullaniciTipiKurallari
{
    bool baskaCariSec = false;     // button "Başka Cari Seç"
    bool raporlar = false;         // general-menu item "Raporlar" (hidden at design time)
    bool kampanyaliSekmesi = true; // tab "Kampanyalı Stoklar"
    bool operator==(const KullaniciTipiKurallari&) const = default;
};

// The frame's part of the rules of a MusteriTipi value: 1 and 2 (sales
// representatives) get "Başka Cari Seç" and "Raporlar", 4 loses the campaign
// tab, every other value keeps the design state. The grids' columns follow
// the same value in each tab's KullaniciTipiUygula.
KullaniciTipiKurallari KullaniciTipiKurallariVer(int musteriTipi);
