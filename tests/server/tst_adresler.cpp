// Endpoint settings: the compiled-in hosts and their environment overrides.
#include "server/proxim.h"

#include <QTest>

namespace {
const char* const kNames[] = {"ZELVORI_SUNUCU", "ZELVORI_WEB", "ZELVORI_ODEME", "ZELVORI_INDIRME", "ZELVORI_IPSERVIS"};

void clearOverrides()
{
    for (const char* n : kNames)
        qunsetenv(n);
}
} // namespace

class tst_Adresler : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearOverrides(); }
    void cleanup() { clearOverrides(); }

    void defaultsHangTogether();
    void serverOverride_data();
    void serverOverride();
    void webOverride_data();
    void webOverride();
    void otherHostOverrides();
    void connectionGetsHostAndPort();
};

void tst_Adresler::defaultsHangTogether()
{
    QVERIFY(!SunucuAdresi().isEmpty());
    QCOMPARE(SunucuPortu(), 9090);
    QCOMPARE(WebAdresi(), u"http://" + SunucuAdresi() + u'/');
    QCOMPARE(ResimAdresi(), WebAdresi() + u"resimgoster.ashx?id=");
    QVERIFY(OdemeAdresi().startsWith(QStringLiteral("https://")));
    QVERIFY(!OdemeAdresi().endsWith(u'/'));
    QVERIFY(IndirmeAdresi().startsWith(QStringLiteral("http://")));
    QVERIFY(!IndirmeAdresi().endsWith(u'/'));
    QVERIFY(IpServisAdresi().startsWith(QStringLiteral("http://")));
}

void tst_Adresler::serverOverride_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("web"); // without ZELVORI_WEB: follows the host
    QTest::addColumn<bool>("warns");  // a bad port is reported and 9090 used
    QTest::newRow("host") << QByteArray("127.0.0.1") << "127.0.0.1" << 9090 << "http://127.0.0.1/" << false;
    QTest::newRow("host:port") << QByteArray("localhost:19090") << "localhost" << 19090 << "http://localhost/" << false;
    QTest::newRow("spaces") << QByteArray("  sunucu.local:7000 ") << "sunucu.local" << 7000 << "http://sunucu.local/" << false;
    QTest::newRow("bracketed v6 with port") << QByteArray("[::1]:9191") << "::1" << 9191 << "http://[::1]/" << false;
    QTest::newRow("bare v6") << QByteArray("::1") << "::1" << 9090 << "http://[::1]/" << false;
    QTest::newRow("bad port keeps 9090") << QByteArray("h:abc") << "h" << 9090 << "http://h/" << true;
    QTest::newRow("port out of range") << QByteArray("h:70000") << "h" << 9090 << "http://h/" << true;
}

void tst_Adresler::serverOverride()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, web);
    QFETCH(bool, warns);
    qputenv("ZELVORI_SUNUCU", value);
    const QRegularExpression warning(QStringLiteral("ZELVORI_SUNUCU: .* is no port number"));
    if (warns)
        QTest::ignoreMessage(QtWarningMsg, warning);
    QCOMPARE(SunucuAdresi(), host);
    if (warns)
        QTest::ignoreMessage(QtWarningMsg, warning);
    QCOMPARE(SunucuPortu(), port);
    if (warns)
        QTest::ignoreMessage(QtWarningMsg, warning);
    QCOMPARE(WebAdresi(), web);
}

void tst_Adresler::webOverride_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("web");
    QTest::newRow("with slash") << QByteArray("http://127.0.0.1:8080/") << "http://127.0.0.1:8080/";
    QTest::newRow("slash added") << QByteArray("http://127.0.0.1:8080") << "http://127.0.0.1:8080/";
    QTest::newRow("with a path") << QByteArray("http://h/b2b") << "http://h/b2b/";
}

void tst_Adresler::webOverride()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, web);
    qputenv("ZELVORI_SUNUCU", "baska.host:1");
    qputenv("ZELVORI_WEB", value);
    QCOMPARE(WebAdresi(), web);
    QCOMPARE(ResimAdresi(), web + u"resimgoster.ashx?id=");
}

void tst_Adresler::otherHostOverrides()
{
    qputenv("ZELVORI_ODEME", "http://127.0.0.1:8080/");
    qputenv("ZELVORI_INDIRME", "http://127.0.0.1:8081");
    qputenv("ZELVORI_IPSERVIS", "http://127.0.0.1:8080/ip");
    QCOMPARE(OdemeAdresi() + u"/tuvrakart.html", QStringLiteral("http://127.0.0.1:8080/tuvrakart.html"));
    QCOMPARE(IndirmeAdresi() + u"/exe/ZELVORISetup.exe", QStringLiteral("http://127.0.0.1:8081/exe/ZELVORISetup.exe"));
    QCOMPARE(IpServisAdresi(), QStringLiteral("http://127.0.0.1:8080/ip"));
}

void tst_Adresler::connectionGetsHostAndPort()
{
    qputenv("ZELVORI_SUNUCU", "127.0.0.1:19191");
    datasnap::Connection bagc;
    SunucuAdresiniYaz(bagc);
    QCOMPARE(bagc.param(u"HostName"), QStringLiteral("127.0.0.1"));
    QCOMPARE(bagc.param(u"Port"), QStringLiteral("19191"));
}

QTEST_GUILESS_MAIN(tst_Adresler)
#include "tst_adresler.moc"
