#include "core/utils.h"
#include "tests/os/sysfsfixture.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_kimlik : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void bilgisayarIdAl_data();
    void bilgisayarIdAl();
    void uygulamaKlasoruIsCreated();
};

void tst_kimlik::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_kimlik::bilgisayarIdAl_data()
{
    const QStringList adapter{u"class/net/eth0/address=52:54:00:ab:cd:ef"_s, u"class/net/eth0/device/"_s};
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<QString>("id");
    QTest::newRow("serial with inner and outer blanks, lower case")
        << (QStringList{u"block/sda/device/serial=  wd-wx41 a8 3k  "_s} + adapter) << u"WD-WX41 A8 3K"_s
        << u"WD-WX41A83K"_s;
    QTest::newRow("no serial: the MAC, 17 characters")
        << (QStringList{u"block/sda/device/"_s} + adapter) << QString() << u"52-54-00-AB-CD-EF"_s;
    QTest::newRow("all-zero first adapter") << QStringList{u"class/net/eth0/address=00:00:00:00:00:00"_s,
        u"class/net/eth0/ifindex=2"_s, u"class/net/eth0/device/"_s, u"class/net/eth1/address=0a:1b:2c:3d:4e:5f"_s,
        u"class/net/eth1/ifindex=3"_s, u"class/net/eth1/device/"_s}
                                            << QString() << u"0A-1B-2C-3D-4E-5F"_s;
    QTest::newRow("neither serial nor adapter") << QStringList{} << QString() << QString();
}

void tst_kimlik::bilgisayarIdAl()
{
    QFETCH(QStringList, tree);
    QFETCH(QString, disk);
    QFETCH(QString, id);
    QTemporaryDir dir;
    QVERIFY(buildSysFixture(dir.path(), tree));
    const os::SystemRoots roots{dir.path(), dir.path() + u"/udev"_s};
    QCOMPARE(DiskSeriNoAl(roots), disk);
    const QString got = BilgisayarIdAl(roots);
    QCOMPARE(got, id);
    QVERIFY(!got.contains(QLatin1Char(' ')));
    if (disk.isEmpty() && !id.isEmpty())
        QCOMPARE(got.size(), 17);
}

void tst_kimlik::uygulamaKlasoruIsCreated()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir(base + u"/zelvorioto"_s).removeRecursively();
    const QString klasor = UygulamaKlasoru();
    QCOMPARE(klasor, base + u"/zelvorioto"_s);
    QVERIFY(!klasor.endsWith(QLatin1Char('/')));
    QVERIFY(QFileInfo(klasor).isDir());
    QDir(klasor).removeRecursively();
}

QTEST_GUILESS_MAIN(tst_kimlik)
#include "tst_kimlik.moc"
