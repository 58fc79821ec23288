#include "catalogue/stoksutunlari.h"

#include "catalogue/durumresimleri.h"
#include "catalogue/fiyatbilgisi.h"

using namespace Qt::StringLiterals;

namespace {

// A text column of the stock lists: word-wrapped and vertically centred
// where the grid asks for it.
GridColumn yazi(const QString &alan, const QString &baslik, int agirlik, bool sarmali)
{
    GridColumn c = GridColumn::textColumn(alan, baslik).setWeight(agirlik);
    c.setWordWrap(sarmali);
    return c;
}

GridColumn evetHayir(const QString &alan, const QString &baslik, bool hayirResmi)
{
    // 0 "Hayır" (an empty picture, or none), 1 "Evet".
    GridColumn c = GridColumn::pictureColumn(alan, baslik,
                                       {{0, hayirResmi ? 0 : -1, u"Hayır"_s}, {1, 1, u"Evet"_s}},
                                       EvetHayirResimleri());
    return c.setWeight(1);
}

GridColumn resimVar()
{
    return GridColumn::pictureColumn(u"RESIM"_s, u"Resim"_s, {{1, 0, u"Var"_s}, {0, -1, u"Yok"_s}},
                               ResimVarResimleri())
        .setWeight(1);
}

GridColumn durum(const QString &baslik)
{
    return GridColumn::pictureColumn(u"DURUM"_s, baslik, DurumResimDegerleri(), DurumResimleri())
        .setWeight(1);
}

} // namespace

QString FiyatBilgisiHucreYazisi(const GridCell &h)
{
    return FiyatBilgisiYazisi(h.value(u"LISTEFIYAT1"_s).toDouble(), h.value(u"KAMPFIYAT"_s).toDouble(),
                              h.value(u"NETFIYAT"_s).toDouble(), h.value(u"KDVDAHIL"_s).toDouble());
}

QList<GridColumn> StokListesiSutunlari(CellPainter fiyatBilgisiCizici)
{
    const bool s = true; // text columns of the stock list are word-wrapped
    return {
        durum(u"Durum"_s),
        yazi(u"OEM1"_s, u"Oem1"_s, 2, s).setHidden().setWidth(136),
        yazi(u"OEM2"_s, u"Oem2"_s, 2, s).setHidden().setWidth(125),
        yazi(u"OEM3"_s, u"Oem3"_s, 2, s).setHidden().setWidth(139),
        yazi(u"BARKOD"_s, u"Barkod"_s, 2, s).setWidth(199),
        yazi(u"ADI"_s, u"Açıklama"_s, 3, s).setWidth(291),
        yazi(u"OEM4"_s, u"Oem4"_s, 2, s).setHidden().setWidth(244),
        yazi(u"STOK_STOKNO"_s, {}, 1, s).setInternal().setFocusable(false).setFilterable(false),
        yazi(u"FINISHKOD"_s, u"Finish Kod"_s, 2, s).setHidden().setWidth(404),
        yazi(u"URETICIKODU"_s, u"Üretici Kod"_s, 2, s).setHidden().setWidth(404),
        resimVar(),
        yazi(u"BARKOD_BARKODNO"_s, {}, 1, s).setInternal(),
        yazi(u"DIGERADI"_s, u"Diğer Adı"_s, 3, s).setHidden().setWidth(404),
        yazi(u"DPKOD"_s, {}, 2, s).setInternal(),
        yazi(u"OEMNO"_s, u"Oem No"_s, 2, s).setHidden().setWidth(404),
        yazi(u"BIRIM"_s, u"Birim"_s, 1, s).setHidden().setWidth(84),
        yazi(u"MARKA"_s, u"Marka"_s, 2, s).setWidth(404),
        yazi(u"MODEL"_s, u"Model"_s, 2, s).setWidth(404),
        yazi(u"ANAGRUP"_s, u"Ana Grup"_s, 2, s).setHidden().setWidth(404),
        yazi(u"OZELKOD"_s, u"Özel Kod"_s, 2, s).setWidth(204),
        yazi(u"KALAN"_s, {}, 1, s).setInternal(),
        yazi(u"PKOD"_s, {}, 1, s).setInternal(),
        yazi(u"KDV"_s, {}, 1, s).setHidden().setWidth(84),
        yazi(u"ALINANSIPARIS"_s, {}, 1, s).setInternal(),
        yazi(u"VERILENSIPARIS"_s, {}, 1, s).setInternal(),
        yazi(u"LISTEFIYAT1"_s, u"Liste Fiyatı"_s, 2, s).setHidden(),
        yazi(u"KAMPFIYAT"_s, u"Kampanyalı Fiyat"_s, 2, s).setHidden(),
        yazi(u"FIYAT"_s, u"Liste Fiyatı"_s, 2, s).setHidden().setWidth(84),
        evetHayir(u"Y"_s, u"Yeni"_s, true).setOtherImageIndex(0).setWidth(84),
        evetHayir(u"K"_s, u"Kampanyalı"_s, true).setWidth(84),
        yazi(u"INDIRIMYAZI"_s, u"İndirim Oran"_s, 2, s).setAlignment(Qt::AlignCenter),
        yazi(u"NETFIYAT"_s, u"Net Fiyatı"_s, 2, s).setHidden(),
        yazi(u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s, 3, s),
        GridColumn::ownerDrawnColumn(kFiyatBilgisiSutunu, u"Fiyat Bilgisi"_s, std::move(fiyatBilgisiCizici),
                               &FiyatBilgisiHucreYazisi)
            .setWeight(2)
            .setWidth(150),
    };
}

QList<GridColumn> YenilerSutunlari()
{
    const bool s = false; // plain text columns
    return {
        yazi(u"OEM1"_s, u"Oem1"_s, 2, s).setHidden().setWidth(136),
        yazi(u"OEM2"_s, u"Oem2"_s, 2, s).setHidden().setWidth(125),
        yazi(u"OEM3"_s, u"Oem3"_s, 2, s).setHidden().setWidth(139),
        yazi(u"BARKOD"_s, u"Barkod"_s, 2, s).setWidth(199),
        yazi(u"ADI"_s, u"Açıklama"_s, 3, s).setWidth(291),
        yazi(u"OEM4"_s, u"Oem4"_s, 2, s).setHidden().setWidth(244),
        yazi(u"STOK_STOKNO"_s, {}, 1, s).setInternal(),
        yazi(u"FINISHKOD"_s, u"Finish Kod"_s, 2, s).setWidth(404),
        yazi(u"URETICIKODU"_s, u"Üretici Kod"_s, 2, s).setHidden(),
        yazi(u"BARKOD_BARKODNO"_s, {}, 1, s).setInternal(),
        yazi(u"DIGERADI"_s, u"Diğer Adı"_s, 3, s).setHidden(),
        yazi(u"DPKOD"_s, {}, 2, s).setInternal(),
        yazi(u"OEMNO"_s, u"Oem No"_s, 2, s).setHidden(),
        yazi(u"BIRIM"_s, u"Birim"_s, 1, s).setWidth(84),
        yazi(u"MARKA"_s, u"Marka"_s, 2, s).setWidth(404),
        yazi(u"MODEL"_s, u"Model"_s, 2, s).setWidth(404),
        yazi(u"ANAGRUP"_s, u"Ana Grup"_s, 2, s).setHidden(),
        yazi(u"OZELKOD"_s, u"Özel Kod"_s, 2, s).setHidden(),
        yazi(u"KALAN"_s, {}, 1, s).setInternal(),
        yazi(u"PKOD"_s, {}, 1, s).setInternal(),
        yazi(u"KDV"_s, {}, 1, s).setHidden(),
        yazi(u"ALINANSIPARIS"_s, {}, 1, s).setInternal(),
        yazi(u"VERILENSIPARIS"_s, {}, 1, s).setInternal(),
        yazi(u"FIYAT"_s, u"Liste Fiyatı2"_s, 2, s).setHidden(),
        evetHayir(u"K"_s, u"Kampanyalı"_s, false),
        yazi(u"LISTEFIYAT1"_s, u"Liste Fiyatı"_s, 2, s),
        yazi(u"KAMPFIYAT"_s, u"Kampanyalı Fiyatı"_s, 2, s),
        yazi(u"INDIRIMYAZI"_s, u"Indirim Oran"_s, 2, s).setAlignment(Qt::AlignCenter),
        yazi(u"INDIRIM"_s, u"İndirim Oran"_s, 1, s).setInternal(),
        yazi(u"NETFIYAT"_s, u"Net Fiyatı"_s, 2, s),
        yazi(u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s, 2, s),
    };
}

QList<GridColumn> KampanyaSutunlari()
{
    const bool s = true;
    return {
        yazi(u"OEM1"_s, u"Oem1"_s, 2, s).setHidden(),
        yazi(u"OEM2"_s, u"Oem2"_s, 2, s).setHidden(),
        yazi(u"OEM3"_s, u"Oem3"_s, 2, s).setHidden(),
        yazi(u"BARKOD"_s, u"Barkod"_s, 2, s).setWidth(199),
        yazi(u"ADI"_s, u"Açıklama"_s, 3, s).setWidth(291),
        yazi(u"OEM4"_s, u"Oem4"_s, 2, s).setHidden(),
        yazi(u"STOK_STOKNO"_s, {}, 1, s).setInternal(),
        resimVar(),
        yazi(u"FINISHKOD"_s, u"Finish Kod"_s, 2, s).setWidth(404),
        yazi(u"URETICIKODU"_s, u"Üretici Kod"_s, 2, s).setHidden(),
        yazi(u"BARKOD_BARKODNO"_s, {}, 1, s).setInternal(),
        yazi(u"DIGERADI"_s, u"Diğer Adı"_s, 3, s).setHidden(),
        yazi(u"DPKOD"_s, {}, 2, s).setInternal(),
        yazi(u"OEMNO"_s, u"Oem No"_s, 2, s).setHidden(),
        yazi(u"BIRIM"_s, u"Birim"_s, 1, s).setWidth(84),
        yazi(u"MARKA"_s, u"Marka"_s, 2, s).setWidth(404),
        yazi(u"MODEL"_s, u"Model"_s, 2, s).setWidth(404),
        yazi(u"ANAGRUP"_s, u"Ana Grup"_s, 2, s).setHidden(),
        yazi(u"OZELKOD"_s, u"Özel Kod"_s, 2, s).setHidden(),
        yazi(u"KALAN"_s, {}, 1, s).setInternal(),
        yazi(u"PKOD"_s, {}, 1, s).setInternal(),
        yazi(u"KDV"_s, {}, 1, s).setHidden(),
        yazi(u"ALINANSIPARIS"_s, {}, 1, s).setInternal(),
        yazi(u"VERILENSIPARIS"_s, {}, 1, s).setInternal(),
        yazi(u"ESKIFIYAT"_s, u"Liste Fiyatı"_s, 2, s),
        yazi(u"FIYAT"_s, u"Kampanyalı Fiyatı"_s, 2, s).setWidth(84),
        evetHayir(u"Y"_s, u"Yeni"_s, true).setOtherImageIndex(0).setWidth(84),
        evetHayir(u"K"_s, u"Kampanyalı"_s, true).setWidth(84),
        yazi(u"INDIRIM"_s, u"İndirim Oran"_s, 1, s).setInternal(),
        yazi(u"INDIRIMYAZI"_s, u"İndirim Oran"_s, 2, s).setAlignment(Qt::AlignCenter),
        yazi(u"NETFIYAT"_s, u"Net Fiyatı"_s, 2, s),
        yazi(u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s, 2, s),
        durum(u"Duyurular"_s).setInternal().setWidth(605),
    };
}

QList<GridColumn> StokHareketSutunlari()
{
    auto alan = [](const char *ad, int genislik, bool gorunur = true) {
        GridColumn c = GridColumn::textColumn(QLatin1String(ad)).setWidth(genislik);
        if (!gorunur)
            c.setHidden();
        return c;
    };
    QList<GridColumn> s = {
        alan("BARKOD", 354, false),   alan("TARIH", 89),     alan("TURU", 171),
        alan("EVRAKSERI", 97),        alan("EVRAKSIRA", 124), alan("MIKTAR", 96),
        alan("TLBIRIMFIYAT", 130),    alan("TLVERGI", 88),   alan("TLTUTAR", 128),
    };
    for (int i = 1; i <= 8; ++i)
        s.append(GridColumn::textColumn(u"INDIRIM%1"_s.arg(i)).setWidth(i == 1 ? 79 : 74).setHidden());
    s << alan("TOPLAMINDIRIM", 146) << alan("MASRAF1", 74, false) << alan("MASRAF2", 74, false)
      << alan("TOPLAMMASRAF", 74, false) << alan("NETBIRIMFIYAT", 169) << alan("NETTLTUTAR", 126)
      << alan("VADE", 62, false) << alan("STOKCARIKOD", 214, false)
      << alan("KDVDAHILBIRIMFIYAT", 184) << alan("KDVDAHILTUTAR", 163) << alan("SATICI", 354, false);
    return s;
}

QList<GridColumn> TumSiparislerSutunlari()
{
    auto f = [](const char *ad, const QString &baslik, int agirlik) {
        return GridColumn::textColumn(QLatin1String(ad), baslik).setWeight(agirlik);
    };
    auto ic = [&](const char *ad, int agirlik = 1) { return f(ad, {}, agirlik).setInternal(); };
    return {
        f("VERILISTARIHI", u"Sipariş Tarihi"_s, 1).setWidth(84),
        ic("SIRANO", 0),
        f("SIPARISNO", u"Sipariş No"_s, 0).setInternal(),
        ic("AKTAR", 0),
        ic("STOKNO", 0),
        f("TARIH", u"Tarih"_s, 1).setHidden(),
        f("BARKOD", u"Barkod"_s, 2).setWidth(196),
        f("FINISHKOD", u"FinishKod"_s, 2).setWidth(169),
        f("OEMNO", u"OEMNo"_s, 2).setWidth(178),
        f("STOKADI", u"Stok Açıklama"_s, 3).setWidth(291),
        f("MIKTAR", u"Miktar"_s, 1).setWidth(84),
        f("BIRIMFIYAT", u"Birim Fiyat"_s, 1).setWidth(84),
        f("ILKFIYAT", u"İlk Fiyat"_s, 1).setInternal(),
        f("TUTAR", u"Tutar"_s, 1).setWidth(84),
        f("INDIRIMORANI1", u"İn.Oranı%"_s, 1).setWidth(84),
        ic("INDIRIMORANI2"),
        ic("INDIRIMORANI3"),
        f("INDIRIMTUTAR", u"İndirim Tutar"_s, 1).setInternal(),
        f("NETBIRIMFIYAT", u"Net Fiyat"_s, 1).setWidth(84),
        f("KDV", {}, 1).setWidth(84),
        f("VERGITUTARI", u"Vergi Tutarı"_s, 1).setWidth(84),
        f("NETTUTAR", u"Net Tutar"_s, 1).setWidth(84),
        f("KUR", u"Kur"_s, 1).setHidden().setWidth(44),
        ic("KURTL"), ic("VERENIDNO"), ic("TESLIMID"), ic("KARGOID"), ic("IDNO"), ic("VERENSIRANO"),
        f("SAAT", u"Saat"_s, 1).setHidden(),
        f("ACIKLAMA", u"Açıklama"_s, 1).setHidden(),
        f("VEREN", u"Veren"_s, 1).setWidth(133),
        f("CARIKOD", u"Cari Kod"_s, 1).setInternal(),
        f("CARIADI", u"Cari Adı"_s, 1).setInternal(),
        f("OEM1", {}, 1).setHidden().setWidth(244),
        f("OEM3", {}, 1).setHidden().setWidth(244),
        f("OEM2", {}, 1).setHidden().setWidth(244),
        f("OEM4", {}, 1).setHidden().setWidth(244),
        ic("STOK_STOKNO"), ic("URETICIKODU"),
        f("DIGERADI", {}, 1).setHidden(), f("DPKOD", {}, 1).setHidden(), f("PKOD", {}, 1).setHidden(),
        f("MARKA", u"Marka"_s, 1).setHidden(), f("MODEL", u"Model"_s, 1).setHidden(),
        f("ANAGRUP", u"Ana Grup"_s, 1).setHidden(), f("OZELKOD", u"Özel Kod"_s, 1).setHidden(),
        ic("TESLIM", 0), ic("KARGO", 0),
        f("TESLIMEDILEN", u"Teslim Edilen"_s, 1).setWidth(74),
        f("KALAN", u"Kalan Bakiye"_s, 1).setWidth(74),
        ic("IDNO", 0).setName(u"IDNO_2"_s), ic("STOKHAR_NO", 0),
        f("ELDEKI", u"Eldeki"_s, 1).setInternal(),
        durum(u"Durum"_s),
        ic("ALINANSIPARIS"), ic("VERILENSIPARIS"),
    };
}
