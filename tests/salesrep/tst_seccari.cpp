// The customer selection of sales representatives against the application
// server running in-process on a loopback port with a fresh demo database:
// search text, the counters, choosing, the report entries, the outstanding
// lines of another customer, connection failures, cancelling, and the main
// window's refresh after a switch.
#include "app/Unit1.h"
#include "basket/bakiyesiparisleru.h"
#include "core/dialogrecorder.h"
#include "core/utils.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "salesrep/seccariu.h"
#include "server/proxim.h"
#include "signin/programsonu.h"
#include "tests/appserver/serverfixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTcpServer>
#include <QTest>
#include <QToolButton>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// A server, a connection to it and a representative's sign-in record.
struct Ortam
{
    ServerFixture sunucu;
    datasnap::Connection bag;
    TSonucBilgisi bilgim;

    explicit Ortam(const QString& makine = u"TEMSILCI2-PC"_s)
    {
        bag.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
        bag.setParam(datasnap::param::Port, QString::number(sunucu.port()));
        bilgim = sunucu.signIn(makine);
    }
    QVariant sql(const QString& metin, const QVariantList& degerler = {})
    {
        return scalarSql(sunucu.database().connection(), metin, degerler);
    }
};

QList<int> carinolar(const MemTable& t)
{
    QList<int> l;
    const int i = t.data().fieldIndex(u"CARINO"_s);
    for (int r = 0; r < t.data().rowCount(); ++r)
        l << int(t.data().intValue(r, i));
    return l;
}

bool yuklenmesiniBekle(Tseccari& p, const std::function<void()>& baslat)
{
    QSignalSpy bitti(&p, &Tseccari::ListeYuklendi);
    baslat();
    return bitti.wait(20000) && bitti.first().first().toBool();
}

// A customer table as the server sends it, with the columns the window reads.
TableData cariTablosu(const QList<std::pair<int, QString>>& satirlar)
{
    TableData d;
    d.setFields({{u"CARINO"_s, FieldType::Integer}, {u"CARIKOD"_s, FieldType::String, 25},
                 {u"CARIADI"_s, FieldType::String, 100}, {u"SATICISI"_s, FieldType::String, 50},
                 {u"TLBAKIYE"_s, FieldType::Float}, {u"DURUM"_s, FieldType::String, 10},
                 {u"ILCE"_s, FieldType::String, 50}, {u"IL"_s, FieldType::String, 50}});
    for (const auto& [carino, satici] : satirlar) {
        const int r = d.appendRow();
        d.setInt(r, 0, carino);
        d.setString(r, 1, u"K%1"_s.arg(carino));
        d.setString(r, 2, u"CARI %1"_s.arg(carino));
        d.setString(r, 3, satici);
        d.setDouble(r, 4, 1234.5);
        d.setString(r, 5, u"B"_s);
        d.setString(r, 6, u"Konak"_s);
        // IL left null: the panel shows it as empty text.
    }
    return d;
}

// Records how the program would have ended.
struct SonRecorder
{
    QList<int> kodlar;
    ProgramSonlandirici onceki;
    SonRecorder()
    {
        onceki = ProgramSonlandiriciAyarla([this](int k) { kodlar << k; });
    }
    ~SonRecorder() { ProgramSonlandiriciAyarla(onceki); }
};

// The basket tab as the main window sees it: records each reload.
struct SepetKaydi : QWidget
{
    std::function<void()> yenilendi;
    void Yenile()
    {
        if (yenilendi)
            yenilendi();
    }
};

} // namespace

class tst_seccari : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
    void aramaMetni_data();
    void aramaMetni();
    void bosAramaTumCariler();
    void durumListesiVeDetay();
    void sayaclar_data();
    void sayaclar();
    void secim_data();
    void secim();
    void raporlar_data();
    void raporlar();
    void raporIndirilir();
    void bakiyelerKopyaUzerinde();
    void baglantiHatasi();
    void vazgecProgramiBitirir();
    void secimSonucu_data();
    void secimSonucu();
    void cariDegisimiAnaPencere();
};

void tst_seccari::aramaMetni_data()
{
    QTest::addColumn<QString>("kutu");
    QTest::addColumn<QString>("giden");
    QTest::newRow("dotless i") << u"kırık ışık"_s << u"kirik işik"_s;
    QTest::newRow("blanks both ends") << u"  FREN  "_s << u"FREN"_s;
    QTest::newRow("both") << u" \tbalatası "_s << u"balatasi"_s;
    QTest::newRow("dotted and capital kept") << u"İZMİR Işık"_s << u"İZMİR Işik"_s;
    QTest::newRow("blanks only") << u"   "_s << QString();
}

void tst_seccari::aramaMetni()
{
    QFETCH(QString, kutu);
    QFETCH(QString, giden);
    QCOMPARE(Tseccari::AramaMetni(kutu), giden);
}

void tst_seccari::bosAramaTumCariler()
{
    Ortam o;
    QVERIFY(o.sunucu.ok());
    DialogRecorder dialogs;
    Tseccari p(nullptr, o.bag, o.bilgim);
    QVERIFY(!p.GroupBox1->isVisible() && p.GroupBox1->isHidden());
    QCOMPARE(p.CARILER.data().rowCount(), 0);

    // Enter in an empty box.
    QVERIFY(yuklenmesiniBekle(p, [&] { QTest::keyClick(p.NEdit1, Qt::Key_Return); }));
    const QList<int> bosArama = carinolar(p.CARILER);
    // A type-2 representative sees every customer.
    QCOMPARE(bosArama.size(), o.sql(u"SELECT COUNT(*) FROM cari"_s).toInt());

    // "Tüm Carileri Listeler" empties the box first.
    p.NEdit1->setText(u"TRAKYA"_s);
    QVERIFY(yuklenmesiniBekle(p, [&] { p.sBitBtn2->click(); }));
    QVERIFY(p.NEdit1->text().isEmpty());
    QCOMPARE(carinolar(p.CARILER), bosArama);

    // A search narrows the list; the first row is focused and shown.
    p.NEdit1->setText(u"  trakya "_s);
    QVERIFY(yuklenmesiniBekle(p, [&] { p.NEdit1Enter(); }));
    QCOMPARE(carinolar(p.CARILER), QList<int>{1012});
    QCOMPARE(p.cxGrid1->focusedRow(), 0);
    QVERIFY(!p.GroupBox1->isHidden());
    QCOMPARE(p.carikod->text(), u"120.01.012"_s);
    QCOMPARE(p.NEdit1->selectedText(), p.NEdit1->text());
    QVERIFY(dialogs.shown().isEmpty());
}

void tst_seccari::durumListesiVeDetay()
{
    Ortam o(u"TEMSILCI1-PC"_s);
    QVERIFY(o.sunucu.ok());
    DialogRecorder dialogs;
    Tseccari p(nullptr, o.bag, o.bilgim);

    // Status 2 for a type-1 representative: his own customers with a new order.
    const int beklenen = o.sql(u"SELECT COUNT(DISTINCT o.carino) FROM siparis o JOIN cari c ON c.carino = o.carino "
                               "WHERE c.saticino = 1 AND o.durum = 2"_s)
                             .toInt();
    QVERIFY(yuklenmesiniBekle(p, [&] { p.alinditus->click(); }));
    QCOMPARE(p.CARILER.data().rowCount(), beklenen);

    // The detail panel of a focused customer, every value as text.
    p.NEdit1->setText(u"DEMO OTO"_s);
    QVERIFY(yuklenmesiniBekle(p, [&] { p.CariListele(); }));
    QCOMPARE(carinolar(p.CARILER), QList<int>{1001});
    QCOMPARE(p.cariadi->text(), u"DEMO OTO YEDEK PARÇA LTD. ŞTİ."_s);
    QCOMPARE(p.ilce->text(), u"Ümraniye/İSTANBUL"_s);
    QCOMPARE(p.vergi->text(), u"Ümraniye/1234567890"_s);
    QCOMPARE(p.telefon2->text(), u"0216 555 10 02"_s);
    QCOMPARE(p.fax2->text(), QString());
    QCOMPARE(p.vade->text(), u"30"_s);
    const double bakiye = o.sql(u"SELECT COALESCE(SUM(borc - alacak), 0) FROM ekstre WHERE carino = 1001"_s).toDouble();
    QVERIFY(p.bakiye->text().startsWith(SayiGoster(bakiye) + u" "_s));
    QCOMPARE(p.CARILER.FieldByName(u"TLBAKIYE"_s).DisplayFormat(), u"#,###,##0.00"_s);

    // A search without a hit hides the panel.
    p.NEdit1->setText(u"YOKBÖYLEBİRCARİ"_s);
    QVERIFY(yuklenmesiniBekle(p, [&] { p.CariListele(); }));
    QCOMPARE(p.CARILER.data().rowCount(), 0);
    QVERIFY(p.GroupBox1->isHidden());
}

void tst_seccari::sayaclar_data()
{
    QTest::addColumn<bool>("sepetBos");
    QTest::newRow("empty baskets, no shipped orders") << true;
    QTest::newRow("as the demo has them") << false;
}

void tst_seccari::sayaclar()
{
    QFETCH(bool, sepetBos);
    Ortam o(u"TEMSILCI1-PC"_s);
    QVERIFY(o.sunucu.ok());
    DialogRecorder dialogs;
    if (sepetBos) {
        QSqlQuery q(o.sunucu.database().connection());
        QVERIFY(q.exec(u"DELETE FROM sepet"_s));
        QVERIFY(q.exec(u"UPDATE siparis SET durum = 6 WHERE durum = 7"_s));
    }
    auto sayi = [&](int durum) {
        return o.sql(u"SELECT COUNT(*) FROM siparis o JOIN cari c ON c.carino = o.carino "
                     "WHERE c.saticino = 1 AND o.durum = ?"_s,
                     {durum})
            .toInt();
    };
    const int sepetli = o.sql(u"SELECT COUNT(DISTINCT b.carino) FROM sepet b JOIN cari c ON c.carino = b.carino "
                              "WHERE c.saticino = 1"_s)
                            .toInt();
    QCOMPARE(sepetli == 0, sepetBos);

    Tseccari p(nullptr, o.bag, o.bilgim);
    p.SepetSayisiYaz();
    p.TusSonuclari();
    QCOMPARE(p.sepettus->text(), sepetBos ? QString() : QString::number(sepetli));
    QCOMPARE(p.alinditus->text(), QString::number(sayi(2)));
    QCOMPARE(p.onaylanditus->text(), QString::number(sayi(3)));
    QCOMPARE(p.goruldutus->text(), QString::number(sayi(4)));
    QCOMPARE(p.parcalihazirlandi->text(), QString::number(sayi(5)));
    QCOMPARE(p.hazirlanditus->text(), QString::number(sayi(6)));
    QCOMPARE(p.sevktus->text(), QString::number(sayi(7)));
    if (sepetBos)
        QCOMPARE(p.sevktus->text(), u"0"_s);
    QCOMPARE(p.sepettus->toolTip(), u"Sipariş sepetinde \r\nstok olan carileri listeler."_s);
    QCOMPARE(p.sBitBtn2->toolTip(), u"Tüm Carileri Listeler"_s);
    QVERIFY(dialogs.shown().isEmpty());
}

void tst_seccari::secim_data()
{
    QTest::addColumn<int>("carino");
    QTest::addColumn<bool>("satirVar");
    QTest::addColumn<bool>("secilir");
    QTest::newRow("no row") << 0 << false << false;
    QTest::newRow("number 0") << 0 << true << false;
    QTest::newRow("negative number") << -3 << true << false;
    QTest::newRow("a customer") << 1007 << true << true;
}

void tst_seccari::secim()
{
    QFETCH(int, carino);
    QFETCH(bool, satirVar);
    QFETCH(bool, secilir);
    datasnap::Connection bag;
    TSonucBilgisi bilgim;
    bilgim.setADI(u"TEMSILCI1"_s);
    bilgim.setCARINO(1001);
    bilgim.setcarikod(u"120.01.001"_s);
    bilgim.setCariAdi(u"DEMO OTO"_s);
    bilgim.setSaticiAdi(u"AHMET YILMAZ"_s);
    bilgim.setSaticiTelefon(u"0532"_s);
    bilgim.setSaticiMail(u"a@b.c"_s);
    bilgim.setMusteriTipi(1);
    const TSonucBilgisi once = bilgim;

    Tseccari p(nullptr, bag, bilgim);
    QSignalSpy kabul(&p, &QDialog::accepted);
    if (satirVar) {
        p.CARILER.assign(cariTablosu({{carino, u"AHMET"_s}}));
        p.cxGrid1->setFocusedRow(0);
        QCOMPARE(p.cxGrid1->focusedRow(), 0);
    }
    p.Button1->click();
    if (!secilir) {
        QCOMPARE(bilgim, once);
        QCOMPARE(kabul.count(), 0);
        return;
    }
    QCOMPARE(kabul.count(), 1);
    QCOMPARE(p.result(), int(QDialog::Accepted));
    TSonucBilgisi beklenen = once;
    beklenen.setCARINO(carino);
    beklenen.setcarikod(u"K%1"_s.arg(carino));
    beklenen.setCariAdi(u"CARI %1"_s.arg(carino));
    QCOMPARE(bilgim, beklenen);
}

void tst_seccari::raporlar_data()
{
    QTest::addColumn<QString>("giris");
    QTest::addColumn<int>("musteriTipi");
    QTest::addColumn<int>("satirCarino"); // -1: no row
    QTest::addColumn<bool>("cagrilir");
    QTest::addColumn<int>("raporno");
    QTest::addColumn<int>("carino");
    QTest::addColumn<QString>("satici");
    QTest::addColumn<bool>("tekTarih");

    const QString ozet = u"Cari Özeti Göster"_s, tablo = u"Cari Alış Satış Tablosu (Satıcılı)"_s,
                  vade = u"Cari Toplu Alacak Vadeleri"_s;
    QTest::newRow("summary") << ozet << 1 << 1008 << true << 6 << 1008 << u"ELİF KORKMAZ"_s << true;
    QTest::newRow("summary, number 0") << ozet << 1 << 0 << false << 0 << 0 << QString() << true;
    QTest::newRow("summary, no row") << ozet << 2 << -1 << false << 0 << 0 << QString() << true;
    QTest::newRow("table, pointed customer") << tablo << 2 << 1008 << true << 7 << 1008 << u"ELİF KORKMAZ"_s << false;
    QTest::newRow("table, number 0") << tablo << 2 << 0 << false << 0 << 0 << QString() << false;
    QTest::newRow("table, no row") << tablo << 1 << -1 << false << 0 << 0 << QString() << false;
    QTest::newRow("due dates, type 1") << vade << 1 << 1008 << true << 6 << 0 << u"TEMSILCI1"_s << true;
    QTest::newRow("due dates, type 2") << vade << 2 << 1008 << true << 6 << 0 << u"."_s << true;
    QTest::newRow("due dates, empty list") << vade << 1 << -1 << true << 6 << 0 << u"TEMSILCI1"_s << true;
}

void tst_seccari::raporlar()
{
    QFETCH(QString, giris);
    QFETCH(int, musteriTipi);
    QFETCH(int, satirCarino);
    QFETCH(bool, cagrilir);
    datasnap::Connection bag;
    TSonucBilgisi bilgim;
    bilgim.setADI(u"TEMSILCI1"_s);
    bilgim.setCARINO(1001); // the customer acted for: never the report's
    bilgim.setMusteriTipi(musteriTipi);

    Tseccari p(nullptr, bag, bilgim);
    if (satirCarino >= 0) {
        p.CARILER.assign(cariTablosu({{satirCarino, u"ELİF KORKMAZ"_s}}));
        p.cxGrid1->setFocusedRow(0);
    }
    QList<bool> sorulan;
    p.TarihSor = [&](QWidget*, bool tek) {
        sorulan << tek;
        // Start after end: sent unchanged.
        return std::optional<Tseccari::TTarihler>({46000, 45990});
    };
    struct Cagri
    {
        int raporno, carino;
        double t1, t2;
        QString satici;
    };
    QList<Cagri> cagrilar;
    p.RaporIndirici = [&](datasnap::Connection& b, const TSonucBilgisi&, int r, int c, double t1, double t2,
                          const QString& s) {
        QCOMPARE(&b, &bag);
        cagrilar.append({r, c, t1, t2, s});
    };

    QAction* eylem = nullptr;
    for (QAction* a : p.PopupMenu1->actions())
        if (a->text() == giris)
            eylem = a;
    QVERIFY(eylem);
    eylem->trigger();

    if (!cagrilir) {
        QVERIFY(sorulan.isEmpty());
        QVERIFY(cagrilar.isEmpty());
        return;
    }
    QFETCH(int, raporno);
    QFETCH(int, carino);
    QFETCH(QString, satici);
    QFETCH(bool, tekTarih);
    QCOMPARE(sorulan, QList<bool>{tekTarih});
    QCOMPARE(cagrilar.size(), 1);
    QCOMPARE(cagrilar[0].raporno, raporno);
    QCOMPARE(cagrilar[0].carino, carino);
    QCOMPARE(cagrilar[0].satici, satici);
    QCOMPARE(cagrilar[0].t1, 46000.0);
    QCOMPARE(cagrilar[0].t2, tekTarih ? 46000.0 : 45990.0);

    // A cancelled date dialog downloads nothing.
    p.TarihSor = [](QWidget*, bool) { return std::optional<Tseccari::TTarihler>(); };
    eylem->trigger();
    QCOMPARE(cagrilar.size(), 1);
}

void tst_seccari::raporIndirilir()
{
    // The documents folder of a home of its own.
    QTemporaryDir ev;
    QVERIFY(ev.isValid());
    const QByteArray eskiEv = qgetenv("HOME"), eskiAyar = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(ev.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ev.filePath(u".config"_s)));
    auto geriAl = qScopeGuard([&] {
        qputenv("HOME", eskiEv);
        if (eskiAyar.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", eskiAyar);
    });
    QVERIFY(QDir(ev.path()).mkpath(u"Documents"_s));
    QCOMPARE(BelgelerKlasoru(), ev.filePath(u"Documents"_s));

    Ortam o(u"TEMSILCI1-PC"_s);
    QVERIFY(o.sunucu.ok());
    DialogRecorder dialogs;
    dialogs.setOpenResult(true);
    o.bilgim.setCARINO(1001);
    Tseccari p(nullptr, o.bag, o.bilgim);
    p.TarihSor = [](QWidget*, bool) { return std::optional<Tseccari::TTarihler>({40000, 60000}); };
    p.NEdit1->setText(u"KARADENİZ"_s);
    QVERIFY(yuklenmesiniBekle(p, [&] { p.CariListele(); }));
    QCOMPARE(carinolar(p.CARILER), QList<int>{1006});

    // The server's sales table needs the customer pointed at.
    p.AlisSatis1->trigger();
    const QString dosya = ev.filePath(u"Documents/rapor%1.pdf"_s.arg(7 + 1006));
    QFile f(dosya);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(5) == "%PDF-");
    QCOMPARE(dialogs.last().what, ShownDialog::OpenWithSystem);
    QCOMPARE(dialogs.last().text, dosya);
}

void tst_seccari::bakiyelerKopyaUzerinde()
{
    Ortam o(u"TEMSILCI1-PC"_s);
    QVERIFY(o.sunucu.ok());
    DialogRecorder dialogs;
    // The customer he acts for, and another of his with outstanding lines.
    o.bilgim.setCARINO(1001);
    o.bilgim.setcarikod(u"120.01.001"_s);
    o.bilgim.setCariAdi(u"DEMO OTO YEDEK PARÇA LTD. ŞTİ."_s);
    const int baska = o.sql(u"SELECT o.carino FROM siparis_satir ss JOIN siparis o ON o.idno = ss.idno "
                            "JOIN cari c ON c.carino = o.carino WHERE ss.kalan > 0 AND c.saticino = 1 "
                            "AND o.carino <> 1001 GROUP BY o.carino ORDER BY COUNT(*) DESC LIMIT 1"_s)
                          .toInt();
    QVERIFY(baska > 0);
    TableData beklenen;
    {
        o.bag.Open();
        TServerMethods1Client c(o.bag);
        beklenen = c.BakiyelerVer2(baska);
        o.bag.Close();
    }
    QVERIFY(beklenen.rowCount() > 0);
    const TSonucBilgisi once = o.bilgim;

    Tseccari p(nullptr, o.bag, o.bilgim);
    QVERIFY(yuklenmesiniBekle(p, [&] { p.CariListele(); }));
    const int satir = carinolar(p.CARILER).indexOf(baska);
    QVERIFY(satir >= 0);
    p.cxGrid1->setFocusedRow(satir);

    int gosterilen = 0;
    p.BakiyePenceresiGoster = [&](Tbakiyesiparisler& b) {
        ++gosterilen;
        // The lines of the pointed customer, not of the one acted for.
        QCOMPARE(b.bakiyesepet.RecordCount(), beklenen.rowCount());
        for (int r = 0; r < beklenen.rowCount(); ++r)
            QCOMPARE(b.bakiyesepet.data().value(r, 0), beklenen.value(r, 0));
        QVERIFY(b.windowState().testFlag(Qt::WindowMaximized));
        for (const QString& s : {u"ELDEKI"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s})
            QVERIFY2(b.cxGrid2->isColumnVisible(s), qPrintable(s));
        // Prices of outstanding lines are for type 2 only.
        QVERIFY(!b.F1->isVisible());
    };
    p.Bakiyeler1->trigger();
    QCOMPARE(gosterilen, 1);
    QCOMPARE(o.bilgim, once);
    QVERIFY(dialogs.texts().isEmpty());
}

void tst_seccari::baglantiHatasi()
{
    Ortam o;
    QVERIFY(o.sunucu.ok());
    DialogRecorder dialogs;
    Tseccari p(nullptr, o.bag, o.bilgim);
    p.SepetSayisiYaz();
    p.TusSonuclari();
    QVERIFY(yuklenmesiniBekle(p, [&] { p.sBitBtn2->click(); }));
    const QList<int> once = carinolar(p.CARILER);
    const QString sayac = p.alinditus->text();
    QVERIFY(!once.isEmpty());

    // A port nobody listens on.
    quint16 bosPort = 0;
    {
        QTcpServer s;
        QVERIFY(s.listen(QHostAddress::LocalHost));
        bosPort = s.serverPort();
    }
    o.bag.setParam(datasnap::param::Port, QString::number(bosPort));

    QSignalSpy bitti(&p, &Tseccari::ListeYuklendi);
    p.goruldutus->click();
    QVERIFY(bitti.wait(20000));
    QCOMPARE(bitti.first().first().toBool(), false);
    QCOMPARE(carinolar(p.CARILER), once);
    QCOMPARE(p.cxGrid1->rowCount(), once.size());
    QVERIFY(!p.GroupBox1->isHidden());

    p.TusSonuclari();
    QCOMPARE(p.alinditus->text(), sayac);
    const QString mesaj = u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;
    QCOMPARE(dialogs.texts(), (QStringList{mesaj, mesaj}));
    QCOMPARE(dialogs.last().caption, u"Hata"_s);
}

void tst_seccari::vazgecProgramiBitirir()
{
    datasnap::Connection bag; // never reached: the counters' failure is shown and the window goes on
    TSonucBilgisi bilgim;
    const TSonucBilgisi once = bilgim;
    DialogRecorder dialogs;
    SonRecorder son;
    const bool ok = CariSecimiGoster(nullptr, bag, bilgim, [](Tseccari& p) {
        p.show();
        p.Button2->click();
        return p.result();
    });
    QCOMPARE(son.kodlar, QList<int>{0});
    QVERIFY(!ok);
    QCOMPARE(bilgim, once);
}

void tst_seccari::secimSonucu_data()
{
    QTest::addColumn<QString>("nasil");
    QTest::addColumn<bool>("ok");
    QTest::newRow("Seç") << u"sec"_s << true;
    QTest::newRow("double-click") << u"cift"_s << true;
    QTest::newRow("window frame") << u"cerceve"_s << false;
    QTest::newRow("Escape") << u"esc"_s << false;
}

void tst_seccari::secimSonucu()
{
    // The opener learns OK only from a choice; the sign-in ends the program
    // on anything else, the window itself only on "Vazgeç".
    QFETCH(QString, nasil);
    QFETCH(bool, ok);
    datasnap::Connection bag;
    TSonucBilgisi bilgim;
    DialogRecorder dialogs;
    SonRecorder son;
    const bool sonuc = CariSecimiGoster(nullptr, bag, bilgim, [&](Tseccari& p) {
        p.CARILER.assign(cariTablosu({{1003, u"AHMET"_s}}));
        p.cxGrid1->setFocusedRow(0);
        p.show();
        if (nasil == u"sec"_s)
            p.Button1->click();
        else if (nasil == u"cift"_s)
            emit p.cxGrid1->rowDoubleClicked(0);
        else if (nasil == u"esc"_s)
            QTest::keyClick(&p, Qt::Key_Escape);
        else
            p.close();
        return p.result();
    });
    QCOMPARE(sonuc, ok);
    QCOMPARE(bilgim.CARINO(), ok ? 1003 : 0);
    QVERIFY(son.kodlar.isEmpty());
}

void tst_seccari::cariDegisimiAnaPencere()
{
    Ortam o(u"TEMSILCI1-PC"_s);
    QVERIFY(o.sunucu.ok());
    DialogRecorder dialogs;
    TForm1 f(nullptr, TForm1::Icerik::Takma); // the frame, with a recording basket tab
    f.bagc->setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    f.bagc->setParam(datasnap::param::Port, QString::number(o.sunucu.port()));
    *f.sbilgi = o.bilgim;
    TableData veri;
    veri.setFields({FieldDef{u"STOK_STOKNO"_s, FieldType::Integer}});
    veri.appendRow();
    f.stok->assign(std::move(veri));
    f.SekmeBasligiYaz(Sekme::StokListesi, u"1=Stok Listesi"_s);
    f.SekmeyiEtkinlestir(Sekme::CariEkstre);
    QList<int> sepetYenilenen;
    f.SekmeTak(Sekme::Sepet, new SepetKaydi)->yenilendi = [&] { sepetYenilenen << f.sbilgi->CARINO(); };

    // First showing: choose a customer; second: close through the frame.
    int gosterim = 0;
    std::function<int(Tseccari&)> goster = [&](Tseccari& p) {
        ++gosterim;
        p.show();
        if (gosterim == 1) {
            p.NEdit1->setText(u"KARADENİZ"_s);
            if (!yuklenmesiniBekle(p, [&] { p.CariListele(); }))
                return int(QDialog::Rejected);
            p.CariSec();
        } else {
            p.close();
        }
        return p.result();
    };
    f.CariSecimiAc = [&] { CariSecimiGoster(&f, *f.bagc, *f.sbilgi, goster); };

    f.MusteriDegistir();
    QCOMPARE(f.sbilgi->CARINO(), 1006);
    QCOMPARE(f.cariadilbl->text(), u"KARADENİZ FREN SİSTEMLERİ"_s);
    QCOMPARE(sepetYenilenen, QList<int>{1006});

    f.stok->assign(TableData(f.stok->data()));
    f.SekmeBasligiYaz(Sekme::StokListesi, u"7=Stok Listesi"_s);
    f.SekmeyiEtkinlestir(Sekme::CariEkstre);
    f.MusteriDegistir();
    QCOMPARE(gosterim, 2);
    QCOMPARE(f.sbilgi->CARINO(), 1006);
    QCOMPARE(f.sbilgi->carikod(), u"120.01.006"_s);
    QCOMPARE(f.cariadilbl->text(), u"KARADENİZ FREN SİSTEMLERİ"_s);
    QCOMPARE(sepetYenilenen, (QList<int>{1006, 1006}));
    QCOMPARE(f.kullanicilbl->text(), u"TEMSILCI1"_s);
    QCOMPARE(f.saticilbl->text(), o.bilgim.SaticiAdi() + u" Telefonu: "_s + o.bilgim.SaticiTelefon()
                                      + u" email: "_s + o.bilgim.SaticiMail());
    QCOMPARE(f.sPageControl1->currentWidget(), f.SekmeSayfasi(Sekme::StokListesi));
    QCOMPARE(f.SekmeBasligiOku(Sekme::StokListesi), u"0=Stok Listesi"_s);
    QVERIFY(f.stok->IsEmpty());
    QCOMPARE(f.focusWidget(), f.araedit);
    QVERIFY(dialogs.texts().isEmpty());
}

QTEST_MAIN(tst_seccari)
#include "tst_seccari.moc"
