#include "core/baglantiu.h"

#include <QMetaProperty>
#include <QTest>

class tst_baglantiu : public QObject
{
    Q_OBJECT

private slots:
    void create_defaults();
    void properties_in_declaration_order();
    void properties_read_and_write_fields();
    void kopyala_copies_every_field_and_shares_nothing();
};

void tst_baglantiu::create_defaults()
{
    const TSonucBilgisi r;
    QCOMPARE(r.MusteriTipi(), 1);
    QCOMPARE(r.Version(), 1);
    QCOMPARE(r.Varmi(), false);
    QCOMPARE(r.CARINO(), 0);
    QCOMPARE(r.Sirano(), 0);
    QCOMPARE(r.SaticiNo(), 0);
    QCOMPARE(r.AKTIF(), 0);
    const QMetaObject& mo = TSonucBilgisi::staticMetaObject;
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
        const QMetaProperty p = mo.property(i);
        if (p.metaType() == QMetaType::fromType<QString>())
            QVERIFY2(p.readOnGadget(&r).toString().isEmpty(), p.name());
    }
}

void tst_baglantiu::properties_in_declaration_order()
{
    // The marshalled form lists the members in this order, as "F" + name.
    const QList<QPair<QByteArray, QMetaType>> expected = {
        {"BILGISAYARID", QMetaType::fromType<QString>()},
        {"SaticiMail", QMetaType::fromType<QString>()},
        {"Sirano", QMetaType::fromType<int>()},
        {"CariAdi", QMetaType::fromType<QString>()},
        {"SIFRE", QMetaType::fromType<QString>()},
        {"SaticiNo", QMetaType::fromType<int>()},
        {"CARINO", QMetaType::fromType<int>()},
        {"AKTIF", QMetaType::fromType<int>()},
        {"Kullanicimail", QMetaType::fromType<QString>()},
        {"ADI", QMetaType::fromType<QString>()},
        {"SaticiTelefon", QMetaType::fromType<QString>()},
        {"carikod", QMetaType::fromType<QString>()},
        {"Varmi", QMetaType::fromType<bool>()},
        {"SaticiAdi", QMetaType::fromType<QString>()},
        {"BilgiSayarAdi", QMetaType::fromType<QString>()},
        {"Disip", QMetaType::fromType<QString>()},
        {"Icip", QMetaType::fromType<QString>()},
        {"BilgisayarKullanici", QMetaType::fromType<QString>()},
        {"MusteriTipi", QMetaType::fromType<int>()},
        {"Version", QMetaType::fromType<int>()},
    };
    const QMetaObject& mo = TSonucBilgisi::staticMetaObject;
    QCOMPARE(mo.propertyCount() - mo.propertyOffset(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaProperty p = mo.property(mo.propertyOffset() + i);
        QCOMPARE(QByteArray(p.name()), expected.at(i).first);
        QCOMPARE(p.metaType(), expected.at(i).second);
        QVERIFY(p.isWritable());
    }
}

void tst_baglantiu::properties_read_and_write_fields()
{
    // Writing through the meta-property (as the unmarshaller does) must land in
    // the field the accessor reads, for every property.
    TSonucBilgisi r;
    const QMetaObject& mo = TSonucBilgisi::staticMetaObject;
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
        const QMetaProperty p = mo.property(i);
        QVariant v;
        if (p.metaType() == QMetaType::fromType<QString>())
            v = QStringLiteral("değer %1").arg(i);
        else if (p.metaType() == QMetaType::fromType<int>())
            v = 1000 + i;
        else
            v = true;
        QVERIFY(p.writeOnGadget(&r, v));
        QCOMPARE(p.readOnGadget(&r), v);
    }
    QCOMPARE(r.BILGISAYARID(), QStringLiteral("değer %1").arg(mo.propertyOffset()));
    QCOMPARE(r.Version(), 1000 + mo.propertyCount() - 1);
    QCOMPARE(r.Varmi(), true);
}

void tst_baglantiu::kopyala_copies_every_field_and_shares_nothing()
{
    TSonucBilgisi source;
    const QMetaObject& mo = TSonucBilgisi::staticMetaObject;
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
        const QMetaProperty p = mo.property(i);
        if (p.metaType() == QMetaType::fromType<QString>())
            p.writeOnGadget(&source, QStringLiteral("kaynak-%1").arg(i));
        else if (p.metaType() == QMetaType::fromType<int>())
            p.writeOnGadget(&source, 70 + i);
    }
    source.setVarmi(true);
    source.setMusteriTipi(2);

    TSonucBilgisi copy;
    copy.Kopyala(source);
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
        const QMetaProperty p = mo.property(i);
        QCOMPARE(p.readOnGadget(&copy), p.readOnGadget(&source));
    }
    QCOMPARE(copy.Varmi(), true);
    QCOMPARE(copy.MusteriTipi(), 2);

    copy.setCariAdi(QStringLiteral("Başka Firma"));
    copy.setCARINO(1);
    copy.setVarmi(false);
    QCOMPARE(source.CariAdi(), QStringLiteral("kaynak-%1").arg(mo.indexOfProperty("CariAdi")));
    QCOMPARE(source.CARINO(), 70 + mo.indexOfProperty("CARINO"));
    QCOMPARE(source.Varmi(), true);
}

QTEST_GUILESS_MAIN(tst_baglantiu)
#include "tst_baglantiu.moc"
