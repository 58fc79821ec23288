#include "signin/httpadresi.h"

#include <QUrl>

HttpAdresi HttpAdresiAyir(const QString& adres)
{
    HttpAdresi a;
    const QUrl url(adres, QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty() || (url.scheme() != u"http" && url.scheme() != u"https"))
        return a;
    a.koken = url.scheme() + QStringLiteral("://") + url.host(QUrl::FullyEncoded);
    if (url.port() > 0)
        a.koken += u':' + QString::number(url.port());
    a.yol = url.path(QUrl::FullyEncoded);
    if (a.yol.isEmpty())
        a.yol = QStringLiteral("/");
    if (url.hasQuery())
        a.yol += u'?' + url.query(QUrl::FullyEncoded);
    a.gecerli = true;
    return a;
}
