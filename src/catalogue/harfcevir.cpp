#include "catalogue/harfcevir.h"

QChar HarfCevir(QChar c)
{
    switch (c.unicode()) {
    case u'ğ': return QLatin1Char('g');
    case u'ü': return QLatin1Char('u');
    case u'ş': return QLatin1Char('s');
    case u'ö': return QLatin1Char('o');
    case u'ç': return QLatin1Char('c');
    case u'Ğ': return QLatin1Char('G');
    case u'Ü': return QLatin1Char('U');
    case u'Ş': return QLatin1Char('S');
    case u'İ': return QLatin1Char('I');
    case u'Ö': return QLatin1Char('O');
    case u'Ç': return QLatin1Char('C');
    case u'ı': return QLatin1Char('I');
    default: return c;
    }
}

QString AramaMetniCevir(const QString &yazilan)
{
    QString sonuc(yazilan.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < yazilan.size(); ++i) {
        const QChar c = HarfCevir(yazilan.at(i));
        // QChar::toUpper maps one code unit to one (no "ß" → "SS" growth),
        // so the text keeps its length.
        const QChar buyuk = c.toUpper();
        sonuc[i] = buyuk.isNull() ? c : buyuk;
    }
    return sonuc;
}
