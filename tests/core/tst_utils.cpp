#include "core/dialogrecorder.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <cmath>

using namespace Qt::StringLiterals;

class tst_utils : public QObject
{
    Q_OBJECT

private slots:
    void ikiHaneYuvarla_data();
    void ikiHaneYuvarla();
    void sayiGoster_data();
    void sayiGoster();
    void sutunGenislik_data();
    void sutunGenislik();
    void urlKodla_data();
    void urlKodla();
    void bilgisayarId_data();
    void bilgisayarId();
    void mesajGoster_data();
    void mesajGoster();
    void mesajGoster_focusOutsideSetFallsBackToFirstButton();
    void ondalikFormatla_onlyFloatFields();
    void secimVarmi_data();
    void secimVarmi();
    void secimVarmi_closedTable();
    void secimVarmi_withoutSelectionColumn();

private:
    QLocale m_saved;
};

void tst_utils::ikiHaneYuvarla_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    const struct
    {
        const char* name;
        double value;
        double expected;
    } cases[] = {
        {"half rounds away from zero", 10.125, 10.13},
        {"below one keeps its value", 0.5, 0.5},
        {"grouped millions", 1234567.891, 1234567.89},
        {"negative half", -10.125, -10.13},
        {"decimal half that binary misses", 1.005, 1.01},
        {"another binary-inexact half", 2.675, 2.68},
        {"quarter cent", 0.125, 0.13},
        {"just below half", 0.124999, 0.12},
        {"zero", 0.0, 0.0},
        {"tiny negative gives zero", -0.001, 0.0},
        {"whole number", 42.0, 42.0},
        {"price times discount", 100.0 * 0.85 * 0.9, 76.5},
    };
    for (const char* locale : {"tr_TR", "en_US", "de_CH"}) {
        for (const auto& c : cases)
            QTest::addRow("%s %s", locale, c.name) << QString::fromLatin1(locale) << c.value << c.expected;
    }
}

void tst_utils::ikiHaneYuvarla()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(double, expected);
    const QLocale saved;
    QLocale::setDefault(QLocale(locale));
    const double got = IkiHaneYuvarla(value);
    QLocale::setDefault(saved);
    QCOMPARE(got, expected);
    QVERIFY(!std::signbit(got) || expected < 0);
}

void tst_utils::sayiGoster_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("grouped");
    QTest::addColumn<QString>("twoDigits");
    QTest::newRow("tr millions") << u"tr_TR"_s << 1234567.891 << u"1.234.567,89"_s << u"1.234.567,89"_s;
    QTest::newRow("tr half") << u"tr_TR"_s << 0.5 << u"0,50"_s << u"00,50"_s;
    QTest::newRow("tr small") << u"tr_TR"_s << 5.5 << u"5,50"_s << u"05,50"_s;
    QTest::newRow("tr negative") << u"tr_TR"_s << -1234.5 << u"-1.234,50"_s << u"-1.234,50"_s;
    QTest::newRow("tr zero") << u"tr_TR"_s << 0.0 << u"0,00"_s << u"00,00"_s;
    QTest::newRow("tr rounds half up") << u"tr_TR"_s << 10.125 << u"10,13"_s << u"10,13"_s;
    QTest::newRow("en millions") << u"en_US"_s << 1234567.891 << u"1,234,567.89"_s << u"1,234,567.89"_s;
    QTest::newRow("en half") << u"en_US"_s << 0.5 << u"0.50"_s << u"00.50"_s;
    QTest::newRow("en thousand") << u"en_US"_s << 1000.0 << u"1,000.00"_s << u"1,000.00"_s;
}

void tst_utils::sayiGoster()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, grouped);
    QFETCH(QString, twoDigits);
    QCOMPARE(SayiGoster(value, QLocale(locale)), grouped);
    QCOMPARE(SayiGosterIkiBasamak(value, QLocale(locale)), twoDigits);
}

void tst_utils::sutunGenislik_data()
{
    QTest::addColumn<QList<int>>("weights");
    QTest::addColumn<int>("gridWidth");
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<bool>("bestFit");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("1152 px screen: best fit") << QList<int>{1, 2, 3} << 630 << 1152 << true << QList<int>{};
    QTest::newRow("1153 px screen: weights")
        << QList<int>{1, 2, 3} << 630 << 1153 << false << QList<int>{100, 200, 300};
    QTest::newRow("unit is truncated") << QList<int>{1, 1, 1} << 100 << 1920 << false << QList<int>{23, 23, 23};
    QTest::newRow("uneven weights") << QList<int>{2, 1} << 331 << 1920 << false << QList<int>{200, 100};
    QTest::newRow("weights sum to zero: best fit") << QList<int>{0, 0} << 800 << 1920 << true << QList<int>{};
    QTest::newRow("no visible column: best fit") << QList<int>{} << 800 << 1920 << true << QList<int>{};
    QTest::newRow("grid narrower than margin") << QList<int>{1, 2} << 20 << 1920 << false << QList<int>{0, 0};
}

void tst_utils::sutunGenislik()
{
    QFETCH(QList<int>, weights);
    QFETCH(int, gridWidth);
    QFETCH(int, screenWidth);
    QFETCH(bool, bestFit);
    QFETCH(QList<int>, widths);
    const SutunGenislikSonucu r = SutunGenislikAyarla(weights, gridWidth, screenWidth);
    QCOMPARE(r.enIyiSigdir, bestFit);
    QCOMPARE(r.genislikler, widths);
}

void tst_utils::urlKodla_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("payment page values")
        << u"https://odeme.example/tuvrakart.html?carino=12&sube=1&firmasi=ŞAHİN OTO&bakiye=1.234,56"_s
        << u"https://odeme.example/tuvrakart.html?carino=12&sube=1&firmasi=%C5%9EAH%C4%B0N%20OTO&bakiye=1.234,56"_s;
    QTest::newRow("request form with blank user")
        << u"http://web.example/formmailgonder.aspx?carino=0&kullanici= &id=WD-12 3"_s
        << u"http://web.example/formmailgonder.aspx?carino=0&kullanici=%20&id=WD-12%203"_s;
    QTest::newRow("path blank") << u"http://h.example/a b/c.aspx?x=1"_s << u"http://h.example/a%20b/c.aspx?x=1"_s;
    QTest::newRow("existing escape kept") << u"http://h.example/?q=%20x"_s << u"http://h.example/?q=%20x"_s;
    QTest::newRow("lone percent encoded") << u"http://h.example/?q=50%"_s << u"http://h.example/?q=50%25"_s;
    QTest::newRow("plus is not a blank") << u"http://h.example/?q=a+b"_s << u"http://h.example/?q=a%2Bb"_s;
    QTest::newRow("authority untouched") << u"http://user@h.example:8080/x"_s << u"http://user@h.example:8080/x"_s;
    QTest::newRow("fragment") << u"http://h.example/p#a b"_s << u"http://h.example/p#a%20b"_s;
    QTest::newRow("no path") << u"http://h.example"_s << u"http://h.example"_s;
}

void tst_utils::urlKodla()
{
    QFETCH(QString, address);
    QFETCH(QString, encoded);
    QCOMPARE(UrlKodla(address), encoded);
    QVERIFY(QUrl(encoded, QUrl::StrictMode).isValid());
}

void tst_utils::bilgisayarId_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("id");
    QTest::newRow("serial with outer and inner blanks, lower case")
        << u"  wd-wx41 a8 3k  "_s << u"52-54-00-12-34-56"_s << u"WD-WX41A83K"_s;
    QTest::newRow("no serial: MAC keeps its dashes") << u""_s << u"52-54-00-12-34-56"_s << u"52-54-00-12-34-56"_s;
    QTest::newRow("blank serial counts as none") << u"   "_s << u"52-54-00-12-34-56"_s << u"52-54-00-12-34-56"_s;
    QTest::newRow("neither") << u""_s << u""_s << u""_s;
}

void tst_utils::bilgisayarId()
{
    QFETCH(QString, serial);
    QFETCH(QString, mac);
    QFETCH(QString, id);
    QCOMPARE(BilgisayarIdOlustur(serial, mac), id);
}

void tst_utils::mesajGoster_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<quint32>("buttons");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("enterResult");
    QTest::newRow("error OK") << int(mtError) << TMsgDlgButtons{mbOK}.bits() << int(mbOK) << u"Hata"_s
                              << QStringList{u"Tamam"_s} << int(mrOk);
    QTest::newRow("warning OK") << int(mtWarning) << TMsgDlgButtons{mbOK}.bits() << int(mbOK) << u"Uyarı"_s
                                << QStringList{u"Tamam"_s} << int(mrOk);
    QTest::newRow("information OK") << int(mtInformation) << TMsgDlgButtons{mbOK}.bits() << int(mbOK) << u"Bilgi"_s
                                    << QStringList{u"Tamam"_s} << int(mrOk);
    QTest::newRow("question focus Yes") << int(mtConfirmation) << TMsgDlgButtons{mbYes, mbNo}.bits() << int(mbYes)
                                        << u"Soru"_s << QStringList{u"Evet"_s, u"Hayır"_s} << int(mrYes);
    QTest::newRow("destructive question focus No")
        << int(mtConfirmation) << TMsgDlgButtons{mbYes, mbNo}.bits() << int(mbNo) << u"Soru"_s
        << QStringList{u"Evet"_s, u"Hayır"_s} << int(mrNo);
    QTest::newRow("every relabelled button")
        << int(mtWarning)
        << TMsgDlgButtons{mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbNoToAll, mbYesToAll, mbHelp}.bits()
        << int(mbCancel) << u"Uyarı"_s
        << QStringList{u"Evet"_s, u"Hayır"_s, u"Tamam"_s, u"Vazgeç"_s, u"İptal"_s, u"Tekrar"_s, u"Atla"_s,
               u"Tümüne Hayır"_s, u"Tümüne Evet"_s, u"Yardım"_s}
        << int(mrCancel);
    QTest::newRow("All and Close keep theirs") << int(mtCustom) << TMsgDlgButtons{mbAll, mbClose}.bits() << int(mbClose)
                                               << QString() << QStringList{u"All"_s, u"Close"_s} << int(mrClose);
}

void tst_utils::mesajGoster()
{
    QFETCH(int, kind);
    QFETCH(quint32, buttons);
    QFETCH(int, focus);
    QFETCH(QString, caption);
    QFETCH(QStringList, labels);
    QFETCH(int, enterResult);
    DialogRecorder dialogs;
    const int result
        = MesajGoster(u"Metin"_s, TMsgDlgType(kind), TMsgDlgButtons::fromBits(buttons), 0, TMsgDlgBtn(focus));
    QCOMPARE(result, enterResult);
    QCOMPARE(dialogs.shown().size(), 1);
    const ShownDialog d = dialogs.last();
    QCOMPARE(d.what, ShownDialog::MessageDialog);
    QCOMPARE(d.caption, caption);
    QCOMPARE(d.text, u"Metin"_s);
    QCOMPARE(d.buttonLabels, labels);
    QCOMPARE(int(d.focused), focus);

    dialogs.answer(mrYes);
    QCOMPARE(MesajGoster(u"İkinci"_s, TMsgDlgType(kind), TMsgDlgButtons::fromBits(buttons), 0, TMsgDlgBtn(focus)),
        int(mrYes));
    QCOMPARE(dialogs.texts(), (QStringList{u"Metin"_s, u"İkinci"_s}));
}

void tst_utils::mesajGoster_focusOutsideSetFallsBackToFirstButton()
{
    DialogRecorder dialogs;
    // Focus on Cancel, which the set does not hold: Enter must still answer
    // with a button the user saw.
    QCOMPARE(MesajGoster(u"x"_s, mtConfirmation, {mbYes, mbNo}, 0, mbCancel), int(mrYes));
    QCOMPARE(dialogs.last().focused, mbYes);
    // An empty set shows OK.
    QCOMPARE(MesajGoster(u"y"_s, mtInformation, {}, 0, mbOK), int(mrOk));
    QCOMPARE(dialogs.last().buttonLabels, QStringList{u"Tamam"_s});
}

namespace {

TableData sample(const QList<FieldDef>& fields)
{
    TableData d;
    d.setFields(fields);
    return d;
}

} // namespace

void tst_utils::ondalikFormatla_onlyFloatFields()
{
    MemTable t;
    t.setDefaultFloatFormat(QString()); // start without formats to see what the helper sets
    t.assign(sample({{u"ADET"_s, FieldType::Integer}, {u"BUYUK"_s, FieldType::LargeInt}, {u"FIYAT"_s, FieldType::Float},
        {u"TUTAR"_s, FieldType::Currency}, {u"ORAN"_s, FieldType::Bcd}, {u"AD"_s, FieldType::String},
        {u"KDV"_s, FieldType::Float}}));
    t.setDisplayFormat(3, u"0.000"_s);
    OndalikFormatla(t);
    QCOMPARE(t.displayFormat(0), QString());
    QCOMPARE(t.displayFormat(1), QString());
    QCOMPARE(t.displayFormat(2), u"#,###,##0.00"_s);
    QCOMPARE(t.displayFormat(3), u"0.000"_s);
    QCOMPARE(t.displayFormat(4), QString());
    QCOMPARE(t.displayFormat(5), QString());
    QCOMPARE(t.displayFormat(6), u"#,###,##0.00"_s);
}

void tst_utils::secimVarmi_data()
{
    QTest::addColumn<QList<int>>("sec");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<int>("recNo"); // where the cursor stays when found
    QTest::newRow("empty table") << QList<int>{} << false << 0;
    QTest::newRow("all zero") << QList<int>{0, 0, 0} << false << -1;
    QTest::newRow("first marked") << QList<int>{1, 0, 0} << true << 1;
    QTest::newRow("stops at the first mark") << QList<int>{0, 1, 1} << true << 2;
    QTest::newRow("last marked") << QList<int>{0, 0, 1} << true << 3;
    QTest::newRow("null cell is not a mark") << QList<int>{-1, 0} << false << -1;
    QTest::newRow("other values are not a mark") << QList<int>{2, -5} << false << -1;
}

void tst_utils::secimVarmi()
{
    QFETCH(QList<int>, sec);
    QFETCH(bool, expected);
    QFETCH(int, recNo);
    TableData d = sample({{u"STOKKODU"_s, FieldType::String}, {u"SEC"_s, FieldType::Integer}});
    for (int v : sec) {
        const int row = d.appendRow();
        d.setString(row, 0, u"K%1"_s.arg(row));
        if (v == -1)
            d.setNull(row, 1);
        else
            d.setInt(row, 1, v == -5 ? -1 : v);
    }
    MemTable t;
    t.assign(std::move(d));
    QSignalSpy moved(&t, &MemTable::currentRowChanged);
    QCOMPARE(SecimVarmi(t), expected);
    if (expected)
        QCOMPARE(t.RecNo(), recNo);
    QVERIFY(moved.size() <= 1); // the walk is reported once, not per row
}

void tst_utils::secimVarmi_closedTable()
{
    TableData d = sample({{u"SEC"_s, FieldType::Integer}});
    d.setInt(d.appendRow(), 0, 1);
    MemTable t;
    t.assign(std::move(d));
    t.Close();
    QCOMPARE(SecimVarmi(t), false);
}

void tst_utils::secimVarmi_withoutSelectionColumn()
{
    // A table without "SEC" is a caller's mistake; it must not leave the
    // table's views switched off behind the error.
    TableData d = sample({{u"STOKKODU"_s, FieldType::String}});
    d.setString(d.appendRow(), 0, u"K1"_s);
    MemTable t;
    t.assign(std::move(d));
    QVERIFY_THROWS_EXCEPTION(DatasetError, SecimVarmi(t));
    QVERIFY(!t.ControlsDisabled());
}

QTEST_GUILESS_MAIN(tst_utils)
#include "tst_utils.moc"
