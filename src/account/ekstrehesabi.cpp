#include "account/ekstrehesabi.h"

#include "platform/dataset/memtable.h"

using namespace Qt::StringLiterals;

void BakiyeHesapla(MemTable& EKSTRE)
{
    if (!EKSTRE.Active() || EKSTRE.IsEmpty())
        return;
    const Field borc = EKSTRE.FindField(u"BORC"_s);
    const Field alacak = EKSTRE.FindField(u"ALACAK"_s);
    const Field bakiye = EKSTRE.FindField(u"BAKIYE"_s);
    const Field d = EKSTRE.FindField(u"D"_s);
    if (!borc.isValid() || !alacak.isValid() || !bakiye.isValid() || !d.isValid())
        return;

    EKSTRE.DisableControls();
    double b = 0;
    for (EKSTRE.First(); !EKSTRE.Eof(); EKSTRE.Next()) {
        EKSTRE.Edit();
        const double bo = borc.IsNull() ? 0.0 : borc.AsFloat();
        const double al = alacak.IsNull() ? 0.0 : alacak.AsFloat();
        b = b + (bo - al);
        bakiye.SetAsFloat(b);
        d.SetAsString(u" "_s);
        if (b > 0)
            d.SetAsString(u"B"_s);
        if (b < 0)
            d.SetAsString(u"A"_s);
        EKSTRE.Post();
    }
    EKSTRE.First();
    EKSTRE.EnableControls();
}

int EvrakTuru(const QString& turadi)
{
    if (turadi == u"Tediye"_s || turadi == u"Tahsilat"_s)
        return 1;
    if (turadi.contains(u"Fatura"_s, Qt::CaseSensitive))
        return 2;
    return 0;
}
