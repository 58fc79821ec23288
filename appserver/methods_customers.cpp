// People and accounts: the sign-in record of a machine, account details,
// the representatives' customer lists and counters, requests and mail.
#include "appserver/methods.h"
#include "appserver/searchtext.h"
#include "appserver/tablebuilder.h"
#include "platform/dataset/fieldtype.h"
#include "server/baglantiu.h"
#include "server/mobilstokunit.h"
#include "wire/marshal.h"

#include <QSqlQuery>

namespace appserver {

namespace {

// The client version this server expects; any other makes the client update.
constexpr int kClientVersion = 5;

QList<wire::Value> buyukGetir(Context &ctx, wire::Reader &in)
{
    const QString idsi = in.string(u"idsi");
    endParameters(in);
    QSqlQuery q = runSql(
        ctx.db,
        QStringLiteral("SELECT k.sirano, k.adi, k.sifre, k.carino, k.musteritipi, k.aktif, k.version, k.mail, "
                       "COALESCE(c.cariadi, ''), COALESCE(c.carikod, ''), s.saticino, COALESCE(s.adi, ''), "
                       "COALESCE(s.telefon, ''), COALESCE(s.mail, '') FROM makine m JOIN kullanici k ON k.sirano = m.kullanicino "
                       "LEFT JOIN cari c ON c.carino = k.carino "
                       "LEFT JOIN satici s ON s.saticino = CASE WHEN k.carino > 0 THEN c.saticino ELSE k.saticino END "
                       "WHERE m.bilgisayarid = ?"),
        {idsi});
    TSonucBilgisi r;
    r.setBILGISAYARID(idsi);
    // An unknown computer gets the current version, so that the client goes
    // on to the request form instead of offering an update.
    r.setVersion(kClientVersion);
    if (q.next()) {
        r.setSirano(q.value(0).toInt());
        r.setADI(q.value(1).toString());
        r.setSIFRE(q.value(2).toString());
        r.setCARINO(q.value(3).toInt());
        r.setMusteriTipi(q.value(4).toInt());
        r.setAKTIF(q.value(5).toInt());
        r.setVersion(q.value(6).toInt());
        r.setKullanicimail(q.value(7).toString());
        r.setCariAdi(q.value(8).toString());
        r.setcarikod(q.value(9).toString());
        r.setSaticiNo(q.value(10).toInt());
        r.setSaticiAdi(q.value(11).toString());
        r.setSaticiTelefon(q.value(12).toString());
        r.setSaticiMail(q.value(13).toString());
        r.setVarmi(true);
    }
    return {wire::marshal(r)};
}

QList<wire::Value> mobilCari(Context &ctx, wire::Reader &in)
{
    const int sirano = in.int32(u"sirano");
    const QString idsi = in.string(u"_idsi");
    endParameters(in);
    // By user number when one is given, else by the machine's bound user.
    const QString userCondition = sirano > 0 ? QStringLiteral("k.sirano = ?")
                                             : QStringLiteral("k.sirano = (SELECT kullanicino FROM makine WHERE bilgisayarid = ?)");
    QSqlQuery q = runSql(
        ctx.db,
        QStringLiteral("SELECT k.adi, k.sifre, k.mail, k.carino, COALESCE(c.il, ''), COALESCE(c.fax1, ''), "
                       "COALESCE(s.mail, ''), COALESCE(s.adi, ''), COALESCE(c.cariadi, ''), COALESCE(c.email, ''), "
                       "COALESCE(c.vergidairesi, ''), COALESCE(c.yetkili, ''), COALESCE(c.altgrup, ''), "
                       "COALESCE(c.tel2, ''), COALESCE(c.gsm, ''), COALESCE(c.tel1, ''), COALESCE(c.adres2, ''), "
                       "COALESCE(c.adres1, ''), COALESCE(c.ulke, ''), COALESCE(c.anagrup, ''), COALESCE(c.vergino, ''), "
                       "COALESCE(c.ozelkod, ''), COALESCE(s.telefon, ''), COALESCE(c.carikod, ''), COALESCE(c.fax2, ''), "
                       "COALESCE(c.ilce, ''), "
                       "(SELECT COALESCE(SUM(borc), 0) FROM ekstre e WHERE e.carino = k.carino), "
                       "(SELECT COALESCE(SUM(alacak), 0) FROM ekstre e WHERE e.carino = k.carino) "
                       "FROM kullanici k LEFT JOIN cari c ON c.carino = k.carino "
                       "LEFT JOIN satici s ON s.saticino = CASE WHEN k.carino > 0 THEN c.saticino ELSE k.saticino END "
                       "WHERE ")
            + userCondition,
        {sirano > 0 ? QVariant(sirano) : QVariant(idsi)});
    TMobilCariBilgisi m;
    m.setBILGISAYARID(idsi);
    if (q.next()) {
        m.setKULLANICIADI(q.value(0).toString());
        m.setSIFRE(q.value(1).toString());
        m.setMAIL(q.value(2).toString());
        m.setCARINO(q.value(3).toInt());
        m.setSEHIR(q.value(4).toString());
        m.setFAX1(q.value(5).toString());
        m.setSATICIMAIL(q.value(6).toString());
        m.setSATICIADI(q.value(7).toString());
        m.setCARIADI(q.value(8).toString());
        m.setEMAIL(q.value(9).toString());
        m.setVERGIDAIRESI(q.value(10).toString());
        m.setYETKILI(q.value(11).toString());
        m.setAltGrup(q.value(12).toString());
        m.setTEL2(q.value(13).toString());
        m.setGSM(q.value(14).toString());
        m.setTEL1(q.value(15).toString());
        m.setADRES2(q.value(16).toString());
        m.setADRES1(q.value(17).toString());
        m.setULKE(q.value(18).toString());
        m.setAnaGrup(q.value(19).toString());
        m.setVERGINO(q.value(20).toString());
        m.setOzelKod(q.value(21).toString());
        m.setSATICITELEFON(q.value(22).toString());
        m.setCARIKOD(q.value(23).toString());
        m.setFAX2(q.value(24).toString());
        m.setILCE(q.value(25).toString());
        const double borc = q.value(26).toDouble(), alacak = q.value(27).toDouble();
        m.setTLBORC(borc);
        m.setTLALACAK(alacak);
        m.setTLBAKIYE(borc - alacak);
    }
    return {wire::marshal(m)};
}

// Accounts a user may act for: all for type 2, his own customers for type
// 1, the own account for dealers.
QString accountScope(const TSonucBilgisi &who, QVariantList &values)
{
    if (who.MusteriTipi() == 2)
        return QStringLiteral("1 = 1");
    if (who.MusteriTipi() == 1) {
        values << who.SaticiNo();
        return QStringLiteral("c.saticino = ?");
    }
    values << who.CARINO();
    return QStringLiteral("c.carino = ?");
}

// The customer list of the selection window; `extra` narrows it further.
TableData customerTable(Context &ctx, const TSonucBilgisi &who, const QString &extra, const QVariantList &extraValues,
                        const QString &text = QString())
{
    QVariantList values;
    const QString scope = accountScope(who, values);
    values += extraValues;
    auto count = [](int status) {
        return QStringLiteral("(SELECT COUNT(*) FROM siparis o WHERE o.carino = c.carino AND o.durum = %1)").arg(status);
    };
    QSqlQuery q = runSql(
        ctx.db,
        QStringLiteral("SELECT c.carino, c.carikod, c.cariadi, s.adi, "
                       "(SELECT COALESCE(SUM(borc - alacak), 0) FROM ekstre e WHERE e.carino = c.carino), c.ozelkod, "
                       "c.kod1, c.kod2, c.kod3, c.kod4, c.kod5, c.tel1, c.tel2, c.ilce, c.il, c.gsm, "
                       "(SELECT COUNT(*) FROM sepet b WHERE b.carino = c.carino), c.yetkili, c.indirim, c.vade, "
                       "c.vadekontrolgun, c.vadekontrolay, c.vergidairesi, c.vergino, c.adres1, c.adres2, c.anagrup, "
                       "c.altgrup, c.fax1, c.fax2, c.email, %1, %2, %3, %4, %5 FROM cari c "
                       "JOIN satici s ON s.saticino = c.saticino WHERE ")
                .arg(count(2), count(3), count(4), count(6), count(5))
            + scope + extra + QStringLiteral(" ORDER BY c.carikod"),
        values);
    TableBuilder t({intCol("CARINO"),  strCol("CARIKOD", 25),   strCol("CARIADI", 100), strCol("SATICISI", 50),
                    floatCol("TLBAKIYE"), strCol("DURUM", 10),  strCol("OZELKOD", 25),  strCol("KOD1", 25),
                    strCol("KOD2", 25), strCol("KOD3", 25),     strCol("KOD4", 25),     strCol("KOD5", 25),
                    strCol("TEL1", 25), strCol("TEL2", 25),     strCol("ILCE", 50),     strCol("IL", 50),
                    strCol("GSM", 25),  intCol("SEPET"),        strCol("YETKILI", 50),  floatCol("INDIRIM"),
                    intCol("VADE"),     intCol("VADEKONTROLGUN"), intCol("VADEKONTROLAY"), strCol("VERGIDAIRESI", 50),
                    strCol("VERGINO", 25), strCol("ADRES1", 100), strCol("ADRES2", 100), strCol("ANAGRUP", 50),
                    strCol("ALTGRUP", 50), strCol("FAX1", 25),  strCol("FAX2", 25),     strCol("EMAIL", 100),
                    intCol("ALINDI"),   intCol("ONAYLANDI"),    intCol("GORULDU"),      intCol("HAZIRLANDI"),
                    intCol("PARCALIHAZIRLANDI")});
    const QString needle = searchtext::foldUpper(text.trimmed());
    while (q.next()) {
        if (!needle.isEmpty()) {
            bool match = false;
            for (int i : {1, 2, 3, 13, 14, 17})
                if (searchtext::foldUpper(q.value(i).toString()).contains(needle))
                    match = true;
            if (!match)
                continue;
        }
        const double balance = q.value(4).toDouble();
        t.row();
        for (int i = 0; i < 5; ++i)
            t.addFrom(q, i);
        t.add(balance > 0.005 ? QStringLiteral("B") : balance < -0.005 ? QStringLiteral("A") : QString());
        for (int i = 5; i <= 35; ++i)
            t.addFrom(q, i);
    }
    return t.take();
}

QList<wire::Value> cariAra(Context &ctx, wire::Reader &in)
{
    const TSonucBilgisi who = signInRecord(in, u"bil");
    const QString text = in.string(u"aranan");
    endParameters(in);
    return {customerTable(ctx, who, QString(), {}, text)};
}

QList<wire::Value> cariSepet(Context &ctx, wire::Reader &in)
{
    const TSonucBilgisi who = signInRecord(in, u"bil");
    const int n = in.int32(u"n");
    endParameters(in);
    if (n == 1)
        return {customerTable(ctx, who, QStringLiteral(" AND EXISTS (SELECT 1 FROM sepet b WHERE b.carino = c.carino)"), {})};
    if (n >= 2 && n <= 7)
        return {customerTable(
            ctx, who, QStringLiteral(" AND EXISTS (SELECT 1 FROM siparis o WHERE o.carino = c.carino AND o.durum = ?)"), {n})};
    return {customerTable(ctx, who, QStringLiteral(" AND 1 = 0"), {})};
}

QList<wire::Value> sepetSayisi(Context &ctx, wire::Reader &in)
{
    const TSonucBilgisi who = signInRecord(in, u"bil");
    endParameters(in);
    QVariantList values;
    const QString scope = accountScope(who, values);
    return {scalarSql(ctx.db,
                      QStringLiteral("SELECT COUNT(*) FROM cari c WHERE ") + scope
                          + QStringLiteral(" AND EXISTS (SELECT 1 FROM sepet b WHERE b.carino = c.carino)"),
                      values)
                .toInt()};
}

QList<wire::Value> tusSonuclari(Context &ctx, wire::Reader &in)
{
    const TSonucBilgisi who = signInRecord(in, u"bil");
    endParameters(in);
    QVariantList values;
    const QString scope = accountScope(who, values);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT o.durum, COUNT(*) FROM siparis o JOIN cari c ON c.carino = o.carino WHERE ")
                             + scope + QStringLiteral(" GROUP BY o.durum"),
                         values);
    TTusSonuclari r;
    while (q.next()) {
        const int n = q.value(1).toInt();
        switch (q.value(0).toInt()) {
        case 2: r.setAlindi(n); break;
        case 3: r.setOnaylandi(n); break;
        case 4: r.setGoruldu(n); break;
        case 5: r.setParcaliHazirlandi(n); break;
        case 6: r.setHazirlandi(n); break;
        case 7: r.setSevkEdildi(n); break;
        default: break;
        }
    }
    return {wire::marshal(r)};
}

QList<wire::Value> storeRequest(Context &ctx, wire::Reader &in, bool withSubject)
{
    static const char16_t *const names[] = {u"idsi",  u"baslik",  u"firmaadi", u"adres1", u"adres2",     u"ilce",
                                            u"sehir", u"telefon", u"fax",      u"vd",     u"vn",         u"yetkili",
                                            u"kullaniciadi", u"sifre", u"mail", u"kargoambar"};
    QVariantList values = {ctx.now, withSubject ? QStringLiteral("mail") : QStringLiteral("kayit")};
    for (const char16_t *name : names)
        values << in.string(QStringView(name));
    values << (withSubject ? in.string(u"konu") : QString());
    endParameters(in);
    Transaction tx(ctx.db);
    runSql(ctx.db,
           QStringLiteral("INSERT INTO istek (tarih, tur, bilgisayarid, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, "
                          "fax, vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar, konu) "
                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
           values);
    tx.commit();
    return {1};
}

QList<wire::Value> mailCari(Context &ctx, wire::Reader &in) { return storeRequest(ctx, in, false); }
QList<wire::Value> mailCariNormal(Context &ctx, wire::Reader &in) { return storeRequest(ctx, in, true); }

QList<wire::Value> balonGetir(Context &ctx, wire::Reader &in)
{
    const TSonucBilgisi who = signInRecord(in, u"bil");
    endParameters(in);
    const int carino = who.CARINO();
    TableBuilder t({intCol("SEPET"), intCol("YENI"), intCol("KAMPANYA"), intCol("DUYURU"), floatCol("BAKIYE")});
    t.row();
    t.add(scalarSql(ctx.db, QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = ?"), {carino}).toInt());
    t.add(scalarSql(ctx.db, QStringLiteral("SELECT COUNT(*) FROM stok WHERE yeni = 1")).toInt());
    t.add(who.MusteriTipi() == 4
              ? 0
              : scalarSql(ctx.db, QStringLiteral("SELECT COUNT(*) FROM stok WHERE kampanya = 1 AND kampfiyat > 0")).toInt());
    t.add(scalarSql(ctx.db, QStringLiteral("SELECT COUNT(*) FROM duyuru")).toInt());
    t.add(scalarSql(ctx.db,
                    QStringLiteral("SELECT COUNT(*) FROM siparis_satir ss JOIN siparis o ON o.idno = ss.idno "
                                   "WHERE o.carino = ? AND ss.kalan > 0"),
                    {carino})
              .toDouble());
    return {t.take()};
}

} // namespace

void addCustomerMethods(MethodTable &table)
{
    table.insert(QStringLiteral("BuyukGetir"), buyukGetir);
    table.insert(QStringLiteral("MobilCariBilgisiGetir"), mobilCari);
    table.insert(QStringLiteral("CariAra"), cariAra);
    table.insert(QStringLiteral("CariSepetVer"), cariSepet);
    table.insert(QStringLiteral("SepetSayisi"), sepetSayisi);
    table.insert(QStringLiteral("TusSonuclariVer"), tusSonuclari);
    table.insert(QStringLiteral("MailGonserCari"), mailCari);
    table.insert(QStringLiteral("MailGonserCariNormal"), mailCariNormal);
    table.insert(QStringLiteral("BalonGetir"), balonGetir);
}

} // namespace appserver
