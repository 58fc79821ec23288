#include "basket/sepettoplami.h"

#include "core/utils.h"
#include "platform/dataset/memtable.h"

#include <QLabel>

namespace {

double hucre(const TableData& d, int satir, int sutun)
{
    return sutun < 0 || d.isNull(satir, sutun) ? 0.0 : d.doubleValue(satir, sutun);
}

} // namespace

TToplamlar SepetToplamHesapla(const MemTable& sepet)
{
    TToplamlar t;
    if (!sepet.Active())
        return t;
    const TableData& d = sepet.data();
    const int sec = d.fieldIndex(u"SEC");
    if (sec < 0)
        return t;
    const int tutar = d.fieldIndex(u"TUTAR");
    const int indirim = d.fieldIndex(u"INDIRIMTUTAR");
    const int vergi = d.fieldIndex(u"VERGITUTARI");
    for (int r = 0; r < d.rowCount(); ++r) {
        if (d.isNull(r, sec) || d.intValue(r, sec) != 1)
            continue;
        t.Toplam = IkiHaneYuvarla(t.Toplam + hucre(d, r, tutar));
        t.Indirim = IkiHaneYuvarla(t.Indirim + hucre(d, r, indirim));
        t.Vergi = IkiHaneYuvarla(t.Vergi + hucre(d, r, vergi));
    }
    t.Ara = IkiHaneYuvarla(t.Toplam - t.Indirim);
    t.Genel = IkiHaneYuvarla(t.Ara + t.Vergi);
    return t;
}

TToplamlar BakiyeToplamHesapla(const MemTable& bakiyesepet)
{
    TToplamlar t;
    if (bakiyesepet.Active()) {
        const TableData& d = bakiyesepet.data();
        const int tutar = d.fieldIndex(u"TUTAR");
        const int indirim = d.fieldIndex(u"INDIRIMTUTAR");
        for (int r = 0; r < d.rowCount(); ++r) {
            t.Toplam = IkiHaneYuvarla(t.Toplam + hucre(d, r, tutar));
            t.Indirim = IkiHaneYuvarla(t.Indirim + hucre(d, r, indirim));
        }
    }
    t.Ara = IkiHaneYuvarla(t.Toplam - t.Indirim);
    t.Vergi = IkiHaneYuvarla(t.Ara * 1.2) - t.Ara;
    t.Genel = IkiHaneYuvarla(t.Ara + t.Vergi);
    return t;
}

void TToplamEtiketleri::Yaz(const TToplamlar& t) const
{
    aratoplaml->setText(SayiGoster(t.Toplam));
    indiriml->setText(SayiGoster(t.Indirim));
    nettutarl->setText(SayiGoster(t.Ara));
    vergil->setText(SayiGoster(t.Vergi));
    geneltoplaml->setText(SayiGoster(t.Genel));
}

void TToplamEtiketleri::YazIkiBasamakGenel(const TToplamlar& t) const
{
    Yaz(t);
    geneltoplaml->setText(SayiGosterIkiBasamak(t.Genel));
}
