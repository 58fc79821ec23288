// Catalogue: pack size, stock search, new and campaign items, movements and
// order lines of an item.
#include "appserver/methods.h"
#include "appserver/pricing.h"
#include "appserver/searchtext.h"
#include "appserver/tablebuilder.h"

#include <QSqlQuery>

namespace appserver {

namespace {

// The result never grows beyond this many rows: a search that broad is
// better narrowed than scrolled.
constexpr int kMaxSearchRows = 10000;

QList<FieldDef> stockFields(bool campaign)
{
    QList<FieldDef> f = {
        intCol("DURUM"),       strCol("OEM1", 50),      strCol("OEM2", 50),        strCol("OEM3", 50),
        strCol("BARKOD", 50),  strCol("ADI", 100),      strCol("OEM4", 50),        intCol("STOK_STOKNO"),
        strCol("FINISHKOD", 50), strCol("URETICIKODU", 50), intCol("RESIM"),        intCol("BARKOD_BARKODNO"),
        strCol("DIGERADI", 100), strCol("DPKOD", 25),    strCol("OEMNO", 50),       strCol("BIRIM", 10),
        strCol("MARKA", 50),   strCol("MODEL", 50),     strCol("ANAGRUP", 50),     strCol("OZELKOD", 25),
        floatCol("KALAN"),     strCol("PKOD", 25),      floatCol("KDV"),           floatCol("ALINANSIPARIS"),
        floatCol("VERILENSIPARIS"), floatCol("LISTEFIYAT1"), floatCol("KAMPFIYAT"),  floatCol("FIYAT"),
        intCol("Y"),           intCol("K"),             floatCol("IND1"),          floatCol("IND2"),
        floatCol("IND3"),      floatCol("IND4"),        strCol("INDIRIMYAZI", 30), floatCol("INDIRIM"),
        floatCol("NETFIYAT"),  floatCol("KDVDAHIL"),
    };
    if (campaign)
        f.insert(f.size() - 2, floatCol("ESKIFIYAT"));
    return f;
}

} // namespace

double dealerDiscount(Context &ctx, int carino)
{
    return scalarSql(ctx.db, QStringLiteral("SELECT indirim FROM cari WHERE carino = ?"), {carino}).toDouble();
}

TableData stockTable(Context &ctx, int carino, const StockQuery &query)
{
    const double discount = dealerDiscount(ctx, carino);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT s.stokno, s.barkod, s.barkodno, s.adi, s.digeradi, s.oem1, s.oem2, s.oem3, "
                                        "s.oem4, s.oemno, s.finishkod, s.ureticikodu, s.ozelkod, s.pkod, s.dpkod, s.birim, "
                                        "s.marka, s.model, s.anagrup, s.kdv, s.listefiyat, s.kampfiyat, s.isk2, s.isk3, "
                                        "s.isk4, s.durum, s.kalan, s.alinansiparis, s.verilensiparis, s.yeni, s.kampanya, "
                                        "s.resimno FROM stok s ")
                             + query.where + u' ' + query.orderLimit,
                         query.values);
    TableBuilder t(stockFields(query.campaignColumns));
    while (q.next()) {
        const double list = q.value(20).toDouble();
        const double campaignPrice = q.value(21).toDouble();
        const bool campaign = q.value(30).toInt() > 0 && campaignPrice > 0;
        const double vat = q.value(19).toDouble();
        // A campaign price is net: no further discounts apply to it.
        const pricing::Rates rates = campaign ? pricing::Rates{0, 0, 0, 0}
                                              : pricing::Rates{discount, q.value(22).toDouble(), q.value(23).toDouble(),
                                                               q.value(24).toDouble()};
        const double price = campaign ? campaignPrice : list;
        const double net = pricing::round2(pricing::afterDiscounts(price, rates));
        const double campaignCut = list > 0 ? pricing::round2((list - campaignPrice) * 100.0 / list) : 0;
        const QString text = campaign ? QStringLiteral("%") + QString::number(campaignCut, 'f', 0)
                                      : pricing::ratesText(rates);
        t.row();
        t.addFrom(q, 25);                                              // DURUM
        t.add(q.value(5).toString()).add(q.value(6).toString()).add(q.value(7).toString());
        t.add(q.value(1).toString()).add(q.value(3).toString()).add(q.value(8).toString());
        t.add(q.value(0).toInt());                                     // STOK_STOKNO
        t.add(q.value(10).toString()).add(q.value(11).toString());
        t.add(q.value(31).toInt() > 0 ? 1 : 0);                        // RESIM
        t.add(q.value(2).toInt());
        t.add(q.value(4).toString()).add(q.value(14).toString()).add(q.value(9).toString());
        t.add(q.value(15).toString()).add(q.value(16).toString()).add(q.value(17).toString());
        t.add(q.value(18).toString()).add(q.value(12).toString());
        t.add(q.value(26).toDouble()).add(q.value(13).toString()).add(vat);
        t.add(q.value(27).toDouble()).add(q.value(28).toDouble());
        t.add(list).add(campaign ? campaignPrice : 0.0).add(price);
        t.add(q.value(29).toInt()).add(campaign ? 1 : 0);
        for (double r : rates)
            t.add(r);
        t.add(text).add(campaign ? campaignCut : pricing::round2(price - net));
        if (query.campaignColumns)
            t.add(list);
        t.add(net).add(pricing::round2(net * (1 + vat / 100.0)));
    }
    return t.take();
}

namespace {

QList<wire::Value> enVer(Context &ctx, wire::Reader &in)
{
    const int stokno = in.int32(u"stokno");
    endParameters(in);
    const QVariant pack = scalarSql(ctx.db, QStringLiteral("SELECT koliadet FROM stok WHERE stokno = ?"), {stokno});
    // An unknown item or a bad pack size is sold by the piece.
    return {std::max(1, pack.isValid() ? pack.toInt() : 1)};
}

QList<wire::Value> stokAra(Context &ctx, wire::Reader &in)
{
    const QString kod = in.string(u"kod");
    const TSonucBilgisi bilgi = signInRecord(in, u"bilgi");
    endParameters(in);

    StockQuery query;
    // Catalogue order (the item number): the index walk needs no sort, and the
    // limit stops it early.
    query.orderLimit = QStringLiteral("ORDER BY s.stokno LIMIT %1").arg(kMaxSearchRows);
    QStringList conditions;
    QStringList indexed;
    const bool postgres = ctx.db.driverName() == QLatin1String("QPSQL");
    for (const QString &word : searchtext::words(kod)) {
        if (!postgres && word.size() >= 3) {
            indexed << u'"' + word + u'"';
        } else {
            conditions << QStringLiteral("s.arama LIKE ?");
            query.values << QString(u'%' + word + u'%');
        }
    }
    if (!indexed.isEmpty()) {
        conditions.prepend(QStringLiteral("s.stokno IN (SELECT rowid FROM stok_ara WHERE stok_ara MATCH ?)"));
        query.values.prepend(indexed.join(QStringLiteral(" AND ")));
    }
    if (!conditions.isEmpty())
        query.where = QStringLiteral("WHERE ") + conditions.join(QStringLiteral(" AND "));
    return {stockTable(ctx, bilgi.CARINO(), query)};
}

QList<wire::Value> yeniler(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    endParameters(in);
    StockQuery query;
    query.where = QStringLiteral("WHERE s.yeni = 1");
    return {stockTable(ctx, carino, query)};
}

QList<wire::Value> kampanyali(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"cario");
    const int userType = in.int32(u"satici");
    endParameters(in);
    StockQuery query;
    query.campaignColumns = true;
    // Users of type 4 are shown no campaign prices at all.
    query.where = userType == 4 ? QStringLiteral("WHERE 1 = 0") : QStringLiteral("WHERE s.kampanya = 1 AND s.kampfiyat > 0");
    return {stockTable(ctx, carino, query)};
}

// The item's movements on the dealer's account: its invoice lines.
QList<wire::Value> stokHareket(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    const int stokno = in.int32(u"stokno");
    endParameters(in);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT st.barkod, f.tarih, f.turadi, f.evrakno, fs.miktar, fs.birimfiyat, fs.ind1, "
                                        "fs.ind2, fs.kdv, f.vade, c.carikod, f.saticiadi FROM fatura_satir fs "
                                        "JOIN fatura f ON f.idno = fs.idno JOIN stok st ON st.stokno = fs.stokno "
                                        "JOIN cari c ON c.carino = f.carino WHERE f.carino = ? AND fs.stokno = ? "
                                        "ORDER BY f.tarih, fs.satirno"),
                         {carino, stokno});
    QList<FieldDef> fields = {strCol("BARKOD", 50), dateCol("TARIH"), strCol("TURU", 50), strCol("EVRAKSERI", 10),
                              strCol("EVRAKSIRA", 20), floatCol("MIKTAR"), floatCol("TLBIRIMFIYAT"), floatCol("TLVERGI"),
                              floatCol("TLTUTAR")};
    for (int i = 1; i <= 8; ++i)
        fields << FieldDef{QStringLiteral("INDIRIM%1").arg(i), FieldType::Float, 0};
    fields << floatCol("TOPLAMINDIRIM") << floatCol("MASRAF1") << floatCol("MASRAF2") << floatCol("TOPLAMMASRAF")
           << floatCol("NETBIRIMFIYAT") << floatCol("NETTLTUTAR") << intCol("VADE") << strCol("STOKCARIKOD", 25)
           << floatCol("KDVDAHILBIRIMFIYAT") << floatCol("KDVDAHILTUTAR") << strCol("SATICI", 50);
    TableBuilder t(fields);
    while (q.next()) {
        const double qty = q.value(4).toDouble();
        const pricing::Rates rates{q.value(6).toDouble(), q.value(7).toDouble(), 0, 0};
        const pricing::LineAmounts a = pricing::lineAmounts(qty, q.value(5).toDouble(), rates, q.value(8).toDouble());
        const QString evrak = q.value(3).toString();
        t.row();
        t.add(q.value(0).toString()).add(q.value(1).toDouble()).add(q.value(2).toString());
        t.add(evrak.left(3)).add(evrak.mid(3)).add(qty).add(q.value(5).toDouble()).add(a.vergiTutari).add(a.tutar);
        t.add(rates[0]).add(rates[1]);
        for (int i = 3; i <= 8; ++i)
            t.add(0.0);
        t.add(a.indirimTutar).add(0.0).add(0.0).add(0.0).add(a.netBirimFiyat).add(a.netTutar);
        t.add(q.value(9).toInt()).add(q.value(10).toString());
        t.add(qty != 0 ? pricing::round2(a.kdvliTutar / qty) : 0.0).add(a.kdvliTutar).add(q.value(11).toString());
    }
    return {t.take()};
}

} // namespace

void addCatalogueMethods(MethodTable &table)
{
    table.insert(QStringLiteral("EnVer"), enVer);
    table.insert(QStringLiteral("StokAraGetirZelvori"), stokAra);
    table.insert(QStringLiteral("YenilerVer2"), yeniler);
    table.insert(QStringLiteral("KampanyaliVer2"), kampanyali);
    table.insert(QStringLiteral("StokHareketVer"), stokHareket);
}

} // namespace appserver
