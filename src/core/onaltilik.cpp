#include "core/onaltilik.h"

namespace {

int hane(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return 0;
}

} // namespace

QByteArray OnaltilikCoz(QStringView metin)
{
    QByteArray bayt;
    bayt.reserve((metin.size() + 1) / 2);
    qsizetype i = 0;
    for (; i + 1 < metin.size(); i += 2)
        bayt.append(char(hane(metin[i]) * 16 + hane(metin[i + 1])));
    if (i < metin.size())
        bayt.append(char(hane(metin[i])));
    return bayt;
}
