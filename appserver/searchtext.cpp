#include "appserver/searchtext.h"

namespace searchtext {

namespace {
QChar foldChar(QChar c)
{
    switch (c.unicode()) {
    case u'ç': case u'Ç': return u'C';
    case u'ğ': case u'Ğ': return u'G';
    case u'ı': case u'İ': case u'i': return u'I';
    case u'ö': case u'Ö': return u'O';
    case u'ş': case u'Ş': return u'S';
    case u'ü': case u'Ü': return u'U';
    default: break;
    }
    if (c.unicode() < 128)
        return c.toUpper();
    return c.toUpper();
}
} // namespace

QString foldUpper(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        out += foldChar(c);
    return out;
}

QString normalise(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const QChar f = foldChar(c);
        if (f.isLetterOrNumber())
            out += f;
    }
    return out;
}

QStringList words(QStringView text)
{
    QStringList out;
    for (QStringView part : text.split(u' ', Qt::SkipEmptyParts)) {
        QString w = normalise(part);
        if (!w.isEmpty())
            out << w;
    }
    return out;
}

} // namespace searchtext
