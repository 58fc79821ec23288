// Promotion: scrolling text, banners, opening adverts and announcements.
#include "appserver/methods.h"
#include "server/mobilstokunit.h"
#include "wire/marshal.h"

#include <QSqlQuery>

namespace appserver {

namespace {

QList<wire::Value> kayanYazi(Context &ctx, wire::Reader &in)
{
    endParameters(in);
    return {scalarSql(ctx.db, QStringLiteral("SELECT deger FROM ayar WHERE anahtar = 'kayanyazi'")).toString()};
}

QList<wire::Value> banner(Context &ctx, const QString &name)
{
    const QByteArray bytes = scalarSql(ctx.db, QStringLiteral("SELECT veri FROM banner WHERE adi = ?"), {name}).toByteArray();
    if (bytes.isEmpty())
        return {qint64(0), wire::Value()};
    return {qint64(bytes.size()), wire::Value::fromBytes(bytes)};
}

QList<wire::Value> bannerUst(Context &ctx, wire::Reader &in)
{
    endParameters(in);
    return banner(ctx, QStringLiteral("ust"));
}

QList<wire::Value> bannerAlt(Context &ctx, wire::Reader &in)
{
    endParameters(in);
    return banner(ctx, QStringLiteral("alt"));
}

QList<wire::Value> reklamAdet(Context &ctx, wire::Reader &in)
{
    endParameters(in);
    return {scalarSql(ctx.db, QStringLiteral("SELECT COUNT(*) FROM duyuru")).toInt()};
}

TAcilisEkran advert(const QSqlQuery &q)
{
    TAcilisEkran e;
    e.setSiraNo(q.value(0).toInt());
    e.setBaslik(q.value(1).toString());
    e.setArama(q.value(2).toString());
    e.setResim(QString::fromLatin1(q.value(3).toByteArray().toHex().toUpper()));
    return e;
}

QList<wire::Value> reklamVer(Context &ctx, wire::Reader &in)
{
    const int sira = in.int32(u"sira");
    endParameters(in);
    if (sira < 0)
        throw MethodFailure(QStringLiteral("Reklam bulunamadı: %1").arg(sira));
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT sirano, baslik, arama, resim FROM duyuru ORDER BY sirano LIMIT 1 OFFSET ?"),
                         {sira});
    if (!q.next())
        throw MethodFailure(QStringLiteral("Reklam bulunamadı: %1").arg(sira));
    return {wire::marshal(advert(q))};
}

QList<wire::Value> ekranlar(Context &ctx, wire::Reader &in)
{
    endParameters(in);
    QSqlQuery q = runSql(ctx.db, QStringLiteral("SELECT sirano, baslik, arama, resim FROM duyuru ORDER BY sirano"));
    QList<TAcilisEkran> list;
    while (q.next())
        list << advert(q);
    TAcilisEkranlariki all;
    all.setEkranlar(list);
    return {wire::marshal(all)};
}

} // namespace

void addPromotionMethods(MethodTable &table)
{
    table.insert(QStringLiteral("KayanYaziGetir"), kayanYazi);
    table.insert(QStringLiteral("BannerResimVer2"), bannerUst);
    table.insert(QStringLiteral("BannerResimVer3"), bannerAlt);
    table.insert(QStringLiteral("AcilisReklamAdet"), reklamAdet);
    table.insert(QStringLiteral("AcilisREklamVer"), reklamVer);
    table.insert(QStringLiteral("AcilisEkranlarVer2"), ekranlar);
}

} // namespace appserver
