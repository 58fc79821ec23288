#include "platform/os/folders.h"
#include "platform/os/identity.h"
#include "sysfsfixture.h"

#include <QHostAddress>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_identity : public QObject
{
    Q_OBJECT

private slots:
    void firstDisk_data();
    void firstDisk();
    void macAddress_data();
    void macAddress();
    void formatMac_data();
    void formatMac();
    void desktopEntryProgram_data();
    void desktopEntryProgram();
    void internalAddressIsDottedIPv4();
};

void tst_identity::firstDisk_data()
{
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<QString>("serial");
    QTest::newRow("virtual devices skipped") << QStringList{u"block/loop0/device/"_s, u"block/ram0/device/"_s,
        u"block/zram0/device/"_s, u"block/dm-0/dev=253:0"_s, u"block/md0/device/"_s,
        u"block/sr0/device/serial=CDROM1"_s, u"block/sdb/device/serial=B"_s, u"block/sda/device/serial=A1"_s}
                                             << u"sda"_s << u"A1"_s;
    QTest::newRow("no hardware behind it")
        << QStringList{u"block/sda/dev=8:0"_s, u"block/vda/device/"_s, u"block/vda/serial=virtio-7"_s} << u"vda"_s
        << u"virtio-7"_s;
    QTest::newRow("optical drive by type") << QStringList{u"block/cd0/device/type=5"_s, u"block/cd0/device/serial=X"_s,
        u"block/sdz/device/type=0"_s, u"block/sdz/device/serial=Z9"_s}
                                           << u"sdz"_s << u"Z9"_s;
    QTest::newRow("nvme serial on the device")
        << QStringList{u"block/nvme0n1/device/serial=  S4EW  NX0 "_s} << u"nvme0n1"_s << u"S4EW  NX0"_s;
    QTest::newRow("sata serial from udev") << QStringList{u"block/sda/device/"_s, u"block/sda/dev=8:0"_s,
        u"udev/b8:0=S:disk/by-id/ata-X\nE:ID_SERIAL=WDC_WD10-WX41\nE:ID_SERIAL_SHORT=WX41A83K"_s}
                                           << u"sda"_s << u"WX41A83K"_s;
    QTest::newRow("first disk without serial: none, second not asked")
        << QStringList{u"block/sda/device/"_s, u"block/sdb/device/serial=SECOND"_s} << u"sda"_s << QString();
    QTest::newRow("no disk at all") << QStringList{u"block/loop0/dev=7:0"_s} << QString() << QString();
    QTest::newRow("no sysfs") << QStringList{} << QString() << QString();
}

void tst_identity::firstDisk()
{
    QFETCH(QStringList, tree);
    QFETCH(QString, disk);
    QFETCH(QString, serial);
    QTemporaryDir dir;
    QVERIFY(buildSysFixture(dir.path(), tree));
    const os::SystemRoots roots{dir.path(), dir.path() + u"/udev"_s};
    QCOMPARE(os::firstPhysicalDisk(roots), disk);
    QCOMPARE(os::firstDiskSerial(roots), serial);
}

void tst_identity::macAddress_data()
{
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("mac");
    QTest::newRow("loopback skipped") << QStringList{u"class/net/lo/address=00:00:00:00:00:00"_s,
        u"class/net/lo/type=772"_s, u"class/net/lo/ifindex=1"_s, u"class/net/eth0/address=52:54:00:ab:cd:ef"_s,
        u"class/net/eth0/ifindex=2"_s, u"class/net/eth0/device/"_s}
                                      << u"52-54-00-AB-CD-EF"_s;
    QTest::newRow("all-zero first adapter: next one") << QStringList{u"class/net/eth0/address=00:00:00:00:00:00"_s,
        u"class/net/eth0/ifindex=2"_s, u"class/net/eth0/device/"_s, u"class/net/eth1/address=0a:1b:2c:3d:4e:5f"_s,
        u"class/net/eth1/ifindex=3"_s, u"class/net/eth1/device/"_s}
                                                      << u"0A-1B-2C-3D-4E-5F"_s;
    QTest::newRow("interface index decides, not the name")
        << QStringList{u"class/net/a/address=11:11:11:11:11:11"_s, u"class/net/a/ifindex=9"_s, u"class/net/a/device/"_s,
               u"class/net/z/address=22:22:22:22:22:22"_s, u"class/net/z/ifindex=2"_s, u"class/net/z/device/"_s}
        << u"22-22-22-22-22-22"_s;
    QTest::newRow("hardware before virtual bridges") << QStringList{u"class/net/docker0/address=02:42:aa:bb:cc:dd"_s,
        u"class/net/docker0/ifindex=2"_s, u"class/net/enp3s0/address=d8:bb:c1:00:00:01"_s,
        u"class/net/enp3s0/ifindex=5"_s, u"class/net/enp3s0/device/"_s}
                                                     << u"D8-BB-C1-00-00-01"_s;
    QTest::newRow("only a virtual one") << QStringList{u"class/net/veth1/address=02:42:aa:bb:cc:dd"_s}
                                        << u"02-42-AA-BB-CC-DD"_s;
    QTest::newRow("unreadable address skipped") << QStringList{u"class/net/eth0/address=bozuk"_s,
        u"class/net/eth0/device/"_s, u"class/net/eth1/address=01:02:03:04:05:06"_s, u"class/net/eth1/device/"_s}
                                                << u"01-02-03-04-05-06"_s;
    QTest::newRow("only zero addresses") << QStringList{u"class/net/eth0/address=00:00:00:00:00:00"_s} << QString();
    QTest::newRow("no adapters") << QStringList{} << QString();
}

void tst_identity::macAddress()
{
    QFETCH(QStringList, tree);
    QFETCH(QString, mac);
    QTemporaryDir dir;
    QVERIFY(buildSysFixture(dir.path(), tree));
    QCOMPARE(os::macAddress({dir.path(), dir.path() + u"/udev"_s}), mac);
}

void tst_identity::formatMac_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("lower case") << u"aa:bb:cc:0d:ee:ff"_s << u"AA-BB-CC-0D-EE-FF"_s;
    QTest::newRow("single digits padded") << u"a:b:c:d:e:f"_s << u"0A-0B-0C-0D-0E-0F"_s;
    QTest::newRow("infiniband is too long") << u"80:00:02:08:fe:80:00:00:00:00"_s << QString();
    QTest::newRow("not hex") << u"zz:bb:cc:dd:ee:ff"_s << QString();
    QTest::newRow("too wide a byte") << u"100:bb:cc:dd:ee:ff"_s << QString();
    QTest::newRow("empty") << QString() << QString();
}

void tst_identity::formatMac()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(os::formatMacAddress(in), out);
}

void tst_identity::desktopEntryProgram_data()
{
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QString>("program");
    QTest::newRow("field code") << u"firefox-esr %u"_s << u"firefox-esr"_s;
    QTest::newRow("absolute") << u"/usr/bin/chromium --incognito %U"_s << u"/usr/bin/chromium"_s;
    QTest::newRow("quoted with blank") << u"\"/opt/My Browser/run\" %u"_s << u"/opt/My Browser/run"_s;
    QTest::newRow("bare") << u"epiphany"_s << u"epiphany"_s;
    QTest::newRow("empty") << u"  "_s << QString();
}

void tst_identity::desktopEntryProgram()
{
    QFETCH(QString, exec);
    QFETCH(QString, program);
    QCOMPARE(os::desktopEntryProgram(exec), program);
}

void tst_identity::internalAddressIsDottedIPv4()
{
    const QString ip = os::internalIPv4();
    QHostAddress a;
    QVERIFY2(a.setAddress(ip), qPrintable(ip));
    QCOMPARE(a.protocol(), QAbstractSocket::IPv4Protocol);
}

QTEST_GUILESS_MAIN(tst_identity)
#include "tst_identity.moc"
