// Malformed bodies, wrong parameters and unknown methods get 400 or 404 with
// a message; failing methods get 500 with theirs; the server keeps serving.
#include "serverfixture.h"

#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QByteArray deepArray(int depth) { return QByteArray(depth, '[') + QByteArray(depth, ']'); }

// Sends raw bytes on a fresh connection and returns what comes back until
// the end of the answer's header; with halfClose the sending side is shut
// after the bytes, so the server sees the request end there.
QByteArray rawExchange(int port, const QByteArray &bytes, bool halfClose)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(quint16(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QByteArray answer;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0) {
        timeval tv{5, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        if (::write(fd, bytes.constData(), size_t(bytes.size())) == ssize_t(bytes.size())) {
            if (halfClose)
                ::shutdown(fd, SHUT_WR);
            char buf[4096];
            ssize_t n;
            while (!answer.contains("\r\n\r\n") && (n = ::read(fd, buf, sizeof buf)) > 0)
                answer.append(buf, n);
        }
    }
    ::close(fd);
    return answer;
}

} // namespace

class tst_AppServerBadRequests : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void refusedWithStatus_data();
    void refusedWithStatus();
    void brokenHttpIsAnswered_data();
    void brokenHttpIsAnswered();

private:
    void stillServing();
    std::unique_ptr<ServerFixture> m_server;
};

void tst_AppServerBadRequests::initTestCase()
{
    m_server = std::make_unique<ServerFixture>(100);
    QVERIFY(m_server->ok());
}

void tst_AppServerBadRequests::cleanupTestCase() { m_server.reset(); }

void tst_AppServerBadRequests::stillServing()
{
    const ServerFixture::Reply r = m_server->call(QStringLiteral("EnVer"), {1001});
    QCOMPARE(r.status, 200);
    QCOMPARE(r.results.size(), 1);
}

void tst_AppServerBadRequests::refusedWithStatus_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("messagePart");

    const QByteArray record =
        R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":1001,"FMusteriTipi":0}})";
    QTest::newRow("not JSON") << "EnVer" << QByteArray("hello") << 400 << "";
    QTest::newRow("empty body") << "EnVer" << QByteArray() << 400 << "";
    QTest::newRow("array body") << "EnVer" << QByteArray("[1001]") << 400 << "";
    QTest::newRow("no parameters member") << "EnVer" << QByteArray("{}") << 400 << "";
    QTest::newRow("parameters not an array") << "EnVer" << QByteArray(R"({"_parameters":1001})") << 400 << "";
    QTest::newRow("truncated") << "EnVer" << QByteArray(R"({"_parameters":[10)") << 400 << "";
    QTest::newRow("trailing bytes") << "EnVer" << QByteArray(R"({"_parameters":[1001]} x)") << 400 << "";
    QTest::newRow("invalid UTF-8") << "BuyukGetir" << QByteArray("{\"_parameters\":[\"\xC3\x28\"]}") << 400 << "";
    QTest::newRow("too deep") << "EnVer" << QByteArray("{\"_parameters\":" + deepArray(200) + "}") << 400 << "";
    QTest::newRow("too few parameters") << "EnVer" << QByteArray(R"({"_parameters":[]})") << 400 << "stokno";
    QTest::newRow("too many parameters") << "EnVer" << QByteArray(R"({"_parameters":[1,2]})") << 400 << "";
    QTest::newRow("string for integer") << "EnVer" << QByteArray(R"({"_parameters":["1001"]})") << 400 << "stokno";
    QTest::newRow("fraction for integer") << "EnVer" << QByteArray(R"({"_parameters":[1.5]})") << 400 << "stokno";
    QTest::newRow("integer out of range") << "EnVer" << QByteArray(R"({"_parameters":[99999999999]})") << 400 << "";
    QTest::newRow("null for integer") << "EnVer" << QByteArray(R"({"_parameters":[null]})") << 400 << "";
    QTest::newRow("number for string") << "BuyukGetir" << QByteArray(R"({"_parameters":[5]})") << 400 << "idsi";
    QTest::newRow("number for object") << "StokAraGetirZelvori" << QByteArray(R"({"_parameters":["A",5]})") << 400
                                       << "bilgi";
    QTest::newRow("object of another type")
        << "StokAraGetirZelvori"
        << QByteArray(R"({"_parameters":["A",{"type":"mobilstokunit.TAcilisEkran","id":1,"fields":{}}]})") << 400 << "";
    QTest::newRow("object field of wrong kind")
        << "SepetHepsiniSil"
        << QByteArray(R"({"_parameters":[{"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":"x"}}]})") << 400
        << "";
    QTest::newRow("string for double") << "SepetEkle2"
                                       << QByteArray("{\"_parameters\":[" + record
                                                     + R"(,1001,1001,"B","A","iki",20,100,0,1,0,0,0,0]})")
                                       << 400 << "miktar";
    QTest::newRow("missing last parameter") << "SiparisKaydet"
                                            << QByteArray("{\"_parameters\":[" + record + R"(,1001,2,1,"",1]})") << 400
                                            << "_kargoyeni";
    QTest::newRow("unknown method") << "YokBoyleMetod" << QByteArray(R"({"_parameters":[]})") << 404 << "YokBoyleMetod";
    QTest::newRow("method name case") << "enver" << QByteArray(R"({"_parameters":[1001]})") << 404 << "";
    QTest::newRow("unknown advert") << "AcilisREklamVer" << QByteArray(R"({"_parameters":[99]})") << 500
                                    << "Reklam bulunamadı: 99";
    QTest::newRow("unknown receipt") << "SAnalPosPdfVer" << QByteArray(R"({"_parameters":[1]})") << 500
                                     << "Sanal POS kaydı bulunamadı: 1";
    QTest::newRow("unknown selection line") << "SepetSecimGuncelle" << QByteArray(R"({"_parameters":[987654,1]})")
                                            << 500 << "Sepet satırı bulunamadı";
}

void tst_AppServerBadRequests::refusedWithStatus()
{
    QFETCH(QString, method);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QString, messagePart);
    const ServerFixture::Reply r = m_server->post(method, body);
    QCOMPARE(r.status, status);
    QVERIFY2(!r.error.isEmpty(), r.body.constData());
    QVERIFY2(r.error.contains(messagePart), qPrintable(r.error));
    stillServing();
}

void tst_AppServerBadRequests::brokenHttpIsAnswered_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("statusLine");
    QTest::newRow("garbage request line") << QByteArray("GARBAGE\r\n\r\n") << QByteArray("HTTP/1.1 400");
    QTest::newRow("GET of a method") << QByteArray("GET /datasnap/rest/TServerMethods1/EnVer HTTP/1.1\r\nHost: x\r\n\r\n")
                                     << QByteArray("HTTP/1.1 404");
    QTest::newRow("short body") << QByteArray("POST /datasnap/rest/TServerMethods1/EnVer HTTP/1.1\r\nHost: x\r\n"
                                              "Content-Length: 100\r\n\r\n{\"_param")
                                << QByteArray("");
}

void tst_AppServerBadRequests::brokenHttpIsAnswered()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, statusLine);
    const QByteArray answer = rawExchange(m_server->port(), request, statusLine.isEmpty());
    if (statusLine.isEmpty())  // an incomplete request gets no success, whatever else
        QVERIFY2(!answer.startsWith("HTTP/1.1 200"), answer.left(40).constData());
    else
        QVERIFY2(answer.startsWith(statusLine), answer.left(40).constData());
    stillServing();
}

QTEST_MAIN(tst_AppServerBadRequests)
#include "tst_appserver_badrequests.moc"
