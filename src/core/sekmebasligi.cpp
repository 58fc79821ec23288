#include "core/sekmebasligi.h"

TSonuc SekmeBasligiAyir(const QString& baslik)
{
    TSonuc s;
    const qsizetype esit = baslik.indexOf(u'=');
    if (esit < 0) {
        s.baslik = baslik;
        return s;
    }
    bool tamSayi = false;
    const int sayi = baslik.left(esit).trimmed().toInt(&tamSayi);
    s.sayi = tamSayi ? sayi : 0;
    s.baslik = baslik.mid(esit + 1, 100);
    return s;
}
