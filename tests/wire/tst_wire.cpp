#include "wire/codec.h"
#include "wire/marshal.h"
#include "wire/reader.h"
#include "wire/value.h"

#include "platform/dataset/tabledata.h"

#include <QRandomGenerator>
#include <QTest>

#include <sys/mman.h>
#include <unistd.h>

#include <bit>
#include <cstring>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using wire::Value;

// Small transfer objects of our own, shaped like the real ones: scalars of
// every supported kind, a nested object and an array of objects.
struct Ekran {
    Q_GADGET
    Q_PROPERTY(int SiraNo MEMBER FSiraNo)
    Q_PROPERTY(QString Baslik MEMBER FBaslik)
public:
    int FSiraNo = 0;
    QString FBaslik;
    friend bool operator==(const Ekran &, const Ekran &) = default;
};

struct Kayit {
    Q_GADGET
    Q_PROPERTY(QString Adi MEMBER FAdi)
    Q_PROPERTY(int Sirano MEMBER FSirano)
    Q_PROPERTY(qint64 Boy MEMBER FBoy)
    Q_PROPERTY(double KDV MEMBER FKDV)
    Q_PROPERTY(bool Varmi MEMBER FVarmi)
    Q_PROPERTY(QString Birim MEMBER FBirim)
    Q_PROPERTY(Ekran Ilk MEMBER FIlk)
    Q_PROPERTY(QList<Ekran> Ekranlar MEMBER FEkranlar)
public:
    QString FAdi;
    int FSirano = 0;
    qint64 FBoy = 0;
    double FKDV = 20;
    bool FVarmi = false;
    QString FBirim = u"ADET"_s;
    Ekran FIlk;
    QList<Ekran> FEkranlar;
    friend bool operator==(const Kayit &, const Kayit &) = default;
};

// Registered under no name: marshalling it is a programming fault.
struct Kayitsiz {
    Q_GADGET
    Q_PROPERTY(int X MEMBER FX)
public:
    int FX = 0;
};

namespace {

Kayit sampleKayit()
{
    Kayit k;
    k.FAdi = u"Bağlantı \"çift\" \\ tırnak"_s;
    k.FSirano = 7;
    k.FBoy = 9007199254740993LL;  // not representable as a double
    k.FKDV = 0.1;
    k.FVarmi = true;
    k.FBirim = u"KUTU"_s;
    k.FIlk = Ekran{1, u"ilk"_s};
    k.FEkranlar = {Ekran{2, u"iki"_s}, Ekran{3, u"üç"_s}};
    return k;
}

Value roundTrip(const Value &v)
{
    auto r = wire::decodeResult(wire::encodeResult({v}));
    if (!r || r->size() != 1) {
        qWarning() << "round trip failed:" << r.errorText();
        return Value(u"<round trip failed>"_s);
    }
    return r->first();
}

TableData allTypesTable()
{
    TableData t({{u"I"_s, FieldType::Integer},
                 {u"L"_s, FieldType::LargeInt},
                 {u"F"_s, FieldType::Float},
                 {u"C"_s, FieldType::Currency},
                 {u"B"_s, FieldType::Bcd},
                 {u"Q"_s, FieldType::Boolean},
                 {u"S"_s, FieldType::String, 50},
                 {u"M"_s, FieldType::Memo},
                 {u"D"_s, FieldType::Date},
                 {u"T"_s, FieldType::DateTime},
                 {u"X"_s, FieldType::Blob}});
    int r = t.appendRow();
    t.setInt(r, 0, std::numeric_limits<qint32>::min());
    t.setInt(r, 1, std::numeric_limits<qint64>::max());
    t.setDouble(r, 2, 125.5);
    t.setDouble(r, 3, 0.1 + 0.2);
    t.setString(r, 4, u"12345678901234567890.0123456789"_s);
    t.setBool(r, 5, true);
    t.setString(r, 6, u"ABC-10 \"ş\"\n\t"_s);
    t.setString(r, 7, u"uzun metin 🚗"_s);
    t.setDouble(r, 8, 46000);
    t.setDouble(r, 9, 46000.75);
    t.setString(r, 10, u"R0lGODlh"_s);
    r = t.appendRow();  // all nulls
    r = t.appendRow();
    t.setInt(r, 0, 0);
    t.setInt(r, 1, -1);
    t.setDouble(r, 2, -0.0);
    t.setDouble(r, 3, 1e-300);
    t.setString(r, 4, u"-0.5"_s);
    t.setBool(r, 5, false);
    t.setString(r, 6, QString());
    t.setString(r, 7, u""_s);
    t.setDouble(r, 8, -1);
    t.setDouble(r, 9, 0.5);
    t.setString(r, 10, u""_s);
    return t;
}

QByteArray tableBody(const QByteArray &columns, const QByteArray &rows)
{
    return "{\"result\":[{\"columns\":" + columns + ",\"rows\":" + rows + "}]}";
}

} // namespace

class TestWire : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        wire::registerType<Ekran>(u"mobilstokunit.TAcilisEkran"_s);
        wire::registerType<Kayit>(u"baglantiu.TKayit"_s);
    }

    void scalarsRoundTrip_data()
    {
        QTest::addColumn<Value>("value");
        QTest::newRow("null") << Value();
        QTest::newRow("true") << Value(true);
        QTest::newRow("false") << Value(false);
        QTest::newRow("zero") << Value(0);
        QTest::newRow("int64 min") << Value(std::numeric_limits<qint64>::min());
        QTest::newRow("int64 max") << Value(std::numeric_limits<qint64>::max());
        QTest::newRow("double 0.1") << Value(0.1);
        QTest::newRow("double integral") << Value(46000.0);
        QTest::newRow("double negative zero") << Value(-0.0);
        QTest::newRow("double max") << Value(std::numeric_limits<double>::max());
        QTest::newRow("double denormal") << Value(std::numeric_limits<double>::denorm_min());
        QTest::newRow("double 1e21") << Value(1e21);
        QTest::newRow("empty string") << Value(QString());
        QTest::newRow("turkish") << Value(u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
        QTest::newRow("escapes") << Value(u"\"\\/\b\f\n\r\t\u0001\u001f\u007f"_s);
        QTest::newRow("astral") << Value(u"🚗 parça"_s);
        QTest::newRow("array") << Value(QList<Value>{Value(1), Value(u"a"_s), Value(), Value(QList<Value>{})});
        QTest::newRow("plain object") << Value(wire::Object{QString(), {{u"a"_s, Value(1)}, {u"b"_s, Value(QList<Value>{})}}});
    }
    void scalarsRoundTrip()
    {
        QFETCH(Value, value);
        QCOMPARE(roundTrip(value), value);
        // The request body carries the same values.
        auto r = wire::decodeRequest(wire::encodeRequest({value, Value(1)}));
        QVERIFY2(r.ok(), qPrintable(r.errorText()));
        QCOMPARE(r.value(), (QList<Value>{value, Value(1)}));
    }

    void doublesRoundTripBitForBit()
    {
        QRandomGenerator rng(12345);
        QList<Value> values;
        for (int i = 0; i < 2000; ++i) {
            const double d = std::bit_cast<double>(rng.generate64());
            values.append(Value(std::isfinite(d) ? d : double(i) / 7.0));
        }
        auto r = wire::decodeResult(wire::encodeResult(values));
        QVERIFY2(r.ok(), qPrintable(r.errorText()));
        QCOMPARE(r->size(), values.size());
        for (qsizetype i = 0; i < values.size(); ++i) {
            QCOMPARE(r->at(i).kind(), Value::Kind::Double);
            QCOMPARE(std::bit_cast<quint64>(r->at(i).doubleValue()), std::bit_cast<quint64>(values[i].doubleValue()));
        }
    }

    void encodedForms_data()
    {
        QTest::addColumn<Value>("value");
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("integer") << Value(1001) << "1001"_ba;
        QTest::newRow("integral double keeps a fraction") << Value(46000.0) << "46000.0"_ba;
        QTest::newRow("shortest double") << Value(0.1) << "0.1"_ba;
        QTest::newRow("negative zero") << Value(-0.0) << "-0.0"_ba;
        QTest::newRow("exponent") << Value(1e300) << "1e+300"_ba;
        QTest::newRow("control character") << Value(u"a\u0001b"_s) << "\"a\\u0001b\""_ba;
        QTest::newRow("utf-8 kept") << Value(u"ğ"_s) << "\"\xc4\x9f\""_ba;
        QTest::newRow("stream") << Value::fromBytes("GIF89a"_ba) << "\"R0lGODlh\""_ba;
        QTest::newRow("no stream") << Value() << "null"_ba;
    }
    void encodedForms()
    {
        QFETCH(Value, value);
        QFETCH(QByteArray, json);
        QCOMPARE(wire::encodeValue(value), json);
    }

    void envelopes()
    {
        QCOMPARE(wire::encodeRequest({}), "{\"_parameters\":[]}"_ba);
        QCOMPARE(wire::encodeRequest({Value(1001)}), "{\"_parameters\":[1001]}"_ba);
        QCOMPARE(wire::encodeResult({}), "{\"result\":[]}"_ba);
        QCOMPARE(wire::encodeError(u"Tablo \"x\" yok"_s), "{\"error\":\"Tablo \\\"x\\\" yok\"}"_ba);
        auto e = wire::decodeError(wire::encodeError(u"Bağlantı yok"_s));
        QVERIFY(e.ok());
        QCOMPARE(e.value(), u"Bağlantı yok"_s);
        // Other members of an envelope are read and dropped; whitespace is fine.
        auto r = wire::decodeResult(" { \"x\" : [1, {\"a\": 2}], \"result\" : [ 6 ] }\n"_ba);
        QVERIFY2(r.ok(), qPrintable(r.errorText()));
        QCOMPARE(r.value(), QList<Value>{Value(6)});
    }

    // The decoder reads nothing past a body's last byte: a body that ends
    // right before an inaccessible page decodes, and one cut there fails
    // cleanly instead of reading on.
    void bodiesWithoutSpareRoom()
    {
        const QByteArray text = "{\"result\":[1,\"abc\",[2.5]]}"_ba;
        const QList<Value> expected{Value(1), Value(u"abc"_s), Value(QList<Value>{Value(2.5)})};
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        void *map = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        QVERIFY(map != MAP_FAILED);
        char *const guard = static_cast<char *>(map) + page;
        QCOMPARE(mprotect(guard, page, PROT_NONE), 0);
        // The bytes placed so that their last one is the last before the guard page.
        const auto atPageEnd = [guard](const QByteArray &bytes) {
            char *const start = guard - bytes.size();
            std::memcpy(start, bytes.constData(), size_t(bytes.size()));
            return QByteArray::fromRawData(start, bytes.size());
        };
        auto whole = wire::decodeResult(atPageEnd(text));
        auto cut = wire::decodeResult(atPageEnd(text.left(text.size() - 1)));
        auto cutInString = wire::decodeResult(atPageEnd("{\"result\":[\"ab"_ba));
        auto cutInNumber = wire::decodeResult(atPageEnd("{\"result\":[12.5e"_ba));
        munmap(map, 2 * page);
        QVERIFY2(whole.ok(), qPrintable(whole.errorText()));
        QCOMPARE(whole.value(), expected);
        QVERIFY(!cut.ok());
        QVERIFY(!cutInString.ok());
        QVERIFY(!cutInNumber.ok());
    }

    void streams()
    {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        for (const QByteArray &bytes : {QByteArray(), "a"_ba, "ab"_ba, "abc"_ba, all}) {
            const Value back = roundTrip(Value::fromBytes(bytes));
            QCOMPARE(back.kind(), Value::Kind::String);  // a stream reads back as its base64 text
            auto b = back.toBytes();
            QVERIFY2(b.ok(), qPrintable(b.errorText()));
            QCOMPARE(b.value(), bytes);
        }
        auto none = Value().toBytes();
        QVERIFY(none.ok());
        QVERIFY(none->isNull());
    }

    void base64IsStrict_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("bad length") << "QUJD"_ba.left(3);
        QTest::newRow("missing padding") << "QQ"_ba;
        QTest::newRow("url alphabet") << "ab-_"_ba;
        QTest::newRow("whitespace") << "QU JD"_ba;
        QTest::newRow("padding inside") << "QQ==QUJD"_ba;
        QTest::newRow("three pads") << "Q==="_ba;
        QTest::newRow("non-ascii") << "QUJ\xc4"_ba;
    }
    void base64IsStrict()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!wire::fromBase64(text).ok());
        QVERIFY(!Value(QString::fromLatin1(text)).toBytes().ok());
    }

    void strictReaders_data()
    {
        QTest::addColumn<Value>("value");
        QTest::addColumn<bool>("int32");
        QTest::addColumn<bool>("int64");
        QTest::addColumn<bool>("number");
        QTest::newRow("int") << Value(5) << true << true << true;
        QTest::newRow("whole double") << Value(5.0) << true << true << true;
        QTest::newRow("fraction") << Value(5.5) << false << false << true;
        QTest::newRow("beyond 32 bits") << Value(qint64(1) << 31) << false << true << true;
        QTest::newRow("below 32 bits") << Value(-(qint64(1) << 31) - 1) << false << true << true;
        QTest::newRow("double beyond 64 bits") << Value(1e19) << false << false << true;
        QTest::newRow("string") << Value(u"5"_s) << false << false << false;
        QTest::newRow("null") << Value() << false << false << false;
        QTest::newRow("bool") << Value(true) << false << false << false;
    }
    void strictReaders()
    {
        QFETCH(Value, value);
        QFETCH(bool, int32);
        QFETCH(bool, int64);
        QFETCH(bool, number);
        QCOMPARE(value.toInt32().ok(), int32);
        QCOMPARE(value.toInt64().ok(), int64);
        QCOMPARE(value.toDouble().ok(), number);
        if (int32)
            QCOMPARE(value.toInt32().value(), 5);
        if (!int32)
            QVERIFY(value.toInt32().error().message.startsWith(u"expected"_s));
    }

    void marshalledForm()
    {
        const QByteArray json = wire::encodeValue(wire::marshal(sampleKayit()));
        // Members in declaration order, ids counting on through nested objects.
        const QByteArray expected =
            "{\"type\":\"baglantiu.TKayit\",\"id\":1,\"fields\":{"
            "\"FAdi\":\"Ba\xc4\x9f\x6c\x61nt\xc4\xb1 \\\"\xc3\xa7ift\\\" \\\\ t\xc4\xb1rnak\",\"FSirano\":7,"
            "\"FBoy\":9007199254740993,\"FKDV\":0.1,\"FVarmi\":true,\"FBirim\":\"KUTU\","
            "\"FIlk\":{\"type\":\"mobilstokunit.TAcilisEkran\",\"id\":2,\"fields\":{\"FSiraNo\":1,\"FBaslik\":\"ilk\"}},"
            "\"FEkranlar\":["
            "{\"type\":\"mobilstokunit.TAcilisEkran\",\"id\":3,\"fields\":{\"FSiraNo\":2,\"FBaslik\":\"iki\"}},"
            "{\"type\":\"mobilstokunit.TAcilisEkran\",\"id\":4,\"fields\":{\"FSiraNo\":3,\"FBaslik\":\"\xc3\xbc\xc3\xa7\"}}]}}"_ba;
        QCOMPARE(json, expected);
        // Each parameter numbers its own objects from 1.
        const QByteArray two = wire::encodeRequest({wire::marshal(Ekran{}), wire::marshal(Ekran{})});
        QCOMPARE(two.count("\"id\":1"), 2);
    }

    void marshalRoundTrip()
    {
        const Kayit k = sampleKayit();
        auto back = wire::unmarshal<Kayit>(roundTrip(wire::marshal(k)));
        QVERIFY2(back.ok(), qPrintable(back.errorText()));
        QCOMPARE(back.value(), k);

        Kayit empty;  // an empty array is written as [] and read back empty
        QVERIFY(wire::encodeValue(wire::marshal(empty)).contains("\"FEkranlar\":[]"));
        auto e = wire::unmarshal<Kayit>(roundTrip(wire::marshal(empty)));
        QVERIFY(e.ok());
        QCOMPARE(e.value(), empty);

        auto any = wire::unmarshalAny(roundTrip(wire::marshal(k)));
        QVERIFY2(any.ok(), qPrintable(any.errorText()));
        QCOMPARE(any->value<Kayit>(), k);
    }

    void unmarshalMembers_data()
    {
        QTest::addColumn<QByteArray>("fields");
        QTest::addColumn<QString>("error");  // empty: decodes
        QTest::newRow("missing members keep defaults") << "{\"FAdi\":\"x\"}"_ba << QString();
        QTest::newRow("unknown member ignored") << "{\"FYok\":[1,{\"a\":[]}],\"FSirano\":3}"_ba << QString();
        QTest::newRow("null array is empty") << "{\"FEkranlar\":null}"_ba << QString();
        QTest::newRow("null object keeps default") << "{\"FIlk\":null}"_ba << QString();
        QTest::newRow("whole double for Integer") << "{\"FSirano\":3.0}"_ba << QString();
        QTest::newRow("string for Integer") << "{\"FSirano\":\"3\"}"_ba << u"member FSirano"_s;
        QTest::newRow("fraction for Integer") << "{\"FSirano\":3.5}"_ba << u"member FSirano"_s;
        QTest::newRow("beyond 32 bits") << "{\"FSirano\":2147483648}"_ba << u"member FSirano"_s;
        QTest::newRow("number for string") << "{\"FAdi\":5}"_ba << u"member FAdi"_s;
        QTest::newRow("null for string") << "{\"FAdi\":null}"_ba << u"member FAdi"_s;
        QTest::newRow("number for Boolean") << "{\"FVarmi\":1}"_ba << u"member FVarmi"_s;
        QTest::newRow("string for Double") << "{\"FKDV\":\"1\"}"_ba << u"member FKDV"_s;
        QTest::newRow("object for array") << "{\"FEkranlar\":{}}"_ba << u"member FEkranlar: expected an array"_s;
        QTest::newRow("plain object for object") << "{\"FIlk\":{\"a\":1}}"_ba << u"member FIlk: expected a marshalled object"_s;
        QTest::newRow("bad item in array")
            << "{\"FEkranlar\":[{\"type\":\"mobilstokunit.TAcilisEkran\",\"id\":2,\"fields\":{\"FSiraNo\":\"x\"}}]}"_ba
            << u"member FEkranlar: [0]: member FSiraNo"_s;
        QTest::newRow("wrong type in array")
            << "{\"FEkranlar\":[{\"type\":\"baglantiu.TKayit\",\"id\":2,\"fields\":{}}]}"_ba
            << u"expected an object of type \"mobilstokunit.TAcilisEkran\""_s;
    }
    void unmarshalMembers()
    {
        QFETCH(QByteArray, fields);
        QFETCH(QString, error);
        auto values = wire::decodeResult("{\"result\":[{\"type\":\"baglantiu.TKayit\",\"id\":1,\"fields\":" + fields + "}]}");
        QVERIFY2(values.ok(), qPrintable(values.errorText()));
        auto k = wire::unmarshal<Kayit>(values->first());
        if (error.isEmpty()) {
            QVERIFY2(k.ok(), qPrintable(k.errorText()));
            const Kayit defaults;
            QCOMPARE(k->FBirim, defaults.FBirim);
            QCOMPARE(k->FKDV, defaults.FKDV);
        } else {
            QVERIFY(!k.ok());
            QVERIFY2(k.errorText().contains(error), qPrintable(k.errorText()));
        }
    }

    void unmarshalTypeErrors()
    {
        auto unknown = wire::unmarshal<Kayit>(Value(wire::Object{u"baglantiu.TYok"_s, {}}));
        QVERIFY(!unknown.ok());
        QVERIFY(unknown.errorText().contains(u"unknown object type \"baglantiu.TYok\""_s));
        QVERIFY(!wire::unmarshalAny(Value(wire::Object{u"baglantiu.TYok"_s, {}})).ok());
        auto other = wire::unmarshal<Kayit>(wire::marshal(Ekran{}));
        QVERIFY(!other.ok());
        QVERIFY(!wire::unmarshal<Kayit>(Value()).ok());
        QVERIFY(!wire::unmarshal<Kayit>(Value(1)).ok());
        QVERIFY_THROWS_EXCEPTION(wire::EncodeError, wire::marshal(Kayitsiz{}));
        QCOMPARE(wire::typeName(&Kayit::staticMetaObject), u"baglantiu.TKayit"_s);
        QVERIFY(wire::isRegistered(u"mobilstokunit.TAcilisEkran"_s));
    }

    void nonFiniteDoublesRefuseToEncode()
    {
        QVERIFY_THROWS_EXCEPTION(wire::EncodeError, wire::encodeRequest({Value(std::nan(""))}));
        QVERIFY_THROWS_EXCEPTION(wire::EncodeError, wire::encodeResult({Value(HUGE_VAL)}));
    }

    void tableRoundTrip()
    {
        const TableData t = allTypesTable();
        const QByteArray json = wire::encodeValue(Value(t));
        QVERIFY(json.startsWith(
            "{\"columns\":[{\"name\":\"I\",\"type\":\"integer\"},{\"name\":\"L\",\"type\":\"largeint\"}"));
        QVERIFY(json.contains("{\"name\":\"S\",\"type\":\"string\",\"size\":50}"));
        Value back = roundTrip(Value(t));
        QCOMPARE(back.kind(), Value::Kind::Table);
        auto loaded = back.takeTable();
        QVERIFY(loaded.ok());
        QCOMPARE(loaded->fields(), t.fields());
        QCOMPARE(loaded->rowCount(), t.rowCount());
        for (int r = 0; r < t.rowCount(); ++r)
            for (int c = 0; c < t.fieldCount(); ++c) {
                QCOMPARE(loaded->isNull(r, c), t.isNull(r, c));
                QCOMPARE(loaded->value(r, c), t.value(r, c));
            }
        QVERIFY(loaded.value() == t);
        QCOMPARE(loaded->stringValue(0, 4), u"12345678901234567890.0123456789"_s);  // exact decimal kept
    }

    void tableForms()
    {
        // Empty result: columns and no rows. Numbers may come as integers
        // in Float columns, Bcd as a number, whole doubles in Integer columns.
        auto r = wire::decodeResult(tableBody(
            "[{\"name\":\"STOK_STOKNO\",\"type\":\"integer\"},{\"name\":\"FIYAT\",\"type\":\"float\"},"
            "{\"name\":\"B\",\"type\":\"bcd\"},{\"name\":\"x\",\"type\":\"STRING\",\"size\":5,\"extra\":1}]"_ba,
            "[[1001, 0, 12.5, \"a\"], [7.0, 125.5, -3, null]]"_ba));
        QVERIFY2(r.ok(), qPrintable(r.errorText()));
        auto t = r.value()[0].takeTable();
        QVERIFY(t.ok());
        QCOMPARE(t->rowCount(), 2);
        QCOMPARE(t->field(3).type, FieldType::String);
        QCOMPARE(t->intValue(1, 0), 7);
        QCOMPARE(t->doubleValue(0, 1), 0.0);
        QCOMPARE(t->stringValue(0, 2), u"12.5"_s);
        QCOMPARE(t->stringValue(1, 2), u"-3"_s);
        QVERIFY(t->isNull(1, 3));

        // A day number far outside the calendar survives a round trip.
        auto far = wire::decodeResult(tableBody("[{\"name\":\"D\",\"type\":\"date\"}]"_ba, "[[1e300],[-46000]]"_ba));
        QVERIFY2(far.ok(), qPrintable(far.errorText()));
        QCOMPARE(roundTrip(far->first()), far->first());
        QCOMPARE(far->first().tableValue().doubleValue(1, 0), -46000.0);

        auto empty = wire::decodeResult(tableBody("[{\"name\":\"A\",\"type\":\"memo\"}]"_ba, "[]"_ba));
        QVERIFY(empty.ok());
        QCOMPARE(empty->first().tableValue().fieldCount(), 1);
        QCOMPARE(empty->first().tableValue().rowCount(), 0);
    }

    // A table with one bad row or cell is rejected whole, with its place.
    void tableErrors_data()
    {
        QTest::addColumn<QByteArray>("columns");
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QString>("message");
        const QByteArray two = "[{\"name\":\"NO\",\"type\":\"integer\"},{\"name\":\"AD\",\"type\":\"string\"}]"_ba;
        QTest::newRow("short row") << two << "[[1,\"a\"],[2]]"_ba << u"result[0].rows[1]: row has 1 cells, expected 2"_s;
        QTest::newRow("long row") << two << "[[1,\"a\",3]]"_ba << u"result[0].rows[0]: row has more than 2 cells"_s;
        QTest::newRow("row not an array") << two << "[[1,\"a\"],{}]"_ba << u"rows[1]: expected a row array"_s;
        QTest::newRow("rows not an array") << two << "{}"_ba << u"expected an array of rows"_s;
        QTest::newRow("string in integer")
            << two << "[[1,\"a\"],[\"2\",\"b\"]]"_ba
            << u"result[0].rows[1][0] (column NO, integer): expected an integer, got a string"_s;
        QTest::newRow("number in string") << two << "[[1,2]]"_ba << u"rows[0][1] (column AD, string): expected a string"_s;
        QTest::newRow("fraction in integer") << two << "[[1.5,\"a\"]]"_ba << u"rows[0][0]"_s;
        QTest::newRow("beyond 32 bits") << two << "[[2147483648,\"a\"]]"_ba << u"out of the 32-bit range"_s;
        QTest::newRow("beyond 64 bits")
            << "[{\"name\":\"L\",\"type\":\"largeint\"}]"_ba << "[[9223372036854775808]]"_ba << u"64-bit range"_s;
        QTest::newRow("string in float")
            << "[{\"name\":\"FIYAT\",\"type\":\"float\"}]"_ba << "[[\"1\"]]"_ba << u"(column FIYAT, float): expected a number"_s;
        QTest::newRow("number in boolean")
            << "[{\"name\":\"SEC\",\"type\":\"boolean\"}]"_ba << "[[1]]"_ba << u"expected true or false"_s;
        QTest::newRow("fraction in date")
            << "[{\"name\":\"TARIH\",\"type\":\"date\"}]"_ba << "[[46000.5]]"_ba << u"without fraction"_s;
        QTest::newRow("bad base64 in blob")
            << "[{\"name\":\"RESIM\",\"type\":\"blob\"}]"_ba << "[[\"abc\"]]"_ba << u"expected a base64 string"_s;
        QTest::newRow("text in bcd")
            << "[{\"name\":\"B\",\"type\":\"bcd\"}]"_ba << "[[\"12,5\"]]"_ba << u"expected a decimal number"_s;
        QTest::newRow("unknown column type")
            << "[{\"name\":\"A\",\"type\":\"money\"}]"_ba << "[]"_ba << u"columns[0]: unknown column type \"money\""_s;
        QTest::newRow("column without name") << "[{\"type\":\"memo\"}]"_ba << "[]"_ba << u"column without \"name\""_s;
        QTest::newRow("column without type") << "[{\"name\":\"A\"}]"_ba << "[]"_ba << u"without \"type\""_s;
        QTest::newRow("negative size")
            << "[{\"name\":\"A\",\"type\":\"string\",\"size\":-1}]"_ba << "[]"_ba << u"\"size\""_s;
        QTest::newRow("columns not an array") << "{}"_ba << "[]"_ba << u"expected an array of columns"_s;
        // Many columns and many empty rows: rejected without reserving rows x columns.
        QByteArray wide = "[";
        for (int i = 0; i < 2000; ++i)
            wide += (i ? ",{\"name\":\"C" : "{\"name\":\"C") + QByteArray::number(i) + "\",\"type\":\"float\"}";
        wide += "]";
        QTest::newRow("empty rows under wide columns")
            << wide << "[" + QByteArray("[],").repeated(200000) + "[]]" << u"row has 0 cells, expected 2000"_s;
    }
    void tableErrors()
    {
        QFETCH(QByteArray, columns);
        QFETCH(QByteArray, rows);
        QFETCH(QString, message);
        auto r = wire::decodeResult(tableBody(columns, rows));
        QVERIFY(!r.ok());
        QVERIFY2(r.errorText().contains(message), qPrintable(r.errorText()));
    }

    void malformedBodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << u"empty body"_s;
        QTest::newRow("blank") << " \n"_ba << u"empty body"_s;
        QTest::newRow("not an object") << "[1]"_ba << u"expected a JSON object"_s;
        QTest::newRow("scalar") << "6"_ba << u"expected a JSON object"_s;
        QTest::newRow("missing result") << "{\"resul\":[]}"_ba << u"missing member \"result\""_s;
        QTest::newRow("duplicate result") << "{\"result\":[],\"result\":[]}"_ba << u"duplicate member"_s;
        QTest::newRow("result not array") << "{\"result\":6}"_ba << u"\"result\" must be an array"_s;
        QTest::newRow("trailing bytes") << "{\"result\":[]} x"_ba << u"invalid JSON"_s;
        QTest::newRow("two documents") << "{\"result\":[]}{}"_ba << u"invalid JSON"_s;
        QTest::newRow("trailing comma") << "{\"result\":[1,]}"_ba << QString();
        QTest::newRow("missing comma") << "{\"result\":[1 2]}"_ba << QString();
        QTest::newRow("single quotes") << "{'result':[]}"_ba << QString();
        QTest::newRow("unclosed string") << "{\"result\":[\"abc]}"_ba << QString();
        QTest::newRow("control character in string") << "{\"result\":[\"a\x01\"]}"_ba << QString();
        QTest::newRow("bad escape") << "{\"result\":[\"\\x41\"]}"_ba << QString();
        QTest::newRow("lone surrogate escape") << "{\"result\":[\"\\ud800\"]}"_ba << QString();
        QTest::newRow("misspelt true") << "{\"result\":[tru]}"_ba << QString();
        QTest::newRow("NaN") << "{\"result\":[NaN]}"_ba << QString();
        QTest::newRow("Infinity") << "{\"result\":[-Infinity]}"_ba << QString();
        QTest::newRow("leading zero") << "{\"result\":[01]}"_ba << QString();
        QTest::newRow("bare fraction") << "{\"result\":[.5]}"_ba << QString();
        QTest::newRow("trailing point") << "{\"result\":[1.]}"_ba << QString();
        QTest::newRow("plus sign") << "{\"result\":[+1]}"_ba << QString();
        QTest::newRow("huge double") << "{\"result\":[1e400]}"_ba << QString();
        QTest::newRow("huge integer") << "{\"result\":[123456789012345678901234567890]}"_ba << QString();
        QTest::newRow("integer beyond int64") << "{\"result\":[9223372036854775808]}"_ba << u"64-bit range"_s;
        QTest::newRow("overlong utf-8") << "{\"result\":[\"\xc0\xaf\"]}"_ba << u"invalid UTF-8"_s;
        QTest::newRow("lone continuation") << "{\"result\":[\"\x80\"]}"_ba << u"invalid UTF-8"_s;
        QTest::newRow("encoded surrogate") << "{\"result\":[\"\xed\xa0\x80\"]}"_ba << u"invalid UTF-8"_s;
        QTest::newRow("truncated sequence") << "{\"result\":[\"\xc4\"]}"_ba << u"invalid UTF-8"_s;
        QTest::newRow("invalid utf-8 in a key") << "{\"\xff\":1,\"result\":[]}"_ba << u"invalid UTF-8"_s;
        QTest::newRow("object without fields")
            << "{\"result\":[{\"type\":\"baglantiu.TKayit\",\"id\":1}]}"_ba << u"without \"fields\""_s;
        QTest::newRow("object reference") << "{\"result\":[{\"type\":\"a.B\",\"ref\":1}]}"_ba << u"\"ref\""_s;
        QTest::newRow("id not a number")
            << "{\"result\":[{\"type\":\"a.B\",\"id\":\"1\",\"fields\":{}}]}"_ba << u"\"id\" must be a positive integer"_s;
        QTest::newRow("type not a string")
            << "{\"result\":[{\"type\":1,\"id\":1,\"fields\":{}}]}"_ba << u"\"type\" must be a string"_s;
        QTest::newRow("fields not an object")
            << "{\"result\":[{\"type\":\"a.B\",\"id\":1,\"fields\":[]}]}"_ba << u"expected an object of fields"_s;
        QTest::newRow("table and object")
            << "{\"result\":[{\"type\":\"a.B\",\"columns\":[],\"rows\":[]}]}"_ba << u"both table and"_s;
        QTest::newRow("rows without columns") << "{\"result\":[{\"rows\":[]}]}"_ba << u"without \"columns\""_s;
        QTest::newRow("bad value deep inside")
            << "{\"result\":[1,[2,{\"type\":\"a.B\",\"id\":1,\"fields\":{\"FX\":[0,{\"q\":{\"rows\":[]}}]}}]]}"_ba
            << u"result[1][1].fields.FX[1].q: table without \"columns\""_s;
        QByteArray deep = QByteArray("[").repeated(wire::kMaxDepth) + QByteArray("]").repeated(wire::kMaxDepth);
        QTest::newRow("nested too deeply") << "{\"result\":" + deep + "}" << u"deeper than 64"_s;
        QByteArray veryDeep = QByteArray("[").repeated(100000);
        QTest::newRow("unbalanced deep nesting") << "{\"result\":" + veryDeep << QString();
    }
    void malformedBodies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        auto r = wire::decodeResult(body);
        QVERIFY(!r.ok());
        QVERIFY(!r.errorText().isEmpty());
        if (!message.isEmpty())
            QVERIFY2(r.errorText().contains(message), qPrintable(r.errorText()));
        QVERIFY(!wire::decodeRequest(body).ok());
    }

    void nestingLimitIsExact()
    {
        // The envelope and the result array count as two levels.
        const int inner = wire::kMaxDepth - 2;
        const QByteArray ok = "{\"result\":[" + QByteArray("[").repeated(inner) + QByteArray("]").repeated(inner) + "]}";
        QVERIFY2(wire::decodeResult(ok).ok(), qPrintable(wire::decodeResult(ok).errorText()));
        const QByteArray deeper = "{\"result\":[" + QByteArray("[").repeated(inner + 1) + QByteArray("]").repeated(inner + 1) + "]}";
        QVERIFY(!wire::decodeResult(deeper).ok());
    }

    // Every prefix of a body that has every kind of value fails cleanly.
    void truncatedAtEveryOffset()
    {
        const QByteArray body =
            wire::encodeResult({Value(1), Value(0.5), Value(true), Value(), Value(u"ş\"\\"_s), Value::fromBytes("xyz"_ba),
                                wire::marshal(sampleKayit()), Value(allTypesTable())});
        QVERIFY(wire::decodeResult(body).ok());
        for (qsizetype n = 0; n < body.size(); ++n) {
            auto r = wire::decodeResult(body.left(n));
            QVERIFY2(!r.ok(), qPrintable(u"prefix of %1 bytes decoded"_s.arg(n)));
            QVERIFY(!r.errorText().isEmpty());
        }
    }

    // Corrupted bodies either fail with a message or decode to values that
    // encode and decode again to the same values.
    void corruptedBodiesStayConsistent()
    {
        const QByteArray body = wire::encodeResult({wire::marshal(sampleKayit()), Value(allTypesTable()), Value(-12.25)});
        QRandomGenerator rng(7);
        static const char kBytes[] = "{}[]\",:0123456789.eE-+ntfu\\\x80\xc4\xff ";
        int decoded = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray mutated = body;
            const int edits = 1 + int(rng.bounded(3));
            for (int e = 0; e < edits; ++e) {
                const qsizetype at = rng.bounded(int(mutated.size()));
                const char c = kBytes[rng.bounded(int(sizeof kBytes - 1))];
                switch (rng.bounded(3)) {
                case 0: mutated[at] = c; break;
                case 1: mutated.insert(at, c); break;
                default: mutated.remove(at, 1); break;
                }
            }
            auto r = wire::decodeResult(mutated);
            if (!r.ok()) {
                QVERIFY(!r.errorText().isEmpty());
                continue;
            }
            ++decoded;
            auto again = wire::decodeResult(wire::encodeResult(r.value()));
            QVERIFY2(again.ok(), qPrintable(again.errorText()));
            QCOMPARE(again.value(), r.value());
        }
        qInfo("%d of 3000 corrupted bodies still decoded", decoded);
    }

    void readerTakesPositionalValues()
    {
        wire::Reader in({Value(17), Value(u"ABC"_s), Value(46000.0), Value(true), wire::marshal(Ekran{5, u"x"_s}),
                         Value(), Value::fromBytes("pdf"_ba), Value(allTypesTable())},
                        u"parameter"_s);
        QCOMPARE(in.int32(u"sirano"), 17);
        QCOMPARE(in.string(u"kod"), u"ABC"_s);
        QCOMPARE(in.number(u"tarih1"), 46000.0);
        QCOMPARE(in.boolean(u"secim"), true);
        const std::optional<Ekran> e = in.object<Ekran>(u"ekran");
        QVERIFY(e.has_value());
        QCOMPARE(e->FSiraNo, 5);
        QVERIFY(!in.object<Ekran>(u"yok").has_value());  // null: no object
        QCOMPARE(in.bytes(u"akis"), "pdf"_ba);
        QCOMPARE(in.table(u"liste").rowCount(), 3);
        QVERIFY2(in.finish(), qPrintable(in.ok() ? QString() : in.error().message));
    }

    void readerReportsTheFirstMismatch_data()
    {
        QTest::addColumn<QList<Value>>("values");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong kind") << QList<Value>{Value(1), Value(u"x"_s)}
                                    << u"parameter 2 (miktar): expected a number, got a string"_s;
        QTest::newRow("missing") << QList<Value>{Value(1)} << u"parameter 2 (miktar) is missing: 1 given"_s;
        QTest::newRow("too many") << QList<Value>{Value(1), Value(2.5), Value(3)} << u"3 parameters given, 2 expected"_s;
        QTest::newRow("fraction for Integer") << QList<Value>{Value(1.5), Value(2.5)}
                                              << u"parameter 1 (stokno): expected a 32-bit integer, got 1.5"_s;
    }
    void readerReportsTheFirstMismatch()
    {
        QFETCH(QList<Value>, values);
        QFETCH(QString, message);
        wire::Reader in(values, u"parameter"_s);
        in.int32(u"stokno");
        in.number(u"miktar");
        QVERIFY(!in.finish());
        QCOMPARE(in.error().message, message);
    }
};

QTEST_GUILESS_MAIN(TestWire)
#include "tst_wire.moc"
