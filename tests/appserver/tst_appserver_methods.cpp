// Every server method called through the wire codec against a fresh
// server: the answer's shape is what the client relies on (result count and
// kinds, table columns with their types, object types, stream sizes).
#include "serverfixture.h"

#include "appserver/methods.h"

#include "platform/dataset/tabledata.h"
#include "wire/value.h"

#include <QTest>

Q_DECLARE_METATYPE(wire::Value)

namespace {

using Params = QList<wire::Value>;

int scalar(Database &db, const QString &sql)
{
    return scalarSql(db.connection(), sql).toInt();
}

// "COL=type,COL=type" with the protocol's type names.
QString tableShapeError(const TableData &t, const QString &expected)
{
    for (const QString &col : expected.split(u',', Qt::SkipEmptyParts)) {
        const QString name = col.section(u'=', 0, 0);
        const QString type = col.section(u'=', 1, 1);
        const int i = t.fieldIndex(name);
        if (i < 0)
            return QStringLiteral("column %1 missing").arg(name);
        if (t.field(i).name != name)
            return QStringLiteral("column %1 spelled %2").arg(name, t.field(i).name);
        if (!type.isEmpty() && fieldTypeName(t.field(i).type) != type)
            return QStringLiteral("column %1 is %2, expected %3").arg(name, fieldTypeName(t.field(i).type), type);
    }
    return {};
}

const QString kStockColumns = QStringLiteral(
    "STOK_STOKNO=integer,BARKOD=string,ADI=string,OEM1=string,OEM2=string,OEM3=string,OEM4=string,OEMNO=string,"
    "FINISHKOD=string,URETICIKODU=string,OZELKOD=string,PKOD=string,DPKOD=string,BARKOD_BARKODNO=integer,"
    "DIGERADI=string,BIRIM=string,MARKA=string,MODEL=string,ANAGRUP=string,DURUM=integer,KALAN=float,RESIM=integer,"
    "Y=integer,K=integer,KDV=float,ALINANSIPARIS=float,VERILENSIPARIS=float,LISTEFIYAT1=float,KAMPFIYAT=float,"
    "FIYAT=float,IND1=float,IND2=float,IND3=float,IND4=float,INDIRIMYAZI=string,NETFIYAT=float,KDVDAHIL=float");
const QString kBasketColumns = QStringLiteral(
    "SIRANO=integer,STOKNO=integer,SEC=integer,BARKOD=string,STOKADI=string,MARKA=string,FINISHKOD=string,"
    "MODEL=string,MIKTAR=float,BIRIMFIYAT=float,INDIRIMORANI1=float,INDIRIMORANI2=float,INDIRIMORANI3=float,"
    "INDIRIMORANI4=float,KDV=float,TUTAR=float,INDIRIMTUTAR=float,VERGITUTARI=float,NETBIRIMFIYAT=float,"
    "NETTUTAR=float,INDIRIMYAZI=string,VERILISTARIHI=date,DURUM=integer");
const QString kOrderLineColumns = QStringLiteral(
    "SIRANO=integer,STOKHAR_NO=integer,STOK_STOKNO=integer,IDNO=integer,BARKOD=string,ACIKLAMA=string,"
    "FINISHKOD=string,MARKA=string,MODEL=string,MIKTAR=float,TESLIMEDILEN=float,KALAN=float,ELDEKI=,"
    "BIRIMFIYAT=float,INDIRIMORANI1=float,TUTAR=float,INDIRIMTUTAR=float,VERILISTARIHI=date,STOKADI=string,"
    "DURUM=integer,ILKFIYAT=float");
const QString kCustomerColumns = QStringLiteral(
    "CARINO=integer,CARIKOD=string,CARIADI=string,SATICISI=string,TLBAKIYE=float,DURUM=string,OZELKOD=string,"
    "KOD1=string,KOD5=string,TEL1=string,TEL2=string,ILCE=string,IL=string,GSM=string,SEPET=integer,YETKILI=string,"
    "INDIRIM=float,VADE=integer,VADEKONTROLGUN=integer,VADEKONTROLAY=integer,VERGIDAIRESI=string,VERGINO=string,"
    "ADRES1=string,ADRES2=string,ANAGRUP=string,ALTGRUP=string,FAX1=string,FAX2=string,EMAIL=string,"
    "ALINDI=integer,ONAYLANDI=integer,GORULDU=integer,HAZIRLANDI=integer,PARCALIHAZIRLANDI=integer");

} // namespace

class tst_AppServerMethods : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyMethodAnswersInShape_data();
    void everyMethodAnswersInShape();
    void everyServerMethodExercised();
    void fixedReportColumnsInOrder_data();
    void fixedReportColumnsInOrder();

private:
    std::unique_ptr<ServerFixture> m_server;
    TSonucBilgisi m_demo, m_rep;
    QSet<QString> m_called;
};

void tst_AppServerMethods::initTestCase()
{
    m_server = std::make_unique<ServerFixture>();
    QVERIFY(m_server->ok());
    m_demo = m_server->signIn(QStringLiteral("DEMO-PC"));
    QCOMPARE(m_demo.CARINO(), 1001);
    m_rep = m_server->signIn(QStringLiteral("TEMSILCI2-PC"));
    QCOMPARE(m_rep.MusteriTipi(), 2);
}

void tst_AppServerMethods::cleanupTestCase() { m_server.reset(); }

void tst_AppServerMethods::everyMethodAnswersInShape_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<Params>("params");
    QTest::addColumn<QStringList>("expected");

    Database &db = m_server->database();
    const wire::Value demo = ServerFixture::record(m_demo);
    const wire::Value rep = ServerFixture::record(m_rep);
    TSonucBilgisi bayi3 = m_server->signIn(QStringLiteral("BAYI3-PC"));
    TSonucBilgisi bayi4 = m_server->signIn(QStringLiteral("BAYI4-PC"));
    const int order = scalar(db, QStringLiteral("SELECT MIN(idno) FROM siparis WHERE carino = 1001"));
    const int invoice = scalar(db, QStringLiteral("SELECT MIN(idno) FROM fatura WHERE carino = 1001"));
    const int cardCollection = scalar(db, QStringLiteral("SELECT MIN(idno) FROM tahsilat WHERE carino = 1001 AND sanalposno > 0"));
    const int receipt = scalar(db, QStringLiteral("SELECT sanalposno FROM tahsilat WHERE idno = %1").arg(cardCollection));
    const int outstanding = scalar(db, QStringLiteral("SELECT MIN(ss.stokhar_no) FROM siparis_satir ss JOIN siparis o "
                                                      "ON o.idno = ss.idno WHERE o.carino = 1001 AND ss.kalan > 0"));
    const int basketLine = scalar(db, QStringLiteral("SELECT MIN(sirano) FROM sepet WHERE carino = 1001"));
    const int lastBasketLine = scalar(db, QStringLiteral("SELECT MAX(sirano) FROM sepet WHERE carino = 1001"));
    QVERIFY(order > 0 && invoice > 0 && receipt > 0 && outstanding > 0 && basketLine > 0 && lastBasketLine > basketLine);
    const double today = std::floor(dayNumberFromDate(QDate::currentDate()));
    Params mail;
    for (int i = 0; i < 16; ++i)
        mail << QStringLiteral("alan %1").arg(i);
    Params mailNormal = mail;
    mailNormal << QStringLiteral("\"ilk satır\",ikinci");

    auto row = [](const char *name, const QString &method, const Params &p, const QStringList &e) {
        QTest::newRow(name) << method << p << e;
    };
    row("EnVer", QStringLiteral("EnVer"), {1001}, {QStringLiteral("int")});
    row("SepetVer2", QStringLiteral("SepetVer2"), {1001}, {QStringLiteral("table:") + kBasketColumns});
    row("OncekiSiparisler", QStringLiteral("OncekiSiparisler"), {1001},
        {QStringLiteral("table:CARINO=integer,IDNO=integer,TARIH=datetime,KUR=string,KURTL=float,VERENIDNO=integer,"
                        "KARGO=string,TESLIM=string,VEREN=string,CARIKOD=string,CARIADI=string,VERGI=float,"
                        "NETTUTAR=float,TUTAR=float,DURUM=string,KARGOADI=string,VERENINNOTU=memo,ALANNOTU=memo")});
    row("CariEkstreVer", QStringLiteral("CariEkstreVer"), {1001},
        {QStringLiteral("table:CARINO=integer,TARIH=date,TURADI=string,EVRAK=string,BORC=float,ALACAK=float,KUR=string,"
                        "BAKIYE=float,D=string,IDNO=integer,ACIKLAMA=string")});
    row("KampanyaliVer2", QStringLiteral("KampanyaliVer2"), {1001, 0},
        {QStringLiteral("table:") + kStockColumns + QStringLiteral(",ESKIFIYAT=float,INDIRIM=float")});
    row("BakiyelerVer2", QStringLiteral("BakiyelerVer2"), {1001}, {QStringLiteral("table:") + kOrderLineColumns});
    row("BuyukGetir", QStringLiteral("BuyukGetir"), {QStringLiteral("DEMO-PC")},
        {QStringLiteral("object:baglantiu.TSonucBilgisi")});
    row("SAnalPosPdfVer", QStringLiteral("SAnalPosPdfVer"), {receipt}, {QStringLiteral("size"), QStringLiteral("stream:%PDF-")});
    row("StokAraGetirZelvori", QStringLiteral("StokAraGetirZelvori"), {QStringLiteral("FR"), demo},
        {QStringLiteral("table:") + kStockColumns});
    row("YenilerVer2", QStringLiteral("YenilerVer2"), {1001}, {QStringLiteral("table:") + kStockColumns});
    row("TeslimVer", QStringLiteral("TeslimVer"), {}, {QStringLiteral("table:SIRANO=integer,ADI=string")});
    row("KargoVer", QStringLiteral("KargoVer"), {}, {QStringLiteral("table:SIRANO=integer,ADI=string")});
    row("KargolarVer", QStringLiteral("KargolarVer"), {1}, {QStringLiteral("table:ADI=string,SIRANO=integer,UYARI=string")});
    row("SepetEkle2", QStringLiteral("SepetEkle2"),
        {demo, 1001, 1010, QStringLiteral("B"), QStringLiteral("A"), 2.0, 20.0, 100.0, 10.0, 1, 0, 0.0, 0.0, 0.0},
        {QStringLiteral("int=1")});
    row("SepetGuncelle2", QStringLiteral("SepetGuncelle2"),
        {demo, 1001, 0, QStringLiteral("B"), QStringLiteral("A"), 3.0, 20.0, 100.0, 10.0, 1, basketLine, 0.0, 0.0, 0.0},
        {QStringLiteral("int=1")});
    row("SepetHepsiniSil", QStringLiteral("SepetHepsiniSil"), {ServerFixture::record(bayi4)}, {QStringLiteral("int")});
    row("SepetSatirSil", QStringLiteral("SepetSatirSil"), {demo, lastBasketLine, QStringLiteral("B-A")},
        {QStringLiteral("int=1")});
    row("SiparisKaydet", QStringLiteral("SiparisKaydet"), {ServerFixture::record(bayi3), 1002, 2, 1, QString(), 2, 1},
        {QStringLiteral("bool=true")});
    row("SiparisAyrintisi2", QStringLiteral("SiparisAyrintisi2"), {1001, order}, {QStringLiteral("table:") + kOrderLineColumns});
    row("FaturaGetir", QStringLiteral("FaturaGetir"), {1001, invoice},
        {QStringLiteral("table:OEMNO=string,STOKADI=string,FINISHKOD=string,MARKA=string,MODEL=string,ANAGRUP=string,"
                        "BIRIM=string,STOKHAR_MIKTAR=float,STOKHAR_TLBIRIMFIYATI=float,STOKHAR_TLTUTAR=float,"
                        "STOKHAR_INDIRIM1=float,STOKHAR_INDIRIM2=float,KDV=float,STOKHAR_TOPLAMINDIRIM=float,"
                        "STOKHAR_TOPLAMMASRAF=float,STOKHAR_NETTLBIRIMFIYATI=float,STOKHAR_NETTLTUTAR=float,"
                        "STOKHAR_HAREKETTARIHI=date,STOKHAR_HAREKETTIPI2=string,SATICIADI=string,EVRAKNO=string,"
                        "STOKHAR_VADE=integer,IDNO=integer")});
    row("FaturaAltGetir", QStringLiteral("FaturaAltGetir"), {invoice},
        {QStringLiteral("table:TOPLAM=float,TOPLAMINDIRIM=float,MATRAH=float,KDVTUTAR=float,KDVDAHIL=float")});
    row("Tahsilat", QStringLiteral("Tahsilat"), {cardCollection},
        {QStringLiteral("table:Tarih=date,Türü=string,Cins=string,EvrakNo=string,Vade=date,Tutar=float,Kur=string,"
                        "KurTL=float,Açıklama=string,Döviz Tutar=float,Ref=string,Saat=string")});
    row("SanalposSiranoVer", QStringLiteral("SanalposSiranoVer"), {cardCollection},
        {QStringLiteral("int=%1").arg(receipt)});
    row("BakiyeDuzenle", QStringLiteral("BakiyeDuzenle"),
        {demo, 0, 0, outstanding, 1.0, 1.0, QStringLiteral("B")}, {QStringLiteral("int=1")});
    row("BakiyeDegistir", QStringLiteral("BakiyeDegistir"),
        {demo, 0, 0, outstanding, 1.0, 1.0, QStringLiteral("B")}, {QStringLiteral("int")});
    row("BakiyeFiyatDegistir", QStringLiteral("BakiyeFiyatDegistir"),
        {demo, 0, 0, outstanding, 1.0, 1.0, QStringLiteral("B"), 10.0, 5.0}, {QStringLiteral("int")});
    row("SiparisAytintisiDip", QStringLiteral("SiparisAytintisiDip"), {0, order},
        {QStringLiteral("object:baglantiu.TSiparisDipAyrinti")});
    row("CariAra", QStringLiteral("CariAra"), {rep, QString()}, {QStringLiteral("table:") + kCustomerColumns});
    row("SepetSayisi", QStringLiteral("SepetSayisi"), {rep}, {QStringLiteral("int")});
    row("TusSonuclariVer", QStringLiteral("TusSonuclariVer"), {rep}, {QStringLiteral("object:baglantiu.TTusSonuclari")});
    row("CariSepetVer", QStringLiteral("CariSepetVer"), {rep, 2}, {QStringLiteral("table:") + kCustomerColumns});
    row("KayanYaziGetir", QStringLiteral("KayanYaziGetir"), {}, {QStringLiteral("string")});
    row("BannerResimVer2", QStringLiteral("BannerResimVer2"), {}, {QStringLiteral("size"), QStringLiteral("stream:GIF89a")});
    row("BannerResimVer3", QStringLiteral("BannerResimVer3"), {}, {QStringLiteral("size"), QStringLiteral("stream:BM")});
    row("RaporGetir", QStringLiteral("RaporGetir"), {6, 6, 4, 1001, QStringLiteral("AHMET YILMAZ"), today, today},
        {QStringLiteral("size"), QStringLiteral("stream:%PDF-")});
    row("BalonGetir", QStringLiteral("BalonGetir"), {demo},
        {QStringLiteral("table:SEPET=integer,YENI=integer,KAMPANYA=integer,DUYURU=integer,BAKIYE=float")});
    row("TumSiparislerVer", QStringLiteral("TumSiparislerVer"), {1001, 0}, {QStringLiteral("table:") + kOrderLineColumns});
    row("SepetSecimGuncelle", QStringLiteral("SepetSecimGuncelle"), {basketLine, 1}, {});
    row("MailGonserCari", QStringLiteral("MailGonserCari"), mail, {QStringLiteral("int")});
    row("MailGonserCariNormal", QStringLiteral("MailGonserCariNormal"), mailNormal, {QStringLiteral("int")});
    row("MobilCariBilgisiGetir", QStringLiteral("MobilCariBilgisiGetir"), {0, QStringLiteral("DEMO-PC")},
        {QStringLiteral("object:mobilstokunit.TMobilCariBilgisi")});
    row("AcilisReklamAdet", QStringLiteral("AcilisReklamAdet"), {}, {QStringLiteral("int=3")});
    row("AcilisREklamVer", QStringLiteral("AcilisREklamVer"), {0}, {QStringLiteral("object:mobilstokunit.TAcilisEkran")});
    row("AcilisEkranlarVer2", QStringLiteral("AcilisEkranlarVer2"), {},
        {QStringLiteral("object:mobilstokunit.TAcilisEkranlariki")});
    row("RaporAlinanSiparisler", QStringLiteral("RaporAlinanSiparisler"), {rep, today - 200, today},
        {QStringLiteral("table:SATICIADI=string,IDNO=float,TUTAR=float")});
    row("RaporEnCokSatilanStoklar", QStringLiteral("RaporEnCokSatilanStoklar"), {rep, today - 200, today},
        {QStringLiteral("table:BARKOD=string,MIKTAR=float,TUTAR=float")});
    row("CariDurumVer", QStringLiteral("CariDurumVer"), {1001}, {QStringLiteral("string")});
    row("CariVadeGunGecmismiBul", QStringLiteral("CariVadeGunGecmismiBul"), {1001}, {QStringLiteral("string")});
    row("StokHareketVer", QStringLiteral("StokHareketVer"), {1001, 1001},
        {QStringLiteral("table:BARKOD=string,TARIH=date,TURU=string,EVRAKSERI=string,EVRAKSIRA=string,MIKTAR=float,"
                        "TLBIRIMFIYAT=float,TLVERGI=float,TLTUTAR=float,INDIRIM1=float,INDIRIM8=float,"
                        "TOPLAMINDIRIM=float,NETBIRIMFIYAT=float,NETTLTUTAR=float,KDVDAHILBIRIMFIYAT=float,"
                        "KDVDAHILTUTAR=float,SATICI=string")});
}

void tst_AppServerMethods::everyMethodAnswersInShape()
{
    QFETCH(QString, method);
    QFETCH(Params, params);
    QFETCH(QStringList, expected);
    m_called.insert(method);

    const ServerFixture::Reply reply = m_server->call(method, params);
    QVERIFY2(reply.status == 200, qPrintable(QStringLiteral("%1: %2").arg(reply.status).arg(reply.error)));
    QCOMPARE(reply.results.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QString kind = expected.at(i).section(u':', 0, 0).section(u'=', 0, 0);
        const QString detail = expected.at(i).section(u':', 1);
        const QString value = expected.at(i).contains(u'=') && !expected.at(i).contains(u':')
                                  ? expected.at(i).section(u'=', 1)
                                  : QString();
        const wire::Value &v = reply.results.at(i);
        if (kind == u"int" || kind == u"size") {
            QVERIFY2(v.kind() == wire::Value::Kind::Int, qPrintable(v.kindName()));
            if (!value.isEmpty())
                QCOMPARE(v.intValue(), value.toLongLong());
        } else if (kind == u"bool") {
            QCOMPARE(v.kind(), wire::Value::Kind::Bool);
            if (!value.isEmpty())
                QCOMPARE(v.boolValue(), value == u"true");
        } else if (kind == u"string") {
            QCOMPARE(v.kind(), wire::Value::Kind::String);
        } else if (kind == u"object") {
            QCOMPARE(v.kind(), wire::Value::Kind::Object);
            QCOMPARE(v.objectValue().type, detail);
        } else if (kind == u"stream") {
            wire::Result<QByteArray> bytes = v.toBytes();
            QVERIFY2(bytes.ok(), qPrintable(bytes.errorText()));
            QVERIFY(!bytes.value().isEmpty());
            QCOMPARE(qint64(bytes.value().size()), reply.results.at(i - 1).intValue());
            QVERIFY2(bytes.value().startsWith(detail.toLatin1()), bytes.value().left(8).constData());
        } else if (kind == u"table") {
            QCOMPARE(v.kind(), wire::Value::Kind::Table);
            const QString problem = tableShapeError(v.tableValue(), detail);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown expectation %1").arg(expected.at(i))));
        }
    }
}

// The table above reaches every method the server offers.
void tst_AppServerMethods::everyServerMethodExercised()
{
    const QStringList offered = appserver::methodTable().keys();
    const QSet<QString> all(offered.begin(), offered.end());
    QCOMPARE(all - m_called, QSet<QString>());
    QCOMPARE(m_called - all, QSet<QString>());
}

void tst_AppServerMethods::fixedReportColumnsInOrder_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("columns");
    QTest::newRow("orders") << QStringLiteral("RaporAlinanSiparisler")
                            << QStringLiteral("SATICIADI:string,IDNO:float,CARINO:integer,TARIH:date,KUR:string,"
                                              "KURTL:float,VERENIDNO:integer,KARGO:string,TESLIM:string,VEREN:string,"
                                              "CARIKOD:string,CARIADI:string,DURUM:string,KARGOADI:string,VERGI:float,"
                                              "NETTUTAR:float,TUTAR:float");
    QTest::newRow("sold items") << QStringLiteral("RaporEnCokSatilanStoklar")
                                << QStringLiteral("BARKOD:string,KOD:string,ADI:string,DEPARTMAN:string,MIKTAR:float,"
                                                  "NETTUTAR:float,TLVERGI:float,TUTAR:float");
}

// The reports window keeps fixed columns: the result must match them in
// order, name and type.
void tst_AppServerMethods::fixedReportColumnsInOrder()
{
    QFETCH(QString, method);
    QFETCH(QString, columns);
    const double today = std::floor(dayNumberFromDate(QDate::currentDate()));
    const ServerFixture::Reply reply = m_server->call(method, {ServerFixture::record(m_rep), today - 365, today});
    QCOMPARE(reply.status, 200);
    const TableData &t = reply.results.value(0).tableValue();
    QStringList got;
    for (const FieldDef &f : t.fields())
        got << f.name + u':' + fieldTypeName(f.type);
    QCOMPARE(got.join(u','), columns);
    QVERIFY(t.rowCount() > 0);
}

QTEST_MAIN(tst_AppServerMethods)
#include "tst_appserver_methods.moc"
