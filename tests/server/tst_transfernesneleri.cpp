// The transfer objects: defaults, copies, and their marshalled form through
// the wire codec (type names, members in field order, round trips).
#include "server/proxim.h"
#include "wire/codec.h"
#include "wire/marshal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>
#include <QTest>

#include <functional>

namespace {

// Gives every property of a gadget a value of its own, different from any
// default: texts "<name>-ş<i>", numbers i + 1 or i + 1.25, true, a nested list.
template <typename T>
T filled()
{
    T g;
    const QMetaObject& mo = T::staticMetaObject;
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
        const QMetaProperty p = mo.property(i);
        QVariant v;
        switch (p.metaType().id()) {
        case QMetaType::QString: v = QString(QString::fromLatin1(p.name()) + u"-ş" + QString::number(i)); break;
        case QMetaType::Int: v = i + 1; break;
        case QMetaType::Bool: v = true; break;
        case QMetaType::Double: v = i + 1.25; break;
        default:
            if (p.metaType() == QMetaType::fromType<QList<TAcilisEkran>>()) {
                TAcilisEkran a = filled<TAcilisEkran>();
                TAcilisEkran b;
                b.setBaslik(QStringLiteral("ikinci"));
                v = QVariant::fromValue(QList<TAcilisEkran>{a, b});
            }
        }
        if (!v.isValid() || !p.writeOnGadget(&g, v))
            qFatal("cannot fill property %s", p.name());
    }
    return g;
}

// Marshals, encodes, decodes and unmarshals; returns the decoded value.
template <typename T>
T roundTrip(const T& g, QString* type, QStringList* members)
{
    const QByteArray json = wire::encodeValue(wire::marshal(g));
    const QJsonObject o = QJsonDocument::fromJson(json).object();
    *type = o.value(u"type").toString();
    *members = QStringList();
    // Qt's parser sorts keys, so member order is read from the codec's object.
    const auto decoded = wire::decodeResult("{\"result\": [" + json + "]}");
    if (!decoded)
        qFatal("undecodable: %s", qPrintable(decoded.errorText()));
    for (const wire::Field& f : decoded.value()[0].objectValue().fields)
        *members << f.name;
    const auto back = wire::unmarshal<T>(decoded.value()[0]);
    if (!back)
        qFatal("unmarshal: %s", qPrintable(back.errorText()));
    return back.value();
}

template <typename T>
QStringList fieldNames()
{
    QStringList names;
    const QMetaObject& mo = T::staticMetaObject;
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i)
        names << u'F' + QString::fromLatin1(mo.property(i).name());
    return names;
}

using Check = std::function<void()>;

template <typename T>
Check roundTripCheck(const char* typeName, int fieldCount)
{
    return [=] {
        const T original = filled<T>();
        QString type;
        QStringList members;
        const T back = roundTrip(original, &type, &members);
        QCOMPARE(type, QString::fromLatin1(typeName));
        QCOMPARE(members, fieldNames<T>());
        QCOMPARE(members.size(), fieldCount);
        QVERIFY(back == original);
        QVERIFY(!(T() == original)); // the filler really changed every field
    };
}

} // namespace

Q_DECLARE_METATYPE(Check)

class tst_TransferNesneleri : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TransferNesneleriniKaydet(); }

    void roundTrips_data();
    void roundTrips();
    void defaults();
    void kopyalaCopiesEveryFieldAndSharesNothing();
    void emptyAnnouncementSetMarshalsToAnEmptyArray();
    void missingMembersKeepTheDefaults();
};

void tst_TransferNesneleri::roundTrips_data()
{
    QTest::addColumn<Check>("check");
    QTest::newRow("TSonucBilgisi") << roundTripCheck<TSonucBilgisi>("baglantiu.TSonucBilgisi", 20);
    QTest::newRow("TSiparisDipAyrinti") << roundTripCheck<TSiparisDipAyrinti>("baglantiu.TSiparisDipAyrinti", 8);
    QTest::newRow("TTusSonuclari") << roundTripCheck<TTusSonuclari>("baglantiu.TTusSonuclari", 6);
    QTest::newRow("TMobilCariBilgisi") << roundTripCheck<TMobilCariBilgisi>("mobilstokunit.TMobilCariBilgisi", 30);
    QTest::newRow("TAcilisEkran") << roundTripCheck<TAcilisEkran>("mobilstokunit.TAcilisEkran", 4);
    QTest::newRow("TAcilisEkranlariki") << roundTripCheck<TAcilisEkranlariki>("mobilstokunit.TAcilisEkranlariki", 1);
    QTest::newRow("TMobilStok") << roundTripCheck<TMobilStok>("mobilstokunit.TMobilStok", 35);
    QTest::newRow("TMobilSepet") << roundTripCheck<TMobilSepet>("mobilstokunit.TMobilSepet", 53);
}

void tst_TransferNesneleri::roundTrips()
{
    QFETCH(Check, check);
    check();
}

void tst_TransferNesneleri::defaults()
{
    // Every number 0 and every text empty, except the unit and VAT of a stock item.
    auto allZero = [](const QMetaObject& mo, const void* g, QStringList except) {
        for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
            const QMetaProperty p = mo.property(i);
            if (except.contains(QString::fromLatin1(p.name())))
                continue;
            const QVariant v = p.readOnGadget(g);
            if (v.metaType().id() == QMetaType::QString ? !v.toString().isEmpty() : v.toDouble() != 0)
                return QString::fromLatin1(p.name());
        }
        return QString();
    };
    const TMobilStok stok;
    QCOMPARE(stok.Birim(), QStringLiteral("ADET"));
    QCOMPARE(stok.KDV(), 20.0);
    QCOMPARE(allZero(TMobilStok::staticMetaObject, &stok, {QStringLiteral("Birim"), QStringLiteral("KDV")}), QString());
    const TMobilSepet sepet;
    QCOMPARE(allZero(TMobilSepet::staticMetaObject, &sepet, {}), QString());
    const TTusSonuclari tus;
    QCOMPARE(allZero(TTusSonuclari::staticMetaObject, &tus, {}), QString());
    const TMobilCariBilgisi cari;
    QCOMPARE(allZero(TMobilCariBilgisi::staticMetaObject, &cari, {}), QString());
    const TSiparisDipAyrinti dip;
    QCOMPARE(allZero(TSiparisDipAyrinti::staticMetaObject, &dip, {}), QString());
    const TAcilisEkran ekran;
    QCOMPARE(allZero(TAcilisEkran::staticMetaObject, &ekran, {}), QString());
    QVERIFY(TAcilisEkranlariki().Ekranlar().isEmpty());
}

void tst_TransferNesneleri::kopyalaCopiesEveryFieldAndSharesNothing()
{
    const TSiparisDipAyrinti kaynak = [] {
        TSiparisDipAyrinti d = filled<TSiparisDipAyrinti>();
        d.setKargo(QString()); // an empty text must overwrite a non-empty one
        return d;
    }();
    TSiparisDipAyrinti hedef = filled<TSiparisDipAyrinti>();
    hedef.setKargo(QStringLiteral("dolu"));
    hedef.Kopyala(kaynak);
    QVERIFY(hedef == kaynak);
    QCOMPARE(hedef.Kargo(), QString());
    hedef.setSizinMesaj(QStringLiteral("değişti"));
    QVERIFY(kaynak.SizinMesaj() != hedef.SizinMesaj());

    TMobilSepet sepet = filled<TMobilSepet>();
    TMobilSepet kopya;
    kopya.Kopyala(sepet);
    QVERIFY(kopya == sepet);
}

void tst_TransferNesneleri::emptyAnnouncementSetMarshalsToAnEmptyArray()
{
    const QByteArray json = wire::encodeValue(wire::marshal(TAcilisEkranlariki()));
    const QJsonObject fields = QJsonDocument::fromJson(json).object().value(u"fields").toObject();
    QVERIFY2(fields.value(u"FEkranlar").isArray(), json.constData());
    QVERIFY(fields.value(u"FEkranlar").toArray().isEmpty());
}

void tst_TransferNesneleri::missingMembersKeepTheDefaults()
{
    const auto decoded = wire::decodeResult(
        R"({"result": [{"type": "mobilstokunit.TMobilStok", "id": 1, "fields": {"FKod": "BR-1", "FBilinmeyen": 5}}]})");
    QVERIFY2(decoded.ok(), qPrintable(decoded.errorText()));
    const auto stok = wire::unmarshal<TMobilStok>(decoded.value()[0]);
    QVERIFY2(stok.ok(), qPrintable(stok.errorText()));
    QCOMPARE(stok->Kod(), QStringLiteral("BR-1"));
    QCOMPARE(stok->Birim(), QStringLiteral("ADET"));
    QCOMPARE(stok->KDV(), 20.0);
}

QTEST_GUILESS_MAIN(tst_TransferNesneleri)
#include "tst_transfernesneleri.moc"
