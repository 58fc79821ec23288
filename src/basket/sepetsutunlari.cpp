#include "basket/sepetsutunlari.h"

#include "catalogue/durumresimleri.h"

using namespace Qt::StringLiterals;

namespace {

GridColumn yazi(const QString& alan, const QString& baslik, int agirlik)
{
    return GridColumn::textColumn(alan, baslik).setWeight(agirlik);
}

GridColumn gorunur(const QString& alan, const QString& baslik, int agirlik, int genislik)
{
    return yazi(alan, baslik, agirlik).setWidth(genislik);
}

GridColumn gizli(const QString& alan, const QString& baslik, int agirlik)
{
    return yazi(alan, baslik, agirlik).setHidden();
}

GridColumn ic(const QString& alan, const QString& baslik, int agirlik)
{
    return yazi(alan, baslik, agirlik).setInternal();
}

GridColumn durum()
{
    return GridColumn::pictureColumn(u"DURUM"_s, u"Durum"_s, DurumResimDegerleri(), DurumResimleri())
        .setWeight(1)
        .setWidth(74);
}

} // namespace

QList<GridColumn> SepetSutunlari()
{
    QList<GridColumn> s{
        GridColumn::checkBoxColumn(u"SEC"_s, u"Seç"_s).setWeight(1).setWidth(74).setOffered(false),
        gorunur(u"VERILISTARIHI"_s, u"Sipariş Tarihi"_s, 1, 84),
        ic(u"SIRANO"_s, {}, 0),
        gizli(u"SIPARISNO"_s, u"Sipariş No"_s, 0),
        ic(u"CARINO"_s, {}, 0),
        gizli(u"TARIH"_s, u"Tarih"_s, 1),
        ic(u"AKTAR"_s, {}, 0),
        ic(u"STOKNO"_s, {}, 0),
        gorunur(u"BARKOD"_s, u"Barkod"_s, 2, 196),
        gorunur(u"FINISHKOD"_s, u"FinishKod"_s, 2, 169),
        gorunur(u"OEMNO"_s, u"OEMNo"_s, 2, 178),
        gorunur(u"STOKADI"_s, u"Stok Açıklama"_s, 3, 291),
        gorunur(u"MIKTAR"_s, u"Miktar"_s, 1, 84),
        gorunur(u"BIRIMFIYAT"_s, u"Birim Fiyat"_s, 1, 84),
        gorunur(u"TUTAR"_s, u"Tutar"_s, 1, 84),
        yazi(u"INDIRIMYAZI"_s, u"İndirim Oran"_s, 2).setAlignment(Qt::AlignCenter),
        ic(u"INDIRIMORANI1"_s, u"İndirim Oranı %"_s, 1),
        ic(u"INDIRIMORANI2"_s, {}, 1),
        ic(u"INDIRIMORANI3"_s, {}, 1),
        ic(u"INDIRIMTUTAR"_s, u"İndirim Tutar"_s, 1),
        gorunur(u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s, 1, 84),
        gorunur(u"KDV"_s, {}, 1, 84),
        gorunur(u"VERGITUTARI"_s, u"Vergi Tutarı"_s, 1, 84),
        gorunur(u"NETTUTAR"_s, u"Net Tutar"_s, 1, 84),
        gizli(u"KUR"_s, u"Kur"_s, 1).setWidth(44),
    };
    for (const QString& f : {u"KURTL"_s, u"VERENIDNO"_s, u"TESLIMID"_s, u"KARGOID"_s, u"IDNO"_s,
                             u"VERENSIRANO"_s})
        s << ic(f, {}, 1);
    s << gizli(u"SAAT"_s, u"Saat"_s, 1) << gizli(u"ACIKLAMA"_s, u"Açıklama"_s, 1)
      << gorunur(u"VEREN"_s, u"Veren"_s, 1, 133) << ic(u"CARIKOD"_s, u"Cari Kod"_s, 1)
      << ic(u"CARIADI"_s, u"Cari Adı"_s, 1);
    for (const QString& f : {u"OEM1"_s, u"OEM2"_s, u"OEM3"_s, u"OEM4"_s})
        s << gizli(f, {}, 1).setWidth(244);
    s << ic(u"STOK_STOKNO"_s, {}, 1) << ic(u"URETICIKODU"_s, {}, 1);
    for (const QString& f : {u"DIGERADI"_s, u"DPKOD"_s, u"PKOD"_s})
        s << gizli(f, {}, 1);
    s << gizli(u"MARKA"_s, u"Marka"_s, 1) << gizli(u"MODEL"_s, u"Model"_s, 1)
      << gizli(u"ANAGRUP"_s, u"Ana Grup"_s, 1) << gizli(u"OZELKOD"_s, u"Özel Kod"_s, 1) << durum()
      << ic(u"KALAN"_s, u"Kalan"_s, 1) << gizli(u"INDIRIMORANI4"_s, {}, 0);
    return s;
}

QList<GridColumn> BakiyeSutunlari()
{
    QList<GridColumn> s{
        gorunur(u"VERILISTARIHI"_s, u"Sipariş Tarihi"_s, 1, 84),
        ic(u"SIRANO"_s, {}, 0),
        ic(u"SIPARISNO"_s, u"Sipariş No"_s, 0),
        ic(u"AKTAR"_s, {}, 0),
        ic(u"STOKNO"_s, {}, 0),
        gizli(u"TARIH"_s, u"Tarih"_s, 1),
        gorunur(u"BARKOD"_s, u"Barkod"_s, 2, 196),
        gorunur(u"FINISHKOD"_s, u"FinishKod"_s, 2, 169),
        gorunur(u"OEMNO"_s, u"OEMNo"_s, 2, 178),
        gorunur(u"STOKADI"_s, u"Stok Açıklama"_s, 3, 291),
        gorunur(u"MIKTAR"_s, u"Miktar"_s, 1, 84),
        gorunur(u"BIRIMFIYAT"_s, u"Birim Fiyat"_s, 1, 84),
        ic(u"ILKFIYAT"_s, u"İlk Fiyat"_s, 1).setWidth(84),
        gorunur(u"TUTAR"_s, u"Tutar"_s, 1, 84),
        yazi(u"INDIRIMYAZI"_s, u"İn.Oranı%"_s, 2).setAlignment(Qt::AlignCenter),
        gizli(u"INDIRIMORANI1"_s, u"İn.Oranı%"_s, 1),
        gizli(u"INDIRIMORANI2"_s, {}, 1),
        gizli(u"INDIRIMORANI3"_s, {}, 1),
        gizli(u"INDIRIMORANI4"_s, {}, 1),
        ic(u"INDIRIMTUTAR"_s, u"İndirim Tutar"_s, 1),
        gorunur(u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s, 1, 84),
        gorunur(u"KDV"_s, {}, 1, 84),
        gorunur(u"VERGITUTARI"_s, u"Vergi Tutarı"_s, 1, 84),
        gorunur(u"NETTUTAR"_s, u"Net Tutar"_s, 1, 84),
        gizli(u"KUR"_s, u"Kur"_s, 1).setWidth(44),
    };
    for (const QString& f : {u"KURTL"_s, u"VERENIDNO"_s, u"TESLIMID"_s, u"KARGOID"_s, u"IDNO"_s,
                             u"VERENSIRANO"_s})
        s << ic(f, {}, 1);
    s << gizli(u"SAAT"_s, u"Saat"_s, 1) << gizli(u"ACIKLAMA"_s, u"Açıklama"_s, 1)
      << gorunur(u"VEREN"_s, u"Veren"_s, 1, 133) << ic(u"CARIKOD"_s, u"Cari Kod"_s, 1)
      << ic(u"CARIADI"_s, u"Cari Adı"_s, 1);
    for (const QString& f : {u"OEM1"_s, u"OEM3"_s, u"OEM2"_s, u"OEM4"_s})
        s << gizli(f, {}, 1).setWidth(244);
    s << ic(u"STOK_STOKNO"_s, {}, 1) << ic(u"URETICIKODU"_s, {}, 1);
    for (const QString& f : {u"DIGERADI"_s, u"DPKOD"_s, u"PKOD"_s})
        s << gizli(f, {}, 1);
    s << gizli(u"MARKA"_s, u"Marka"_s, 1) << gizli(u"MODEL"_s, u"Model"_s, 1)
      << gizli(u"ANAGRUP"_s, u"Ana Grup"_s, 1) << gizli(u"OZELKOD"_s, u"Özel Kod"_s, 1)
      << ic(u"TESLIM"_s, {}, 0) << ic(u"KARGO"_s, {}, 0)
      << gorunur(u"TESLIMEDILEN"_s, u"Teslim Edilen"_s, 1, 74)
      << gorunur(u"KALAN"_s, u"Kalan Bakiye"_s, 1, 74)
      << ic(u"IDNO"_s, {}, 0).setName(u"IDNO2"_s) << ic(u"STOKHAR_NO"_s, {}, 0)
      << ic(u"ELDEKI"_s, u"Eldeki"_s, 1) << durum().setWidth(100)
      << ic(u"ALINANSIPARIS"_s, {}, 1) << ic(u"VERILENSIPARIS"_s, {}, 1);
    return s;
}
