#include "appserver/demodata.h"

#include "appserver/pictures.h"
#include "appserver/pricing.h"
#include "appserver/rng.h"
#include "appserver/searchtext.h"
#include "platform/dataset/fieldtype.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

#include <vector>

namespace {

struct PartGroup {
    const char16_t *name;
    const char16_t *anagrup;
    const char16_t *prefix;
    double basePrice;
    int packSize;
    const char16_t *unit;
};

const PartGroup kGroups[] = {
    {u"ÖN FREN BALATASI", u"FREN", u"FRB", 850, 1, u"TAKIM"},
    {u"ARKA FREN BALATASI", u"FREN", u"FRA", 640, 1, u"TAKIM"},
    {u"ÖN FREN DİSKİ", u"FREN", u"FRD", 1450, 2, u"ADET"},
    {u"YAĞ FİLTRESİ", u"FİLTRE", u"FLY", 180, 6, u"ADET"},
    {u"HAVA FİLTRESİ", u"FİLTRE", u"FLH", 260, 4, u"ADET"},
    {u"POLEN FİLTRESİ", u"FİLTRE", u"FLP", 210, 4, u"ADET"},
    {u"YAKIT FİLTRESİ", u"FİLTRE", u"FLM", 340, 4, u"ADET"},
    {u"ÖN AMORTİSÖR", u"SÜSPANSİYON", u"AMR", 2100, 2, u"ADET"},
    {u"ROTİL", u"SÜSPANSİYON", u"RTL", 420, 2, u"ADET"},
    {u"SALINCAK", u"SÜSPANSİYON", u"SLN", 1350, 1, u"ADET"},
    {u"TRİGER SETİ", u"MOTOR", u"TRG", 3900, 1, u"TAKIM"},
    {u"DEVİRDAİM POMPASI", u"MOTOR", u"DVR", 1650, 1, u"ADET"},
    {u"BUJİ", u"ATEŞLEME", u"BUJ", 140, 4, u"ADET"},
    {u"ATEŞLEME BOBİNİ", u"ATEŞLEME", u"BOB", 980, 1, u"ADET"},
    {u"FAR AMPULÜ H7", u"AYDINLATMA", u"AMP", 95, 10, u"ADET"},
    {u"STOP LAMBASI", u"AYDINLATMA", u"STP", 1150, 1, u"ADET"},
    {u"DEBRİYAJ SETİ", u"ŞANZIMAN", u"DBR", 4800, 1, u"TAKIM"},
    {u"RADYATÖR", u"SOĞUTMA", u"RAD", 2750, 1, u"ADET"},
    {u"TERMOSTAT", u"SOĞUTMA", u"TRM", 380, 2, u"ADET"},
    {u"SİLECEK SÜPÜRGESİ", u"AKSESUAR", u"SLC", 160, 2, u"ADET"},
    {u"AKÜ 60 AH", u"ELEKTRİK", u"AKU", 3200, 1, u"ADET"},
    {u"MARŞ MOTORU", u"ELEKTRİK", u"MRS", 5400, 1, u"ADET"},
    {u"MOTOR YAĞI 5W30 4 LT", u"MADENİ YAĞ", u"YAG", 1250, 4, u"ADET"},
    {u"V KAYIŞI", u"MOTOR", u"VKY", 290, 2, u"ADET"},
};
constexpr int kGroupCount = int(sizeof(kGroups) / sizeof(kGroups[0]));

struct Vehicle {
    const char16_t *brand;
    const char16_t *model;
};
const Vehicle kVehicles[] = {
    {u"FIAT", u"DOBLO 1.3 MJT"},      {u"FIAT", u"EGEA 1.4"},         {u"RENAULT", u"CLIO IV 1.5 DCI"},
    {u"RENAULT", u"MEGANE III 1.6"},  {u"FORD", u"FOCUS III 1.6"},    {u"FORD", u"TRANSIT 2.2 TDCI"},
    {u"VOLKSWAGEN", u"PASSAT B7 2.0"}, {u"VOLKSWAGEN", u"GOLF VII 1.4"}, {u"TOYOTA", u"COROLLA 1.4 D4D"},
    {u"HYUNDAI", u"ACCENT BLUE 1.6"}, {u"OPEL", u"ASTRA J 1.6"},       {u"PEUGEOT", u"301 1.6 HDI"},
    {u"DACIA", u"DUSTER 1.5"},        {u"HONDA", u"CIVIC 1.6"},         {u"CITROEN", u"C-ELYSEE 1.6"},
};
constexpr int kVehicleCount = int(sizeof(kVehicles) / sizeof(kVehicles[0]));

const QStringList kMakers = {QStringLiteral("ZELPAR"), QStringLiteral("DURAFREN"), QStringLiteral("OTOKOR"),
                             QStringLiteral("KARTAL"), QStringLiteral("ANKA"), QStringLiteral("TEKNOPART")};

struct Item {
    int stokno;
    int group;
    double listPrice;
    double campaignPrice;
    std::array<double, 3> isk;  // rates 2-4
    double vat;
    int packSize;
};

class Generator {
public:
    Generator(const QSqlDatabase &db, const SeedOptions &o) : m_db(db), m_opt(o), m_rng(o.seed)
    {
        m_today = int(dayNumberFromDate(o.today));
    }

    void run()
    {
        pictures();
        items();
        documents();
        baskets();
    }

private:
    QSqlQuery prepare(const QString &sql)
    {
        QSqlQuery q(m_db);
        if (!q.prepare(sql))
            throw DatabaseError(QStringLiteral("cannot prepare %1").arg(sql));
        return q;
    }
    static void exec(QSqlQuery &q, const QVariantList &values)
    {
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, bindable(values.at(i)));
        if (!q.exec())
            throw DatabaseError(QStringLiteral("demo data: %1 [%2]").arg(q.lastError().text(), q.lastQuery().left(80)));
    }

    void pictures()
    {
        QSqlQuery pic = prepare(QStringLiteral("INSERT INTO resim (resimno, tur, veri) VALUES (?, ?, ?)"));
        for (int g = 0; g < kGroupCount; ++g)
            exec(pic, {g + 1, QStringLiteral("image/jpeg"), pictures::productJpeg(g, QString::fromUtf16(kGroups[g].name))});
        const struct {
            const char16_t *title, *subtitle;
        } adverts[] = {{u"Fren Balatalarında %20 İndirim", u"Tüm ön ve arka balatalarda ay sonuna kadar"},
                       {u"Yeni Gelen Filtreler", u"Yağ, hava, polen ve yakıt filtrelerinde yeni seri"},
                       {u"Far Ampulleri Stokta", u"H7 ampullerde koli fiyatı avantajı"}};
        QSqlQuery ad = prepare(QStringLiteral("UPDATE duyuru SET resim = ? WHERE sirano = ?"));
        for (int i = 0; i < 3; ++i)
            exec(ad, {pictures::advertJpeg(i, QString::fromUtf16(adverts[i].title), QString::fromUtf16(adverts[i].subtitle)),
                      i + 1});
        QSqlQuery banner = prepare(QStringLiteral("INSERT INTO banner (adi, veri) VALUES (?, ?)"));
        exec(banner, {QStringLiteral("ust"), pictures::topBannerGif()});
        exec(banner, {QStringLiteral("alt"), pictures::bottomBannerBmp()});
    }

    QString oemNumber()
    {
        static const QStringList shapes = {QStringLiteral("99 99 999 999"), QStringLiteral("9A9-999-999-AA"),
                                           QStringLiteral("99.999.999"), QStringLiteral("A999 999 99"),
                                           QStringLiteral("9999 A9")};
        return m_rng.pattern(m_rng.pick(shapes));
    }

    void items()
    {
        QSqlQuery q = prepare(QStringLiteral(
            "INSERT INTO stok (stokno, barkod, barkodno, adi, digeradi, oem1, oem2, oem3, oem4, oemno, finishkod, "
            "ureticikodu, ozelkod, pkod, dpkod, birim, marka, model, anagrup, altgrup, departman, kdv, listefiyat, "
            "kampfiyat, isk2, isk3, isk4, durum, kalan, alinansiparis, verilensiparis, yeni, kampanya, resimno, "
            "koliadet, arama) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        m_items.reserve(size_t(m_opt.items));
        for (int i = 0; i < m_opt.items; ++i) {
            const int g = m_rng.range(0, kGroupCount - 1);
            const PartGroup &group = kGroups[g];
            const Vehicle &v = kVehicles[m_rng.range(0, kVehicleCount - 1)];
            Item item;
            item.stokno = 1001 + i;
            item.group = g;
            item.listPrice = pricing::round2(group.basePrice * (0.6 + m_rng.unit() * 0.9));
            const bool campaign = (g <= 1 && m_rng.chance(40)) || m_rng.chance(6);
            item.campaignPrice = campaign ? pricing::round2(item.listPrice * (0.7 + m_rng.unit() * 0.15)) : 0.0;
            const int disc = m_rng.range(0, 9);
            item.isk = {disc < 7 ? 5.0 : 0.0, disc < 3 ? 3.0 : 0.0, disc == 0 ? 2.0 : 0.0};
            item.vat = g == 22 ? 20.0 : 20.0;
            item.packSize = group.packSize;
            m_items.push_back(item);

            const QString barkod = QString::fromUtf16(group.prefix) + u'-' + QString::number(10000 + i)
                + (m_rng.chance(30) ? QString(QChar(u'A' + m_rng.range(0, 5))) : QString());
            const QString adi = QString::fromUtf16(group.name) + u' ' + QString::fromUtf16(v.brand) + u' '
                + QString::fromUtf16(v.model);
            const QString oem1 = oemNumber();
            const QString oem2 = m_rng.chance(50) ? oemNumber() : QString();
            const QString oem3 = m_rng.chance(25) ? oemNumber() : QString();
            const QString oem4 = m_rng.chance(10) ? oemNumber() : QString();
            const QString oemno = searchtext::normalise(oem1);
            const QString finish = m_rng.pattern(u"FN999999");
            const QString maker = m_rng.pick(kMakers);
            const QString uretici = maker.left(3) + u' ' + m_rng.pattern(u"9999");
            const QString digeradi = QString::fromUtf16(group.anagrup) + u' ' + maker;
            const int stateRoll = m_rng.range(0, 99);
            const int durum = stateRoll < 60 ? 1 : stateRoll < 68 ? 2 : stateRoll < 78 ? 3 : stateRoll < 85 ? 4
                                            : stateRoll < 93 ? 5 : 0;
            const double kalan = durum == 1 ? m_rng.range(5, 400) : durum == 0 ? 0 : m_rng.range(0, 4);
            const bool yeni = m_rng.chance(5) || (g >= 3 && g <= 6 && m_rng.chance(10));
            const int resimno = m_rng.chance(35) ? g + 1 : 0;
            QStringList searchParts = {barkod, oem1, oem2, oem3, oem4, oemno, finish, uretici, adi, digeradi};
            for (QString &s : searchParts)
                s = searchtext::normalise(s);
            searchParts.removeAll(QString());
            exec(q, {item.stokno, barkod, 500000 + i, adi, digeradi, oem1, oem2, oem3, oem4, oemno, finish, uretici,
                     QString(QChar(u'A' + m_rng.range(0, 2))), QString::fromUtf16(group.prefix),
                     QString(QStringLiteral("DP") + QString::number(g + 1)), QString::fromUtf16(group.unit),
                     QString::fromUtf16(v.brand), QString::fromUtf16(v.model), QString::fromUtf16(group.anagrup), maker,
                     QString::fromUtf16(group.anagrup), item.vat, item.listPrice, item.campaignPrice, item.isk[0],
                     item.isk[1], item.isk[2], durum, kalan, double(m_rng.range(0, 40)), double(m_rng.range(0, 60)),
                     yeni ? 1 : 0, campaign ? 1 : 0, resimno, group.packSize, searchParts.join(u'|')});
        }
    }

    const Item &randomItem() { return m_items.at(size_t(m_rng.range(0, int(m_items.size()) - 1))); }

    // The unit price and rates a dealer with this discount pays for an item.
    static std::pair<double, pricing::Rates> priceFor(const Item &item, double dealerDiscount)
    {
        if (item.campaignPrice > 0)
            return {item.campaignPrice, {0, 0, 0, 0}};
        return {item.listPrice, {dealerDiscount, item.isk[0], item.isk[1], item.isk[2]}};
    }

    double dayTime(int daysAgo)
    {
        return double(m_today - daysAgo) + (8 * 60 + m_rng.range(0, 9 * 60)) / 1440.0;
    }

    struct Account {
        int carino;
        double discount;
        int vade;
        QString rep;
        int userId;
    };

    std::vector<Account> accounts()
    {
        std::vector<Account> out;
        QSqlQuery q(m_db);
        q.exec(QStringLiteral("SELECT c.carino, c.indirim, c.vade, s.adi, COALESCE((SELECT MIN(k.sirano) FROM kullanici k "
                              "WHERE k.carino = c.carino), 4) FROM cari c JOIN satici s ON s.saticino = c.saticino "
                              "ORDER BY c.carino"));
        while (q.next())
            out.push_back({q.value(0).toInt(), q.value(1).toDouble(), q.value(2).toInt(), q.value(3).toString(),
                           q.value(4).toInt()});
        return out;
    }

    void documents()
    {
        QSqlQuery order = prepare(QStringLiteral(
            "INSERT INTO siparis (idno, carino, tarih, verenid, teslimid, kargoturid, kargofirmaid, durum, aciklama, "
            "bizimnot, saticinotu) VALUES (?,?,?,?,?,?,?,?,?,?,?)"));
        QSqlQuery line = prepare(QStringLiteral(
            "INSERT INTO siparis_satir (stokhar_no, idno, sepetsirano, stokno, miktar, teslimedilen, kalan, birimfiyat, "
            "ilkfiyat, ind1, ind2, ind3, ind4, kdv, kampanya) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        QSqlQuery invoice = prepare(QStringLiteral(
            "INSERT INTO fatura (idno, carino, tarih, evrakno, vade, saticiadi, turadi, siparisidno) VALUES (?,?,?,?,?,?,?,?)"));
        QSqlQuery invLine = prepare(QStringLiteral(
            "INSERT INTO fatura_satir (satirno, idno, stokno, miktar, birimfiyat, ind1, ind2, kdv) VALUES (?,?,?,?,?,?,?,?)"));
        QSqlQuery collection = prepare(QStringLiteral(
            "INSERT INTO tahsilat (idno, carino, tarih, turadi, cins, evrakno, vade, tutar, aciklama, ref, sanalposno) "
            "VALUES (?,?,?,?,?,?,?,?,?,?,?)"));
        QSqlQuery pos = prepare(QStringLiteral(
            "INSERT INTO sanalpos (sirano, tahsilatidno, kartsahibi, kartno, onaykodu, taksit, tutar, tarih) "
            "VALUES (?,?,?,?,?,?,?,?)"));
        QSqlQuery ledger = prepare(QStringLiteral(
            "INSERT INTO ekstre (satirno, carino, tarih, turadi, evrak, borc, alacak, kur, idno, aciklama, vade) "
            "VALUES (?,?,?,?,?,?,?,?,?,?,?)"));

        static const QStringList notes = {QString(), QStringLiteral("Acil gönderim rica ederiz."),
                                          QStringLiteral("Faturayı şirket adına kesiniz."),
                                          QStringLiteral("Eksik parça varsa arayınız.")};
        static const QStringList ourNotes = {QString(), QStringLiteral("Siparişiniz hazırlanıyor."),
                                             QStringLiteral("Eksik ürünler tedarik edilince gönderilecek."),
                                             QStringLiteral("Kargo takip numarası SMS ile iletildi.")};
        int orderNo = 5001, lineNo = 1, invoiceNo = 70001, invLineNo = 1, collectionNo = 90001, posNo = 345,
            ledgerNo = 1;
        for (const Account &acc : accounts()) {
            auto addLedger = [&](double day, const QString &kind, const QString &doc, double debit, double credit,
                                 int idno, const QString &note, double due) {
                exec(ledger, {ledgerNo++, acc.carino, day, kind, doc, debit, credit, QStringLiteral("TL"), idno, note, due});
            };
            // Opening balance at the start of the period.
            const double opening = pricing::round2(2000 + m_rng.unit() * 18000);
            addLedger(double(m_today - 200), QStringLiteral("Devir"), QStringLiteral("DVR-") + QString::number(acc.carino),
                      opening, 0, 0, QStringLiteral("Önceki dönemden devir"), double(m_today - 200));

            // Orders: every status at least once for each account, plus a few more.
            const int orderCount = 7 + m_rng.range(0, 3);
            for (int o = 0; o < orderCount; ++o) {
                const int durum = o < 6 ? 2 + o : m_rng.range(2, 7);
                // Older orders are further along.
                const int daysAgo = durum == 7 ? m_rng.range(10, 150) : durum >= 5 ? m_rng.range(2, 9) : m_rng.range(1, 3);
                const double day = dayTime(daysAgo);
                const int idno = orderNo++;
                const int teslim = m_rng.range(1, 3), kargoTur = m_rng.range(1, 4);
                const int firma = kargoTur == 1 ? m_rng.range(1, 3) : kargoTur == 2 ? m_rng.range(4, 5)
                                : kargoTur == 3 ? m_rng.range(6, 7) : 8;
                exec(order, {idno, acc.carino, day, acc.userId, teslim, kargoTur, firma, durum, m_rng.pick(notes),
                             durum >= 5 ? m_rng.pick(ourNotes) : QString(),
                             m_rng.chance(30) ? QStringLiteral("Müşteri vade farkı istemedi.") : QString()});
                const int lines = m_rng.range(2, 6);
                std::vector<std::tuple<const Item *, double, double, pricing::Rates>> delivered;
                for (int l = 0; l < lines; ++l) {
                    const Item &item = randomItem();
                    const double qty = double(item.packSize * m_rng.range(1, 5));
                    double given = 0;
                    if (durum == 7)
                        given = m_rng.chance(20) ? qty - item.packSize : qty;  // some lines shipped short
                    else if (durum == 5)
                        given = m_rng.chance(50) ? double(item.packSize) : 0;
                    if (given < 0)
                        given = 0;
                    const auto [price, rates] = priceFor(item, acc.discount);
                    exec(line, {lineNo, idno, 100000 + lineNo, item.stokno, qty, given, qty - given, price, price,
                                rates[0], rates[1], rates[2], rates[3], item.vat, item.campaignPrice > 0 ? 1 : 0});
                    ++lineNo;
                    if (given > 0)
                        delivered.emplace_back(&item, given, price, rates);
                }
                if (durum == 7 && !delivered.empty()) {
                    // The shipment is invoiced.
                    const int fid = invoiceNo++;
                    const double fday = day + 1;
                    const QString evrak = QStringLiteral("ZLV2026%1").arg(fid, 9, 10, QChar(u'0'));
                    exec(invoice, {fid, acc.carino, fday, evrak, acc.vade, acc.rep, QStringLiteral("Satış Faturası"), idno});
                    double kdvDahil = 0;
                    for (const auto &[item, qty, price, rates] : delivered) {
                        exec(invLine, {invLineNo++, fid, item->stokno, qty, price, rates[0], rates[1], item->vat});
                        kdvDahil += lineTotal(qty, price, rates[0], rates[1], item->vat);
                    }
                    addLedger(fday, QStringLiteral("Satış Faturası"), evrak, pricing::round2(kdvDahil), 0, fid,
                              QStringLiteral("Sipariş %1 sevkiyatı").arg(idno), fday + acc.vade);
                }
            }

            // Collections and payments over the period.
            const int payments = 3 + m_rng.range(0, 3);
            for (int p = 0; p < payments; ++p) {
                const int daysAgo = m_rng.range(5, 190);
                const double day = dayTime(daysAgo);
                const int tid = collectionNo++;
                const bool refund = p == payments - 1 && m_rng.chance(40);
                const bool card = !refund && (p == 0 || m_rng.chance(35));
                const double amount = pricing::round2(refund ? 150 + m_rng.unit() * 400 : 1500 + m_rng.unit() * 6000);
                const QString kind = refund ? QStringLiteral("Tediye") : QStringLiteral("Tahsilat");
                const QString cins = card ? QStringLiteral("Kredi Kartı") : refund ? QStringLiteral("Nakit")
                                     : m_rng.chance(50) ? QStringLiteral("Havale") : QStringLiteral("Nakit");
                const QString evrak = (refund ? QStringLiteral("TDY") : QStringLiteral("THS")) + QString::number(tid);
                const int posId = card ? posNo++ : 0;
                const QString note = card ? QStringLiteral("Sanal POS ödemesi") : refund ? QStringLiteral("Fazla ödeme iadesi")
                                                                                        : cins + QStringLiteral(" tahsilatı");
                exec(collection, {tid, acc.carino, day, kind, cins, evrak, day, amount, note,
                                  card ? QStringLiteral("POS-%1").arg(posId) : QString(), posId});
                if (card)
                    exec(pos, {posId, tid, QStringLiteral("KART SAHİBİ %1").arg(acc.carino),
                               QStringLiteral("5400 61** **** %1").arg(m_rng.range(1000, 9999)), m_rng.pattern(u"999999"),
                               m_rng.range(1, 3), amount, day});
                if (refund)
                    addLedger(day, kind, evrak, amount, 0, tid, note, day);
                else
                    addLedger(day, kind, evrak, 0, amount, tid, note, day);
            }
            // One returned part, credited.
            if (m_rng.chance(50)) {
                const Item &item = randomItem();
                const int fid = invoiceNo++;
                const double day = dayTime(m_rng.range(20, 100));
                const QString evrak = QStringLiteral("ZLI2026%1").arg(fid, 9, 10, QChar(u'0'));
                const auto [price, rates] = priceFor(item, acc.discount);
                exec(invoice, {fid, acc.carino, day, evrak, 0, acc.rep, QStringLiteral("Satış İade Faturası"), 0});
                exec(invLine, {invLineNo++, fid, item.stokno, double(item.packSize), price, rates[0], rates[1], item.vat});
                addLedger(day, QStringLiteral("Satış İade Faturası"), evrak, 0,
                          pricing::round2(lineTotal(item.packSize, price, rates[0], rates[1], item.vat)), fid,
                          QStringLiteral("İade"), day);
            }
        }
    }

    static double lineTotal(double qty, double price, double r1, double r2, double vat)
    {
        return pricing::lineAmounts(qty, price, {r1, r2, 0, 0}, vat).kdvliTutar;
    }

    void baskets()
    {
        QSqlQuery q = prepare(QStringLiteral(
            "INSERT INTO sepet (sirano, carino, stokno, miktar, birimfiyat, ind1, ind2, ind3, ind4, kdv, kampanya, sec, "
            "verenid, tarih) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        int sirano = 1;
        for (const Account &acc : accounts()) {
            const int lines = acc.carino == 1001 ? 5 : acc.carino <= 1003 ? 3 : m_rng.chance(50) ? m_rng.range(1, 4) : 0;
            for (int l = 0; l < lines; ++l) {
                const Item &item = randomItem();
                const auto [price, rates] = priceFor(item, acc.discount);
                exec(q, {sirano++, acc.carino, item.stokno, double(item.packSize * m_rng.range(1, 3)), price, rates[0],
                         rates[1], rates[2], rates[3], item.vat, item.campaignPrice > 0 ? 1 : 0, l < 2 ? 1 : 0,
                         acc.userId, dayTime(m_rng.range(0, 2))});
            }
        }
    }

    const QSqlDatabase &m_db;
    SeedOptions m_opt;
    DemoRandom m_rng;
    int m_today = 0;
    std::vector<Item> m_items;
};

} // namespace

void generateDemoData(const QSqlDatabase &db, const SeedOptions &options, bool postgres)
{
    Q_UNUSED(postgres);
    SeedOptions o = options;
    if (o.items < 1)
        o.items = 1;
    Generator(db, o).run();
}
