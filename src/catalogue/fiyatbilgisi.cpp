#include "catalogue/fiyatbilgisi.h"

#include "core/utils.h"

using namespace Qt::StringLiterals;

QString FiyatBilgisiYazisi(double listeFiyat, double kampFiyat, double netFiyat, double kdvDahil,
                           const QLocale &locale)
{
    const QString satirSonu = u"\r\n"_s;
    QString yazi = u"Liste Fiyatı: "_s + SayiGoster(listeFiyat, locale) + satirSonu;
    if (kampFiyat > 0)
        yazi += u"Kampanyalı Fiyat: "_s + SayiGoster(kampFiyat, locale) + satirSonu;
    yazi += u"NetFiyat: "_s + SayiGoster(netFiyat, locale) + satirSonu;
    yazi += u"KDV li Fiyat: "_s + SayiGoster(kdvDahil, locale) + satirSonu;
    return yazi;
}
