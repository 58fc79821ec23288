// The account statement: the running balance, the document kinds, the
// background load of the tab (one at a time) and the detail a row opens.
#include "account/cariekstresekmesi.h"
#include "account/ekstrehesabi.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "tests/basket/sepetortami.h"

#include <QDialog>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

using Tutarlar = QList<QPair<QVariant, QVariant>>;

namespace {

TableData ekstreVerisi(const QList<QPair<QVariant, QVariant>>& tutarlar)
{
    TableData d;
    d.setFields({{u"BORC"_s, FieldType::Float}, {u"ALACAK"_s, FieldType::Float},
                 {u"BAKIYE"_s, FieldType::Float}, {u"D"_s, FieldType::String, 1}});
    for (const auto& [borc, alacak] : tutarlar) {
        const int r = d.appendRow();
        if (!borc.isNull())
            d.setDouble(r, 0, borc.toDouble());
        if (!alacak.isNull())
            d.setDouble(r, 1, alacak.toDouble());
        d.setDouble(r, 2, 999); // whatever the server sends is replaced
        d.setString(r, 3, u"X"_s);
    }
    return d;
}

QByteArray ekstreJson(const QList<QList<QByteArray>>& satirlar)
{
    return "[" + tabloJson({"CARINO:integer", "TARIH:string", "TURADI:string", "EVRAK:string", "BORC:float",
                            "ALACAK:float", "KUR:string", "BAKIYE:float", "D:string", "IDNO:integer",
                            "ACIKLAMA:string"},
                           satirlar)
        + "]";
}

QList<QByteArray> satir(const QByteArray& turadi, const QByteArray& borc, const QByteArray& alacak, int idno)
{
    return {"7", "\"01.12.2026\"", "\"" + turadi + "\"", "\"E-" + QByteArray::number(idno) + "\"", borc, alacak,
            "\"TL\"", "0", "\"\"", QByteArray::number(idno), "\"\""};
}

} // namespace

class tst_Ekstre : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
    void bakiyeHesapla_data();
    void bakiyeHesapla();
    void evrakTuru_data();
    void evrakTuru();
    void sekmeYukler();
    void yuklemeSurerkenIkinciGosterimBekler();
    void baglantiYokkenMesajVeBosIzgara();
    void satirBelgesiniAcar_data();
    void satirBelgesiniAcar();
};

void tst_Ekstre::bakiyeHesapla_data()
{
    QTest::addColumn<Tutarlar>("tutarlar");
    QTest::addColumn<QList<double>>("bakiyeler");
    QTest::addColumn<QStringList>("isaretler");
    using L = QList<QPair<QVariant, QVariant>>;
    QTest::newRow("borc sonra alacaklar") << L{{100.0, 0.0}, {0.0, 30.0}, {0.0, 70.0}, {0.0, 10.0}}
                                          << QList<double>{100, 70, 0, -10}
                                          << QStringList{u"B"_s, u"B"_s, u" "_s, u"A"_s};
    QTest::newRow("ilk satir alacak") << L{{0.0, 25.5}, {10.0, 0.0}} << QList<double>{-25.5, -15.5}
                                      << QStringList{u"A"_s, u"A"_s};
    QTest::newRow("bos degerler sifir") << L{{QVariant(), 40.0}, {50.0, QVariant()}} << QList<double>{-40, 10}
                                        << QStringList{u"A"_s, u"B"_s};
    // Stored unrounded: the third decimal stays.
    QTest::newRow("yuvarlanmaz") << L{{0.005, 0.0}, {0.001, 0.0}} << QList<double>{0.005, 0.006}
                                 << QStringList{u"B"_s, u"B"_s};
}

void tst_Ekstre::bakiyeHesapla()
{
    QFETCH(Tutarlar, tutarlar);
    QFETCH(QList<double>, bakiyeler);
    QFETCH(QStringList, isaretler);
    MemTable EKSTRE;
    EKSTRE.assign(ekstreVerisi(tutarlar));
    EKSTRE.Last();
    BakiyeHesapla(EKSTRE);
    QCOMPARE(EKSTRE.RecNo(), 1);
    QVERIFY(!EKSTRE.ControlsDisabled());
    for (int r = 0; r < bakiyeler.size(); ++r) {
        QCOMPARE(EKSTRE.data().doubleValue(r, 2), bakiyeler[r]);
        QCOMPARE(EKSTRE.data().stringValue(r, 3), isaretler[r]);
    }
}

void tst_Ekstre::evrakTuru_data()
{
    QTest::addColumn<QString>("turadi");
    QTest::addColumn<int>("sonuc");
    QTest::newRow("Tediye") << u"Tediye"_s << 1;
    QTest::newRow("Tahsilat") << u"Tahsilat"_s << 1;
    QTest::newRow("Tahsilat ve devami") << u"Tahsilat Makbuzu"_s << 0;
    QTest::newRow("kucuk tahsilat") << u"tahsilat"_s << 0;
    QTest::newRow("bosluklu Tediye") << u"Tediye "_s << 0;
    QTest::newRow("Fatura") << u"Fatura"_s << 2;
    QTest::newRow("Satis Faturasi") << u"Toptan Satış Faturası"_s << 2;
    QTest::newRow("kucuk fatura") << u"satış faturası"_s << 0;
    QTest::newRow("Tahsilat Faturasi") << u"Tahsilat Faturası"_s << 2;
    QTest::newRow("bos") << QString() << 0;
    QTest::newRow("Virman") << u"Virman"_s << 0;
}

void tst_Ekstre::evrakTuru()
{
    QFETCH(QString, turadi);
    QFETCH(int, sonuc);
    QCOMPARE(EvrakTuru(turadi), sonuc);
}

void tst_Ekstre::sekmeYukler()
{
    SunucuOrtami o;
    o.sunucu.cevapla(u"CariEkstreVer"_s, ekstreJson({satir("Fatura", "100", "0", 1), satir("Tahsilat", "0", "30", 2),
                                                      satir("Tediye", "0", "70", 3), satir("Tahsilat", "0", "10", 4)}));
    MemTable EKSTRE;
    TCariEkstreSekmesi sekme(o.bagc, o.sbilgi, EKSTRE);
    QSignalSpy bitti(&sekme, &TCariEkstreSekmesi::YuklemeBitti);
    QSignalSpy yukleniyor(&sekme, &TCariEkstreSekmesi::Yukleniyor);
    sekme.Gosterildi();
    QVERIFY(!sekme.cxGrid5->isEnabled());
    QVERIFY(bitti.wait(10000));
    QCOMPARE(bitti.first().first().toBool(), true);
    QCOMPARE(yukleniyor.size(), 2);
    QCOMPARE(yukleniyor.last().first().toBool(), false);
    QVERIFY(sekme.cxGrid5->isEnabled());
    QVERIFY(sekme.cxGrid5->isAttached());
    QVERIFY(!sekme.cxGrid5->isSortingEnabled());
    QCOMPARE(o.dialogs.shown().size(), 0);

    const QList<SahteSunucu::Cagri> cagrilar = o.sunucu.cagrilar(u"CariEkstreVer"_s);
    QCOMPARE(cagrilar.size(), 1);
    QCOMPARE(cagrilar.first().parametreler.first().toInt(), 7);

    const int bakiye = EKSTRE.data().fieldIndex(u"BAKIYE");
    const int d = EKSTRE.data().fieldIndex(u"D");
    QCOMPARE(EKSTRE.data().doubleValue(3, bakiye), -10.0);
    QCOMPARE(EKSTRE.data().stringValue(2, d), u" "_s);
    QCOMPARE(EKSTRE.displayFormat(bakiye), OndalikGorunum());
    QCOMPARE(sekme.cxGrid5->footerValue({u"BORC"_s, SummaryKind::Sum}), 100.0);
    QCOMPARE(sekme.cxGrid5->footerValue({u"ALACAK"_s, SummaryKind::Sum}), 110.0);

    // Coming back reloads and starts the balance from zero again.
    o.sunucu.cevapla(u"CariEkstreVer"_s, ekstreJson({satir("Tahsilat", "0", "5", 9)}));
    sekme.Gosterildi();
    QVERIFY(bitti.wait(10000));
    QCOMPARE(EKSTRE.RecordCount(), 1);
    QCOMPARE(EKSTRE.data().doubleValue(0, bakiye), -5.0);
    QCOMPARE(EKSTRE.data().stringValue(0, d), u"A"_s);

    // An empty statement: empty grid, zero sums, no message.
    o.sunucu.cevapla(u"CariEkstreVer"_s, ekstreJson({}));
    sekme.Gosterildi();
    QVERIFY(bitti.wait(10000));
    QCOMPARE(sekme.cxGrid5->rowCount(), 0);
    QCOMPARE(sekme.cxGrid5->footerValue({u"BORC"_s, SummaryKind::Sum}), 0.0);
    QCOMPARE(o.dialogs.shown().size(), 0);
}

void tst_Ekstre::yuklemeSurerkenIkinciGosterimBekler()
{
    SunucuOrtami o;
    o.sunucu.cevapla(u"CariEkstreVer"_s, ekstreJson({satir("Fatura", "100", "0", 1)}));
    o.sunucu.kapiyiKapat(u"CariEkstreVer"_s);
    MemTable EKSTRE;
    TCariEkstreSekmesi sekme(o.bagc, o.sbilgi, EKSTRE);
    QSignalSpy bitti(&sekme, &TCariEkstreSekmesi::YuklemeBitti);
    sekme.Gosterildi();
    QTRY_COMPARE_WITH_TIMEOUT(o.sunucu.bekleyenler(), 1, 10000);
    sekme.Gosterildi();
    sekme.Gosterildi();
    QTest::qWait(200);
    QCOMPARE(o.sunucu.bekleyenler(), 1); // no second job at the server
    QVERIFY(sekme.YuklemeSuruyor());
    o.sunucu.kapiyiAc();
    // The waiting showings are served by exactly one more load.
    QTRY_COMPARE_WITH_TIMEOUT(bitti.size(), 2, 10000);
    QTest::qWait(200);
    QCOMPARE(bitti.size(), 2);
    QCOMPARE(o.sunucu.cagrilar(u"CariEkstreVer"_s).size(), 2);
    QVERIFY(!sekme.YuklemeSuruyor());
    QCOMPARE(EKSTRE.RecordCount(), 1);
    QCOMPARE(EKSTRE.data().doubleValue(0, EKSTRE.data().fieldIndex(u"BAKIYE")), 100.0);
}

void tst_Ekstre::baglantiYokkenMesajVeBosIzgara()
{
    SunucuOrtami o;
    o.sunucuyuKapat();
    MemTable EKSTRE;
    TCariEkstreSekmesi sekme(o.bagc, o.sbilgi, EKSTRE);
    QSignalSpy bitti(&sekme, &TCariEkstreSekmesi::YuklemeBitti);
    sekme.Gosterildi();
    QVERIFY(bitti.wait(20000));
    QCOMPARE(bitti.first().first().toBool(), false);
    QVERIFY(sekme.cxGrid5->isEnabled());
    QCOMPARE(sekme.cxGrid5->rowCount(), 0);
    const ShownDialog son = o.dialogs.last();
    QCOMPARE(son.kind, mtError);
    QCOMPARE(son.text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
}

void tst_Ekstre::satirBelgesiniAcar_data()
{
    QTest::addColumn<QByteArray>("turadi");
    QTest::addColumn<QStringList>("cagrilar");
    QTest::newRow("fatura") << QByteArray("Toptan Satış Faturası")
                            << QStringList{u"FaturaGetir"_s, u"FaturaAltGetir"_s};
    QTest::newRow("tahsilat") << QByteArray("Tahsilat") << QStringList{u"Tahsilat"_s, u"SanalposSiranoVer"_s};
    QTest::newRow("tediye") << QByteArray("Tediye") << QStringList{u"Tahsilat"_s, u"SanalposSiranoVer"_s};
    QTest::newRow("eslesmeyen") << QByteArray("Tahsilat Makbuzu") << QStringList{};
}

void tst_Ekstre::satirBelgesiniAcar()
{
    QFETCH(QByteArray, turadi);
    QFETCH(QStringList, cagrilar);
    SunucuOrtami o;
    o.sunucu.cevapla(u"CariEkstreVer"_s, ekstreJson({satir(turadi, "10", "0", 42)}));
    o.sunucu.cevapla(u"FaturaGetir"_s, "[" + tabloJson({"OEMNO:string", "STOKHAR_MIKTAR:float"}, {{"\"X\"", "2"}}) + "]");
    o.sunucu.cevapla(u"FaturaAltGetir"_s, "[" + tabloJson({"TOPLAM:float"}, {{"10"}}) + "]");
    o.sunucu.cevapla(u"Tahsilat"_s, "[" + tabloJson({"Tutar:float"}, {{"10"}}) + "]");
    o.sunucu.cevapla(u"SanalposSiranoVer"_s, "[0]");
    MemTable EKSTRE;
    TCariEkstreSekmesi sekme(o.bagc, o.sbilgi, EKSTRE);
    QStringList gosterilen;
    sekme.PencereGoster = [&](QDialog& d) {
        gosterilen << d.windowTitle();
        return int(QDialog::Accepted);
    };
    QSignalSpy bitti(&sekme, &TCariEkstreSekmesi::YuklemeBitti);
    sekme.Gosterildi();
    QVERIFY(bitti.wait(10000));
    o.sunucu.temizle();
    sekme.cxGrid5->setFocusedRow(0);
    sekme.H1Click();

    QStringList yapilan;
    for (const SahteSunucu::Cagri& c : o.sunucu.cagrilar()) {
        yapilan << c.metot;
        QCOMPARE(c.parametreler.last().toInt(), 42); // the row's IDNO
    }
    QCOMPARE(yapilan, cagrilar);
    QCOMPARE(gosterilen.size(), cagrilar.isEmpty() ? 0 : 1);
    QCOMPARE(o.dialogs.shown().size(), 0);
}

QTEST_MAIN(tst_Ekstre)
#include "tst_ekstre.moc"
