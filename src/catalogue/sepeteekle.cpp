#include "catalogue/sepeteekle.h"

#include "catalogue/stokayarintiU.h"
#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"
#include "server/proxim.h"

#include <QLabel>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString yazi(const MemTable &t, const QString &alan)
{
    return t.FindField(alan).AsString();
}

double sayi(const MemTable &t, const QString &alan)
{
    return t.FindField(alan).AsFloat();
}

int tamSayi(const MemTable &t, const QString &alan)
{
    return int(std::lround(t.FindField(alan).AsFloat()));
}

void hataGoster(const QString &metin)
{
    MesajGoster(metin, mtError, {mbOK}, 0, mbOK);
}

} // namespace

int KoliAdetVer(const datasnap::Connection &bagc, int stokno)
{
    int koli = 1;
    std::unique_ptr<datasnap::Connection> klon = bagc.CloneConnection();
    if (BaglantiKontrol(*klon, 0)) {
        try {
            TServerMethods1Client istemci(*klon);
            koli = istemci.EnVer(stokno);
        } catch (const datasnap::ServerError &) {
            // The package size is a convenience: without it the user orders
            // piece by piece.
            koli = 1;
        }
    }
    klon->Close();
    return GecerliKoliAdet(koli);
}

void StokAyrintiDoldur(Tstokayarinti &d, TStokKaynagi kaynak, const MemTable &t, int musteriTipi,
                       int koliadet)
{
    const bool sepettenMi = kaynak == TStokKaynagi::Sepet;
    d.barkod->setText(yazi(t, u"BARKOD"_s));
    d.adi->setText(yazi(t, sepettenMi ? u"STOKADI"_s : u"ADI"_s));
    d.finishkod->setText(yazi(t, u"FINISHKOD"_s));
    d.marka->setText(yazi(t, u"MARKA"_s));
    d.model->setText(yazi(t, u"MODEL"_s));
    d.kdvoran = sayi(t, u"KDV"_s);
    d.setKoliadet(koliadet);
    if (musteriTipi == 1 || musteriTipi == 2)
        d.FiyatDuzenlenebilir(kaynak != TStokKaynagi::Kampanya);

    const int k = tamSayi(t, u"K"_s);
    const QString indirimYazi = yazi(t, u"INDIRIMYAZI"_s);
    switch (kaynak) {
    case TStokKaynagi::StokListesi:
    case TStokKaynagi::Yeniler:
        // A stock-list row with a negative campaign flag carries no usable
        // price: the price and the rates stay 0.
        if (!(kaynak == TStokKaynagi::StokListesi && k < 0)) {
            d.setBirimFiyat(sayi(t, u"FIYAT"_s));
            d.setOranlar({sayi(t, u"IND1"_s), sayi(t, u"IND2"_s), sayi(t, u"IND3"_s),
                          sayi(t, u"IND4"_s)});
        }
        if (k > 0) {
            d.Label2->setText(u"Kampanyalı Fiyat:"_s);
            d.indirimoran->setText(u"Kampanyalı "_s + indirimYazi);
        } else {
            d.Label2->setText(u"Fiyat:"_s);
            d.indirimoran->setText((kaynak == TStokKaynagi::StokListesi ? u"İndirim: %"_s
                                                                        : u"İndirim:  % "_s)
                                   + indirimYazi);
        }
        break;
    case TStokKaynagi::Kampanya:
        d.setBirimFiyat(sayi(t, u"FIYAT"_s));
        d.setOranlar({sayi(t, u"IND1"_s), sayi(t, u"IND2"_s), sayi(t, u"IND3"_s),
                      sayi(t, u"IND4"_s)});
        d.Label2->setText(u"Kampanyalı Fiyat:"_s);
        d.indirimoran->setText(u"Kampanyalı "_s + indirimYazi);
        break;
    case TStokKaynagi::Sepet:
        d.setBirimFiyat(sayi(t, u"BIRIMFIYAT"_s));
        d.setOranlar({sayi(t, u"INDIRIMORANI1"_s), sayi(t, u"INDIRIMORANI2"_s),
                      sayi(t, u"INDIRIMORANI3"_s), sayi(t, u"INDIRIMORANI4"_s)});
        d.setMiktar(tamSayi(t, u"MIKTAR"_s));
        d.Label2->setText(u"Fiyat:"_s);
        d.indirimoran->setText(u"İndirim:"_s);
        break;
    }
}

namespace {

std::unique_ptr<Tstokayarinti> dialogHazirla(const TKatalogBaglami &b, TStokKaynagi kaynak,
                                             const MemTable &t, qint64 stokno)
{
    std::unique_ptr<Tstokayarinti> d(Tstokayarinti::Ac(b.sahip, int(stokno)));
    d->setResimAdresi(ResimAdresi());
    StokAyrintiDoldur(*d, kaynak, t, b.sbilgi->MusteriTipi(), KoliAdetVer(*b.bagc, int(stokno)));
    return d;
}

void yeniSatirAc(const TKatalogBaglami &b, TStokKaynagi kaynak, const MemTable &t, qint64 stokno)
{
    std::unique_ptr<Tstokayarinti> d = dialogHazirla(b, kaynak, t, stokno);
    if (b.Goster(*d) != QDialog::Accepted)
        return;
    TSepetSatiri s;
    s.stokno = t.FindField(u"STOK_STOKNO"_s).AsInteger();
    s.barkod = yazi(t, u"BARKOD"_s);
    s.stokadi = yazi(t, u"ADI"_s);
    s.miktar = d->Miktar();
    s.kdv = sayi(t, u"KDV"_s);
    s.fiyat = d->BirimFiyat();
    s.oranlar = d->Oranlar();
    s.k = tamSayi(t, u"K"_s);
    const int sonuc = SepeteSatirEkle(b, s);
    if (sonuc == 1 || sonuc == kSepetCevapBelirsiz)
        b.SepetiYenile();
}

} // namespace

void SepetSatiriDegistir(const TKatalogBaglami &b)
{
    const MemTable &sepet = *b.sepet;
    const qint64 stokno = sepet.FindField(u"STOKNO"_s).AsInteger();
    std::unique_ptr<Tstokayarinti> d = dialogHazirla(b, TStokKaynagi::Sepet, sepet, stokno);
    if (b.Goster(*d) != QDialog::Accepted)
        return;
    TSepetSatiri s;
    s.stokno = 0; // the line is named by its basket line number
    s.barkod = sepet.FindField(u"BARKOD"_s).DisplayText();
    s.stokadi = sepet.FindField(u"STOKADI"_s).DisplayText();
    s.miktar = d->Miktar();
    s.kdv = sayi(sepet, u"KDV"_s);
    s.fiyat = d->BirimFiyat();
    // The rates the dialog showed and priced the line with; they start as
    // the line's stored rates, so they differ only when the user edited them.
    s.oranlar = d->Oranlar();
    s.sepetsirano = int(sepet.FindField(u"SIRANO"_s).AsInteger());
    SepetSatirGuncelle(b, s);
    // Reloaded whatever the answer, so the tab shows what the server holds.
    b.SepetiYenile();
}

void StokSepeteEkle(const TKatalogBaglami &b, TStokKaynagi kaynak, MemTable &tablo, qint64 stokno)
{
    if (!tablo.Locate(u"STOK_STOKNO"_s, stokno))
        return;
    if (!b.sepet->Active())
        b.SepetiYenile();
    if (!b.sepet->Active())
        return;
    if (b.sepet->FindField(u"STOKNO"_s).isValid() && b.sepet->Locate(u"STOKNO"_s, stokno)) {
        SepetSatiriDegistir(b);
        return;
    }
    yeniSatirAc(b, kaynak, tablo, stokno);
}

int SepeteSatirEkle(const TKatalogBaglami &b, const TSepetSatiri &s)
{
    if (!BaglantiKontrol(*b.bagc, 1))
        return 0;
    int sonuc = 0;
    try {
        TServerMethods1Client istemci(*b.bagc);
        TSonucBilgisi kopya;
        kopya.Kopyala(*b.sbilgi);
        sonuc = istemci.SepetEkle2(kopya, b.sbilgi->CARINO(), int(s.stokno), s.barkod, s.stokadi,
                                   s.miktar, std::round(s.kdv), s.fiyat, s.oranlar[0],
                                   b.sbilgi->Sirano(), s.k, s.oranlar[1], s.oranlar[2],
                                   s.oranlar[3]);
    } catch (const datasnap::ServerError &e) {
        b.bagc->Close();
        hataGoster(e.message());
        return kSepetCevapBelirsiz;
    }
    b.bagc->Close();
    return sonuc;
}

int SepetSatirGuncelle(const TKatalogBaglami &b, const TSepetSatiri &s)
{
    if (!BaglantiKontrol(*b.bagc, 1))
        return 0;
    int sonuc = 0;
    try {
        TServerMethods1Client istemci(*b.bagc);
        TSonucBilgisi kopya;
        kopya.Kopyala(*b.sbilgi);
        sonuc = istemci.SepetGuncelle2(kopya, b.sbilgi->CARINO(), int(s.stokno), s.barkod,
                                       s.stokadi, s.miktar, std::round(s.kdv), s.fiyat,
                                       s.oranlar[0], b.sbilgi->Sirano(), s.sepetsirano,
                                       s.oranlar[1], s.oranlar[2], s.oranlar[3]);
    } catch (const datasnap::ServerError &e) {
        b.bagc->Close();
        hataGoster(e.message());
        return 0;
    }
    b.bagc->Close();
    return sonuc;
}
