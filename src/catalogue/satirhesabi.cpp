#include "catalogue/satirhesabi.h"

#include "core/utils.h"

TSatirHesabi SatirHesapla(double birimFiyat, int adet, const TIndirimOranlari &oranlar,
                          double kdvOran)
{
    TSatirHesabi h;
    h.brut = birimFiyat * adet;
    h.net = h.brut;
    for (double oran : oranlar) {
        if (oran > 0)
            h.net = h.net - h.net * oran / 100;
    }
    h.indirimTutar = h.brut - h.net;
    h.netYuvarli = IkiHaneYuvarla(h.net);
    h.birimNet = adet == 0 ? 0 : IkiHaneYuvarla(h.netYuvarli / adet);
    h.kdvDahil = IkiHaneYuvarla(h.birimNet * (kdvOran / 100 + 1));
    h.genelTutar = IkiHaneYuvarla(h.kdvDahil * adet);
    return h;
}

bool IndirimGosterilir(const TIndirimOranlari &oranlar)
{
    return oranlar[0] + oranlar[1] + oranlar[2] + oranlar[3] > 1;
}

int GecerliKoliAdet(int koliAdet)
{
    return koliAdet < 1 ? 1 : koliAdet;
}

int KoliyeYuvarla(int adet, int koliAdet)
{
    const int k = GecerliKoliAdet(koliAdet);
    const int kalan = adet % k;
    return kalan > 0 ? adet + k - kalan : adet;
}
