#include "appserver/pricing.h"

#include <QLocale>

#include <cmath>

namespace pricing {

double round2(double value)
{
    // The tiny bias keeps values such as 1.005 (stored as 1.00499999...) on
    // the side a person reading the decimal text expects.
    const double scaled = value * 100.0;
    return std::round(scaled + (scaled >= 0 ? 1e-7 : -1e-7)) / 100.0;
}

double afterDiscounts(double amount, const Rates &rates)
{
    double n = amount;
    for (double r : rates)
        if (r > 0)
            n -= n * r / 100.0;
    return n;
}

QString ratesText(const Rates &rates)
{
    QStringList parts;
    for (double r : rates)
        if (r > 0)
            parts << QLocale::c().toString(r, 'g', 6);
    return parts.isEmpty() ? QStringLiteral("0") : parts.join(u'+');
}

LineAmounts lineAmounts(double quantity, double unitPrice, const Rates &rates, double vatPercent)
{
    LineAmounts a;
    a.tutar = round2(quantity * unitPrice);
    a.netTutar = round2(afterDiscounts(a.tutar, rates));
    a.indirimTutar = round2(a.tutar - a.netTutar);
    a.netBirimFiyat = quantity != 0 ? round2(a.netTutar / quantity) : 0;
    a.vergiTutari = round2(a.netTutar * vatPercent / 100.0);
    a.kdvliTutar = round2(a.netTutar + a.vergiTutari);
    return a;
}

QString money(double value)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    return turkish.toString(round2(value), 'f', 2);
}

} // namespace pricing
