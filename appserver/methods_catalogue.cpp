// Catalogue: pack size, stock search, new and campaign items, movements and
// order lines of an item.
#include "appserver/methods.h"
#include "appserver/pricing.h"
#include "appserver/searchtext.h"
#include "appserver/tablebuilder.h"

#include <QMutex>
#include <QSqlQuery>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace appserver {

namespace {

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
    return preparedScalarSql(ctx.db, QStringLiteral("SELECT indirim FROM cari WHERE carino = ?"), {carino}).toDouble();
}

namespace {

// The catalogue's columns that do not depend on the dealer, read once per
// database and kept in memory: no server method changes the catalogue, and
// building ten thousand result rows from memory costs a fraction of
// reading them through Qt Sql. The search itself still runs in the database.
struct CachedItem {
    enum Text { Barkod, Adi, Digeradi, Oem1, Oem2, Oem3, Oem4, Oemno, Finish, Uretici, Ozel, Pkod, Dpkod, Birim,
                Marka, Model, Anagrup, TextCount };
    QByteArray text[TextCount];  // UTF-8
    int barkodno = 0, durum = 0, yeni = 0, resim = 0;
    bool campaign = false;
    double kdv = 0, list = 0, campaignPrice = 0, isk2 = 0, isk3 = 0, isk4 = 0, kalan = 0, alinan = 0, verilen = 0;
};

struct Catalogue {
    QHash<int, CachedItem> items;
};

std::shared_ptr<const Catalogue> loadCatalogue(const QSqlDatabase &db)
{
    auto cat = std::make_shared<Catalogue>();
    QSqlQuery q = runSql(db, QStringLiteral(
        "SELECT stokno, barkod, adi, digeradi, oem1, oem2, oem3, oem4, oemno, finishkod, ureticikodu, ozelkod, pkod, "
        "dpkod, birim, marka, model, anagrup, barkodno, durum, yeni, resimno, kampanya, kdv, listefiyat, kampfiyat, "
        "isk2, isk3, isk4, kalan, alinansiparis, verilensiparis FROM stok"));
    while (q.next()) {
        CachedItem it;
        for (int i = 0; i < CachedItem::TextCount; ++i)
            it.text[i] = q.value(1 + i).toString().toUtf8();
        it.barkodno = q.value(18).toInt();
        it.durum = q.value(19).toInt();
        it.yeni = q.value(20).toInt();
        it.resim = q.value(21).toInt() > 0 ? 1 : 0;
        it.kdv = q.value(23).toDouble();
        it.list = q.value(24).toDouble();
        it.campaignPrice = q.value(25).toDouble();
        it.campaign = q.value(22).toInt() > 0 && it.campaignPrice > 0;
        it.isk2 = q.value(26).toDouble();
        it.isk3 = q.value(27).toDouble();
        it.isk4 = q.value(28).toDouble();
        it.kalan = q.value(29).toDouble();
        it.alinan = q.value(30).toDouble();
        it.verilen = q.value(31).toDouble();
        cat->items.insert(q.value(0).toInt(), std::move(it));
    }
    return cat;
}

std::shared_ptr<const Catalogue> catalogue(const QSqlDatabase &db)
{
    static QMutex mutex;
    static QHash<QString, std::shared_ptr<const Catalogue>> byDatabase;
    const QString key = db.driverName() + u'|' + db.hostName() + u'|' + QString::number(db.port()) + u'|'
                        + db.databaseName();
    QMutexLocker lock(&mutex);
    auto it = byDatabase.find(key);
    if (it == byDatabase.end())
        it = byDatabase.insert(key, loadCatalogue(db));
    return it.value();
}

} // namespace

void warmCatalogue(const QSqlDatabase &db) { catalogue(db); }

TableData stockTable(Context &ctx, int carino, const StockQuery &query)
{
    const double discount = dealerDiscount(ctx, carino);
    const std::shared_ptr<const Catalogue> cat = catalogue(ctx.db);
    QSqlQuery q = runPreparedSql(ctx.db, QStringLiteral("SELECT s.stokno FROM stok s ") + query.where + u' '
                                             + query.orderLimit,
                                 query.values);
    // The matches first, then the table in one go: with the row count and
    // every text column's size known, no column buffer is ever regrown.
    std::vector<std::pair<int, const CachedItem *>> found;
    while (q.next()) {
        const int stokno = q.value(0).toInt();
        const auto it = cat->items.constFind(stokno);
        if (it != cat->items.cend())
            found.emplace_back(stokno, &it.value());
    }
    using T = CachedItem;
    TableBuilder t(stockFields(query.campaignColumns));
    t.reserve(qsizetype(found.size()));
    {
        // Column of each cached text, in the order stockFields lists them.
        static constexpr std::pair<int, int> kTextColumn[] = {
            {T::Oem1, 1},     {T::Oem2, 2},    {T::Oem3, 3},    {T::Barkod, 4},   {T::Adi, 5},    {T::Oem4, 6},
            {T::Finish, 8},   {T::Uretici, 9}, {T::Digeradi, 12}, {T::Dpkod, 13}, {T::Oemno, 14}, {T::Birim, 15},
            {T::Marka, 16},   {T::Model, 17},  {T::Anagrup, 18}, {T::Ozel, 19},   {T::Pkod, 21},
        };
        for (const auto &[text, col] : kTextColumn) {
            qsizetype bytes = 0;
            for (const auto &m : found)
                bytes += m.second->text[text].size() + 2;  // the text and its length prefix
            t.reserveText(col, bytes);
        }
    }
    for (const auto &[stokno, item] : found) {
        const CachedItem &c = *item;
        // A campaign price is net: no further discounts apply to it.
        const pricing::Rates rates = c.campaign ? pricing::Rates{0, 0, 0, 0}
                                                : pricing::Rates{discount, c.isk2, c.isk3, c.isk4};
        const double price = c.campaign ? c.campaignPrice : c.list;
        const double net = pricing::round2(pricing::afterDiscounts(price, rates));
        const double campaignCut = c.list > 0 ? pricing::round2((c.list - c.campaignPrice) * 100.0 / c.list) : 0;
        const QString text = c.campaign ? QStringLiteral("%") + QString::number(campaignCut, 'f', 0)
                                        : pricing::ratesText(rates);
        t.row();
        t.add(c.durum);
        t.addUtf8(c.text[T::Oem1]).addUtf8(c.text[T::Oem2]).addUtf8(c.text[T::Oem3]).addUtf8(c.text[T::Barkod]);
        t.addUtf8(c.text[T::Adi]).addUtf8(c.text[T::Oem4]);
        t.add(stokno);
        t.addUtf8(c.text[T::Finish]).addUtf8(c.text[T::Uretici]);
        t.add(c.resim).add(c.barkodno);
        t.addUtf8(c.text[T::Digeradi]).addUtf8(c.text[T::Dpkod]).addUtf8(c.text[T::Oemno]).addUtf8(c.text[T::Birim]);
        t.addUtf8(c.text[T::Marka]).addUtf8(c.text[T::Model]).addUtf8(c.text[T::Anagrup]).addUtf8(c.text[T::Ozel]);
        t.add(c.kalan).addUtf8(c.text[T::Pkod]).add(c.kdv).add(c.alinan).add(c.verilen);
        t.add(c.list).add(c.campaign ? c.campaignPrice : 0.0).add(price);
        t.add(c.yeni).add(c.campaign ? 1 : 0);
        for (double r : rates)
            t.add(r);
        t.add(text).add(c.campaign ? campaignCut : pricing::round2(price - net));
        if (query.campaignColumns)
            t.add(c.list);
        t.add(net).add(pricing::round2(net * (1 + c.kdv / 100.0)));
    }
    return t.take();
}

namespace {

QList<wire::Value> enVer(Context &ctx, wire::Reader &in)
{
    const int stokno = in.int32(u"stokno");
    endParameters(in);
    const QVariant pack =
        preparedScalarSql(ctx.db, QStringLiteral("SELECT koliadet FROM stok WHERE stokno = ?"), {stokno});
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
    // limit stops it early. The result never grows beyond the server's search
    // limit: a search that broad is better narrowed than scrolled.
    query.orderLimit = QStringLiteral("ORDER BY s.stokno LIMIT %1").arg(std::max(1, ctx.searchLimit));
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
