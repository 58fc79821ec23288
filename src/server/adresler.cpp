// Endpoint settings of proxim.h: compiled-in hosts with environment overrides.
#include "server/proxim.h"

#include <QtGlobal>

namespace {

constexpr int kSunucuPortu = 9090;

QString varsayilanSunucu() { return QStringLiteral("b2b.zelvori.com.tr"); }

struct SunucuUcu
{
    QString host;
    int port = kSunucuPortu;
};

// ZELVORI_SUNUCU: "host", "host:port", "[v6]" or "[v6]:port"; a bare IPv6
// address (more than one colon) has no port.
SunucuUcu sunucuUcu()
{
    const QString text = qEnvironmentVariable("ZELVORI_SUNUCU").trimmed();
    if (text.isEmpty())
        return {varsayilanSunucu(), kSunucuPortu};

    QString host = text;
    QString portText;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        host = text.mid(1, close < 0 ? -1 : close - 1);
        if (close >= 0 && text.mid(close + 1).startsWith(u':'))
            portText = text.mid(close + 2);
    } else if (text.count(u':') == 1) {
        const qsizetype colon = text.indexOf(u':');
        host = text.left(colon);
        portText = text.mid(colon + 1);
    }
    SunucuUcu ucu{host.isEmpty() ? varsayilanSunucu() : host, kSunucuPortu};
    if (!portText.isEmpty()) {
        bool ok = false;
        const int port = portText.toInt(&ok);
        if (ok && port > 0 && port <= 65535)
            ucu.port = port;
        else
            qWarning("ZELVORI_SUNUCU: \"%s\" is no port number; using %d", qUtf8Printable(portText), kSunucuPortu);
    }
    return ucu;
}

// An override from the environment without its trailing slashes, or the default.
QString tabanAdres(const char* name, const QString& fallback)
{
    QString text = qEnvironmentVariable(name).trimmed();
    if (text.isEmpty())
        return fallback;
    while (text.endsWith(u'/'))
        text.chop(1);
    return text;
}

} // namespace

QString SunucuAdresi()
{
    return sunucuUcu().host;
}

int SunucuPortu()
{
    return sunucuUcu().port;
}

QString WebAdresi()
{
    const QString host = SunucuAdresi();
    const QString fallback = u"http://" + (host.contains(u':') ? u'[' + host + u']' : host);
    return tabanAdres("ZELVORI_WEB", fallback) + u'/';
}

QString ResimAdresi()
{
    return WebAdresi() + u"resimgoster.ashx?id=";
}

QString OdemeAdresi()
{
    return tabanAdres("ZELVORI_ODEME", QStringLiteral("https://odeme.zelvori.com.tr"));
}

QString IndirmeAdresi()
{
    return tabanAdres("ZELVORI_INDIRME", QStringLiteral("http://indir.zelvori.com.tr"));
}

QString IpServisAdresi()
{
    const QString text = qEnvironmentVariable("ZELVORI_IPSERVIS").trimmed();
    return text.isEmpty() ? QStringLiteral("http://ip.zelvori.com.tr/") : text;
}

void SunucuAdresiniYaz(datasnap::Connection& connection)
{
    const SunucuUcu ucu = sunucuUcu();
    connection.setParam(datasnap::param::HostName, ucu.host);
    connection.setParam(datasnap::param::Port, QString::number(ucu.port));
}
