// The basket: one per dealer account, with a selection mark per line;
// delivery and cargo choices; turning the selected lines into an order.
#include "appserver/methods.h"
#include "appserver/pricing.h"
#include "appserver/tablebuilder.h"

#include <QSqlQuery>

#include <cmath>

namespace appserver {

namespace {

QList<wire::Value> sepetVer(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    endParameters(in);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT b.sec, b.tarih, b.sirano, b.carino, b.stokno, s.barkod, s.finishkod, s.oemno, "
                                        "s.adi, b.miktar, b.birimfiyat, b.ind1, b.ind2, b.ind3, b.ind4, b.kdv, b.verenid, "
                                        "COALESCE(k.adi, ''), c.carikod, c.cariadi, s.oem1, s.oem2, s.oem3, s.oem4, "
                                        "s.ureticikodu, s.digeradi, s.dpkod, s.pkod, s.marka, s.model, s.anagrup, s.ozelkod, "
                                        "s.durum, s.kalan, s.resimno FROM sepet b JOIN stok s ON s.stokno = b.stokno "
                                        "JOIN cari c ON c.carino = b.carino LEFT JOIN kullanici k ON k.sirano = b.verenid "
                                        "WHERE b.carino = ? ORDER BY b.sirano"),
                         {carino});
    TableBuilder t({intCol("SEC"),           dateCol("VERILISTARIHI"), intCol("SIRANO"),         intCol("SIPARISNO"),
                    intCol("CARINO"),        dateTimeCol("TARIH"),     intCol("AKTAR"),          intCol("STOKNO"),
                    strCol("BARKOD", 50),    strCol("FINISHKOD", 50),  strCol("OEMNO", 50),      strCol("STOKADI", 100),
                    floatCol("MIKTAR"),      floatCol("BIRIMFIYAT"),   floatCol("TUTAR"),        strCol("INDIRIMYAZI", 30),
                    floatCol("INDIRIMORANI1"), floatCol("INDIRIMORANI2"), floatCol("INDIRIMORANI3"), floatCol("INDIRIMTUTAR"),
                    floatCol("NETBIRIMFIYAT"), floatCol("KDV"),        floatCol("VERGITUTARI"),  floatCol("NETTUTAR"),
                    floatCol("KDVLITUTAR"),  strCol("KUR", 5),         floatCol("KURTL"),        intCol("VERENIDNO"),
                    intCol("TESLIMID"),      intCol("KARGOID"),        intCol("IDNO"),           intCol("VERENSIRANO"),
                    strCol("SAAT", 8),       intCol("ACIKLAMA"),       strCol("VEREN", 50),      strCol("CARIKOD", 25),
                    strCol("CARIADI", 100),  strCol("OEM1", 50),       strCol("OEM2", 50),       strCol("OEM3", 50),
                    strCol("OEM4", 50),      intCol("STOK_STOKNO"),    strCol("URETICIKODU", 50), strCol("DIGERADI", 100),
                    strCol("DPKOD", 25),     strCol("PKOD", 25),       strCol("MARKA", 50),      strCol("MODEL", 50),
                    strCol("ANAGRUP", 50),   strCol("OZELKOD", 25),    intCol("DURUM"),          floatCol("KALAN"),
                    floatCol("INDIRIMORANI4"), intCol("RESIMVAR")});
    while (q.next()) {
        const double qty = q.value(9).toDouble();
        const pricing::Rates rates{q.value(11).toDouble(), q.value(12).toDouble(), q.value(13).toDouble(),
                                   q.value(14).toDouble()};
        const pricing::LineAmounts a = pricing::lineAmounts(qty, q.value(10).toDouble(), rates, q.value(15).toDouble());
        const double day = q.value(1).toDouble();
        t.row();
        t.add(q.value(0).toInt()).add(day).add(q.value(2).toInt()).add(0).add(q.value(3).toInt()).add(day).add(0);
        t.add(q.value(4).toInt());
        for (int i = 5; i <= 8; ++i)
            t.add(q.value(i).toString());
        t.add(qty).add(q.value(10).toDouble()).add(a.tutar).add(pricing::ratesText(rates));
        t.add(rates[0]).add(rates[1]).add(rates[2]).add(a.indirimTutar).add(a.netBirimFiyat).add(q.value(15).toDouble());
        t.add(a.vergiTutari).add(a.netTutar).add(a.kdvliTutar).add(QStringLiteral("TL")).add(1.0);
        t.add(q.value(16).toInt()).add(0).add(0).add(0).add(q.value(16).toInt()).add(timeText(day)).add(0);
        for (int i = 17; i <= 23; ++i)
            t.add(q.value(i).toString());
        t.add(q.value(4).toInt());
        for (int i = 24; i <= 31; ++i)
            t.add(q.value(i).toString());
        t.add(q.value(32).toInt()).add(q.value(33).toDouble()).add(rates[3]).add(q.value(34).toInt() > 0 ? 1 : 0);
    }
    return {t.take()};
}

bool validRate(double r) { return std::isfinite(r) && r >= 0 && r <= 100; }

// The checks both basket writers share: 0 refuses the line.
bool acceptableLine(double miktar, double fiyat, const pricing::Rates &rates, double kdv)
{
    if (!std::isfinite(miktar) || miktar <= 0 || miktar > 1e6)
        return false;
    if (!std::isfinite(fiyat) || fiyat < 0)
        return false;
    if (!std::isfinite(kdv) || kdv < 0 || kdv > 100)
        return false;
    for (double r : rates)
        if (!validRate(r))
            return false;
    return true;
}

QList<wire::Value> sepetEkle(Context &ctx, wire::Reader &in)
{
    const TSonucBilgisi bilgi = signInRecord(in, u"bilgim");
    const int carino = in.int32(u"carino");
    const int stokno = in.int32(u"stokno");
    in.string(u"barkod");
    in.string(u"stokadi");
    const double miktar = in.number(u"miktar");
    const double kdv = in.number(u"kdv");
    const double fiyat = in.number(u"fiyat");
    const double ind1 = in.number(u"ind1");
    const int verenid = in.int32(u"verenid");
    const int k = in.int32(u"k");
    const double ind2 = in.number(u"ind2");
    const double ind3 = in.number(u"ind3");
    const double ind4 = in.number(u"ind4");
    endParameters(in);
    Q_UNUSED(bilgi);
    const pricing::Rates rates{ind1, ind2, ind3, ind4};
    if (!acceptableLine(miktar, fiyat, rates, kdv))
        return {0};
    Transaction tx(ctx.db);
    if (!scalarSql(ctx.db, QStringLiteral("SELECT 1 FROM cari WHERE carino = ?"), {carino}).isValid())
        return {0};
    if (!scalarSql(ctx.db, QStringLiteral("SELECT 1 FROM stok WHERE stokno = ?"), {stokno}).isValid())
        return {0};
    // An item already in the basket gets the quantity added to its line.
    const QVariant existing = scalarSql(
        ctx.db, QStringLiteral("SELECT sirano FROM sepet WHERE carino = ? AND stokno = ? ORDER BY sirano LIMIT 1"),
        {carino, stokno});
    if (existing.isValid()) {
        runSql(ctx.db,
               QStringLiteral("UPDATE sepet SET miktar = miktar + ?, birimfiyat = ?, ind1 = ?, ind2 = ?, ind3 = ?, ind4 = ?, "
                              "kdv = ?, tarih = ? WHERE sirano = ?"),
               {miktar, fiyat, ind1, ind2, ind3, ind4, kdv, ctx.now, existing});
    } else {
        runSql(ctx.db,
               QStringLiteral("INSERT INTO sepet (carino, stokno, miktar, birimfiyat, ind1, ind2, ind3, ind4, kdv, kampanya, "
                              "sec, verenid, tarih) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?)"),
               {carino, stokno, miktar, fiyat, ind1, ind2, ind3, ind4, kdv, k > 0 ? 1 : 0, verenid, ctx.now});
    }
    tx.commit();
    return {1};
}

QList<wire::Value> sepetGuncelle(Context &ctx, wire::Reader &in)
{
    signInRecord(in, u"bilgim");
    const int carino = in.int32(u"carino");
    in.int32(u"stokno");  // the client sends 0: the line number identifies the line
    in.string(u"barkod");
    in.string(u"stokadi");
    const double miktar = in.number(u"miktar");
    const double kdv = in.number(u"kdv");
    const double fiyat = in.number(u"fiyat");
    const double ind1 = in.number(u"ind1");
    in.int32(u"verenid");
    const int sirano = in.int32(u"_sepetsirano");
    const double ind2 = in.number(u"ind2");
    const double ind3 = in.number(u"ind3");
    const double ind4 = in.number(u"ind4");
    endParameters(in);
    const pricing::Rates rates{ind1, ind2, ind3, ind4};
    if (!acceptableLine(miktar, fiyat, rates, kdv))
        return {0};
    Transaction tx(ctx.db);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("UPDATE sepet SET miktar = ?, birimfiyat = ?, ind1 = ?, ind2 = ?, ind3 = ?, ind4 = ?, "
                                        "kdv = ? WHERE sirano = ? AND carino = ?"),
                         {miktar, fiyat, ind1, ind2, ind3, ind4, kdv, sirano, carino});
    const int changed = q.numRowsAffected();
    tx.commit();
    return {changed == 1 ? 1 : 0};
}

QList<wire::Value> sepetHepsiniSil(Context &ctx, wire::Reader &in)
{
    const TSonucBilgisi bilgi = signInRecord(in, u"bilgi");
    endParameters(in);
    Transaction tx(ctx.db);
    runSql(ctx.db, QStringLiteral("DELETE FROM sepet WHERE carino = ?"), {bilgi.CARINO()});
    tx.commit();
    return {1};
}

QList<wire::Value> sepetSatirSil(Context &ctx, wire::Reader &in)
{
    const TSonucBilgisi bilgi = signInRecord(in, u"bilgi");
    const int satirno = in.int32(u"satirno");
    in.string(u"aciklamam");
    endParameters(in);
    Transaction tx(ctx.db);
    QSqlQuery q = runSql(ctx.db, QStringLiteral("DELETE FROM sepet WHERE sirano = ? AND carino = ?"),
                         {satirno, bilgi.CARINO()});
    const int removed = q.numRowsAffected();
    tx.commit();
    return {removed == 1 ? 1 : 0};
}

QList<wire::Value> sepetSecim(Context &ctx, wire::Reader &in)
{
    const int sirano = in.int32(u"sirano");
    const int secim = in.int32(u"secim");
    endParameters(in);
    Transaction tx(ctx.db);
    QSqlQuery q = runSql(ctx.db, QStringLiteral("UPDATE sepet SET sec = ? WHERE sirano = ?"), {secim == 1 ? 1 : 0, sirano});
    if (q.numRowsAffected() != 1)
        throw MethodFailure(QStringLiteral("Sepet satırı bulunamadı: %1").arg(sirano));
    tx.commit();
    return {};
}

QList<wire::Value> idNameTable(Context &ctx, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q = runSql(ctx.db, sql, values);
    TableBuilder t({intCol("SIRANO"), strCol("ADI", 50)});
    while (q.next()) {
        t.row();
        t.addFrom(q, 0).addFrom(q, 1);
    }
    return {t.take()};
}

QList<wire::Value> teslimVer(Context &ctx, wire::Reader &in)
{
    endParameters(in);
    return idNameTable(ctx, QStringLiteral("SELECT sirano, adi FROM teslim ORDER BY sirano"));
}

QList<wire::Value> kargoVer(Context &ctx, wire::Reader &in)
{
    endParameters(in);
    return idNameTable(ctx, QStringLiteral("SELECT sirano, adi FROM kargoturu ORDER BY sirano"));
}

QList<wire::Value> kargolarVer(Context &ctx, wire::Reader &in)
{
    const int gn = in.int32(u"gn");
    endParameters(in);
    QSqlQuery q = runSql(ctx.db, QStringLiteral("SELECT adi, sirano, uyari FROM kargofirma WHERE turno = ? ORDER BY sirano"),
                         {gn});
    TableBuilder t({strCol("ADI", 50), intCol("SIRANO"), strCol("UYARI", 250)});
    while (q.next()) {
        t.row();
        t.addFrom(q, 0).addFrom(q, 1).addFrom(q, 2);
    }
    return {t.take()};
}

// Makes an order of the selected basket lines and removes them from the
// basket, all in one transaction. Without a selected line, or with an
// unknown delivery kind, cargo kind or company, nothing changes and the
// answer is false.
QList<wire::Value> siparisKaydet(Context &ctx, wire::Reader &in)
{
    signInRecord(in, u"BB");
    const int carino = in.int32(u"_carino");
    const int teslim = in.int32(u"_teslim");
    const int kargo = in.int32(u"_kargo");
    const QString aciklama = in.string(u"_aciklama");
    const int verenid = in.int32(u"_verenid");
    const int firma = in.int32(u"_kargoyeni");
    endParameters(in);

    Transaction tx(ctx.db);
    if (!scalarSql(ctx.db, QStringLiteral("SELECT 1 FROM teslim WHERE sirano = ?"), {teslim}).isValid()
        || !scalarSql(ctx.db, QStringLiteral("SELECT 1 FROM kargofirma WHERE sirano = ? AND turno = ?"), {firma, kargo})
                .isValid()
        || !scalarSql(ctx.db, QStringLiteral("SELECT 1 FROM cari WHERE carino = ?"), {carino}).isValid())
        return {false};
    const int selected = scalarSql(ctx.db, QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = ? AND sec = 1"),
                                   {carino})
                             .toInt();
    if (selected == 0)
        return {false};
    const bool postgres = ctx.db.driverName() == QLatin1String("QPSQL");
    // SQLite's transaction holds the write lock from its start; PostgreSQL's
    // does not, so the dealer's basket lines are locked here: a mark or a
    // deletion arriving during the order waits for it instead of slipping
    // between the copy and the delete below.
    if (postgres)
        runSql(ctx.db, QStringLiteral("SELECT sirano FROM sepet WHERE carino = ? FOR UPDATE"), {carino});
    const QString insertOrder = QStringLiteral(
        "INSERT INTO siparis (carino, tarih, verenid, teslimid, kargoturid, kargofirmaid, durum, aciklama) "
        "VALUES (?, ?, ?, ?, ?, ?, 2, ?)");
    int idno = 0;
    if (postgres) {
        idno = scalarSql(ctx.db, insertOrder + QStringLiteral(" RETURNING idno"),
                         {carino, ctx.now, verenid, teslim, kargo, firma, aciklama})
                   .toInt();
    } else {
        QSqlQuery q = runSql(ctx.db, insertOrder, {carino, ctx.now, verenid, teslim, kargo, firma, aciklama});
        idno = q.lastInsertId().toInt();
    }
    runSql(ctx.db,
           QStringLiteral("INSERT INTO siparis_satir (idno, sepetsirano, stokno, miktar, teslimedilen, kalan, birimfiyat, "
                          "ilkfiyat, ind1, ind2, ind3, ind4, kdv, kampanya) SELECT ?, sirano, stokno, miktar, 0, miktar, "
                          "birimfiyat, birimfiyat, ind1, ind2, ind3, ind4, kdv, kampanya FROM sepet "
                          "WHERE carino = ? AND sec = 1 ORDER BY sirano"),
           {idno, carino});
    // Exactly the lines copied into the order leave the basket, whatever was
    // added or marked since the copy.
    runSql(ctx.db,
           QStringLiteral("DELETE FROM sepet WHERE carino = ? AND sirano IN "
                          "(SELECT sepetsirano FROM siparis_satir WHERE idno = ?)"),
           {carino, idno});
    tx.commit();
    return {true};
}

} // namespace

void addBasketMethods(MethodTable &table)
{
    table.insert(QStringLiteral("SepetVer2"), sepetVer);
    table.insert(QStringLiteral("SepetEkle2"), sepetEkle);
    table.insert(QStringLiteral("SepetGuncelle2"), sepetGuncelle);
    table.insert(QStringLiteral("SepetHepsiniSil"), sepetHepsiniSil);
    table.insert(QStringLiteral("SepetSatirSil"), sepetSatirSil);
    table.insert(QStringLiteral("SepetSecimGuncelle"), sepetSecim);
    table.insert(QStringLiteral("TeslimVer"), teslimVer);
    table.insert(QStringLiteral("KargoVer"), kargoVer);
    table.insert(QStringLiteral("KargolarVer"), kargolarVer);
    table.insert(QStringLiteral("SiparisKaydet"), siparisKaydet);
}

} // namespace appserver
