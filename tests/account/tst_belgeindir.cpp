// Receipt and report downloads: the stream is read in 1 024-byte blocks and
// kept only when complete; a failed or short download never opens an older
// file; a file that cannot be put in place is told, not opened. Exact byte
// counts come from a stand-in server; the real receipts and reports from the
// application server with its demo data.
#include "account/ayrinti_tahsilatu.h"
#include "account/belgeindir.h"
#include "appserver/database.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "platform/dataset/fieldtype.h"
#include "tests/appserver/serverfixture.h"
#include "tests/basket/sepetortami.h"
#include "tests/core/yazmahatasi.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

QByteArray baytlar(int n, char tohum)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char(tohum + i % 251);
    return b;
}

QByteArray akimJson(qint64 boy, const QByteArray& icerik)
{
    return "[" + QByteArray::number(boy) + ",\"" + icerik.toBase64() + "\"]";
}

QByteArray dosyaIcerigi(const QString& yol)
{
    QFile f(yol);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void dosyaYaz(const QString& yol, const QByteArray& icerik)
{
    QFile f(yol);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(icerik);
}

QList<ShownDialog> acilanlar(const DialogRecorder& d)
{
    QList<ShownDialog> s;
    for (const ShownDialog& x : d.shown())
        if (x.what == ShownDialog::OpenWithSystem)
            s.append(x);
    return s;
}

} // namespace

class tst_BelgeIndir : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void dekont_data();
    void dekont();
    void ayniDekontIkinciKezUzerineYazar();
    void yerineKonamayanDosyaAcilmazBildirilir();
    void pdfAlYalnizDekontVarken_data();
    void pdfAlYalnizDekontVarken();
    void sunucudanDekontVeRapor();
    void yazilamayanBelgeEskisiniKorur_data();
    void yazilamayanBelgeEskisiniKorur();
    void doluDiskteBelgeBildirilirYarimKalmaz();

private:
    QTemporaryDir FEv;
};

void tst_BelgeIndir::initTestCase()
{
    std::signal(SIGPIPE, SIG_IGN);
    QVERIFY(FEv.isValid());
    qputenv("HOME", FEv.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (FEv.path() + u"/.config"_s).toUtf8());
    QVERIFY(BelgelerKlasoru().startsWith(FEv.path()));
}

void tst_BelgeIndir::dekont_data()
{
    QTest::addColumn<qint64>("boy");
    QTest::addColumn<int>("gelen");
    QTest::addColumn<bool>("kaydedilir");
    QTest::newRow("2048: iki tam blok ve bos okuma") << qint64(2048) << 2048 << true;
    QTest::newRow("1500: bir tam bir eksik blok") << qint64(1500) << 1500 << true;
    QTest::newRow("1024") << qint64(1024) << 1024 << true;
    QTest::newRow("bildirilenden az") << qint64(2048) << 2000 << false;
    QTest::newRow("bildirilenden fazla") << qint64(1024) << 1100 << false;
    QTest::newRow("bildirilen 0") << qint64(0) << 700 << false;
}

void tst_BelgeIndir::dekont()
{
    QFETCH(qint64, boy);
    QFETCH(int, gelen);
    QFETCH(bool, kaydedilir);
    SunucuOrtami o;
    const QByteArray icerik = baytlar(gelen, 'a');
    o.sunucu.cevapla(u"SAnalPosPdfVer"_s, akimJson(boy, icerik));
    const QString dosya = DekontDosyasi(345);
    QVERIFY(dosya.endsWith(u"/sanalposodeme345.pdf"_s));
    QDir().mkpath(BelgelerKlasoru());
    // An older receipt of the same name must never stand in for this one.
    dosyaYaz(dosya, "ESKI");

    Tayrinti_tahsilat pencere(nullptr);
    pencere.con = &o.bagc;
    pencere.sirano = 345;
    QCOMPARE(pencere.belgeyazClick(), kaydedilir);

    QCOMPARE(o.sunucu.cagrilar(u"SAnalPosPdfVer"_s).size(), 1);
    QCOMPARE(o.sunucu.cagrilar(u"SAnalPosPdfVer"_s).first().parametreler.first().toInt(), 345);
    const QList<ShownDialog> acilan = acilanlar(o.dialogs);
    if (kaydedilir) {
        QCOMPARE(dosyaIcerigi(dosya), icerik);
        QCOMPARE(acilan.size(), 1);
        QCOMPARE(acilan.first().text, dosya);
    } else {
        QVERIFY(!QFile::exists(dosya));
        QCOMPARE(acilan.size(), 0);
    }
    // Complete or not, the download itself says nothing.
    QCOMPARE(o.dialogs.messages().size(), 0);
}

void tst_BelgeIndir::ayniDekontIkinciKezUzerineYazar()
{
    SunucuOrtami o;
    Tayrinti_tahsilat pencere(nullptr);
    pencere.con = &o.bagc;
    pencere.sirano = 77;
    const QByteArray ilk = baytlar(3000, 'x'), ikinci = baytlar(1200, 'k');
    o.sunucu.cevapla(u"SAnalPosPdfVer"_s, akimJson(ilk.size(), ilk));
    QVERIFY(pencere.belgeyazClick());
    QCOMPARE(dosyaIcerigi(DekontDosyasi(77)), ilk);
    o.sunucu.cevapla(u"SAnalPosPdfVer"_s, akimJson(ikinci.size(), ikinci));
    QVERIFY(pencere.belgeyazClick());
    QCOMPARE(dosyaIcerigi(DekontDosyasi(77)), ikinci);
    QCOMPARE(acilanlar(o.dialogs).size(), 2);

    // A remote error afterwards leaves no file behind and opens nothing.
    o.sunucu.hataVer(u"SAnalPosPdfVer"_s, u"Sanal POS kaydı bulunamadı"_s);
    QVERIFY(!pencere.belgeyazClick());
    QVERIFY(!QFile::exists(DekontDosyasi(77)));
    QCOMPARE(acilanlar(o.dialogs).size(), 2);
}

void tst_BelgeIndir::yerineKonamayanDosyaAcilmazBildirilir()
{
    SunucuOrtami o;
    // A non-empty folder holds the receipt's name: it can be neither deleted
    // nor replaced, as a file a viewer keeps locked.
    const QString dosya = DekontDosyasi(501);
    QVERIFY(QDir().mkpath(dosya));
    dosyaYaz(dosya + u"/icerik"_s, "kilitli");
    const QByteArray icerik = baytlar(2048, 'p');
    o.sunucu.cevapla(u"SAnalPosPdfVer"_s, akimJson(icerik.size(), icerik));

    Tayrinti_tahsilat pencere(nullptr);
    pencere.con = &o.bagc;
    pencere.sirano = 501;
    QVERIFY(!pencere.belgeyazClick());
    QCOMPARE(acilanlar(o.dialogs).size(), 0);
    const QList<ShownDialog> mesajlar = o.dialogs.messages();
    QCOMPARE(mesajlar.size(), 1);
    QCOMPARE(mesajlar.first().kind, mtError);
    QVERIFY(mesajlar.first().text.startsWith(u"Belge kaydedilemedi:"_s));
    QVERIFY(mesajlar.first().text.contains(u"sanalposodeme501.pdf"_s));
    // No temporary file is left beside it.
    QCOMPARE(QDir(BelgelerKlasoru()).entryList({u"sanalposodeme501*"_s}, QDir::Files).size(), 0);
    QDir(dosya).removeRecursively();
}

void tst_BelgeIndir::pdfAlYalnizDekontVarken_data()
{
    QTest::addColumn<int>("sirano");
    QTest::addColumn<bool>("gorunur");
    QTest::newRow("dekont var") << 12 << true;
    QTest::newRow("0") << 0 << false;
    QTest::newRow("negatif") << -3 << false;
}

void tst_BelgeIndir::pdfAlYalnizDekontVarken()
{
    QFETCH(int, sirano);
    QFETCH(bool, gorunur);
    SunucuOrtami o;
    o.sunucu.cevapla(u"Tahsilat"_s, "[" + tabloJson({"Tarih:string", "Tutar:float"}, {{"\"01.12.2026\"", "250"}}) + "]");
    o.sunucu.cevapla(u"SanalposSiranoVer"_s, "[" + QByteArray::number(sirano) + "]");
    Tayrinti_tahsilat pencere(nullptr);
    pencere.Yukle(o.bagc, 900);
    QCOMPARE(pencere.belgeyaz->isVisibleTo(&pencere), gorunur);
    QCOMPARE(pencere.sirano, sirano);
    QCOMPARE(pencere.con, &o.bagc);
    QCOMPARE(pencere.TAH.RecordCount(), 1);
    QCOMPARE(pencere.TAH.displayFormat(pencere.TAH.data().fieldIndex(u"Tutar")), OndalikGorunum());
    QStringList sira;
    for (const SahteSunucu::Cagri& c : o.sunucu.cagrilar())
        sira << c.metot;
    QCOMPARE(sira, (QStringList{u"Tahsilat"_s, u"SanalposSiranoVer"_s}));
}

void tst_BelgeIndir::sunucudanDekontVeRapor()
{
    ServerFixture sunucu;
    QVERIFY(sunucu.ok());
    DialogRecorder dialogs;
    datasnap::Connection bagc;
    bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));
    TSonucBilgisi sbilgi = sunucu.signIn(u"DEMO-PC"_s);
    QVERIFY(sbilgi.CARINO() > 0);

    // A collection of the demo set that was paid by card.
    QSqlQuery q = runSql(sunucu.database().connection(),
                         u"SELECT p.sirano, p.tahsilatidno FROM sanalpos p ORDER BY p.sirano LIMIT 1"_s);
    QVERIFY(q.next());
    const int sirano = q.value(0).toInt();
    const int tahsilat = q.value(1).toInt();
    Tayrinti_tahsilat pencere(nullptr);
    pencere.Yukle(bagc, tahsilat);
    QCOMPARE(pencere.sirano, sirano);
    QVERIFY(pencere.belgeyaz->isVisibleTo(&pencere));
    QVERIFY(pencere.TAH.RecordCount() > 0);
    QVERIFY(pencere.belgeyazClick());
    const QByteArray dekont = dosyaIcerigi(DekontDosyasi(sirano));
    QVERIFY(dekont.startsWith("%PDF"));
    QFile::remove(u"/tmp/zelvori-account-dekont.pdf"_s);
    QFile::copy(DekontDosyasi(sirano), u"/tmp/zelvori-account-dekont.pdf"_s);

    // Report 6 for customer 1234 is saved as rapor1240.pdf.
    runSql(sunucu.database().connection(),
           u"INSERT INTO cari (carino, carikod, cariadi, saticino) "
           "SELECT 1234, 'T-1234', 'DENEME OTOMOTİV', saticino FROM satici LIMIT 1"_s);
    const double bugun = dayNumberFromDate(QDate::currentDate());
    QVERIFY(RaporIndir(bagc, sbilgi, 6, 1234, bugun, bugun, QString()));
    const QString rapor = BelgelerKlasoru() + u"/rapor1240.pdf"_s;
    QCOMPARE(RaporDosyasi(6, 1234), rapor);
    QVERIFY(dosyaIcerigi(rapor).startsWith("%PDF"));
    QCOMPARE(acilanlar(dialogs).size(), 2);
    QCOMPARE(acilanlar(dialogs).last().text, rapor);
    QFile::remove(u"/tmp/zelvori-account-rapor.pdf"_s);
    QFile::copy(rapor, u"/tmp/zelvori-account-rapor.pdf"_s);

    // An unknown report: the server refuses, nothing is saved or opened.
    QVERIFY(!RaporIndir(bagc, sbilgi, 99, 0, bugun, bugun, QString()));
    QVERIFY(!QFile::exists(RaporDosyasi(99, 0)));
    QCOMPARE(acilanlar(dialogs).size(), 2);
    QCOMPARE(dialogs.messages().size(), 0);
}

enum class Engel { DoluDisk, SaltOkunurKlasor, UstuDosya };
Q_DECLARE_METATYPE(Engel)

void tst_BelgeIndir::yazilamayanBelgeEskisiniKorur_data()
{
    QTest::addColumn<Engel>("engel");
    QTest::addColumn<qint64>("sigan");  // bytes a file may grow to on the full disk
    QTest::addColumn<QString>("neden");  // part of the reason given; empty: any reason
    const QString cokBuyuk = QString::fromLocal8Bit(std::strerror(EFBIG));
    QTest::newRow("disk full before the first byte") << Engel::DoluDisk << qint64(0) << cokBuyuk;
    QTest::newRow("disk full halfway") << Engel::DoluDisk << qint64(20000) << cokBuyuk;
    // Qt refuses to replace a file it cannot write, in words of its own.
    QTest::newRow("read-only folder") << Engel::SaltOkunurKlasor << qint64(0) << QString();
    QTest::newRow("folder is a file") << Engel::UstuDosya << qint64(0) << QString::fromLocal8Bit(std::strerror(ENOTDIR));
}

// A complete stream that cannot be saved: the save step says why, the old
// file of that name keeps its bytes, and no temporary file stays beside it.
void tst_BelgeIndir::yazilamayanBelgeEskisiniKorur()
{
    QFETCH(Engel, engel);
    QFETCH(qint64, sigan);
    QFETCH(QString, neden);
    QTemporaryDir yer;
    QVERIFY(yer.isValid());
    const QByteArray eski = baytlar(700, 'e');
    const QByteArray yeni = baytlar(50000, 'n');
    QString klasor = yer.path();
    QString dosya = klasor + u"/rapor7.pdf"_s;
    dosyaYaz(dosya, eski);
    std::unique_ptr<SaltOkunurKlasor> salt;
    if (engel == Engel::SaltOkunurKlasor) {
        salt = std::make_unique<SaltOkunurKlasor>(yer.path(), QList<QPair<QString, QByteArray>>{{u"rapor7.pdf"_s, eski}});
        if (!salt->ok())
            QSKIP("mounting a read-only file system is not allowed here");
        klasor = salt->path();
        dosya = klasor + u"/rapor7.pdf"_s;
    } else if (engel == Engel::UstuDosya) {
        klasor = dosya;
        dosya = klasor + u"/rapor8.pdf"_s;
    }
    const QStringList once = QDir(klasor).entryList(QDir::Files | QDir::Hidden);

    QString hata;
    BelgeKayitSonucu sonuc = BelgeKayitSonucu::Kaydedildi;
    if (engel == Engel::DoluDisk) {
        DoluDisk dolu{rlim_t(sigan)};
        QVERIFY(dolu.ok());
        sonuc = BelgeKaydet(yeni, yeni.size(), dosya, &hata);
    } else {
        sonuc = BelgeKaydet(yeni, yeni.size(), dosya, &hata);
    }
    QCOMPARE(sonuc, BelgeKayitSonucu::Yazilamadi);
    QVERIFY2(!hata.isEmpty() && hata.contains(neden), qPrintable(hata));
    QCOMPARE(dosyaIcerigi(engel == Engel::UstuDosya ? klasor : dosya), eski);
    QCOMPARE(QDir(klasor).entryList(QDir::Files | QDir::Hidden), once);
    if (engel == Engel::DoluDisk) {
        QCOMPARE(BelgeKaydet(yeni, yeni.size(), dosya, &hata), BelgeKayitSonucu::Kaydedildi);
        QCOMPARE(dosyaIcerigi(dosya), yeni);
    }
}

// The whole download on a full disk: the user reads which file could not be
// saved and why; no half-written file is left under the name, none beside
// it, and nothing opens.
void tst_BelgeIndir::doluDiskteBelgeBildirilirYarimKalmaz()
{
    SunucuOrtami o;
    Tayrinti_tahsilat pencere(nullptr);
    pencere.con = &o.bagc;
    pencere.sirano = 612;
    const QByteArray icerik = baytlar(40000, 'd');
    o.sunucu.cevapla(u"SAnalPosPdfVer"_s, akimJson(icerik.size(), icerik));
    const QString dosya = DekontDosyasi(612);
    bool acildi = true;
    {
        DoluDisk dolu(4096);
        QVERIFY(dolu.ok());
        acildi = pencere.belgeyazClick();
    }
    QVERIFY(!acildi);
    QCOMPARE(acilanlar(o.dialogs).size(), 0);
    const QList<ShownDialog> mesajlar = o.dialogs.messages();
    QCOMPARE(mesajlar.size(), 1);
    QCOMPARE(mesajlar.first().kind, mtError);
    const QString bas = u"Belge kaydedilemedi:\r\n"_s + QDir::toNativeSeparators(dosya) + u"\r\n"_s;
    QVERIFY2(mesajlar.first().text.startsWith(bas), qPrintable(mesajlar.first().text));
    QVERIFY2(mesajlar.first().text.mid(bas.size()).contains(QString::fromLocal8Bit(std::strerror(EFBIG))),
             qPrintable(mesajlar.first().text));
    QVERIFY(!QFile::exists(dosya));
    QCOMPARE(QDir(BelgelerKlasoru()).entryList({u"sanalposodeme612*"_s}, QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(tst_BelgeIndir)
#include "tst_belgeindir.moc"
