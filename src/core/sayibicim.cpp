#include "core/utils.h"
#include "platform/dataset/displayformat.h"

#include <cmath>

double IkiHaneYuvarla(double value)
{
    if (!std::isfinite(value))
        return value;
    // The C locale's text has no grouping and a '.' point, so the result
    // never depends on the user's separators.
    const QLocale c = QLocale::c();
    bool ok = false;
    const double rounded = c.toDouble(formatNumber(value, u"0.00", c), &ok);
    if (!ok)
        return value;
    return rounded == 0.0 ? 0.0 : rounded; // no negative zero
}

QString SayiGoster(double value, const QLocale& locale)
{
    return formatNumber(value, kFloatDisplayFormat, locale);
}

QString SayiGosterIkiBasamak(double value, const QLocale& locale)
{
    return formatNumber(value, u"#,###,##00.00", locale);
}
