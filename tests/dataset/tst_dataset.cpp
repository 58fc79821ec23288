#include "platform/dataset/displayformat.h"
#include "platform/dataset/memtable.h"
#include "platform/dataset/memtablemodel.h"
#include "platform/dataset/tabledata.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

// A statement-like table: number, text, amounts, a flag and a date.
TableData statement()
{
    TableData t({{u"NO"_s, FieldType::Integer},
                 {u"ACIKLAMA"_s, FieldType::String, 40},
                 {u"BORC"_s, FieldType::Float},
                 {u"ALACAK"_s, FieldType::Float},
                 {u"BAKIYE"_s, FieldType::Float},
                 {u"D"_s, FieldType::String, 1},
                 {u"TUTAR"_s, FieldType::Currency},
                 {u"SEC"_s, FieldType::Integer},
                 {u"TARIH"_s, FieldType::Date}});
    const struct {
        int no;
        const char16_t *text;
        double borc, alacak;
    } rows[] = {
        {1, u"Fatura", 100.0, 0.0},
        {2, u"Tahsilat", 0.0, 250.5},
        {3, u"Fatura İğüşöç", 1000.25, 0.0},
        {4, u"fatura", 10.0, 10.0},
    };
    for (const auto &r : rows) {
        const int row = t.appendRow();
        t.setInt(row, 0, r.no);
        t.setString(row, 1, QString::fromUtf16(r.text));
        t.setDouble(row, 2, r.borc);
        t.setDouble(row, 3, r.alacak);
        t.setInt(row, 7, r.no % 2);
        t.setDate(row, 8, QDate(2026, 1, r.no));
    }
    return t;
}

} // namespace

class TestDataset : public QObject {
    Q_OBJECT

private slots:
    void formatNumber_data();
    void formatNumber();

    void dayNumbers_data();
    void dayNumbers();
    void dayNumbersBeyondAnyDate_data();
    void dayNumbersBeyondAnyDate();

    void cellsRoundTrip_data();
    void cellsRoundTrip();
    void nullsAndRange();
    void integerColumnWidensWithoutLoss();
    void textCellsSurviveOverwriteAndSqueeze();
    void removeRowAcrossBitWords();
    void fieldIndexIgnoresCase();
    void copiesAreIndependent();

    void cursorWalk();
    void cursorOnEmptyAndClosedTables();
    void locate_data();
    void locate();
    void locateErrors();

    void editPostAndCancel();
    void movingTheCursorPostsPendingEdit();
    void invalidWritesAreRefused();
    void appendAndDelete();
    void disabledControlsSendOneReset();
    void cursorOnlyChangeWhileDisabled();

    void displayFormats();

    void modelRolesAndNotifications();
    void modelSortsByRawValue();
    void modelStaysConsistentWhileDisabled();
};

// ------------------------------------------------------------ number formats

void TestDataset::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    const QString std = kFloatDisplayFormat.toString();
    QTest::newRow("grouped tr") << 1234567.891 << std << kTurkish << u"1.234.567,89"_s;
    QTest::newRow("grouped en") << 1234567.891 << std << kEnglish << u"1,234,567.89"_s;
    QTest::newRow("below one") << 0.5 << std << kTurkish << u"0,50"_s;
    QTest::newRow("zero") << 0.0 << std << kTurkish << u"0,00"_s;
    QTest::newRow("three digits no group") << 999.0 << std << kTurkish << u"999,00"_s;
    QTest::newRow("four digits") << 1000.0 << std << kTurkish << u"1.000,00"_s;
    QTest::newRow("negative") << -1234.5 << std << kTurkish << u"-1.234,50"_s;
    QTest::newRow("negative below one") << -0.5 << std << kTurkish << u"-0,50"_s;
    QTest::newRow("negative rounds to zero") << -0.004 << std << kTurkish << u"0,00"_s;
    QTest::newRow("half away from zero") << 10.125 << std << kTurkish << u"10,13"_s;
    QTest::newRow("negative half") << -10.125 << std << kTurkish << u"-10,13"_s;
    QTest::newRow("binary just below half") << 1.005 << std << kTurkish << u"1,01"_s;
    QTest::newRow("carry into new group") << 999999.995 << std << kTurkish << u"1.000.000,00"_s;
    QTest::newRow("below half") << 2.344 << std << kTurkish << u"2,34"_s;
    QTest::newRow("large") << 12345678901.0 << std << kTurkish << u"12.345.678.901,00"_s;
    QTest::newRow("beyond 15 digits") << 1e17 << std << kTurkish << u"100.000.000.000.000.000,00"_s;
    QTest::newRow("two int digits") << 5.5 << u"#,###,##00.00"_s << kTurkish << u"05,50"_s;
    QTest::newRow("two int digits zero") << 0.0 << u"#,###,##00.00"_s << kTurkish << u"00,00"_s;
    QTest::newRow("two int digits large") << 1234.5 << u"#,###,##00.00"_s << kTurkish << u"1.234,50"_s;
    QTest::newRow("no int digit") << 0.5 << u"#,###,##.00"_s << kTurkish << u",50"_s;
    QTest::newRow("optional decimals") << 1.5 << u"0.##"_s << kTurkish << u"1,5"_s;
    QTest::newRow("optional decimals whole") << 2.0 << u"0.##"_s << kTurkish << u"2"_s;
    QTest::newRow("no grouping") << 1234567.0 << u"0.00"_s << kTurkish << u"1234567,00"_s;
    QTest::newRow("integer pattern rounds") << 2.5 << u"0"_s << kTurkish << u"3"_s;
    QTest::newRow("literal suffix") << 5.0 << u"0.00 'TL'"_s << kTurkish << u"5,00 TL"_s;
    QTest::newRow("negative section") << -5.0 << u"0.00;(0.00)"_s << kTurkish << u"(5,00)"_s;
    QTest::newRow("zero section") << 0.001 << u"0.00;-0.00;'yok'"_s << kTurkish << u"yok"_s;
    QTest::newRow("quoted separator stays literal") << 3.0 << u"0 \";\""_s << kTurkish << u"3 ;"_s;
}

void TestDataset::formatNumber()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(::formatNumber(value, pattern, locale), expected);
}

// --------------------------------------------------------------- day numbers

void TestDataset::dayNumbers_data()
{
    QTest::addColumn<double>("dayNumber");
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<bool>("exact");  // the date-time converts back to the same number

    QTest::newRow("day zero") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << true;
    QTest::newRow("next day") << 1.0 << QDateTime(QDate(1899, 12, 31), QTime(0, 0)) << true;
    QTest::newRow("noon") << 2.5 << QDateTime(QDate(1900, 1, 1), QTime(12, 0)) << true;
    QTest::newRow("modern") << 46000.75 << QDateTime(QDate(2025, 12, 9), QTime(18, 0)) << true;
    QTest::newRow("before day zero") << -1.25 << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << true;
    // A fraction a hair below midnight rounds to the next calendar day.
    QTest::newRow("just below midnight") << 1.9999999999 << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << false;
    QTest::newRow("just below midnight before day zero")
        << -1.9999999999 << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << false;
}

void TestDataset::dayNumbers()
{
    QFETCH(double, dayNumber);
    QFETCH(QDateTime, dateTime);
    QFETCH(bool, exact);
    QCOMPARE(dateTimeFromDayNumber(dayNumber), dateTime);
    if (exact) {
        QCOMPARE(dateFromDayNumber(dayNumber), dateTime.date());
        QCOMPARE(dayNumberFromDateTime(dateTime), dayNumber);
    }
}

void TestDataset::dayNumbersBeyondAnyDate_data()
{
    QTest::addColumn<double>("dayNumber");
    QTest::newRow("from a damaged report request") << 3.67e42;
    QTest::newRow("huge negative") << -1e300;
    QTest::newRow("just beyond 64-bit days") << 9.3e18;
    QTest::newRow("not a number") << std::nan("");
    QTest::newRow("infinite") << HUGE_VAL;
}

// A number whose whole days do not fit a 64-bit count is no date (and is not
// converted to an integer on the way, which is undefined).
void TestDataset::dayNumbersBeyondAnyDate()
{
    QFETCH(double, dayNumber);
    QVERIFY(!dateFromDayNumber(dayNumber).isValid());
    QVERIFY(!dateTimeFromDayNumber(dayNumber).isValid());
}

// ------------------------------------------------------------ typed storage

void TestDataset::cellsRoundTrip_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");

    auto t = [](FieldType f) { return int(f); };
    QTest::newRow("integer") << t(FieldType::Integer) << QVariant(42) << QVariant(42) << u"42"_s << 42.0;
    QTest::newRow("integer from text") << t(FieldType::Integer) << QVariant(u" -7 "_s) << QVariant(-7) << u"-7"_s << -7.0;
    QTest::newRow("integer from whole double") << t(FieldType::Integer) << QVariant(3.0) << QVariant(3) << u"3"_s << 3.0;
    QTest::newRow("largeint") << t(FieldType::LargeInt) << QVariant(qlonglong(1) << 50)
                              << QVariant(qlonglong(1) << 50) << u"1125899906842624"_s << 1125899906842624.0;
    QTest::newRow("float") << t(FieldType::Float) << QVariant(125.5) << QVariant(125.5) << u"125.5"_s << 125.5;
    QTest::newRow("float from int") << t(FieldType::Float) << QVariant(7) << QVariant(7.0) << u"7"_s << 7.0;
    QTest::newRow("float from text") << t(FieldType::Float) << QVariant(u"0.1"_s) << QVariant(0.1) << u"0.1"_s << 0.1;
    QTest::newRow("currency") << t(FieldType::Currency) << QVariant(-19.99) << QVariant(-19.99) << u"-19.99"_s << -19.99;
    QTest::newRow("bcd keeps its text") << t(FieldType::Bcd) << QVariant(u"12345678901234567.89"_s)
                                        << QVariant(u"12345678901234567.89"_s) << u"12345678901234567.89"_s
                                        << 12345678901234567.89;
    QTest::newRow("bcd from double") << t(FieldType::Bcd) << QVariant(0.1) << QVariant(u"0.1"_s) << u"0.1"_s << 0.1;
    QTest::newRow("boolean") << t(FieldType::Boolean) << QVariant(true) << QVariant(true) << u"true"_s << 1.0;
    QTest::newRow("boolean from text") << t(FieldType::Boolean) << QVariant(u"False"_s) << QVariant(false)
                                       << u"false"_s << 0.0;
    QTest::newRow("string turkish") << t(FieldType::String) << QVariant(u"İĞÜŞÖÇ ığüşöç"_s)
                                    << QVariant(u"İĞÜŞÖÇ ığüşöç"_s) << u"İĞÜŞÖÇ ığüşöç"_s << 0.0;
    QTest::newRow("string empty is not null") << t(FieldType::String) << QVariant(QString(u""_s))
                                              << QVariant(QString(u""_s)) << QString(u""_s) << 0.0;
    QTest::newRow("memo long") << t(FieldType::Memo) << QVariant(QString(20000, u'x'))
                               << QVariant(QString(20000, u'x')) << QString(20000, u'x') << 0.0;
    QTest::newRow("blob text") << t(FieldType::Blob) << QVariant(u"AAEC/w=="_s) << QVariant(u"AAEC/w=="_s)
                               << u"AAEC/w=="_s << 0.0;
    QTest::newRow("date") << t(FieldType::Date) << QVariant(QDate(2026, 12, 11)) << QVariant(QDate(2026, 12, 11))
                          << u"2026-12-11"_s << 46367.0;
    QTest::newRow("date from day number") << t(FieldType::Date) << QVariant(46367) << QVariant(QDate(2026, 12, 11))
                                          << u"2026-12-11"_s << 46367.0;
    QTest::newRow("datetime") << t(FieldType::DateTime) << QVariant(QDateTime(QDate(2026, 12, 11), QTime(6, 0)))
                              << QVariant(QDateTime(QDate(2026, 12, 11), QTime(6, 0)))
                              << u"2026-12-11T06:00:00.000"_s << 46367.25;
    QTest::newRow("datetime from iso text") << t(FieldType::DateTime) << QVariant(u"2026-12-11T18:00:00"_s)
                                            << QVariant(QDateTime(QDate(2026, 12, 11), QTime(18, 0)))
                                            << u"2026-12-11T18:00:00.000"_s << 46367.75;
}

void TestDataset::cellsRoundTrip()
{
    QFETCH(int, type);
    QFETCH(QVariant, input);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QFETCH(double, number);

    TableData t({{u"A"_s, FieldType(type)}, {u"B"_s, FieldType::String}});
    // Two rows so that a cell written into the wrong row would show.
    t.appendRow();
    t.appendRow();
    t.setValue(1, 0, input);
    QVERIFY(t.isNull(0, 0));
    QVERIFY(!t.isNull(1, 0));
    QCOMPARE(t.value(1, 0), value);
    QCOMPARE(t.value(1, 0).typeId(), value.typeId());
    QCOMPARE(t.stringValue(1, 0), text);
    QCOMPARE(t.doubleValue(1, 0), number);
}

void TestDataset::nullsAndRange()
{
    TableData t({{u"I"_s, FieldType::Integer}, {u"S"_s, FieldType::String}, {u"B"_s, FieldType::Boolean}});
    t.appendRow();
    for (int c = 0; c < 3; ++c) {
        QVERIFY(t.isNull(0, c));
        QVERIFY(!t.value(0, c).isValid());
    }
    t.setInt(0, 0, 5);
    t.setString(0, 1, u"x"_s);
    t.setBool(0, 2, true);
    t.setNull(0, 0);
    t.setNull(0, 1);
    t.setNull(0, 2);
    for (int c = 0; c < 3; ++c)
        QVERIFY(t.isNull(0, c));
    QCOMPARE(t.stringValue(0, 1), QString());
    QCOMPARE(t.intValue(0, 0), 0);

    // Unconvertible input and a null variant give a null cell, not a stale value.
    t.setInt(0, 0, 9);
    t.setString(0, 0, u"abc"_s);
    QVERIFY(t.isNull(0, 0));
    t.setDouble(0, 0, std::nan(""));
    QVERIFY(t.isNull(0, 0));

    // Out of range: setters ignore, readers see null.
    t.setInt(5, 0, 1);
    t.setInt(0, 7, 1);
    QVERIFY(t.isNull(5, 0));
    QVERIFY(t.isNull(-1, 0));
    QVERIFY(t.isNull(0, 3));
    QCOMPARE(t.rowCount(), 1);
}

void TestDataset::integerColumnWidensWithoutLoss()
{
    TableData t({{u"N"_s, FieldType::Integer}});
    for (int i = 0; i < 100; ++i)
        t.setInt(t.appendRow(), 0, i - 50);
    const qint64 big = (qint64(1) << 40) + 3;
    t.setInt(42, 0, big);
    QCOMPARE(t.intValue(42, 0), big);
    QCOMPARE(t.value(42, 0), QVariant(qlonglong(big)));
    for (int i = 0; i < 100; ++i)
        if (i != 42)
            QCOMPARE(t.intValue(i, 0), i - 50);
    t.setInt(t.appendRow(), 0, -7);
    QCOMPARE(t.intValue(100, 0), -7);
}

void TestDataset::textCellsSurviveOverwriteAndSqueeze()
{
    TableData t({{u"S"_s, FieldType::String}, {u"N"_s, FieldType::Integer}});
    QStringList expected;
    for (int i = 0; i < 300; ++i) {
        const int row = t.appendRow();
        // Lengths around the one- and two-byte length prefixes.
        const QString s = QString(i, QChar(u'a' + i % 26)) + (i % 3 ? u"ş"_s : QString());
        t.setString(row, 0, s);
        expected.append(s);
    }
    // Overwrite every other cell several times, some with UTF-8 bytes, some to empty.
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 300; i += 2) {
            expected[i] = u"r%1-%2 ğ"_s.arg(round).arg(i);
            if (i % 4)
                t.setString(i, 0, expected[i]);
            else
                t.setStringUtf8(i, 0, expected[i].toUtf8());
        }
    }
    t.setString(7, 0, QString());
    expected[7] = QString();
    // Copying a cell of the table onto another cell of the same column.
    t.setStringUtf8(9, 0, t.utf8Value(10, 0));
    expected[9] = expected[10];

    const qsizetype before = t.byteSize();
    t.squeeze();
    QVERIFY(t.byteSize() < before);
    for (int i = 0; i < 300; ++i) {
        QCOMPARE(t.stringValue(i, 0), expected[i]);
        QVERIFY(!t.isNull(i, 0));
        QVERIFY(t.isNull(i, 1));
    }
}

void TestDataset::removeRowAcrossBitWords()
{
    // Null bits and boolean bits are packed 64 to a word; removing a row must
    // move every later bit down, across word borders.
    TableData t({{u"I"_s, FieldType::Integer}, {u"B"_s, FieldType::Boolean}, {u"S"_s, FieldType::String}});
    auto nullAt = [](int i) { return i % 5 == 0; };
    QList<int> ids;
    for (int i = 0; i < 200; ++i) {
        const int row = t.appendRow();
        ids.append(i);
        if (!nullAt(i)) {
            t.setInt(row, 0, i);
            t.setBool(row, 1, i % 3 == 0);
            t.setString(row, 2, QString::number(i));
        }
    }
    for (int removed : {63, 127, 0, 190}) {
        const int at = int(ids.indexOf(removed));
        t.removeRow(at);
        ids.removeAt(at);
    }
    QCOMPARE(t.rowCount(), 196);
    for (int r = 0; r < t.rowCount(); ++r) {
        const int i = ids[r];
        QCOMPARE(t.isNull(r, 0), nullAt(i));
        QCOMPARE(t.isNull(r, 1), nullAt(i));
        if (!nullAt(i)) {
            QCOMPARE(t.intValue(r, 0), i);
            QCOMPARE(t.boolValue(r, 1), i % 3 == 0);
            QCOMPARE(t.stringValue(r, 2), QString::number(i));
        }
    }
    // A row appended after removals starts null again.
    const int row = t.appendRow();
    QVERIFY(t.isNull(row, 0) && t.isNull(row, 1) && t.isNull(row, 2));
}

void TestDataset::fieldIndexIgnoresCase()
{
    TableData t({{u"STOK_STOKNO"_s, FieldType::Integer}, {u"Adi"_s, FieldType::String}, {u"adi"_s, FieldType::String}});
    QCOMPARE(t.fieldIndex(u"stok_stokno"), 0);
    QCOMPARE(t.fieldIndex(u"ADI"), 1);  // the first of two equal names
    QCOMPARE(t.fieldIndex(u"YOK"), -1);
    QCOMPARE(t.fieldIndex(u""), -1);
    t.setFields({{u"X"_s, FieldType::Float}});
    QCOMPARE(t.fieldIndex(u"ADI"), -1);
    QCOMPARE(t.fieldIndex(u"x"), 0);
}

void TestDataset::copiesAreIndependent()
{
    TableData a = statement();
    TableData b = a;
    QVERIFY(a == b);
    b.setString(0, 1, u"değişti"_s);
    b.setDouble(1, 2, 1.0);
    QVERIFY(!(a == b));
    QCOMPARE(a.stringValue(0, 1), u"Fatura"_s);
    QCOMPARE(a.doubleValue(1, 2), 0.0);
    TableData c = std::move(b);
    QCOMPARE(c.stringValue(0, 1), u"değişti"_s);
}

// ------------------------------------------------------------------ cursor

void TestDataset::cursorWalk()
{
    MemTable t;
    t.assign(statement());
    QVERIFY(t.Active());
    QCOMPARE(t.RecNo(), 1);
    QVERIFY(t.Bof());
    QVERIFY(!t.Eof());
    QList<qint64> seen;
    for (t.First(); !t.Eof(); t.Next())
        seen.append(t.FieldByName(u"no"_s).AsInteger());
    QCOMPARE(seen, (QList<qint64>{1, 2, 3, 4}));
    // Next on the last row stays there.
    QCOMPARE(t.RecNo(), 4);
    QVERIFY(t.Eof());
    t.Prior();
    QCOMPARE(t.RecNo(), 3);
    QVERIFY(!t.Eof());
    t.Last();
    QVERIFY(t.Eof());
    QCOMPARE(t.RecNo(), 4);
    t.SetRecNo(2);
    QCOMPARE(t.FieldByName(u"ACIKLAMA"_s).AsString(), u"Tahsilat"_s);
    t.SetRecNo(99);  // out of range: no move
    QCOMPARE(t.RecNo(), 2);
    t.First();
    t.Prior();
    QVERIFY(t.Bof());
    QCOMPARE(t.RecNo(), 1);
}

void TestDataset::cursorOnEmptyAndClosedTables()
{
    MemTable t;
    QVERIFY(!t.Active());
    QVERIFY(t.Eof());
    QVERIFY(t.IsEmpty());
    t.First();
    t.Next();
    QCOMPARE(t.RecNo(), 0);
    QVERIFY_THROWS_EXCEPTION(DatasetError, t.FieldByName(u"X"_s));

    TableData empty({{u"SEC"_s, FieldType::Integer}});
    t.assign(std::move(empty));
    QVERIFY(t.Active());
    QVERIFY(t.IsEmpty());
    QVERIFY(t.Eof() && t.Bof());
    QCOMPARE(t.RecNo(), 0);
    const Field sec = t.FieldByName(u"SEC"_s);
    QVERIFY(sec.IsNull());
    QCOMPARE(sec.AsInteger(), 0);
    QVERIFY(!t.Locate(u"SEC"_s, 1));

    t.assign(statement());
    QCOMPARE(t.RecordCount(), 4);
    t.Close();
    QVERIFY(!t.Active());
    QVERIFY(t.IsEmpty());
    QVERIFY(t.Eof());
    QCOMPARE(t.FieldCount(), 9);  // columns stay for the grid's headers
    QVERIFY_THROWS_EXCEPTION(DatasetError, t.Edit());
    t.Open();
    QVERIFY(t.Active());
    QVERIFY(t.IsEmpty());
}

void TestDataset::locate_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QVariant>("key");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("recNo");  // 0: not found, cursor stays on row 2

    const int none = MemTable::NoLocateOptions;
    const int ci = MemTable::CaseInsensitive;
    const int partial = MemTable::PartialKey;
    QTest::newRow("integer") << u"NO"_s << QVariant(3) << none << 3;
    QTest::newRow("integer as text") << u"NO"_s << QVariant(u"4"_s) << none << 4;
    QTest::newRow("integer missing") << u"NO"_s << QVariant(9) << none << 0;
    QTest::newRow("float") << u"ALACAK"_s << QVariant(250.5) << none << 2;
    QTest::newRow("text exact") << u"ACIKLAMA"_s << QVariant(u"fatura"_s) << none << 4;
    QTest::newRow("text case-insensitive") << u"ACIKLAMA"_s << QVariant(u"FATURA"_s) << ci << 1;
    QTest::newRow("text exact needs whole") << u"ACIKLAMA"_s << QVariant(u"Fat"_s) << none << 0;
    QTest::newRow("text partial") << u"ACIKLAMA"_s << QVariant(u"Fatura İ"_s) << partial << 3;
    QTest::newRow("text partial ci") << u"aciklama"_s << QVariant(u"tahS"_s) << (ci | partial) << 2;
    QTest::newRow("null key finds null cell") << u"BAKIYE"_s << QVariant() << none << 1;
    QTest::newRow("date") << u"TARIH"_s << QVariant(QDate(2026, 1, 3)) << none << 3;
    QTest::newRow("two fields") << u"ACIKLAMA;SEC"_s << QVariant(QVariantList{u"fatura"_s, 0}) << ci << 4;
    QTest::newRow("two fields no match") << u"ACIKLAMA; SEC"_s << QVariant(QVariantList{u"Tahsilat"_s, 1}) << none << 0;
}

void TestDataset::locate()
{
    QFETCH(QString, fields);
    QFETCH(QVariant, key);
    QFETCH(int, options);
    QFETCH(int, recNo);

    MemTable t;
    t.assign(statement());
    t.SetRecNo(2);
    const bool found = t.Locate(fields, key, MemTable::LocateOptions(options));
    QCOMPARE(found, recNo != 0);
    QCOMPARE(t.RecNo(), recNo != 0 ? recNo : 2);
}

void TestDataset::locateErrors()
{
    MemTable t;
    t.assign(statement());
    QVERIFY_THROWS_EXCEPTION(DatasetError, t.Locate(u"YOK"_s, 1));
    QVERIFY_THROWS_EXCEPTION(DatasetError, t.Locate(u"NO;SEC"_s, QVariantList{1}));
    QVERIFY_THROWS_EXCEPTION(DatasetError, t.FieldByName(u"YOK"_s));
    const Field missing = t.FindField(u"YOK"_s);
    QVERIFY(!missing.isValid());
    QVERIFY(missing.IsNull());
    QCOMPARE(missing.AsString(), QString());
}

// ----------------------------------------------------------------- editing

void TestDataset::editPostAndCancel()
{
    MemTable t;
    t.assign(statement());
    QSignalSpy changed(&t, &MemTable::rowChanged);

    t.SetRecNo(2);
    t.Edit();
    QCOMPARE(t.state(), MemTable::State::Edit);
    t.FieldByName(u"D"_s).SetAsString(u"A"_s);
    t.FieldByName(u"BAKIYE"_s).SetAsFloat(-250.5);
    // The pending values are what the fields read before Post.
    QCOMPARE(t.FieldByName(u"D"_s).AsString(), u"A"_s);
    QCOMPARE(t.FieldByName(u"BAKIYE"_s).AsFloat(), -250.5);
    QVERIFY(t.data().isNull(1, 4));
    QCOMPARE(changed.count(), 0);
    t.Post();
    QCOMPARE(t.state(), MemTable::State::Browse);
    QCOMPARE(t.data().stringValue(1, 5), u"A"_s);
    QCOMPARE(t.data().doubleValue(1, 4), -250.5);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), 1);

    t.Edit();
    t.FieldByName(u"D"_s).SetAsString(u"B"_s);
    t.FieldByName(u"BAKIYE"_s).Clear();
    t.Cancel();
    QCOMPARE(t.FieldByName(u"D"_s).AsString(), u"A"_s);
    QCOMPARE(t.FieldByName(u"BAKIYE"_s).AsFloat(), -250.5);
    QCOMPARE(changed.count(), 1);

    // Clear writes a null.
    t.Edit();
    t.FieldByName(u"BAKIYE"_s).Clear();
    t.Post();
    QVERIFY(t.FieldByName(u"BAKIYE"_s).IsNull());
}

void TestDataset::movingTheCursorPostsPendingEdit()
{
    MemTable t;
    t.assign(statement());
    t.First();
    t.Edit();
    t.FieldByName(u"SEC"_s).SetAsInteger(7);
    t.Next();  // leaving the row keeps its change
    QCOMPARE(t.state(), MemTable::State::Browse);
    QCOMPARE(t.data().intValue(0, 7), 7);

    t.Edit();
    t.FieldByName(u"SEC"_s).SetAsInteger(8);
    QVERIFY(t.Locate(u"NO"_s, 4));
    QCOMPARE(t.data().intValue(1, 7), 8);
}

void TestDataset::invalidWritesAreRefused()
{
    MemTable t;
    t.assign(statement());
    const Field no = t.FieldByName(u"NO"_s);
    // Browse state: no write.
    QVERIFY_THROWS_EXCEPTION(DatasetError, no.SetAsInteger(5));
    QCOMPARE(no.AsInteger(), 1);

    t.Edit();
    no.SetAsInteger(5);
    QVERIFY_THROWS_EXCEPTION(DatasetError, no.SetAsString(u"beş"_s));
    QCOMPARE(no.AsInteger(), 5);  // keeps the pending value
    QVERIFY_THROWS_EXCEPTION(DatasetError, t.FieldByName(u"BORC"_s).SetAsString(u"1,2,3"_s));
    QCOMPARE(t.FieldByName(u"BORC"_s).AsFloat(), 100.0);  // keeps the stored value
    t.FieldByName(u"BORC"_s).SetAsString(u"12.5"_s);
    t.Post();
    QCOMPARE(t.data().intValue(0, 0), 5);
    QCOMPARE(t.data().doubleValue(0, 2), 12.5);
    QVERIFY_THROWS_EXCEPTION(DatasetError, t.FindField(u"YOK"_s).SetAsInteger(1));
}

void TestDataset::appendAndDelete()
{
    MemTable t;
    t.assign(statement());
    QSignalSpy inserted(&t, &MemTable::rowsInserted);
    QSignalSpy removed(&t, &MemTable::rowsRemoved);

    t.Append();
    QCOMPARE(t.state(), MemTable::State::Insert);
    QVERIFY(t.FieldByName(u"NO"_s).IsNull());  // a new row starts empty
    t.FieldByName(u"NO"_s).SetAsInteger(5);
    t.FieldByName(u"ACIKLAMA"_s).SetAsString(u"Yeni"_s);
    QCOMPARE(t.RecordCount(), 4);  // not there before Post
    t.Post();
    QCOMPARE(t.RecordCount(), 5);
    QCOMPARE(t.RecNo(), 5);
    QCOMPARE(t.FieldByName(u"ACIKLAMA"_s).AsString(), u"Yeni"_s);
    QVERIFY(t.FieldByName(u"BORC"_s).IsNull());
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.first().at(0).toInt(), 4);

    t.Append();
    t.Cancel();
    QCOMPARE(t.RecordCount(), 5);

    t.SetRecNo(2);
    t.Delete();
    QCOMPARE(t.RecordCount(), 4);
    QCOMPARE(t.RecNo(), 2);
    QCOMPARE(t.FieldByName(u"NO"_s).AsInteger(), 3);  // the next row moved up
    QCOMPARE(removed.count(), 1);
    t.Last();
    t.Delete();
    QCOMPARE(t.RecNo(), 3);
    QCOMPARE(t.FieldByName(u"NO"_s).AsInteger(), 4);

    // Edit on an empty table starts a new row.
    MemTable e;
    e.assign(TableData({{u"A"_s, FieldType::Integer}}));
    e.Edit();
    QCOMPARE(e.state(), MemTable::State::Insert);
    e.FieldByName(u"A"_s).SetAsInteger(1);
    e.Post();
    QCOMPARE(e.RecordCount(), 1);
    e.Delete();
    QVERIFY(e.IsEmpty());
    QVERIFY(e.Eof());
    QVERIFY_THROWS_EXCEPTION(DatasetError, e.Delete());
}

void TestDataset::disabledControlsSendOneReset()
{
    MemTable t;
    t.assign(statement());
    QSignalSpy aboutToReset(&t, &MemTable::aboutToBeReset);
    QSignalSpy reset(&t, &MemTable::wasReset);
    QSignalSpy rowChanged(&t, &MemTable::rowChanged);
    QSignalSpy current(&t, &MemTable::currentRowChanged);
    QSignalSpy inserted(&t, &MemTable::rowsInserted);

    // A running balance over every row, the way a statement computes it.
    t.DisableControls();
    t.DisableControls();  // nested
    double b = 0;
    for (t.First(); !t.Eof(); t.Next()) {
        t.Edit();
        b += t.FieldByName(u"BORC"_s).AsFloat() - t.FieldByName(u"ALACAK"_s).AsFloat();
        t.FieldByName(u"BAKIYE"_s).SetAsFloat(b);
        t.FieldByName(u"D"_s).SetAsString(b > 0 ? u"B"_s : b < 0 ? u"A"_s : u" "_s);
        t.Post();
    }
    t.Append();
    t.FieldByName(u"NO"_s).SetAsInteger(9);
    t.Post();
    t.First();
    t.EnableControls();
    QCOMPARE(reset.count(), 0);  // still disabled once
    t.EnableControls();

    QCOMPARE(rowChanged.count(), 0);
    QCOMPARE(current.count(), 0);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(aboutToReset.count(), 1);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(t.data().doubleValue(0, 4), 100.0);
    QCOMPARE(t.data().doubleValue(1, 4), -150.5);
    QCOMPARE(t.data().stringValue(1, 5), u"A"_s);
    QCOMPARE(t.data().doubleValue(3, 4), 849.75);
    QCOMPARE(t.data().stringValue(3, 5), u"B"_s);
    QCOMPARE(t.RecordCount(), 5);

    // A load with controls disabled: one reset for the assign and the formats.
    t.DisableControls();
    t.assign(statement());
    t.setDisplayFormat(2, u"0.0"_s);
    t.EnableControls();
    QCOMPARE(reset.count(), 2);
    t.EnableControls();  // unbalanced: nothing happens
    QCOMPARE(reset.count(), 2);
}

void TestDataset::cursorOnlyChangeWhileDisabled()
{
    MemTable t;
    t.assign(statement());
    QSignalSpy reset(&t, &MemTable::wasReset);
    QSignalSpy current(&t, &MemTable::currentRowChanged);
    t.DisableControls();
    for (t.First(); !t.Eof(); t.Next()) {
    }
    t.EnableControls();
    // Nothing changed but the cursor: no reset, one cursor notification.
    QCOMPARE(reset.count(), 0);
    QCOMPARE(current.count(), 1);
    QCOMPARE(current.first().first().toInt(), 3);
}

// --------------------------------------------------------- display formats

void TestDataset::displayFormats()
{
    MemTable t;
    t.setLocale(kTurkish);
    TableData d = statement();
    d.setDouble(2, 6, 1234.5);  // currency
    d.setInt(2, 7, 12345);
    t.assign(std::move(d));

    // Only exactly-Float columns get the default format.
    QCOMPARE(t.displayFormat(2), kFloatDisplayFormat.toString());
    QCOMPARE(t.displayFormat(3), kFloatDisplayFormat.toString());
    QCOMPARE(t.displayFormat(0), QString());
    QCOMPARE(t.displayFormat(6), QString());
    QCOMPARE(t.displayFormat(7), QString());

    QCOMPARE(t.displayText(2, 2), u"1.000,25"_s);
    QCOMPARE(t.displayText(1, 2), u"0,00"_s);
    QCOMPARE(t.displayText(0, 4), QString());  // null
    QCOMPARE(t.displayText(2, 6), u"1.234,50"_s);  // currency: as money, without a format of its own
    QCOMPARE(t.displayText(2, 7), u"12345"_s);   // integer: plain
    QCOMPARE(t.displayText(2, 8), QDate(2026, 1, 3).toString(kTurkish.dateFormat(QLocale::ShortFormat)));
    t.SetRecNo(3);
    QCOMPARE(t.FieldByName(u"BORC"_s).DisplayText(), u"1.000,25"_s);
    QCOMPARE(t.FieldByName(u"BORC"_s).AsString(), u"1000,25"_s);  // AsString ignores the format
    QCOMPARE(t.FieldByName(u"TUTAR"_s).AsString(), u"1234,50"_s);

    QSignalSpy formatChanged(&t, &MemTable::displayFormatChanged);
    t.setDisplayFormatForType(FieldType::Currency, u"#,###,##0.0"_s);
    QCOMPARE(formatChanged.count(), 1);
    QCOMPARE(t.displayText(2, 6), u"1.234,5"_s);
    t.FieldByName(u"TARIH"_s).SetDisplayFormat(u"dd.MM.yyyy"_s);
    QCOMPARE(t.displayText(2, 8), u"03.01.2026"_s);
    t.setDisplayFormat(2, QString());
    QCOMPARE(t.displayText(2, 2), u"1000,25"_s);

    // The default can be switched off for a table.
    MemTable plain;
    plain.setDefaultFloatFormat(QString());
    plain.assign(statement());
    QCOMPARE(plain.displayFormat(2), QString());
}

// ------------------------------------------------------------------- model

void TestDataset::modelRolesAndNotifications()
{
    MemTable t;
    t.setLocale(kTurkish);
    MemTableModel model(&t);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    QCOMPARE(model.rowCount(), 0);
    t.assign(statement());
    QCOMPARE(resets.count(), 1);
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.columnCount(), 9);
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), u"BORC"_s);
    QCOMPARE(model.headerData(2, Qt::Horizontal, MemTableModel::FieldTypeRole).toInt(), int(FieldType::Float));

    const QModelIndex borc = model.index(2, 2);
    QCOMPARE(borc.data(Qt::DisplayRole).toString(), u"1.000,25"_s);
    QCOMPARE(borc.data(MemTableModel::RawValueRole), QVariant(1000.25));
    QCOMPARE(borc.data(MemTableModel::RawValueRole).typeId(), QMetaType::Double);
    QVERIFY(!model.index(0, 4).data(MemTableModel::RawValueRole).isValid());  // null
    QCOMPARE(model.index(2, 1).data(MemTableModel::RawValueRole).toString(), u"Fatura İğüşöç"_s);
    QCOMPARE(model.index(2, 8).data(MemTableModel::RawValueRole), QVariant(QDate(2026, 1, 3)));
    QVERIFY(Qt::Alignment(borc.data(Qt::TextAlignmentRole).toInt()).testFlag(Qt::AlignRight));
    QVERIFY(Qt::Alignment(model.index(2, 1).data(Qt::TextAlignmentRole).toInt()).testFlag(Qt::AlignLeft));

    t.SetRecNo(3);
    t.Edit();
    t.FieldByName(u"BORC"_s).SetAsFloat(5.5);
    t.Post();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex(), model.index(2, 0));
    QCOMPARE(changed.first().at(1).toModelIndex(), model.index(2, 8));
    QCOMPARE(borc.data().toString(), u"5,50"_s);
    QCOMPARE(resets.count(), 1);

    t.Append();
    t.FieldByName(u"NO"_s).SetAsInteger(5);
    t.Post();
    QCOMPARE(model.rowCount(), 5);
    t.Delete();
    QCOMPARE(model.rowCount(), 4);

    // A second load is one more reset; editing through the model posts.
    t.assign(statement());
    QCOMPARE(resets.count(), 2);
    QVERIFY(!model.setData(model.index(0, 1), u"x"_s));  // read-only by default
    model.setEditable(true);
    QVERIFY(model.setData(model.index(0, 1), u"Değişti"_s));
    QCOMPARE(t.data().stringValue(0, 1), u"Değişti"_s);
    QVERIFY(!model.setData(model.index(0, 0), u"sayı değil"_s));
    QCOMPARE(t.data().intValue(0, 0), 1);
    QCOMPARE(t.state(), MemTable::State::Browse);

    t.Close();
    QCOMPARE(model.rowCount(), 0);
}

void TestDataset::modelSortsByRawValue()
{
    TableData d({{u"FIYAT"_s, FieldType::Float}, {u"ADI"_s, FieldType::String}});
    for (double v : {9.0, 10.0, 1000.0, -2.0, 100.5}) {
        const int r = d.appendRow();
        d.setDouble(r, 0, v);
        d.setString(r, 1, QString::number(v));
    }
    d.appendRow();  // a null price
    MemTable t;
    t.setLocale(kTurkish);
    t.assign(std::move(d));
    MemTableModel model(&t);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.setSortRole(MemTableModel::RawValueRole);
    proxy.sort(0, Qt::AscendingOrder);
    QStringList shown;
    for (int r = 0; r < proxy.rowCount(); ++r)
        shown.append(proxy.index(r, 0).data().toString());
    // By number, not by text ("1.000,00" would sort before "10,00"); the
    // proxy puts the null (an invalid raw value) last.
    QCOMPARE(shown, (QStringList{u"-2,00"_s, u"9,00"_s, u"10,00"_s, u"100,50"_s, u"1.000,00"_s, QString()}));

    proxy.setFilterRole(MemTableModel::RawValueRole);
    proxy.setFilterKeyColumn(1);
    proxy.setFilterFixedString(u"100"_s);
    QCOMPARE(proxy.rowCount(), 2);  // "100.5" and "1000"
}

void TestDataset::modelStaysConsistentWhileDisabled()
{
    MemTable t;
    t.assign(statement());
    MemTableModel model(&t);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    t.DisableControls();
    t.assign(TableData({{u"A"_s, FieldType::Integer}}));
    // The view was told 4 rows × 9 columns; it may still ask for them.
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.columnCount(), 9);
    QVERIFY(!model.index(3, 8).data().isValid());
    t.EnableControls();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 1);

    // A destroyed table leaves an empty model, not a dangling one.
    auto *owned = new MemTable;
    owned->assign(statement());
    model.setTable(owned);
    QCOMPARE(model.rowCount(), 4);
    delete owned;
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.index(0, 0).isValid());
}

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"
