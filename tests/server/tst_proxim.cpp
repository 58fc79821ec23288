// The client class against a scripted loopback server: every one of the 49
// server methods sends its in-parameters in order to its own path and puts
// the answer's values (out-parameters, then the result) in the right places.
#include "server/proxim.h"
#include "tests/datasnap/loopbackserver.h"
#include "wire/codec.h"

#include <QTest>

#include <functional>

using datasnap::ServerError;

namespace {

// The sign-in record every row passes, and its marshalled form written out by hand.
TSonucBilgisi kayit()
{
    TSonucBilgisi b;
    b.setBILGISAYARID(QStringLiteral("WD-123"));
    b.setCARINO(1234);
    b.setADI(QStringLiteral("AHMET"));
    b.setVarmi(true);
    b.setMusteriTipi(2);
    return b;
}

const QByteArray B = R"({"type": "baglantiu.TSonucBilgisi", "id": 1, "fields": {
  "FBILGISAYARID": "WD-123", "FSaticiMail": "", "FSirano": 0, "FCariAdi": "", "FSIFRE": "",
  "FSaticiNo": 0, "FCARINO": 1234, "FAKTIF": 0, "FKullanicimail": "", "FADI": "AHMET",
  "FSaticiTelefon": "", "Fcarikod": "", "FVarmi": true, "FSaticiAdi": "", "FBilgiSayarAdi": "",
  "FDisip": "", "FIcip": "", "FBilgisayarKullanici": "", "FMusteriTipi": 2, "FVersion": 1}})";

// A small table as the server sends row readers and data packets.
const QByteArray T = R"({"columns": [{"name": "STOK_STOKNO", "type": "integer"},
  {"name": "ADI", "type": "string", "size": 50}, {"name": "FIYAT", "type": "float"}],
  "rows": [[1001, "Fren balatası", 125.5], [1002, null, 0]]})";

void tabloDogru(const TableData& t)
{
    QCOMPARE(t.fieldCount(), 3);
    QCOMPARE(t.field(0).name, QStringLiteral("STOK_STOKNO"));
    QCOMPARE(t.field(2).type, FieldType::Float);
    QCOMPARE(t.rowCount(), 2);
    QCOMPARE(t.intValue(0, 0), 1001);
    QCOMPARE(t.stringValue(0, 1), QStringLiteral("Fren balatası"));
    QCOMPARE(t.doubleValue(0, 2), 125.5);
    QVERIFY(t.isNull(1, 1));
}

// "AAEC" is the base64 of the bytes 00 01 02.
void akisDogru(const QByteArray& bytes, qint64 size)
{
    QCOMPARE(size, 3);
    QCOMPARE(bytes, QByteArray("\x00\x01\x02", 3));
}

using Cagri = std::function<void(TServerMethods1Client&)>;

struct Satir
{
    const char* metod;
    QByteArray parametreler; // the expected "_parameters" array
    QByteArray sonuc;        // the canned "result" array
    Cagri cagri;             // calls the method and checks what came back
};

QByteArray s(const char* text) { return QByteArray(text); }
QByteArray liste(std::initializer_list<QByteArray> parts) { return '[' + QList<QByteArray>(parts).join(", ") + ']'; }

const QList<Satir>& satirlar()
{
    using C = TServerMethods1Client;
    static const QList<Satir> rows = {
        {"EnVer", "[1001]", "[6]", [](C& c) { QCOMPARE(c.EnVer(1001), 6); }},
        {"SepetVer2", "[1234]", liste({T}), [](C& c) { tabloDogru(c.SepetVer2(1234)); }},
        {"OncekiSiparisler", "[1234]", liste({T}), [](C& c) { tabloDogru(c.OncekiSiparisler(1234)); }},
        {"CariEkstreVer", "[1234]", liste({T}), [](C& c) { tabloDogru(c.CariEkstreVer(1234)); }},
        {"KampanyaliVer2", "[1234, 3]", liste({T}), [](C& c) { tabloDogru(c.KampanyaliVer2(1234, 3)); }},
        {"BakiyelerVer2", "[1234]", liste({T}), [](C& c) { tabloDogru(c.BakiyelerVer2(1234)); }},
        {"BuyukGetir", R"(["WD-123"])", liste({B}),
         [](C& c) {
             const auto r = c.BuyukGetir(QStringLiteral("WD-123"));
             QVERIFY(r.has_value());
             QCOMPARE(*r, kayit());
         }},
        {"SAnalPosPdfVer", "[345]", R"([3, "AAEC"])",
         [](C& c) {
             qint64 boy = -1;
             const QByteArray pdf = c.SAnalPosPdfVer(345, boy);
             akisDogru(pdf, boy);
         }},
        {"StokAraGetirZelvori", liste({s(R"("FİLTRE ş")"), B}), liste({T}),
         [](C& c) { tabloDogru(c.StokAraGetirZelvori(QStringLiteral("FİLTRE ş"), kayit())); }},
        {"YenilerVer2", "[1234]", liste({T}), [](C& c) { tabloDogru(c.YenilerVer2(1234)); }},
        {"TeslimVer", "[]", liste({T}), [](C& c) { tabloDogru(c.TeslimVer()); }},
        {"KargoVer", "[]", liste({T}), [](C& c) { tabloDogru(c.KargoVer()); }},
        {"KargolarVer", "[2]", liste({T}), [](C& c) { tabloDogru(c.KargolarVer(2)); }},
        {"SepetEkle2", liste({B, s(R"(1234, 1001, "B-1", "Balata", 3.0, 20.0, 125.5, 10.0, 7, 1, 5.0, 2.5, 0.0)")}), "[1]",
         [](C& c) {
             QCOMPARE(c.SepetEkle2(kayit(), 1234, 1001, QStringLiteral("B-1"), QStringLiteral("Balata"), 3, 20, 125.5, 10,
                                   7, 1, 5, 2.5, 0),
                      1);
         }},
        {"SepetGuncelle2", liste({B, s(R"(1234, 1001, "B-1", "Balata", 4.0, 20.0, 99.25, 0.0, 7, 55, 1.5, 0.0, 3.0)")}), "[1]",
         [](C& c) {
             QCOMPARE(c.SepetGuncelle2(kayit(), 1234, 1001, QStringLiteral("B-1"), QStringLiteral("Balata"), 4, 20, 99.25,
                                       0, 7, 55, 1.5, 0, 3),
                      1);
         }},
        {"SepetHepsiniSil", liste({B}), "[1]", [](C& c) { QCOMPARE(c.SepetHepsiniSil(kayit()), 1); }},
        {"SepetSatirSil", liste({B, s(R"(17, "yanlış")")}), "[0]",
         [](C& c) { QCOMPARE(c.SepetSatirSil(kayit(), 17, QStringLiteral("yanlış")), 0); }},
        {"SiparisKaydet", liste({B, s(R"(1234, 2, 1, "", 7, 3)")}), "[true]",
         [](C& c) { QCOMPARE(c.SiparisKaydet(kayit(), 1234, 2, 1, QString(), 7, 3), true); }},
        {"SiparisAyrintisi2", "[1234, 88]", liste({T}), [](C& c) { tabloDogru(c.SiparisAyrintisi2(1234, 88)); }},
        {"FaturaGetir", "[1234, 89]", liste({T}), [](C& c) { tabloDogru(c.FaturaGetir(1234, 89)); }},
        {"FaturaAltGetir", "[89]", liste({T}), [](C& c) { tabloDogru(c.FaturaAltGetir(89)); }},
        {"Tahsilat", "[90]", liste({T}), [](C& c) { tabloDogru(c.Tahsilat(90)); }},
        {"SanalposSiranoVer", "[90]", "[345]", [](C& c) { QCOMPARE(c.SanalposSiranoVer(90), 345); }},
        {"BakiyeDuzenle", liste({B, s(R"(1001, 55, 66, 5.0, 2.0, "B-1")")}), "[1]",
         [](C& c) { QCOMPARE(c.BakiyeDuzenle(kayit(), 1001, 55, 66, 5, 2, QStringLiteral("B-1")), 1); }},
        {"BakiyeDegistir", liste({B, s(R"(1001, 55, 66, 5.0, 3.5, "B-1")")}), "[1]",
         [](C& c) { QCOMPARE(c.BakiyeDegistir(kayit(), 1001, 55, 66, 5, 3.5, QStringLiteral("B-1")), 1); }},
        {"BakiyeFiyatDegistir", liste({B, s(R"(1001, 55, 66, 5.0, 3.5, "B-1", 120.75, 12.5)")}), "[1]",
         [](C& c) {
             QCOMPARE(c.BakiyeFiyatDegistir(kayit(), 1001, 55, 66, 5, 3.5, QStringLiteral("B-1"), 120.75, 12.5), 1);
         }},
        {"SiparisAytintisiDip", "[1234, 88]",
         R"([{"type": "baglantiu.TSiparisDipAyrinti", "id": 1, "fields": {"FSizinMesaj": "acil", "FKargo": "Aras", "FSaticiNotu": "not"}}])",
         [](C& c) {
             const auto r = c.SiparisAytintisiDip(1234, 88);
             QVERIFY(r.has_value());
             QCOMPARE(r->SizinMesaj(), QStringLiteral("acil"));
             QCOMPARE(r->Kargo(), QStringLiteral("Aras"));
             QCOMPARE(r->SaticiNotu(), QStringLiteral("not"));
             QCOMPARE(r->Durumu(), QString());
         }},
        {"CariAra", liste({B, s(R"("OTO")")}), liste({T}), [](C& c) { tabloDogru(c.CariAra(kayit(), QStringLiteral("OTO"))); }},
        {"SepetSayisi", liste({B}), "[12]", [](C& c) { QCOMPARE(c.SepetSayisi(kayit()), 12); }},
        {"TusSonuclariVer", liste({B}),
         R"([{"type": "baglantiu.TTusSonuclari", "id": 1, "fields": {"FAlindi": 1, "FOnaylandi": 2, "FParcaliHazirlandi": 3, "FSevkEdildi": 4, "FHazirlandi": 5, "FGoruldu": 6}}])",
         [](C& c) {
             const auto r = c.TusSonuclariVer(kayit());
             QVERIFY(r.has_value());
             QCOMPARE(r->Alindi(), 1);
             QCOMPARE(r->ParcaliHazirlandi(), 3);
             QCOMPARE(r->Goruldu(), 6);
         }},
        {"CariSepetVer", liste({B, s("4")}), liste({T}), [](C& c) { tabloDogru(c.CariSepetVer(kayit(), 4)); }},
        {"KayanYaziGetir", "[]", R"(["Hoş geldiniz"])",
         [](C& c) { QCOMPARE(c.KayanYaziGetir(), QStringLiteral("Hoş geldiniz")); }},
        {"BannerResimVer2", "[]", R"([3, "AAEC"])",
         [](C& c) {
             qint64 size = -1;
             const QByteArray gif = c.BannerResimVer2(size);
             akisDogru(gif, size);
         }},
        {"BannerResimVer3", "[]", R"([3, "AAEC"])",
         [](C& c) {
             qint64 size = -1;
             const QByteArray bmp = c.BannerResimVer3(size);
             akisDogru(bmp, size);
         }},
        {"RaporGetir", R"([6, 6, 7, 1234, "AHMET", 46000.0, 46030.5])", R"([3, "AAEC"])",
         [](C& c) {
             qint64 size = -1;
             const QByteArray pdf = c.RaporGetir(6, 6, 7, 1234, QStringLiteral("AHMET"), 46000, 46030.5, size);
             akisDogru(pdf, size);
         }},
        {"BalonGetir", liste({B}), liste({T}), [](C& c) { tabloDogru(c.BalonGetir(kayit())); }},
        {"TumSiparislerVer", "[1234, 0]", liste({T}), [](C& c) { tabloDogru(c.TumSiparislerVer(1234, 0)); }},
        {"SepetSecimGuncelle", "[17, 1]", "[]", [](C& c) { c.SepetSecimGuncelle(17, 1); }},
        {"MailGonserCari",
         R"(["WD-123", "Kayıt", "Firma", "A1", "A2", "İlçe", "Şehir", "T", "F", "VD", "VN", "Yetkili", "kullanici", "sifre", "m@x.tr", "Ambar"])",
         "[1]",
         [](C& c) {
             QCOMPARE(c.MailGonserCari(QStringLiteral("WD-123"), QStringLiteral("Kayıt"), QStringLiteral("Firma"),
                                       QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("İlçe"),
                                       QStringLiteral("Şehir"), QStringLiteral("T"), QStringLiteral("F"),
                                       QStringLiteral("VD"), QStringLiteral("VN"), QStringLiteral("Yetkili"),
                                       QStringLiteral("kullanici"), QStringLiteral("sifre"), QStringLiteral("m@x.tr"),
                                       QStringLiteral("Ambar")),
                      1);
         }},
        {"MailGonserCariNormal",
         R"(["WD-123", "Kayıt", "Firma", "A1", "A2", "İlçe", "Şehir", "T", "F", "VD", "VN", "Yetkili", "kullanici", "sifre", "m@x.tr", "Ambar", "Konu"])",
         "[1]",
         [](C& c) {
             QCOMPARE(c.MailGonserCariNormal(QStringLiteral("WD-123"), QStringLiteral("Kayıt"), QStringLiteral("Firma"),
                                             QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("İlçe"),
                                             QStringLiteral("Şehir"), QStringLiteral("T"), QStringLiteral("F"),
                                             QStringLiteral("VD"), QStringLiteral("VN"), QStringLiteral("Yetkili"),
                                             QStringLiteral("kullanici"), QStringLiteral("sifre"),
                                             QStringLiteral("m@x.tr"), QStringLiteral("Ambar"), QStringLiteral("Konu")),
                      1);
         }},
        {"MobilCariBilgisiGetir", R"([77, "WD-123"])",
         R"([{"type": "mobilstokunit.TMobilCariBilgisi", "id": 1, "fields": {"FCARIADI": "Oto A.Ş.", "FTLBAKIYE": -12.5, "FCARINO": 1234, "FILCE": "Kadıköy"}}])",
         [](C& c) {
             const auto r = c.MobilCariBilgisiGetir(77, QStringLiteral("WD-123"));
             QVERIFY(r.has_value());
             QCOMPARE(r->CARIADI(), QStringLiteral("Oto A.Ş."));
             QCOMPARE(r->TLBAKIYE(), -12.5);
             QCOMPARE(r->CARINO(), 1234);
             QCOMPARE(r->ILCE(), QStringLiteral("Kadıköy"));
             QCOMPARE(r->TLBORC(), 0.0);
         }},
        {"AcilisReklamAdet", "[]", "[3]", [](C& c) { QCOMPARE(c.AcilisReklamAdet(), 3); }},
        {"AcilisREklamVer", "[2]",
         R"([{"type": "mobilstokunit.TAcilisEkran", "id": 1, "fields": {"FSiraNo": 2, "FResim": "FFD8", "FBaslik": "Kampanya", "FArama": "#KAMPANYA#"}}])",
         [](C& c) {
             const auto r = c.AcilisREklamVer(2);
             QVERIFY(r.has_value());
             QCOMPARE(r->SiraNo(), 2);
             QCOMPARE(r->Resim(), QStringLiteral("FFD8"));
             QCOMPARE(r->Arama(), QStringLiteral("#KAMPANYA#"));
         }},
        {"AcilisEkranlarVer2", "[]",
         R"([{"type": "mobilstokunit.TAcilisEkranlariki", "id": 1, "fields": {"FEkranlar": [
              {"type": "mobilstokunit.TAcilisEkran", "id": 2, "fields": {"FSiraNo": 1, "FBaslik": "Bir", "FArama": "#YENİ#"}},
              {"type": "mobilstokunit.TAcilisEkran", "id": 3, "fields": {"FSiraNo": 2, "FBaslik": "İki", "FArama": "fren"}}]}}])",
         [](C& c) {
             const auto r = c.AcilisEkranlarVer2();
             QVERIFY(r.has_value());
             QCOMPARE(r->Ekranlar().size(), 2);
             QCOMPARE(r->Ekranlar()[0].Arama(), QStringLiteral("#YENİ#"));
             QCOMPARE(r->Ekranlar()[1].Baslik(), QStringLiteral("İki"));
             QCOMPARE(r->Ekranlar()[1].SiraNo(), 2);
         }},
        {"RaporAlinanSiparisler", liste({B, s("46000.0, 46030.75")}), liste({T}),
         [](C& c) { tabloDogru(c.RaporAlinanSiparisler(kayit(), 46000, 46030.75)); }},
        {"RaporEnCokSatilanStoklar", liste({B, s("46001.0, 46002.0")}), liste({T}),
         [](C& c) { tabloDogru(c.RaporEnCokSatilanStoklar(kayit(), 46001, 46002)); }},
        {"CariDurumVer", "[1234]", R"(["1.234,50"])", [](C& c) { QCOMPARE(c.CariDurumVer(1234), QStringLiteral("1.234,50")); }},
        {"CariVadeGunGecmismiBul", "[1234]", R"(["Vadesi geçmiş bakiye"])",
         [](C& c) { QCOMPARE(c.CariVadeGunGecmismiBul(1234), QStringLiteral("Vadesi geçmiş bakiye")); }},
        {"StokHareketVer", "[1234, 1001]", liste({T}), [](C& c) { tabloDogru(c.StokHareketVer(1234, 1001)); }},
    };
    return rows;
}

template <typename F>
ServerError thrown(F&& f)
{
    try {
        f();
    } catch (const ServerError& e) {
        return e;
    }
    return ServerError(ServerError::Kind::Protocol, QStringLiteral("<nothing was thrown>"));
}

} // namespace

class tst_Proxim : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void methods_data();
    void methods();

    void nullObjectResultGivesNothing();
    void clientOnClosedConnectionFails();
    void serverErrorTextReachesTheCaller();
    void malformedAnswers_data();
    void malformedAnswers();
    void repeatedCallsOfOneClient();

private:
    std::unique_ptr<LoopbackServer> m_server;
    std::unique_ptr<datasnap::Connection> m_bagc;
};

void tst_Proxim::init()
{
    m_server = std::make_unique<LoopbackServer>();
    m_bagc = std::make_unique<datasnap::Connection>();
    m_bagc->setParam(u"HostName", QStringLiteral("127.0.0.1"));
    m_bagc->setParam(u"Port", QString::number(m_server->port()));
    m_bagc->Open();
}

void tst_Proxim::cleanup()
{
    m_bagc.reset();
    m_server.reset();
}

void tst_Proxim::methods_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < satirlar().size(); ++i)
        QTest::newRow(satirlar()[i].metod) << i;
}

void tst_Proxim::methods()
{
    QFETCH(int, row);
    const Satir& satir = satirlar()[row];
    m_server->answer(200, "{\"result\": " + satir.sonuc + '}');

    TServerMethods1Client client(*m_bagc);
    satir.cagri(client);
    if (QTest::currentTestFailed())
        return;

    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].path, u"/datasnap/rest/TServerMethods1/" + QString::fromLatin1(satir.metod));
    const auto sent = wire::decodeRequest(requests[0].body);
    QVERIFY2(sent.ok(), qPrintable(sent.errorText()));
    const auto expected = wire::decodeRequest("{\"_parameters\": " + satir.parametreler + '}');
    QVERIFY2(expected.ok(), qPrintable(expected.errorText()));
    QCOMPARE(sent.value().size(), expected.value().size());
    for (qsizetype i = 0; i < expected.value().size(); ++i)
        QVERIFY2(sent.value()[i] == expected.value()[i],
                 qPrintable(QStringLiteral("parameter %1: sent %2, expected %3")
                                .arg(i + 1)
                                .arg(QString::fromUtf8(wire::encodeValue(sent.value()[i])),
                                     QString::fromUtf8(wire::encodeValue(expected.value()[i])))));
}

void tst_Proxim::nullObjectResultGivesNothing()
{
    m_server->answer(200, R"({"result": [null]})");
    TServerMethods1Client client(*m_bagc);
    QVERIFY(!client.BuyukGetir(QStringLiteral("YOK")).has_value());
    QVERIFY(!client.SiparisAytintisiDip(1, 2).has_value());
    QVERIFY(!client.AcilisEkranlarVer2().has_value());
}

void tst_Proxim::clientOnClosedConnectionFails()
{
    m_bagc->Close();
    const ServerError e = thrown([&] { TServerMethods1Client client(*m_bagc); });
    QCOMPARE(e.kind(), ServerError::Kind::NotOpen);
    QCOMPARE(e.message(), QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
    QVERIFY(m_server->requests().isEmpty());
}

void tst_Proxim::serverErrorTextReachesTheCaller()
{
    m_server->answer(500, R"({"error": "Sepet kilitli: başka bir oturum açık"})");
    TServerMethods1Client client(*m_bagc);
    const ServerError e = thrown([&] { client.SepetHepsiniSil(kayit()); });
    QCOMPARE(e.kind(), ServerError::Kind::Server);
    QCOMPARE(e.message(), QStringLiteral("Sepet kilitli: başka bir oturum açık"));
    QCOMPARE(e.httpStatus(), 500);
    QCOMPARE(e.method(), QStringLiteral("SepetHepsiniSil"));
}

void tst_Proxim::malformedAnswers_data()
{
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("too few values") << QByteArray("[]");
    QTest::newRow("too many values") << QByteArray("[6, 7]");
    QTest::newRow("string for integer") << QByteArray(R"(["6"])");
    QTest::newRow("fraction for integer") << QByteArray("[6.5]");
    QTest::newRow("integer out of range") << QByteArray("[4294967296]");
}

void tst_Proxim::malformedAnswers()
{
    QFETCH(QByteArray, result);
    m_server->answer(200, "{\"result\": " + result + '}');
    TServerMethods1Client client(*m_bagc);
    const ServerError e = thrown([&] { client.EnVer(1); });
    QCOMPARE(e.kind(), ServerError::Kind::Protocol);
    QVERIFY2(e.message().startsWith(QStringLiteral("Invalid answer to EnVer: ")), qPrintable(e.message()));
}

void tst_Proxim::repeatedCallsOfOneClient()
{
    m_server->answer(200, "{\"result\": [" + T + "]}");
    TServerMethods1Client client(*m_bagc);
    const TableData first = client.TeslimVer();
    const TableData second = client.TeslimVer();
    // Results are owned values: the first stays intact after the second call.
    tabloDogru(first);
    QCOMPARE(first, second);
    m_server->answer(200, R"({"result": [6]})");
    QCOMPARE(client.EnVer(1), 6);
    QCOMPARE(m_server->requests().size(), 3);
}

QTEST_GUILESS_MAIN(tst_Proxim)
#include "tst_proxim.moc"
