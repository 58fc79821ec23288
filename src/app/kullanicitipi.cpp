#include "app/kullanicitipi.h"

KullaniciTipiKurallari KullaniciTipiKurallariVer(int musteriTipi)
{
    KullaniciTipiKurallari k;
    switch (musteriTipi) {
    case 1:
    case 2:
        k.baskaCariSec = true;
        k.raporlar = true;
        break;
    case 4:
        k.kampanyaliSekmesi = false;
        break;
    default:
        break;
    }
    return k;
}
