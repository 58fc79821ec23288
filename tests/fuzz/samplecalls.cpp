#include "samplecalls.h"

#include "appserver/database.h"
#include "platform/dataset/fieldtype.h"
#include "wire/codec.h"

#include <QDate>

#include <cmath>

namespace {

int scalar(Database &db, const char *sql)
{
    return scalarSql(db.connection(), QString::fromLatin1(sql)).toInt();
}

} // namespace

QList<SampleCall> sampleCalls(ServerFixture &server)
{
    using P = QList<wire::Value>;
    Database &db = server.database();
    const wire::Value demo = ServerFixture::record(server.signIn(QStringLiteral("DEMO-PC")));
    const wire::Value rep = ServerFixture::record(server.signIn(QStringLiteral("TEMSILCI2-PC")));
    const wire::Value bayi3 = ServerFixture::record(server.signIn(QStringLiteral("BAYI3-PC")));
    const wire::Value bayi4 = ServerFixture::record(server.signIn(QStringLiteral("BAYI4-PC")));
    const int order = scalar(db, "SELECT MIN(idno) FROM siparis WHERE carino = 1001");
    const int invoice = scalar(db, "SELECT MIN(idno) FROM fatura WHERE carino = 1001");
    const int cardCollection = scalar(db, "SELECT MIN(idno) FROM tahsilat WHERE carino = 1001 AND sanalposno > 0");
    const int receipt = scalar(db, "SELECT MAX(sanalposno) FROM tahsilat WHERE carino = 1001 AND sanalposno > 0");
    const int outstanding = scalar(db, "SELECT MIN(ss.stokhar_no) FROM siparis_satir ss JOIN siparis o "
                                       "ON o.idno = ss.idno WHERE o.carino = 1001 AND ss.kalan > 0");
    const int basketLine = scalar(db, "SELECT MIN(sirano) FROM sepet WHERE carino = 1001");
    const int lastBasketLine = scalar(db, "SELECT MAX(sirano) FROM sepet WHERE carino = 1001");
    const double today = std::floor(dayNumberFromDate(QDate::currentDate()));
    P mail;
    for (int i = 0; i < 16; ++i)
        mail << QStringLiteral("alan %1").arg(i);
    P mailNormal = mail;
    mailNormal << QStringLiteral("\"ilk satır\",ikinci");
    const QString b = QStringLiteral("B"), a = QStringLiteral("A");

    QList<SampleCall> calls;
    auto add = [&calls](const char *method, const P &params, int status = 200, const char *suffix = "") {
        calls.append({QString::fromLatin1(method) + QString::fromLatin1(suffix), QString::fromLatin1(method), params, status});
    };
    // Reads.
    add("BuyukGetir", {QStringLiteral("DEMO-PC")});
    add("MobilCariBilgisiGetir", {0, QStringLiteral("DEMO-PC")});
    add("EnVer", {1001});
    add("StokAraGetirZelvori", {QStringLiteral("FREN BALATA"), demo});
    add("YenilerVer2", {1001});
    add("KampanyaliVer2", {1001, 0});
    add("StokHareketVer", {1001, 1001});
    add("SepetVer2", {1001});
    add("BalonGetir", {demo});
    add("TeslimVer", {});
    add("KargoVer", {});
    add("KargolarVer", {1});
    add("OncekiSiparisler", {1001});
    add("SiparisAyrintisi2", {1001, order});
    add("SiparisAytintisiDip", {0, order});
    add("TumSiparislerVer", {1001, 0});
    add("BakiyelerVer2", {1001});
    add("CariEkstreVer", {1001});
    add("FaturaGetir", {1001, invoice});
    add("FaturaAltGetir", {invoice});
    add("Tahsilat", {cardCollection});
    add("SanalposSiranoVer", {cardCollection});
    add("SAnalPosPdfVer", {receipt});
    add("RaporGetir", {6, 6, 4, 1001, QStringLiteral("AHMET YILMAZ"), today, today});
    add("RaporAlinanSiparisler", {rep, today - 200, today});
    add("RaporEnCokSatilanStoklar", {rep, today - 200, today});
    add("CariDurumVer", {1001});
    add("CariVadeGunGecmismiBul", {1001});
    add("CariAra", {rep, QStringLiteral("OTO")});
    add("CariSepetVer", {rep, 2});
    add("SepetSayisi", {rep});
    add("TusSonuclariVer", {rep});
    add("KayanYaziGetir", {});
    add("BannerResimVer2", {});
    add("BannerResimVer3", {});
    add("AcilisReklamAdet", {});
    add("AcilisREklamVer", {0});
    add("AcilisEkranlarVer2", {});
    // Changes.
    add("SepetEkle2", {demo, 1001, 1010, b, a, 2.0, 20.0, 100.0, 10.0, 1, 0, 0.0, 0.0, 0.0});
    add("SepetGuncelle2", {demo, 1001, 0, b, a, 3.0, 20.0, 100.0, 10.0, 1, basketLine, 0.0, 0.0, 0.0});
    add("SepetSecimGuncelle", {basketLine, 1});
    add("SepetSatirSil", {demo, lastBasketLine, QStringLiteral("B-A")});
    add("SepetHepsiniSil", {bayi4});
    add("SiparisKaydet", {bayi3, 1002, 2, 1, QString(), 2, 1});
    add("BakiyeDuzenle", {demo, 0, 0, outstanding, 1.0, 1.0, b});
    add("BakiyeDegistir", {demo, 0, 0, outstanding, 1.0, 1.0, b});
    add("BakiyeFiyatDegistir", {demo, 0, 0, outstanding, 1.0, 1.0, b, 10.0, 5.0});
    add("MailGonserCari", mail);
    add("MailGonserCariNormal", mailNormal);
    // Refusals: a parameter of the wrong kind, an unknown method, a method
    // that fails.
    add("EnVer", {QStringLiteral("1001")}, 400, "-400");
    add("YokBoyleMetot", {}, 404, "-404");
    add("SAnalPosPdfVer", {-1}, 500, "-500");
    return calls;
}

QList<SampleAnswer> sampleAnswers(ServerFixture &server)
{
    QList<SampleAnswer> answers;
    for (const SampleCall &call : sampleCalls(server)) {
        SampleAnswer answer{call, wire::encodeRequest(call.params), 0, {}};
        const ServerFixture::Reply reply = server.post(call.method, answer.request);
        answer.status = reply.status;
        answer.body = reply.body;
        answers.append(answer);
    }
    return answers;
}
