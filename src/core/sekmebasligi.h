#pragma once
// Tab captions with a counter: "N=Title". The tab painter splits a caption
// into the counter and the title it draws.

#include <QString>

struct TSonuc
{
    int sayi = 0;    // the counter; 0 when the caption has no "="
    QString baslik;  // the text after the first "=" (at most 100 characters), else the whole caption
};

// Splits "12=Kampanyalı" into 12 and "Kampanyalı". The part before "=" is read
// as a whole number; a part that is no whole number (e.g. "2.5") counts as 0,
// so the tab shows its title without a counter rather than a wrong one.
TSonuc SekmeBasligiAyir(const QString& baslik);
