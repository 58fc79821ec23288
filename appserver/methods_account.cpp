// The dealer's account: statement, invoices, collections, card receipts,
// reports, balance texts.
#include "appserver/methods.h"
#include "appserver/pdfdocument.h"
#include "appserver/pricing.h"
#include "appserver/tablebuilder.h"
#include "platform/dataset/fieldtype.h"

#include <QSqlQuery>

#include <cmath>

namespace appserver {

namespace {

QString dateText(double day)
{
    return dateFromDayNumber(day).toString(QStringLiteral("dd.MM.yyyy"));
}

double accountBalance(Context &ctx, int carino)
{
    return scalarSql(ctx.db, QStringLiteral("SELECT COALESCE(SUM(borc - alacak), 0) FROM ekstre WHERE carino = ?"), {carino})
        .toDouble();
}

// The part of the balance that is older than the account's payment term.
double overdueAmount(Context &ctx, int carino, double atDay)
{
    const int vade = scalarSql(ctx.db, QStringLiteral("SELECT vade FROM cari WHERE carino = ?"), {carino}).toInt();
    const double balance = scalarSql(ctx.db,
                                     QStringLiteral("SELECT COALESCE(SUM(borc - alacak), 0) FROM ekstre WHERE carino = ? "
                                                    "AND tarih < ?"),
                                     {carino, atDay + 1})
                               .toDouble();
    const double recentDebit = scalarSql(ctx.db,
                                         QStringLiteral("SELECT COALESCE(SUM(borc), 0) FROM ekstre WHERE carino = ? "
                                                        "AND tarih >= ? AND tarih < ?"),
                                         {carino, atDay - vade, atDay + 1})
                                   .toDouble();
    return std::max(0.0, pricing::round2(balance - recentDebit));
}

QList<wire::Value> ekstre(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    endParameters(in);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT carino, tarih, turadi, evrak, borc, alacak, kur, idno, aciklama FROM ekstre "
                                        "WHERE carino = ? ORDER BY tarih, satirno"),
                         {carino});
    TableBuilder t({intCol("CARINO"), dateCol("TARIH"), strCol("TURADI", 50), strCol("EVRAK", 30), floatCol("BORC"),
                    floatCol("ALACAK"), strCol("KUR", 5), floatCol("BAKIYE"), strCol("D", 1), intCol("IDNO"),
                    strCol("ACIKLAMA", 200)});
    double balance = 0;
    while (q.next()) {
        balance = pricing::round2(balance + q.value(4).toDouble() - q.value(5).toDouble());
        t.row();
        for (int i = 0; i < 7; ++i)
            t.addFrom(q, i);
        t.add(balance).add(balance > 0 ? QStringLiteral("B") : balance < 0 ? QStringLiteral("A") : QStringLiteral(" "));
        t.addFrom(q, 7).addFrom(q, 8);
    }
    return {t.take()};
}

const char *const kInvoiceColumns[] = {
    "OEMNO", "STOKADI", "FINISHKOD", "MARKA", "MODEL", "ANAGRUP", "BIRIM", "STOKHAR_MIKTAR", "STOKHAR_TLBIRIMFIYATI",
    "STOKHAR_TLTUTAR", "STOKHAR_INDIRIM1", "STOKHAR_INDIRIM2", "KDV", "STOKHAR_TOPLAMINDIRIM", "STOKHAR_TOPLAMMASRAF",
    "STOKHAR_NETTLBIRIMFIYATI", "STOKHAR_NETTLTUTAR", "OZELKOD", "BARKOD", "STOKHAR_HAREKETTARIHI",
    "STOKHAR_HAREKETTIPI2", "EVRAKNO", "STOKHAR_TLVERGI", "IRSALIYEEVRAKNO", "STOKHAR_IRSTARIHI", "SATIRACIKLMASI",
    "STOKHAR_SAAT", "STOKHAR_VADE", "SIPARISEVRAKNO", "SIPARISTARIHI", "IRSALIYETIP2", "STOKHAR_INDIRIM3",
    "STOKHAR_INDIRIM4", "STOKHAR_INDIRIM5", "STOKHAR_INDIRIM6", "STOKHAR_INDIRIM7", "STOKHAR_INDIRIM8",
    "STOKHAR_DOVIZBIRIMFIYATI", "STOKHAR_DOVIZVERGI", "STOKHAR_DOVIZTUTAR", "STOKHAR_PARTI", "STOKHAR_BEDEN",
    "STOKHAR_RENK", "STOKHAR_MASRAF1", "STOKHAR_MASRAF2", "STOKHAR_DOVIZTOPLAMINDIRIM", "STOKHAR_DOVIZTOPLAMMASRAF",
    "STOKHAR_NETDOVIZBIRIMFIYATI", "STOKHAR_NETDOVIZTUTAR", "STOKHAR_KURTL", "SATICIADI", "SIPARISTIPI",
    "IRSALIYETIPINO", "STOKCARIKOD", "SUBE_NO", "STOKHAR_CARINO", "KUR_KURSIMGE", "URETICIKODU", "DPKOD", "ENADI", "PKOD",
    "BELGENO", "IDNO"};

FieldType invoiceColumnType(const QString &name)
{
    static const QStringList integers = {QStringLiteral("STOKHAR_VADE"), QStringLiteral("SIPARISTIPI"),
                                         QStringLiteral("IRSALIYETIPINO"), QStringLiteral("SUBE_NO"),
                                         QStringLiteral("STOKHAR_CARINO"), QStringLiteral("IDNO")};
    static const QStringList dates = {QStringLiteral("STOKHAR_HAREKETTARIHI"), QStringLiteral("STOKHAR_IRSTARIHI"),
                                      QStringLiteral("SIPARISTARIHI")};
    if (integers.contains(name))
        return FieldType::Integer;
    if (dates.contains(name))
        return FieldType::Date;
    if (name.startsWith(u"STOKHAR_") || name == u"KDV") {
        static const QStringList texts = {QStringLiteral("STOKHAR_HAREKETTIPI2"), QStringLiteral("STOKHAR_PARTI"),
                                          QStringLiteral("STOKHAR_BEDEN"), QStringLiteral("STOKHAR_RENK"),
                                          QStringLiteral("STOKHAR_SAAT")};
        return texts.contains(name) ? FieldType::String : FieldType::Float;
    }
    return FieldType::String;
}

struct InvoiceLine {
    QString stokadi;
    double qty, price, r1, r2, vat;
    pricing::LineAmounts a;
};

QList<wire::Value> faturaGetir(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    const int idno = in.int32(u"idnosu");
    endParameters(in);
    QSqlQuery q = runSql(
        ctx.db,
        QStringLiteral("SELECT st.oemno, st.adi, st.finishkod, st.marka, st.model, st.anagrup, st.birim, fs.miktar, "
                       "fs.birimfiyat, fs.ind1, fs.ind2, fs.kdv, st.ozelkod, st.barkod, f.tarih, f.turadi, f.evrakno, "
                       "f.vade, f.saticiadi, c.carikod, f.carino, st.ureticikodu, st.dpkod, st.pkod, f.idno, f.siparisidno, "
                       "COALESCE(o.tarih, f.tarih) FROM fatura_satir fs JOIN fatura f ON f.idno = fs.idno "
                       "JOIN stok st ON st.stokno = fs.stokno JOIN cari c ON c.carino = f.carino "
                       "LEFT JOIN siparis o ON o.idno = f.siparisidno WHERE f.idno = ? AND f.carino = ? ORDER BY fs.satirno"),
        {idno, carino});
    QList<FieldDef> fields;
    for (const char *name : kInvoiceColumns) {
        const QString n = QString::fromLatin1(name);
        const FieldType type = invoiceColumnType(n);
        fields << FieldDef{n, type, type == FieldType::String ? 100 : 0};
    }
    TableBuilder t(fields);
    while (q.next()) {
        const double qty = q.value(7).toDouble();
        const double price = q.value(8).toDouble();
        const pricing::LineAmounts a =
            pricing::lineAmounts(qty, price, {q.value(9).toDouble(), q.value(10).toDouble(), 0, 0}, q.value(11).toDouble());
        const double day = q.value(14).toDouble();
        QHash<QString, QVariant> v;
        const char *const direct[] = {"OEMNO", "STOKADI", "FINISHKOD", "MARKA", "MODEL", "ANAGRUP", "BIRIM"};
        for (int i = 0; i < 7; ++i)
            v.insert(QString::fromLatin1(direct[i]), q.value(i));
        v.insert(QStringLiteral("STOKHAR_MIKTAR"), qty);
        v.insert(QStringLiteral("STOKHAR_TLBIRIMFIYATI"), price);
        v.insert(QStringLiteral("STOKHAR_TLTUTAR"), a.tutar);
        v.insert(QStringLiteral("STOKHAR_INDIRIM1"), q.value(9));
        v.insert(QStringLiteral("STOKHAR_INDIRIM2"), q.value(10));
        v.insert(QStringLiteral("KDV"), q.value(11));
        v.insert(QStringLiteral("STOKHAR_TOPLAMINDIRIM"), a.indirimTutar);
        v.insert(QStringLiteral("STOKHAR_NETTLBIRIMFIYATI"), a.netBirimFiyat);
        v.insert(QStringLiteral("STOKHAR_NETTLTUTAR"), a.netTutar);
        v.insert(QStringLiteral("STOKHAR_TLVERGI"), a.vergiTutari);
        v.insert(QStringLiteral("OZELKOD"), q.value(12));
        v.insert(QStringLiteral("BARKOD"), q.value(13));
        v.insert(QStringLiteral("STOKHAR_HAREKETTARIHI"), day);
        v.insert(QStringLiteral("STOKHAR_HAREKETTIPI2"), q.value(15));
        v.insert(QStringLiteral("EVRAKNO"), q.value(16));
        v.insert(QStringLiteral("IRSALIYEEVRAKNO"), QString(u'I' + q.value(16).toString().mid(1)));
        v.insert(QStringLiteral("STOKHAR_IRSTARIHI"), day);
        v.insert(QStringLiteral("SATIRACIKLMASI"), q.value(1));
        v.insert(QStringLiteral("STOKHAR_SAAT"), timeText(day));
        v.insert(QStringLiteral("STOKHAR_VADE"), q.value(17));
        v.insert(QStringLiteral("SIPARISEVRAKNO"),
                 q.value(25).toInt() > 0 ? QStringLiteral("SIP-%1").arg(q.value(25).toInt()) : QString());
        v.insert(QStringLiteral("SIPARISTARIHI"), q.value(26));
        v.insert(QStringLiteral("IRSALIYETIP2"), QStringLiteral("Satış İrsaliyesi"));
        v.insert(QStringLiteral("STOKHAR_KURTL"), 1.0);
        v.insert(QStringLiteral("SATICIADI"), q.value(18));
        v.insert(QStringLiteral("STOKCARIKOD"), q.value(19));
        v.insert(QStringLiteral("STOKHAR_CARINO"), q.value(20));
        v.insert(QStringLiteral("KUR_KURSIMGE"), QStringLiteral("TL"));
        v.insert(QStringLiteral("URETICIKODU"), q.value(21));
        v.insert(QStringLiteral("DPKOD"), q.value(22));
        v.insert(QStringLiteral("PKOD"), q.value(23));
        v.insert(QStringLiteral("ENADI"), q.value(1));
        v.insert(QStringLiteral("BELGENO"), q.value(16));
        v.insert(QStringLiteral("IDNO"), q.value(24));
        v.insert(QStringLiteral("SIPARISTIPI"), 1);
        v.insert(QStringLiteral("IRSALIYETIPINO"), 1);
        v.insert(QStringLiteral("SUBE_NO"), 0);
        t.row();
        for (const FieldDef &f : std::as_const(fields)) {
            const QVariant value = v.value(f.name);
            if (value.isValid())
                t.addValue(value);
            else if (f.type == FieldType::String)
                t.add(QString());
            else
                t.add(0.0);
        }
    }
    return {t.take()};
}

QList<wire::Value> faturaAlt(Context &ctx, wire::Reader &in)
{
    const int idno = in.int32(u"idnosu");
    endParameters(in);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT miktar, birimfiyat, ind1, ind2, kdv FROM fatura_satir WHERE idno = ?"), {idno});
    pricing::LineAmounts sum;
    bool any = false;
    while (q.next()) {
        any = true;
        const pricing::LineAmounts a = pricing::lineAmounts(q.value(0).toDouble(), q.value(1).toDouble(),
                                                            {q.value(2).toDouble(), q.value(3).toDouble(), 0, 0},
                                                            q.value(4).toDouble());
        sum.tutar = pricing::round2(sum.tutar + a.tutar);
        sum.indirimTutar = pricing::round2(sum.indirimTutar + a.indirimTutar);
        sum.netTutar = pricing::round2(sum.netTutar + a.netTutar);
        sum.vergiTutari = pricing::round2(sum.vergiTutari + a.vergiTutari);
        sum.kdvliTutar = pricing::round2(sum.kdvliTutar + a.kdvliTutar);
    }
    TableBuilder t({floatCol("TOPLAM"), floatCol("TOPLAMINDIRIM"), floatCol("MATRAH"), floatCol("KDVTUTAR"),
                    floatCol("KDVDAHIL")});
    if (any) {
        t.row();
        t.add(sum.tutar).add(sum.indirimTutar).add(sum.netTutar).add(sum.vergiTutari).add(sum.kdvliTutar);
    }
    return {t.take()};
}

QList<wire::Value> tahsilat(Context &ctx, wire::Reader &in)
{
    const int idno = in.int32(u"idnosu");
    endParameters(in);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT tarih, turadi, cins, evrakno, vade, tutar, aciklama, ref FROM tahsilat "
                                        "WHERE idno = ?"),
                         {idno});
    TableBuilder t({dateCol("Tarih"), strCol("Türü", 50), strCol("Cins", 50), strCol("EvrakNo", 30), dateCol("Vade"),
                    floatCol("Tutar"), strCol("Kur", 5), floatCol("KurTL"), strCol("Açıklama", 200),
                    floatCol("Döviz Tutar"), strCol("Ref", 50), strCol("Saat", 8)});
    while (q.next()) {
        t.row();
        for (int i = 0; i < 6; ++i)
            t.addFrom(q, i);
        t.add(QStringLiteral("TL")).add(1.0).addFrom(q, 6).add(0.0).addFrom(q, 7).add(timeText(q.value(0).toDouble()));
    }
    return {t.take()};
}

QList<wire::Value> sanalposSirano(Context &ctx, wire::Reader &in)
{
    const int idno = in.int32(u"idnosu");
    endParameters(in);
    return {scalarSql(ctx.db, QStringLiteral("SELECT sanalposno FROM tahsilat WHERE idno = ?"), {idno}).toInt()};
}

QList<wire::Value> streamResult(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {qint64(0), wire::Value()};
    return {qint64(bytes.size()), wire::Value::fromBytes(bytes)};
}

QList<wire::Value> sanalposPdf(Context &ctx, wire::Reader &in)
{
    const int sirano = in.int32(u"sirano");
    endParameters(in);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT p.kartsahibi, p.kartno, p.onaykodu, p.taksit, p.tutar, p.tarih, c.cariadi, "
                                        "c.carikod, t.evrakno FROM sanalpos p JOIN tahsilat t ON t.idno = p.tahsilatidno "
                                        "JOIN cari c ON c.carino = t.carino WHERE p.sirano = ?"),
                         {sirano});
    if (!q.next())
        throw MethodFailure(QStringLiteral("Sanal POS kaydı bulunamadı: %1").arg(sirano));
    PdfDocument pdf;
    pdf.setTitle(QStringLiteral("Sanal POS Ödeme Dekontu %1").arg(sirano));
    pdf.addLine(QStringLiteral("ZELVORİ OTOMOTİV"), PdfDocument::Style::Title);
    pdf.addLine(QStringLiteral("Sanal POS Ödeme Dekontu"), PdfDocument::Style::Heading);
    pdf.addBlank();
    const double day = q.value(5).toDouble();
    const QList<std::pair<QString, QString>> rows = {
        {QStringLiteral("Dekont No"), QString::number(sirano)},
        {QStringLiteral("İşlem Tarihi"), dateText(day) + u' ' + timeText(day)},
        {QStringLiteral("Cari"), q.value(7).toString() + QStringLiteral(" - ") + q.value(6).toString()},
        {QStringLiteral("Kart Sahibi"), q.value(0).toString()},
        {QStringLiteral("Kart No"), q.value(1).toString()},
        {QStringLiteral("Taksit"), QString::number(q.value(3).toInt())},
        {QStringLiteral("Onay Kodu"), q.value(2).toString()},
        {QStringLiteral("Tahsilat Evrakı"), q.value(8).toString()},
        {QStringLiteral("Tutar"), pricing::money(q.value(4).toDouble()) + QStringLiteral(" TL")},
    };
    for (const auto &[label, value] : rows)
        pdf.addLine(label.leftJustified(18, u' ') + QStringLiteral(": ") + value, PdfDocument::Style::Table);
    pdf.addBlank();
    pdf.addLine(QStringLiteral("Bu belge elektronik ortamda oluşturulmuştur."));
    return streamResult(pdf.render());
}

// Orders visible to a user: his own account's for dealers, his customers'
// for type 1, all for type 2.
QString orderScope(const TSonucBilgisi &who, QVariantList &values)
{
    if (who.MusteriTipi() == 2)
        return QStringLiteral("1 = 1");
    if (who.MusteriTipi() == 1) {
        values << who.SaticiNo();
        return QStringLiteral("c.saticino = ?");
    }
    values << who.CARINO();
    return QStringLiteral("o.carino = ?");
}

QList<wire::Value> raporAlinan(Context &ctx, wire::Reader &in)
{
    const TSonucBilgisi who = signInRecord(in, u"bilgi");
    const double t1 = in.number(u"tarih1");
    const double t2 = in.number(u"tarih2");
    endParameters(in);
    QVariantList values = {std::floor(t1), std::floor(t2) + 1};
    const QString scope = orderScope(who, values);
    QSqlQuery q = runSql(
        ctx.db,
        QStringLiteral("SELECT s.adi, o.idno, o.carino, o.tarih, o.verenid, COALESCE(kt.adi, ''), COALESCE(t.adi, ''), "
                       "COALESCE(k.adi, ''), c.carikod, c.cariadi, o.durum, COALESCE(kf.adi, ''), ss.miktar, ss.birimfiyat, "
                       "ss.ind1, ss.ind2, ss.ind3, ss.ind4, ss.kdv FROM siparis o JOIN cari c ON c.carino = o.carino "
                       "JOIN satici s ON s.saticino = c.saticino JOIN siparis_satir ss ON ss.idno = o.idno "
                       "LEFT JOIN kullanici k ON k.sirano = o.verenid LEFT JOIN teslim t ON t.sirano = o.teslimid "
                       "LEFT JOIN kargoturu kt ON kt.sirano = o.kargoturid "
                       "LEFT JOIN kargofirma kf ON kf.sirano = o.kargofirmaid "
                       "WHERE o.tarih >= ? AND o.tarih < ? AND ")
            + scope + QStringLiteral(" ORDER BY s.adi, o.tarih, o.idno, ss.stokhar_no"),
        values);
    static const char *const statuses[] = {"", "", "Alındı", "Onaylandı", "Görüldü", "Parçalı Hazırlandı", "Hazırlandı",
                                           "Sevk Edildi"};
    TableBuilder t({strCol("SATICIADI", 50), floatCol("IDNO"), intCol("CARINO"), dateCol("TARIH"), strCol("KUR", 5),
                    floatCol("KURTL"), intCol("VERENIDNO"), strCol("KARGO", 50), strCol("TESLIM", 50), strCol("VEREN", 50),
                    strCol("CARIKOD", 25), strCol("CARIADI", 100), strCol("DURUM", 100), strCol("KARGOADI", 50),
                    floatCol("VERGI"), floatCol("NETTUTAR"), floatCol("TUTAR")});
    int current = -1;
    QVariantList head;
    pricing::LineAmounts sum;
    auto flush = [&] {
        if (current < 0)
            return;
        t.row();
        t.add(head[0].toString()).add(double(current)).add(head[2].toInt()).add(head[3].toDouble());
        t.add(QStringLiteral("TL")).add(1.0).add(head[4].toInt()).add(head[5].toString()).add(head[6].toString());
        t.add(head[7].toString()).add(head[8].toString()).add(head[9].toString());
        const int d = head[10].toInt();
        t.add(QString::fromUtf8(d >= 2 && d <= 7 ? statuses[d] : "")).add(head[11].toString());
        t.add(sum.vergiTutari).add(sum.netTutar).add(sum.kdvliTutar);
    };
    while (q.next()) {
        const int idno = q.value(1).toInt();
        if (idno != current) {
            flush();
            current = idno;
            head.clear();
            for (int i = 0; i < 12; ++i)
                head << q.value(i);
            sum = {};
        }
        const pricing::LineAmounts a = pricing::lineAmounts(
            q.value(12).toDouble(), q.value(13).toDouble(),
            {q.value(14).toDouble(), q.value(15).toDouble(), q.value(16).toDouble(), q.value(17).toDouble()},
            q.value(18).toDouble());
        sum.netTutar = pricing::round2(sum.netTutar + a.netTutar);
        sum.vergiTutari = pricing::round2(sum.vergiTutari + a.vergiTutari);
        sum.kdvliTutar = pricing::round2(sum.kdvliTutar + a.kdvliTutar);
    }
    flush();
    return {t.take()};
}

QList<wire::Value> raporEnCok(Context &ctx, wire::Reader &in)
{
    const TSonucBilgisi who = signInRecord(in, u"bilgi");
    const double t1 = in.number(u"tarih1");
    const double t2 = in.number(u"tarih2");
    endParameters(in);
    QVariantList values = {std::floor(t1), std::floor(t2) + 1};
    const QString scope = orderScope(who, values);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT st.stokno, st.barkod, st.finishkod, st.adi, st.departman, ss.miktar, "
                                        "ss.birimfiyat, ss.ind1, ss.ind2, ss.ind3, ss.ind4, ss.kdv FROM siparis_satir ss "
                                        "JOIN siparis o ON o.idno = ss.idno JOIN cari c ON c.carino = o.carino "
                                        "JOIN stok st ON st.stokno = ss.stokno WHERE o.tarih >= ? AND o.tarih < ? AND ")
                             + scope,
                         values);
    struct Sold {
        QString barkod, kod, adi, departman;
        double miktar = 0;
        pricing::LineAmounts sum;
    };
    QHash<int, Sold> sold;
    while (q.next()) {
        Sold &s = sold[q.value(0).toInt()];
        s.barkod = q.value(1).toString();
        s.kod = q.value(2).toString();
        s.adi = q.value(3).toString();
        s.departman = q.value(4).toString();
        s.miktar += q.value(5).toDouble();
        const pricing::LineAmounts a = pricing::lineAmounts(
            q.value(5).toDouble(), q.value(6).toDouble(),
            {q.value(7).toDouble(), q.value(8).toDouble(), q.value(9).toDouble(), q.value(10).toDouble()},
            q.value(11).toDouble());
        s.sum.netTutar = pricing::round2(s.sum.netTutar + a.netTutar);
        s.sum.vergiTutari = pricing::round2(s.sum.vergiTutari + a.vergiTutari);
        s.sum.kdvliTutar = pricing::round2(s.sum.kdvliTutar + a.kdvliTutar);
    }
    QList<std::pair<int, Sold>> rows;
    for (auto it = sold.cbegin(); it != sold.cend(); ++it)
        rows.append({it.key(), it.value()});
    std::sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) {
        return a.second.miktar != b.second.miktar ? a.second.miktar > b.second.miktar : a.first < b.first;
    });
    TableBuilder t({strCol("BARKOD", 50), strCol("KOD", 50), strCol("ADI", 100), strCol("DEPARTMAN", 50),
                    floatCol("MIKTAR"), floatCol("NETTUTAR"), floatCol("TLVERGI"), floatCol("TUTAR")});
    for (const auto &[stokno, s] : std::as_const(rows)) {
        t.row();
        t.add(s.barkod).add(s.kod).add(s.adi).add(s.departman).add(s.miktar).add(s.sum.netTutar);
        t.add(s.sum.vergiTutari).add(s.sum.kdvliTutar);
    }
    return {t.take()};
}

QString column(const QString &text, int width, bool right = false)
{
    const QString cut = text.left(width);
    return right ? cut.rightJustified(width, u' ') : cut.leftJustified(width, u' ');
}

// Report 6 for one account: its details, balance and last movements up to
// the date; for account 0 the receivables of all accounts (of the named
// representative unless the name is ".").
QByteArray accountSummary(Context &ctx, int carino, const QString &seller, double day)
{
    PdfDocument pdf;
    if (carino > 0) {
        QSqlQuery c = runSql(ctx.db,
                             QStringLiteral("SELECT c.carikod, c.cariadi, c.adres1, c.ilce, c.il, c.tel1, c.vade, s.adi "
                                            "FROM cari c JOIN satici s ON s.saticino = c.saticino WHERE c.carino = ?"),
                             {carino});
        if (!c.next())
            throw MethodFailure(QStringLiteral("Cari bulunamadı: %1").arg(carino));
        pdf.setTitle(QStringLiteral("Cari Özeti %1").arg(c.value(0).toString()));
        pdf.addLine(QStringLiteral("Cari Özeti"), PdfDocument::Style::Title);
        pdf.addLine(c.value(0).toString() + QStringLiteral(" - ") + c.value(1).toString(), PdfDocument::Style::Heading);
        pdf.addLine(c.value(2).toString() + QStringLiteral(", ") + c.value(3).toString() + u'/' + c.value(4).toString());
        pdf.addLine(QStringLiteral("Telefon: %1   Vade: %2 gün   Satıcı: %3")
                        .arg(c.value(5).toString())
                        .arg(c.value(6).toInt())
                        .arg(seller.isEmpty() ? c.value(7).toString() : seller));
        pdf.addLine(QStringLiteral("Rapor tarihi: ") + dateText(day));
        pdf.addBlank();
        pdf.addLine(QStringLiteral("Son Hareketler"), PdfDocument::Style::Heading);
        pdf.addLine(column(QStringLiteral("Tarih"), 11) + column(QStringLiteral("Tür"), 22) + column(QStringLiteral("Evrak"), 20)
                        + column(QStringLiteral("Borç"), 14, true) + column(QStringLiteral("Alacak"), 14, true)
                        + column(QStringLiteral("Bakiye"), 14, true),
                    PdfDocument::Style::Table);
        QSqlQuery m = runSql(ctx.db,
                             QStringLiteral("SELECT tarih, turadi, evrak, borc, alacak FROM ekstre WHERE carino = ? "
                                            "AND tarih < ? ORDER BY tarih, satirno"),
                             {carino, std::floor(day) + 1});
        double balance = 0, debit = 0, credit = 0;
        while (m.next()) {
            balance = pricing::round2(balance + m.value(3).toDouble() - m.value(4).toDouble());
            debit += m.value(3).toDouble();
            credit += m.value(4).toDouble();
            pdf.addLine(column(dateText(m.value(0).toDouble()), 11) + column(m.value(1).toString(), 22)
                            + column(m.value(2).toString(), 20) + column(pricing::money(m.value(3).toDouble()), 14, true)
                            + column(pricing::money(m.value(4).toDouble()), 14, true)
                            + column(pricing::money(balance), 14, true),
                        PdfDocument::Style::Table);
        }
        pdf.addBlank();
        pdf.addLine(QStringLiteral("Toplam Borç: %1 TL   Toplam Alacak: %2 TL").arg(pricing::money(debit), pricing::money(credit)));
        pdf.addLine(QStringLiteral("Bakiye: %1 TL %2")
                        .arg(pricing::money(std::abs(balance)),
                             balance > 0 ? QStringLiteral("(Borçlu)") : balance < 0 ? QStringLiteral("(Alacaklı)") : QString()),
                    PdfDocument::Style::Heading);
        pdf.addLine(QStringLiteral("Vadesi geçmiş: %1 TL").arg(pricing::money(overdueAmount(ctx, carino, day))));
        return pdf.render();
    }
    pdf.setTitle(QStringLiteral("Cari Toplu Alacak Vadeleri"));
    pdf.addLine(QStringLiteral("Cari Toplu Alacak Vadeleri"), PdfDocument::Style::Title);
    pdf.addLine(QStringLiteral("Rapor tarihi: ") + dateText(day)
                + (seller == u"." || seller.isEmpty() ? QString() : QStringLiteral("   Satıcı: ") + seller));
    pdf.addBlank();
    pdf.addLine(column(QStringLiteral("Cari Kod"), 12) + column(QStringLiteral("Cari Adı"), 36)
                    + column(QStringLiteral("Bakiye"), 15, true) + column(QStringLiteral("Vadesi Geçen"), 15, true),
                PdfDocument::Style::Table);
    QVariantList values;
    QString where;
    if (seller != u"." && !seller.isEmpty()) {
        where = QStringLiteral(" WHERE s.adi = ?");
        values << seller;
    }
    QSqlQuery c = runSql(ctx.db,
                         QStringLiteral("SELECT c.carino, c.carikod, c.cariadi FROM cari c JOIN satici s ON "
                                        "s.saticino = c.saticino")
                             + where + QStringLiteral(" ORDER BY c.carikod"),
                         values);
    double total = 0, totalOverdue = 0;
    QList<std::tuple<int, QString, QString>> accounts;
    while (c.next())
        accounts.append({c.value(0).toInt(), c.value(1).toString(), c.value(2).toString()});
    for (const auto &[no, kod, adi] : std::as_const(accounts)) {
        const double balance = scalarSql(ctx.db,
                                         QStringLiteral("SELECT COALESCE(SUM(borc - alacak), 0) FROM ekstre "
                                                        "WHERE carino = ? AND tarih < ?"),
                                         {no, std::floor(day) + 1})
                                   .toDouble();
        const double overdue = overdueAmount(ctx, no, day);
        total += balance;
        totalOverdue += overdue;
        pdf.addLine(column(kod, 12) + column(adi, 36) + column(pricing::money(balance), 15, true)
                        + column(pricing::money(overdue), 15, true),
                    PdfDocument::Style::Table);
    }
    pdf.addBlank();
    pdf.addLine(QStringLiteral("Toplam bakiye: %1 TL   Toplam vadesi geçen: %2 TL")
                    .arg(pricing::money(total), pricing::money(totalOverdue)),
                PdfDocument::Style::Heading);
    return pdf.render();
}

// Report 7: the account's purchases, returns and payments per month in the period.
QByteArray salesTable(Context &ctx, int carino, const QString &seller, double from, double to)
{
    const QString name = scalarSql(ctx.db, QStringLiteral("SELECT carikod || ' - ' || cariadi FROM cari WHERE carino = ?"),
                                   {carino})
                             .toString();
    if (name.isEmpty())
        throw MethodFailure(QStringLiteral("Cari bulunamadı: %1").arg(carino));
    PdfDocument pdf;
    pdf.setTitle(QStringLiteral("Cari Alış Satış Tablosu"));
    pdf.addLine(QStringLiteral("Cari Alış Satış Tablosu (Satıcılı)"), PdfDocument::Style::Title);
    pdf.addLine(name, PdfDocument::Style::Heading);
    pdf.addLine(QStringLiteral("Dönem: %1 - %2   Satıcı: %3").arg(dateText(from), dateText(to), seller));
    pdf.addBlank();
    pdf.addLine(column(QStringLiteral("Ay"), 10) + column(QStringLiteral("Satış"), 16, true)
                    + column(QStringLiteral("İade"), 16, true) + column(QStringLiteral("Tahsilat"), 16, true)
                    + column(QStringLiteral("Net"), 16, true),
                PdfDocument::Style::Table);
    QSqlQuery q = runSql(ctx.db,
                         QStringLiteral("SELECT tarih, turadi, borc, alacak FROM ekstre WHERE carino = ? AND tarih >= ? "
                                        "AND tarih < ? ORDER BY tarih"),
                         {carino, std::floor(from), std::floor(to) + 1});
    QMap<QString, std::array<double, 3>> months;
    while (q.next()) {
        const QString month = dateFromDayNumber(q.value(0).toDouble()).toString(QStringLiteral("yyyy-MM"));
        const QString kind = q.value(1).toString();
        std::array<double, 3> &m = months[month];
        if (kind.contains(u"İade"))
            m[1] += q.value(3).toDouble();
        else if (kind.contains(u"Fatura"))
            m[0] += q.value(2).toDouble();
        else if (kind == u"Tahsilat")
            m[2] += q.value(3).toDouble();
    }
    std::array<double, 3> total{0, 0, 0};
    for (auto it = months.cbegin(); it != months.cend(); ++it) {
        const auto &m = it.value();
        for (int i = 0; i < 3; ++i)
            total[i] += m[i];
        pdf.addLine(column(it.key(), 10) + column(pricing::money(m[0]), 16, true) + column(pricing::money(m[1]), 16, true)
                        + column(pricing::money(m[2]), 16, true) + column(pricing::money(m[0] - m[1] - m[2]), 16, true),
                    PdfDocument::Style::Table);
    }
    if (months.isEmpty())
        pdf.addLine(QStringLiteral("Bu dönemde hareket yok."));
    pdf.addBlank();
    pdf.addLine(column(QStringLiteral("Toplam"), 10) + column(pricing::money(total[0]), 16, true)
                    + column(pricing::money(total[1]), 16, true) + column(pricing::money(total[2]), 16, true)
                    + column(pricing::money(total[0] - total[1] - total[2]), 16, true),
                PdfDocument::Style::Table);
    return pdf.render();
}

QList<wire::Value> raporGetir(Context &ctx, wire::Reader &in)
{
    const int raporno = in.int32(u"raporno");
    in.int32(u"bolum");
    in.int32(u"idno");
    const int carino = in.int32(u"carino");
    const QString seller = in.string(u"saticiadi");
    const double t1 = in.number(u"tarih1");
    const double t2 = in.number(u"tarih2");
    endParameters(in);
    if (!std::isfinite(t1) || !std::isfinite(t2))
        throw MethodFailure(QStringLiteral("Geçersiz tarih"));
    switch (raporno) {
    case 6: return streamResult(accountSummary(ctx, carino, seller, t1));
    case 7: return streamResult(salesTable(ctx, carino, seller, t1, t2));
    default: throw MethodFailure(QStringLiteral("Tanımsız rapor numarası: %1").arg(raporno));
    }
}

QList<wire::Value> cariDurum(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    endParameters(in);
    if (!scalarSql(ctx.db, QStringLiteral("SELECT 1 FROM cari WHERE carino = ?"), {carino}).isValid())
        return {QString()};
    // A plain number, so that it can go into the payment page's address as it is.
    return {QString::number(pricing::round2(accountBalance(ctx, carino)), 'f', 2)};
}

QList<wire::Value> vadeGecmis(Context &ctx, wire::Reader &in)
{
    const int carino = in.int32(u"carino");
    endParameters(in);
    const double overdue = overdueAmount(ctx, carino, std::floor(ctx.now));
    if (overdue <= 0)
        return {QString()};
    return {QStringLiteral("Vadesi geçmiş %1 TL bakiyeniz bulunmaktadır. Lütfen ödemenizi yapınız.")
                .arg(pricing::money(overdue))};
}

} // namespace

void addAccountMethods(MethodTable &table)
{
    table.insert(QStringLiteral("CariEkstreVer"), ekstre);
    table.insert(QStringLiteral("FaturaGetir"), faturaGetir);
    table.insert(QStringLiteral("FaturaAltGetir"), faturaAlt);
    table.insert(QStringLiteral("Tahsilat"), tahsilat);
    table.insert(QStringLiteral("SanalposSiranoVer"), sanalposSirano);
    table.insert(QStringLiteral("SAnalPosPdfVer"), sanalposPdf);
    table.insert(QStringLiteral("RaporGetir"), raporGetir);
    table.insert(QStringLiteral("RaporAlinanSiparisler"), raporAlinan);
    table.insert(QStringLiteral("RaporEnCokSatilanStoklar"), raporEnCok);
    table.insert(QStringLiteral("CariDurumVer"), cariDurum);
    table.insert(QStringLiteral("CariVadeGunGecmismiBul"), vadeGecmis);
}

} // namespace appserver
