#include "core/utils.h"

#include "platform/grid/columnlayout.h"
#include "platform/os/folders.h"

#include <QDir>

#include <algorithm>
#include <cstring>

int MesajGoster(const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext, TMsgDlgBtn focused)
{
    Q_UNUSED(helpContext)
    MessageDialogRequest request;
    request.text = text;
    request.kind = kind;
    request.buttons = buttons.isEmpty() ? TMsgDlgButtons{mbOK} : buttons;
    // The focused button must be one of the set; otherwise the first one takes
    // the focus, so Enter never answers with a button that is not there.
    request.focused = request.buttons.contains(focused) ? focused : buttonsOf(request.buttons).constFirst();
    return showMessageDialog(request);
}

SutunGenislikSonucu SutunGenislikAyarla(const QList<int>& agirliklar, int gridGenisligi, int ekranGenisligi)
{
    // The grid owns the one implementation of the weighted rule; this is the
    // helpers' name for it.
    SutunGenislikSonucu sonuc;
    if (const auto genislikler = columnlayout::layoutWidths(agirliklar, gridGenisligi, ekranGenisligi))
        sonuc.genislikler = *genislikler;
    else
        sonuc.enIyiSigdir = true;
    return sonuc;
}

namespace {

bool isUnreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_' || c == '~';
}

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Percent-encodes the UTF-8 bytes of part, keeping unreserved characters and
// those in keep; an existing escape ("%20") is kept, a lone '%' is encoded.
QString encodePart(QStringView part, const char* keep)
{
    const QByteArray bytes = part.toUtf8();
    QString out;
    out.reserve(bytes.size() * 3);
    static const char hex[] = "0123456789ABCDEF";
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80 && (isUnreserved(c) || (c != '\0' && std::strchr(keep, c)))) {
            out += QLatin1Char(c);
        } else if (c == '%' && i + 2 < bytes.size() && isHex(bytes.at(i + 1)) && isHex(bytes.at(i + 2))) {
            out += QLatin1Char('%');
        } else {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[u >> 4]);
            out += QLatin1Char(hex[u & 0xF]);
        }
    }
    return out;
}

} // namespace

QString UrlKodla(const QString& adres)
{
    // scheme://authority stays as written; path, query and fragment are encoded.
    qsizetype rest = 0;
    const qsizetype schemeEnd = adres.indexOf(QStringLiteral("://"));
    if (schemeEnd > 0) {
        const qsizetype authorityEnd = [&] {
            for (qsizetype i = schemeEnd + 3; i < adres.size(); ++i) {
                const QChar c = adres.at(i);
                if (c == QLatin1Char('/') || c == QLatin1Char('?') || c == QLatin1Char('#'))
                    return i;
            }
            return adres.size();
        }();
        rest = authorityEnd;
    }
    QString out = adres.left(rest);
    QStringView tail = QStringView(adres).mid(rest);

    const qsizetype hash = tail.indexOf(QLatin1Char('#'));
    const QStringView beforeFragment = hash < 0 ? tail : tail.left(hash);
    const qsizetype question = beforeFragment.indexOf(QLatin1Char('?'));
    const QStringView path = question < 0 ? beforeFragment : beforeFragment.left(question);

    out += encodePart(path, "/:@!$'()*+,;=");
    if (question >= 0) {
        out += QLatin1Char('?');
        // '&' and '=' separate the query; '+' is encoded so that it is not
        // read back as a blank.
        out += encodePart(beforeFragment.mid(question + 1), "&=/:@,;");
    }
    if (hash >= 0) {
        out += QLatin1Char('#');
        out += encodePart(tail.mid(hash + 1), "/:@,;=&?");
    }
    return out;
}

QString ChromeYolu()
{
    return os::defaultBrowser();
}

bool GomuluTarayiciVar()
{
    return IEVersiyonu() > 0;
}

int IEVersiyonu()
{
#ifdef ZELVORI_WEBENGINE_MAJOR
    return ZELVORI_WEBENGINE_MAJOR;
#else
    return 0;
#endif
}

QString BilgisayarAdiAl()
{
    return os::computerName();
}

QString KullaniciAdiAl()
{
    return os::userName();
}

QString IcIpAl()
{
    return os::internalIPv4();
}

QString DiskSeriNoAl(const os::SystemRoots& roots)
{
    return os::firstDiskSerial(roots).toUpper();
}

QString MacAdresiAl(const os::SystemRoots& roots)
{
    return os::macAddress(roots);
}

QString BilgisayarIdOlustur(const QString& diskSeriNo, const QString& macAdresi)
{
    QString id = diskSeriNo.trimmed().toUpper();
    if (id.isEmpty())
        id = macAdresi.trimmed();
    id.removeIf([](QChar c) { return c.isSpace(); });
    return id;
}

QString BilgisayarIdAl(const os::SystemRoots& roots)
{
    return BilgisayarIdOlustur(DiskSeriNoAl(roots), MacAdresiAl(roots));
}

QString UygulamaKlasoru()
{
    const QString klasor = os::roamingConfigFolder() + QStringLiteral("/zelvorioto");
    QDir().mkpath(klasor);
    return klasor;
}

QString BelgelerKlasoru()
{
    return os::documentsFolder();
}

QString YerelUygulamaKlasoru()
{
    return os::localDataFolder();
}
