// The connection component and its transport against a loopback server.
#include "platform/datasnap/connection.h"
#include "platform/datasnap/servererror.h"
#include "platform/datasnap/servermethodcommand.h"
#include "tests/datasnap/loopbackserver.h"
#include "wire/codec.h"

#include <QTest>

#include <thread>

using datasnap::Connection;
using datasnap::ServerError;
using Kind = datasnap::ServerError::Kind;

namespace {

void pointAt(Connection& c, int port)
{
    c.setParam(u"HostName", QStringLiteral("127.0.0.1"));
    c.setParam(u"Port", QString::number(port));
}

// Runs f, which must throw ServerError; returns it.
template <typename F>
ServerError thrown(F&& f)
{
    try {
        f();
    } catch (const ServerError& e) {
        return e;
    }
    return ServerError(Kind::Protocol, QStringLiteral("<nothing was thrown>"));
}

} // namespace

class tst_Connection : public QObject
{
    Q_OBJECT

private slots:
    void defaultParameters_data();
    void defaultParameters();
    void parametersByNameIgnoreCase();
    void cloneIsClosedCopyThatSharesNothing();

    void openFailsWithTheSystemText();
    void openConnectsWithoutSendingAndCloseCloses();
    void callOnClosedConnectionSendsNothing();
    void callsShareOneKeepAliveConnection();
    void callReconnectsWhenServerClosedTheConnection();
    void callAfterServerStoppedFails();
    void callTimesOut();
    void resetDuringTheRequestFailsTheCall();

    void answerHandling_data();
    void answerHandling();
    void commandSendsPositionalParametersToItsPath();
};

void tst_Connection::defaultParameters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("ConnectionName") << "ConnectionName" << "DataSnapCONNECTION";
    QTest::newRow("DriverName") << "DriverName" << "DataSnap";
    QTest::newRow("LoginPrompt") << "LoginPrompt" << "False";
    QTest::newRow("CommunicationProtocol") << "CommunicationProtocol" << "tcp/ip";
    QTest::newRow("Port") << "Port" << "9090";
    QTest::newRow("DatasnapContext") << "DatasnapContext" << "datasnap/";
    QTest::newRow("DSProxyPort") << "DSProxyPort" << "8090";
    QTest::newRow("Filters") << "Filters" << "{}";
    QTest::newRow("HostName") << "HostName" << "localhost";
    QTest::newRow("CallTimeout") << "CallTimeout" << "30000";
}

void tst_Connection::defaultParameters()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    Connection c;
    QCOMPARE(c.param(name), value);
    QVERIFY(!c.Connected());
}

void tst_Connection::parametersByNameIgnoreCase()
{
    Connection c;
    c.setParam(u"hostname", QStringLiteral("sunucu"));
    QCOMPARE(c.param(u"HostName"), QStringLiteral("sunucu"));
    QCOMPARE(c.paramNames().filter(QStringLiteral("hostname"), Qt::CaseInsensitive).size(), 1);
    QCOMPARE(c.param(u"YokBoyle"), QString());
    c.setParam(u"YokBoyle", QStringLiteral("1"));
    QCOMPARE(c.param(u"yokboyle"), QStringLiteral("1"));
    QCOMPARE(c.methodPath(QStringLiteral("TServerMethods1"), QStringLiteral("EnVer")),
             QStringLiteral("/datasnap/rest/TServerMethods1/EnVer"));
    c.setParam(u"CallTimeout", QStringLiteral("abc"));
    QCOMPARE(c.callTimeoutMs(), 30000);
}

void tst_Connection::cloneIsClosedCopyThatSharesNothing()
{
    LoopbackServer server;
    Connection c;
    pointAt(c, server.port());
    c.setParam(u"CallTimeout", QStringLiteral("1234"));
    c.Open();
    auto clone = c.CloneConnection();
    QVERIFY(!clone->Connected());
    QCOMPARE(clone->paramNames(), c.paramNames());
    for (const QString& name : c.paramNames())
        QCOMPARE(clone->param(name), c.param(name));
    clone->setParam(u"HostName", QStringLiteral("baska"));
    QCOMPARE(c.param(u"HostName"), QStringLiteral("127.0.0.1"));
    clone->Close();
    QVERIFY(c.Connected());
}

void tst_Connection::openFailsWithTheSystemText()
{
    ClosedPort closed;
    Connection c;
    pointAt(c, closed.port());
    const ServerError e = thrown([&] { c.Open(); });
    QCOMPARE(e.kind(), Kind::Connect);
    QCOMPARE(e.message(), QStringLiteral("Connection refused"));
    QVERIFY(!c.Connected());
}

void tst_Connection::openConnectsWithoutSendingAndCloseCloses()
{
    LoopbackServer server;
    Connection c;
    pointAt(c, server.port());
    c.Open();
    QVERIFY(c.Connected());
    QVERIFY(server.requests().isEmpty());
    c.Close();
    QVERIFY(!c.Connected());
    c.Close(); // closing twice is harmless
    QVERIFY(!c.Connected());
}

void tst_Connection::callOnClosedConnectionSendsNothing()
{
    LoopbackServer server;
    Connection c;
    pointAt(c, server.port());
    const ServerError e = thrown([&] { c.post(QStringLiteral("/x"), "{}", QStringLiteral("EnVer")); });
    QCOMPARE(e.kind(), Kind::NotOpen);
    QCOMPARE(e.message(), QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
    QVERIFY(server.requests().isEmpty());
}

void tst_Connection::callsShareOneKeepAliveConnection()
{
    LoopbackServer server;
    Connection c;
    pointAt(c, server.port());
    c.Open();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(c.post(QStringLiteral("/p"), "{}", QStringLiteral("m")).status, 200);
    const auto requests = server.requests();
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests[1].remotePort, requests[0].remotePort);
    QCOMPARE(requests[2].remotePort, requests[0].remotePort);
    QCOMPARE(requests[0].contentType, QByteArray("application/json; charset=utf-8"));

    // A new open is a new TCP connection.
    c.Open();
    c.post(QStringLiteral("/p"), "{}", QStringLiteral("m"));
    QVERIFY(server.requests().last().remotePort != requests[0].remotePort);
}

void tst_Connection::callReconnectsWhenServerClosedTheConnection()
{
    LoopbackServer server;
    server.setRequestsPerConnection(1);
    Connection c;
    pointAt(c, server.port());
    c.Open();
    QCOMPARE(c.post(QStringLiteral("/p"), "{}", QStringLiteral("m")).status, 200);
    QCOMPARE(c.post(QStringLiteral("/p"), "{}", QStringLiteral("m")).status, 200);
    QCOMPARE(server.requests().size(), 2);
    QVERIFY(c.Connected());
}

void tst_Connection::callAfterServerStoppedFails()
{
    auto server = std::make_unique<LoopbackServer>();
    Connection c;
    pointAt(c, server->port());
    c.Open();
    c.post(QStringLiteral("/p"), "{}", QStringLiteral("m"));
    server.reset();
    const ServerError e = thrown([&] { c.post(QStringLiteral("/p"), "{}", QStringLiteral("EnVer")); });
    QCOMPARE(e.kind(), Kind::Transport);
    QVERIFY2(!e.message().isEmpty(), qPrintable(e.message()));
    QCOMPARE(e.method(), QStringLiteral("EnVer"));
}

void tst_Connection::callTimesOut()
{
    LoopbackServer server;
    server.hold();
    Connection c;
    pointAt(c, server.port());
    c.setParam(u"CallTimeout", QStringLiteral("150"));
    c.Open();
    const ServerError e = thrown([&] { c.post(QStringLiteral("/p"), "{}", QStringLiteral("EnVer")); });
    server.release();
    QCOMPARE(e.kind(), Kind::Timeout);
    QVERIFY2(e.message().contains(QStringLiteral("EnVer")), qPrintable(e.message()));
}

void tst_Connection::resetDuringTheRequestFailsTheCall()
{
    // A peer that takes the connection, reads a little of a large request and
    // resets it: the call fails with a transport error instead of hanging or
    // ending the process.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QCOMPARE(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    socklen_t len = sizeof addr;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    QCOMPARE(::listen(listener, 1), 0);
    std::thread peer([listener] {
        const int fd = ::accept(listener, nullptr, nullptr);
        char buf[4096];
        ::recv(fd, buf, sizeof buf, MSG_WAITALL);
        const linger reset{1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        ::close(fd);
    });

    Connection c;
    pointAt(c, ntohs(addr.sin_port));
    c.Open();
    const QByteArray big(8 * 1024 * 1024, 'x');
    const ServerError e = thrown([&] { c.post(QStringLiteral("/p"), big, QStringLiteral("EnVer")); });
    peer.join();
    ::close(listener);
    QCOMPARE(e.kind(), Kind::Transport);
}

void tst_Connection::answerHandling_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("kind"); // -1: success
    QTest::addColumn<QString>("message");

    QTest::newRow("success") << 200 << QByteArray(R"({"result": [6]})") << -1 << QString();
    QTest::newRow("400 with text") << 400 << QByteArray(R"({"error": "parametre 2 eksik"})") << int(Kind::Server)
                                   << "parametre 2 eksik";
    QTest::newRow("404 with text") << 404 << QByteArray(R"({"error": "Yok: EnVerX"})") << int(Kind::Server)
                                   << "Yok: EnVerX";
    QTest::newRow("500 with Turkish text") << 500 << QByteArray(R"({"error": "Stok bulunamadı"})")
                                           << int(Kind::Server) << QStringLiteral("Stok bulunamadı");
    QTest::newRow("502 plain text") << 502 << QByteArray("Bad Gateway") << int(Kind::Server)
                                    << "HTTP 502 from the server for EnVer: Bad Gateway";
    QTest::newRow("500 empty body") << 500 << QByteArray() << int(Kind::Server) << "HTTP 500 from the server for EnVer";
    QTest::newRow("200 not JSON") << 200 << QByteArray("<html>") << int(Kind::Protocol) << QString();
    QTest::newRow("200 truncated") << 200 << QByteArray(R"({"result": [6)") << int(Kind::Protocol) << QString();
    QTest::newRow("200 without result") << 200 << QByteArray(R"({"error": "x"})") << int(Kind::Protocol) << QString();
}

void tst_Connection::answerHandling()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, kind);
    QFETCH(QString, message);
    const datasnap::HttpAnswer answer{status, body};
    if (kind < 0) {
        const auto results = datasnap::ServerMethodCommand::resultsOf(answer, QStringLiteral("EnVer"));
        QCOMPARE(results.size(), 1);
        QCOMPARE(results[0].toInt32().value(), 6);
        return;
    }
    const ServerError e = thrown([&] { datasnap::ServerMethodCommand::resultsOf(answer, QStringLiteral("EnVer")); });
    QCOMPARE(int(e.kind()), kind);
    if (!message.isEmpty())
        QCOMPARE(e.message(), message);
    else
        QVERIFY2(e.message().startsWith(QStringLiteral("Invalid answer to EnVer: ")), qPrintable(e.message()));
    QCOMPARE(e.httpStatus(), status);
    QCOMPARE(QString::fromUtf8(e.what()), e.message());
}

void tst_Connection::commandSendsPositionalParametersToItsPath()
{
    LoopbackServer server;
    server.answer(200, R"({"result": [42, "iki"]})");
    Connection c;
    pointAt(c, server.port());
    c.Open();
    datasnap::ServerMethodCommand command(c, QStringLiteral("TServerMethods1.SepetEkle2"));
    QVERIFY(!command.prepared());
    command.setParameters({wire::Value(7), wire::Value(QStringLiteral("ş")), wire::Value(2.5)});
    command.Execute();
    QVERIFY(command.prepared());
    const auto requests = server.requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].path, QStringLiteral("/datasnap/rest/TServerMethods1/SepetEkle2"));
    const auto sent = wire::decodeRequest(requests[0].body);
    QVERIFY2(sent.ok(), qPrintable(sent.errorText()));
    QCOMPARE(sent.value(), (QList<wire::Value>{7, QStringLiteral("ş"), 2.5}));
    QCOMPARE(command.results(), (QList<wire::Value>{42, QStringLiteral("iki")}));
    const auto taken = command.takeResults();
    QCOMPARE(taken.size(), 2);
}

QTEST_GUILESS_MAIN(tst_Connection)
#include "tst_connection.moc"
