// Orders: previous orders, their lines and footer, outstanding lines and
// their changes, order lines of an item.
#include "appserver/methods.h"
#include "appserver/pricing.h"
#include "appserver/tablebuilder.h"
#include "server/baglantiu.h"
#include "wire/marshal.h"

#include <QSqlQuery>

#include <cmath>

namespace appserver {

namespace {

QString statusName(int durum)
{
    switch (durum) {
    case 2: return QStringLiteral("Alındı");
    case 3: return QStringLiteral("Onaylandı");
    case 4: return QStringLiteral("Görüldü");
    case 5: return QStringLiteral("Parçalı Hazırlandı");
    case 6: return QStringLiteral("Hazırlandı");
    case 7: return QStringLiteral("Sevk Edildi");
    default: return QStringLiteral("Bilinmiyor");
    }
}

enum class LineAmountBase { Ordered, Remaining };

// Order lines with item data and amounts; `where` filters the join of
// siparis_satir ss, siparis o, stok st.
TableData orderLines(Context &ctx, const QString &where, const QVariantList &values, LineAmountBase base)
{
    QSqlQuery q = runSql(
        ctx.db,
        QStringLiteral("SELECT o.tarih, ss.sepetsirano, ss.idno, o.carino, ss.stokno, st.barkod, st.finishkod, st.oemno, "
                       "st.adi, ss.miktar, ss.birimfiyat, ss.ilkfiyat, ss.ind1, ss.ind2, ss.ind3, ss.ind4, ss.kdv, "
                       "o.verenid, o.teslimid, o.kargoturid, COALESCE(k.adi, ''), c.carikod, c.cariadi, st.oem1, st.oem2, "
                       "st.oem3, st.oem4, st.ureticikodu, st.digeradi, st.dpkod, st.pkod, st.marka, st.model, st.anagrup, "
                       "st.ozelkod, COALESCE(t.adi, ''), COALESCE(kt.adi, ''), ss.teslimedilen, ss.kalan, ss.stokhar_no, "
                       "st.kalan, st.durum, st.alinansiparis, st.verilensiparis FROM siparis_satir ss "
                       "JOIN siparis o ON o.idno = ss.idno JOIN stok st ON st.stokno = ss.stokno "
                       "JOIN cari c ON c.carino = o.carino LEFT JOIN kullanici k ON k.sirano = o.verenid "
                       "LEFT JOIN teslim t ON t.sirano = o.teslimid LEFT JOIN kargoturu kt ON kt.sirano = o.kargoturid ")
            + where + QStringLiteral(" ORDER BY o.tarih DESC, ss.stokhar_no"),
        values);
    TableBuilder t({dateCol("VERILISTARIHI"), intCol("SIRANO"),          intCol("SIPARISNO"),     intCol("CARINO"),
                    dateTimeCol("TARIH"),     intCol("AKTAR"),           intCol("STOKNO"),        strCol("BARKOD", 50),
                    strCol("FINISHKOD", 50),  strCol("OEMNO", 50),       strCol("STOKADI", 100),  floatCol("MIKTAR"),
                    floatCol("BIRIMFIYAT"),   floatCol("ILKFIYAT"),      floatCol("TUTAR"),       strCol("INDIRIMYAZI", 30),
                    floatCol("INDIRIMORANI1"), floatCol("INDIRIMORANI2"), floatCol("INDIRIMORANI3"), floatCol("INDIRIMORANI4"),
                    floatCol("INDIRIMTUTAR"), floatCol("NETBIRIMFIYAT"), floatCol("KDV"),         floatCol("VERGITUTARI"),
                    floatCol("NETTUTAR"),     strCol("KUR", 5),          floatCol("KURTL"),       intCol("VERENIDNO"),
                    intCol("TESLIMID"),       intCol("KARGOID"),         intCol("IDNO"),          intCol("VERENSIRANO"),
                    strCol("SAAT", 8),        strCol("ACIKLAMA", 100),   strCol("VEREN", 50),     strCol("CARIKOD", 25),
                    strCol("CARIADI", 100),   strCol("OEM1", 50),        strCol("OEM2", 50),      strCol("OEM3", 50),
                    strCol("OEM4", 50),       intCol("STOK_STOKNO"),     strCol("URETICIKODU", 50), strCol("DIGERADI", 100),
                    strCol("DPKOD", 25),      strCol("PKOD", 25),        strCol("MARKA", 50),     strCol("MODEL", 50),
                    strCol("ANAGRUP", 50),    strCol("OZELKOD", 25),     strCol("TESLIM", 50),    strCol("KARGO", 50),
                    floatCol("TESLIMEDILEN"), floatCol("KALAN"),         intCol("STOKHAR_NO"),    floatCol("ELDEKI"),
                    intCol("DURUM"),          floatCol("ALINANSIPARIS"), floatCol("VERILENSIPARIS")});
    while (q.next()) {
        const double day = q.value(0).toDouble();
        const double ordered = q.value(9).toDouble();
        const double remaining = q.value(38).toDouble();
        const pricing::Rates rates{q.value(12).toDouble(), q.value(13).toDouble(), q.value(14).toDouble(),
                                   q.value(15).toDouble()};
        const pricing::LineAmounts a = pricing::lineAmounts(base == LineAmountBase::Remaining ? remaining : ordered,
                                                            q.value(10).toDouble(), rates, q.value(16).toDouble());
        t.row();
        t.add(day).add(q.value(1).toInt()).add(q.value(2).toInt()).add(q.value(3).toInt()).add(day).add(1);
        t.add(q.value(4).toInt());
        for (int i = 5; i <= 8; ++i)
            t.add(q.value(i).toString());
        t.add(ordered).add(q.value(10).toDouble()).add(q.value(11).toDouble()).add(a.tutar).add(pricing::ratesText(rates));
        for (double r : rates)
            t.add(r);
        t.add(a.indirimTutar).add(a.netBirimFiyat).add(q.value(16).toDouble()).add(a.vergiTutari).add(a.netTutar);
        t.add(QStringLiteral("TL")).add(1.0).add(q.value(17).toInt()).add(q.value(18).toInt()).add(q.value(19).toInt());
        t.add(q.value(2).toInt()).add(q.value(17).toInt()).add(timeText(day)).add(q.value(8).toString());
        for (int i = 20; i <= 26; ++i)
            t.add(q.value(i).toString());
        t.add(q.value(4).toInt());
        for (int i = 27; i <= 36; ++i)
            t.add(q.value(i).toString());
        t.add(q.value(37).toDouble()).add(remaining).add(q.value(39).toInt()).add(q.value(40).toDouble());
        t.add(q.value(41).toInt()).add(q.value(42).toDouble()).add(q.value(43).toDouble());
    }
    return t.take();
}

QList<wire::Value> oncekiSiparisler(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    endParameters(in);
    QSqlQuery q = runSql(
        ctx.db,
        QStringLiteral("SELECT o.carino, o.idno, o.tarih, o.verenid, COALESCE(kt.adi, ''), COALESCE(t.adi, ''), "
                       "COALESCE(k.adi, ''), c.carikod, c.cariadi, o.durum, COALESCE(kf.adi, ''), o.aciklama, o.bizimnot "
                       "FROM siparis o JOIN cari c ON c.carino = o.carino LEFT JOIN kullanici k ON k.sirano = o.verenid "
                       "LEFT JOIN teslim t ON t.sirano = o.teslimid LEFT JOIN kargoturu kt ON kt.sirano = o.kargoturid "
                       "LEFT JOIN kargofirma kf ON kf.sirano = o.kargofirmaid WHERE o.carino = ? ORDER BY o.tarih DESC"),
        {carino});
    struct Head {
        QList<QVariant> v;
    };
    QList<Head> heads;
    while (q.next()) {
        Head h;
        for (int i = 0; i < 13; ++i)
            h.v << q.value(i);
        heads << h;
    }
    // Order totals from the lines.
    QHash<int, pricing::LineAmounts> totals;
    QSqlQuery lines = runSql(ctx.db,
                             QStringLiteral("SELECT ss.idno, ss.miktar, ss.birimfiyat, ss.ind1, ss.ind2, ss.ind3, ss.ind4, "
                                            "ss.kdv FROM siparis_satir ss JOIN siparis o ON o.idno = ss.idno "
                                            "WHERE o.carino = ?"),
                             {carino});
    while (lines.next()) {
        const pricing::LineAmounts a = pricing::lineAmounts(
            lines.value(1).toDouble(), lines.value(2).toDouble(),
            {lines.value(3).toDouble(), lines.value(4).toDouble(), lines.value(5).toDouble(), lines.value(6).toDouble()},
            lines.value(7).toDouble());
        pricing::LineAmounts &sum = totals[lines.value(0).toInt()];
        sum.netTutar = pricing::round2(sum.netTutar + a.netTutar);
        sum.vergiTutari = pricing::round2(sum.vergiTutari + a.vergiTutari);
        sum.kdvliTutar = pricing::round2(sum.kdvliTutar + a.kdvliTutar);
    }
    TableBuilder t({intCol("CARINO"),   intCol("IDNO"),       dateTimeCol("TARIH"), strCol("KUR", 5),
                    floatCol("KURTL"),  intCol("VERENIDNO"),  strCol("KARGO", 50),  strCol("TESLIM", 50),
                    strCol("VEREN", 50), strCol("CARIKOD", 25), strCol("CARIADI", 100), floatCol("VERGI"),
                    floatCol("NETTUTAR"), floatCol("TUTAR"),  strCol("DURUM", 100), strCol("KARGOADI", 50),
                    memoCol("VERENINNOTU"), memoCol("ALANNOTU")});
    for (const Head &h : std::as_const(heads)) {
        const pricing::LineAmounts sum = totals.value(h.v[1].toInt());
        t.row();
        t.add(h.v[0].toInt()).add(h.v[1].toInt()).add(h.v[2].toDouble()).add(QStringLiteral("TL")).add(1.0);
        t.add(h.v[3].toInt()).add(h.v[4].toString()).add(h.v[5].toString()).add(h.v[6].toString());
        t.add(h.v[7].toString()).add(h.v[8].toString());
        t.add(sum.vergiTutari).add(sum.netTutar).add(sum.kdvliTutar).add(statusName(h.v[9].toInt()));
        t.add(h.v[10].toString()).add(h.v[11].toString()).add(h.v[12].toString());
    }
    return {t.take()};
}

QList<wire::Value> siparisAyrintisi(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    const int idno = in.int32(u"idnosu");
    endParameters(in);
    return {orderLines(ctx, QStringLiteral("WHERE ss.idno = ? AND o.carino = ?"), {idno, carino},
                       LineAmountBase::Ordered)};
}

QList<wire::Value> siparisDip(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    const int idno = in.int32(u"siranosu");
    endParameters(in);
    // Customer number 0 means "whichever customer the order belongs to".
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT o.aciklama, o.durum, COALESCE(k.adi, ''), COALESCE(kf.adi, ''), o.bizimnot, "
                                        "COALESCE(t.adi, ''), COALESCE(kt.adi, ''), o.saticinotu FROM siparis o "
                                        "LEFT JOIN kullanici k ON k.sirano = o.verenid "
                                        "LEFT JOIN teslim t ON t.sirano = o.teslimid "
                                        "LEFT JOIN kargoturu kt ON kt.sirano = o.kargoturid "
                                        "LEFT JOIN kargofirma kf ON kf.sirano = o.kargofirmaid "
                                        "WHERE o.idno = ? AND (? = 0 OR o.carino = ?)"),
                         {idno, carino, carino});
    TSiparisDipAyrinti dip;
    if (q.next()) {
        dip.setSizinMesaj(q.value(0).toString());
        dip.setDurumu(statusName(q.value(1).toInt()));
        dip.setVeren(q.value(2).toString());
        dip.setKargo(q.value(3).toString());
        dip.setBizimMesaj(q.value(4).toString());
        dip.setTeslimCinsi(q.value(5).toString());
        dip.setKargoCinsi(q.value(6).toString());
        dip.setSaticiNotu(q.value(7).toString());
    }
    return {wire::marshal(dip)};
}

QList<wire::Value> bakiyeler(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    endParameters(in);
    return {orderLines(ctx, QStringLiteral("WHERE o.carino = ? AND ss.kalan > 0"), {carino}, LineAmountBase::Remaining)};
}

QList<wire::Value> tumSiparisler(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    const int stokno = in.int32(u"stokno");
    endParameters(in);
    return {orderLines(ctx, QStringLiteral("WHERE o.carino = ? AND (? = 0 OR ss.stokno = ?)"), {carino, stokno, stokno},
                       LineAmountBase::Ordered)};
}

struct BalanceChange {
    TSonucBilgisi who;
    int stokno = 0;
    int sepetsirano = 0;
    int stokharNo = 0;
    double adet = 0;
    double bakiye = 0;
};

BalanceChange readBalanceChange(wire::Reader &in)
{
    BalanceChange c;
    c.who = signInRecord(in, u"k");
    c.stokno = in.int32(u"stokno");
    c.sepetsirano = in.int32(u"sepetsirano");
    c.stokharNo = in.int32(u"siparissirano");
    c.adet = in.number(u"Adet");
    c.bakiye = in.number(u"Bakiye");
    in.string(u"barkod");
    return c;
}

// The remaining balance of an outstanding line of the caller's account, or
// nothing when the line is not one.
std::optional<double> outstanding(Context &ctx, const BalanceChange &c)
{
    const QVariant kalan = scalarSql(ctx.db,
                                     QStringLiteral("SELECT ss.kalan FROM siparis_satir ss JOIN siparis o ON o.idno = ss.idno "
                                                    "WHERE ss.stokhar_no = ? AND o.carino = ? AND ss.kalan > 0"),
                                     {c.stokharNo, c.who.CARINO()});
    if (!kalan.isValid())
        return std::nullopt;
    return kalan.toDouble();
}

QList<wire::Value> bakiyeDuzenle(Context &ctx, wire::Reader &in)
{
    const BalanceChange c = readBalanceChange(in);
    endParameters(in);
    Transaction tx(ctx.db);
    if (!outstanding(ctx, c))
        return {0};
    runSql(ctx.db, QStringLiteral("UPDATE siparis_satir SET kalan = 0 WHERE stokhar_no = ?"), {c.stokharNo});
    tx.commit();
    return {1};
}

// The balance may only shrink: a larger quantity is a new order.
QList<wire::Value> bakiyeDegistir(Context &ctx, wire::Reader &in)
{
    const BalanceChange c = readBalanceChange(in);
    endParameters(in);
    Transaction tx(ctx.db);
    const std::optional<double> current = outstanding(ctx, c);
    if (!current || !std::isfinite(c.bakiye) || c.bakiye <= 0 || c.bakiye > *current)
        return {0};
    runSql(ctx.db, QStringLiteral("UPDATE siparis_satir SET kalan = ? WHERE stokhar_no = ?"), {c.bakiye, c.stokharNo});
    tx.commit();
    return {1};
}

// Only users of type 2 may change the price of an outstanding line.
QList<wire::Value> bakiyeFiyat(Context &ctx, wire::Reader &in)
{
    const BalanceChange c = readBalanceChange(in);
    const double fiyat = in.number(u"fiyat");
    const double ind = in.number(u"ind");
    endParameters(in);
    if (c.who.MusteriTipi() != 2 || !std::isfinite(fiyat) || fiyat < 0 || !std::isfinite(ind) || ind < 0 || ind > 100)
        return {0};
    Transaction tx(ctx.db);
    if (!outstanding(ctx, c))
        return {0};
    runSql(ctx.db,
           QStringLiteral("UPDATE siparis_satir SET birimfiyat = ?, ind1 = ?, ind2 = 0, ind3 = 0, ind4 = 0 "
                          "WHERE stokhar_no = ?"),
           {fiyat, ind, c.stokharNo});
    tx.commit();
    return {1};
}

} // namespace

QString timeText(double dayNumber)
{
    const double fraction = dayNumber - std::floor(dayNumber);
    const int minutes = int(std::lround(fraction * 1440.0)) % 1440;
    return QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QChar(u'0')).arg(minutes % 60, 2, 10, QChar(u'0'));
}

void addOrderMethods(MethodTable &table)
{
    table.insert(QStringLiteral("OncekiSiparisler"), oncekiSiparisler);
    table.insert(QStringLiteral("SiparisAyrintisi2"), siparisAyrintisi);
    table.insert(QStringLiteral("SiparisAytintisiDip"), siparisDip);
    table.insert(QStringLiteral("BakiyelerVer2"), bakiyeler);
    table.insert(QStringLiteral("TumSiparislerVer"), tumSiparisler);
    table.insert(QStringLiteral("BakiyeDuzenle"), bakiyeDuzenle);
    table.insert(QStringLiteral("BakiyeDegistir"), bakiyeDegistir);
    table.insert(QStringLiteral("BakiyeFiyatDegistir"), bakiyeFiyat);
}

} // namespace appserver
