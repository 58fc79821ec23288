// The line computation and the package rounding of the add-to-basket dialog,
// as pure functions.
#include "catalogue/satirhesabi.h"

#include <QTest>

Q_DECLARE_METATYPE(TIndirimOranlari)

class tst_SatirHesabi : public QObject
{
    Q_OBJECT
private slots:
    void hesap_data();
    void hesap();
    void indirimGorunurlugu_data();
    void indirimGorunurlugu();
    void koliYuvarlama_data();
    void koliYuvarlama();
};

void tst_SatirHesabi::hesap_data()
{
    QTest::addColumn<double>("fiyat");
    QTest::addColumn<int>("adet");
    QTest::addColumn<TIndirimOranlari>("oranlar");
    QTest::addColumn<double>("kdv");
    QTest::addColumn<double>("net");
    QTest::addColumn<double>("indirim");
    QTest::addColumn<double>("birimNet");
    QTest::addColumn<double>("kdvDahil");
    QTest::addColumn<double>("genel");

    QTest::newRow("two successive rates") << 100.0 << 1 << TIndirimOranlari{10, 5, 0, 0} << 20.0
                                          << 85.5 << 14.5 << 85.5 << 102.60 << 102.60;
    // The total comes from the rounded VAT-inclusive unit price (8.00 × 3),
    // not from the rounded net total (20.00 × 1.2 = 24.00 by luck here, so
    // the unit price 6.67 is checked too).
    QTest::newRow("rounded unit price") << 10.0 << 3 << TIndirimOranlari{33.33, 0, 0, 0} << 20.0
                                        << 20.001 << 9.999 << 6.67 << 8.00 << 24.00;
    QTest::newRow("quantity zero") << 10.0 << 0 << TIndirimOranlari{10, 0, 0, 0} << 20.0
                                   << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("negative rate skipped") << 50.0 << 2 << TIndirimOranlari{-5, 10, 0, 0} << 18.0
                                           << 90.0 << 10.0 << 45.0 << 53.10 << 106.20;
    QTest::newRow("all four rates") << 200.0 << 1 << TIndirimOranlari{10, 10, 10, 10} << 0.0
                                    << 131.22 << 68.78 << 131.22 << 131.22 << 131.22;
    // 7 pieces of 3.33 with VAT 20: unit VAT-inclusive 4.00 gives 28.00,
    // whereas the rounded net total would give 27.97.
    QTest::newRow("total from unit price") << 3.33 << 7 << TIndirimOranlari{0, 0, 0, 0} << 20.0
                                           << 23.31 << 0.0 << 3.33 << 4.00 << 28.00;
}

void tst_SatirHesabi::hesap()
{
    QFETCH(double, fiyat);
    QFETCH(int, adet);
    QFETCH(TIndirimOranlari, oranlar);
    QFETCH(double, kdv);

    const TSatirHesabi h = SatirHesapla(fiyat, adet, oranlar, kdv);
    QCOMPARE(h.brut, fiyat * adet);
    QTEST(qRound64(h.net * 1e6) / 1e6, "net");
    QTEST(qRound64(h.indirimTutar * 1e6) / 1e6, "indirim");
    QTEST(h.birimNet, "birimNet");
    QTEST(h.kdvDahil, "kdvDahil");
    QTEST(h.genelTutar, "genel");
}

void tst_SatirHesabi::indirimGorunurlugu_data()
{
    QTest::addColumn<TIndirimOranlari>("oranlar");
    QTest::addColumn<bool>("gorunur");
    QTest::newRow("none") << TIndirimOranlari{0, 0, 0, 0} << false;
    QTest::newRow("sum exactly 1") << TIndirimOranlari{0.5, 0.25, 0.25, 0} << false;
    QTest::newRow("sum 1.01") << TIndirimOranlari{1, 0, 0, 0.01} << true;
    QTest::newRow("single 10") << TIndirimOranlari{10, 0, 0, 0} << true;
}

void tst_SatirHesabi::indirimGorunurlugu()
{
    QFETCH(TIndirimOranlari, oranlar);
    QTEST(IndirimGosterilir(oranlar), "gorunur");
}

void tst_SatirHesabi::koliYuvarlama_data()
{
    QTest::addColumn<int>("adet");
    QTest::addColumn<int>("koli");
    QTest::addColumn<int>("sonuc");
    QTest::newRow("8 in packages of 6") << 8 << 6 << 12;
    QTest::newRow("exact multiple") << 12 << 6 << 12;
    QTest::newRow("one over") << 13 << 6 << 18;
    QTest::newRow("package 1") << 7 << 1 << 7;
    QTest::newRow("package 0 counts as 1") << 7 << 0 << 7;
    QTest::newRow("negative package counts as 1") << 5 << -3 << 5;
}

void tst_SatirHesabi::koliYuvarlama()
{
    QFETCH(int, adet);
    QFETCH(int, koli);
    QTEST(KoliyeYuvarla(adet, koli), "sonuc");
}

QTEST_APPLESS_MAIN(tst_SatirHesabi)
#include "tst_satirhesabi.moc"
