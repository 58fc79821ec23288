#pragma once
// Splits a plain-HTTP address into what the HTTP client needs: the origin
// ("http://host:port") and the request path with its query ("/a/b?x=1").

#include <QString>

struct HttpAdresi
{
    bool gecerli = false;
    QString koken; // scheme, host and port
    QString yol;   // path and query, "/" at least
};

HttpAdresi HttpAdresiAyir(const QString& adres);
